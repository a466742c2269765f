// Windows of the simulated Outlook: explorers and inspectors, their events in
// Outlook's order, the focus, the selection, window handles and command bars.
#include "platform/office/CommandBars.h"
#include "platform/office/OleWindow.h"
#include "platform/outlook/OutlookTypes.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/win/Window.h"

#include "OutlookTestSupport.h"
#include "tests/support/ComTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace outlook;
using sim::ItemData;
using sim::OutlookSim;

namespace {

ItemData Mail(std::u16string subject) {
    ItemData data;
    data.Subject = std::move(subject);
    data.To = u"ann@example.com";
    return data;
}

} // namespace

TEST(OutlookSimWindows, ANewExplorerIsAnnouncedThenActivatedAndShowsItsFolder) {
    OutlookSim outlook;
    AdvisedSink explorers(outlook.App().Explorers().UnknownSelf(), DIID_ExplorersEvents);
    // Like the framework, advise on the new explorer from inside NewExplorer.
    std::unique_ptr<AdvisedSink> windowEvents;
    explorers->OnEvent = [&](DISPID, std::vector<Variant>& args) {
        windowEvents =
            std::make_unique<AdvisedSink>(args[0].AsDispatch().Get(), DIID_ExplorerEvents_10);
    };
    auto explorer = outlook.OpenExplorer();
    EXPECT_EQ(explorers->Ids(), std::vector<DISPID>{DISPID_NewExplorer});
    ASSERT_TRUE(windowEvents);
    EXPECT_EQ((*windowEvents)->Ids(), (std::vector<DISPID>{DISPID_Activate, DISPID_FolderSwitch}));
    EXPECT_TRUE(IsSameObject(dispCall(outlook.Application(), "ActiveExplorer").AsDispatch().Get(),
                             explorer->Disp()));
    EXPECT_EQ(Text(dispGet(dispGet(explorer->Disp(), "CurrentFolder"), "Name")), u"Inbox");
    EXPECT_EQ(dispGet(dispGet(outlook.Application(), "Explorers"), "Count").AsInteger(), 1);
}

TEST(OutlookSimWindows, FocusMovesWithDeactivateThenActivate) {
    OutlookSim outlook;
    auto first = outlook.OpenExplorer();
    AdvisedSink firstEvents(first->UnknownSelf(), DIID_ExplorerEvents_10);
    auto second = outlook.OpenExplorer(outlook.DefaultFolder(olFolderSentMail).Get());
    AdvisedSink secondEvents(second->UnknownSelf(), DIID_ExplorerEvents_10);
    EXPECT_EQ(firstEvents->Ids(), std::vector<DISPID>{DISPID_Deactivate});
    outlook.Activate(*first);
    outlook.Activate(*first); // already in front: nothing
    EXPECT_EQ(firstEvents->Ids(), (std::vector<DISPID>{DISPID_Deactivate, DISPID_Activate}));
    EXPECT_EQ(secondEvents->Ids(), std::vector<DISPID>{DISPID_Deactivate});
    EXPECT_TRUE(IsSameObject(dispCall(outlook.Application(), "ActiveWindow").AsDispatch().Get(),
                             first->Disp()));
    // Closing the front window gives the focus to the next one.
    outlook.Close(*first);
    EXPECT_EQ(secondEvents->Ids().back(), DISPID_Activate);
    EXPECT_EQ(firstEvents->Ids().back(), DISPID_WindowClose);
    EXPECT_EQ(outlook.App().Explorers().Count(), 1u);
}

