// The simulated Outlook reached late-bound, as the add-in reaches Outlook:
// what its objects answer, its stores and folders, and its items.
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/office/OleWindow.h"
#include "platform/outlook/OutlookTypes.h"

#include "OutlookTestSupport.h"
#include "tests/support/ComTestSupport.h"

#include <gtest/gtest.h>

using namespace outlook;
using sim::OutlookSim;

namespace {

// The other Office hosts' application interfaces, which Outlook must not answer.
const char* const OtherHostIids[] = {
    "{00020970-0000-0000-C000-000000000046}", "{000208D5-0000-0000-C000-000000000046}",
    "{68CCE6C0-6129-101B-AF4E-00AA003F0F07}", "{00020AFF-0000-0000-C000-000000000046}",
    "{91493442-5A91-11CF-8700-00AA0060263B}", "{04DF1014-7007-11D1-83BC-006097ABE675}",
    "{D6D389CE-1781-47A0-8984-4349687F65D6}", "{000D0700-0000-0000-C000-000000000046}",
    "{0002123E-0000-0000-C000-000000000046}", "{096CD72E-0786-11D1-95FA-0080C78EE3BB}",
};

bool Answers(IUnknown* object, const GUID& iid) {
    ComPtr<IUnknown> answer;
    return SUCCEEDED(object->QueryInterface(iid, answer.ReceiveVoid())) && answer;
}

} // namespace

TEST(OutlookSim, ApplicationAnswersOutlooksInterfaceOnly) {
    OutlookSim outlook;
    ComPtr<IDispatch> app = outlook.Application();
    EXPECT_TRUE(Answers(app.Get(), IID__Application));
    EXPECT_TRUE(Answers(app.Get(), IID_IConnectionPointContainer));
    for (const char* iid : OtherHostIids)
        EXPECT_FALSE(Answers(app.Get(), *GUID::Parse(iid))) << iid;
}

TEST(OutlookSim, VersionTextFollowsTheConfiguredMajorVersion) {
    const std::pair<int, std::u16string> versions[] = {
        {11, u"11.0.0.8312"}, {12, u"12.0.0.6423"}, {14, u"14.0.0.7248"}, {16, u"16.0.0.5400"}};
    for (const auto& [major, text] : versions) {
        OutlookSim outlook(major);
        EXPECT_EQ(Text(dispGet(outlook.Application(), "Version")), text);
        EXPECT_EQ(outlook.MajorVersion(), major);
    }
    OutlookSim outlook;
    outlook.SetVersionText(u"15.0.4569.1506");
    EXPECT_EQ(outlook.MajorVersion(), 15);
    EXPECT_EQ(Text(dispGet(outlook.Application(), "Version")), u"15.0.4569.1506");
}

TEST(OutlookSim, NameSpaceGivesTheDefaultFoldersOfTheDefaultStore) {
    OutlookSim outlook;
    Variant ns = dispCall(outlook.Application(), "GetNamespace", "MAPI");
    EXPECT_TRUE(Answers(ns.AsDispatch().Get(), IID__NameSpace));
    EXPECT_TRUE(IsSameObject(ns.AsDispatch().Get(),
                             dispGet(outlook.Application(), "Session").AsDispatch().Get()));
    const std::pair<int, std::u16string> folders[] = {
        {3, u"Deleted Items"}, {4, u"Outbox"}, {5, u"Sent Items"}, {6, u"Inbox"}, {16, u"Drafts"}};
    for (const auto& [which, name] : folders) {
        Variant folder = dispCall(ns, "GetDefaultFolder", which);
        EXPECT_EQ(Text(dispGet(folder, "Name")), name);
        EXPECT_TRUE(Answers(folder.AsDispatch().Get(), IID_MAPIFolder));
    }
    // The Inbox's parent is the store's top folder, whose parent is no folder.
    Variant top = dispGet(dispCall(ns, "GetDefaultFolder", 6), "Parent");
    EXPECT_EQ(Text(dispGet(top, "Name")), u"Personal Folders");
    Variant above = dispGet(top, "Parent");
    EXPECT_FALSE(Answers(above.AsDispatch().Get(), IID_MAPIFolder));
    EXPECT_TRUE(Answers(above.AsDispatch().Get(), IID__NameSpace));
    EXPECT_EQ(CodeOf([&] { dispCall(ns, "GetDefaultFolder", 99); }), sim::OutlookNotFound);
}

