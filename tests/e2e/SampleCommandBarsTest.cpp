// The sample add-in's command bars end to end, in a simulated Outlook 2003
// (no ribbon) and Outlook 2010, loaded by the host driver as Outlook loads
// it: the bars it makes at start-up, a click and a change with what they
// show the user, its mail bar in a second explorer on the calendar, the
// user removing the add-in and connecting it again, and unregistration while
// Outlook runs, which takes its lasting toolbar away; and its key button's
// face and the keys that run it. Each run is compared
// with a golden transcript in data/ (LORVANE_UPDATE_GOLDEN=1 rewrites it).
#include "tests/e2e/E2eSupport.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/forms/ModalDriver.h"
#include "platform/gfx/SysColors.h"
#include "platform/sim/HostDriver.h"
#include "platform/sim/ModalScript.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/text/Text.h"
#include "platform/win/Hook.h"
#include "platform/win/Window.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

using namespace e2e;

namespace {

// The sample's controls by their tags.
const std::u16string kHello = u"{6B1C2E54-0F3A-4C5D-9E21-7A8B9C0D1E01}";
const std::u16string kAbout = u"{6B1C2E54-0F3A-4C5D-9E21-7A8B9C0D1E03}";
const std::u16string kColour = u"{6B1C2E54-0F3A-4C5D-9E21-7A8B9C0D1E05}";
const std::u16string kKey = u"{6B1C2E54-0F3A-4C5D-9E21-7A8B9C0D1E07}";

class SampleCommandBars : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        sim::InstallOutlook(GetParam());
        ASSERT_EQ(CallEntryPoint("DllRegisterServer", SampleLibraryPath), S_OK);
        inbox = outlook.OpenExplorer(outlook.DefaultFolder(outlook::olFolderInbox).Get());
    }

    void Step(const std::string& title) { transcript << "== " << title << "\n"; }
    // The add-ins' bars of explorer, and the dialogs shown since the last look.
    void Show(sim::SimExplorer& explorer) {
        transcript << "   in " << text::Narrow(explorer.Caption()) << ":\n";
        std::vector<std::string> lines = explorer.CommandBars().Describe();
        for (const std::string& line : lines)
            transcript << "   " << line << "\n";
        if (lines.empty())
            transcript << "   (no bar of an add-in)\n";
    }
    // The face of a button, a character a pixel: "." the button shows
    // through, "B" blue, "Y" yellow, "?" anything else.
    void ShowFace(const sim::SimButtonFace& face) {
        transcript << "   face " << face.Describe() << ":\n";
        for (int y = 0; y < face.Height; ++y) {
            std::string row;
            for (int x = 0; x < face.Width; ++x) {
                uint32_t pixel = face.At(x, y);
                row += pixel == GetSysColor(COLOR_BTNFACE) ? '.'
                       : pixel == 0xC06000                 ? 'B'
                       : pixel == 0x00CCFF                 ? 'Y'
                                                           : '?';
            }
            transcript << "     " << row << "\n";
        }
    }
    // The user presses a key with modifiers; whether the add-in took it.
    void Press(const std::string& name, int key, std::initializer_list<int> modifiers) {
        platform::ReleaseAllKeys();
        bool taken = platform::PressKey(key, modifiers);
        platform::ProcessMessages();
        transcript << "   " << name << (taken ? " taken by the add-in" : " passed on") << "\n";
        Dialogs();
    }
    void Dialogs() {
        for (; shown < user.Shown().size(); ++shown)
            transcript << "   dialog " << sim::ModalScript::Describe(user.Shown()[shown]) << "\n";
    }
    void ExpectGolden(const std::string& name) {
        const std::string path = std::string(LORVANE_TEST_DATA) + "/" + name;
        if (std::getenv("LORVANE_UPDATE_GOLDEN")) {
            std::ofstream(path, std::ios::binary) << transcript.str();
            return;
        }
        std::ifstream in(path, std::ios::binary);
        std::stringstream golden;
        golden << in.rdbuf();
        EXPECT_EQ(transcript.str(), golden.str()) << "golden file " << name;
    }

    TempPlatformHome home;
    sim::ModalScript user;
    forms::ScopedModalDriver userInstalled{user};
    sim::OutlookSim outlook{GetParam()};
    sim::HostDriver driver{outlook};
    ComPtr<sim::SimExplorer> inbox;
    std::ostringstream transcript;
    size_t shown = 0;
};

} // namespace

