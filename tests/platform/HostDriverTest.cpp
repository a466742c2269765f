// The host driver loading the test add-in library (libraries/TestAddIn.cpp)
// through the registry as Outlook does: connection calls in the host's order
// for both connect modes and both remove modes, no live object and an
// unloaded library afterwards, and every failure of an add-in reported.
//
// The driver is played over a stand-in host of this file, an application
// object and windows that merely carry names; the simulated Outlook drives
// the same driver in its own tests.
#include "tests/platform/TestAddInSupport.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/sim/HostDriver.h"
#include "platform/text/Text.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace sim;
using namespace testaddin;

namespace {

// An object of the stand-in host that only carries a name.
class Named final : public DispatchObject<IDispatch> {
public:
    static ComPtr<IDispatch> Create(std::u16string name) {
        return MakeComObject<Named>(std::move(name));
    }

private:
    friend struct ::ComMaker;
    explicit Named(std::u16string name) : name_(std::move(name)) {
        Members.Get("Name", [this] { return name_; });
    }
    std::u16string name_;
};

// A host for the driver's own tests: an application named "Outlook" with one
// explorer window; its Quit only records the Quit event.
class StandInHost final : public HostSite {
public:
    std::string HostName() const override { return "Outlook"; }
    ComPtr<IDispatch> Application() override { return application; }
    std::vector<HostWindow> Windows() override { return windows; }
    void Quit() override { RecordCall("Quit event"); }

    ComPtr<IDispatch> application = Named::Create(u"Outlook");
    std::vector<HostWindow> windows = {{testaddin::RibbonId, Named::Create(u"Explorer")}};
};

class HostDriverTest : public ::testing::Test {
protected:
    void SetUp() override { Register(); }
    void TearDown() override {
        host.windows.clear();
        host.application = nullptr;
        EXPECT_EQ(LibraryObjectCount().Objects(), objectsBefore) << "an object was left alive";
        EXPECT_FALSE(LibraryLoaded()) << "the add-in library stayed loaded";
    }

    void SetLibrary(const std::string& path) {
        TRegistry reg;
        reg.SetRootKey(HKEY_CLASSES_ROOT);
        ASSERT_TRUE(
            reg.OpenKey("\\CLSID\\" + testaddin::Clsid.ToString() + "\\InprocServer32", false));
        reg.WriteString("", path);
    }
    static std::string Joined(const std::vector<std::string>& lines) {
        std::string all;
        for (const std::string& line : lines)
            all += line + "\n";
        return all;
    }

    TempPlatformHome home;
    long objectsBefore = LibraryObjectCount().Objects();
    StandInHost host;
};

using Lines = std::vector<std::string>;

} // namespace

TEST_F(HostDriverTest, StartupConnectionRunsTheWholeLifecycleInTheHostsOrder) {
    {
        HostDriver driver(host);
        EXPECT_EQ(driver.RegisteredAddIns(), Lines{testaddin::ProgId});
        driver.Start();
        EXPECT_EQ(Calls(), (Lines{"CreateInstance", "OnConnection 1 Outlook COMAddIn",
                                  "CTPFactoryAvailable", "OnStartupComplete",
                                  "GetCustomUI Microsoft.Outlook.Explorer", "RibbonLoaded"}));
        HostedAddIn* addIn = driver.Find(testaddin::ProgId);
        ASSERT_NE(addIn, nullptr);
        EXPECT_TRUE(addIn->Connected);
        EXPECT_EQ(addIn->FriendlyName, "Test add-in");
        EXPECT_EQ(addIn->LibraryPath, LibraryPath);
        EXPECT_TRUE(addIn->Entry->Connected());
        // The add-in published itself through its COMAddIn entry.
        EXPECT_TRUE(IsSameObject(addIn->Entry->Object().Get(), addIn->Object.Get()));

        RibbonHost* ribbon = driver.Ribbon(testaddin::ProgId, testaddin::RibbonId);
        ASSERT_NE(ribbon, nullptr);
        EXPECT_EQ(ribbon->Render("TestButton").Label, u"Test button");
        ribbon->Click("Test button");
        EXPECT_EQ(Calls().back(), "OnAction TestButton in Explorer");

        driver.Quit();
        Lines calls = Calls();
        EXPECT_EQ(Lines(calls.end() - 3, calls.end()),
                  (Lines{"Quit event", "OnBeginShutdown", "OnDisconnection 0"}));
        EXPECT_FALSE(addIn->Connected);
        EXPECT_EQ(addIn->CanUnloadNow, S_OK);
        EXPECT_FALSE(addIn->Entry->Object());
        EXPECT_FALSE(LibraryLoaded());
        EXPECT_EQ(driver.Failures(), Lines{});
        EXPECT_EQ(driver.Log().back(), std::string(testaddin::ProgId) + ": unloaded");
    }
}

