// The framework's support units: the registered messages with their name
// functions (a name registered twice has one number), the start once per
// library with the cursor holder and the log kept while modules come and go,
// the stop, the styles binding left empty, and the application window
// behaviour's log lines and messages.
#include "FrameworkTestSupport.h"

#include "framework/support/FrameworkLog.h"
#include "framework/support/RegisteredMessages.h"
#include "framework/support/SupportUnits.h"

#include "platform/win/Window.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// A started unit for the test's life.
struct Started {
    Started() { adxSupportUnitsStart(); }
    ~Started() { adxSupportUnitsStop(); }
};

// A machine and a COM server for tests that make modules.
class SupportUnitsWithModules : public fwtest::AddInTest {};

} // namespace

TEST(RegisteredMessages, EveryNameHasItsFunctionAndOneNumber) {
    Started started;
    EXPECT_EQ(Globals::WM_ADXEXIST(), "WM_ADXEXIST");
    EXPECT_EQ(Globals::WM_ADX_DESTROY_EMBEDED_WINDOW(), "WM_ADX_DESTROY_EMBEDED_WINDOW");
    EXPECT_EQ(GlobalsOl::WM_ADXDELETEEMULATEWINDOW(), "WM_ADXDELETEEMULATEWINDOW");
    EXPECT_EQ(GlobalsOl::WM_ADXEXIST(), "WM_ADXEXIST");
    EXPECT_EQ(adxGlobalMessageNames().size(), 45u);
    EXPECT_EQ(adxOutlookMessageNames().size(), 9u);

    std::set<std::string> names;
    std::set<UINT> numbers;
    for (const auto* list : {&adxGlobalMessageNames(), &adxOutlookMessageNames()})
        for (const std::string& name : *list) {
            UINT number = adxRegisteredMessage(name);
            EXPECT_NE(number, 0u) << name;
            EXPECT_EQ(number, RegisterWindowMessage(name.c_str())) << name;
            names.insert(name);
            numbers.insert(number);
        }
    // The Outlook forms' repeated names yield the framework's numbers.
    EXPECT_EQ(names.size(), 49u);
    EXPECT_EQ(numbers.size(), names.size());
    EXPECT_EQ(adxRegisteredMessage(GlobalsOl::WM_ADXGETAPPWINDOWPOS()),
              adxRegisteredMessage(Globals::WM_ADXGETAPPWINDOWPOS()));
}

TEST(SupportUnits, TheyStartOnceAndStopWhenToldAndTheStylesLibraryIsAbsent) {
    adxSupportUnitsStop();
    {
        Started outer;
        TadxCursors* cursors = adxCursors();
        ASSERT_NE(cursors, nullptr);
        Log()->AddMessage("kept until the stop");
        // A second start changes nothing: the same holder, the same log.
        adxSupportUnitsStart();
        EXPECT_EQ(adxCursors(), cursors);
        EXPECT_EQ(Log()->Lines().size(), 1u);
        const TadxThemeBinding& theme = adxThemeBinding();
        EXPECT_TRUE(theme.Library == nullptr);
        EXPECT_EQ(theme.OpenThemeData, nullptr);
        EXPECT_EQ(theme.CloseThemeData, nullptr);
        EXPECT_EQ(theme.DrawThemeBackground, nullptr);
        EXPECT_EQ(theme.GetCurrentThemeName, nullptr);
    }
    EXPECT_EQ(adxCursors(), nullptr);
    // The log was let go: a new one starts empty.
    EXPECT_TRUE(Log()->Lines().empty());
    // A stop without a start changes nothing.
    adxSupportUnitsStop();
    EXPECT_EQ(adxCursors(), nullptr);
}

// The add-in turned off and on again in one host session: its modules come
// and go, the units and the log stay.
TEST_F(SupportUnitsWithModules, TheLogOutlivesTheLastModule) {
    adxSupportUnitsStop();
    {
        TadxModulePtr first(new TadxCOMAddInModule(nullptr));
        Log()->AddMessage("written while the first module lived");
    }
    ASSERT_NE(adxCursors(), nullptr);
    TadxModulePtr second(new TadxCOMAddInModule(nullptr));
    ASSERT_EQ(Log()->Lines().size(), 1u);
    const std::string line = Log()->Lines()[0];
    EXPECT_EQ(line.substr(line.rfind('\t') + 1), "written while the first module lived");
    second.reset();
    // Tests may still stop them.
    adxSupportUnitsStop();
    EXPECT_EQ(adxCursors(), nullptr);
}

namespace {

std::vector<std::string> containerHeard;

LRESULT Container(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == adxRegisteredMessage(Globals::WM_ADX_DESTROY_EMBEDED_WINDOW()))
        containerHeard.push_back("destroy embedded " + std::to_string(wParam));
    else if (message == adxRegisteredMessage(Globals::WM_ADX_READING_PANE_HIDE_FROM_SBCLS()))
        containerHeard.push_back("hide reading pane " + std::to_string(wParam) + " " +
                                 std::to_string(lParam));
    return DefWindowProc(hwnd, message, wParam, lParam);
}

HWND NewWindow(const char* className, bool visible) {
    WNDCLASS info;
    if (!GetClassInfo(nullptr, className, &info)) {
        WNDCLASS cls;
        cls.lpfnWndProc = std::string(className) == "TestContainer" ? Container : DefWindowProc;
        cls.lpszClassName = className;
        RegisterClass(&cls);
    }
    return CreateWindowEx(0, className, "", visible ? WS_VISIBLE : 0, 0, 0, 10, 10, nullptr,
                          nullptr, nullptr, nullptr);
}

} // namespace

TEST(AppWindowBehaviour, LogsAndTellsTheContainer) {
    Started started;
    containerHeard.clear();
    Log()->ClearMessages();
    TAppWindowOwner owner;
    owner.ContainerWindow = NewWindow("TestContainer", true);
    owner.Window = NewWindow("TestForm", true);
    owner.FormId = "Form7";
    TAppWindowBehaviour& behaviour = adxAppWindowBehaviour();
    const std::string window = std::to_string(reinterpret_cast<WPARAM>(owner.Window));

    behaviour.SetOwner(nullptr);
    behaviour.WMDestroy();
    behaviour.SetOwner(&owner);
    behaviour.ParentNotifyDestroy(); // a visible form keeps its pane
    ShowWindow(owner.Window, SW_HIDE);
    behaviour.ParentNotifyDestroy();
    behaviour.WMDestroy();
    behaviour.WindowPosChanging();
    behaviour.Hide();

    EXPECT_EQ(containerHeard, (std::vector<std::string>{"hide reading pane " + window + " 10",
                                                        "destroy embedded " + window}));
    std::vector<std::string> texts;
    for (const std::string& line : Log()->Lines())
        texts.push_back(line.substr(line.rfind('\t') + 1));
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "TAppWindow.WndProc.WM_DESTROY send WM_ADX_DESTROY_EMBEDED_WINDOW Form7",
                         "TAppWindowBehaviour.WM_DESTROY",
                         "AppWindow.wndproc: WM_PARENTNOTIFY - "
                         "SendMessage(WM_ADX_READING_PANE_HIDE_FROM_SBCLS) Form7",
                         "TAppWindow.FOwner = nil", "TAppWindowBehaviour.WM_DESTROY"}));
    DestroyWindow(owner.Window);
    DestroyWindow(owner.ContainerWindow);
}
