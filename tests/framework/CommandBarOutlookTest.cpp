// Command bars in a simulated Outlook through the add-in object: explorer
// bars that follow the folder of each explorer, removal by the user and at
// unregistration, each leaving foreign controls in place.
#include "tests/framework/CommandBarTestSupport.h"

#include "platform/outlook/Outlook.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/win/Hook.h"
#include "platform/win/Window.h"

using namespace fwtest;

namespace {

const char* const kOutlookBars = R"(  AddInName = 'TestAddIn'
  SupportedApps = [ohaOutlook]
  object MailBar: TadxOlExplorerCustomCommandBar
    CommandBarName = 'Mail Bar'
    ButtonTypes = {01000000 00000000}
    Buttons = <
      item
        Caption = 'Reply all'
        OfficeTag = 'tag-reply'
      end>
  end
  object Toolbar: TadxCustomCommandBar
    CommandBarName = 'Test Bar'
    ButtonTypes = {02000000 00000000 04000000}
    Buttons = <
      item
        Caption = 'Hello'
        OfficeTag = 'tag-hello'
        ShortcutText = 'Ctrl+E'
      end
      item
        Caption = 'More'
        OfficeTag = 'tag-more'
        ButtonTypes = {01000000 00000000}
        Buttons = <
          item
            Caption = 'One'
            OfficeTag = 'tag-one'
          end>
      end>
  end)";

class OutlookBars : public AddInTest {
protected:
    OutlookBars() { SetModuleForm(ModuleForm(kOutlookBars)); }
    void Start() {
        ASSERT_EQ(
            addIn->OnConnection(outlook.Application().Get(), ext_cm_Startup, nullptr, nullptr),
            S_OK);
        ASSERT_EQ(addIn->OnStartupComplete(nullptr), S_OK);
    }
    void TearDown() override {
        if (!stopped) {
            addIn->OnBeginShutdown(nullptr);
            addIn->OnDisconnection(ext_dm_HostShutdown, nullptr);
        }
    }
    static sim::SimulatedCommandBars& BarsOf(sim::SimExplorer& explorer) {
        return explorer.CommandBars();
    }
    static bool Shown(sim::SimulatedCommandBars& bars, const char16_t* name) {
        sim::SimCommandBar* bar = bars.Bar(name);
        return bar && bar->Value("Enabled").AsBool() && bar->Value("Visible").AsBool();
    }

    sim::OutlookSim outlook{11};
    ComPtr<IDTExtensibility2> addIn = NewAddIn();
    bool stopped = false;
};

} // namespace

TEST_F(OutlookBars, ExplorerBarIsShownInMailFoldersOfEachExplorerAndHiddenInTheCalendar) {
    auto inbox = outlook.OpenExplorer(outlook.DefaultFolder(outlook::olFolderInbox).Get());
    Start();
    auto calendar = outlook.OpenExplorer(outlook.DefaultFolder(outlook::olFolderCalendar).Get());
    EXPECT_TRUE(Shown(BarsOf(*inbox), u"Mail Bar"));
    ASSERT_TRUE(BarsOf(*calendar).Bar(u"Mail Bar"));
    EXPECT_FALSE(Shown(BarsOf(*calendar), u"Mail Bar"));
    // The toolbar is in both: the second explorer got the lasting one from Outlook.
    EXPECT_TRUE(BarsOf(*calendar).FindByTag(u"tag-one"));
    EXPECT_TRUE(BarsOf(*inbox).FindByTag(u"tag-one"));

    outlook.SwitchFolder(*calendar, outlook.DefaultFolder(outlook::olFolderInbox));
    EXPECT_TRUE(Shown(BarsOf(*calendar), u"Mail Bar"));
    outlook.Activate(*inbox);
    outlook.SwitchFolder(*inbox, outlook.DefaultFolder(outlook::olFolderCalendar));
    EXPECT_FALSE(Shown(BarsOf(*inbox), u"Mail Bar"));
    EXPECT_TRUE(Shown(BarsOf(*calendar), u"Mail Bar"));
}

TEST_F(OutlookBars, UserRemovingTheAddInLeavesNoControlOfItAndForeignControlsInPlace) {
    auto explorer = outlook.OpenExplorer(outlook.DefaultFolder(outlook::olFolderInbox).Get());
    Start();
    sim::SimulatedCommandBars& bars = BarsOf(*explorer);
    bars.Bar(u"Test Bar")->AddControl(1, 1, 0, false).SetValue("Tag", Variant(u"user"));
    bars.Bar(u"Standard")->AddControl(1, 1, 0, false).SetValue("Tag", Variant(u"other"));
    addIn->OnBeginShutdown(nullptr);
    ASSERT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);
    stopped = true;
    for (const char16_t* tag : {u"tag-reply", u"tag-hello", u"tag-more", u"tag-one"})
        EXPECT_FALSE(bars.FindByTag(tag)) << text::Narrow(tag);
    EXPECT_TRUE(bars.FindByTag(u"user"));
    EXPECT_TRUE(bars.FindByTag(u"other"));
    EXPECT_FALSE(bars.Bar(u"Mail Bar"));
    TRegistry registry;
    EXPECT_FALSE(registry.KeyExists(AddInKey() + "\\Controls"));
}

