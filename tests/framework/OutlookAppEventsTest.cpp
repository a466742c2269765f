// The Outlook events component against the simulated Outlook: the event
// interfaces each version calls for, the connection walk over the windows
// open at connect time, window sinks that come and go, every event reaching
// its handler, Cancel reaching Outlook, and nothing left advised.
#include "FrameworkTestSupport.h"

#include "platform/outlook/OutlookTypes.h"
#include "platform/sim/outlook/OutlookSim.h"

using namespace fwtest;
using namespace outlook;

namespace {

class OutlookAppEvents : public AddInTest {
protected:
    OutlookAppEvents() : module(factory.CreateModule()) {
        module->OnError = [this](const Exception& e, bool& handled) {
            errors.push_back(e.Message);
            handled = true;
        };
    }
    ~OutlookAppEvents() override { module.reset(); }
    // A component of the module, connected to the simulated Outlook as version.
    TadxOutlookAppEvents* Connect(const std::string& version) {
        auto* events = new TadxOutlookAppEvents(module.get());
        events->ConnectTo(outlook.Application().Get(), version);
        return events;
    }

    sim::OutlookSim outlook{12};
    TadxModulePtr module;
    std::vector<std::string> errors;
};

// The last event interface a sink was advised on at object, or "none".
std::string LastAdvised(const sim::OutlookObjectCore& object) {
    std::vector<GUID> iids = object.AdvisedIids();
    return iids.empty() ? "none" : GUIDToString(iids.back());
}

TEST_F(OutlookAppEvents, EachVersionAdvisesTheEventInterfacesItCallsFor) {
    struct Case {
        const char* version;
        GUID application, explorer, inspector;
        bool reminders;
    };
    const Case cases[] = {
        {"9", DIID_ApplicationEvents, DIID_ExplorerEvents, DIID_InspectorEvents, false},
        {"10", DIID_ApplicationEvents_10, DIID_ExplorerEvents_10, DIID_InspectorEvents_10, true},
        {"11", DIID_ApplicationEvents_11, DIID_ExplorerEvents_10, DIID_InspectorEvents_10, true},
        {"12", DIID_ApplicationEvents_11, DIID_ExplorerEvents_10, DIID_InspectorEvents_10, true},
        {"14", DIID_ApplicationEvents_11, DIID_ExplorerEvents_10, DIID_InspectorEvents_10, true},
        {"16", DIID_ApplicationEvents_11, DIID_ExplorerEvents_10, DIID_InspectorEvents_10, true},
    };
    auto explorer = outlook.OpenExplorer();
    auto inspector = outlook.ComposeNewMail();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        size_t reminderAdvises = outlook.App().Reminders().AdvisedIids().size();
        TadxOutlookAppEvents* events = Connect(c.version);
        EXPECT_EQ(LastAdvised(outlook.App()), GUIDToString(c.application));
        EXPECT_EQ(LastAdvised(*explorer), GUIDToString(c.explorer));
        EXPECT_EQ(LastAdvised(*inspector), GUIDToString(c.inspector));
        EXPECT_EQ(LastAdvised(outlook.NameSpace()), GUIDToString(DIID_NameSpaceEvents));
        EXPECT_EQ(LastAdvised(outlook.App().Explorers()), GUIDToString(DIID_ExplorersEvents));
        EXPECT_EQ(LastAdvised(outlook.App().Inspectors()), GUIDToString(DIID_InspectorsEvents));
        EXPECT_EQ(outlook.App().Reminders().AdvisedIids().size(), reminderAdvises + c.reminders);
        EXPECT_EQ(events->Version(), c.version);
        events->Free();
        EXPECT_EQ(sim::OutlookSim::AdvisedSinks(), 0u) << sim::OutlookSim::SinkReport();
    }
}

TEST_F(OutlookAppEvents, TheEventInterfaceChosenByVersionBelongsToItsComponent) {
    TadxOutlookAppEvents* old = Connect("9");
    TadxOutlookAppEvents* current = Connect("12");
    EXPECT_EQ(old->EventIID(), DIID_ApplicationEvents);
    EXPECT_EQ(current->EventIID(), DIID_ApplicationEvents_11);
    // Connected again without a version, each keeps its own choice.
    old->ConnectTo(outlook.Application().Get());
    EXPECT_EQ(LastAdvised(outlook.App()), GUIDToString(DIID_ApplicationEvents));
    current->ConnectTo(outlook.Application().Get());
    EXPECT_EQ(LastAdvised(outlook.App()), GUIDToString(DIID_ApplicationEvents_11));
}

