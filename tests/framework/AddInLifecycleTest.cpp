// The add-in object's connection lifecycle: start-up once in both connect
// modes, the steps of start-up in their order, start modes, the colour
// scheme, shutdown and both remove modes, module events that raise, a
// connection that failed, and nothing left alive afterwards.
#include "FrameworkTestSupport.h"

#include "framework/hosts/HiddenWindows.h"
#include "framework/panes/CustomTaskPanes.h"
#include "platform/forms/Screen.h"
#include "platform/office/Office.h"
#include "platform/sim/SimCOMAddIn.h"
#include "platform/sim/SimTaskPanes.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/win/Hook.h"
#include "platform/win/Registry.h"
#include "platform/win/Window.h"

#include <algorithm>

using namespace fwtest;

namespace {

const std::string kHandlers = R"(  AddInName = 'TestAddIn'
  SupportedApps = [ohaOutlook]
  OnAddInInitialize = ModuleInitialize
  OnAddInStartupComplete = ModuleStartupComplete
  OnAddInBeginShutdown = ModuleBeginShutdown
  OnAddInFinalize = ModuleFinalize
  OnOLNewExplorer = ModuleNewExplorer
  OnOLNewInspector = ModuleNewInspector)";

const std::string kErrorText =
    "TestAddIn error: the add-in has fired an exception.\r\nHandler failed";

class AddInLifecycle : public AddInTest {
protected:
    AddInLifecycle() { SetModuleForm(ModuleForm(kHandlers)); }

    static TadxAddin& Object(const ComPtr<IDTExtensibility2>& addIn) {
        return *static_cast<TadxAddin*>(addIn.Get());
    }
    static int Count(const std::string& entry) {
        return int(std::count(journal.begin(), journal.end(), entry));
    }
    // Connects at the host's start and completes start-up.
    void Start(const ComPtr<IDTExtensibility2>& addIn, IDispatch* host) {
        ASSERT_EQ(addIn->OnConnection(host, ext_cm_Startup, nullptr, nullptr), S_OK);
        ASSERT_EQ(addIn->OnStartupComplete(nullptr), S_OK);
    }
    // The host's shutdown: begin shutdown, then disconnection.
    void Stop(const ComPtr<IDTExtensibility2>& addIn) {
        EXPECT_EQ(addIn->OnBeginShutdown(nullptr), S_OK);
        EXPECT_EQ(addIn->OnDisconnection(ext_dm_HostShutdown, nullptr), S_OK);
    }
    void CreateUserKey(const std::string& key) {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(key, true));
        registry.WriteInteger("Value", 1);
    }
    bool UserKeyExists(const std::string& key) {
        TRegistry registry;
        return registry.KeyExists(key);
    }
};

TEST_F(AddInLifecycle, StartupRunsOnceWhenTheHostConnectsAtItsStart) {
    sim::OutlookSim outlook;
    auto addIn = NewAddIn();
    ASSERT_EQ(addIn->OnConnection(outlook.Application().Get(), ext_cm_Startup, nullptr, nullptr),
              S_OK);
    EXPECT_EQ(Count("OnAddInInitialize"), 0);

    EXPECT_EQ(addIn->OnStartupComplete(nullptr), S_OK);
    EXPECT_EQ(addIn->OnStartupComplete(nullptr), S_OK);

    EXPECT_EQ(Count("OnAddInInitialize"), 1);
    EXPECT_EQ(Count("OnAddInStartupComplete"), 1);
    EXPECT_EQ(Object(addIn).Module()->StartCounter, 2);
    Stop(addIn);
}

TEST_F(AddInLifecycle, StartupRunsInsideTheConnectionWhenTheHostRunsAlready) {
    sim::OutlookSim outlook;
    auto entry = sim::SimulatedCOMAddIn::Create(u"FrameworkTest.TestAddIn", CLSID_TestAddIn, u"");
    bool publishedDuringStartup = true;
    probe = [&](TTestModule&, const std::string& step) {
        if (step == "OnAddInStartupComplete")
            publishedDuringStartup = bool(entry->Object());
    };
    auto addIn = NewAddIn();

    ASSERT_EQ(
        addIn->OnConnection(outlook.Application().Get(), ext_cm_AfterStartup, entry.Get(), nullptr),
        S_OK);
    EXPECT_EQ(Count("OnAddInStartupComplete"), 1);
    EXPECT_FALSE(publishedDuringStartup);
    EXPECT_TRUE(IsSameObject(entry->Object().Get(), addIn.Get()));

    EXPECT_EQ(addIn->OnStartupComplete(nullptr), S_OK);
    EXPECT_EQ(Count("OnAddInStartupComplete"), 1);
    EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);
    entry->ClearObject();
}

