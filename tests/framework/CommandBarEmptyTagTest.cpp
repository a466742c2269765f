// Controls without a tag and records without a name: the host's own
// controls have no tag either, so the module must never look for, bind to
// or delete a host control by an empty tag.
#include "tests/framework/CommandBarTestSupport.h"

#include "framework/commandbars/CommandBarRelays.h"

using namespace fwtest;

namespace {

// A bar with a tagged button, an untagged button, an untagged control
// placed by the id of the host's first "Standard" button, and a pop-up
// holding an untagged button.
std::string BarWithUntaggedControls() {
    return R"(  object Toolbar: TadxCustomCommandBar
    CommandBarName = 'Test Bar'
    ButtonTypes = {04000000 00000000 00000000 05000000 04000000}
    Buttons = <
      item
        Caption = 'Tagged'
        OfficeTag = 'tag-tagged'
        OnClick = Click
      end
      item
        Caption = 'Untagged'
        OfficeTag = ''
        OnClick = Click
      end
      item
        Caption = 'By id'
        OfficeTag = ''
        OfficeID = 2
      end
      item
        Caption = 'Menu'
        OfficeTag = 'tag-menu'
        ButtonTypes = {01000000 00000000}
        Buttons = <
          item
            Caption = 'Inner'
            OfficeTag = ''
          end>
      end>
  end
)";
}

const std::string kMissingTag = "31101: The OfficeTag property cannot be empty.";

// The captions of a bar's controls, in order.
std::vector<std::string> Captions(const sim::SimCommandBar& bar) {
    std::vector<std::string> captions;
    for (const auto& control : bar.Controls())
        captions.push_back(text::Narrow(control->Caption()));
    return captions;
}

const std::vector<std::string> kStandard = {"Built-in 2", "Built-in 4", "Built-in 19"};

} // namespace

class EmptyTags : public CommandBarTest {
protected:
    void SetUp() override { SetBarModuleForm(BarModuleForm(BarWithUntaggedControls())); }
};

TEST_F(EmptyTags, UntaggedControlsAreLeftOutAndReportedOnceNotAtEveryWindowChange) {
    Start();
    sim::SimCommandBar& standard = *bars->Bar(u"Standard");
    EXPECT_EQ(Captions(standard), kStandard);
    for (const auto& control : standard.Controls())
        EXPECT_EQ(control->SinkCount(), 0u);
    ASSERT_TRUE(bars->Bar(u"Test Bar"));
    EXPECT_EQ(Captions(*bars->Bar(u"Test Bar")), (std::vector<std::string>{"Tagged", "Menu"}));
    EXPECT_TRUE(Sim(u"tag-menu")->PopupBar()->Controls().empty());

    adxReconnectCommandBars(*module, true);
    adxReconnectCommandBars(*module, true);
    EXPECT_EQ(Captions(standard), kStandard);
    EXPECT_EQ(bars->Bar(u"Test Bar")->Controls().size(), 2u);
    // One report for each untagged control, all at the first start.
    EXPECT_EQ(errors, (std::vector<std::string>(3, kMissingTag)));

    // The host's first button is not the add-in's: its click runs nothing.
    standard.Control(1)->UserClick();
    Sim(u"tag-tagged")->UserClick();
    EXPECT_EQ(journal, std::vector<std::string>{"Click tag-tagged"});
}

TEST_F(EmptyTags, UninstallLeavesTheHostsOwnControlsAndDoesNotRaise) {
    Start();
    errors.clear();
    EXPECT_NO_THROW(Bar().Uninstall());
    EXPECT_EQ(Captions(*bars->Bar(u"Standard")), kStandard);
    ASSERT_EQ(bars->Bar(u"Menu Bar")->Controls().size(), 1u);
    EXPECT_EQ(bars->Bar(u"Menu Bar")->Control(1)->Id(), 30002);
    EXPECT_FALSE(bars->Bar(u"Test Bar"));
    EXPECT_FALSE(Sim(u"tag-tagged"));
    EXPECT_EQ(errors, std::vector<std::string>{});
}

TEST_F(EmptyTags, RecordWithoutANameNeverDeletesTheHostsMenu) {
    SetBarModuleForm(BarModuleForm(TestBar()));
    Start();
    Stop();
    ASSERT_TRUE(WriteControlRecord("", 1));
    Start();
    ASSERT_EQ(bars->Bar(u"Menu Bar")->Controls().size(), 1u);
    EXPECT_EQ(bars->Bar(u"Menu Bar")->Control(1)->Id(), 30002);
    EXPECT_EQ(Captions(*bars->Bar(u"Standard")), kStandard);
    EXPECT_TRUE(Sim(u"tag-hello"));
    EXPECT_EQ(errors, std::vector<std::string>{});
}

// The missing-tag report of a window change may turn the add-in off (its
// OnError frees the module): the walk over the bar's controls, and over
// a pop-up's, ends there. The host already holds the bar and the pop-up, so
// the window change finds them and reports each untagged control itself.
TEST_F(EmptyTags, AReportThatTurnsTheAddInOffEndsTheWindowChange) {
    for (size_t turnOffAt = 1; turnOffAt <= 3; ++turnOffAt) {
        SCOPED_TRACE(turnOffAt);
        bars = sim::SimulatedCommandBars::Create();
        Start(ohaWord, false);
        bars->AddBar(u"Test Bar", 1, false)
            .AddControl(10, 1, 0, false)
            .SetValue("Tag", Variant(u"tag-menu"));
        std::vector<std::string> reported;
        module->OnError = [&](const Exception& e, bool& handled) {
            reported.push_back(e.Message);
            handled = true;
            if (reported.size() == turnOffAt)
                module.reset();
        };
        Bar().ReconnectControls();
        EXPECT_FALSE(module);
        // The third report is the pop-up's: nothing is reported after it.
        EXPECT_EQ(reported, std::vector<std::string>(turnOffAt, kMissingTag.substr(7)));
    }
}
