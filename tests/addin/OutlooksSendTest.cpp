// The send actions around Outlook's own Send button, and sends that fail:
// the default actions run from the watched message's Send event, and the
// categories taken off the message reach its sent copy even when the
// actions stop early; a send that fails gives the message its categories
// back and says so.
#include "tests/addin/SendActionsFixture.h"

#include "addin/send/FolderWatchers.h"
#include "addin/send/MessageKey.h"

namespace {

using sim::SimItem;

const std::string SendFailedLog = "Exception in ClickTrackAndSendMain objItem.Send()";

class OutlooksSend : public SendActionsTest {
protected:
    // Arms the watch as a configuration with a default action does.
    void Arm() {
        ProgramState().anydefaultaction = 1;
        Module().PlaceButtonBar();
    }
    // The user writes a message, and the watch finds its window.
    ComPtr<sim::SimInspector> ComposeWatched(sim::ItemData data) {
        ComPtr<sim::SimInspector> window = Compose(std::move(data));
        RunTimers(ProgramState().timerdelay);
        EXPECT_TRUE(Module().WatchedItem && Module().WatchedItem->Connected());
        return window;
    }
};

class FailedSend : public SendActionsTest {};

} // namespace

TEST_F(OutlooksSend, TheDefaultActionsRunAndTheMessageLeavesWithoutCategories) {
    Arm();
    TProgramState& state = ProgramState();
    state.folderdef = 1;
    state.calendadd = 1;
    state.categdef = 1;
    state.DefaultCategory = "Customers";
    SetFolderRecord(FolderRecord::Default, *projects, "Archive\\Projects");
    ComPtr<sim::SimInspector> window = ComposeWatched(Mail(u"Own send", u"Red"));
    EXPECT_TRUE(outlook->PressSend(*window));
    EXPECT_EQ(Delivered(), Lines{"Own send: "});
    EXPECT_EQ(Contents(*projects), Lines{"Own send: Red, Customers"});
    ASSERT_EQ(OpenedEntries().size(), 1u);
    EXPECT_EQ(OpenedEntries()[0]->Data().Subject, u"Own send");
    EXPECT_FALSE(state.OwnSend);
    EXPECT_FALSE(state.ItemBeingSent);
}

TEST_F(OutlooksSend, AReplyKeepsTheAnsweredMessagesCategoriesOnItsSentCopy) {
    Arm();
    sim::ItemData received = Mail(u"Budget", u"Finance");
    received.SenderEmailAddress = u"bob@example.com";
    ComPtr<SimItem> budget = outlook->DeliverMail(received);
    ComPtr<sim::SimExplorer> explorer = outlook->OpenExplorer();
    outlook->SelectItems(*explorer, {budget});
    ComPtr<sim::SimInspector> reply = outlook->UserRespond(*budget, outlook::DISPID_Reply);
    ASSERT_TRUE(reply);
    RunTimers(ProgramState().timerdelay);
    EXPECT_TRUE(outlook->PressSend(*reply));
    EXPECT_EQ(Delivered(), Lines{"RE: Budget: "});
    EXPECT_EQ(Contents(*sentItems), Lines{"RE: Budget: Finance"});
    EXPECT_EQ(Module().ReplyCategories, "");
}

TEST_F(OutlooksSend, CategoriesReachTheSentCopyWhenNoInspectorIsActive) {
    Arm();
    // A draft sent from the main window: the actions need an inspector and
    // do nothing, but the categories taken off still reach the sent copy.
    ComPtr<SimItem> draft = outlook->PutItem(*outlook->DefaultFolder(outlook::olFolderDrafts),
                                             sim::ItemKind::Mail, Mail(u"Draft", u"Red"));
    ComPtr<sim::SimExplorer> explorer = outlook->OpenExplorer();
    outlook->SelectItems(*explorer, {draft});
    ASSERT_TRUE(Module().WatchedItem);
    ASSERT_FALSE(outlook->App().ActiveInspector());
    outlook::MailItem(draft->DispRef()).Send();
    EXPECT_EQ(Delivered(), Lines{"Draft: "});
    EXPECT_EQ(Contents(*sentItems), Lines{"Draft: Red"});
}

TEST_F(OutlooksSend, WithMaintainOffCategoriesTakenOffAreNotRestoredEvenWithoutInspector) {
    Arm();
    ProgramState().categmaintain = 0;
    ComPtr<SimItem> draft = outlook->PutItem(*outlook->DefaultFolder(outlook::olFolderDrafts),
                                             sim::ItemKind::Mail, Mail(u"Draft", u"Red"));
    ComPtr<sim::SimExplorer> explorer = outlook->OpenExplorer();
    outlook->SelectItems(*explorer, {draft});
    outlook::MailItem(draft->DispRef()).Send();
    EXPECT_EQ(Delivered(), Lines{"Draft: "});
    EXPECT_EQ(Contents(*sentItems), Lines{"Draft: "});
}

TEST_F(OutlooksSend, AFolderToAskForFilesInSentItemsAndKeepsTheCategories) {
    Arm();
    ProgramState().folderask = 1;
    ProgramState().categdef = 1;
    ProgramState().DefaultCategory = "Customers";
    ComPtr<sim::SimInspector> window = ComposeWatched(Mail(u"Asked", u"Red"));
    EXPECT_TRUE(outlook->PressSend(*window));
    // The user cancels the folder picker.
    EXPECT_EQ(Boxes(), (Lines{"TfrmFolders2", "Filing to Sent Items folder."}));
    EXPECT_EQ(user.Shown()[1].Type, mtInformation);
    EXPECT_EQ(Delivered(), Lines{"Asked: "});
    EXPECT_EQ(Contents(*sentItems), Lines{"Asked: Red, Customers"});
}