TEST_F(AddInLifecycle, StartupCallsEachStepInItsPlace) {
    SetModuleForm(ModuleForm(kHandlers + "\n  HandleShortcuts = True"));
    sim::OutlookSim outlook;
    outlook.OpenExplorer();
    std::string shortcutWindowAtForm, shortcutWindowAtStartup;
    auto windowTitle = [](TadxCOMAddInModule& m) {
        char title[64] = {};
        if (m.ShortcutWindow)
            GetWindowText(m.ShortcutWindow->Handle(), title, sizeof title);
        return std::string(title);
    };
    std::vector<std::string> seen;
    probe = [&](TTestModule& m, const std::string& step) {
        std::string state = step + ": mode " + std::to_string(m.StartMode) + ", stored " +
                            ReadValue(HKEY_CURRENT_USER, "ADXStartMode") + ", colour window " +
                            (m.ColorWindow ? "yes" : "no") + ", key open " +
                            (m.Registry->HasCurrentKey() ? "yes" : "no");
        seen.push_back(state);
        if (step == "SetHostApplication")
            shortcutWindowAtForm = windowTitle(m);
        if (step == "OnAddInStartupComplete")
            shortcutWindowAtStartup = windowTitle(m);
    };
    auto addIn = NewAddIn();
    Start(addIn, outlook.Application().Get());

    EXPECT_EQ(
        seen,
        (std::vector<std::string>{
            "SetHostApplication: mode 0, stored <missing>, colour window no, key open no",
            "GetAppCommandBars: mode 0, stored <missing>, colour window no, key open yes",
            "OnAddInInitialize: mode 0, stored <missing>, colour window no, key open yes",
            "LoadExplCommandBars: mode 0, stored <missing>, colour window no, key open yes",
            "Install: mode 0, stored <missing>, colour window no, key open yes",
            "OnAddInStartupComplete: mode 0, stored <missing>, colour window no, key open yes",
            "OnOLNewExplorer: mode 0, stored NORMAL, colour window no, key open yes",
        }));
    TadxCOMAddInModule& module = *Object(addIn).Module();
    EXPECT_EQ(module.Registry->CurrentPath(), AddInKey().substr(1));
    // The hook and its window made while the form was read are made anew
    // after the new-explorer relays, and the colour window last.
    EXPECT_FALSE(shortcutWindowAtForm.empty());
    EXPECT_EQ(shortcutWindowAtStartup, shortcutWindowAtForm);
    EXPECT_NE(windowTitle(module), shortcutWindowAtForm);
    EXPECT_TRUE(adxKeyboardHook(module) != nullptr);
    ASSERT_NE(module.ColorWindow, nullptr);
    EXPECT_TRUE(IsWindow(module.ColorWindow->Handle()));
    Stop(addIn);
}

TEST_F(AddInLifecycle, TheKeyboardHookPassesEveryKeyOnUnlessOnKeyDownHandlesIt) {
    SetModuleForm(ModuleForm(kHandlers + "\n  HandleShortcuts = True"));
    sim::OutlookSim outlook;
    auto addIn = NewAddIn();
    Start(addIn, outlook.Application().Get());
    platform::ReleaseAllKeys();
    EXPECT_FALSE(platform::PressKey('A', {VK_CONTROL}));

    std::vector<int32_t> keys;
    Object(addIn).Module()->OnKeyDown = [&](TObject*, TadxKeyDownEventArgs& args) {
        keys.push_back(args.WParam);
        args.Handled = args.WParam == 'B' && args.Ctrl;
    };
    EXPECT_FALSE(platform::PressKey('A'));
    EXPECT_TRUE(platform::PressKey('B', {VK_CONTROL}));
    EXPECT_EQ(keys, (std::vector<int32_t>{'A', VK_CONTROL, 'B'}));
    TadxCOMAddInModule* module = Object(addIn).Module();
    HHOOK hook = adxKeyboardHook(*module);
    EXPECT_TRUE(hook != nullptr);
    Stop(addIn);
    // The hook went with the module: the platform no longer knows it.
    EXPECT_FALSE(UnhookWindowsHookEx(hook));
}

