// The user deleting the add-in's bars and buttons by hand. The framework's
// own reads of them (the shortcut list the keyboard hook builds on each
// key, closing an Outlook explorer, making a control again) take a host
// object that is gone as gone: they let go of it, the stored value serves,
// and nothing is shown to the user. A deleted button's keys go on to the
// host, the other buttons' keys still run them, the explorer's close relay
// runs to its end, and a temporary control comes back with its stored
// parameter. What the add-in's own code reads from a deleted control still
// reports the failure.
#include "tests/framework/CommandBarTestSupport.h"

#include "platform/outlook/Outlook.h"
#include "platform/sim/SimTaskPanes.h"
#include "platform/sim/office/OfficeHostSim.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/win/Hook.h"
#include "platform/win/Window.h"

#include <functional>

using namespace fwtest;

namespace {

using Runs = std::vector<std::string>;

// Two bars with keys: "Keys" holds Run (Ctrl+Shift+F5, Alt+R) and Save
// (Ctrl+Shift+F6, Alt+S); "Other" holds Go (Ctrl+Shift+F7, Alt+G). In
// Outlook "Keys" is an explorer bar.
std::string KeysForm(const char* keysClass, const char* hosts, const std::string& more = "") {
    return std::string(R"(  AddInName = 'TestAddIn'
  SupportedApps = )") +
           hosts + R"(
  HandleShortcuts = True
)" + more + R"(  object Keys: )" +
           keysClass +
           R"(
    CommandBarName = 'Keys'
    ButtonTypes = {02000000 00000000 00000000}
    Buttons = <
      item
        Caption = '&Run'
        OfficeTag = 'tag-run'
        ShortcutText = 'Ctrl+Shift+F5'
      end
      item
        Caption = '&Save'
        OfficeTag = 'tag-save'
        ShortcutText = 'Ctrl+Shift+F6'
      end>
  end
  object Other: TadxCustomCommandBar
    CommandBarName = 'Other'
    ButtonTypes = {01000000 00000000}
    Buttons = <
      item
        Caption = '&Go'
        OfficeTag = 'tag-go'
        ShortcutText = 'Ctrl+Shift+F7'
      end>
  end)";
}

// A started add-in whose errors reach DoError's own message box.
class DeletedBars : public AddInTest {
protected:
    DeletedBars() { platform::ReleaseAllKeys(); }
    ~DeletedBars() override {
        platform::ReleaseAllKeys();
        if (addIn && Module()) {
            addIn->OnBeginShutdown(nullptr);
            addIn->OnDisconnection(ext_dm_HostShutdown, nullptr);
        }
    }
    // Starts the add-in in the host app; each button's click is recorded.
    void Start(IDispatch* app, ICTPFactory* panes = nullptr) {
        ASSERT_EQ(addIn->OnConnection(app, ext_cm_Startup, nullptr, nullptr), S_OK);
        if (panes) {
            ASSERT_EQ(addIn.Query<ICustomTaskPaneConsumer>()->CTPFactoryAvailable(panes), S_OK);
        }
        ASSERT_EQ(addIn->OnStartupComplete(nullptr), S_OK);
        for (const char* name : {"Keys", "Other"}) {
            auto* bar = dynamic_cast<TadxCustomCommandBar*>(Module()->FindComponent(name));
            ASSERT_TRUE(bar) << name;
            for (int i = 0; i < bar->Controls()->Count(); ++i) {
                TadxCommandBarButton* button = bar->Controls()->GetItem(i)->GetAsButton();
                button->OnClick = [button](TObject*) {
                    runs.push_back(text::Narrow(button->StoredOfficeTag()));
                };
            }
        }
        runs.clear();
    }
    TadxCOMAddInModule* Module() const { return static_cast<TadxAddin*>(addIn.Get())->Module(); }
    // Presses the key; what ran once the posted messages were handled.
    static Runs Press(int key, std::initializer_list<int> modifiers, bool swallowed) {
        EXPECT_EQ(platform::PressKey(key, modifiers), swallowed);
        platform::ProcessMessages();
        return std::exchange(runs, {});
    }
    // The add-in in Word.
    void StartWord(sim::OfficeHostSim& word) {
        SetModuleForm(ModuleForm(KeysForm("TadxCustomCommandBar", "[ohaWord]")));
        Start(word.Application().Get());
    }
    // The add-in in Outlook, with "Keys" an explorer bar; the explorer on the inbox.
    ComPtr<sim::SimExplorer> StartOutlook(sim::OutlookSim& outlook) {
        SetModuleForm(ModuleForm(KeysForm("TadxOlExplorerCustomCommandBar", "[ohaOutlook]")));
        auto explorer = outlook.OpenExplorer(outlook.DefaultFolder(outlook::olFolderInbox).Get());
        Start(outlook.Application().Get());
        return explorer;
    }
    // Run runs by its accelerator; then the user deletes it, or all of
    // "Keys", from bars, and the keys are pressed.
    void DeleteAndPress(sim::SimulatedCommandBars& bars, bool barDeleted) {
        ASSERT_EQ(Press('R', {VK_MENU}, true), Runs{"tag-run"});
        if (barDeleted)
            bars.UserDeleteBar(*bars.Bar(u"Keys"));
        else
            bars.FindByTag(u"tag-run")->Remove();
        ExpectKeysAfterDeletion(barDeleted);
    }
    // The keys of a deleted Run (or of all of "Keys") reach the host, and
    // Go's keys still run it; nothing is shown.
    void ExpectKeysAfterDeletion(bool barDeleted) {
        EXPECT_EQ(Press('A', {}, false), Runs{});
        EXPECT_EQ(Press('R', {VK_MENU}, false), Runs{});
        EXPECT_EQ(Press(VK_F5, {VK_CONTROL, VK_SHIFT}, false), Runs{});
        const Runs save = barDeleted ? Runs{} : Runs{"tag-save"};
        EXPECT_EQ(Press('S', {VK_MENU}, !barDeleted), save);
        EXPECT_EQ(Press(VK_F5 + 1, {VK_CONTROL, VK_SHIFT}, !barDeleted), save);
        EXPECT_EQ(Press('G', {VK_MENU}, true), Runs{"tag-go"});
        EXPECT_EQ(Press(VK_F5 + 2, {VK_CONTROL, VK_SHIFT}, true), Runs{"tag-go"});
        EXPECT_EQ(user.Shown().size(), 0u);
    }