TEST_F(OutlookBars, UnregistrationRemovesTheLastingBarFromOutlook) {
    sim::InstallOutlook(11);
    ASSERT_EQ(server.RegisterServer(), S_OK);
    auto explorer = outlook.OpenExplorer(outlook.DefaultFolder(outlook::olFolderInbox).Get());
    Start();
    addIn->OnBeginShutdown(nullptr);
    addIn->OnDisconnection(ext_dm_HostShutdown, nullptr);
    stopped = true;
    sim::SimulatedCommandBars& bars = BarsOf(*explorer);
    bars.Bar(u"Standard")->AddControl(1, 1, 0, false).SetValue("Tag", Variant(u"other"));
    ASSERT_TRUE(bars.Bar(u"Test Bar"));
    ASSERT_EQ(server.UnregisterServer(), S_OK);
    EXPECT_FALSE(bars.Bar(u"Test Bar"));
    EXPECT_FALSE(bars.FindByTag(u"tag-hello"));
    EXPECT_TRUE(bars.FindByTag(u"other"));
}

TEST_F(OutlookBars, ShortcutsComeFromTheExplorersBarsAndNoneFromAnInspector) {
    auto explorer = outlook.OpenExplorer(outlook.DefaultFolder(outlook::olFolderInbox).Get());
    Start();
    TadxCOMAddInModule& module = *static_cast<TadxAddin*>(addIn.Get())->Module();
    EXPECT_EQ(module.ControlByShortcut().Count(), 1);
    outlook.ComposeNewMail();
    outlook.Close(*explorer);
    EXPECT_EQ(module.ControlByShortcut().Count(), 0);
}

TEST_F(OutlookBars, TheExplorersShortcutListFollowsItsFoldersItemType) {
    // The mail bar's button gets an accelerator.
    std::string form = kOutlookBars;
    form.replace(form.find("'Reply all'"), 11, "'&Reply all'");
    SetModuleForm(ModuleForm(form));
    auto explorer = outlook.OpenExplorer(outlook.DefaultFolder(outlook::olFolderInbox).Get());
    Start();
    TadxCOMAddInModule& module = *static_cast<TadxAddin*>(addIn.Get())->Module();
    auto keys = [&] {
        std::vector<std::string> list;
        TStringList& shortcuts = module.ControlByShortcut();
        for (int i = 0; i < shortcuts.Count(); ++i)
            list.push_back(shortcuts.Strings(i));
        return list;
    };
    EXPECT_EQ(keys(), (std::vector<std::string>{"ALT+R", "CTRL+E"}));
    outlook.SwitchFolder(*explorer, outlook.DefaultFolder(outlook::olFolderCalendar));
    EXPECT_EQ(keys(), std::vector<std::string>{"CTRL+E"});
    outlook.SwitchFolder(*explorer, outlook.DefaultFolder(outlook::olFolderSentMail));
    EXPECT_EQ(keys(), (std::vector<std::string>{"ALT+R", "CTRL+E"}));
}

TEST_F(OutlookBars, ARegistrationRunInOutlooksProcessLeavesTheShortcutsWorking) {
    SetModuleForm(ModuleForm("  HandleShortcuts = True\n" + std::string(kOutlookBars)));
    sim::InstallOutlook(11);
    auto explorer = outlook.OpenExplorer(outlook.DefaultFolder(outlook::olFolderInbox).Get());
    Start();
    TadxCOMAddInModule& module = *static_cast<TadxAddin*>(addIn.Get())->Module();
    int runs = 0;
    for (int i = 0; i < module.ComponentCount(); ++i)
        if (auto* bar = dynamic_cast<TadxCustomCommandBar*>(module.Components(i)))
            if (bar->GetCommandBarName() == u"Test Bar")
                bar->Controls()->GetItem(0)->GetAsButton()->OnClick = [&](TObject*) { ++runs; };
    auto press = [&] {
        platform::ReleaseAllKeys();
        bool taken = platform::PressKey('E', {VK_CONTROL});
        platform::ProcessMessages();
        return taken;
    };
    EXPECT_TRUE(press());
    // The factory reads the registration settings from a module of its own,
    // made and freed in Outlook's process.
    ASSERT_EQ(server.RegisterServer(), S_OK);
    EXPECT_TRUE(press());
    EXPECT_EQ(runs, 2);
}

TEST_F(OutlookBars, HostFailureWhileReconnectingIsReportedAndTheActivationGoesOn) {
    auto inbox = outlook.OpenExplorer(outlook.DefaultFolder(outlook::olFolderInbox).Get());
    Start();
    auto calendar = outlook.OpenExplorer(outlook.DefaultFolder(outlook::olFolderCalendar).Get());
    TadxCOMAddInModule& module = *static_cast<TadxAddin*>(addIn.Get())->Module();
    std::vector<std::string> seen;
    module.OnError = [&](const Exception& e, bool& handled) {
        seen.push_back("error " + e.Message);
        handled = true;
    };
    module.OnOLExplorerActivate = [&](TObject*) { seen.push_back("activated"); };
    BarsOf(*inbox).FailNext("Count");
    outlook.Activate(*inbox);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), "activated");
    EXPECT_EQ(seen.front().rfind("error ", 0), 0u);
}
