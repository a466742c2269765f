// The host table of the framework.
#include "framework/support/OfficeHosts.h"

#include "platform/com/OleError.h"
#include "platform/rtl/Format.h"

namespace {

constexpr TadxHostInfo kHosts[] = {
    {"Excel", "Excel.Application", false, "XLMAIN"},
    {"Word", "Word.Application", false, nullptr},
    {"Outlook", "Outlook.Application", false, nullptr},
    {"PowerPoint", "PowerPoint.Application", false, nullptr},
    {"Access", "Access.Application", false, nullptr},
    {"MS Project", "MSProject.Application", false, nullptr},
    {"FrontPage", "FrontPage.Application", false, nullptr},
    {"MapPoint", "MapPoint.Application", true, nullptr},
    {"Visio", "Visio.Application", true, "VISIOA"},
    {"Publisher", "Publisher.Application", false, nullptr},
    {"InfoPath", "InfoPath.Application", false, nullptr},
};
static_assert(std::size(kHosts) == adxLastHost + 1);

} // namespace

bool adxIsHostApp(int ordinal) {
    return ordinal >= adxFirstHost && ordinal <= adxLastHost;
}

const TadxHostInfo& adxHostInfo(TadxOfficeHostApp host) {
    if (!adxIsHostApp(host))
        throw EOleSysError(Format("Unknown host application %d", {int(host)}), E_INVALIDARG);
    return kHosts[host];
}

const std::vector<std::string>& adxHostAppNames() {
    static const std::vector<std::string> names = {
        "ohaExcel",     "ohaWord",     "ohaOutlook", "ohaPowerPoint", "ohaAccess",  "ohaProject",
        "ohaFrontPage", "ohaMapPoint", "ohaVisio",   "ohaPublisher",  "ohaInfoPath"};
    return names;
}

std::string adxAddInKey(TadxOfficeHostApp host, const std::string& progId) {
    if (progId.empty())
        return {};
    const TadxHostInfo& info = adxHostInfo(host);
    const char* pattern = info.ShortKeyForm ? "\\Software\\Microsoft\\%s\\AddIns\\%s"
                                            : "\\Software\\Microsoft\\Office\\%s\\AddIns\\%s";
    return Format(pattern, {info.Name, progId});
}