TEST_F(OutlooksSend, AMessageWithoutRecipientsKeepsItsCategories) {
    Arm();
    sim::ItemData data = Mail(u"Unaddressed", u"Red");
    data.To.clear();
    ComPtr<sim::SimInspector> window = ComposeWatched(data);
    EXPECT_THROW(outlook->PressSend(*window), Exception) << "Outlook refuses to send it";
    ASSERT_EQ(user.Shown().size(), 1u);
    EXPECT_EQ(user.Shown()[0].Type, mtError);
    EXPECT_EQ(window->CurrentItem().Data().Categories, u"Red");
    EXPECT_EQ(Entries(), Lines{});
}

TEST_F(OutlooksSend, TheProductsOwnSendRunsTheActionsOnce) {
    Arm();
    ProgramState().calendadd = 1;
    ComposeWatched(Mail(u"Once", u"Red"));
    Module().DoIndividualAction(TIndividualAction::AddToCalendar);
    EXPECT_EQ(OpenedEntries().size(), 1u);
    EXPECT_EQ(Delivered(), Lines{"Once: "});
    EXPECT_EQ(Contents(*sentItems), Lines{"Once: Red"});
}

TEST_F(FailedSend, TheMessageGetsItsCategoriesBackAndTheUserIsTold) {
    SetFolderRecord(FolderRecord::Default, *projects, "Archive\\Projects");
    ComPtr<sim::SimInspector> window = Compose(Mail(u"Refused", u"Red"));
    window->CurrentItem().FailMember("Send");
    Module().DoIndividualAction(TIndividualAction::FileToDefaultFolder);
    EXPECT_TRUE(outlook->Deliveries().empty());
    EXPECT_EQ(window->CurrentItem().Data().Categories, u"Red");
    EXPECT_EQ(LogAfterStart(), Lines{SendFailedLog});
    ASSERT_EQ(user.Shown().size(), 1u);
    EXPECT_EQ(user.Shown()[0].Type, mtError);
    EXPECT_EQ(user.Shown()[0].Text.rfind("The message could not be sent.\r\n", 0), 0u)
        << user.Shown()[0].Text;
    ASSERT_EQ(Entries().size(), 1u) << "the entry stays: the message may still be sent";
    EXPECT_NE(Entries()[0].find("=Red%StoreId%"), std::string::npos) << Entries()[0];
    EXPECT_EQ(Module().FolderItems, nullptr) << "the filing folder's watcher was disconnected";
}

TEST_F(FailedSend, AnOlderFilingFolderWatcherStays) {
    ProgramState().FolderRecords[FolderRecord::Default].Clear();
    Module().FolderConnect(outlook::MAPIFolder(projects->DispRef()));
    TFolderItems* older = Module().FolderItems;
    ComPtr<sim::SimInspector> window = Compose(Mail(u"Refused", u"Red"));
    window->CurrentItem().FailMember("Send");
    Module().DoIndividualAction(TIndividualAction::AddToCalendar);
    EXPECT_EQ(LogAfterStart(), Lines{SendFailedLog});
    EXPECT_EQ(Module().FolderItems, older);
}

TEST_F(FailedSend, AnotherEntryNamingTheSameFolderKeepsItWatched) {
    SetFolderRecord(FolderRecord::Default, *projects, "Archive\\Projects");
    const outlook::MAPIFolder folder(projects->DispRef());
    Module().FolderConnect(folder); // an entry of an earlier send waits there
    ComPtr<sim::SimInspector> window = Compose(Mail(u"Refused", u"Red"));
    window->CurrentItem().FailMember("Send");
    Module().DoIndividualAction(TIndividualAction::FileToDefaultFolder);
    EXPECT_EQ(LogAfterStart(), Lines{SendFailedLog});
    EXPECT_EQ(Module().FolderConnections(folder), 1) << "the failed send's connection went";
    EXPECT_EQ(projects->Items().SinkCount(), 1u);
}

TEST_F(FailedSend, TheMessageCanBeSentOnceOutlookSendsAgain) {
    ComPtr<sim::SimInspector> window = Compose(Mail(u"Retried", u"Red"));
    window->CurrentItem().FailMember("Send");
    Module().DoIndividualAction(TIndividualAction::AddToCalendar);
    window->CurrentItem().RestoreMember("Send");
    outlook->Activate(*window);
    Module().DoIndividualAction(TIndividualAction::AddToCalendar);
    EXPECT_EQ(Delivered(), Lines{"Retried: "});
    EXPECT_EQ(Contents(*sentItems), Lines{"Retried: Red"});
    EXPECT_EQ(Entries(), Lines{});
}

TEST_F(FailedSend, TwoMessagesOfTheSameTextWithoutConversationIndexShareOneKey) {
    // Outlook 2003 gives new messages no conversation index.
    session.reset();
    sentItems = clients = projects = archive = nullptr;
    outlook = std::make_unique<sim::OutlookSim>(11);
    sentItems = outlook->DefaultFolder(outlook::olFolderSentMail);
    session = std::make_unique<AddInSession>(*outlook);

    ComPtr<sim::SimInspector> first = Compose(Mail(u"Same", u"Red", u"Same text."));
    first->CurrentItem().FailMember("Send");
    Module().DoIndividualAction(TIndividualAction::AddToCalendar);
    const std::string key = MD5Key("SameSametext.");
    EXPECT_EQ(Entries(), Lines{key + "=Red"});

    ComPtr<sim::SimInspector> second = Compose(Mail(u"Same", u"Blue", u"Same  text.\r\n"));
    Module().DoIndividualAction(TIndividualAction::AddToCalendar);
    EXPECT_EQ(Contents(*sentItems), Lines{"Same: Blue"});
    EXPECT_EQ(Entries(), Lines{}) << "the first message's entry was dropped";
}