TEST_F(HostDriverTest, ConnectingIntoARunningHostSendsNoStartupComplete) {
    HostDriver driver(host);
    ASSERT_TRUE(driver.Connect(testaddin::ProgId));
    EXPECT_FALSE(driver.Connect(testaddin::ProgId)) << "connected already";
    EXPECT_EQ(Calls(),
              (Lines{"CreateInstance", "OnConnection 0 Outlook COMAddIn", "CTPFactoryAvailable",
                     "GetCustomUI Microsoft.Outlook.Explorer", "RibbonLoaded"}));
    driver.Quit();
    EXPECT_EQ(Calls().back(), "OnDisconnection 0");
    EXPECT_EQ(driver.Failures(), Lines{});
}

TEST_F(HostDriverTest, UserRemovingTheAddInDisconnectsItAloneAndUnloadsIt) {
    HostDriver driver(host);
    driver.Start();
    ASSERT_TRUE(driver.Disconnect(testaddin::ProgId));
    EXPECT_EQ(Calls().back(), "OnDisconnection 1");
    EXPECT_FALSE(LibraryLoaded());
    EXPECT_FALSE(driver.Disconnect(testaddin::ProgId)) << "not connected any more";

    // Quitting afterwards reaches the host, not the removed add-in.
    size_t before = Calls().size();
    driver.Quit();
    EXPECT_EQ(Calls().size(), before + 1);
    EXPECT_EQ(Calls().back(), "Quit event");
}

TEST_F(HostDriverTest, TheCOMAddInsEntryConnectsAndRemovesTheAddIn) {
    HostDriver driver(host);
    driver.Start();
    ComPtr<SimulatedCOMAddIn> entry = driver.Find(testaddin::ProgId)->Entry;
    ASSERT_EQ(entry->put_Connect(VARIANT_FALSE), S_OK);
    EXPECT_EQ(Calls().back(), "OnDisconnection 1");
    ASSERT_EQ(entry->put_Connect(VARIANT_TRUE), S_OK);
    EXPECT_EQ(Calls()[Calls().size() - 4], "OnConnection 0 Outlook COMAddIn");
    driver.Quit();
    EXPECT_EQ(Calls().back(), "OnDisconnection 0");
    EXPECT_EQ(driver.Failures(), Lines{});
}

// An add-in that turns itself off inside a call: the host holds the object
// for the call, so the call ends in an object that lives, and the library
// goes once the call has returned.
TEST_F(HostDriverTest, AnAddInTurnedOffInsideACallOutlivesTheCall) {
    Instruct(TurnOffValue, "OnStartupComplete");
    HostDriver driver(host);
    driver.Start();
    const Lines calls = Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(Lines(calls.end() - 3, calls.end()),
              (Lines{"OnStartupComplete", "OnDisconnection 1", "OnStartupComplete goes on"}));
    EXPECT_FALSE(driver.Find(testaddin::ProgId)->Connected);
    EXPECT_FALSE(LibraryLoaded());
    EXPECT_EQ(driver.Failures(), Lines{});
}

TEST_F(HostDriverTest, LoadBehaviorDecidesWhatStartupLoads) {
    struct Case {
        int32_t loadBehavior;
        bool loaded;
    };
    for (Case c : {Case{3, true}, Case{2, false}, Case{0, false}, Case{9, false}, Case{16, true}}) {
        Register(HKEY_CURRENT_USER, c.loadBehavior);
        HostDriver driver(host);
        driver.Start();
        EXPECT_EQ(driver.Find(testaddin::ProgId)->Connected, c.loaded) << c.loadBehavior;
        driver.Quit();
    }
}

TEST_F(HostDriverTest, AnAddInRegisteredForAllUsersIsFoundUnderTheMachine) {
    TRegistry reg;
    ASSERT_TRUE(reg.DeleteKey(AddInKey));
    Register(HKEY_LOCAL_MACHINE, 3);
    HostDriver driver(host);
    driver.Start();
    HostedAddIn* addIn = driver.Find(testaddin::ProgId);
    ASSERT_NE(addIn, nullptr);
    EXPECT_TRUE(addIn->AllUsers);
    EXPECT_TRUE(addIn->Connected);
    driver.Quit();
}

