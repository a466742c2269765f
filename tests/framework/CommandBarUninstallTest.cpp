// Removing a module's bars and controls from the host, finding them again
// after a window change, explorer-bar positions from one start to the next,
// and the shortcut list of the bars' buttons.
#include "tests/framework/CommandBarTestSupport.h"

#include "framework/commandbars/CommandBarRelays.h"

using namespace fwtest;

namespace {

// The tags of the module's test bar.
const char16_t* const kTags[] = {u"tag-hello", u"tag-more", u"tag-one", u"tag-two", u"tag-pick"};

std::u16string Tag(const sim::SimCommandBarControl& control) {
    return control.Tag();
}

} // namespace

class CommandBarRemoval : public CommandBarTest {
protected:
    void SetUp() override {
        SetBarModuleForm(BarModuleForm(TestBar()));
        Start();
    }
    void ExpectNoControlOfTheAddIn() {
        for (const char16_t* tag : kTags)
            EXPECT_FALSE(Sim(tag)) << text::Narrow(tag);
    }
};

TEST_F(CommandBarRemoval, UninstallDeletesTheControlsAndTheBarButLeavesForeignControls) {
    sim::SimCommandBar& standard = *bars->Bar(u"Standard");
    standard.AddControl(1, 1, 0, false).SetValue("Tag", Variant(u"user"));
    adxUninstallCommandBars(*module, true, true);
    ExpectNoControlOfTheAddIn();
    EXPECT_FALSE(bars->Bar(u"Test Bar"));
    EXPECT_TRUE(Sim(u"user"));
    EXPECT_EQ(standard.Controls().size(), 4u);
}

TEST_F(CommandBarRemoval, BarAndPopupHoldingForeignControlsStay) {
    sim::SimCommandBar& bar = *bars->Bar(u"Test Bar");
    bar.AddControl(1, 1, 0, false).SetValue("Tag", Variant(u"user"));
    Sim(u"tag-more")->PopupBar()->AddControl(1, 1, 0, false).SetValue("Tag", Variant(u"other"));
    Bar().Uninstall();
    ASSERT_TRUE(bars->Bar(u"Test Bar"));
    EXPECT_FALSE(Sim(u"tag-hello"));
    EXPECT_FALSE(Sim(u"tag-one"));
    EXPECT_FALSE(Sim(u"tag-pick"));
    // The pop-up keeps the other add-in's control, so it stays as well.
    ASSERT_TRUE(Sim(u"tag-more"));
    EXPECT_TRUE(Sim(u"other"));
    EXPECT_TRUE(Sim(u"user"));
    EXPECT_FALSE(Bar().CommandBar);
}

TEST_F(CommandBarRemoval, BarTheUserDeletedAfterMovingAControlAwayStillLosesThatControl) {
    bars->UserMove(*Sim(u"tag-hello"), *bars->Bar(u"Standard"), 1);
    bars->UserMove(*Sim(u"tag-more"), *bars->Bar(u"Standard"), 2);
    bars->UserDeleteBar(*bars->Bar(u"Test Bar"));
    Bar().Uninstall();
    ExpectNoControlOfTheAddIn();
    EXPECT_EQ(bars->Bar(u"Standard")->Controls().size(), 3u);
    EXPECT_EQ(errors, std::vector<std::string>{});
}

TEST_F(CommandBarRemoval, WindowChangeFindsTheBarAgainOrMakesItInTheNewWindow) {
    // A temporary bar: the new window has none of it yet.
    Stop();
    SetBarModuleForm(BarModuleForm(TestBar("    Temporary = True\n")));
    Start();
    ComPtr<sim::SimulatedCommandBars> second = sim::SimulatedCommandBars::Create();
    module->CommandBars = second.Query<::CommandBars>();
    adxReconnectCommandBars(*module, true);
    ASSERT_TRUE(second->Bar(u"Test Bar"));
    EXPECT_EQ(Bar().CommandBar.Get(), static_cast<IDispatch*>(second->Bar(u"Test Bar")));
    second->FindByTag(u"tag-one")->UserClick();
    EXPECT_EQ(journal, std::vector<std::string>{"Click tag-one"});
    // Back in the first window: the controls there are bound again.
    module->CommandBars = bars.Query<::CommandBars>();
    second->ClearWrites();
    adxReconnectCommandBars(*module, true);
    EXPECT_EQ(Bar().CommandBar.Get(), static_cast<IDispatch*>(bars->Bar(u"Test Bar")));
    Sim(u"tag-one")->UserClick();
    EXPECT_EQ(journal.size(), 2u);
    EXPECT_EQ(second->Writes(), std::vector<std::string>{});
}