TEST_F(OutlookAppEvents, TheWindowsOpenAtConnectGetSinksExceptNotes) {
    outlook.OpenExplorer();
    outlook.OpenExplorer(outlook.DefaultFolder(olFolderSentMail).Get());
    outlook.ComposeNewMail();
    outlook.OpenInspector(outlook.NewItem(sim::ItemKind::Note));
    outlook.OpenInspector(outlook.NewItem(sim::ItemKind::Task));
    TadxOutlookAppEvents* events = Connect("12");
    EXPECT_EQ(events->ExplorerSinks().size(), 2u);
    EXPECT_EQ(events->InspectorSinks().size(), 2u);
}

TEST_F(OutlookAppEvents, AWindowThatCannotBeReadIsLeftOutAndTheOthersAreConnected) {
    outlook.OpenExplorer();
    auto odd = outlook.ComposeNewMail();
    outlook.ComposeNewMail();
    odd->FailMember("CurrentItem");
    TadxOutlookAppEvents* events = Connect("12");
    EXPECT_EQ(events->ExplorerSinks().size(), 1u);
    ASSERT_EQ(events->InspectorSinks().size(), 1u);
    EXPECT_EQ(odd->SinkCount(), 0u);
}

TEST_F(OutlookAppEvents, RemindersThatCannotBeReadLeaveTheComponentWithoutTheirEvents) {
    outlook.App().FailMember("Reminders");
    TadxOutlookAppEvents* events = Connect("12");
    EXPECT_EQ(events->RemindersEvents()->Server(), nullptr);
    EXPECT_NE(events->NameSpaceEvents()->Server(), nullptr);
}

TEST_F(OutlookAppEvents, NewWindowsGetSinksAndClosedOnesLoseThem) {
    TadxOutlookAppEvents* events = Connect("14");
    std::vector<std::string> seen;
    events->OnNewExplorer = [&](TObject* s, const ComPtr<IDispatch>& e) {
        seen.push_back(std::string("new explorer") + (s == events && e ? "" : "?"));
    };
    events->OnNewInspector = [&](TObject*, const ComPtr<IDispatch>&) {
        seen.push_back("new inspector");
    };
    events->OnExplorerClose = [&](TObject*) { seen.push_back("explorer close"); };
    events->OnInspectorClose = [&](TObject*) { seen.push_back("inspector close"); };

    auto explorer = outlook.OpenExplorer();
    auto mail = outlook.ComposeNewMail();
    auto note = outlook.OpenInspector(outlook.NewItem(sim::ItemKind::Note));
    EXPECT_EQ(events->ExplorerSinks().size(), 1u);
    EXPECT_EQ(events->InspectorSinks().size(), 1u);
    EXPECT_EQ(note->SinkCount(), 0u);

    outlook.Close(*mail);
    EXPECT_EQ(events->InspectorSinks().size(), 0u);
    EXPECT_EQ(mail->SinkCount(), 0u);
    outlook.Close(*note);
    outlook.Close(*explorer);
    EXPECT_EQ(events->ExplorerSinks().size(), 0u);
    EXPECT_EQ(explorer->SinkCount(), 0u);
    EXPECT_EQ(seen, (std::vector<std::string>{"new explorer", "new inspector", "new inspector",
                                              "inspector close", "explorer close"}));
}

TEST_F(OutlookAppEvents, ClosingTheLastExplorerLetsGoOfEveryInspectorSink) {
    auto first = outlook.OpenExplorer();
    auto second = outlook.OpenExplorer();
    auto mail = outlook.ComposeNewMail();
    TadxOutlookAppEvents* events = Connect("12");
    outlook.Close(*first);
    EXPECT_EQ(events->InspectorSinks().size(), 1u);
    outlook.Close(*second);
    EXPECT_EQ(events->InspectorSinks().size(), 0u);
    EXPECT_FALSE(mail->IsClosed());
    EXPECT_EQ(mail->SinkCount(), 0u);
}

TEST_F(OutlookAppEvents, ACloseHandlerThatRaisesIsReportedAndTheSinkGoesAllTheSame) {
    auto explorer = outlook.OpenExplorer();
    TadxOutlookAppEvents* events = Connect("12");
    events->OnExplorerClose = [](TObject*) { throw Exception("Handler failed"); };
    outlook.Close(*explorer);
    EXPECT_EQ(errors, std::vector<std::string>{"Handler failed"});
    EXPECT_TRUE(events->ExplorerSinks().empty());
    EXPECT_EQ(explorer->SinkCount(), 0u);
}

