// Installing a module's bars in a host: the first start, restarts that push
// nothing or push again, controls the user removed, records of controls
// the module no longer has, placement and the framework's errors.
#include "tests/framework/CommandBarTestSupport.h"

#include "tests/support/ExpectRaises.h"

using namespace fwtest;

namespace {

std::vector<std::string> Describe(sim::SimulatedCommandBars& bars) {
    return bars.Describe();
}

bool RecordExists(const std::string& key, const std::string& name) {
    TRegistry registry;
    return registry.OpenKey(key, false) && registry.ValueExists(name);
}

} // namespace

TEST_F(CommandBarTest, FirstStartMakesTheBarWithItsControlsFromTheStoredForm) {
    SetBarModuleForm(BarModuleForm(TestBar()));
    Start();
    EXPECT_EQ(Describe(*bars), (std::vector<std::string>{
                                   "bar 'Test Bar' top visible",
                                   "  1 button '&Hello'",
                                   "  2 popup 'More'",
                                   "    1 button 'One'",
                                   "    2 button 'Tw&o'",
                                   "  3 combo 'Pick' text 'a' items a|b",
                               }));
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(Bar().ChangeCounter(), 3);
    EXPECT_TRUE(RecordExists(module->GetRegistryKey() + "\\CommandBars", "Test Bar"));
    EXPECT_TRUE(RecordExists(module->GetRegistryKey() + "\\Controls", "tag-one"));
    EXPECT_EQ(Sim(u"tag-hello")->Value("ShortcutText").AsString(), "Ctrl+H");
}

TEST_F(CommandBarTest, RestartWithAnUnchangedDesignWritesNothingToTheHost) {
    SetBarModuleForm(BarModuleForm(TestBar()));
    Start();
    Stop(true);
    // The user hides the bar and renames a button; an unchanged design keeps that.
    bars->Bar(u"Test Bar")->SetValue("Visible", false);
    Sim(u"tag-hello")->SetValue("Caption", Variant(u"Mine"));
    bars->ClearWrites();
    Start();
    EXPECT_EQ(bars->Writes(), std::vector<std::string>{});
    EXPECT_TRUE(Sim(u"tag-hello")->UserClick() == false);
    EXPECT_EQ(journal, std::vector<std::string>{"Click tag-hello"});
}

struct PushCase {
    const char* name;
    std::string extra;
    int counter;
    TadxOfficeHostApp host;
    // The controls are pushed too (a list fills its items again).
    bool controlsToo;
};

class PushAgain : public CommandBarTest, public ::testing::WithParamInterface<PushCase> {};

TEST_P(PushAgain, BarIsPushedAgainOnTheNextStart) {
    const PushCase& c = GetParam();
    SetBarModuleForm(BarModuleForm(TestBar(c.extra)));
    Start(c.host);
    Stop();
    bars->Bar(u"Test Bar")->SetValue("Visible", false);
    bars->ClearWrites();
    SetBarModuleForm(BarModuleForm(TestBar(c.extra, c.counter)));
    Start(c.host);
    std::vector<std::string> expected{"Test Bar.Visible = True"};
    if (c.controlsToo)
        expected.insert(expected.end(), {"Test Bar/Pick.Clear", "Test Bar/Pick.AddItem 'a'",
                                         "Test Bar/Pick.AddItem 'b'"});
    EXPECT_EQ(bars->Writes(), expected);
}

