// The watch on Outlook's own sends: while a default action is on, the
// message of the active inspector (after one or two timed tries) or the
// first one selected in the explorer is watched; its Send runs the default
// actions and leaves it without categories, its answers note its categories.
#include "tests/addin/AddInSession.h"
#include "tests/addin/ProductTestSupport.h"
#include "tests/support/OutlookReaders.h"

#include "platform/text/Text.h"

#include <algorithm>

namespace {

using Lines = std::vector<std::string>;
using sim::ItemKind;
using sim::SimItem;

class SendWatch : public ProductTest {
protected:
    // Arms the watch as a configuration with a default action does.
    void Arm() {
        ProgramState().anydefaultaction = 1;
        module.PlaceButtonBar();
    }
    // The subject of the watched message; empty while none is watched.
    std::string Watched() const {
        return module.WatchedItem && module.WatchedItem->Connected()
                   ? text::Narrow(module.WatchedItem->Subject())
                   : std::string();
    }
    sim::ItemData Mail(std::u16string subject, std::u16string categories = u"") {
        sim::ItemData data = testsupport::MailToAnn(std::move(subject), std::move(categories), u"");
        data.SenderName = u"Bob";
        data.SenderEmailAddress = u"bob@example.com";
        return data;
    }
    static size_t CountOf(const Lines& lines, const std::string& line) {
        return std::count(lines.begin(), lines.end(), line);
    }

    sim::OutlookSim outlook{12};
    AddInSession session{outlook};
    TAddInModule& module = session.Module();
};

} // namespace

TEST_F(SendWatch, ArmedOnlyWhileADefaultActionIsOn) {
    EXPECT_FALSE(module.OnOLInspectorActivate);
    EXPECT_FALSE(module.OnOLExplorerSelectionChange);
    Arm();
    EXPECT_TRUE(module.OnOLInspectorActivate);
    EXPECT_TRUE(module.OnOLExplorerSelectionChange);
    ProgramState().anydefaultaction = 0;
    module.PlaceButtonBar();
    EXPECT_FALSE(module.OnOLInspectorActivate);
    EXPECT_FALSE(module.OnOLExplorerSelectionChange);
}

TEST_F(SendWatch, TheActiveInspectorsMessageIsWatchedAtTheFirstTick) {
    Arm();
    ProgramState().timerdelay = 25;
    outlook.ComposeNewMail(Mail(u"Draft", u"Red"));
    module.adxCOMAddInModuleOLInspectorActivate(&module);
    EXPECT_TRUE(module.Timer1->Enabled());
    EXPECT_EQ(module.Timer1->Interval(), 25u);
    RunTimers(24);
    EXPECT_EQ(Watched(), "");
    RunTimers(1);
    EXPECT_EQ(Watched(), "Draft");
    EXPECT_FALSE(module.Timer1->Enabled());
    EXPECT_FALSE(module.Timer2->Enabled());
}

TEST_F(SendWatch, AnInspectorNotReadyIsTriedOnceMoreAfterTwiceTheDelayThenGivenUp) {
    Arm();
    module.adxCOMAddInModuleOLInspectorActivate(&module);
    RunTimers(10);
    const std::string waiting = LogTime + "Timer 1 - no Inspector assigned yet - waiting some more";
    const std::string exit = LogTime + "Timer 2 - no Inspector assigned - going exit";
    EXPECT_EQ(CountOf(LogLines(), waiting), 1u);
    EXPECT_TRUE(module.Timer2->Enabled());
    EXPECT_EQ(module.Timer2->Interval(), 20u);
    RunTimers(19);
    EXPECT_EQ(CountOf(LogLines(), exit), 0u);
    RunTimers(1);
    EXPECT_EQ(CountOf(LogLines(), exit), 1u);
    EXPECT_FALSE(module.Timer2->Enabled());
    RunTimers(1000);
    EXPECT_EQ(CountOf(LogLines(), exit), 1u) << "no further try";
    EXPECT_EQ(Watched(), "");
}

