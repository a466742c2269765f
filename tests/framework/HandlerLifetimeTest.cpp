// Every handler that the host can reach may turn the add-in off (the host
// then disconnects it at once and lets go of the add-in object, which frees
// the module with its components, controls, windows and sinks), and may
// raise after that. One table names each such handler with the user action
// that reaches it; every row runs three ways: turned off, turned off and
// then raising, and raising alone. Turned off, nothing of the connection is
// touched again and nothing is reported (the sanitizer build proves the
// first); raising alone is reported as the handler's caller always did.
#include "RibbonTestSupport.h"

#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/commandbars/CustomCommandBar.h"
#include "framework/events/OutlookAppEvents.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Timer.h"
#include "platform/office/CommandBars.h"
#include "platform/outlook/OutlookTypes.h"
#include "platform/sim/OfficeTheme.h"
#include "platform/sim/RibbonObjects.h"
#include "platform/text/Text.h"
#include "platform/win/Clock.h"
#include "platform/win/Hook.h"
#include "platform/win/Registry.h"
#include "platform/win/Window.h"

#include <algorithm>

using namespace outlook;

namespace rbtest {
namespace {

enum class Mode { TurnOff, TurnOffAndRaise, Raise };

class HandlerLifetime;
// Assigns the handler of one row (built by HandlerLifetime::Handler).
using Arm = void (*)(HandlerLifetime& t);
// What the user or the host does to reach it.
using Reach = void (*)(HandlerLifetime& t);

struct Row {
    const char* Name;
    Arm Assign;
    Reach Trigger;
    // Assigned before start-up (the module's own start-up events).
    bool BeforeStart;
    // An exception of the handler is reported when it does not turn off.
    bool Reported;
};

class HandlerLifetime : public RibbonAddIn, public ::testing::WithParamInterface<Row> {
public:
    using RibbonAddIn::addIn;
    using RibbonAddIn::Module;
    using RibbonAddIn::outlook;

    HandlerLifetime() : clock(TDateTime(45000.0)) {}

    // What every row's handler does: turn the add-in off, raise, or both.
    // The second step reads the handler's own state again, after the free:
    // a handler that was not copied before it ran is caught there.
    auto Handler() {
        return [t = this](auto&&...) {
            const bool here = t->TurnOffIfAsked();
            t->RaiseIfAsked(here);
        };
    }
    // True when this call turned the add-in off (a handler may be reached
    // again while the host disconnects it: the begin-shutdown event).
    bool TurnOffIfAsked() {
        reached = true;
        if (mode == Mode::Raise || turnedOff)
            return false;
        turnedOff = true;
        // The host holds the object while it calls it, then lets go of it.
        ComPtr<IDTExtensibility2> host = addIn;
        EXPECT_EQ(host->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);
        addIn = nullptr;
        return true;
    }
    void RaiseIfAsked(bool turnedOffHere) {
        if (mode == Mode::Raise || (mode == Mode::TurnOffAndRaise && turnedOffHere))
            throw Exception("The licence has expired");
    }

