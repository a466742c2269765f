// The sent-copy watchers with the product in a simulated Outlook: an entry
// recorded before the send puts its categories on the sent copy where
// Outlook stores it, never on what the recipients receive; entries still
// waiting survive one restart through the pending-actions file.
#include "tests/addin/AddInSession.h"
#include "tests/addin/ProductTestSupport.h"
#include "tests/support/OutlookReaders.h"

#include "addin/send/FolderWatchers.h"
#include "addin/send/MessageKey.h"
#include "addin/send/PendingEntries.h"
#include "platform/rtl/FileUtils.h"
#include "platform/text/Text.h"

#include <algorithm>

namespace {

using Lines = std::vector<std::string>;
using sim::ItemKind;
using sim::SimFolder;
using sim::SimItem;

class SentCopyWatch : public ProductTest {
protected:
    // A message ready to send; its categories are what the user gave it.
    ComPtr<SimItem> Message(std::u16string subject, std::u16string categories = u"",
                            std::u16string body = u"Hello,\r\nsee you.\r\n") {
        sim::ItemData data =
            testsupport::MailToAnn(std::move(subject), std::move(categories), std::move(body));
        return outlook->NewItem(ItemKind::Mail, data);
    }
    // What the send actions do: record the entry, take the categories off, send.
    void RecordAndSend(AddInSession& session, SimItem& message, const std::string& categories) {
        outlook::MailItem item(message.DispRef());
        session.Module().RecordPendingEntry(item, categories);
        item.SetCategories(u"");
        item.Send();
    }
    // The items stored in folder, as "subject: categories".
    static Lines Contents(SimFolder& folder) {
        Lines lines;
        for (size_t i = 0; i < folder.Items().Count(); ++i) {
            const sim::ItemData& stored = folder.Items().At(i).Stored();
            lines.push_back(text::Narrow(stored.Subject + u": " + stored.Categories));
        }
        return lines;
    }
    static Lines Entries(const std::unique_ptr<TStringList>& list) {
        Lines lines;
        for (int i = 0; list && i < list->Count(); ++i)
            lines.push_back((*list)[i]);
        return lines;
    }
    // Outlook with a second store "Archive" holding the folders "Projects" and "Old".
    void StartOutlook(bool withOld = true) {
        outlook.reset();
        outlook = std::make_unique<sim::OutlookSim>(12);
        archive = outlook->AddStore(u"Archive");
        projects = outlook->AddFolder(*archive, u"Projects");
        old = withOld ? outlook->AddFolder(*archive, u"Old") : nullptr;
        sent = outlook->DefaultFolder(outlook::olFolderSentMail);
    }
    // A folder of the simulated Outlook as the product sees it.
    static outlook::MAPIFolder Folder(SimFolder& folder) {
        return outlook::MAPIFolder(folder.DispRef());
    }
    void TearDown() override {
        sent = projects = old = archive = nullptr;
        outlook.reset();
        EXPECT_EQ(sim::OutlookSim::LiveObjects(), 0);
    }

    std::unique_ptr<sim::OutlookSim> outlook;
    ComPtr<SimFolder> archive, projects, old, sent;
};

} // namespace

TEST_F(SentCopyWatch, TheCategoriesArriveOnTheSentCopyInSentItemsAndNeverReachTheRecipients) {
    StartOutlook();
    AddInSession session(*outlook);
    ComPtr<SimItem> message = Message(u"Offer", u"Customers");
    RecordAndSend(session, *message, "Customers, Offers");
    EXPECT_EQ(Contents(*sent), (Lines{"Offer: Customers, Offers"}));
    ASSERT_EQ(outlook->Deliveries().size(), 1u);
    EXPECT_EQ(outlook->Deliveries()[0].Categories, u"");
    EXPECT_EQ(Entries(ProgramState().SessionEntries), Lines{}) << "the entry was used";
    EXPECT_EQ(Entries(ProgramState().StrippedEntries), Lines{});
}

TEST_F(SentCopyWatch, ACopyFiledInAFolderOfASecondStoreGetsItsCategoriesThere) {
    StartOutlook();
    AddInSession session(*outlook);
    ComPtr<SimItem> message = Message(u"Plan");
    outlook::MailItem(message->DispRef()).SetSaveSentMessageFolder(Folder(*projects));
    session.Module().RecordPendingEntry(outlook::MailItem(message->DispRef()), "Projects");
    std::string key = MD5Key("PlanHello,seeyou.");
    EXPECT_EQ(Entries(ProgramState().SessionEntries),
              (Lines{key + "=Projects%StoreId%" + text::Narrow(archive->StoreId()) +
                     "%FolderName%Projects"}));
    EXPECT_EQ(Entries(ProgramState().StrippedEntries), (Lines{"PlanHello,seeyou.=Projects"}));
    EXPECT_NE(session.Module().FolderItems, nullptr);

    outlook::MailItem(message->DispRef()).Send();
    EXPECT_EQ(Contents(*projects), (Lines{"Plan: Projects"}));
    EXPECT_EQ(Contents(*sent), Lines{});
    EXPECT_EQ(outlook->Deliveries()[0].Categories, u"");
    EXPECT_EQ(Entries(ProgramState().SessionEntries), Lines{});
}