TEST(OutlookSimWindows, SelectionListsTheSelectedItemsFromOne) {
    OutlookSim outlook;
    auto inbox = outlook.DefaultFolder(olFolderInbox);
    auto a = outlook.PutItem(*inbox, sim::ItemKind::Mail, Mail(u"a"));
    auto b = outlook.PutItem(*inbox, sim::ItemKind::MeetingRequest, Mail(u"b"));
    auto explorer = outlook.OpenExplorer();
    AdvisedSink events(explorer->UnknownSelf(), DIID_ExplorerEvents);
    EXPECT_EQ(dispGet(dispGet(explorer->Disp(), "Selection"), "Count").AsInteger(), 0);
    outlook.SelectItems(*explorer, {a, b});
    EXPECT_EQ(events->Ids(), std::vector<DISPID>{DISPID_SelectionChange});
    Variant selection = dispGet(explorer->Disp(), "Selection");
    EXPECT_EQ(dispGet(selection, "Count").AsInteger(), 2);
    EXPECT_EQ(Text(dispGet(dispGet(selection, "Item", 1), "Subject")), u"a");
    EXPECT_EQ(dispGet(dispGet(selection, "Item", 2), "Class").AsInteger(), olMeetingRequest);
    EXPECT_EQ(CodeOf([&] { dispGet(selection, "Item", 0); }), DISP_E_BADINDEX);
}

TEST(OutlookSimWindows, FolderSwitchCanBeCancelledBeforehand) {
    OutlookSim outlook;
    auto explorer = outlook.OpenExplorer();
    auto sent = outlook.DefaultFolder(olFolderSentMail);
    outlook.SelectItems(*explorer, {outlook.PutItem(*outlook.DefaultFolder(olFolderInbox),
                                                    sim::ItemKind::Mail, {})});
    AdvisedSink events(explorer->UnknownSelf(), DIID_ExplorerEvents_10);
    events->OnEvent = [](DISPID id, std::vector<Variant>& args) {
        if (id == DISPID_BeforeFolderSwitch)
            args[1].SetValue(true);
    };
    EXPECT_FALSE(outlook.SwitchFolder(*explorer, sent));
    EXPECT_EQ(explorer->CurrentFolder()->Name(), u"Inbox");
    ASSERT_EQ(events->Ids(), std::vector<DISPID>{DISPID_BeforeFolderSwitch});
    EXPECT_TRUE(IsSameObject(events->Events[0].Args[0].AsDispatch().Get(), sent->Disp()));

    events->OnEvent = nullptr;
    dispPut(explorer->Disp(), "CurrentFolder", Variant(sent->Disp()));
    EXPECT_EQ(explorer->CurrentFolder()->Name(), u"Sent Items");
    EXPECT_EQ(events->Ids(),
              (std::vector<DISPID>{DISPID_BeforeFolderSwitch, DISPID_BeforeFolderSwitch,
                                   DISPID_FolderSwitch, DISPID_SelectionChange}));
    EXPECT_TRUE(explorer->Selection().empty());
    dispPut(explorer->Disp(), "CurrentView", u"Compact");
    EXPECT_EQ(events->Ids().back(), DISPID_ViewSwitch);
}

TEST(OutlookSimWindows, AnInspectorOpensItsItemAndClosesInOrder) {
    OutlookSim outlook;
    auto explorer = outlook.OpenExplorer();
    AdvisedSink explorerEvents(explorer->UnknownSelf(), DIID_ExplorerEvents_10);
    AdvisedSink inspectors(outlook.App().Inspectors().UnknownSelf(), DIID_InspectorsEvents);
    auto item =
        outlook.PutItem(*outlook.DefaultFolder(olFolderInbox), sim::ItemKind::Mail, Mail(u"Hello"));
    AdvisedSink itemEvents(item->UnknownSelf(), DIID_ItemEvents);
    std::unique_ptr<AdvisedSink> windowEvents;
    inspectors->OnEvent = [&](DISPID, std::vector<Variant>& args) {
        EXPECT_TRUE(IsSameObject(dispGet(args[0], "CurrentItem").AsDispatch().Get(), item->Disp()));
        windowEvents =
            std::make_unique<AdvisedSink>(args[0].AsDispatch().Get(), DIID_InspectorEvents_10);
    };
    auto inspector = outlook.OpenInspector(item);
    EXPECT_EQ(inspectors->Ids(), std::vector<DISPID>{DISPID_NewInspector});
    EXPECT_EQ(itemEvents->Ids(), std::vector<DISPID>{DISPID_Open});
    EXPECT_EQ((*windowEvents)->Ids(), std::vector<DISPID>{DISPID_Activate});
    EXPECT_EQ(explorerEvents->Ids(), std::vector<DISPID>{DISPID_Deactivate});
    EXPECT_TRUE(IsSameObject(dispCall(outlook.Application(), "ActiveInspector").AsDispatch().Get(),
                             inspector->Disp()));
    // The same item opens in the same inspector.
    EXPECT_EQ(outlook.OpenInspector(item).Get(), inspector.Get());

    dispCall(inspector->Disp(), "Close", olDiscard);
    EXPECT_EQ(itemEvents->Ids(), (std::vector<DISPID>{DISPID_Open, DISPID_ItemClose}));
    EXPECT_EQ((*windowEvents)->Ids().back(), DISPID_WindowClose);
    EXPECT_EQ(explorerEvents->Ids().back(), DISPID_Activate);
    EXPECT_TRUE(dispCall(outlook.Application(), "ActiveInspector").IsEmptyOrNothing());
}

