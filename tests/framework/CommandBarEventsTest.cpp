// The controls' events: clicks and changes reach the handlers of their own
// control only, once at a time, also when the handler frees the add-in,
// and a sink whose host object went stale moves to the firing one.
#include "tests/framework/CommandBarTestSupport.h"

#include "framework/commandbars/ControlEventSink.h"

using namespace fwtest;

namespace {

TadxEventSink* FirstSink(TadxCOMAddInModule& module) {
    return dynamic_cast<TadxEventSink*>(module.EventSinks->Items(0));
}

TadxCommandBarButton& Hello(CommandBarTest& test, TadxCustomCommandBar& bar) {
    (void)test;
    return *bar.Controls()->GetItem(0)->GetAsButton();
}

} // namespace

class CommandBarEvents : public CommandBarTest {
protected:
    void SetUp() override {
        SetBarModuleForm(BarModuleForm(TestBar()));
        Start();
    }
};

TEST_F(CommandBarEvents, ClickReachesOnClickOnlyForTheControlsOwnTag) {
    // The host raises Click on every object of the tag clicked: the sink of
    // "Hello" hears a click of "One" and must let it pass.
    Sim(u"tag-one")->DeliverClickTo(*Sim(u"tag-hello"));
    EXPECT_EQ(journal, std::vector<std::string>{});
    Sim(u"tag-hello")->UserClick();
    Sim(u"tag-one")->UserClick();
    EXPECT_EQ(journal, (std::vector<std::string>{"Click tag-hello", "Click tag-one"}));
}

TEST_F(CommandBarEvents, ClickDuringItsOwnOnClickIsDroppedAndAFailureClearsTheBusyState) {
    int depth = 0;
    TBarModule::DuringClick = [&](TBarModule&, TObject*) {
        if (++depth == 1)
            Sim(u"tag-hello")->UserClick();
        throw Exception("Click failed");
    };
    Sim(u"tag-hello")->UserClick();
    EXPECT_EQ(journal, std::vector<std::string>{"Click tag-hello"});
    EXPECT_EQ(errors, std::vector<std::string>{"0: Click failed"});
    Sim(u"tag-hello")->UserClick();
    EXPECT_EQ(journal.size(), 2u);
}

TEST_F(CommandBarEvents, OnClickThatFreesTheAddInEndsQuietly) {
    TBarModule::DuringClick = [this](TBarModule&, TObject*) {
        module.reset();
        throw Exception("Raised after the add-in was turned off");
    };
    Sim(u"tag-hello")->UserClick();
    EXPECT_FALSE(module);
    EXPECT_EQ(journal, std::vector<std::string>{"Click tag-hello"});
    // Nobody was left to report to.
    EXPECT_EQ(errors, std::vector<std::string>{});
    EXPECT_EQ(bars->SinkCount(), 0u);
}

TEST_F(CommandBarEvents, StaleHostControlMovesTheSinkToTheFiringControl) {
    sim::SimCommandBarControl* old = Sim(u"tag-hello");
    ComPtr<sim::SimCommandBarControl> keepOld = ComPtr<sim::SimCommandBarControl>::Share(old);
    ASSERT_EQ(old->SinkCount(), 1u);
    // The host made a new object for the control; the old one went stale.
    old->Remove();
    sim::SimCommandBarControl& fresh = bars->Bar(u"Standard")->AddControl(1, 1, 0, false);
    fresh.SetValue("Tag", Variant(u"tag-hello"));
    fresh.DeliverClickTo(*old);
    EXPECT_EQ(journal, std::vector<std::string>{"Click tag-hello"});
    // The old sink left the object it was advised on; the new one listens on the fresh one.
    EXPECT_EQ(old->SinkCount(), 0u);
    EXPECT_EQ(fresh.SinkCount(), 1u);
    EXPECT_EQ(Hello(*this, Bar()).HostControl(), static_cast<IDispatch*>(&fresh));
    fresh.UserClick();
    EXPECT_EQ(journal.size(), 2u);
}

TEST_F(CommandBarEvents, SinkAnswersItsOneNameAndIgnoresCallsWithoutTheFiringControl) {
    TadxEventSink* sink = FirstSink(*module);
    ASSERT_TRUE(sink);
    const char16_t* click = u"Click";
    const char16_t* lower = u"click";
    DISPID id = 0;
    EXPECT_EQ(sink->GetIDsOfNames(GUID{}, &click, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 1);
    EXPECT_EQ(sink->GetIDsOfNames(GUID{}, &lower, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(sink->GetIDsOfNames(GUID{}, &click, 2, 0, &id), E_INVALIDARG);
    EXPECT_EQ(sink->GetIDsOfNames(GUID{}, nullptr, 1, 0, &id), E_POINTER);
    DispParams none;
    EXPECT_EQ(sink->Invoke(2, GUID{}, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(sink->Invoke(1, GUID{}, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
              E_POINTER);
    EXPECT_EQ(sink->Invoke(1, GUID{}, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(journal, std::vector<std::string>{});
}

TEST_F(CommandBarEvents, ChangeOfAListReachesOnChange) {
    Sim(u"tag-pick")->UserChange(u"b");
    EXPECT_EQ(journal, std::vector<std::string>{"Change tag-pick"});
    auto* pick = dynamic_cast<TadxCustomCommandBarComboBox*>(Bar().Controls()->GetItem(2));
    EXPECT_EQ(pick->GetText(), u"b");
}

TEST_F(CommandBarEvents, ItemsFollowToTheHostListAlsoWhenItsObjectWentStale) {
    auto* pick = dynamic_cast<TadxCustomCommandBarComboBox*>(Bar().Controls()->GetItem(2));
    pick->Items()->Add("c");
    EXPECT_EQ(Sim(u"tag-pick")->ListItems(), (std::vector<std::u16string>{u"a", u"b", u"c"}));
    // Clear fails once: the control is found again by its tag and filled.
    bars->FailNext("Clear");
    pick->Items()->Add("d");
    EXPECT_EQ(Sim(u"tag-pick")->ListItems().size(), 4u);
    // The user deleted the list: nothing is found, nothing is filled, nothing fails.
    Sim(u"tag-pick")->Remove();
    pick->Items()->Add("e");
    EXPECT_EQ(errors, std::vector<std::string>{});
    EXPECT_FALSE(pick->HostControl());
}
