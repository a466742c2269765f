// Office's colour scheme change: the registry value first, then the broadcast
// that every top-level window receives.
#include "tests/support/TempPlatformHome.h"

#include "platform/sim/OfficeTheme.h"
#include "platform/win/Registry.h"
#include "platform/win/Window.h"

#include <gtest/gtest.h>

TEST(OfficeTheme, WindowsHearTheBroadcastAfterTheValueIsWritten) {
    TempPlatformHome home;
    std::vector<int32_t> themesSeen;
    HWND window = AllocateHWnd([&](TMessage& message) {
        if (message.Msg != sim::OfficeBroadcastMessage())
            return;
        TRegistry reg;
        if (reg.OpenKeyReadOnly("\\Software\\Microsoft\\Office\\14.0\\Common"))
            themesSeen.push_back(reg.ReadInteger("Theme"));
    });
    sim::ChangeOfficeTheme(14, 2);
    sim::ChangeOfficeTheme(14, 3);
    DeallocateHWnd(window);
    sim::ChangeOfficeTheme(14, 1);
    EXPECT_EQ(themesSeen, (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(sim::OfficeBroadcastMessage(), RegisterWindowMessage("wm_mso_broadcastchange"));
}