TEST_F(HostDriverTest, AUsersKeyBesideTheMachinesOnlyOverridesTheValuesItHolds) {
    TRegistry reg;
    ASSERT_TRUE(reg.DeleteKey(AddInKey));
    Register(HKEY_LOCAL_MACHINE, 3);
    // What an add-in registered for all users keeps per user: no LoadBehavior.
    ASSERT_TRUE(reg.OpenKey(AddInKey, true));
    reg.WriteString("ADXStartMode", "NORMAL");
    reg.WriteString("Description", "The user's own");
    {
        HostDriver driver(host);
        driver.Start();
        HostedAddIn* addIn = driver.Find(testaddin::ProgId);
        ASSERT_NE(addIn, nullptr);
        EXPECT_TRUE(addIn->AllUsers);
        EXPECT_EQ(addIn->LoadBehavior, 3);
        EXPECT_TRUE(addIn->Connected);
        EXPECT_EQ(addIn->FriendlyName, "Test add-in");
        EXPECT_EQ(addIn->Description, "The user's own");
        driver.Quit();
    }
    // A LoadBehavior of the user's own wins, even 0.
    reg.WriteInteger("LoadBehavior", 0);
    HostDriver driver(host);
    driver.Start();
    EXPECT_FALSE(driver.Find(testaddin::ProgId)->Connected);
    driver.Quit();
}

