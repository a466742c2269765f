// The Outlook wrappers driving the simulated Outlook, as the framework and
// the product drive Outlook: typed members over late binding, events through
// the wrappers' handlers, the event interface chosen by version, and nothing
// after Disconnect.
#include "platform/outlook/Outlook.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/text/Text.h"

#include "tests/support/ComTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace outlook;
using sim::OutlookSim;

namespace {

// Wrappers are components without owner, freed by whoever made them.
template <class T> std::unique_ptr<T> Make() {
    return std::make_unique<T>(nullptr);
}

} // namespace

TEST(OutlookWrappers, ApplicationMembersReachTheConnectedOutlook) {
    OutlookSim outlook(14);
    auto app = Make<TOutlookApplication>();
    EXPECT_FALSE(app->Connected());
    EXPECT_EQ(CodeOf([&] { app->Version(); }), E_POINTER);
    app->ConnectTo(outlook.Application());
    EXPECT_TRUE(app->Connected());
    EXPECT_EQ(app->Version(), u"14.0.0.7248");
    EXPECT_EQ(app->MajorVersion(), 14);
    NameSpace ns = app->GetNamespace(u"MAPI");
    EXPECT_EQ(ns.Type(), u"MAPI");
    EXPECT_EQ(ns.GetDefaultFolder(olFolderSentMail).Name(), u"Sent Items");
    EXPECT_FALSE(app->ActiveExplorer());
    EXPECT_FALSE(app->ActiveInspector());
    EXPECT_EQ(app->GetExplorers().Count(), 0);

    MailItem mail(app->CreateItem(olMailItem));
    EXPECT_EQ(mail.Class(), olMail);
    mail.SetSubject(u"Hello");
    mail.SetCategories(u"Red, Blue");
    EXPECT_EQ(mail.Subject(), u"Hello");
    EXPECT_EQ(mail.Categories(), u"Red, Blue");
    TaskItem task(app->CreateItem(olTaskItem));
    task.SetDueDate(45000.25);
    EXPECT_DOUBLE_EQ(task.DueDate(), 45000.25);
    AppointmentItem meeting(app->CreateItem(olAppointmentItem));
    meeting.SetLocation(u"Room 4");
    EXPECT_EQ(meeting.Location(), u"Room 4");

    app->Disconnect();
    EXPECT_FALSE(app->Connected());
}

TEST(OutlookWrappers, ConnectingToAnObjectWithoutTheInterfaceRaises) {
    OutlookSim outlook;
    auto app = Make<TOutlookApplication>();
    EXPECT_EQ(CodeOf([&] { app->ConnectTo(outlook.DefaultFolder(olFolderInbox)->DispRef()); }),
              E_NOINTERFACE);
    EXPECT_FALSE(app->Connected());
    auto items = Make<TItems>();
    items->ConnectTo(Variant()); // nothing to connect to: stays disconnected
    EXPECT_FALSE(items->Connected());
}

TEST(OutlookWrappers, TheApplicationEventInterfaceFollowsTheVersion) {
    const std::pair<int, GUID> versions[] = {{9, DIID_ApplicationEvents},
                                             {10, DIID_ApplicationEvents_10},
                                             {11, DIID_ApplicationEvents_11},
                                             {12, DIID_ApplicationEvents_11},
                                             {16, DIID_ApplicationEvents_11}};
    for (const auto& [major, iid] : versions) {
        OutlookSim outlook(major);
        auto app = Make<TOutlookApplication>();
        app->ConnectTo(outlook.Application());
        EXPECT_EQ(app->EventIID(), iid) << major;
        EXPECT_EQ(outlook.App().AdvisedIids(), std::vector<GUID>{iid}) << major;
    }
    OutlookSim outlook(12);
    auto app = Make<TOutlookApplication>();
    app->SetEventIID(DIID_ApplicationEvents);
    app->ConnectTo(outlook.Application());
    EXPECT_EQ(outlook.App().AdvisedIids(), std::vector<GUID>{DIID_ApplicationEvents});
}

