// LorvaneOL.so loaded into the simulated Outlook by the host driver, through
// the registry and dlopen as Outlook loads it: at start-up, into a running
// Outlook, removed by the user and connected again; in every case the
// module's handlers run in order (Outlook's quit runs the begin-shutdown and
// finalise handlers from its Quit event first, then again from its shutdown
// calls), and once the add-in is disconnected the library answers
// DllCanUnloadNow with S_OK and is unloaded.
#include "tests/e2e/OutlookFixture.h"

#include "platform/win/Registry.h"

using namespace e2e;

namespace {

using Lines = std::vector<std::string>;

const std::string Started = "adxCOMAddInModuleAddInInitialize: start-up complete in Outlook 12, "
                            "start mode FIRSTSTART";
const std::string StartedAgain = "adxCOMAddInModuleAddInInitialize: start-up complete in "
                                 "Outlook 12, start mode NORMAL";
const std::string ShuttingDown = "adxCOMAddInModuleAddInBeginShutdown: shutting down";
const std::string Disconnected = "adxCOMAddInModuleAddInFinalize: disconnected";

class OutlookLoad : public OutlookWithAddIn {
protected:
    OutlookLoad() : OutlookWithAddIn(LibraryPath, ProgId) {}

    static std::string StartMode() {
        TRegistry reg;
        return reg.OpenKeyReadOnly("\\" + AddInKey) ? reg.ReadString("ADXStartMode") : "(no key)";
    }
};

} // namespace

TEST_F(OutlookLoad, OutlooksStartConnectsTheAddInAndItsQuitLeavesNoObjectAlive) {
    EXPECT_EQ(driver.RegisteredAddIns(), Lines{ProgId});
    const unsigned long writes = platform::RegistryFileWrites();
    driver.Start();
    // The first start's key and start mode: one save of the registry file.
    EXPECT_EQ(platform::RegistryFileWrites() - writes, 1u);
    ASSERT_NE(driver.Find(ProgId), nullptr);
    EXPECT_TRUE(driver.Find(ProgId)->AllUsers);
    EXPECT_TRUE(driver.Find(ProgId)->Connected);
    EXPECT_EQ(LogMessages(), Lines{Started});
    EXPECT_EQ(StartMode(), "NORMAL");

    driver.Quit();
    EXPECT_EQ(driver.Failures(), Lines{});
    EXPECT_EQ(LogMessages(),
              (Lines{Started, ShuttingDown, Disconnected, ShuttingDown, Disconnected}));
    EXPECT_EQ(platform::RegistryFileWrites() - writes, 1u) << "quitting changes nothing there";
    ExpectUnloaded();
}

TEST_F(OutlookLoad, ConnectedIntoARunningOutlookItStartsUpInsideTheConnection) {
    ASSERT_TRUE(driver.Connect(ProgId));
    EXPECT_EQ(LogMessages(), Lines{Started});
    driver.Quit();
    EXPECT_EQ(driver.Failures(), Lines{});
    EXPECT_EQ(LogMessages(),
              (Lines{Started, ShuttingDown, Disconnected, ShuttingDown, Disconnected}));
    ExpectUnloaded();
}

TEST_F(OutlookLoad, RemovedByTheUserItIsUnloadedAndConnectsAgainAsANormalStart) {
    driver.Start();
    ASSERT_TRUE(driver.Disconnect(ProgId));
    EXPECT_EQ(LogMessages(), (Lines{Started, ShuttingDown, Disconnected}));
    ExpectUnloaded();

    const unsigned long writes = platform::RegistryFileWrites();
    ASSERT_TRUE(driver.Connect(ProgId));
    driver.Quit();
    EXPECT_EQ(platform::RegistryFileWrites(), writes) << "a normal start saves nothing";
    EXPECT_EQ(driver.Failures(), Lines{});
    EXPECT_EQ(LogMessages(), (Lines{Started, ShuttingDown, Disconnected, StartedAgain, ShuttingDown,
                                    Disconnected, ShuttingDown, Disconnected}));
    ExpectUnloaded();
}