struct StartModeCase {
    const char* stored; // nullptr: no value
    TadxStartMode mode; // what the module's events see
    const char* storedAfterward;
};

class StartModes : public AddInLifecycle, public ::testing::WithParamInterface<StartModeCase> {};

TEST_P(StartModes, AreReadInAnyLetterCaseAndOnlyAFirstStartIsTurnedIntoNormal) {
    const StartModeCase& c = GetParam();
    if (c.stored)
        WriteStartMode(c.stored);
    std::vector<TadxStartMode> modes;
    probe = [&](TTestModule& m, const std::string& step) {
        if (step == "OnAddInInitialize" || step == "OnAddInStartupComplete")
            modes.push_back(m.StartMode);
    };
    sim::OutlookSim outlook;
    auto addIn = NewAddIn();
    const unsigned long writesBefore = platform::RegistryFileWrites();
    Start(addIn, outlook.Application().Get());
    // A first start creates the user's add-in key and writes the start mode
    // in one save of the registry file; any other start saves nothing.
    EXPECT_EQ(platform::RegistryFileWrites() - writesBefore,
              c.mode == adxStartModeFirstStart ? 1u : 0u);
    EXPECT_EQ(modes, (std::vector<TadxStartMode>{c.mode, c.mode}));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "ADXStartMode"), c.storedAfterward);
    Stop(addIn);
}

INSTANTIATE_TEST_SUITE_P(
    AddInLifecycle, StartModes,
    ::testing::Values(StartModeCase{nullptr, adxStartModeFirstStart, "NORMAL"},
                      StartModeCase{"FIRSTSTART", adxStartModeFirstStart, "NORMAL"},
                      StartModeCase{"NORMAL", adxStartModeNormal, "NORMAL"},
                      StartModeCase{"normal", adxStartModeNormal, "normal"},
                      StartModeCase{"NoRmAl", adxStartModeNormal, "NoRmAl"},
                      StartModeCase{"UNINSTALL", adxStartModeUninstall, "UNINSTALL"},
                      StartModeCase{"Uninstall", adxStartModeUninstall, "Uninstall"},
                      StartModeCase{"bogus", adxStartModeUnknown, "bogus"},
                      StartModeCase{"", adxStartModeUnknown, ""},
                      StartModeCase{" NORMAL", adxStartModeUnknown, " NORMAL"}));

TEST_F(AddInLifecycle, TheColourSchemeIsReadForTheHostsVersion) {
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("Software\\Microsoft\\Office\\12.0\\Common", true));
        registry.WriteInteger("Theme", 3);
        ASSERT_TRUE(registry.OpenKey("\\Software\\Microsoft\\Office\\11.0\\Common", true));
        registry.WriteInteger("Theme", 2);
    }
    TadxOfficeColorScheme seen = TadxOfficeColorScheme::Unknown;
    probe = [&](TTestModule& m, const std::string& step) {
        if (step == "OnAddInInitialize")
            seen = m.Theme;
    };
    sim::OutlookSim outlook(12);
    auto addIn = NewAddIn();
    Start(addIn, outlook.Application().Get());
    EXPECT_EQ(seen, TadxOfficeColorScheme::Black);
    Stop(addIn);
}

TEST_F(AddInLifecycle, AMissingColourSchemeLeavesItUnknown) {
    TadxOfficeColorScheme seen = TadxOfficeColorScheme::Blue;
    probe = [&](TTestModule& m, const std::string& step) {
        if (step == "OnAddInInitialize")
            seen = m.Theme;
    };
    sim::OutlookSim outlook;
    auto addIn = NewAddIn();
    Start(addIn, outlook.Application().Get());
    EXPECT_EQ(seen, TadxOfficeColorScheme::Unknown);
    Stop(addIn);
}