TEST_P(SampleCommandBars, InstalledClickedRemovedAndUnregistered) {
    const std::string name = GetParam() == 11 ? "2003" : "2010";
    Step("Outlook " + name + " starts with the sample");
    driver.Start();
    Show(*inbox);

    Step("The user clicks \"Say hello\", then \"About the sample\" in the pop-up menu");
    inbox->CommandBars().FindByTag(kHello)->UserClick();
    inbox->CommandBars().FindByTag(kAbout)->UserClick();
    Dialogs();

    Step("The user picks \"Blue\" in the colour box");
    inbox->CommandBars().FindByTag(kColour)->UserChange(u"Blue");
    Dialogs();

    Step("The user opens a second explorer on the calendar, then closes it");
    auto calendar = outlook.OpenExplorer(outlook.DefaultFolder(outlook::olFolderCalendar).Get());
    Show(*calendar);
    outlook.Close(*calendar);
    calendar = nullptr;

    Step("The user removes the add-in");
    driver.Disconnect(SampleProgId);
    Show(*inbox);

    Step("The user connects it again and clicks \"Say hello\"");
    driver.Connect(SampleProgId);
    Show(*inbox);
    inbox->CommandBars().FindByTag(kHello)->UserClick();
    Dialogs();

    Step("The add-in is unregistered while Outlook runs");
    EXPECT_EQ(CallEntryPoint("DllUnregisterServer", SampleLibraryPath), S_OK);
    Show(*inbox);

    driver.Quit();
    EXPECT_EQ(driver.Failures(), std::vector<std::string>{});
    ExpectGolden("sample-commandbars-outlook" + name + ".txt");
}

TEST_P(SampleCommandBars, TheKeyButtonShowsItsFaceAndRunsFromTheKeyboard) {
    const std::string name = GetParam() == 11 ? "2003" : "2010";
    Step("Outlook " + name + " starts with the sample");
    driver.Start();
    Show(*inbox);
    ShowFace(inbox->CommandBars().FindByTag(kKey)->Face());

    Step("The user presses the key button's shortcut, its accelerator, and a key of no button");
    Press("Ctrl+Shift+F5", VK_F5, {VK_CONTROL, VK_SHIFT});
    Press("Alt+K", 'K', {VK_MENU});
    Press("Ctrl+Shift+F6", VK_F5 + 1, {VK_CONTROL, VK_SHIFT});

    Step("The user hides the bar: its accelerator no longer runs the button, its shortcut does");
    inbox->CommandBars().Bar(u"Sample Keys")->SetValue("Visible", false);
    Press("Alt+K", 'K', {VK_MENU});
    Press("Ctrl+Shift+F5", VK_F5, {VK_CONTROL, VK_SHIFT});

    Step("The user removes the add-in: its keys pass on");
    driver.Disconnect(SampleProgId);
    Press("Ctrl+Shift+F5", VK_F5, {VK_CONTROL, VK_SHIFT});

    driver.Quit();
    EXPECT_EQ(driver.Failures(), std::vector<std::string>{});
    ExpectGolden("sample-keys-outlook" + name + ".txt");
}

INSTANTIATE_TEST_SUITE_P(Outlook, SampleCommandBars, ::testing::Values(11, 14),
                         [](const auto& info) {
                             return info.param == 11 ? std::string("Outlook2003")
                                                     : std::string("Outlook2010");
                         });