TEST(OutlookSim, StoresHaveTopFoldersWithStoreAndEntryIds) {
    OutlookSim outlook;
    auto archive = outlook.AddStore(u"Archive");
    auto projects = outlook.AddFolder(*archive, u"Projects");
    auto nested = outlook.AddFolder(*projects, u"2024");

    Variant tops = dispGet(dispCall(outlook.Application(), "GetNamespace", "MAPI"), "Folders");
    ASSERT_EQ(dispGet(tops, "Count").AsInteger(), 2);
    Variant first = dispGet(tops, "Item", 1), second = dispGet(tops, "Item", 2);
    EXPECT_EQ(Text(dispGet(second, "Name")), u"Archive");
    EXPECT_NE(Text(dispGet(first, "StoreID")), Text(dispGet(second, "StoreID")));

    // Every folder of a store carries its store id; entry ids differ.
    Variant found =
        dispGet(dispGet(dispGet(dispGet(second, "Folders"), "Item", "projects"), "Folders"), "Item",
                "2024");
    EXPECT_EQ(Text(dispGet(found, "StoreID")), Text(dispGet(second, "StoreID")));
    EXPECT_EQ(Text(dispGet(found, "EntryID")), nested->EntryId());
    EXPECT_NE(nested->EntryId(), projects->EntryId());
    EXPECT_EQ(Text(dispGet(found, "FolderPath")), u"\\\\Archive\\Projects\\2024");

    Variant ns = dispCall(outlook.Application(), "GetNamespace", "MAPI");
    Variant again = dispCall(ns, "GetFolderFromID", nested->EntryId());
    EXPECT_TRUE(IsSameObject(again.AsDispatch().Get(), found.AsDispatch().Get()));
    EXPECT_EQ(CodeOf([&] { dispGet(dispGet(second, "Folders"), "Item", "Missing"); }),
              sim::OutlookNotFound);
    EXPECT_EQ(CodeOf([&] { dispGet(tops, "Item", 3); }), DISP_E_BADINDEX);
}

TEST(OutlookSim, FoldersAddCreatesASubfolderOnce) {
    OutlookSim outlook;
    auto inbox = outlook.DefaultFolder(olFolderInbox);
    AdvisedSink folderEvents(inbox->Folders().UnknownSelf(), DIID_FoldersEvents);
    Variant folders = dispGet(inbox->Disp(), "Folders");
    Variant added = dispCall(folders, "Add", "Receipts", 15);
    EXPECT_EQ(Text(dispGet(added, "Name")), u"Receipts");
    EXPECT_EQ(dispGet(added, "DefaultItemType").AsInteger(), olMailItem);
    EXPECT_EQ(dispGet(folders, "Count").AsInteger(), 1);
    EXPECT_EQ(folderEvents->Ids(), std::vector<DISPID>{DISPID_FolderAdd});
    EXPECT_EQ(CodeOf([&] { dispCall(folders, "Add", "receipts", 15); }), MakeHResult(0x80040604));
    EXPECT_EQ(
        dispGet(dispCall(folders, "Add", "Dates", olFolderCalendar), "DefaultItemType").AsInteger(),
        olAppointmentItem);
}

TEST(OutlookSim, GetFirstAndGetNextWalkTheTopFolders) {
    OutlookSim outlook;
    outlook.AddStore(u"Second");
    outlook.AddStore(u"Third");
    Variant tops = dispGet(dispCall(outlook.Application(), "GetNamespace", "MAPI"), "Folders");
    std::vector<std::u16string> names;
    for (Variant f = dispCall(tops, "GetFirst"); !f.IsEmptyOrNothing();
         f = dispCall(tops, "GetNext"))
        names.push_back(Text(dispGet(f, "Name")));
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Personal Folders", u"Second", u"Third"}));
    EXPECT_EQ(Text(dispGet(dispCall(tops, "GetLast"), "Name")), u"Third");
    EXPECT_EQ(Text(dispGet(dispCall(tops, "GetPrevious"), "Name")), u"Second");
}

