// Office's colour scheme setting and its broadcast.
#include "platform/sim/OfficeTheme.h"

#include "platform/sim/HostFailure.h"
#include "platform/win/Registry.h"
#include "platform/win/Window.h"

#include <string>

namespace sim {

UINT OfficeBroadcastMessage() {
    return RegisterWindowMessage("WM_MSO_BROADCASTCHANGE");
}

void ChangeOfficeTheme(int majorVersion, int theme) {
    TRegistry reg;
    std::string key =
        "\\Software\\Microsoft\\Office\\" + std::to_string(majorVersion) + ".0\\Common";
    if (!reg.OpenKey(key, true))
        throw EHostFailure("The Office settings key cannot be opened: " + key);
    reg.WriteInteger("Theme", theme);
    reg.CloseKey();
    SendMessage(HWND_BROADCAST, OfficeBroadcastMessage(), 0, 0);
}

} // namespace sim
