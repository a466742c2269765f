// lorvane-host script with the sample add-in in an Office host other than
// Outlook, run as a program: a host call that fails there is printed as a
// failure and ends the script with status 1, as in Outlook, and a MapPoint
// that lets the add-in go without a word prints no failure at all.
#include "tests/e2e/E2eSupport.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/sim/office/SimOfficeObjects.h"
#include "platform/win/Registry.h"

using namespace e2e;

TEST(OfficeHostScript, MapPointStartedAndQuitPrintsNoFailure) {
    TempPlatformHome machine;
    HostRun run = RunFromInput(machine, "start mappoint\nquit\n", SampleLibraryPath);
    EXPECT_EQ(run.ExitCode, 0) << run.Output;
    EXPECT_EQ(run.Output.find("failure"), std::string::npos) << run.Output;
    EXPECT_NE(run.Output.find("OnDisconnection(0)"), std::string::npos) << run.Output;
}

TEST(OfficeHostScript, AFailedHostCallInAnOfficeHostEndsTheScriptWithStatusOne) {
    TempPlatformHome machine;
    {
        // The machine's MapPoint refuses to take the add-in's commands away.
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(sim::MapPointSwitchesKey, true));
        reg.WriteString(sim::MapPointRefuseRemoveCommands, "1");
    }
    HostRun run = RunFromInput(machine, "start mappoint\nquit\n", SampleLibraryPath);
    EXPECT_EQ(run.ExitCode, 1) << run.Output;
    EXPECT_NE(run.Output.find("failure   LorvaneSample.coLorvaneSample: OnBeginShutdown failed"),
              std::string::npos)
        << run.Output;
    // The add-in still went: its disconnection and unloading follow.
    EXPECT_NE(run.Output.find("OnDisconnection(0)"), std::string::npos) << run.Output;
    EXPECT_NE(run.Output.find("unloaded"), std::string::npos) << run.Output;
}