TEST_F(HostDriverTest, FailingCallsAreReportedAndTheHostGoesOn) {
    const Lines connection = {"CreateInstance", "OnConnection 1 Outlook COMAddIn",
                              "CTPFactoryAvailable"};
    const Lines startup = {"OnStartupComplete", "GetCustomUI Microsoft.Outlook.Explorer"};
    const Lines shutdown = {"Quit event", "OnBeginShutdown", "OnDisconnection 0"};
    auto join = [](std::initializer_list<Lines> parts) {
        Lines all;
        for (const Lines& part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    struct Case {
        const char* failing;
        Lines calls; // from Start to the end of Quit
    };
    const Case cases[] = {
        // The host drops an add-in it could not create or connect.
        {"CreateInstance", {"CreateInstance", "Quit event"}},
        {"OnConnection", {"CreateInstance", "OnConnection 1 Outlook COMAddIn", "Quit event"}},
        // Later failures leave it connected until the host shuts down.
        {"OnStartupComplete", join({connection, startup, {"RibbonLoaded"}, shutdown})},
        {"GetCustomUI", join({connection, startup, shutdown})},
        {"OnBeginShutdown", join({connection, startup, {"RibbonLoaded"}, shutdown})},
        {"OnDisconnection", join({connection, startup, {"RibbonLoaded"}, shutdown})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failing);
        TRegistry reg;
        reg.DeleteKey(testaddin::Key);
        Instruct(testaddin::FailValue, c.failing);
        HostDriver driver(host);
        driver.Start();
        driver.Quit();
        EXPECT_EQ(Calls(), c.calls);
        ASSERT_EQ(driver.Failures().size(), 1u) << Joined(driver.Failures());
        EXPECT_NE(driver.Failures()[0].find(c.failing), std::string::npos) << driver.Failures()[0];
        EXPECT_EQ(driver.Find(testaddin::ProgId)->CanUnloadNow, S_OK);
        EXPECT_FALSE(LibraryLoaded());
    }
}

TEST_F(HostDriverTest, ExceptionsThatEscapeTheAddInAreReportedNotSpread) {
    for (const char* call : {"OnStartupComplete", "GetCustomUI", "OnBeginShutdown"}) {
        SCOPED_TRACE(call);
        Instruct(ThrowValue, call);
        HostDriver driver(host);
        driver.Start();
        driver.Quit();
        EXPECT_EQ(Calls().back(), "OnDisconnection 0");
        ASSERT_EQ(driver.Failures().size(), 1u) << Joined(driver.Failures());
        EXPECT_NE(driver.Failures()[0].find(std::string(call) + " broke the rule"),
                  std::string::npos)
            << driver.Failures()[0];
        EXPECT_NE(driver.Failures()[0].find("C++ exception"), std::string::npos);
    }
}

TEST_F(HostDriverTest, AFailureCarriesTheAddInsOwnMessage) {
    Instruct(testaddin::FailValue, "OnConnection");
    HostDriver driver(host);
    driver.Start();
    ASSERT_EQ(driver.Failures().size(), 1u);
    EXPECT_NE(driver.Failures()[0].find("The test add-in refuses to connect"), std::string::npos)
        << driver.Failures()[0];
    EXPECT_EQ(driver.Find(testaddin::ProgId)->CanUnloadNow, S_OK);
}

TEST_F(HostDriverTest, LibrariesThatCannotServeTheAddInAreReported) {
    struct Case {
        std::string library;
        const char* reason;
    };
    const Case cases[] = {
        {LibraryPath + ".missing", "does not load"},
        {std::string(LORVANE_BIN_DIR) + "/libPlatformTestCompanion.so", "no DllGetClassObject"},
        {"", "names no InprocServer32 library"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.library);
        SetLibrary(c.library);
        HostDriver driver(host);
        EXPECT_FALSE(driver.Connect(testaddin::ProgId));
        ASSERT_EQ(driver.Failures().size(), 1u) << Joined(driver.Failures());
        EXPECT_NE(driver.Failures()[0].find(c.reason), std::string::npos) << driver.Failures()[0];
        EXPECT_EQ(Calls(), Lines{});
        if (!c.library.empty()) {
            EXPECT_TRUE(GetModuleHandle(c.library.c_str()) == nullptr) << "loaded, not unloaded";
        }
    }
}

TEST_F(HostDriverTest, UnregisteredAddInsAndClassesAreReported) {
    HostDriver driver(host);
    EXPECT_FALSE(driver.Connect("Nobody.coNothing"));
    ASSERT_EQ(driver.Failures().size(), 1u);
    EXPECT_NE(driver.Failures()[0].find("is not registered as an add-in of Outlook"),
              std::string::npos);

    UnregisterComClass(testaddin::Clsid, testaddin::ProgId);
    EXPECT_FALSE(driver.Connect(testaddin::ProgId));
    ASSERT_EQ(driver.Failures().size(), 2u);
    EXPECT_NE(driver.Failures()[1].find("names no registered class"), std::string::npos)
        << driver.Failures()[1];
}

TEST_F(HostDriverTest, ALibraryWithLiveObjectsStaysLoadedAndIsReported) {
    Instruct(testaddin::KeepAliveValue, "1");
    {
        HostDriver driver(host);
        driver.Start();
        driver.Quit();
        EXPECT_EQ(driver.Find(testaddin::ProgId)->CanUnloadNow, S_FALSE);
        ASSERT_EQ(driver.Failures().size(), 1u);
        EXPECT_NE(driver.Failures()[0].find("still has live objects"), std::string::npos);
    }
    // The driver left its use of the library in place; the test ends it.
    HMODULE library = GetModuleHandle(LibraryPath.c_str());
    ASSERT_TRUE(library != nullptr);
    auto drop =
        reinterpret_cast<void (*)()>(GetProcAddress(library, testaddin::DropLeftoverExport));
    ASSERT_NE(drop, nullptr);
    drop();
    FreeLibrary(library);
}

TEST_F(HostDriverTest, TaskPanesAnAddInLeavesAreClosedWhenItIsUnloaded) {
    ComPtr<SimulatedCustomTaskPane> pane;
    {
        HostDriver driver(host);
        driver.Start();
        ComPtr<SimulatedCTPFactory> panes = driver.Find(testaddin::ProgId)->TaskPanes;
        ASSERT_TRUE(panes);
        ASSERT_EQ(panes->Panes().size(), 1u);
        pane = panes->Panes()[0];
        EXPECT_EQ(pane->Title(), u"Test pane");
        EXPECT_TRUE(pane->Visible());
        EXPECT_FALSE(pane->Deleted());
        driver.Quit();
        EXPECT_TRUE(pane->Deleted());
        EXPECT_TRUE(panes->Panes().empty());
        EXPECT_FALSE(driver.Find(testaddin::ProgId)->TaskPanes);
    }
    BSTR title;
    EXPECT_EQ(pane->get_Title(&title), E_FAIL);
}

TEST_F(HostDriverTest, WindowsOpenedLaterGetTheirRibbonOncePerIdentifier) {
    HostDriver driver(host);
    driver.Start();
    driver.OpenWindow({u"Microsoft.Outlook.Mail.Compose", Named::Create(u"Inspector")});
    driver.OpenWindow({u"Microsoft.Outlook.Mail.Compose", Named::Create(u"Inspector 2")});
    driver.OpenWindow({testaddin::RibbonId, Named::Create(u"Explorer 2")});
    Lines calls = Calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "GetCustomUI Microsoft.Outlook.Mail.Compose"),
              1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "GetCustomUI Microsoft.Outlook.Explorer"), 1);
    EXPECT_FALSE(
        driver.Ribbon(testaddin::ProgId, u"Microsoft.Outlook.Mail.Compose")->HasDocument());

    // The explorer ribbon now shows in the window opened last.
    driver.Ribbon(testaddin::ProgId, testaddin::RibbonId)->Click("TestButton");
    EXPECT_EQ(Calls().back(), "OnAction TestButton in Explorer 2");
    driver.Quit();
}