TEST(OutlookSim, CreateItemMakesMailAppointmentsAndTasks) {
    OutlookSim outlook;
    const std::pair<int, int> kinds[] = {
        {olMailItem, olMail}, {olAppointmentItem, olAppointment}, {olTaskItem, olTask}};
    for (auto [type, cls] : kinds) {
        Variant item = dispCall(outlook.Application(), "CreateItem", type);
        EXPECT_EQ(dispGet(item, "Class").AsInteger(), cls);
    }
    Variant mail = dispCall(outlook.Application(), "CreateItem", 0);
    EXPECT_TRUE(Answers(mail.AsDispatch().Get(), IID__MailItem));
    EXPECT_EQ(Text(dispGet(mail, "MessageClass")), u"IPM.Note");
    Variant task = dispCall(outlook.Application(), "CreateItem", 3);
    dispPut(task, "StartDate", Variant::Date(45000.5));
    EXPECT_DOUBLE_EQ(dispGet(task, "DueDate").AsDate(), 0);
    EXPECT_DOUBLE_EQ(dispGet(task, "StartDate").AsDate(), 45000.5);
    EXPECT_NE(CodeOf([&] { dispCall(outlook.Application(), "CreateItem", 42); }), S_OK);
}

TEST(OutlookSim, NonMailItemsHaveTheirOwnClasses) {
    OutlookSim outlook;
    auto inbox = outlook.DefaultFolder(olFolderInbox);
    sim::ItemData data;
    data.Body = u"Buy milk\r\nand bread";
    auto note = outlook.PutItem(*outlook.DefaultFolder(olFolderNotes), sim::ItemKind::Note, data);
    auto request = outlook.PutItem(*inbox, sim::ItemKind::MeetingRequest, {});
    auto report = outlook.PutItem(*inbox, sim::ItemKind::Report, {});
    EXPECT_EQ(dispGet(note->Disp(), "Class").AsInteger(), olNote);
    EXPECT_EQ(Text(dispGet(note->Disp(), "Subject")), u"Buy milk");
    EXPECT_EQ(dispGet(request->Disp(), "Class").AsInteger(), olMeetingRequest);
    EXPECT_EQ(dispGet(report->Disp(), "Class").AsInteger(), olReport);
    // A note is no event source.
    AdvisedSink noteEvents(note->UnknownSelf(), DIID_ItemEvents_10);
    EXPECT_EQ(noteEvents.hr, CONNECT_E_NOCONNECTION);
}

TEST(OutlookSim, SavedValuesStayAndUnsavedOnesAreOnlyCurrent) {
    OutlookSim outlook;
    auto sent = outlook.PutItem(*outlook.DefaultFolder(olFolderSentMail), sim::ItemKind::Mail, {});
    AdvisedSink items(sent->Folder()->Items().UnknownSelf(), DIID_ItemsEvents);
    dispPut(sent->Disp(), "Categories", u"Red, Blue");
    EXPECT_FALSE(dispGet(sent->Disp(), "Saved").AsBool());
    EXPECT_EQ(sent->Stored().Categories, u"");
    dispCall(sent->Disp(), "Save");
    EXPECT_TRUE(dispGet(sent->Disp(), "Saved").AsBool());
    EXPECT_EQ(sent->Stored().Categories, u"Red, Blue");
    EXPECT_EQ(items->Ids(), std::vector<DISPID>{DISPID_ItemChange});
}

TEST(OutlookSim, ANewItemIsSavedToDraftsOrToTheFolderThatAddedIt) {
    OutlookSim outlook;
    Variant mail = dispCall(outlook.Application(), "CreateItem", 0);
    EXPECT_EQ(Text(dispGet(mail, "EntryID")), u"");
    dispCall(mail, "Save");
    EXPECT_NE(Text(dispGet(mail, "EntryID")), u"");
    EXPECT_EQ(outlook.DefaultFolder(olFolderDrafts)->Items().Count(), 1u);

    auto archive = outlook.AddStore(u"Archive");
    Variant added = dispCall(dispGet(archive->Disp(), "Items"), "Add", 0);
    EXPECT_EQ(archive->Items().Count(), 0u);
    dispCall(added, "Save");
    EXPECT_EQ(archive->Items().Count(), 1u);
    Variant found = dispCall(dispCall(outlook.Application(), "GetNamespace", "MAPI"),
                             "GetItemFromID", dispGet(added, "EntryID"));
    EXPECT_TRUE(IsSameObject(found.AsDispatch().Get(), added.AsDispatch().Get()));
}