TEST_F(OutlookAppEvents, ItemSendsCancelStopsTheSendInOutlook) {
    TadxOutlookAppEvents* events = Connect("12");
    int sends = 0;
    events->OnItemSend = [&](TObject* s, const ComPtr<IDispatch>& item, WordBool& Cancel) {
        ++sends;
        EXPECT_EQ(s, events);
        EXPECT_TRUE(item);
        Cancel = VARIANT_TRUE;
    };
    sim::ItemData data;
    data.To = u"ann@example.com";
    data.Subject = u"Held back";
    auto inspector = outlook.ComposeNewMail(data);
    EXPECT_FALSE(outlook.PressSend(*inspector));
    EXPECT_EQ(sends, 1);
    EXPECT_TRUE(outlook.Deliveries().empty());

    events->OnItemSend = nullptr;
    EXPECT_TRUE(outlook.PressSend(*inspector));
    EXPECT_EQ(outlook.Deliveries().size(), 1u);
}

TEST_F(OutlookAppEvents, ASecondConnectionFirstDisconnectsEverythingOfTheFirst) {
    outlook.OpenExplorer();
    outlook.ComposeNewMail();
    TadxOutlookAppEvents* events = Connect("12");
    size_t advised = sim::OutlookSim::AdvisedSinks();
    events->ConnectTo(outlook.Application().Get(), "12");
    EXPECT_EQ(sim::OutlookSim::AdvisedSinks(), advised);
    EXPECT_EQ(events->ExplorerSinks().size(), 1u);
    events->Disconnect();
    EXPECT_EQ(sim::OutlookSim::AdvisedSinks(), 0u) << sim::OutlookSim::SinkReport();
    EXPECT_TRUE(events->ExplorerSinks().empty());
    EXPECT_TRUE(events->InspectorSinks().empty());
}

TEST_F(OutlookAppEvents, AServerThatIsNoOutlookRaisesTheCastError) {
    auto* events = new TadxOutlookAppEvents(module.get());
    auto other = FakeHost::Create(GUID::Create(), u"12.0");
    EXPECT_THROW(events->ConnectTo(other.Get(), "12"), EOleSysError);
    EXPECT_EQ(events->Server(), nullptr);
}

// The arguments an event carries.
enum class Carries {
    Nothing,
    Object,
    ObjectCancel,
    Cancel,
    Text,
    PagesFolder,
    View,
    Paste,
    PageName
};

// One event raised on a simulated object and the handler it must reach.
struct EventCase {
    const char* source;
    DISPID id;
    Carries carries;
    const char* handler;
};

