// The host driver loading the test add-in into the simulated Outlook: the
// add-in gets Outlook's application, ribbons come with the windows Outlook
// opens, and on exit Outlook's Quit event comes before the add-in's
// shutdown calls; nothing is left alive afterwards.
#include "tests/platform/TestAddInSupport.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/outlook/OutlookTypes.h"
#include "platform/sim/HostDriver.h"
#include "platform/sim/outlook/OutlookSim.h"

#include "OutlookTestSupport.h"

#include <gtest/gtest.h>

using namespace sim;
using namespace testaddin;
using Lines = std::vector<std::string>;

TEST(OutlookSimHostDriver, AnAddInRunsInTheSimulatedOutlookFromStartToQuit) {
    TempPlatformHome home;
    Register();
    {
        OutlookSim outlook(12);
        auto explorer = outlook.OpenExplorer();
        HostDriver driver(outlook);
        outlook.OnWindowOpened = [&](const HostWindow& window) { driver.OpenWindow(window); };
        // Outlook's own Quit event, in the same record as the add-in's calls.
        AdvisedSink quit(outlook.Application().Get(), outlook::DIID_ApplicationEvents_11);
        quit->OnEvent = [](DISPID id, std::vector<Variant>&) {
            if (id == outlook::DISPID_Quit)
                RecordCall("Quit event");
        };

        driver.Start();
        EXPECT_EQ(Calls(), (Lines{"CreateInstance", "OnConnection 1 Outlook COMAddIn",
                                  "CTPFactoryAvailable", "OnStartupComplete",
                                  "GetCustomUI Microsoft.Outlook.Explorer", "RibbonLoaded"}));
        RibbonHost* ribbon = driver.Ribbon(ProgId, u"Microsoft.Outlook.Explorer");
        ASSERT_NE(ribbon, nullptr);
        ribbon->Click("Test button");
        EXPECT_EQ(Calls().back(), "OnAction TestButton in Inbox - Outlook");

        // A compose window asks for the compose ribbon once it is shown.
        outlook.ComposeNewMail();
        EXPECT_EQ(Calls().back(), "GetCustomUI Microsoft.Outlook.Mail.Compose");

        driver.Quit();
        Lines calls = Calls();
        EXPECT_EQ(Lines(calls.end() - 3, calls.end()),
                  (Lines{"Quit event", "OnBeginShutdown", "OnDisconnection 0"}));
        EXPECT_TRUE(explorer->IsClosed());
        EXPECT_EQ(driver.Failures(), Lines{});
        EXPECT_FALSE(LibraryLoaded());
    }
    EXPECT_EQ(OutlookSim::LiveObjects(), 0);
}