TEST_F(AddInLifecycle, HostShutdownKeepsTheSavedCommandBarState) {
    sim::OutlookSim outlook;
    auto addIn = NewAddIn();
    Start(addIn, outlook.Application().Get());
    CreateUserKey(AddInKey() + "\\CommandBars");
    CreateUserKey(AddInKey() + "\\Controls");

    Stop(addIn);

    EXPECT_EQ(Count("OnAddInBeginShutdown"), 1);
    EXPECT_EQ(Count("OnAddInFinalize"), 1);
    EXPECT_TRUE(UserKeyExists(AddInKey() + "\\CommandBars"));
    EXPECT_TRUE(UserKeyExists(AddInKey() + "\\Controls"));
    EXPECT_EQ(Object(addIn).Module(), nullptr);
}

TEST_F(AddInLifecycle, RemovalByTheUserShutsDownAndRemovesTheSavedCommandBarState) {
    sim::OutlookSim outlook;
    auto addIn = NewAddIn();
    Start(addIn, outlook.Application().Get());
    CreateUserKey(AddInKey() + "\\CommandBars");
    CreateUserKey(AddInKey() + "\\Controls");
    journal.clear();

    EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);

    EXPECT_EQ(journal, (std::vector<std::string>{"OnAddInBeginShutdown", "OnAddInFinalize"}));
    EXPECT_FALSE(UserKeyExists(AddInKey() + "\\CommandBars"));
    EXPECT_FALSE(UserKeyExists(AddInKey() + "\\Controls"));
    EXPECT_TRUE(UserKeyExists(AddInKey()));
}

TEST_F(AddInLifecycle, RemovalWithoutAnAddInKeyDeletesNothingElsewhere) {
    sim::OutlookSim outlook;
    auto addIn = NewAddIn();
    Start(addIn, outlook.Application().Get());
    CreateUserKey("\\CommandBars");
    CreateUserKey("\\Controls");
    Object(addIn).Module()->Factory = nullptr; // no factory: no add-in key

    EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);

    EXPECT_TRUE(UserKeyExists("\\CommandBars"));
    EXPECT_TRUE(UserKeyExists("\\Controls"));
}

TEST_F(AddInLifecycle, AnExceptionInAModuleEventIsShownAndStartupGoesOn) {
    SetModuleForm(ModuleForm(kHandlers + "\n  OnAddInInitialize = ModuleRaise"));
    sim::OutlookSim outlook;
    auto addIn = NewAddIn();
    Start(addIn, outlook.Application().Get());

    EXPECT_EQ(journal, (std::vector<std::string>{"SetHostApplication", "GetAppCommandBars", "raise",
                                                 "LoadExplCommandBars", "Install",
                                                 "OnAddInStartupComplete"}));
    ASSERT_EQ(user.Shown().size(), 1u);
    EXPECT_EQ(user.Shown()[0].Text, kErrorText);
    EXPECT_EQ(user.Shown()[0].Type, mtError);
    EXPECT_EQ(user.Shown()[0].Buttons, TMsgDlgButtons{mbOK});
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "ADXStartMode"), "NORMAL");
    Stop(addIn);
}

TEST_F(AddInLifecycle, AnExceptionInFinalizeIsShownAndTheModuleIsStillFreed) {
    SetModuleForm(ModuleForm(kHandlers + "\n  OnAddInFinalize = ModuleRaise"));
    sim::OutlookSim outlook;
    auto addIn = NewAddIn();
    Start(addIn, outlook.Application().Get());

    EXPECT_EQ(addIn->OnBeginShutdown(nullptr), S_OK);
    EXPECT_EQ(addIn->OnDisconnection(ext_dm_HostShutdown, nullptr), S_OK);

    ASSERT_EQ(user.Shown().size(), 1u);
    EXPECT_EQ(user.Shown()[0].Text, kErrorText);
    EXPECT_EQ(Object(addIn).Module(), nullptr);
}