TEST_F(OutlookAppEvents, EveryEventReachesItsHandlerWithTheComponentAsSender) {
    auto explorer = outlook.OpenExplorer();
    auto inspector = outlook.ComposeNewMail();
    TadxOutlookAppEvents* events = Connect("12");
    std::vector<std::string> heard;
    auto record = [&](const char* name) {
        return [&heard, events, name](TObject* s, auto&&...) {
            heard.push_back(s == events ? name : "wrong sender");
        };
    };
    TadxOutlookAppEvents& e = *events;
    e.OnItemSend = record("OnItemSend");
    e.OnNewMail = record("OnNewMail");
    e.OnReminder = record("OnReminder");
    e.OnOptionsPagesAdd = record("OnOptionsPagesAdd");
    e.OnStartup = record("OnStartup");
    e.OnAdvancedSearchComplete = record("OnAdvancedSearchComplete");
    e.OnAdvancedSearchStopped = record("OnAdvancedSearchStopped");
    e.OnMAPILogonComplete = record("OnMAPILogonComplete");
    e.OnNewMailEx = record("OnNewMailEx");
    e.OnItemLoad = record("OnItemLoad");
    e.OnBeforeFolderSharingDialog = record("OnBeforeFolderSharingDialog");
    e.OnNameSpaceOptionsPagesAdd = record("OnNameSpaceOptionsPagesAdd");
    e.OnNameSpaceAutoDiscoverComplete = record("OnNameSpaceAutoDiscoverComplete");
    e.OnBeforeReminderShow = record("OnBeforeReminderShow");
    e.OnReminderAdd = record("OnReminderAdd");
    e.OnReminderChange = record("OnReminderChange");
    e.OnReminderFire = record("OnReminderFire");
    e.OnReminderRemove = record("OnReminderRemove");
    e.OnSnooze = record("OnSnooze");
    e.OnExplorerActivate = record("OnExplorerActivate");
    e.OnExplorerFolderSwitch = record("OnExplorerFolderSwitch");
    e.OnExplorerBeforeFolderSwitch = record("OnExplorerBeforeFolderSwitch");
    e.OnExplorerViewSwitch = record("OnExplorerViewSwitch");
    e.OnExplorerBeforeViewSwitch = record("OnExplorerBeforeViewSwitch");
    e.OnExplorerDeactivate = record("OnExplorerDeactivate");
    e.OnExplorerSelectionChange = record("OnExplorerSelectionChange");
    e.OnExplorerBeforeItemCopy = record("OnExplorerBeforeItemCopy");
    e.OnExplorerBeforeItemCut = record("OnExplorerBeforeItemCut");
    e.OnExplorerBeforeItemPaste = record("OnExplorerBeforeItemPaste");
    e.OnExplorerBeforeMaximize = record("OnExplorerBeforeMaximize");
    e.OnExplorerBeforeMinimize = record("OnExplorerBeforeMinimize");
    e.OnExplorerBeforeMove = record("OnExplorerBeforeMove");
    e.OnExplorerBeforeSize = record("OnExplorerBeforeSize");
    e.OnInspectorActivate = record("OnInspectorActivate");
    e.OnInspectorDeactivate = record("OnInspectorDeactivate");
    e.OnInspectorBeforeMaximize = record("OnInspectorBeforeMaximize");
    e.OnInspectorBeforeMinimize = record("OnInspectorBeforeMinimize");
    e.OnInspectorBeforeMove = record("OnInspectorBeforeMove");
    e.OnInspectorBeforeSize = record("OnInspectorBeforeSize");
    e.OnInspectorPageChange = record("OnInspectorPageChange");

    const EventCase cases[] = {
        {"application", DISPID_ItemSend, Carries::ObjectCancel, "OnItemSend"},
        {"application", DISPID_NewMail, Carries::Nothing, "OnNewMail"},
        {"application", DISPID_Reminder, Carries::Object, "OnReminder"},
        {"application", DISPID_OptionsPagesAdd, Carries::Object, "OnOptionsPagesAdd"},
        {"application", DISPID_Startup, Carries::Nothing, "OnStartup"},
        {"application", DISPID_AdvancedSearchComplete, Carries::Object, "OnAdvancedSearchComplete"},
        {"application", DISPID_AdvancedSearchStopped, Carries::Object, "OnAdvancedSearchStopped"},
        {"application", DISPID_MAPILogonComplete, Carries::Nothing, "OnMAPILogonComplete"},
        {"application", DISPID_NewMailEx, Carries::Text, "OnNewMailEx"},
        {"application", DISPID_ItemLoad, Carries::Object, "OnItemLoad"},
        {"application", DISPID_BeforeFolderSharingDialog, Carries::ObjectCancel,
         "OnBeforeFolderSharingDialog"},
        {"name space", DISPID_OptionsPagesAdd, Carries::PagesFolder, "OnNameSpaceOptionsPagesAdd"},
        {"name space", DISPID_AutoDiscoverComplete, Carries::Nothing,
         "OnNameSpaceAutoDiscoverComplete"},
        {"reminders", DISPID_BeforeReminderShow, Carries::Cancel, "OnBeforeReminderShow"},
        {"reminders", DISPID_ReminderAdd, Carries::Object, "OnReminderAdd"},
        {"reminders", DISPID_ReminderChange, Carries::Object, "OnReminderChange"},
        {"reminders", DISPID_ReminderFire, Carries::Object, "OnReminderFire"},
        {"reminders", DISPID_ReminderRemove, Carries::Nothing, "OnReminderRemove"},
        {"reminders", DISPID_Snooze, Carries::Object, "OnSnooze"},
        {"explorer", DISPID_Activate, Carries::Nothing, "OnExplorerActivate"},
        {"explorer", DISPID_FolderSwitch, Carries::Nothing, "OnExplorerFolderSwitch"},
        {"explorer", DISPID_BeforeFolderSwitch, Carries::ObjectCancel,
         "OnExplorerBeforeFolderSwitch"},
        {"explorer", DISPID_ViewSwitch, Carries::Nothing, "OnExplorerViewSwitch"},
        {"explorer", DISPID_BeforeViewSwitch, Carries::View, "OnExplorerBeforeViewSwitch"},
        {"explorer", DISPID_Deactivate, Carries::Nothing, "OnExplorerDeactivate"},
        {"explorer", DISPID_SelectionChange, Carries::Nothing, "OnExplorerSelectionChange"},
        {"explorer", DISPID_BeforeItemCopy, Carries::Cancel, "OnExplorerBeforeItemCopy"},
        {"explorer", DISPID_BeforeItemCut, Carries::Cancel, "OnExplorerBeforeItemCut"},
        {"explorer", DISPID_BeforeItemPaste, Carries::Paste, "OnExplorerBeforeItemPaste"},
        {"explorer", DISPID_BeforeMaximize, Carries::Cancel, "OnExplorerBeforeMaximize"},
        {"explorer", DISPID_BeforeMinimize, Carries::Cancel, "OnExplorerBeforeMinimize"},
        {"explorer", DISPID_BeforeMove, Carries::Cancel, "OnExplorerBeforeMove"},
        {"explorer", DISPID_BeforeSize, Carries::Cancel, "OnExplorerBeforeSize"},
        {"inspector", DISPID_Activate, Carries::Nothing, "OnInspectorActivate"},
        {"inspector", DISPID_Deactivate, Carries::Nothing, "OnInspectorDeactivate"},
        {"inspector", DISPID_BeforeMaximize, Carries::Cancel, "OnInspectorBeforeMaximize"},
        {"inspector", DISPID_BeforeMinimize, Carries::Cancel, "OnInspectorBeforeMinimize"},
        {"inspector", DISPID_BeforeMove, Carries::Cancel, "OnInspectorBeforeMove"},
        {"inspector", DISPID_BeforeSize, Carries::Cancel, "OnInspectorBeforeSize"},
        {"inspector", DISPID_PageChange, Carries::PageName, "OnInspectorPageChange"},
    };
    auto folder = outlook.DefaultFolder(olFolderInbox);
    for (const EventCase& c : cases) {
        SCOPED_TRACE(c.handler);
        heard.clear();
        errors.clear();
        VARIANT_BOOL cancel = VARIANT_FALSE;
        Variant content;
        std::u16string page = u"General";
        std::vector<Variant> args;
        switch (c.carries) {
        case Carries::Nothing:
            break;
        case Carries::Object:
            args = {Variant(folder->Disp())};
            break;
        case Carries::ObjectCancel:
            args = {Variant(folder->Disp()), Variant::ByRefBool(&cancel)};
            break;
        case Carries::Cancel:
            args = {Variant::ByRefBool(&cancel)};
            break;
        case Carries::Text:
            args = {Variant(u"00000001")};
            break;
        case Carries::PagesFolder:
            args = {Variant(folder->Disp()), Variant(folder->Disp())};
            break;
        case Carries::View:
            args = {Variant(u"Messages"), Variant::ByRefBool(&cancel)};
            break;
        case Carries::Paste:
            args = {Variant::ByRef(&content), Variant(folder->Disp()), Variant::ByRefBool(&cancel)};
            break;
        case Carries::PageName:
            args = {Variant::ByRef(&page)};
            break;
        }
        std::string source = c.source;
        sim::OutlookObjectCore& target =
            source == "application"  ? static_cast<sim::OutlookObjectCore&>(outlook.App())
            : source == "name space" ? outlook.NameSpace()
            : source == "reminders"  ? outlook.App().Reminders()
            : source == "explorer"   ? static_cast<sim::OutlookObjectCore&>(*explorer)
                                     : *inspector;
        target.RaiseEvent(c.id, args);
        EXPECT_EQ(heard, std::vector<std::string>{c.handler})
            << (errors.empty() ? "" : errors.back());
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(OutlookAppEvents, UnassignedHandlersAndUnknownEventsAreIgnored) {
    auto explorer = outlook.OpenExplorer();
    TadxOutlookAppEvents* events = Connect("12");
    outlook.App().RaiseEvent(DISPID_NewMail);
    outlook.App().RaiseEvent(0x1234);
    explorer->RaiseEvent(0x4321);
    EXPECT_EQ(events->ExplorerSinks().size(), 1u);
    EXPECT_TRUE(errors.empty());
}

TEST_F(OutlookAppEvents, AThrowingHandlerIsReportedOnceThroughDoError) {
    TadxOutlookAppEvents* events = Connect("12");
    events->OnNewMail = [](TObject*) { throw Exception("Handler failed"); };
    EXPECT_EQ(outlook.App().RaiseEvent(DISPID_NewMail), 1u);
    EXPECT_EQ(errors, std::vector<std::string>{"Handler failed"});
}

TEST_F(OutlookAppEvents, AComponentStillConnectedIsDisconnectedWhenTheModuleGoes) {
    outlook.OpenExplorer();
    outlook.ComposeNewMail();
    Connect("16");
    EXPECT_GT(sim::OutlookSim::AdvisedSinks(), 0u);
    module.reset();
    EXPECT_EQ(sim::OutlookSim::AdvisedSinks(), 0u) << sim::OutlookSim::SinkReport();
}

} // namespace
