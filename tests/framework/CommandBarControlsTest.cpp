// The control kinds' own rules: what a list pushes, placement by position
// and by a reference control, built-in controls placed by id, the Outlook
// item-type scan, copying controls, shortcut keys from captions, and
// Access's bars in each database.
#include "tests/framework/CommandBarTestSupport.h"

#include "framework/support/HostInterfaces.h"
#include "platform/win/Clock.h"
#include "platform/win/Timer.h"

#include <map>

using namespace fwtest;

namespace {

// A bar named Lists with an edit, a drop-down list and a combo box, the
// last two disabled or not.
std::string ListsBar(bool enabled) {
    const std::string e = enabled ? "True" : "False";
    return R"(  object Lists: TadxCustomCommandBar
    CommandBarName = 'Lists'
    ButtonTypes = {03000000 01000000 02000000 03000000}
    Buttons = <
      item
        OfficeTag = 'tag-edit'
        Text = 'typed'
      end
      item
        OfficeTag = 'tag-drop'
        Text = 'never'
        Items.Strings = ('x' 'y')
        ListIndex = 2
        Enabled = )" +
           e + R"(
      end
      item
        OfficeTag = 'tag-combo'
        Text = 'chosen'
        Items.Strings = ('x')
        Enabled = )" +
           e + R"(
      end>
  end
)";
}

} // namespace

TEST_F(CommandBarTest, DropDownListNeverGetsItsTextAndADisabledComboNeither) {
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        // A host and a user that never saw the add-in.
        bars = sim::SimulatedCommandBars::Create();
        TRegistry().DeleteKey(factory.GetRegKey(ohaWord));
        SetBarModuleForm(BarModuleForm(ListsBar(enabled)));
        Start();
        ASSERT_TRUE(Sim(u"tag-edit"))
            << ::testing::PrintToString(errors) << ::testing::PrintToString(bars->Describe());
        EXPECT_EQ(Sim(u"tag-edit")->Value("Text").AsString(), "typed");
        EXPECT_EQ(Sim(u"tag-drop")->Value("Text").AsString(), "");
        EXPECT_EQ(Sim(u"tag-drop")->Value("ListIndex").AsInteger(), 2);
        EXPECT_EQ(Sim(u"tag-drop")->ListItems(), (std::vector<std::u16string>{u"x", u"y"}));
        EXPECT_EQ(Sim(u"tag-combo")->Value("Text").AsString(), enabled ? "chosen" : "");
        Stop();
    }
}

