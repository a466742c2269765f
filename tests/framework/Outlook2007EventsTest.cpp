// Outlook 2007's context-menu events: the module makes the component for
// Outlook with the ribbon only, and it forwards all seven events to the
// module's Outlook events component, dropping what it cannot forward.
#include "FrameworkTestSupport.h"

#include "platform/office/CommandBars.h"
#include "platform/outlook/OutlookTypes.h"
#include "platform/sim/outlook/OutlookSim.h"

using namespace fwtest;
using namespace outlook;

namespace {

const std::string kWithEvents = R"(object TestModule: TTestModule
  AddInName = 'TestAddIn'
  SupportedApps = [ohaOutlook]
  object OutlookEvents: TadxOutlookAppEvents
  end
end
)";

class Outlook2007Events : public AddInTest {
protected:
    // A module detected in the simulated Outlook of that version.
    void Detect(int version, const std::string& form = kWithEvents) {
        outlook.SetVersion(version);
        SetModuleForm(form);
        module.reset(factory.CreateModule());
        module->OnError = [this](const Exception& e, bool& handled) {
            errors.push_back(e.Message);
            handled = true;
        };
        module->HostApplication = Variant(outlook.Application());
        module->SetHostApplication();
        events = dynamic_cast<TadxOutlookAppEvents*>(module->HostEvents);
    }
    // Records every context-menu handler of the events component.
    void RecordHandlers() {
        auto display = [this](const char* name) {
            return [this, name](TObject* sender, const ComPtr<IDispatch>& bar,
                                const ComPtr<IDispatch>& target) {
                heard.push_back(std::string(name) +
                                (sender == events && bar && target ? "" : " (wrong)"));
            };
        };
        events->OnAttachmentContextMenuDisplay = display("attachment");
        events->OnViewContextMenuDisplay = display("view");
        events->OnItemContextMenuDisplay = display("item");
        events->OnFolderContextMenuDisplay = display("folder");
        events->OnStoreContextMenuDisplay = display("store");
        events->OnShortcutContextMenuDisplay = display("shortcut");
        events->OnContextMenuClose = [this](TObject*, int kind) {
            heard.push_back("close " + std::to_string(kind));
        };
    }
    // Raises the six display events with fitting arguments and one close.
    void RaiseAll() {
        auto bar = FakeHost::Create(IID_CommandBar, u"");
        auto shortcut = FakeHost::Create(IID_OutlookBarShortcut, u"");
        auto anything = FakeHost::Create(GUID::Create(), u"");
        ComPtr<IDispatch> selection = dispGet(explorer->Disp(), "Selection").AsDispatch();
        IDispatch* folder = outlook.DefaultFolder(olFolderInbox)->Disp();
        auto& app = outlook.App();
        app.RaiseEvent(DISPID_AttachmentContextMenuDisplay,
                       {Variant(bar.Get()), Variant(anything.Get())});
        app.RaiseEvent(DISPID_ViewContextMenuDisplay,
                       {Variant(bar.Get()), Variant(anything.Get())});
        app.RaiseEvent(DISPID_ItemContextMenuDisplay, {Variant(bar.Get()), Variant(selection)});
        app.RaiseEvent(DISPID_FolderContextMenuDisplay, {Variant(bar.Get()), Variant(folder)});
        app.RaiseEvent(DISPID_StoreContextMenuDisplay,
                       {Variant(bar.Get()), Variant(anything.Get())});
        app.RaiseEvent(DISPID_ShortcutContextMenuDisplay,
                       {Variant(bar.Get()), Variant(shortcut.Get())});
        app.RaiseEvent(DISPID_ContextMenuClose, {Variant(int(olFolderContextMenu))});
    }
    void TearDown() override { module.reset(); }

    sim::OutlookSim outlook{12};
    ComPtr<sim::SimExplorer> explorer = outlook.OpenExplorer();
    TadxModulePtr module;
    TadxOutlookAppEvents* events = nullptr;
    std::vector<std::string> heard;
    std::vector<std::string> errors;
};