TEST_F(AddInLifecycle, OnErrorThatHandlesTheExceptionShowsNoBox) {
    SetModuleForm(ModuleForm(kHandlers + "\n  OnAddInStartupComplete = ModuleRaise"));
    sim::OutlookSim outlook;
    auto addIn = NewAddIn();
    ASSERT_EQ(addIn->OnConnection(outlook.Application().Get(), ext_cm_Startup, nullptr, nullptr),
              S_OK);
    std::vector<std::string> errors;
    Object(addIn).Module()->OnError = [&](const Exception& e, bool& handled) {
        errors.push_back(e.Message);
        handled = true;
    };
    EXPECT_EQ(addIn->OnStartupComplete(nullptr), S_OK);
    EXPECT_EQ(errors, std::vector<std::string>{kHandlerFailure});
    EXPECT_TRUE(user.Shown().empty());
    Stop(addIn);
}

TEST_F(AddInLifecycle, EveryEntryPointFailsQuietlyAfterAFailedConnection) {
    SetModuleForm(ModuleForm("  AddInName = ''"));
    sim::OutlookSim outlook;
    auto addIn = NewAddIn();
    EXPECT_TRUE(
        FAILED(addIn->OnConnection(outlook.Application().Get(), ext_cm_Startup, nullptr, nullptr)));
    EXPECT_EQ(Object(addIn).Module(), nullptr);

    EXPECT_EQ(addIn->OnStartupComplete(nullptr), E_UNEXPECTED);
    EXPECT_EQ(addIn->OnAddInsUpdate(nullptr), S_OK);
    EXPECT_EQ(addIn->OnBeginShutdown(nullptr), E_UNEXPECTED);
    EXPECT_EQ(addIn->OnDisconnection(ext_dm_HostShutdown, nullptr), E_UNEXPECTED);
    BSTR xml = u"left over";
    EXPECT_EQ(addIn.Query<IRibbonExtensibility>()->GetCustomUI(u"Microsoft.Outlook.Explorer", &xml),
              E_UNEXPECTED);
    EXPECT_TRUE(xml.empty());
    auto panes = sim::SimulatedCTPFactory::Create(outlook.Application());
    EXPECT_EQ(addIn.Query<ICustomTaskPaneConsumer>()->CTPFactoryAvailable(panes.Get()),
              E_UNEXPECTED);
    addIn.Query<IadxCallBack>()->CallBack(1, 2, 3, 4, 5, 6, 7);
    EXPECT_TRUE(journal.empty());
}

TEST_F(AddInLifecycle, CallBackReachesTheModuleOnlyWhileItIsConnected) {
    sim::OutlookSim outlook;
    auto addIn = NewAddIn();
    Start(addIn, outlook.Application().Get());
    std::vector<int32_t> args;
    Object(addIn).Module()->OnCallBack = [&](int32_t a, int32_t b, int32_t c, int32_t d, int32_t e,
                                             int32_t f,
                                             int32_t g) { args = {a, b, c, d, e, f, g}; };
    auto callBack = addIn.Query<IadxCallBack>();
    callBack->CallBack(1, -2, 3, -4, 5, -6, 7);
    EXPECT_EQ(args, (std::vector<int32_t>{1, -2, 3, -4, 5, -6, 7}));
    Stop(addIn);
    callBack->CallBack(0, 0, 0, 0, 0, 0, 0);
}

