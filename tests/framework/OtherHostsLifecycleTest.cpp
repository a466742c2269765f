// The lifecycle steps that differ by host: Excel's main window, Access's
// database timer instead of installing command bars, MapPoint's commands
// removed at shutdown (a MapPoint that refuses does not stop the add-in's
// removal), Word's command bars fetched again on removal.
#include "FrameworkTestSupport.h"

#include "framework/panes/CustomTaskPanes.h"
#include "framework/support/HostInterfaces.h"
#include "platform/forms/Application.h"
#include "platform/forms/Timer.h"
#include "platform/sim/SimTaskPanes.h"
#include "platform/win/Clock.h"
#include "platform/win/Timer.h"
#include "platform/win/Window.h"

#include <algorithm>

using namespace fwtest;

namespace {

class OtherHosts : public AddInTest {
protected:
    OtherHosts() {
        SetModuleForm(ModuleForm(R"(  AddInName = 'TestAddIn'
  OnAddInInitialize = ModuleInitialize
  OnAddInBeginShutdown = ModuleBeginShutdown)"));
    }
    void Start(const ComPtr<FakeHost>& host) {
        ASSERT_EQ(addIn->OnConnection(host.Get(), ext_cm_Startup, nullptr, nullptr), S_OK);
        ASSERT_EQ(addIn->OnStartupComplete(nullptr), S_OK);
        module = static_cast<TadxAddin*>(addIn.Get())->Module();
    }
    static int Count(const std::string& entry) {
        return int(std::count(journal.begin(), journal.end(), entry));
    }

    ComPtr<IDTExtensibility2> addIn = NewAddIn();
    TadxCOMAddInModule* module = nullptr;
};

TEST_F(OtherHosts, ExcelOwnsTheApplicationsWindowsUntilShutdown) {
    WNDCLASS cls;
    cls.lpfnWndProc = DefWindowProc;
    cls.lpszClassName = "XLMAIN";
    RegisterClass(&cls);
    HWND excelWindow = CreateWindowEx(0, "XLMAIN", "Excel", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, nullptr, nullptr);
    ASSERT_TRUE(excelWindow != nullptr);

    Start(FakeHost::Create(adx::IID_ExcelApplication, u"12.0"));
    EXPECT_TRUE(Application().Handle() == excelWindow);
    EXPECT_EQ(Count("Install"), 1);

    EXPECT_EQ(addIn->OnBeginShutdown(nullptr), S_OK);
    EXPECT_TRUE(Application().Handle() == nullptr);
    EXPECT_EQ(addIn->OnDisconnection(ext_dm_HostShutdown, nullptr), S_OK);
    DestroyWindow(excelWindow);
}

// An Access whose open database the test changes.
struct FakeAccess {
    FakeAccess() : app(FakeHost::Create(adx::IID_AccessApplication, u"12.0")) {
        project = MakeComObject<FakeHost>(u"");
        project->Table().Get("IsConnected", [this] { return connected; });
        project->Table().Get("FullName", [this] { return name; });
        app->Table().Get("CurrentProject", [this] { return ComPtr<IDispatch>(project); });
    }
    ComPtr<FakeHost> app;
    ComPtr<FakeHost> project;
    bool connected = false;
    std::u16string name;
};

TEST_F(OtherHosts, AccessFollowsTheOpenDatabaseInsteadOfInstallingAtStartup) {
    platform::ManualClockScope clock{TDateTime(45000.0)};
    FakeAccess access;
    Start(access.app);
    EXPECT_EQ(Count("Install"), 0);
    EXPECT_TRUE(module->AccessTimer->Enabled());
    EXPECT_EQ(module->AccessTimer->Interval(), 250u);
    journal.clear();

    auto tick = [] { platform::AdvanceAndProcess(250); };
    access.connected = true;
    access.name = u"C:\\a.accdb";
    tick();
    tick(); // the same database: nothing more
    EXPECT_EQ(journal, std::vector<std::string>{"Install"});

    module->CommandBars = ComPtr<::CommandBars>();
    access.name = u"C:\\b.accdb";
    tick();
    EXPECT_EQ(journal, (std::vector<std::string>{"Install", "Install"}));
    EXPECT_EQ(module->AccessProjectName, "C:\\b.accdb");

    access.connected = false;
    tick();
    tick();
    EXPECT_FALSE(module->AccessInstalled);
    EXPECT_EQ(Count("Install"), 2);

    EXPECT_EQ(addIn->OnBeginShutdown(nullptr), S_OK);
    EXPECT_EQ(addIn->OnDisconnection(ext_dm_HostShutdown, nullptr), S_OK);
}

TEST_F(OtherHosts, MapPointInstallsNothingAndRemovesItsCommandsAtShutdown) {
    auto mapPoint = FakeHost::Create(adx::IID_MapPointApplication, u"13.0");
    ComPtr<IDispatch> removedFor;
    mapPoint->Table().Add("RemoveCommands").Call([&](DispCall& c) { removedFor = c.Dispatch(0); });
    Start(mapPoint);
    EXPECT_EQ(Count("Install"), 0);
    EXPECT_FALSE(module->IsRibbonHost);

    EXPECT_EQ(addIn->OnBeginShutdown(nullptr), S_OK);
    EXPECT_TRUE(IsSameObject(removedFor.Get(), addIn.Get()));
    removedFor = nullptr;
    EXPECT_EQ(addIn->OnDisconnection(ext_dm_HostShutdown, nullptr), S_OK);
}

// The user removes the add-in from a MapPoint whose RemoveCommands fails:
// the begin-shutdown step answers that failure to nobody, and the removal
// goes on: the panes go, OnAddInFinalize fires, the host hears S_OK.
TEST_F(OtherHosts, AFailingRemoveCommandsLetsTheRemovalFinish) {
    SetModuleForm(ModuleForm(R"(  AddInName = 'TestAddIn'
  OnAddInBeginShutdown = ModuleBeginShutdown
  OnAddInFinalize = ModuleFinalize)"));
    auto mapPoint = FakeHost::Create(adx::IID_MapPointApplication, u"13.0");
    mapPoint->Table().Add("RemoveCommands").Call([](DispCall&) {
        throw EOleSysError("The commands cannot be removed", E_FAIL);
    });
    Start(mapPoint);
    auto factory = sim::SimulatedCTPFactory::Create(ComPtr<IDispatch>(mapPoint));
    ComPtr<ICustomTaskPaneConsumer> consumer = ComQuery<ICustomTaskPaneConsumer>(addIn.Get());
    ASSERT_EQ(consumer->CTPFactoryAvailable(factory.Get()), S_OK);
    auto* pane = static_cast<TadxCustomTaskPane*>(module->TaskPanes->Add());
    pane->ControlProgID = "Sample.Control";
    pane->SupportedApps = TadxHostAppSet::FromMask(0x7FF);
    module->TaskPanes->MakeCTP(nullptr, adxCTPWindowOther);
    ASSERT_EQ(factory->Panes().size(), 1u);
    journal.clear();

    EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);
    EXPECT_EQ(journal, (std::vector<std::string>{"OnAddInBeginShutdown", "OnAddInFinalize"}));
    EXPECT_TRUE(factory->Panes()[0]->Deleted());
    EXPECT_EQ(static_cast<TadxAddin*>(addIn.Get())->Module(), nullptr);
}

TEST_F(OtherHosts, WordFetchesItsCommandBarsAgainWhenTheUserRemovesTheAddIn) {
    auto word = FakeHost::Create(adx::IID_WordApplication, u"11.0");
    auto bars = MakeComObject<FakeHost>(u"");
    bars->Answer(IID_CommandBars);
    word->Table().Get("CommandBars", [bars] { return ComPtr<IDispatch>(bars); });
    Start(word);
    EXPECT_TRUE(module->CommandBars);
    journal.clear();
    EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);
    EXPECT_EQ(journal, (std::vector<std::string>{"OnAddInBeginShutdown", "GetAppCommandBars"}));
}

} // namespace