TEST(OutlookSimWindows, InspectorsAddShowsAnUnsavedItem) {
    OutlookSim outlook;
    Variant task = dispCall(outlook.Application(), "CreateItem", olTaskItem);
    dispPut(task, "Subject", u"Call back");
    Variant inspector = dispCall(dispGet(outlook.Application(), "Inspectors"), "Add", task);
    EXPECT_TRUE(
        dispCall(outlook.Application(), "ActiveInspector").IsEmptyOrNothing()); // not shown yet
    dispCall(inspector, "Activate");
    Variant active = dispCall(outlook.Application(), "ActiveInspector");
    EXPECT_EQ(Text(dispGet(dispGet(active, "CurrentItem"), "Subject")), u"Call back");
    EXPECT_EQ(outlook.DefaultFolder(olFolderTasks)->Items().Count(), 0u); // never saved
}

TEST(OutlookSimWindows, AnItemMayRefuseToOpenOrToClose) {
    OutlookSim outlook;
    auto item = outlook.PutItem(*outlook.DefaultFolder(olFolderInbox), sim::ItemKind::Mail, {});
    AdvisedSink itemEvents(item->UnknownSelf(), DIID_ItemEvents_10);
    itemEvents->OnEvent = [](DISPID id, std::vector<Variant>& args) {
        if (id == DISPID_Open)
            args[0].SetValue(true);
    };
    auto refused = outlook.OpenInspector(item);
    EXPECT_TRUE(refused->IsClosed());
    EXPECT_EQ(outlook.App().Inspectors().Count(), 0u);

    itemEvents->OnEvent = [](DISPID id, std::vector<Variant>& args) {
        if (id == DISPID_ItemClose)
            args[0].SetValue(true);
    };
    auto inspector = outlook.OpenInspector(item);
    outlook.Close(*inspector);
    EXPECT_FALSE(inspector->IsClosed());
    outlook.Quit(); // quitting closes it all the same
    EXPECT_TRUE(inspector->IsClosed());
}

TEST(OutlookSimWindows, WindowsHaveHandlesAndCommandBars) {
    OutlookSim outlook;
    auto explorer = outlook.OpenExplorer();
    auto inspector = outlook.ComposeNewMail();
    HWND explorerWindow = OleWindowHandle(explorer->UnknownSelf());
    HWND inspectorWindow = OleWindowHandle(inspector->UnknownSelf());
    EXPECT_TRUE(explorerWindow != nullptr);
    EXPECT_TRUE(inspectorWindow != nullptr);
    EXPECT_TRUE(explorerWindow != inspectorWindow);
    char className[64] = {};
    GetClassName(explorerWindow, className, sizeof className);
    EXPECT_STREQ(className, "rctrl_renwnd32");

    explorer->FailWindowHandle();
    EXPECT_TRUE(OleWindowHandle(explorer->UnknownSelf()) == nullptr);

    Variant bars = dispGet(inspector->Disp(), "CommandBars");
    ComPtr<IUnknown> commandBars;
    EXPECT_EQ(bars.AsDispatch()->QueryInterface(IID_CommandBars, commandBars.ReceiveVoid()), S_OK);
    EXPECT_FALSE(IsSameObject(bars.AsDispatch().Get(),
                              dispGet(explorer->Disp(), "CommandBars").AsDispatch().Get()));

    outlook.Close(*inspector);
    EXPECT_FALSE(IsWindow(inspectorWindow));
}

