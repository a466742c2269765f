// The records of the simulated Office hosts.
#include "platform/sim/office/OfficeHostKinds.h"

#include "platform/text/Text.h"

namespace sim {
namespace {

constexpr GUID G(const char* text) {
    return MakeGuid(text);
}

const std::vector<OfficeHostProfile>& Profiles() {
    static const std::vector<OfficeHostProfile> profiles = {
        {OfficeHostKind::Word,
         "Word",
         "word",
         "Word.Application",
         G("{000209FF-0000-0000-C000-000000000046}"),
         G("{00020970-0000-0000-C000-000000000046}"),
         {G("{000209FE-0000-0000-C000-000000000046}"), G("{00020A00-0000-0000-C000-000000000046}"),
          G("{00020A01-0000-0000-C000-000000000046}")},
         u"Microsoft.Word.Document",
         1,
         false},
        {OfficeHostKind::Excel,
         "Excel",
         "excel",
         "Excel.Application",
         G("{00024500-0000-0000-C000-000000000046}"),
         G("{000208D5-0000-0000-C000-000000000046}"),
         {G("{00024413-0000-0000-C000-000000000046}")},
         u"Microsoft.Excel.Workbook",
         1,
         false},
        {OfficeHostKind::PowerPoint,
         "PowerPoint",
         "powerpoint",
         "PowerPoint.Application",
         G("{91493441-5A91-11CF-8700-00AA0060263B}"),
         G("{91493442-5A91-11CF-8700-00AA0060263B}"),
         {G("{914934C2-5A91-11CF-8700-00AA0060263B}")},
         u"Microsoft.PowerPoint.Presentation",
         1,
         false},
        {OfficeHostKind::Project,
         "MS Project",
         "project",
         "MSProject.Application",
         G("{36D27C48-A1E8-11D3-BA55-00C04F72F325}"),
         G("{00020AFF-0000-0000-C000-000000000046}"),
         {G("{7B7597D0-0C9F-11D0-8C43-00A0C904DCD4}"), G("{5066D7C4-1ED7-48C4-ACE7-299E109D368C}")},
         u"",
         1,
         false},
        {OfficeHostKind::FrontPage,
         "FrontPage",
         "frontpage",
         "FrontPage.Application",
         G("{04DF1015-7007-11D1-83BC-006097ABE675}"),
         G("{04DF1014-7007-11D1-83BC-006097ABE675}"),
         {G("{F5D15700-E9D8-11D1-B0DF-00C04FA30A8B}")},
         u"",
         1,
         false},
        {OfficeHostKind::MapPoint,
         "MapPoint",
         "mappoint",
         "MapPoint.Application",
         G("{31851F82-AFE6-11D2-A3C9-00C04F72F340}"),
         G("{D6D389CE-1781-47A0-8984-4349687F65D6}"),
         {G("{91848759-5033-4956-8E9C-B840F11C6045}")},
         u"",
         1,
         false},
        {OfficeHostKind::Visio,
         "Visio",
         "visio",
         "Visio.Application",
         G("{00021A20-0000-0000-C000-000000000046}"),
         G("{000D0700-0000-0000-C000-000000000046}"),
         {G("{000D0B00-0000-0000-C000-000000000046}")},
         u"",
         1,
         false},
        {OfficeHostKind::Publisher,
         "Publisher",
         "publisher",
         "Publisher.Application",
         G("{0002123D-0000-0000-C000-000000000046}"),
         G("{0002123E-0000-0000-C000-000000000046}"),
         {G("{00021240-0000-0000-C000-000000000046}")},
         u"Microsoft.Publisher.Publication",
         1,
         false},
        {OfficeHostKind::InfoPath,
         "InfoPath",
         "infopath",
         "InfoPath.Application",
         G("{8075635F-5146-11D5-A672-00B0D022E945}"),
         G("{096CD72E-0786-11D1-95FA-0080C78EE3BB}"),
         {G("{096CD72D-0786-11D1-95FA-0080C78EE3BB}")},
         u"Microsoft.InfoPath.Editor",
         0,
         true},
    };
    return profiles;
}

} // namespace

const OfficeHostProfile& HostProfileOf(OfficeHostKind kind) {
    for (const OfficeHostProfile& profile : Profiles())
        if (profile.Kind == kind)
            return profile;
    return Profiles().front();
}

const OfficeHostProfile* FindHostProfile(std::string_view commandName) {
    for (const OfficeHostProfile& profile : Profiles())
        if (text::SameText(std::string(commandName), profile.CommandName))
            return &profile;
    return nullptr;
}

std::vector<OfficeHostKind> AllOfficeHostKinds() {
    std::vector<OfficeHostKind> kinds;
    for (const OfficeHostProfile& profile : Profiles())
        kinds.push_back(profile.Kind);
    return kinds;
}

} // namespace sim