TEST_F(SentCopyWatch, AReplyIsKeyedByItsConversationIndex) {
    StartOutlook();
    AddInSession session(*outlook);
    ComPtr<SimItem> received = outlook->DeliverMail([] {
        sim::ItemData data;
        data.Subject = u"Question";
        data.SenderEmailAddress = u"bob@example.com";
        data.SenderName = u"Bob";
        data.Categories = u"Customers";
        return data;
    }());
    ComPtr<SimItem> reply = received->Respond(outlook::DISPID_Reply);
    ASSERT_TRUE(reply);
    ASSERT_FALSE(reply->Data().ConversationIndex.empty());
    RecordAndSend(session, *reply, "Customers");
    EXPECT_EQ(Contents(*sent), (Lines{"RE: Question: Customers"}));
    EXPECT_EQ(Entries(ProgramState().StrippedEntries), Lines{}) << "no stripped text for a reply";
}

TEST_F(SentCopyWatch, TwoMessagesWithEqualTextShareOneKeyAndTheSecondsCategoriesWait) {
    StartOutlook();
    AddInSession session(*outlook);
    ComPtr<SimItem> first = Message(u"Same");
    ComPtr<SimItem> second = Message(u"Same", u"", u"Hello, see you.");
    TAddInModule& module = session.Module();
    module.RecordPendingEntry(outlook::MailItem(first->DispRef()), "First");
    module.RecordPendingEntry(outlook::MailItem(second->DispRef()), "Second");
    std::string key = MD5Key("SameHello,seeyou.");
    EXPECT_EQ(Entries(ProgramState().SessionEntries), (Lines{key + "=Second"}));
    EXPECT_EQ(Entries(ProgramState().StrippedEntries), (Lines{"SameHello,seeyou.=Second"}));
}

TEST_F(SentCopyWatch, AnItemThatIsNoMailOrHasNoEntryIsLeftAlone) {
    StartOutlook();
    AddInSession session(*outlook);
    session.Module().RecordPendingEntry(outlook::MailItem(Message(u"Waiting")->DispRef()), "Red");
    sim::ItemData data;
    data.Subject = u"Waiting";
    data.Body = u"Hello,\r\nsee you.\r\n";
    outlook->DeliverMail(data, sent.Get());
    // The same text on an appointment: not a mail item.
    ComPtr<SimItem> appointment = outlook->NewItem(ItemKind::Appointment, data);
    sent->Items().Store(appointment, true);
    EXPECT_EQ(Contents(*sent), (Lines{"Waiting: Red", "Waiting: "}));
    outlook->DeliverMail(
        [] {
            sim::ItemData other;
            other.Subject = u"Unrelated";
            return other;
        }(),
        sent.Get());
    EXPECT_EQ(Contents(*sent), (Lines{"Waiting: Red", "Waiting: ", "Unrelated: "}));
}