TEST(OutlookWrappers, WindowAndItemEventInterfacesFollowTheVersion) {
    for (int major : {9, 11, 12, 14, 16}) {
        OutlookSim outlook(major);
        auto explorer = outlook.OpenExplorer();
        auto inspector = outlook.ComposeNewMail();
        auto explorerWrapper = Make<TExplorer>();
        auto inspectorWrapper = Make<TInspector>();
        auto mailWrapper = Make<TMailItem>();
        explorerWrapper->ConnectTo(explorer->DispRef());
        inspectorWrapper->ConnectTo(inspector->DispRef());
        mailWrapper->ConnectTo(inspector->CurrentItem().DispRef());
        bool old = major == 9;
        EXPECT_EQ(explorer->AdvisedIids(),
                  std::vector<GUID>{old ? DIID_ExplorerEvents : DIID_ExplorerEvents_10});
        EXPECT_EQ(inspector->AdvisedIids(),
                  std::vector<GUID>{old ? DIID_InspectorEvents : DIID_InspectorEvents_10});
        EXPECT_EQ(inspector->CurrentItem().AdvisedIids(),
                  std::vector<GUID>{old ? DIID_ItemEvents : DIID_ItemEvents_10});
    }
}

TEST(OutlookWrappers, NoEventReachesAWrapperAfterDisconnect) {
    OutlookSim outlook;
    auto app = Make<TOutlookApplication>();
    int quits = 0, newMail = 0;
    app->OnQuit = [&](TObject* sender) {
        EXPECT_EQ(sender, app.get());
        ++quits;
    };
    app->OnNewMail = [&](TObject*) { ++newMail; };
    app->ConnectTo(outlook.Application());
    outlook.DeliverMail({});
    EXPECT_EQ(newMail, 1);
    app->Disconnect();
    EXPECT_EQ(OutlookSim::AdvisedSinks(), 0u);
    outlook.DeliverMail({});
    outlook.Quit();
    EXPECT_EQ(newMail, 1);
    EXPECT_EQ(quits, 0);
}

TEST(OutlookWrappers, TheSendEventsCancelThroughTheWrappers) {
    OutlookSim outlook;
    auto app = Make<TOutlookApplication>();
    app->ConnectTo(outlook.Application());
    auto mail = Make<TMailItem>();
    mail->ConnectTo(app->CreateItem(olMailItem));
    mail->SetTo(u"ann@example.com");
    std::vector<std::string> seen;
    mail->OnSend = [&](TObject*, WordBool& Cancel) {
        seen.push_back("send");
        Cancel = VARIANT_TRUE;
    };
    app->OnItemSend = [&](TObject*, const ComPtr<IDispatch>&, WordBool&) {
        seen.push_back("itemsend");
    };
    mail->Send();
    EXPECT_EQ(seen, std::vector<std::string>{"send"});
    EXPECT_TRUE(outlook.Deliveries().empty());

    // Cancelled by the application's event instead.
    mail->OnSend = [&](TObject*, WordBool&) { seen.push_back("send"); };
    app->OnItemSend = [&](TObject*, const ComPtr<IDispatch>& item, WordBool& Cancel) {
        EXPECT_TRUE(IsSameObject(item.Get(), mail->DefaultInterface().Get()));
        seen.push_back("itemsend");
        Cancel = VARIANT_TRUE;
    };
    mail->Send();
    EXPECT_EQ(seen, (std::vector<std::string>{"send", "send", "itemsend"}));
    EXPECT_TRUE(outlook.Deliveries().empty());

    app->OnItemSend = nullptr;
    // As the add-in does on Outlook's own Send: clear the categories in the event.
    mail->SetCategories(u"Private");
    mail->OnSend = [&](TObject* sender, WordBool&) {
        static_cast<TMailItem*>(sender)->SetCategories(u"");
    };
    mail->Send();
    ASSERT_EQ(outlook.Deliveries().size(), 1u);
    EXPECT_EQ(outlook.Deliveries()[0].Categories, u"");
}