TEST_F(AddInLifecycle, AModuleWithoutRibbonOrPanesAnswersTheHostsRibbonAndPaneCalls) {
    sim::OutlookSim outlook;
    outlook.OpenExplorer();
    auto addIn = NewAddIn();
    Start(addIn, outlook.Application().Get());
    BSTR xml = u"left over";
    EXPECT_EQ(addIn.Query<IRibbonExtensibility>()->GetCustomUI(u"Microsoft.Outlook.Explorer", &xml),
              S_OK);
    // No tab: the document is the root alone, which adds nothing to the ribbon.
    EXPECT_EQ(xml,
              u"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\" "
              u"onLoad=\"RibbonLoaded_Callback\" loadImage=\"GetImages_Callback\">\r\n</customUI>");
    auto panes = sim::SimulatedCTPFactory::Create(outlook.Application());
    EXPECT_EQ(addIn.Query<ICustomTaskPaneConsumer>()->CTPFactoryAvailable(panes.Get()), S_OK);
    EXPECT_EQ(Object(addIn).Module()->CTPFactory.Get(), static_cast<ICTPFactory*>(panes.Get()));
    EXPECT_TRUE(panes->Panes().empty());

    const char16_t* names[] = {u"GetLabel_Callback", u"control"};
    DISPID ids[2] = {0, 0};
    auto dispatch = addIn.Query<IDispatch>();
    // The callback names are known; a parameter name is not.
    EXPECT_EQ(dispatch->GetIDsOfNames(GUID_NULL, names, 2, LOCALE_USER_DEFAULT, ids), S_OK);
    EXPECT_EQ(ids[0], 14);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    EXPECT_EQ(dispatch->Invoke(1, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, nullptr, nullptr,
                               nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    Stop(addIn);
}

TEST_F(AddInLifecycle, ASecondConnectionIsRefused) {
    sim::OutlookSim outlook;
    auto addIn = NewAddIn();
    Start(addIn, outlook.Application().Get());
    TadxCOMAddInModule* module = Object(addIn).Module();
    EXPECT_EQ(addIn->OnConnection(outlook.Application().Get(), ext_cm_Startup, nullptr, nullptr),
              E_UNEXPECTED);
    EXPECT_EQ(Object(addIn).Module(), module);
    Stop(addIn);
}

TEST_F(AddInLifecycle, NothingIsLeftAliveOnceTheHostLetsGo) {
    long before = LibraryObjectCount().Objects();
    {
        sim::OutlookSim outlook;
        outlook.OpenExplorer();
        outlook.OpenExplorer();
        outlook.ComposeNewMail();
        auto addIn = NewAddIn();
        Start(addIn, outlook.Application().Get());
        EXPECT_EQ(Object(addIn).Explorers().size(), 2u);
        EXPECT_EQ(Object(addIn).Inspectors().size(), 1u);
        EXPECT_GT(sim::OutlookSim::AdvisedSinks(), 0u);
        Stop(addIn);
        EXPECT_EQ(sim::OutlookSim::AdvisedSinks(), 0u) << sim::OutlookSim::SinkReport();
        EXPECT_TRUE(Object(addIn).Explorers().empty());
    }
    EXPECT_EQ(LibraryObjectCount().Objects(), before);
    EXPECT_EQ(sim::OutlookSim::LiveObjects(), 0);
}

TEST_F(AddInLifecycle, AnAddInReleasedWithoutDisconnectionFreesItsModule) {
    long before = LibraryObjectCount().Objects();
    int live = Screen().DataModuleCount();
    {
        sim::OutlookSim outlook;
        auto addIn = NewAddIn();
        Start(addIn, outlook.Application().Get());
        EXPECT_EQ(Screen().DataModuleCount(), live + 1);
    }
    EXPECT_EQ(Screen().DataModuleCount(), live);
    EXPECT_EQ(LibraryObjectCount().Objects(), before);
}

// A pane's OnTaskPaneBeforeDestroy that turns the add-in off while the
// disconnection clears the panes: the host holds the object while it calls
// it, as hosts do, and the disconnection asked for from inside the running
// one is answered at once and does nothing; the running one ends as always.
TEST_F(AddInLifecycle, ADisconnectionAskedForWhileOneRunsDoesNothing) {
    long before = LibraryObjectCount().Objects();
    {
        sim::OutlookSim outlook;
        ComPtr<sim::SimExplorer> explorer = outlook.OpenExplorer();
        auto addIn = NewAddIn();
        Start(addIn, outlook.Application().Get());
        auto factory = sim::SimulatedCTPFactory::Create(outlook.Application());
        ASSERT_EQ(addIn.Query<ICustomTaskPaneConsumer>()->CTPFactoryAvailable(factory.Get()), S_OK);
        TadxCOMAddInModule& module = *Object(addIn).Module();
        auto* pane = static_cast<TadxCustomTaskPane*>(module.TaskPanes->Add());
        pane->ControlProgID = "Sample.Control";
        pane->SupportedApps = TadxHostAppSet::FromMask(0x7FF);
        module.TaskPanes->MakeCTP(explorer->Disp(), adxCTPWindowExplorer);
        ASSERT_EQ(factory->Panes().size(), 1u);
        std::vector<HRESULT> nested;
        module.OnTaskPaneBeforeDestroy = [&](TadxCustomTaskPane*, TadxCustomTaskPaneInstance*) {
            ComPtr<IDTExtensibility2> host = addIn;
            nested.push_back(host->OnDisconnection(ext_dm_UserClosed, nullptr));
        };
        journal.clear();
        {
            ComPtr<IDTExtensibility2> host = addIn;
            EXPECT_EQ(host->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);
        }
        EXPECT_EQ(nested, std::vector<HRESULT>{S_OK});
        EXPECT_EQ(journal, (std::vector<std::string>{"OnAddInBeginShutdown", "OnAddInFinalize"}));
        EXPECT_TRUE(factory->Panes()[0]->Deleted());
        EXPECT_EQ(Object(addIn).Module(), nullptr);
        // Once it has ended, a disconnection finds nothing to end.
        EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), E_UNEXPECTED);
        EXPECT_TRUE(user.Shown().empty());
    }
    EXPECT_EQ(LibraryObjectCount().Objects(), before);
}

