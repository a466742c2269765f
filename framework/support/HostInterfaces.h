// The application interfaces of the Office hosts: host detection asks the
// host's Application object for each of them in turn, and a host's event
// component casts the object it connects to to its host's one.
#pragma once

#include "platform/com/Guid.h"

namespace adx {

inline constexpr GUID IID_WordApplication = MakeGuid("{00020970-0000-0000-C000-000000000046}");
inline constexpr GUID IID_ExcelApplication = MakeGuid("{000208D5-0000-0000-C000-000000000046}");
inline constexpr GUID IID_OutlookApplication = MakeGuid("{00063001-0000-0000-C000-000000000046}");
inline constexpr GUID IID_AccessApplication = MakeGuid("{68CCE6C0-6129-101B-AF4E-00AA003F0F07}");
inline constexpr GUID IID_ProjectApplication = MakeGuid("{00020AFF-0000-0000-C000-000000000046}");
inline constexpr GUID IID_PowerPointApplication =
    MakeGuid("{91493442-5A91-11CF-8700-00AA0060263B}");
inline constexpr GUID IID_FrontPageApplication = MakeGuid("{04DF1014-7007-11D1-83BC-006097ABE675}");
inline constexpr GUID IID_MapPointApplication = MakeGuid("{D6D389CE-1781-47A0-8984-4349687F65D6}");
inline constexpr GUID IID_VisioApplication = MakeGuid("{000D0700-0000-0000-C000-000000000046}");
inline constexpr GUID IID_PublisherApplication = MakeGuid("{0002123E-0000-0000-C000-000000000046}");
inline constexpr GUID IID_InfoPathApplication = MakeGuid("{096CD72E-0786-11D1-95FA-0080C78EE3BB}");

} // namespace adx