TEST_F(SendWatch, TheSecondTryWatchesAnInspectorThatHasBecomeReady) {
    Arm();
    module.adxCOMAddInModuleOLInspectorActivate(&module);
    RunTimers(10);
    outlook.ComposeNewMail(Mail(u"Late window"));
    RunTimers(20);
    EXPECT_EQ(Watched(), "Late window");
    EXPECT_EQ(CountOf(LogLines(), LogTime + "Timer 2 - no Inspector assigned - going exit"), 0u);
}

TEST_F(SendWatch, ADelayBelowOneMillisecondStillWatches) {
    Arm();
    ProgramState().timerdelay = 0;
    outlook.ComposeNewMail(Mail(u"Quick"));
    module.adxCOMAddInModuleOLInspectorActivate(&module);
    EXPECT_EQ(module.Timer1->Interval(), 1u);
    // Window timers run no faster than every 10 milliseconds.
    RunTimers(10);
    EXPECT_EQ(Watched(), "Quick");
}

TEST_F(SendWatch, DisarmedAnActivationStopsTheTimer) {
    Arm();
    module.adxCOMAddInModuleOLInspectorActivate(&module);
    ProgramState().anydefaultaction = 0;
    module.adxCOMAddInModuleOLInspectorActivate(&module);
    EXPECT_FALSE(module.Timer1->Enabled());
    outlook.ComposeNewMail(Mail(u"Unwatched"));
    RunTimers(100);
    EXPECT_EQ(Watched(), "");
}

TEST_F(SendWatch, OutlooksOwnSendRunsTheSendActionsAndTheMessageLeavesWithoutCategories) {
    Arm();
    ComPtr<sim::SimInspector> inspector = outlook.ComposeNewMail(Mail(u"Own send", u"Red, Blue"));
    module.adxCOMAddInModuleOLInspectorActivate(&module);
    RunTimers(10);
    ASSERT_EQ(Watched(), "Own send");
    EXPECT_TRUE(outlook.PressSend(*inspector));
    ASSERT_EQ(outlook.Deliveries().size(), 1u);
    EXPECT_EQ(outlook.Deliveries()[0].Categories, u"");
    // "Maintain Categories" is on: the send actions kept them for the sent copy.
    sim::SimItems& sent = outlook.DefaultFolder(outlook::olFolderSentMail)->Items();
    ASSERT_EQ(sent.Count(), 1u);
    EXPECT_EQ(sent.At(0).Stored().Categories, u"Red, Blue");
    EXPECT_FALSE(ProgramState().ItemBeingSent);
    EXPECT_FALSE(ProgramState().OwnSend);
}

TEST_F(SendWatch, TheProductsOwnSendOnlyTakesTheCategoriesOff) {
    Arm();
    ComPtr<sim::SimInspector> inspector = outlook.ComposeNewMail(Mail(u"Button send", u"Red"));
    module.adxCOMAddInModuleOLInspectorActivate(&module);
    RunTimers(10);
    ProgramState().OwnSend = true;
    outlook::MailItem(inspector->CurrentItem().DispRef()).Send();
    EXPECT_EQ(outlook.Deliveries().at(0).Categories, u"");
    EXPECT_EQ(ProgramState().SessionEntries->Count(), 0) << "the product's button records them";
    EXPECT_FALSE(ProgramState().OwnSend);
}