TEST(OutlookWrappers, AnswerEventsCarryTheResponse) {
    OutlookSim outlook;
    sim::ItemData data;
    data.Subject = u"Plans";
    data.Categories = u"Travel";
    data.SenderEmailAddress = u"ann@example.com";
    auto received = outlook.DeliverMail(data);
    auto mail = Make<TMailItem>();
    mail->ConnectTo(received->DispRef());
    std::u16string noted;
    std::vector<std::u16string> subjects;
    auto onAnswer = [&](TObject* sender, const ComPtr<IDispatch>& response, WordBool&) {
        noted = static_cast<TMailItem*>(sender)->Categories();
        subjects.push_back(MailItem(response).Subject());
    };
    mail->OnReply = onAnswer;
    mail->OnReplyAll = onAnswer;
    mail->OnForward = [&](TObject* sender, const ComPtr<IDispatch>& response, WordBool& Cancel) {
        onAnswer(sender, response, Cancel);
        Cancel = VARIANT_TRUE;
    };
    MailItem reply = mail->Reply();
    mail->ReplyAll();
    EXPECT_EQ(CodeOf([&] { mail->Forward(); }), E_ABORT);
    EXPECT_EQ(noted, u"Travel");
    EXPECT_EQ(subjects, (std::vector<std::u16string>{u"RE: Plans", u"RE: Plans", u"FW: Plans"}));
    EXPECT_EQ(reply.ConversationIndex().size(), 54u);
}

TEST(OutlookWrappers, ItemAddArrivesOnANestedFolderOfASecondStore) {
    OutlookSim outlook;
    auto archive = outlook.AddStore(u"Archive");
    outlook.AddFolder(*outlook.AddFolder(*archive, u"Clients"), u"Acme");

    auto app = Make<TOutlookApplication>();
    app->ConnectTo(outlook.Application());
    NameSpace ns = app->GetNamespace(u"MAPI");
    Folders stores = ns.GetFolders();
    ASSERT_EQ(stores.Count(), 2);
    MAPIFolder acme = stores.Item(2).GetFolders().Item(u"Clients").GetFolders().Item(u"Acme");
    EXPECT_EQ(acme.StoreID(), stores.Item(2).StoreID());
    EXPECT_NE(acme.StoreID(), stores.Item(1).StoreID());

    auto watcher = Make<TItems>();
    watcher->ConnectTo(acme.GetItems().DispRef());
    std::vector<std::u16string> arrived;
    watcher->OnItemAdd = [&](TObject*, const ComPtr<IDispatch>& item) {
        MailItem copy(item);
        arrived.push_back(copy.Subject());
        copy.SetCategories(u"Acme");
        copy.Save();
    };
    MailItem mail(app->CreateItem(olMailItem));
    mail.SetTo(u"bob@acme.example");
    mail.SetSubject(u"Offer");
    mail.SetSaveSentMessageFolder(acme);
    EXPECT_EQ(mail.SaveSentMessageFolder().EntryID(), acme.EntryID());
    std::u16string index = mail.ConversationIndex();
    mail.Send();
    ASSERT_EQ(arrived, std::vector<std::u16string>{u"Offer"});
    MailItem copy(acme.GetItems().Item(1));
    EXPECT_EQ(copy.ConversationIndex(), index);
    EXPECT_EQ(copy.Categories(), u"Acme");
    EXPECT_TRUE(copy.Saved());
    EXPECT_EQ(outlook.Deliveries()[0].Categories, u"");

    // Once disconnected the watcher hears nothing more.
    watcher->Disconnect();
    MailItem second(app->CreateItem(olMailItem));
    second.SetTo(u"bob@acme.example");
    second.SetSaveSentMessageFolder(acme);
    second.Send();
    EXPECT_EQ(arrived.size(), 1u);
    EXPECT_EQ(acme.GetItems().Count(), 2);
}

