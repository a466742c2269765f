// Every handler that the host can reach may turn the add-in off (the host
// then disconnects it at once and lets go of the add-in object, which frees
// the module with its components, controls, windows and sinks), and may
// raise after that. One table names each such handler with the user action
// that reaches it; every row runs three ways: turned off, turned off and
// then raising, and raising alone. Turned off, nothing of the connection is
// touched again and nothing is reported (the sanitizer build proves the
// first); raising alone is reported as the handler's caller always did.
#include "RibbonTestSupport.h"

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
    TTimer* timer = nullptr;
    std::unique_ptr<sim::RibbonHost> ribbon;
    Mode mode = Mode::TurnOff;
    bool reached = false;
    bool turnedOff = false;
};

// The module's own events.
void Initialize(HandlerLifetime& t) {
    t.Module().OnAddInInitialize = t.Handler();
}
void StartupComplete(HandlerLifetime& t) {
    t.Module().OnAddInStartupComplete = t.Handler();
}
void BeginShutdown(HandlerLifetime& t) {
    t.Module().OnAddInBeginShutdown = t.Handler();
}
void NewExplorer(HandlerLifetime& t) {
    t.Module().OnOLNewExplorer = t.Handler();
}
void NewInspector(HandlerLifetime& t) {
    t.Module().OnOLNewInspector = t.Handler();
}
void ExplorerActivate(HandlerLifetime& t) {
    t.Module().OnOLExplorerActivate = t.Handler();
}
void ExplorerDeactivate(HandlerLifetime& t) {
    t.Module().OnOLExplorerDeactivate = t.Handler();
}
void FolderSwitch(HandlerLifetime& t) {
    t.Module().OnOLExplorerFolderSwitch = t.Handler();
}
void BeforeFolderSwitch(HandlerLifetime& t) {
    t.Module().OnOLExplorerBeforeFolderSwitch = t.Handler();
}
void ViewSwitch(HandlerLifetime& t) {
    t.Module().OnOLExplorerViewSwitch = t.Handler();
}
void BeforeViewSwitch(HandlerLifetime& t) {
    t.Module().OnOLExplorerBeforeViewSwitch = t.Handler();
}
void SelectionChange(HandlerLifetime& t) {
    t.Module().OnOLExplorerSelectionChange = t.Handler();
}
void ExplorerClose(HandlerLifetime& t) {
    t.Module().OnOLExplorerClose = t.Handler();
}
void InspectorActivate(HandlerLifetime& t) {
    t.Module().OnOLInspectorActivate = t.Handler();
}
void InspectorDeactivate(HandlerLifetime& t) {
    t.Module().OnOLInspectorDeactivate = t.Handler();
}
void InspectorClose(HandlerLifetime& t) {
    t.Module().OnOLInspectorClose = t.Handler();
}
void ColorScheme(HandlerLifetime& t) {
    t.Module().OnOfficeColorSchemeChanged = t.Handler();
}
void KeyDown(HandlerLifetime& t) {
    t.Module().OnKeyDown = t.Handler();
}
void CallBack(HandlerLifetime& t) {
    t.Module().OnCallBack = t.Handler();
}
void TimerTick(HandlerLifetime& t) {
    t.timer->OnTimer = t.Handler();
}

// The ribbon's.
void RibbonBeforeCreate(HandlerLifetime& t) {
    t.Module().OnRibbonBeforeCreate = t.Handler();
}
void RibbonBeforeLoad(HandlerLifetime& t) {
    t.Module().OnRibbonBeforeLoad = t.Handler();
}
void RibbonLoaded(HandlerLifetime& t) {
    t.Module().OnRibbonLoaded = t.Handler();
}
void MenuCreate(HandlerLifetime& t) {
    t.Control<TadxRibbonMenu>(kMenuId).OnCreate = t.Handler();
}
void DynamicMenuCreate(HandlerLifetime& t) {
    t.Control<TadxRibbonMenu>(u"Dyn").OnCreate = t.Handler();
}
void ButtonClick(HandlerLifetime& t) {
    t.Control<TadxRibbonButton>(kMenuButtonIds[0]).OnClick = t.Handler();
}
void SplitButtonClick(HandlerLifetime& t) {
    t.Control<TadxRibbonSplitButton>(kSplitButtonId).OnClick = t.Handler();
}
void CheckBoxClick(HandlerLifetime& t) {
    t.Control<TadxRibbonCheckBox>(u"Check").OnClick = t.Handler();
}
void DropDownChange(HandlerLifetime& t) {
    t.Control<TadxRibbonDropDown>(u"Drop").OnChange = t.Handler();
}
void EditBoxChange(HandlerLifetime& t) {
    t.Control<TadxRibbonEditBox>(u"Edit").OnChange = t.Handler();
}
void LabelChanging(HandlerLifetime& t) {
    t.Control<TadxRibbonButton>(kSpacerId).OnPropertyChanging = t.Handler();
}
// Only the picture: its callback answers after the handler in a way of its own.
void ImageChanging(HandlerLifetime& t) {
    t.Control<TadxRibbonButton>(kMenuButtonIds[0]).OnPropertyChanging =
        [&t, handler = t.Handler()](TObject*, TadxRibbonControlPropertyType kind, Variant&,
                                    IDispatch*) {
            if (kind == rcptGlyph)
                handler();
        };
}
void ItemChanging(HandlerLifetime& t) {
    t.Control<TadxRibbonDropDown>(u"Drop").OnItemPropertyChanging = t.Handler();
}