TEST_F(CommandBarTest, PlacementByPositionAndByReferenceControls) {
    SetBarModuleForm(BarModuleForm(R"(  object Placed: TadxCustomCommandBar
    CommandBarName = 'Standard'
    ButtonTypes = {03000000 00000000 00000000 05000000}
    Buttons = <
      item
        OfficeTag = 'tag-before'
        BeforeID = 4
      end
      item
        OfficeTag = 'tag-after'
        AfterID = 19
      end
      item
        OfficeID = 2
        OfficeTag = 'tag-new'
        Before = 1
      end>
  end
)"));
    Start();
    // The built-in bar's own buttons are 2, 4 and 19; ours go around them,
    // and a copy of button 2 is placed first.
    std::vector<int> ids;
    std::vector<std::u16string> tags;
    for (const auto& control : bars->Bar(u"Standard")->Controls()) {
        ids.push_back(control->Id());
        tags.push_back(control->Tag());
    }
    EXPECT_EQ(ids, (std::vector<int>{2, 2, 1, 4, 19, 1}));
    EXPECT_EQ(tags[2], u"tag-before");
    EXPECT_EQ(tags[5], u"tag-after");
    EXPECT_EQ(tags[0], u"tag-new");
    EXPECT_EQ(errors, std::vector<std::string>{});
    // A second start finds everything in place and moves nothing.
    Stop();
    bars->ClearWrites();
    SetBarModuleForm(BarModuleForm(R"(  object Placed: TadxCustomCommandBar
    CommandBarName = 'Standard'
    ButtonTypes = {02000000 00000000 00000000}
    Buttons = <
      item
        OfficeTag = 'tag-before'
        BeforeID = 4
      end
      item
        OfficeTag = 'tag-after'
        AfterID = 19
      end>
  end
)"));
    Start();
    for (const std::string& write : bars->Writes())
        EXPECT_EQ(write.find(".Move"), std::string::npos) << write;
}

TEST_F(CommandBarTest, ExplorerScanShowsOrEnablesControlsByTheFoldersItemType) {
    SetBarModuleForm(BarModuleForm(R"(  object ExplorerBar: TadxOlExplorerCustomCommandBar
    CommandBarName = 'Explorer Bar'
    ButtonTypes = {03000000 00000000 00000000 04000000}
    Buttons = <
      item
        OfficeTag = 'tag-same'
        olItemTypeAction = adxOLActionShow
      end
      item
        OfficeTag = 'tag-tasks'
        olItemTypeAction = adxOLActionEnable
        olExplorerItemTypes = [adxOLTaskItem]
      end
      item
        OfficeTag = 'tag-popup'
        olExplorerItemTypes = [adxOLTaskItem]
        ButtonTypes = {01000000 00000000}
        Buttons = <
          item
            OfficeTag = 'tag-inner'
            olItemTypeAction = adxOLActionShow
            olExplorerItemTypes = [adxOLContactItem]
          end>
      end>
  end
)",
                                   "[ohaOutlook]"));
    Start(ohaOutlook, false);
    TadxCommandBarControls& controls = *Bar().Controls();
    ScanExplControls(adxOLAppointmentItem, controls);
    // Item types equal to the bar's: nothing changes.
    EXPECT_TRUE(controls.GetItem(0)->GetVisible());
    EXPECT_FALSE(controls.GetItem(1)->GetEnabled());
    auto* inner = controls.GetItem(2)->GetAsPopup()->Controls()->GetItem(0);
    EXPECT_FALSE(inner->GetVisible());
    ScanExplControls(adxOLContactItem, controls);
    EXPECT_TRUE(inner->GetVisible());
    ScanExplControls(adxOLTaskItem, controls);
    EXPECT_TRUE(controls.GetItem(1)->GetEnabled());
    EXPECT_FALSE(inner->GetVisible());
    EXPECT_TRUE(CheckItemClass(adxOLMailItem, TadxOLItemTypes{adxOLMailItem}));
    EXPECT_FALSE(CheckItemClass(9, TadxOLItemTypes{adxOLMailItem}));
}

TEST_F(CommandBarTest, CopiedControlsTakeTheSourcesKindsAndProperties) {
    SetBarModuleForm(BarModuleForm(TestBar()));
    Start(ohaWord, false);
    TadxCommandBarControls copy(nullptr);
    copy.Assign(Bar().Controls());
    ASSERT_EQ(copy.Kinds(), (std::vector<int32_t>{adxKindButton, adxKindPopup, adxKindComboBox}));
    EXPECT_EQ(copy.GetItem(0)->GetCaption(), u"&Hello");
    EXPECT_EQ(copy.GetItem(0)->GetAsButton()->GetShortcutText(), u"Ctrl+H");
    EXPECT_EQ(copy.GetItem(1)->GetAsPopup()->Controls()->Count(), 2);
    auto* pick = dynamic_cast<TadxCustomCommandBarComboBox*>(copy.GetItem(2));
    EXPECT_EQ(pick->Items()->Count(), 2);
    EXPECT_EQ(copy.GetItem(2)->DisplayName(), "Pick (TadxCommandBarComboBox)");
}

TEST_F(CommandBarTest, ShortcutKeysComeFromAnAmpersandBeforeTheLastCharacterOnly) {
    SetBarModuleForm(BarModuleForm(R"(  object Keys: TadxCustomCommandBar
    CommandBarName = 'Keys'
    ButtonTypes = {02000000 00000000 00000000}
    Buttons = <
      item
        Caption = '&send'
      end
      item
        Caption = 'Trailing&'
      end>
  end
)"));
    Start(ohaWord);
    TStringList& list = module->ControlByShortcut();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Strings(0), "ALT+S");
}

// ---- Access: bars per database ----

namespace {

// An Access whose databases each have command bars of their own.
struct DatabaseAccess {
    DatabaseAccess() : app(FakeHost::Create(adx::IID_AccessApplication, u"11.0")) {
        project = MakeComObject<FakeHost>(u"");
        project->Table().Get("IsConnected", [this] { return !name.empty(); });
        project->Table().Get("FullName", [this] { return name; });
        app->Table().Get("CurrentProject", [this] { return ComPtr<IDispatch>(project); });
        app->Table().Get("CommandBars",
                         [this] { return ComPtr<IDispatch>(Bars().Query<IDispatch>()); });
    }
    ComPtr<sim::SimulatedCommandBars>& Bars() {
        ComPtr<sim::SimulatedCommandBars>& bars = databases[name];
        if (!bars)
            bars = sim::SimulatedCommandBars::Create();
        return bars;
    }
    ComPtr<FakeHost> app;
    ComPtr<FakeHost> project;
    std::u16string name;
    std::map<std::u16string, ComPtr<sim::SimulatedCommandBars>> databases;
};

} // namespace

TEST_F(AddInTest, AccessInstallsTheBarsInEachDatabaseAndLetsGoOfTheOldOnes) {
    SetModuleForm(ModuleForm(R"(  AddInName = 'TestAddIn'
  SupportedApps = [ohaAccess]
  object Toolbar: TadxCustomCommandBar
    CommandBarName = 'Test Bar'
    ButtonTypes = {01000000 00000000}
    Buttons = <
      item
        Caption = 'Hello'
        OfficeTag = 'tag-hello'
      end>
  end)"));
    platform::ManualClockScope clock{TDateTime(45000.0)};
    DatabaseAccess access;
    // Access starts with a database open.
    access.name = u"C:\\a.accdb";
    ComPtr<IDTExtensibility2> addIn = NewAddIn();
    ASSERT_EQ(addIn->OnConnection(access.app.Get(), ext_cm_Startup, nullptr, nullptr), S_OK);
    ASSERT_EQ(addIn->OnStartupComplete(nullptr), S_OK);
    auto tick = [] { platform::AdvanceAndProcess(250); };

    tick();
    sim::SimulatedCommandBars& first = *access.databases[u"C:\\a.accdb"];
    ASSERT_TRUE(first.FindByTag(u"tag-hello"));
    EXPECT_EQ(first.SinkCount(), 1u);

    access.name = u"C:\\b.accdb";
    tick();
    sim::SimulatedCommandBars& second = *access.databases[u"C:\\b.accdb"];
    ASSERT_TRUE(second.FindByTag(u"tag-hello"));
    EXPECT_EQ(first.SinkCount(), 0u);
    EXPECT_EQ(second.SinkCount(), 1u);

    access.name.clear();
    tick();
    EXPECT_EQ(second.SinkCount(), 0u);
    EXPECT_TRUE(second.FindByTag(u"tag-hello"));
    EXPECT_EQ(addIn->OnBeginShutdown(nullptr), S_OK);
    EXPECT_EQ(addIn->OnDisconnection(ext_dm_HostShutdown, nullptr), S_OK);
}

TEST_F(CommandBarTest, MovingAControlWhileDesigningCountsAChangeOnEveryControlOfItsCollection) {
    SetBarModuleForm(BarModuleForm(TestBar()));
    Start(ohaWord, false);
    TadxCommandBarControls& controls = *Bar().Controls();
    auto counters = [&] {
        std::vector<int32_t> all;
        for (int i = 0; i < controls.Count(); ++i)
            all.push_back(controls.GetItem(i)->ChangeCounter());
        return all;
    };
    // At run time a move counts nothing.
    controls.GetItem(2)->SetIndex(0);
    EXPECT_EQ(controls.GetItem(0)->StoredOfficeTag(), u"tag-pick");
    EXPECT_EQ(counters(), (std::vector<int32_t>{0, 1, 0}));

    Bar().SetDesigning(true);
    controls.GetItem(0)->SetIndex(2);
    EXPECT_EQ(controls.GetItem(2)->StoredOfficeTag(), u"tag-pick");
    EXPECT_EQ(counters(), (std::vector<int32_t>{2, 1, 1}));
    // The pop-up's own controls are another collection.
    TadxCommandBarControls& nested = *controls.GetItem(1)->GetAsPopup()->Controls();
    EXPECT_EQ(nested.GetItem(0)->ChangeCounter(), 0);
    EXPECT_EQ(nested.GetItem(1)->ChangeCounter(), 0);
}

TEST_F(CommandBarTest, StringListsAreReadInTheStringListsOwnSpelling) {
    SetBarModuleForm(BarModuleForm(TestBar() + R"(  object MailBar: TadxOlExplorerCustomCommandBar
    CommandBarName = 'Mail Bar'
    FolderNames.Strings = (
      'Personal Folders\Inbox'
      'Personal Folders\Drafts')
  end
)"));
    Start(ohaWord, false);
    auto& mailBar =
        dynamic_cast<TadxOlExplorerCustomCommandBar&>(*module->FindComponent("MailBar"));
    ASSERT_EQ(mailBar.FolderNames()->Count(), 2);
    EXPECT_EQ(mailBar.FolderNames()->Strings(0), "Personal Folders\\Inbox");
    EXPECT_EQ(mailBar.FolderNames()->Strings(1), "Personal Folders\\Drafts");
    auto* pick = Bar().Controls()->GetItem(2)->GetAsComboBox();
    ASSERT_TRUE(pick);
    ASSERT_EQ(pick->Items()->Count(), 2);
    EXPECT_EQ(pick->Items()->Strings(1), "b");
}