TEST(OutlookWrappers, WindowWrappersFollowNewWindowsAndMayBeFreedWhileClosing) {
    OutlookSim outlook;
    auto app = Make<TOutlookApplication>();
    app->ConnectTo(outlook.Application());
    auto explorers = Make<TExplorers>();
    auto inspectors = Make<TInspectors>();
    explorers->ConnectTo(app->GetExplorers().DispRef());
    inspectors->ConnectTo(app->GetInspectors().DispRef());

    std::vector<std::string> seen;
    std::unique_ptr<TExplorer> explorer;
    std::unique_ptr<TInspector> inspector;
    explorers->OnNewExplorer = [&](TObject*, const ComPtr<IDispatch>& window) {
        explorer = Make<TExplorer>();
        explorer->ConnectTo(window);
        explorer->OnActivate = [&](TObject*) { seen.push_back("explorer activate"); };
        explorer->OnDeactivate = [&](TObject*) { seen.push_back("explorer deactivate"); };
        explorer->OnFolderSwitch = [&](TObject*) { seen.push_back("folder switch"); };
        explorer->OnSelectionChange = [&](TObject* sender) {
            seen.push_back("selection " +
                           std::to_string(static_cast<TExplorer*>(sender)->GetSelection().Count()));
        };
        explorer->OnBeforeFolderSwitch = [&](TObject*, const ComPtr<IDispatch>& folder,
                                             WordBool& Cancel) {
            seen.push_back("before switch to " + text::Narrow(MAPIFolder(folder).Name()));
            Cancel = VARIANT_TRUE;
        };
    };
    inspectors->OnNewInspector = [&](TObject*, const ComPtr<IDispatch>& window) {
        EXPECT_EQ(Item(Inspector(window).CurrentItem()).Class(), olMail);
        inspector = Make<TInspector>();
        inspector->ConnectTo(window);
        inspector->OnActivate = [&](TObject*) { seen.push_back("inspector activate"); };
        // The framework frees an inspector's wrapper from its own Close event.
        inspector->OnClose = [&](TObject*) {
            seen.push_back("inspector close");
            inspector.reset();
        };
    };

    auto window = outlook.OpenExplorer();
    auto item = outlook.PutItem(*outlook.DefaultFolder(olFolderInbox), sim::ItemKind::Mail, {});
    outlook.SelectItems(*window, {item});
    EXPECT_FALSE(outlook.SwitchFolder(*window, outlook.DefaultFolder(olFolderSentMail)));
    EXPECT_EQ(app->ActiveExplorer().CurrentFolder().Name(), u"Inbox");
    auto compose = outlook.ComposeNewMail();
    EXPECT_EQ(Inspector(app->ActiveInspector()).Caption(), u"Untitled - Message");
    outlook.Close(*compose);
    EXPECT_FALSE(inspector);
    EXPECT_EQ(seen, (std::vector<std::string>{"explorer activate", "folder switch", "selection 1",
                                              "before switch to Sent Items", "explorer deactivate",
                                              "inspector activate", "inspector close",
                                              "explorer activate"}));
    explorer.reset();
    explorers.reset();
    inspectors.reset();
    app.reset();
    EXPECT_EQ(OutlookSim::AdvisedSinks(), 0u) << OutlookSim::SinkReport();
}

TEST(OutlookWrappers, PageChangeWritesThroughAByReferenceText) {
    OutlookSim outlook;
    auto compose = outlook.ComposeNewMail();
    auto inspector = Make<TInspector>();
    inspector->ConnectTo(compose->DispRef());
    std::u16string shown;
    inspector->OnPageChange = [&](TObject*, std::u16string& page) {
        shown = page;
        page = u"Details";
    };
    compose->RaisePageChange(u"Message");
    EXPECT_EQ(shown, u"Message");
}

namespace {

// Any object answering the mail item's names serves the wrappers.
class StandInMail : public DispatchObject<IDispatch, IConnectionPointContainer> {
public:
    std::u16string subject = u"stand-in";
    ConnectionPoints points{this};
    HRESULT FindConnectionPoint(const GUID& iid, IConnectionPoint** cp) override {
        return points.FindConnectionPoint(iid, cp);
    }

private:
    friend struct ::ComMaker;
    StandInMail() {
        AddInterfaceAlias<IDispatch>(IID__MailItem);
        points.Add(DIID_ItemEvents_10);
        Members.Property(
            "Subject", [this] { return subject; },
            [this](const Variant& v) { subject = v.AsWide(); });
    }
};

} // namespace

TEST(OutlookWrappers, WrappersServeAnyObjectThatAnswersTheNames) {
    auto standIn = MakeComObject<StandInMail>();
    auto mail = Make<TMailItem>();
    mail->ConnectTo(ComPtr<IDispatch>(standIn));
    EXPECT_EQ(mail->EventIID(), DIID_ItemEvents_10); // no Application: the newest interface
    EXPECT_TRUE(mail->EventsConnected());
    EXPECT_EQ(mail->Subject(), u"stand-in");
    mail->SetSubject(u"changed");
    EXPECT_EQ(standIn->subject, u"changed");
    int sends = 0;
    mail->OnSend = [&](TObject*, WordBool& Cancel) {
        ++sends;
        Cancel = VARIANT_TRUE;
    };
    VARIANT_BOOL cancel = VARIANT_FALSE;
    DispArgs args{Variant::ByRefBool(&cancel)};
    standIn->points.Fire(DIID_ItemEvents_10, DISPID_Send, args.Params());
    EXPECT_EQ(sends, 1);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    // A by-value Cancel can be written but does not go back.
    DispArgs byValue{Variant(false)};
    standIn->points.Fire(DIID_ItemEvents_10, DISPID_Send, byValue.Params());
    EXPECT_EQ(sends, 2);
    mail.reset();
    EXPECT_EQ(standIn->points.SinkCount(), 0u);
    EXPECT_EQ(CodeOf([&] { Make<TMailItem>()->Subject(); }), E_POINTER);
}