// The Outlook events component's, context menus included.
void AppNewMail(HandlerLifetime& t) {
    t.events->OnNewMail = t.Handler();
}
void AppItemSend(HandlerLifetime& t) {
    t.events->OnItemSend = t.Handler();
}
void AppNewExplorer(HandlerLifetime& t) {
    t.events->OnNewExplorer = t.Handler();
}
void AppNewInspector(HandlerLifetime& t) {
    t.events->OnNewInspector = t.Handler();
}
void AppExplorerActivate(HandlerLifetime& t) {
    t.events->OnExplorerActivate = t.Handler();
}
void AppExplorerClose(HandlerLifetime& t) {
    t.events->OnExplorerClose = t.Handler();
}
void AppInspectorClose(HandlerLifetime& t) {
    t.events->OnInspectorClose = t.Handler();
}
void ItemContextMenu(HandlerLifetime& t) {
    t.events->OnItemContextMenuDisplay = t.Handler();
}
void ContextMenuClose(HandlerLifetime& t) {
    t.events->OnContextMenuClose = t.Handler();
}

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
    {"OnAddInInitialize", Initialize, Nothing, true, true},
    {"OnAddInStartupComplete", StartupComplete, Nothing, true, true},
    {"OnOLNewExplorerAtStartup", NewExplorer, Nothing, true, true},
    {"OnOLNewInspectorAtStartup", NewInspector, Nothing, true, true},
    {"OnAddInBeginShutdown", BeginShutdown, Shutdown, false, true},
    {"OnOLNewExplorer", NewExplorer, OpenExplorer, false, true},
    {"OnOLNewInspector", NewInspector, ComposeMail, false, true},
    {"OnOLExplorerActivate", ExplorerActivate, ActivateExplorer, false, true},
    {"OnOLExplorerDeactivate", ExplorerDeactivate, ActivateInspector, false, true},
    {"OnOLExplorerFolderSwitch", FolderSwitch, SwitchFolder, false, true},
    {"OnOLExplorerBeforeFolderSwitch", BeforeFolderSwitch, SwitchFolder, false, true},
    {"OnOLExplorerViewSwitch", ViewSwitch, SwitchView, false, true},
    {"OnOLExplorerBeforeViewSwitch", BeforeViewSwitch, SwitchView, false, true},
    {"OnOLExplorerSelectionChange", SelectionChange, SelectNothing, false, true},
    {"OnOLExplorerClose", ExplorerClose, CloseExplorer, false, true},
    {"OnOLInspectorActivate", InspectorActivate, ActivateInspector, false, true},
    {"OnOLInspectorDeactivate", InspectorDeactivate, ActivateExplorer, false, true},
    {"OnOLInspectorClose", InspectorClose, CloseInspector, false, true},
    {"OnOfficeColorSchemeChanged", ColorScheme, ChangeTheme, false, true},
    // The hook swallows its exceptions; the call-back's caller hears them.
    {"OnKeyDown", KeyDown, PressKey, false, false},
    {"OnCallBack", CallBack, CallBackNow, false, false},
    // The class library's timer shows its exception itself.
    {"OnTimer", TimerTick, Tick, false, true},
    {"OnRibbonBeforeCreate", RibbonBeforeCreate, LoadRibbon, false, true},
    {"OnRibbonBeforeLoad", RibbonBeforeLoad, LoadRibbon, false, true},
    // A failing onLoad and a failing document reach the host, not the user.
    {"OnRibbonLoaded", RibbonLoaded, LoadRibbon, false, false},
    {"MenuOnCreate", MenuCreate, LoadRibbon, false, false},
    {"DynamicMenuOnCreate", DynamicMenuCreate, OpenDynamicMenu, false, true},
    {"ButtonOnClick", ButtonClick, ClickMenuButton, false, true},
    {"SplitButtonOnClick", SplitButtonClick, ClickSplitButton, false, true},
    {"CheckBoxOnClick", CheckBoxClick, ClickCheckBox, false, true},
    {"DropDownOnChange", DropDownChange, SelectItem, false, true},
    {"EditBoxOnChange", EditBoxChange, TypeText, false, true},
    {"OnPropertyChanging", LabelChanging, ShowSpacer, false, true},
    {"OnPropertyChangingOfAPicture", ImageChanging, ShowMenuButton, false, true},
    {"OnItemPropertyChanging", ItemChanging, ShowItems, false, true},
    {"EventsOnNewMail", AppNewMail, DeliverMail, false, true},
    {"EventsOnItemSend", AppItemSend, SendMail, false, true},
    {"EventsOnNewExplorer", AppNewExplorer, OpenExplorer, false, true},
    {"EventsOnNewInspector", AppNewInspector, ComposeMail, false, true},
    {"EventsOnExplorerActivate", AppExplorerActivate, ActivateExplorer, false, true},
    {"EventsOnExplorerClose", AppExplorerClose, CloseExplorer, false, true},
    {"EventsOnInspectorClose", AppInspectorClose, CloseInspector, false, true},
    {"EventsOnItemContextMenuDisplay", ItemContextMenu, ShowItemContextMenu, false, true},
    {"EventsOnContextMenuClose", ContextMenuClose, CloseContextMenu, false, true},
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
        size_t shown =
            std::string(GetParam().Name) == "OnTimer" && m == Mode::TurnOffAndRaise ? 1 : 0;
        EXPECT_EQ(Reports() - reportsBefore, shown);
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