TEST_F(CommandBarRemoval, ReconnectingWhereTheHostHasNoSuchBarLeavesItUnconnected) {
    ComPtr<sim::SimulatedCommandBars> second = sim::SimulatedCommandBars::Create();
    // The user moved one control to the other window's own bar.
    second->Bar(u"Standard")->AddControl(1, 1, 0, false).SetValue("Tag", Variant(u"tag-hello"));
    module->CommandBars = second.Query<::CommandBars>();
    Bar().ReconnectControls();
    EXPECT_FALSE(Bar().CommandBar);
    EXPECT_EQ(Bar().Controls()->GetItem(0)->HostControl(),
              static_cast<IDispatch*>(second->FindByTag(u"tag-hello")));
    EXPECT_FALSE(Bar().Controls()->GetItem(2)->HostControl());
    EXPECT_FALSE(second->Bar(u"Test Bar"));
    EXPECT_EQ(errors, std::vector<std::string>{});
}

TEST_F(CommandBarRemoval, FailingBarIsReportedAndTheNextOneIsStillReconnected) {
    Stop();
    SetBarModuleForm(BarModuleForm(R"(  object First: TadxCustomCommandBar
    CommandBarName = 'First'
  end
)" + TestBar()));
    Start();
    bars->FailNext("Count");
    adxReconnectCommandBars(*module, true);
    ASSERT_EQ(errors.size(), 1u);
    Sim(u"tag-hello")->UserClick();
    EXPECT_EQ(journal, std::vector<std::string>{"Click tag-hello"});
}

TEST_F(CommandBarRemoval, ShortcutListHoldsShortcutTextsAndAmpersandKeys) {
    TStringList& list = module->ControlByShortcut();
    std::vector<std::string> keys;
    for (int i = 0; i < list.Count(); ++i)
        keys.push_back(
            list.Strings(i) + " " +
            text::Narrow(dynamic_cast<TadxCommandBarControl*>(list.Objects(i))->StoredOfficeTag()));
    EXPECT_EQ(keys,
              (std::vector<std::string>{"CTRL+H tag-hello", "ALT+H tag-hello", "ALT+O tag-two"}));
}

TEST_F(CommandBarRemoval, ClearingLinksLetsGoOfTheHostWithoutDeletingAnything) {
    adxClearCommandBarLinks(Bar(), true);
    EXPECT_FALSE(Bar().CommandBar);
    EXPECT_FALSE(Bar().Controls()->GetItem(0)->HostControl());
    EXPECT_EQ(bars->SinkCount(), 0u);
    EXPECT_TRUE(Sim(u"tag-hello"));
    EXPECT_EQ(Tag(*Sim(u"tag-one")), u"tag-one");
}

// ---- explorer bars ----

namespace {

const char* const kExplorerBar = R"(  object ExplorerBar: TadxOlExplorerCustomCommandBar
    CommandBarName = 'Explorer Bar'
    ButtonTypes = {01000000 00000000}
    Buttons = <
      item
        Caption = 'Mail'
        OfficeTag = 'tag-mail'
      end>
  end
)";

} // namespace

class ExplorerBarPositions : public CommandBarTest {
protected:
    void StartOutlook() {
        SetBarModuleForm(BarModuleForm(kExplorerBar, "[ohaOutlook]"));
        Start(ohaOutlook, false);
        module->CommandBars = bars.Query<::CommandBars>();
        module->LoadExplCommandBars();
        module->InternalAddCmdBar(&Bar());
    }
    std::string Key() const {
        return factory.GetRegKey(ohaOutlook) + "\\CommandBars\\Explorer Bar";
    }
};

TEST_F(ExplorerBarPositions, PositionSavedAtCloseComesBackOnTheNextStart) {
    StartOutlook();
    sim::SimCommandBar& bar = *bars->Bar(u"Explorer Bar");
    bar.SetValue("Position", Variant(0));
    bar.SetValue("Left", Variant(120));
    bar.SetValue("Top", Variant(30));
    bar.SetValue("RowIndex", Variant(2));
    module->SaveExplCommandBars();
    Stop(true);
    ASSERT_FALSE(bars->Bar(u"Explorer Bar"));
    StartOutlook();
    sim::SimCommandBar& again = *bars->Bar(u"Explorer Bar");
    EXPECT_EQ(again.Value("Position").AsInteger(), 0);
    EXPECT_EQ(again.Value("Left").AsInteger(), 120);
    EXPECT_EQ(again.Value("Top").AsInteger(), 30);
    EXPECT_EQ(again.Value("RowIndex").AsInteger(), 2);
}

TEST_F(ExplorerBarPositions, MissingAndImplausibleValuesLeaveTheDesign) {
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(Key(), true));
        registry.WriteInteger("Position", 9);
        registry.WriteInteger("Left", 1000000);
        registry.WriteInteger("Top", 40);
    }
    StartOutlook();
    EXPECT_TRUE(errors.empty()) << errors.front();
    sim::SimCommandBar& bar = *bars->Bar(u"Explorer Bar");
    EXPECT_EQ(bar.Value("Position").AsInteger(), 1);
    EXPECT_EQ(bar.Value("Left").AsInteger(), 0);
    EXPECT_EQ(bar.Value("Top").AsInteger(), 40);
    EXPECT_EQ(bar.Value("RowIndex").AsInteger(), 1);
}