TEST_F(SentCopyWatch, WaitingEntriesSurviveOneRestartAndAVanishedFolderIsLoggedAndDropped) {
    StartOutlook();
    std::string archiveId = text::Narrow(archive->StoreId());
    {
        AddInSession session(*outlook);
        TAddInModule& module = session.Module();
        ComPtr<SimItem> toOld = Message(u"To old");
        outlook::MailItem(toOld->DispRef()).SetSaveSentMessageFolder(Folder(*old));
        module.RecordPendingEntry(outlook::MailItem(toOld->DispRef()), "Old");
        ComPtr<SimItem> toProjects = Message(u"To projects");
        outlook::MailItem(toProjects->DispRef()).SetSaveSentMessageFolder(Folder(*projects));
        module.RecordPendingEntry(outlook::MailItem(toProjects->DispRef()), "Projects");
        module.RecordPendingEntry(outlook::MailItem(Message(u"To sent")->DispRef()), "Sent");
    }
    std::string keyOld = MD5Key("TooldHello,seeyou.");
    std::string keyProjects = MD5Key("ToprojectsHello,seeyou.");
    std::string keySent = MD5Key("TosentHello,seeyou.");
    EXPECT_EQ(FileLines(NativePath(PendingFilePath())),
              (Lines{keyOld + "=Old%StoreId%" + archiveId + "%FolderName%Old",
                     keyProjects + "=Projects%StoreId%" + archiveId + "%FolderName%Projects",
                     keySent + "=Sent"}));

    // The user has deleted "Old" meanwhile.
    StartOutlook(false);
    ResetProgramState();
    AddInSession session(*outlook);
    EXPECT_FALSE(FileExists(PendingFilePath())) << "the file is taken up once";
    EXPECT_EQ(Entries(ProgramState().RestoredEntries),
              (Lines{keyProjects + "=Projects%StoreId%" + archiveId + "%FolderName%Projects",
                     keySent + "=Sent"}));
    Lines log = LogLines();
    EXPECT_EQ(
        std::count(log.begin(), log.end(),
                   LogTime + "Exception in adxCOMAddInModuleAddInInitialize connect to folders"),
        1);

    // The copies arrive in this session, found by the restored entries.
    ComPtr<SimItem> toProjects = Message(u"To projects");
    outlook::MailItem(toProjects->DispRef()).SetSaveSentMessageFolder(Folder(*projects));
    outlook::MailItem(toProjects->DispRef()).Send();
    outlook::MailItem(Message(u"To sent")->DispRef()).Send();
    EXPECT_EQ(Contents(*projects), (Lines{"To projects: Projects"}));
    EXPECT_EQ(Contents(*sent), (Lines{"To sent: Sent"}));
    EXPECT_EQ(Entries(ProgramState().RestoredEntries), Lines{});
    session.End();
    EXPECT_FALSE(FileExists(PendingFilePath())) << "nothing was waiting";
}

TEST_F(SentCopyWatch, AnEntryForANestedFolderFindsItsFolderAfterARestart) {
    StartOutlook();
    ComPtr<SimFolder> year = outlook->AddFolder(*projects, u"2027");
    ComPtr<SimFolder> gone = outlook->AddFolder(*projects, u"Gone");
    std::string archiveId = text::Narrow(archive->StoreId());
    {
        AddInSession session(*outlook);
        TAddInModule& module = session.Module();
        ComPtr<SimItem> plan = Message(u"Plan 2027");
        outlook::MailItem(plan->DispRef()).SetSaveSentMessageFolder(Folder(*year));
        module.RecordPendingEntry(outlook::MailItem(plan->DispRef()), "Budget, Plans");
        ComPtr<SimItem> lost = Message(u"Lost");
        outlook::MailItem(lost->DispRef()).SetSaveSentMessageFolder(Folder(*gone));
        module.RecordPendingEntry(outlook::MailItem(lost->DispRef()), "Lost");
    }
    std::string keyPlan = MD5Key("Plan2027Hello,seeyou.");
    std::string keyLost = MD5Key("LostHello,seeyou.");
    // The file names the folders by Name only, as it always has.
    EXPECT_EQ(FileLines(NativePath(PendingFilePath())),
              (Lines{keyPlan + "=Budget, Plans%StoreId%" + archiveId + "%FolderName%2027",
                     keyLost + "=Lost%StoreId%" + archiveId + "%FolderName%Gone"}));

    // Outlook starts again; the user has deleted "Gone" meanwhile.
    year = gone = nullptr;
    StartOutlook();
    year = outlook->AddFolder(*projects, u"2027");
    ResetProgramState();
    AddInSession session(*outlook);
    EXPECT_EQ(Entries(ProgramState().RestoredEntries),
              (Lines{keyPlan + "=Budget, Plans%StoreId%" + archiveId + "%FolderName%2027"}));
    EXPECT_GT(year->Items().SinkCount(), 0u) << "the nested folder is watched again";
    Lines log = LogLines();
    EXPECT_EQ(
        std::count(log.begin(), log.end(),
                   LogTime + "Exception in adxCOMAddInModuleAddInInitialize connect to folders"),
        1);

    // The sent copy arrives in the nested folder, as Outlook stores it late.
    ComPtr<SimItem> plan = Message(u"Plan 2027");
    outlook::MailItem(plan->DispRef()).SetSaveSentMessageFolder(Folder(*year));
    outlook::MailItem(plan->DispRef()).Send();
    EXPECT_EQ(Contents(*year), (Lines{"Plan 2027: Budget, Plans"}));
    EXPECT_EQ(outlook->Deliveries().back().Categories, u"");
    EXPECT_EQ(Entries(ProgramState().RestoredEntries), Lines{});
    plan = nullptr;
    year = nullptr;
}

