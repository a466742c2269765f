// The host driver playing the simulated Outlook: the test add-in loaded into
// a running Outlook, ribbons for the windows open at start-up and for those
// the user opens later, the application's Quit event before the add-in's
// shutdown calls, and nothing of either left alive afterwards.
#include "tests/platform/TestAddInSupport.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/outlook/OutlookTypes.h"
#include "platform/sim/HostDriver.h"
#include "platform/sim/outlook/OutlookSim.h"

#include <gtest/gtest.h>

using namespace sim;
using namespace testaddin;

namespace {

using Lines = std::vector<std::string>;

// A sink of Outlook's application events that records Quit in the add-in's
// record, so that the order of the host's event and the add-in's calls shows.
class QuitRecorder final : public DispatchObject<IDispatch> {
public:
    HRESULT Invoke(DISPID id, const GUID&, LCID, uint16_t, DispParams*, Variant*, ExcepInfo*,
                   uint32_t*) override {
        if (id == outlook::DISPID_Quit)
            RecordCall("Quit event");
        return S_OK;
    }

private:
    friend struct ::ComMaker;
    explicit QuitRecorder(const GUID& events) { AddInterfaceAlias<IDispatch>(events); }
};

// Outlook's application events of version 11 and later.
constexpr const GUID& ApplicationEvents11 = outlook::DIID_ApplicationEvents_11;

} // namespace

TEST(HostDriverOutlook, LoadsTheAddInIntoARunningOutlookAndShutsItDownOnQuit) {
    TempPlatformHome home;
    Register();
    long objectsBefore = LibraryObjectCount().Objects();
    {
        OutlookSim outlook(14);
        ComPtr<QuitRecorder> recorder = MakeComObject<QuitRecorder>(ApplicationEvents11);
        uint32_t cookie = 0;
        ASSERT_EQ(InterfaceConnect(outlook.Application().Get(), ApplicationEvents11, recorder.Get(),
                                   cookie),
                  S_OK);
        outlook.OpenExplorer();

        HostDriver driver(outlook);
        outlook.OnWindowOpened = [&](const HostWindow& window) { driver.OpenWindow(window); };
        driver.Start();
        EXPECT_EQ(Calls(), (Lines{"CreateInstance", "OnConnection 1 Outlook COMAddIn",
                                  "CTPFactoryAvailable", "OnStartupComplete",
                                  "GetCustomUI Microsoft.Outlook.Explorer", "RibbonLoaded"}));

        // The user writes a message: its window's ribbon is asked for once.
        outlook.ComposeNewMail();
        outlook.ComposeNewMail();
        EXPECT_EQ(Calls().back(), "GetCustomUI Microsoft.Outlook.Mail.Compose");
        EXPECT_EQ(Calls().size(), 7u);

        driver.Ribbon(ProgId, u"Microsoft.Outlook.Explorer")->Click("TestButton");
        EXPECT_EQ(Calls().back(), "OnAction TestButton in Inbox - Outlook");

        outlook.OnWindowOpened = nullptr;
        driver.Quit();
        Lines calls = Calls();
        EXPECT_EQ(Lines(calls.end() - 3, calls.end()),
                  (Lines{"Quit event", "OnBeginShutdown", "OnDisconnection 0"}));
        EXPECT_EQ(driver.Failures(), Lines{});
        EXPECT_EQ(driver.Find(ProgId)->CanUnloadNow, S_OK);
        EXPECT_FALSE(LibraryLoaded());
        InterfaceDisconnect(outlook.Application().Get(), ApplicationEvents11, cookie);
    }
    EXPECT_EQ(OutlookSim::LiveObjects(), 0);
    EXPECT_EQ(LibraryObjectCount().Objects(), objectsBefore);
}