// An add-in may turn itself off from one of its own handlers (through its
// COM add-ins entry, which makes the host disconnect it at once): whatever
// the step, the connection ends there and nothing of it is touched again.
// The handler may raise afterwards too (a failed licence check that turns the
// add-in off and says why): the freed module cannot report it. Turned off
// from OnAddInBeginShutdown, which the user's removal runs, the add-in is
// being disconnected already: the second disconnection does nothing, the
// module lives until the first ends, and it reports the exception.
class TurnedOffFromItsHandler
    : public AddInLifecycle,
      public ::testing::WithParamInterface<std::tuple<const char*, bool>> {};

TEST_P(TurnedOffFromItsHandler, StopsTheStepAndFreesTheConnection) {
    const std::string step = std::get<0>(GetParam());
    const bool raises = std::get<1>(GetParam());
    long before = LibraryObjectCount().Objects();
    {
        sim::OutlookSim outlook;
        outlook.OpenExplorer();
        outlook.ComposeNewMail();
        auto entry =
            sim::SimulatedCOMAddIn::Create(u"FrameworkTest.TestAddIn", CLSID_TestAddIn, u"");
        auto addIn = NewAddIn();
        entry->SetConnected(true);
        entry->SetConnectHandler([&](bool connect) {
            entry->SetConnected(connect);
            if (!connect) {
                EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);
            }
        });
        bool turnedOff = false;
        probe = [&](TTestModule&, const std::string& at) {
            if (at != step || turnedOff)
                return;
            turnedOff = true;
            EXPECT_EQ(entry->put_Connect(VARIANT_FALSE), S_OK);
            if (raises)
                throw Exception("The licence has expired");
        };
        // Connected while Outlook runs: start-up runs inside the connection.
        EXPECT_EQ(addIn->OnConnection(outlook.Application().Get(), ext_cm_AfterStartup, entry.Get(),
                                      nullptr),
                  S_OK);
        if (!turnedOff) {
            EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);
        }
        EXPECT_TRUE(turnedOff);
        EXPECT_EQ(Object(addIn).Module(), nullptr);
        EXPECT_TRUE(Object(addIn).Explorers().empty());
        EXPECT_TRUE(Object(addIn).Inspectors().empty());
        EXPECT_EQ(Count("OnAddInFinalize"), 1);
        EXPECT_EQ(sim::OutlookSim::AdvisedSinks(), 0u) << sim::OutlookSim::SinkReport();
        const bool reported = raises && step == "OnAddInBeginShutdown";
        EXPECT_EQ(user.Shown().size(), reported ? 1u : 0u);
        entry->ClearObject();
    }
    EXPECT_EQ(LibraryObjectCount().Objects(), before);
}

INSTANTIATE_TEST_SUITE_P(AddInLifecycle, TurnedOffFromItsHandler,
                         ::testing::Combine(::testing::Values("OnAddInInitialize",
                                                              "OnAddInStartupComplete",
                                                              "OnOLNewExplorer", "OnOLNewInspector",
                                                              "OnAddInBeginShutdown"),
                                            ::testing::Bool()));

} // namespace