TEST(OutlookSimWindows, QuitClosesTheWindowsThenRaisesQuit) {
    OutlookSim outlook;
    auto explorer = outlook.OpenExplorer();
    auto inspector = outlook.ComposeNewMail();
    std::vector<std::string> seen;
    AdvisedSink app(outlook.Application().Get(), DIID_ApplicationEvents);
    AdvisedSink explorerEvents(explorer->UnknownSelf(), DIID_ExplorerEvents);
    AdvisedSink inspectorEvents(inspector->UnknownSelf(), DIID_InspectorEvents);
    app->OnEvent = [&](DISPID id, std::vector<Variant>&) {
        if (id == DISPID_Quit)
            seen.push_back("quit");
    };
    explorerEvents->OnEvent = [&](DISPID id, std::vector<Variant>&) {
        if (id == DISPID_WindowClose)
            seen.push_back("explorer");
    };
    inspectorEvents->OnEvent = [&](DISPID id, std::vector<Variant>&) {
        if (id == DISPID_WindowClose)
            seen.push_back("inspector");
    };
    bool told = false;
    outlook.OnQuit = [&] { told = true; };
    dispCall(outlook.Application(), "Quit");
    EXPECT_EQ(seen, (std::vector<std::string>{"inspector", "explorer", "quit"}));
    EXPECT_TRUE(told);
    outlook.Quit();
    EXPECT_EQ(seen.size(), 3u);
}

TEST(OutlookSimWindows, EveryEventSourceRecordsTheInterfaceAdvised) {
    OutlookSim outlook(9);
    auto explorer = outlook.OpenExplorer();
    {
        AdvisedSink v9(outlook.Application().Get(), DIID_ApplicationEvents);
        AdvisedSink v9Explorer(explorer->UnknownSelf(), DIID_ExplorerEvents);
        AdvisedSink unknown(explorer->UnknownSelf(), DIID_InspectorEvents);
        EXPECT_EQ(unknown.hr, CONNECT_E_NOCONNECTION);
    }
    AdvisedSink v11(outlook.Application().Get(), DIID_ApplicationEvents_11);
    EXPECT_EQ(outlook.App().AdvisedIids(),
              (std::vector<GUID>{DIID_ApplicationEvents, DIID_ApplicationEvents_11}));
    EXPECT_EQ(explorer->AdvisedIids(), std::vector<GUID>{DIID_ExplorerEvents});
}

TEST(OutlookSimWindows, RemindersExistFromOutlook2002On) {
    OutlookSim old(9);
    EXPECT_EQ(CodeOf([&] { dispGet(old.Application(), "Reminders"); }), DISP_E_MEMBERNOTFOUND);

    OutlookSim outlook(11);
    Variant reminders = dispGet(outlook.Application(), "Reminders");
    AdvisedSink events(reminders.AsDispatch().Get(), DIID_ReminderCollectionEvents);
    AdvisedSink app(outlook.Application().Get(), DIID_ApplicationEvents_10);
    auto meeting =
        outlook.PutItem(*outlook.DefaultFolder(olFolderCalendar), sim::ItemKind::Appointment, {});
    auto reminder = outlook.App().Reminders().Add(meeting);
    outlook.App().Reminders().FireReminder(*reminder);
    EXPECT_EQ(events->Ids(), (std::vector<DISPID>{DISPID_ReminderAdd, DISPID_BeforeReminderShow,
                                                  DISPID_ReminderFire}));
    EXPECT_EQ(app->Ids(), std::vector<DISPID>{DISPID_Reminder});
    EXPECT_EQ(dispGet(reminders, "Count").AsInteger(), 1);
}