    // Connects with the send-actions ribbon, an Outlook events component,
    // a timer and the keyboard hook, plus a check box, a drop-down, an edit
    // box and a dynamic menu in the compose tab's group.
    void Connect() {
        RibbonAddIn::Connect(SendActionsForm("  HandleShortcuts = True"));
        events = new TadxOutlookAppEvents(&Module());
        timer = new TTimer(&Module());
        timer->SetInterval(100);
        auto* group = dynamic_cast<TadxRibbonCustomControl*>(Module().FindRibbonControl(kGroupId));
        TadxRibbonControls& controls = *group->GetControls();
        controls.Add(adxRibbonTypeCheckBox)->SetID(u"Check");
        auto* drop = static_cast<TadxRibbonDropDown*>(controls.Add(adxRibbonTypeDropDown));
        drop->SetID(u"Drop");
        for (const char16_t* item : {u"One", u"Two"}) {
            TadxRibbonCustomControl* added = drop->Items()->Add();
            added->SetID(item);
            added->SetCaption(item);
        }
        controls.Add(adxRibbonTypeEditBox)->SetID(u"Edit");
        auto* dynamic = static_cast<TadxRibbonMenu*>(controls.Add(adxRibbonTypeMenu));
        dynamic->SetID(u"Dyn");
        dynamic->SetDynamic(true);
        dynamic->Controls()->Add(adxRibbonTypeButton)->SetID(u"DynButton");
        // An explorer bar with a button that has a shortcut.
        auto* bar = new TadxOlExplorerCustomCommandBar(&Module());
        bar->SetCommandBarName(u"Lifetime Bar");
        commandBarButton = bar->Controls()->Add(adxKindButton)->GetAsButton();
        commandBarButton->SetCaption(u"&Go");
        commandBarButton->SetOfficeTag(u"tag-go");
        commandBarButton->SetShortcutText(u"Ctrl+Shift+F5");
    }
    // Start-up as the host runs it after the connection.
    void Start() {
        ComPtr<IDTExtensibility2> host = addIn;
        EXPECT_EQ(host->OnStartupComplete(nullptr), S_OK);
    }
    // The compose window's ribbon, loaded now.
    sim::RibbonHost& Ribbon() {
        if (!ribbon)
            ribbon = LoadRibbon(u"Microsoft.Outlook.Mail.Compose",
                                ComPtr<IDispatch>::Share(inspector->Disp()));
        return *ribbon;
    }
    // A new mail to someone, in its inspector.
    ComPtr<sim::SimInspector> ComposeMail() {
        sim::ItemData data;
        data.To = u"someone@example.com";
        return outlook.ComposeNewMail(data);
    }
    // The errors reported so far: message boxes and what the module's OnError heard.
    size_t Reports() const {
        size_t heard = std::count_if(journal.begin(), journal.end(), [](const std::string& e) {
            return e.rfind("Error ", 0) == 0;
        });
        return user.Shown().size() + heard;
    }
    template <class C> C& Control(const char16_t* id) {
        return *dynamic_cast<C*>(Module().FindRibbonControl(id));
    }