TEST_F(SendWatch, TheFirstSelectedMessageIsWatchedAndANonMailSelectionLeavesItInPlace) {
    Arm();
    ComPtr<SimItem> first = outlook.DeliverMail(Mail(u"First"));
    ComPtr<SimItem> second = outlook.DeliverMail(Mail(u"Second"));
    ComPtr<SimItem> meeting = outlook.PutItem(*outlook.DefaultFolder(outlook::olFolderInbox),
                                              ItemKind::MeetingRequest, Mail(u"Meeting"));
    ComPtr<sim::SimExplorer> explorer = outlook.OpenExplorer();
    outlook.SelectItems(*explorer, {second, first});
    module.adxCOMAddInModuleOLExplorerSelectionChange(&module);
    EXPECT_EQ(Watched(), "Second");
    outlook.SelectItems(*explorer, {meeting, first});
    module.adxCOMAddInModuleOLExplorerSelectionChange(&module);
    EXPECT_EQ(Watched(), "Second");
    outlook.SelectItems(*explorer, {});
    module.adxCOMAddInModuleOLExplorerSelectionChange(&module);
    EXPECT_EQ(Watched(), "Second") << "an empty selection watches nothing new";
    outlook.SelectItems(*explorer, {first});
    module.adxCOMAddInModuleOLExplorerSelectionChange(&module);
    EXPECT_EQ(Watched(), "First");
}

TEST_F(SendWatch, TheFirstExplorerActivationWatchesTheSelectionOnce) {
    Arm();
    ComPtr<SimItem> mail = outlook.DeliverMail(Mail(u"Selected"));
    ComPtr<sim::SimExplorer> explorer = outlook.OpenExplorer();
    outlook.SelectItems(*explorer, {mail});
    module.adxCOMAddInModuleOLExplorerActivate(&module);
    EXPECT_EQ(Watched(), "Selected");
    EXPECT_FALSE(module.OnOLExplorerActivate) << "it runs once";
}

TEST_F(SendWatch, AnExplorerOpenAtStartUpHasItsSelectionWatchedOnce) {
    sim::OutlookSim other{12};
    ComPtr<SimItem> mail = other.DeliverMail(Mail(u"Open at start"));
    ComPtr<sim::SimExplorer> explorer = other.OpenExplorer();
    other.SelectItems(*explorer, {mail});
    session.End();
    ResetProgramState();
    // A configuration with a default action.
    ProgramState().anydefaultaction = 1;
    AddInSession started(other);
    ASSERT_TRUE(started.Module().WatchedItem);
    EXPECT_EQ(text::Narrow(started.Module().WatchedItem->Subject()), "Open at start");
    EXPECT_FALSE(started.Module().OnOLExplorerActivate) << "it runs once";
}

TEST_F(SendWatch, OutlooksWindowEventsReachTheWatch) {
    Arm();
    ComPtr<SimItem> mail = outlook.DeliverMail(Mail(u"Clicked"));
    ComPtr<sim::SimExplorer> explorer = outlook.OpenExplorer();
    outlook.SelectItems(*explorer, {mail});
    EXPECT_EQ(Watched(), "Clicked");
    ComPtr<sim::SimInspector> inspector = outlook.ComposeNewMail(Mail(u"Composed"));
    RunTimers(10);
    EXPECT_EQ(Watched(), "Composed");
}

TEST_F(SendWatch, AnAnswerNotesTheAnsweredMessagesCategories) {
    Arm();
    ComPtr<SimItem> tagged = outlook.DeliverMail(Mail(u"Tagged", u"Customers, Offers"));
    ComPtr<SimItem> plain = outlook.DeliverMail(Mail(u"Plain"));
    ComPtr<sim::SimExplorer> explorer = outlook.OpenExplorer();
    for (DISPID how : {outlook::DISPID_Reply, outlook::DISPID_ReplyAll, outlook::DISPID_Forward}) {
        outlook.SelectItems(*explorer, {tagged});
        module.adxCOMAddInModuleOLExplorerSelectionChange(&module);
        module.ReplyCategories.clear();
        ComPtr<sim::SimInspector> answer = outlook.UserRespond(*tagged, how);
        EXPECT_EQ(module.ReplyCategories, "Customers, Offers") << how;
        outlook.Close(*answer);

        outlook.SelectItems(*explorer, {plain});
        module.adxCOMAddInModuleOLExplorerSelectionChange(&module);
        answer = outlook.UserRespond(*plain, how);
        EXPECT_EQ(module.ReplyCategories, "") << how;
        outlook.Close(*answer);
    }
}