TEST_F(Outlook2007Events, AllSevenContextMenuEventsAreForwarded) {
    Detect(12);
    ASSERT_NE(module->Outlook2007Events, nullptr);
    ASSERT_NE(events, nullptr);
    RecordHandlers();
    RaiseAll();
    EXPECT_EQ(heard, (std::vector<std::string>{"attachment", "view", "item", "folder", "store",
                                               "shortcut", "close 2"}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(Outlook2007Events, EveryOutlookWithTheRibbonGetsTheComponentOnApplicationEvents11) {
    for (int version : {12, 14, 16}) {
        SCOPED_TRACE(version);
        Detect(version);
        ASSERT_NE(module->Outlook2007Events, nullptr);
        EXPECT_EQ(module->Outlook2007Events->EventIID(), DIID_ApplicationEvents_11);
        EXPECT_NE(module->Outlook2007Events->EventsConnection(), 0u);
        EXPECT_EQ(module->Outlook2007Events->Owner(), module.get());
    }
}

TEST_F(Outlook2007Events, Outlook2003GetsNoComponentAndNoContextMenuEvents) {
    Detect(11);
    EXPECT_EQ(module->Outlook2007Events, nullptr);
    RecordHandlers();
    RaiseAll();
    EXPECT_TRUE(heard.empty());
}

TEST_F(Outlook2007Events, WithoutAnOutlookEventsComponentTheEventsAreDropped) {
    Detect(12, ModuleForm("  AddInName = 'TestAddIn'"));
    EXPECT_EQ(events, nullptr);
    ASSERT_NE(module->Outlook2007Events, nullptr);
    RaiseAll();
    EXPECT_TRUE(errors.empty());
}

TEST_F(Outlook2007Events, AnItemMenuWithoutASelectionIsDroppedSilently) {
    Detect(12);
    RecordHandlers();
    auto bar = FakeHost::Create(IID_CommandBar, u"");
    auto notASelection = FakeHost::Create(GUID::Create(), u"");
    outlook.App().RaiseEvent(DISPID_ItemContextMenuDisplay,
                             {Variant(bar.Get()), Variant(notASelection.Get())});
    // A menu whose first argument is no command bar goes the same way.
    outlook.App().RaiseEvent(DISPID_ViewContextMenuDisplay,
                             {Variant(notASelection.Get()), Variant(notASelection.Get())});
    EXPECT_TRUE(heard.empty());
    EXPECT_TRUE(errors.empty());
}

TEST_F(Outlook2007Events, ContextMenuCloseForwardsTheKindUnchangedAndOtherEventsDoNothing) {
    Detect(14);
    RecordHandlers();
    for (int kind : {0, 5, 77})
        outlook.App().RaiseEvent(DISPID_ContextMenuClose, {Variant(kind)});
    outlook.App().RaiseEvent(-1);
    outlook.App().RaiseEvent(DISPID_NewMail);
    EXPECT_EQ(heard, (std::vector<std::string>{"close 0", "close 5", "close 77"}));
    EXPECT_EQ(events->DoContextMenuClose(3), 0);
}

TEST_F(Outlook2007Events, AForwardedHandlersExceptionIsReportedOnce) {
    Detect(12);
    events->OnFolderContextMenuDisplay = [](TObject*, const ComPtr<IDispatch>&,
                                            const ComPtr<IDispatch>&) {
        throw Exception("Handler failed");
    };
    auto bar = FakeHost::Create(IID_CommandBar, u"");
    outlook.App().RaiseEvent(
        DISPID_FolderContextMenuDisplay,
        {Variant(bar.Get()), Variant(outlook.DefaultFolder(olFolderInbox)->Disp())});
    EXPECT_EQ(errors, std::vector<std::string>{"Handler failed"});
}

TEST_F(Outlook2007Events, TheComponentIsDisconnectedWithTheHost) {
    Detect(12);
    TadxOutlook2007Application* component = module->Outlook2007Events;
    module->FreeHostApplication();
    EXPECT_EQ(module->Outlook2007Events, nullptr);
    EXPECT_EQ(component->Server(), nullptr);
    EXPECT_EQ(component->EventsConnection(), 0u);
}

} // namespace
