// The framework's sample add-in, LorvaneSample.so, loaded into the simulated
// Outlook by the host driver as Outlook loads it: its registration writes the
// add-in key and its class for the current user, Outlook's start connects it
// and completes its start-up, the user may remove and connect it again, and
// Outlook's quit disconnects it, after which its library answers
// DllCanUnloadNow with S_OK and is unloaded with no object of it left.
#include "tests/e2e/OutlookFixture.h"

#include "platform/com/ComClasses.h"
#include "platform/text/Text.h"
#include "platform/win/Registry.h"

using namespace e2e;

namespace {

using Lines = std::vector<std::string>;

const std::string SampleKey = "\\Software\\Microsoft\\Office\\Outlook\\AddIns\\" + SampleProgId;

class SampleLoad : public OutlookWithAddIn {
protected:
    SampleLoad() : OutlookWithAddIn(SampleLibraryPath, SampleProgId) {}

    // The driver's steps with the sample, without the ProgID before each.
    Lines SampleSteps() const {
        Lines steps;
        const std::string prefix = SampleProgId + ": ";
        for (const std::string& line : driver.Log()) {
            if (line.rfind(prefix, 0) == 0)
                steps.push_back(line.substr(prefix.size()));
        }
        return steps;
    }
};

} // namespace

TEST_F(SampleLoad, RegistersItsAddInForTheCurrentUserAndUnregistersCompletely) {
    EXPECT_EQ(driver.RegisteredAddIns(), Lines{SampleProgId});
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKeyReadOnly(SampleKey));
    EXPECT_EQ(reg.ReadString("FriendlyName"), "LorvaneSample");
    EXPECT_EQ(reg.ReadString("Description"), "The add-in framework's sample");
    EXPECT_EQ(reg.ReadInteger("LoadBehavior"), 3);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(reg.KeyExists(SampleKey));
    GUID clsid;
    ASSERT_EQ(CLSIDFromProgID(text::Wide(SampleProgId), &clsid), S_OK);
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\CLSID\\" + clsid.ToString() + "\\InprocServer32"));
    EXPECT_EQ(reg.ReadString(""), SampleLibraryPath);

    ASSERT_EQ(CallEntryPoint("DllUnregisterServer", SampleLibraryPath), S_OK);
    reg.SetRootKey(HKEY_CURRENT_USER);
    EXPECT_FALSE(reg.KeyExists(SampleKey));
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    EXPECT_FALSE(reg.KeyExists("\\CLSID\\" + clsid.ToString()));
    EXPECT_FALSE(reg.KeyExists("\\" + SampleProgId));
}

TEST_F(SampleLoad, OutlooksStartConnectsItAndItsQuitLeavesNoObjectAlive) {
    driver.Start();
    sim::HostedAddIn* addIn = driver.Find(SampleProgId);
    ASSERT_NE(addIn, nullptr);
    EXPECT_TRUE(addIn->Connected);
    EXPECT_FALSE(addIn->AllUsers);
    EXPECT_EQ(addIn->FriendlyName, "LorvaneSample");
    EXPECT_EQ(addIn->LibraryPath, SampleLibraryPath);

    driver.Quit();
    EXPECT_EQ(driver.Failures(), Lines{});
    EXPECT_EQ(SampleSteps(),
              (Lines{"load " + SampleLibraryPath, "DllGetClassObject", "CreateInstance",
                     "OnConnection(1)", "CTPFactoryAvailable", "OnStartupComplete",
                     "GetCustomUI(Microsoft.Outlook.Explorer)", "OnBeginShutdown",
                     "OnDisconnection(0)", "DllCanUnloadNow S_OK", "unloaded"}));
    ExpectUnloaded();
}

TEST_F(SampleLoad, RemovedByTheUserItIsUnloadedAndConnectsAgain) {
    driver.Start();
    ASSERT_TRUE(driver.Disconnect(SampleProgId));
    ExpectUnloaded();
    ASSERT_TRUE(driver.Connect(SampleProgId));
    EXPECT_TRUE(driver.Find(SampleProgId)->Connected);
    driver.Quit();
    EXPECT_EQ(driver.Failures(), Lines{});
    ExpectUnloaded();
}