INSTANTIATE_TEST_SUITE_P(CommandBars, PushAgain,
                         ::testing::Values(PushCase{"ChangedCounter", "", 4, ohaWord, false},
                                           PushCase{"Temporary", "    Temporary = True\n", 3,
                                                    ohaWord, true},
                                           PushCase{"Access", "", 3, ohaAccess, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandBarTest, ExplorerBarNeverWritesItsCounter) {
    SetBarModuleForm(BarModuleForm(R"(  object ExplorerBar: TadxOlExplorerCustomCommandBar
    CommandBarName = 'Explorer Bar'
    PropertyChanged = 7
  end
)" + TestBar()));
    Start(ohaOutlook, false);
    module->CommandBars = bars.Query<::CommandBars>();
    for (int i = 0; i < module->ComponentCount(); ++i)
        module->InternalAddCmdBar(dynamic_cast<TadxCustomCommandBar*>(module->Components(i)));
    EXPECT_TRUE(bars->Bar(u"Explorer Bar"));
    EXPECT_TRUE(bars->Bar(u"Explorer Bar")->Temporary());
    EXPECT_FALSE(RecordExists(module->GetRegistryKey() + "\\CommandBars", "Explorer Bar"));
    EXPECT_TRUE(RecordExists(module->GetRegistryKey() + "\\CommandBars", "Test Bar"));
}

TEST_F(CommandBarTest, ModuleWithoutAnAddInKeyKeepsNoRecords) {
    SetBarModuleForm(BarModuleForm(TestBar()));
    Start(ohaWord, false);
    module->Factory = nullptr;
    module->Install();
    EXPECT_TRUE(bars->Bar(u"Test Bar"));
    TRegistry registry;
    EXPECT_FALSE(registry.KeyExists("\\CommandBars"));
    EXPECT_FALSE(registry.KeyExists("\\Controls"));
}

TEST_F(CommandBarTest, ControlTheUserRemovedStaysRemovedUntilItsDesignChanges) {
    SetBarModuleForm(BarModuleForm(TestBar()));
    Start();
    Stop();
    Sim(u"tag-hello")->Remove();
    Start();
    EXPECT_FALSE(Sim(u"tag-hello"));
    Stop();
    SetBarModuleForm(BarModuleForm(TestBar("", 3, 2)));
    Start();
    ASSERT_TRUE(Sim(u"tag-hello"));
    EXPECT_EQ(Sim(u"tag-hello")->Index(), 1);
}

TEST_F(CommandBarTest, RecordsOfControlsTheModuleNoLongerHasGoWithTheirHostControls) {
    SetBarModuleForm(BarModuleForm(TestBar()));
    Start();
    Stop();
    ASSERT_TRUE(WriteControlRecord("tag-gone", 1));
    // A host control of a tag the module no longer declares, and one record without control.
    sim::SimCommandBar& other = bars->AddBar(u"Other", 1, false);
    other.AddControl(1, 1, 0, false).SetValue("Tag", Variant(u"tag-old"));
    ASSERT_TRUE(WriteControlRecord("tag-old", 1));
    Start();
    const std::string key = factory.GetRegKey(ohaWord) + "\\Controls";
    EXPECT_FALSE(Sim(u"tag-old"));
    EXPECT_FALSE(RecordExists(key, "tag-old"));
    EXPECT_TRUE(RecordExists(key, "tag-gone"));
    EXPECT_TRUE(RecordExists(key, "tag-hello"));
}

TEST_F(CommandBarTest, PlacementAfterTheUserRemovedControlsStaysWithinTheBar) {
    SetBarModuleForm(BarModuleForm(TestBar()));
    Start();
    Stop();
    // The user removes the first two controls and moves the combo box first.
    sim::SimCommandBar& bar = *bars->Bar(u"Test Bar");
    bars->UserMove(*Sim(u"tag-pick"), bar, 1);
    Sim(u"tag-hello")->Remove();
    Sim(u"tag-more")->Remove();
    // A changed design of the combo box moves it back to its place, which
    // now lies past the bar's end.
    ASSERT_TRUE(WriteControlRecord("tag-pick", 99));
    Start();
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(Sim(u"tag-pick")->Index(), 1);
}

TEST_F(CommandBarTest, BarNamesAreFoundWhateverTheirLetterCase) {
    SetBarModuleForm(BarModuleForm(TestBar()));
    bars->AddBar(u"TEST BAR", 1, false);
    Start();
    EXPECT_FALSE(bars->Bar(u"Test Bar"));
    EXPECT_EQ(bars->Bar(u"TEST BAR")->Controls().size(), 3u);
}

TEST_F(CommandBarTest, FrameworkErrorsOfBarsAndAdvancedControls) {
    SetBarModuleForm(BarModuleForm(TestBar()));
    Start();
    ExpectRaises<EOleSysError>([] { TadxCustomCommandBar bar(nullptr); },
                               "The TadxCustomCommandBar class cannot be contained in the nil "
                               "class.");
    TComponent owner(nullptr);
    ExpectRaises<EOleSysError>([&] { TadxCustomCommandBar bar(&owner); },
                               "The TadxCustomCommandBar class cannot be contained in the "
                               "TComponent class.");

    TadxCustomCommandBar& bar = Bar();
    bar.Controls()->Add(adxKindAdvanced);
    EXPECT_EQ(bar.GetProtection(), adxMsoBarNoChangeDock);
    bar.SetPosition(adxMsoBarMenuBar);
    EXPECT_EQ(bar.GetPosition(), adxMsoBarTop);
    bar.SetProtection(adxMsoBarNoMove);
    EXPECT_EQ(bar.GetProtection(), adxMsoBarNoChangeDock);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].substr(0, 7), "31114: ");
    EXPECT_EQ(errors[1].substr(0, 7), "31115: ");
    TadxCommandBarPopup* popup = bar.Controls()->GetItem(1)->GetAsPopup();
    ExpectRaises<EOleSysError>([&] { popup->Controls()->Add(adxKindAdvanced); },
                               "The TadxCommandBarAdvancedControl cannot be placed into the "
                               "TadxCommandBarPopup control.");
}

TEST_F(CommandBarTest, OutlookBarNameWithAnApostropheIsReportedAndTheOtherBarsInstalled) {
    SetBarModuleForm(BarModuleForm(R"(  object BadBar: TadxCustomCommandBar
    CommandBarName = 'Don''t'
  end
)" + TestBar()));
    Start(ohaOutlook, false);
    module->CommandBars = bars.Query<::CommandBars>();
    module->Install();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "31102: Illegal character in the Don't commandbar name.");
    EXPECT_TRUE(bars->Bar(u"Test Bar"));
}

TEST_F(CommandBarTest, MapPointRefusesBarsAndControls) {
    SetBarModuleForm(BarModuleForm(TestBar(), "[ohaMapPoint]"));
    Start(ohaMapPoint, false);
    ExpectRaises<EOleSysError>([&] { module->InternalAddCmdBar(&Bar()); },
                               "Cannot add a control to MS MapPoint.");
}