TEST(OutlookWrappers, AScenarioThroughTheWrappersLeavesNothingBehind) {
    {
        OutlookSim outlook(16);
        auto app = Make<TOutlookApplication>();
        auto ns = Make<TNameSpace>();
        app->ConnectTo(outlook.Application());
        ns->ConnectTo(app->GetNamespace(u"MAPI").DispRef());
        auto sentWatcher = Make<TItems>();
        sentWatcher->ConnectTo(ns->GetDefaultFolder(olFolderSentMail).GetItems().DispRef());
        auto compose = outlook.ComposeNewMail();
        auto mail = Make<TMailItem>();
        mail->ConnectTo(compose->CurrentItem().DispRef());
        mail->SetTo(u"x@example.com");
        outlook.PressSend(*compose);
        EXPECT_GT(OutlookSim::AdvisedSinks(), 0u);
        mail.reset();
        sentWatcher.reset();
        ns.reset();
        app.reset();
        EXPECT_EQ(OutlookSim::AdvisedSinks(), 0u) << OutlookSim::SinkReport();
    }
    EXPECT_EQ(OutlookSim::LiveObjects(), 0);
}

TEST(OutlookWrappers, OptionsPagesAreAddedThroughTheApplicationAndTheNameSpace) {
    OutlookSim outlook;
    auto app = Make<TOutlookApplication>();
    auto ns = Make<TNameSpace>();
    app->ConnectTo(outlook.Application());
    ns->ConnectTo(app->Session().DispRef());
    bool started = false;
    app->OnStartup = [&](TObject*) { started = true; };
    app->OnOptionsPagesAdd = [](TObject*, const ComPtr<IDispatch>& pages) {
        dispCall(pages, "Add", u"Lorem.Page", u"Sending");
    };
    std::u16string folderName;
    ns->OnOptionsPagesAdd = [&](TObject*, const ComPtr<IDispatch>& pages,
                                const ComPtr<IDispatch>& folder) {
        folderName = MAPIFolder(folder).Name();
        dispCall(pages, "Add", u"Lorem.FolderPage", u"Filing");
    };
    outlook.RaiseStartup();
    EXPECT_TRUE(started);
    auto options = outlook.ShowOptionsDialog();
    ASSERT_EQ(options->Pages().size(), 1u);
    EXPECT_EQ(options->Pages()[0].Title, u"Sending");
    auto properties = outlook.ShowFolderProperties(*outlook.DefaultFolder(olFolderInbox));
    EXPECT_EQ(folderName, u"Inbox");
    ASSERT_EQ(properties->Pages().size(), 1u);
    EXPECT_EQ(properties->Pages()[0].Title, u"Filing");
}

TEST(OutlookWrappers, AskingWindowEventsCancelAndAWindowMayLackCommandBars) {
    OutlookSim outlook;
    auto window = outlook.OpenExplorer();
    auto explorer = Make<TExplorer>();
    explorer->ConnectTo(window->DispRef());
    EXPECT_TRUE(explorer->CommandBars());
    window->RemoveCommandBars();
    EXPECT_FALSE(explorer->CommandBars());
    explorer->OnBeforeMaximize = [](TObject*, WordBool& Cancel) { Cancel = VARIANT_TRUE; };
    EXPECT_TRUE(window->RaiseBefore(DISPID_BeforeMaximize));
    EXPECT_FALSE(window->RaiseBefore(DISPID_BeforeMinimize));
    Variant pasted;
    explorer->OnBeforeItemPaste = [&](TObject*, Variant& content, const ComPtr<IDispatch>& target,
                                      WordBool& Cancel) {
        EXPECT_EQ(MAPIFolder(target).Name(), u"Inbox");
        content = Variant(u"nothing to paste");
        Cancel = VARIANT_TRUE;
    };
    EXPECT_TRUE(window->RaiseBeforePaste());
}
