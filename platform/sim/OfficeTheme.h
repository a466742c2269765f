// Office's colour scheme as the simulated hosts change it: Office keeps the
// scheme the user chose in the current user's registry
// ("Software\Microsoft\Office\<major>.0\Common", integer value "Theme") and
// tells every top-level window of the machine with the registered message
// "WM_MSO_BROADCASTCHANGE", which add-ins listen for to follow the scheme.
#pragma once

#include "platform/win/WinTypes.h"

namespace sim {

// The registered message Office broadcasts when its settings change.
UINT OfficeBroadcastMessage();

// The user picks colour scheme theme in Office of that major version: the
// registry value is written, then the broadcast is sent to every top-level
// window (synchronously, so the windows have seen it when this returns).
void ChangeOfficeTheme(int majorVersion, int theme);

} // namespace sim