TEST_F(SentCopyWatch, FinalisationDisconnectsEveryWatcherBeforeTheListsGo) {
    StartOutlook();
    AddInSession session(*outlook);
    TAddInModule& module = session.Module();
    module.FolderConnect(Folder(*projects));
    module.FolderConnect(Folder(*projects));
    module.RecordPendingEntry(outlook::MailItem(Message(u"Late")->DispRef()), "Red");
    EXPECT_GT(sent->Items().SinkCount(), 0u);
    EXPECT_GT(projects->Items().SinkCount(), 0u);

    module.adxCOMAddInModuleAddInFinalize(&module);
    EXPECT_EQ(ProgramState().SessionEntries, nullptr);
    EXPECT_EQ(module.FolderItems, nullptr);
    EXPECT_EQ(module.FolderSentItems, nullptr);
    EXPECT_EQ(sent->Items().SinkCount(), 0u);
    EXPECT_EQ(projects->Items().SinkCount(), 0u);
    // A copy arriving late finds no watcher.
    sim::ItemData data;
    data.Subject = u"Late";
    data.Body = u"Hello,\r\nsee you.\r\n";
    outlook->DeliverMail(data, sent.Get());
    outlook->DeliverMail(data, projects.Get());
    EXPECT_EQ(Contents(*sent), (Lines{"Late: "}));
}

TEST_F(SentCopyWatch, OneSentItemsWatcherAtATimeAndDisconnectingForgetsIt) {
    StartOutlook();
    AddInSession session(*outlook);
    TAddInModule& module = session.Module();
    TFolderSentItems* first = module.FolderSentItems;
    ASSERT_NE(first, nullptr) << "Maintain Categories is on by default";
    const int components = module.ComponentCount();
    module.SentFolderConnect(Folder(*sent));
    EXPECT_NE(module.FolderSentItems, nullptr);
    EXPECT_EQ(sent->Items().SinkCount(), 1u);
    EXPECT_EQ(module.ComponentCount(), components) << "watchers are not components";
    module.SentFolderDisConnect(Folder(*sent));
    EXPECT_EQ(module.FolderSentItems, nullptr);
    EXPECT_EQ(sent->Items().SinkCount(), 0u);

    module.FolderConnect(Folder(*projects));
    module.FolderConnect(Folder(*old));
    module.FolderDisConnect(Folder(*old));
    EXPECT_EQ(module.FolderItems, nullptr);
    EXPECT_EQ(old->Items().SinkCount(), 0u);
    EXPECT_GT(projects->Items().SinkCount(), 0u) << "earlier watchers stay connected";
}

TEST_F(SentCopyWatch, AFolderHasOneWatcherThatGoesWhenItsLastConnectionIsTakenBack) {
    StartOutlook();
    AddInSession session(*outlook);
    TAddInModule& module = session.Module();
    const int components = module.ComponentCount();
    // Three sends filed in Projects, one in Old.
    for (int i = 0; i < 3; ++i)
        module.FolderConnect(Folder(*projects));
    module.FolderConnect(Folder(*old));
    EXPECT_EQ(projects->Items().SinkCount(), 1u);
    EXPECT_EQ(module.FolderConnections(Folder(*projects)), 3);
    EXPECT_EQ(module.FolderConnections(Folder(*old)), 1);
    EXPECT_EQ(module.ComponentCount(), components);
    // FolderItems is the watcher connected last: Old's.
    TFolderItems* oldWatcher = module.FolderItems;
    ASSERT_NE(oldWatcher, nullptr);

    // Two of the sends to Projects fail: the third's entry keeps it watched.
    module.FolderDisConnect(Folder(*projects));
    module.FolderDisConnect(Folder(*projects));
    EXPECT_EQ(projects->Items().SinkCount(), 1u);
    EXPECT_EQ(module.FolderConnections(Folder(*projects)), 1);
    EXPECT_EQ(module.FolderItems, oldWatcher) << "another folder's watcher is left alone";
    module.FolderDisConnect(Folder(*projects));
    EXPECT_EQ(projects->Items().SinkCount(), 0u);
    EXPECT_EQ(module.FolderConnections(Folder(*projects)), 0);
    module.FolderDisConnect(Folder(*projects)); // nothing left to take back
    EXPECT_EQ(module.FolderItems, oldWatcher);
    EXPECT_EQ(old->Items().SinkCount(), 1u);

    // Watched again later, Projects gets a watcher of its own once more.
    module.FolderConnect(Folder(*projects));
    EXPECT_EQ(projects->Items().SinkCount(), 1u);
    EXPECT_NE(module.FolderItems, oldWatcher);
}