    platform::ManualClockScope clock;
    ComPtr<sim::SimExplorer> explorer = outlook.OpenExplorer();
    ComPtr<sim::SimInspector> inspector = ComposeMail();
    TadxOutlookAppEvents* events = nullptr;
    TadxCommandBarButton* commandBarButton = nullptr;
    TTimer* timer = nullptr;
    std::unique_ptr<sim::RibbonHost> ribbon;
    Mode mode = Mode::TurnOff;
    bool reached = false;
    bool turnedOff = false;
};

// ---- what reaches them ----

void Nothing(HandlerLifetime&) {}
void Shutdown(HandlerLifetime& t) {
    ComPtr<IDTExtensibility2> host = t.addIn;
    EXPECT_EQ(host->OnBeginShutdown(nullptr), S_OK);
}
void OpenExplorer(HandlerLifetime& t) {
    t.outlook.OpenExplorer();
}
void ComposeMail(HandlerLifetime& t) {
    t.ComposeMail();
}
void ActivateExplorer(HandlerLifetime& t) {
    t.outlook.Activate(*t.inspector);
    t.outlook.Activate(*t.explorer);
}
void ActivateInspector(HandlerLifetime& t) {
    t.outlook.Activate(*t.explorer);
    t.outlook.Activate(*t.inspector);
}
void SwitchFolder(HandlerLifetime& t) {
    t.outlook.SwitchFolder(*t.explorer, t.outlook.DefaultFolder(olFolderSentMail));
}
void SwitchView(HandlerLifetime& t) {
    t.explorer->SwitchView(u"Messages");
}
void SelectNothing(HandlerLifetime& t) {
    t.outlook.SelectItems(*t.explorer, {});
}
void CloseExplorer(HandlerLifetime& t) {
    t.outlook.Close(*t.explorer);
}
void CloseInspector(HandlerLifetime& t) {
    t.outlook.Close(*t.inspector);
}
void ChangeTheme(HandlerLifetime&) {
    sim::ChangeOfficeTheme(12, 3);
}
void PressKey(HandlerLifetime&) {
    platform::ReleaseAllKeys();
    platform::PressKey('A');
}
void ClickCommandBarButton(HandlerLifetime& t) {
    t.explorer->CommandBars().FindByTag(u"tag-go")->UserClick();
}
void PressShortcut(HandlerLifetime& t) {
    t.outlook.Activate(*t.explorer);
    platform::ReleaseAllKeys();
    EXPECT_TRUE(platform::PressKey(VK_F5, {VK_CONTROL, VK_SHIFT}));
    // The button runs once the hook has returned.
    platform::ProcessMessages();
}
void CallBackNow(HandlerLifetime& t) {
    ComPtr<IadxCallBack> callBack = ComQuery<IadxCallBack>(t.addIn.Get());
    try {
        callBack->CallBack(1, 2, 3, 4, 5, 6, 7);
    } catch (const Exception&) {
        // The caller hears the handler's exception.
    }
}
void Tick(HandlerLifetime&) {
    platform::AdvanceClock(100);
    platform::ProcessMessages();
}
// The host's calls fail while the add-in raises: what it records is enough.
template <class F> void AsTheHost(F&& call) {
    try {
        call();
    } catch (const Exception&) {
    }
}
void LoadRibbon(HandlerLifetime& t) {
    AsTheHost([&] { t.Ribbon(); });
}
void ClickMenuButton(HandlerLifetime& t) {
    AsTheHost([&] { t.Ribbon().Click(text::Narrow(kMenuButtonIds[0])); });
}
void ClickSplitButton(HandlerLifetime& t) {
    AsTheHost([&] { t.Ribbon().Click(text::Narrow(kSplitButtonId)); });
}
void ClickCheckBox(HandlerLifetime& t) {
    AsTheHost([&] { t.Ribbon().Click("Check"); });
}
void SelectItem(HandlerLifetime& t) {
    AsTheHost([&] { t.Ribbon().Select("Drop", 1); });
}
void TypeText(HandlerLifetime& t) {
    AsTheHost([&] { t.Ribbon().ChangeText("Edit", u"typed"); });
}
void ShowSpacer(HandlerLifetime& t) {
    AsTheHost([&] { t.Ribbon().Render(text::Narrow(kSpacerId)); });
}
void ShowMenuButton(HandlerLifetime& t) {
    AsTheHost([&] { t.Ribbon().Render(text::Narrow(kMenuButtonIds[0])); });
}
void ShowItems(HandlerLifetime& t) {
    AsTheHost([&] { t.Ribbon().RenderItems("Drop"); });
}
void OpenDynamicMenu(HandlerLifetime& t) {
    AsTheHost([&] { t.Ribbon().OpenDynamicMenu("Dyn"); });
}
void DeliverMail(HandlerLifetime& t) {
    t.outlook.DeliverMail({});
}
void SendMail(HandlerLifetime& t) {
    t.outlook.PressSend(*t.inspector);
}
void ShowItemContextMenu(HandlerLifetime& t) {
    auto bar = fwtest::FakeHost::Create(IID_CommandBar, u"");
    ComPtr<IDispatch> selection = dispGet(t.explorer->Disp(), "Selection").AsDispatch();
    t.outlook.App().RaiseEvent(DISPID_ItemContextMenuDisplay,
                               {Variant(bar.Get()), Variant(selection)});
}
void CloseContextMenu(HandlerLifetime& t) {
    t.outlook.App().RaiseEvent(DISPID_ContextMenuClose, {Variant(int(olItemContextMenu))});
}

const Row kRows[] = {
    {"OnAddInInitialize", [](HandlerLifetime& t) { t.Module().OnAddInInitialize = t.Handler(); },
     Nothing, true, true},
    {"OnAddInStartupComplete",
     [](HandlerLifetime& t) { t.Module().OnAddInStartupComplete = t.Handler(); }, Nothing, true,
     true},
    {"OnOLNewExplorerAtStartup",
     [](HandlerLifetime& t) { t.Module().OnOLNewExplorer = t.Handler(); }, Nothing, true, true},
    {"OnOLNewInspectorAtStartup",
     [](HandlerLifetime& t) { t.Module().OnOLNewInspector = t.Handler(); }, Nothing, true, true},
    {"OnAddInBeginShutdown",
     [](HandlerLifetime& t) { t.Module().OnAddInBeginShutdown = t.Handler(); }, Shutdown, false,
     true},
    {"OnOLNewExplorer", [](HandlerLifetime& t) { t.Module().OnOLNewExplorer = t.Handler(); },
     OpenExplorer, false, true},
    {"OnOLNewInspector", [](HandlerLifetime& t) { t.Module().OnOLNewInspector = t.Handler(); },
     ComposeMail, false, true},
    {"OnOLExplorerActivate",
     [](HandlerLifetime& t) { t.Module().OnOLExplorerActivate = t.Handler(); }, ActivateExplorer,
     false, true},
    {"OnOLExplorerDeactivate",
     [](HandlerLifetime& t) { t.Module().OnOLExplorerDeactivate = t.Handler(); }, ActivateInspector,
     false, true},
    {"OnOLExplorerFolderSwitch",
     [](HandlerLifetime& t) { t.Module().OnOLExplorerFolderSwitch = t.Handler(); }, SwitchFolder,
     false, true},
    {"OnOLExplorerBeforeFolderSwitch",
     [](HandlerLifetime& t) { t.Module().OnOLExplorerBeforeFolderSwitch = t.Handler(); },
     SwitchFolder, false, true},
    {"OnOLExplorerViewSwitch",
     [](HandlerLifetime& t) { t.Module().OnOLExplorerViewSwitch = t.Handler(); }, SwitchView, false,
     true},
    {"OnOLExplorerBeforeViewSwitch",
     [](HandlerLifetime& t) { t.Module().OnOLExplorerBeforeViewSwitch = t.Handler(); }, SwitchView,
     false, true},
    {"OnOLExplorerSelectionChange",
     [](HandlerLifetime& t) { t.Module().OnOLExplorerSelectionChange = t.Handler(); },
     SelectNothing, false, true},
    {"OnOLExplorerClose", [](HandlerLifetime& t) { t.Module().OnOLExplorerClose = t.Handler(); },
     CloseExplorer, false, true},
    {"OnOLInspectorActivate",
     [](HandlerLifetime& t) { t.Module().OnOLInspectorActivate = t.Handler(); }, ActivateInspector,
     false, true},
    {"OnOLInspectorDeactivate",
     [](HandlerLifetime& t) { t.Module().OnOLInspectorDeactivate = t.Handler(); }, ActivateExplorer,
     false, true},
    {"OnOLInspectorClose", [](HandlerLifetime& t) { t.Module().OnOLInspectorClose = t.Handler(); },
     CloseInspector, false, true},
    {"OnOfficeColorSchemeChanged",
     [](HandlerLifetime& t) { t.Module().OnOfficeColorSchemeChanged = t.Handler(); }, ChangeTheme,
     false, true},
    // The hook swallows its exceptions; the call-back's caller hears them.
    {"OnKeyDown", [](HandlerLifetime& t) { t.Module().OnKeyDown = t.Handler(); }, PressKey, false,
     false},
    {"CommandBarButtonOnClick",
     [](HandlerLifetime& t) { t.commandBarButton->OnClick = t.Handler(); }, ClickCommandBarButton,
     false, true},
    {"ShortcutOnClick", [](HandlerLifetime& t) { t.commandBarButton->OnClick = t.Handler(); },
     PressShortcut, false, true},
    {"OnCallBack", [](HandlerLifetime& t) { t.Module().OnCallBack = t.Handler(); }, CallBackNow,
     false, false},
    // The class library's timer shows its exception itself.
    {"OnTimer", [](HandlerLifetime& t) { t.timer->OnTimer = t.Handler(); }, Tick, false, true},
    // Reached by the error of another handler; its own exception replaces it.
    {"OnError",
     [](HandlerLifetime& t) {
         t.Module().OnError = t.Handler();
         t.Module().OnOLExplorerFolderSwitch = [](TObject*) { throw Exception("No folder"); };
     },
     SwitchFolder, false, false},
    {"OnRibbonBeforeCreate",
     [](HandlerLifetime& t) { t.Module().OnRibbonBeforeCreate = t.Handler(); }, LoadRibbon, false,
     true},
    {"OnRibbonBeforeLoad", [](HandlerLifetime& t) { t.Module().OnRibbonBeforeLoad = t.Handler(); },
     LoadRibbon, false, true},
    // A failing onLoad and a failing document reach the host, not the user.
    {"OnRibbonLoaded", [](HandlerLifetime& t) { t.Module().OnRibbonLoaded = t.Handler(); },
     LoadRibbon, false, false},
    {"MenuOnCreate",
     [](HandlerLifetime& t) { t.Control<TadxRibbonMenu>(kMenuId).OnCreate = t.Handler(); },
     LoadRibbon, false, false},
    {"DynamicMenuOnCreate",
     [](HandlerLifetime& t) { t.Control<TadxRibbonMenu>(u"Dyn").OnCreate = t.Handler(); },
     OpenDynamicMenu, false, true},
    {"ButtonOnClick",
     [](HandlerLifetime& t) {
         t.Control<TadxRibbonButton>(kMenuButtonIds[0]).OnClick = t.Handler();
     },
     ClickMenuButton, false, true},
    {"SplitButtonOnClick",
     [](HandlerLifetime& t) {
         t.Control<TadxRibbonSplitButton>(kSplitButtonId).OnClick = t.Handler();
     },
     ClickSplitButton, false, true},
    {"CheckBoxOnClick",
     [](HandlerLifetime& t) { t.Control<TadxRibbonCheckBox>(u"Check").OnClick = t.Handler(); },
     ClickCheckBox, false, true},
    {"DropDownOnChange",
     [](HandlerLifetime& t) { t.Control<TadxRibbonDropDown>(u"Drop").OnChange = t.Handler(); },
     SelectItem, false, true},
    {"EditBoxOnChange",
     [](HandlerLifetime& t) { t.Control<TadxRibbonEditBox>(u"Edit").OnChange = t.Handler(); },
     TypeText, false, true},
    {"OnPropertyChanging",
     [](HandlerLifetime& t) {
         t.Control<TadxRibbonButton>(kSpacerId).OnPropertyChanging = t.Handler();
     },
     ShowSpacer, false, true},
    // Only the picture: its callback goes on after the handler in a way of its own.
    {"OnPropertyChangingOfAPicture",
     [](HandlerLifetime& t) {
         t.Control<TadxRibbonButton>(kMenuButtonIds[0]).OnPropertyChanging =
             [handler = t.Handler()](TObject*, TadxRibbonControlPropertyType kind, Variant&,
                                     IDispatch*) {
                 if (kind == rcptGlyph)
                     handler();
             };
     },
     ShowMenuButton, false, true},
    {"OnItemPropertyChanging",
     [](HandlerLifetime& t) {
         t.Control<TadxRibbonDropDown>(u"Drop").OnItemPropertyChanging = t.Handler();
     },
     ShowItems, false, true},
    {"EventsOnNewMail", [](HandlerLifetime& t) { t.events->OnNewMail = t.Handler(); }, DeliverMail,
     false, true},
    {"EventsOnItemSend", [](HandlerLifetime& t) { t.events->OnItemSend = t.Handler(); }, SendMail,
     false, true},
    {"EventsOnNewExplorer", [](HandlerLifetime& t) { t.events->OnNewExplorer = t.Handler(); },
     OpenExplorer, false, true},
    {"EventsOnNewInspector", [](HandlerLifetime& t) { t.events->OnNewInspector = t.Handler(); },
     ComposeMail, false, true},
    {"EventsOnExplorerActivate",
     [](HandlerLifetime& t) { t.events->OnExplorerActivate = t.Handler(); }, ActivateExplorer,
     false, true},
    {"EventsOnExplorerClose", [](HandlerLifetime& t) { t.events->OnExplorerClose = t.Handler(); },
     CloseExplorer, false, true},
    {"EventsOnInspectorClose", [](HandlerLifetime& t) { t.events->OnInspectorClose = t.Handler(); },
     CloseInspector, false, true},
    {"EventsOnItemContextMenuDisplay",
     [](HandlerLifetime& t) { t.events->OnItemContextMenuDisplay = t.Handler(); },
     ShowItemContextMenu, false, true},
    {"EventsOnContextMenuClose",
     [](HandlerLifetime& t) { t.events->OnContextMenuClose = t.Handler(); }, CloseContextMenu,
     false, true},
};

void RunRow(HandlerLifetime& t, const Row& row) {
    if (row.BeforeStart)
        row.Assign(t);
    t.Start();
    if (!row.BeforeStart) {
        // Some handlers run at start-up already: each row reaches its own.
        row.Assign(t);
    }
    row.Trigger(t);
}

// Nothing is reported from a connection that ended, with two exceptions
// that do not go through the module: the class library's timer shows its
// exception itself, and the error that OnError was asked about and did not
// handle is still shown (with the add-in's name) after OnError turned the
// add-in off.
size_t ShownWhenTurnedOff(const Row& row, Mode mode) {
    const std::string name = row.Name;
    if (name == "OnTimer")
        return mode == Mode::TurnOffAndRaise ? 1 : 0;
    if (name == "OnError")
        return mode == Mode::TurnOff ? 1 : 0;
    return 0;
}

TEST_P(HandlerLifetime, TurnedOffTheConnectionIsNotTouchedAgain) {
    int modules = Screen().DataModuleCount();
    for (Mode m : {Mode::TurnOff, Mode::TurnOffAndRaise}) {
        SCOPED_TRACE(m == Mode::TurnOff ? "turned off" : "turned off, then raising");
        mode = m;
        reached = turnedOff = false;
        explorer = outlook.OpenExplorer();
        inspector = ComposeMail();
        journal.clear();
        size_t reportsBefore = Reports();
        Connect();
        RunRow(*this, GetParam());
        EXPECT_TRUE(reached);
        EXPECT_TRUE(turnedOff);
        EXPECT_EQ(addIn, nullptr);
        ribbon.reset();
        EXPECT_EQ(Screen().DataModuleCount(), modules);
        EXPECT_EQ(sim::OutlookSim::AdvisedSinks(), 0u) << sim::OutlookSim::SinkReport();
        // The timer shows its own exception; nothing else reports one.
        EXPECT_EQ(Reports() - reportsBefore, ShownWhenTurnedOff(GetParam(), m));
    }
}

TEST_P(HandlerLifetime, RaisingAloneIsReportedAsBefore) {
    mode = Mode::Raise;
    Connect();
    journal.clear();
    RunRow(*this, GetParam());
    EXPECT_TRUE(reached);
    EXPECT_NE(addIn, nullptr);
    EXPECT_EQ(Reports() > 0, GetParam().Reported);
}

INSTANTIATE_TEST_SUITE_P(EveryHandler, HandlerLifetime, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.Name);
                         });

} // namespace
} // namespace rbtest