TEST(OutlookSim, CategoriesDialogIsAnsweredByTheScript) {
    OutlookSim outlook;
    Variant mail = dispCall(outlook.Application(), "CreateItem", 0);
    dispPut(mail, "Categories", u"Red");
    dispCall(mail, "ShowCategoriesDialog"); // no script: cancelled
    EXPECT_EQ(Text(dispGet(mail, "Categories")), u"Red");
    std::u16string offered;
    outlook.ScriptCategoriesDialog([&](std::u16string& categories) {
        offered = categories;
        categories += u", Blue";
        return true;
    });
    dispCall(mail, "ShowCategoriesDialog");
    EXPECT_EQ(offered, u"Red");
    EXPECT_EQ(Text(dispGet(mail, "Categories")), u"Red, Blue");
    EXPECT_EQ(outlook.CategoriesDialogShown(), 2u);
}

TEST(OutlookSim, AMemberMadeToFailRaisesForLateBoundCallers) {
    OutlookSim outlook;
    auto inbox = outlook.DefaultFolder(olFolderInbox);
    inbox->FailMember("Name");
    auto error = ErrorOf<EOleException>([&] { dispGet(inbox->Disp(), "Name"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->ErrorCode, sim::OutlookOperationFailed);
    EXPECT_EQ(Text(dispGet(inbox->Disp(), "EntryID")), inbox->EntryId());
    inbox->RestoreMember("NAME");
    EXPECT_EQ(Text(dispGet(inbox->Disp(), "Name")), u"Inbox");
}

TEST(OutlookSim, ObjectsHeldAfterTheEndAnswerWithAnErrorAndThenGo) {
    ComPtr<IDispatch> inbox;
    {
        OutlookSim outlook;
        inbox = outlook.DefaultFolder(olFolderInbox)->DispRef();
    }
    EXPECT_GT(OutlookSim::LiveObjects(), 0);
    EXPECT_EQ(CodeOf([&] { dispGet(inbox, "Name"); }), sim::OutlookObjectGone);
    inbox = nullptr;
    EXPECT_EQ(OutlookSim::LiveObjects(), 0);
}

TEST(OutlookSim, AScenarioLeavesNoObjectAndNoSink) {
    {
        OutlookSim outlook;
        auto explorer = outlook.OpenExplorer();
        AdvisedSink appEvents(outlook.Application().Get(), DIID_ApplicationEvents_11);
        {
            AdvisedSink explorerEvents(explorer->UnknownSelf(), DIID_ExplorerEvents_10);
            EXPECT_EQ(OutlookSim::AdvisedSinks(), 2u);
            EXPECT_NE(OutlookSim::SinkReport().find("Explorer: 1"), std::string::npos);
        }
        sim::ItemData data;
        data.To = u"someone@example.com";
        auto compose = outlook.ComposeNewMail(data);
        outlook.PressSend(*compose);
        appEvents.Unadvise();
        EXPECT_EQ(OutlookSim::AdvisedSinks(), 0u) << OutlookSim::SinkReport();
    }
    EXPECT_EQ(OutlookSim::LiveObjects(), 0);
}

TEST(OutlookSim, LaterVersionsHaveMoreSpecialFolders) {
    OutlookSim old(11), outlook2007(12), outlook2010(14);
    auto names = [](OutlookSim& outlook) {
        std::vector<std::u16string> all;
        sim::SimFolders& folders = outlook.DefaultStore()->Folders();
        for (size_t i = 0; i < folders.Count(); ++i)
            all.push_back(folders.At(i).Name());
        return all;
    };
    EXPECT_EQ(names(old).size(), 11u);
    EXPECT_EQ(names(outlook2007).back(), u"RSS Feeds");
    EXPECT_EQ(outlook2007.DefaultFolder(olFolderRssFeeds)->Name(), u"RSS Feeds");
    EXPECT_FALSE(old.DefaultFolder(olFolderRssFeeds));
    EXPECT_EQ(names(outlook2010).back(), u"Quick Step Settings");
}

TEST(OutlookSim, SaveSentMessageFolderIsSentItemsUntilSet) {
    OutlookSim outlook;
    Variant mail = dispCall(outlook.Application(), "CreateItem", 0);
    EXPECT_EQ(Text(dispGet(dispGet(mail, "SaveSentMessageFolder"), "EntryID")),
              outlook.DefaultFolder(olFolderSentMail)->EntryId());
    auto archive = outlook.AddStore(u"Archive");
    dispPut(mail, "SaveSentMessageFolder", Variant(archive->Disp()));
    EXPECT_EQ(Text(dispGet(dispGet(mail, "SaveSentMessageFolder"), "EntryID")), archive->EntryId());
    EXPECT_NE(
        CodeOf([&] { dispPut(mail, "SaveSentMessageFolder", Variant(outlook.Application())); }),
        S_OK);
}