TEST_F(SentCopyWatch, EveryEntryNamingAFolderConnectsItsOneWatcherAtStartUp) {
    StartOutlook();
    const std::string archiveId = text::Narrow(archive->StoreId());
    const std::string projectsTail = "%StoreId%" + archiveId + "%FolderName%Projects";
    const std::string goneTail = "%StoreId%" + archiveId + "%FolderName%Gone";
    const Lines file = {"0101AA=One" + projectsTail, "0101BB=Two" + projectsTail,
                        "0101CC=Three" + goneTail, "0101DD=Four" + projectsTail,
                        "0101EE=Five" + goneTail};
    std::string text;
    for (const std::string& line : file)
        text += line + "\r\n";
    ForceDirectories(ExtractFileDir(NativePath(PendingFilePath())));
    WriteFileAtomic(PendingFilePath(), text);
    AddInSession session(*outlook);
    EXPECT_EQ(projects->Items().SinkCount(), 1u);
    EXPECT_EQ(session.Module().FolderConnections(Folder(*projects)), 3);
    EXPECT_EQ(Entries(ProgramState().RestoredEntries), (Lines{file[0], file[1], file[3]}))
        << "the entries naming a folder that is gone are dropped, the others keep their order";
    Lines log = LogLines();
    EXPECT_EQ(
        std::count(log.begin(), log.end(),
                   LogTime + "Exception in adxCOMAddInModuleAddInInitialize connect to folders"),
        1)
        << "one line for the folder, not one per entry";
}

TEST_F(SentCopyWatch, ACopyIsLookedUpOnceAndLeavesTheEntryOfAnotherMessageOfItsConversation) {
    // Two messages of one conversation wait for their copies in Projects:
    // the reply's key holds the first message's key. Each copy is looked up
    // once, so the reply's copy does not also take the first one's entry.
    StartOutlook();
    const std::string tail =
        "%StoreId%" + text::Narrow(archive->StoreId()) + "%FolderName%Projects";
    ForceDirectories(ExtractFileDir(NativePath(PendingFilePath())));
    WriteFileAtomic(PendingFilePath(),
                    "0101AA0202=Reply" + tail + "\r\n0101AA=First" + tail + "\r\n");
    AddInSession session(*outlook);
    auto copy = [](std::u16string subject, std::u16string index) {
        sim::ItemData data;
        data.Subject = std::move(subject);
        data.ConversationIndex = std::move(index);
        return data;
    };
    outlook->DeliverMail(copy(u"RE: Plan", u"0101AA0202"), projects.Get());
    outlook->DeliverMail(copy(u"Plan", u"0101AA"), projects.Get());
    EXPECT_EQ(Contents(*projects), (Lines{"RE: Plan: Reply", "Plan: First"}));
    EXPECT_EQ(Entries(ProgramState().RestoredEntries), Lines{});
}

TEST_F(SentCopyWatch, ARestoredEntryForSentItemsHasItWatchedEvenWithNoCategoryOptionOn) {
    // "Send + Add Category..." records categories with every category option
    // off; the copy is still in the Outbox when Outlook closes.
    StartOutlook();
    ProgramState().categmaintain = 0;
    {
        AddInSession session(*outlook);
        ASSERT_EQ(session.Module().FolderSentItems, nullptr);
        session.Module().RecordPendingEntry(outlook::MailItem(Message(u"Later")->DispRef()),
                                            "Chosen");
    }
    ASSERT_EQ(FileLines(NativePath(PendingFilePath())),
              Lines{MD5Key("LaterHello,seeyou.") + "=Chosen"});

    StartOutlook();
    ResetProgramState();
    ProgramState().categmaintain = 0;
    AddInSession session(*outlook);
    EXPECT_NE(session.Module().FolderSentItems, nullptr);
    outlook::MailItem(Message(u"Later")->DispRef()).Send();
    EXPECT_EQ(Contents(*sent), (Lines{"Later: Chosen"}));
    EXPECT_EQ(Entries(ProgramState().RestoredEntries), Lines{});
}

TEST_F(SentCopyWatch, AMessageTextHoldingAnEqualsSignStillGivesTheCopyJustItsCategories) {
    StartOutlook();
    AddInSession session(*outlook);
    ComPtr<SimItem> message =
        Message(u"Totals", u"", u"See https://example.com/?id=7&x=1\r\nso 1+1=2.\r\n");
    RecordAndSend(session, *message, "Red, Finance");
    EXPECT_EQ(Contents(*sent), (Lines{"Totals: Red, Finance"}));
    EXPECT_EQ(Entries(ProgramState().SessionEntries), Lines{});
    EXPECT_EQ(Entries(ProgramState().StrippedEntries), Lines{});
}