    static inline Runs runs;
    ComPtr<IDTExtensibility2> addIn = NewAddIn();
};

} // namespace

TEST_F(DeletedBars, WordPassesTheKeysOfADeletedButtonOnWithoutABox) {
    sim::OfficeHostSim word(sim::OfficeHostKind::Word, 11);
    StartWord(word);
    DeleteAndPress(word.App().Bars(), false);
}

TEST_F(DeletedBars, WordPassesTheKeysOfADeletedBarOnWithoutABox) {
    sim::OfficeHostSim word(sim::OfficeHostKind::Word, 11);
    StartWord(word);
    DeleteAndPress(word.App().Bars(), true);
}

TEST_F(DeletedBars, OutlookPassesTheKeysOfADeletedButtonOnWithoutABox) {
    sim::OutlookSim outlook{11};
    DeleteAndPress(StartOutlook(outlook)->CommandBars(), false);
}

TEST_F(DeletedBars, OutlookPassesTheKeysOfADeletedExplorerBarOnWithoutABox) {
    sim::OutlookSim outlook{11};
    DeleteAndPress(StartOutlook(outlook)->CommandBars(), true);
}

TEST_F(DeletedBars, TheAddInsOwnReadOfADeletedControlStillReportsIt) {
    sim::OfficeHostSim word(sim::OfficeHostKind::Word, 11);
    StartWord(word);
    word.App().Bars().FindByTag(u"tag-run")->Remove();
    auto* keys = dynamic_cast<TadxCustomCommandBar*>(Module()->FindComponent("Keys"));
    // The stored caption serves, and the failure is shown.
    EXPECT_EQ(keys->Controls()->GetItem(0)->GetCaption(), u"&Run");
    ASSERT_EQ(user.Shown().size(), 1u);
    EXPECT_NE(user.Shown()[0].Text.find("(Caption)"), std::string::npos) << user.Shown()[0].Text;
}

TEST_F(DeletedBars, ClosingAnExplorerWhoseBarTheUserDeletedRunsTheWholeCloseRelay) {
    SetModuleForm(
        ModuleForm(KeysForm("TadxOlExplorerCustomCommandBar", "[ohaOutlook]", R"(  TaskPanes = <
    item
      ControlProgID = 'Sample.Control'
      SupportedApps = [ohaOutlook]
    end>
)")));
    sim::OutlookSim outlook{12};
    auto explorer = outlook.OpenExplorer(outlook.DefaultFolder(outlook::olFolderInbox).Get());
    auto panes = sim::SimulatedCTPFactory::Create(outlook.Application());
    Start(outlook.Application().Get(), panes.Get());
    ASSERT_EQ(panes->PanesOf(explorer.Get()).size(), 1u);
    // A position stored before stays as it was.
    const std::string key = AddInKey() + "\\CommandBars\\Keys";
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(key, true));
        registry.WriteInteger("Left", 77);
    }
    Runs closed;
    Module()->OnOLExplorerClose = [&](TObject*) { closed.push_back("OnOLExplorerClose"); };
    sim::SimulatedCommandBars& bars = explorer->CommandBars();
    bars.UserDeleteBar(*bars.Bar(u"Keys"));
    outlook.Close(*explorer);
    EXPECT_EQ(closed, Runs{"OnOLExplorerClose"});
    EXPECT_EQ(panes->PanesOf(explorer.Get()).size(), 0u);
    EXPECT_EQ(user.Shown().size(), 0u);
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(key));
    EXPECT_EQ(registry.ReadInteger("Left"), 77);
    EXPECT_FALSE(registry.ValueExists("Position"));
}

TEST_F(CommandBarTest, ATemporaryControlTheUserDeletedComesBackWithItsStoredParameter) {
    SetBarModuleForm(BarModuleForm(R"(  object Toolbar: TadxCustomCommandBar
    CommandBarName = 'Test Bar'
    Temporary = True
    ButtonTypes = {01000000 00000000}
    Buttons = <
      item
        Caption = 'Hello'
        OfficeTag = 'tag-hello'
        Parameter = 'greeting'
      end>
  end
)"));
    Start();
    Sim(u"tag-hello")->Remove();
    // A window change finds the bar again and makes the control anew.
    Bar().ReconnectControls();
    EXPECT_EQ(errors, std::vector<std::string>{});
    sim::SimCommandBarControl* again = Sim(u"tag-hello");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Value("Parameter").AsWide(), u"greeting");
    EXPECT_TRUE(Bar().Controls()->GetItem(0)->HostControl() != nullptr);
}
