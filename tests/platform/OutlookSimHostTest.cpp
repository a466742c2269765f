// The simulated Outlook as the machine knows it: installed in the registry,
// running in the running-object table, and as the host driver's site.
#include "platform/com/ComClasses.h"
#include "platform/com/RunningObjects.h"
#include "platform/outlook/OutlookTypes.h"
#include "platform/sim/outlook/OutlookSim.h"

#include "tests/support/ComTestSupport.h"
#include "tests/support/TempPlatformHome.h"

#include <gtest/gtest.h>

using namespace outlook;
using sim::OutlookSim;

TEST(OutlookSimHost, InstallingRegistersTheProgIdAndItsClass) {
    TempPlatformHome home;
    EXPECT_FALSE(sim::IsOutlookInstalled());
    sim::InstallOutlook(12);
    EXPECT_TRUE(sim::IsOutlookInstalled());
    EXPECT_EQ(ProgIDToClassID("Outlook.Application"), CLSID_OutlookApplication);
    EXPECT_EQ(ProgIDToClassID("Outlook.Application.12"), CLSID_OutlookApplication);
    EXPECT_EQ(ClassIDToProgID(CLSID_OutlookApplication), "Outlook.Application.12");
    sim::UninstallOutlook();
    EXPECT_FALSE(sim::IsOutlookInstalled());
    EXPECT_EQ(CodeOf([] { ProgIDToClassID("Outlook.Application.12"); }), CO_E_CLASSSTRING);
}

TEST(OutlookSimHost, ARunningOutlookIsTheActiveObjectUntilItQuits) {
    TempPlatformHome home;
    sim::InstallOutlook(14);
    {
        OutlookSim outlook(14);
        ComPtr<IDispatch> active = GetActiveOleObject("Outlook.Application");
        EXPECT_TRUE(IsSameObject(active.Get(), outlook.Application().Get()));
        // Creating Outlook while it runs gives the running one.
        ComPtr<IDispatch> created = CreateOleObject("Outlook.Application");
        EXPECT_TRUE(IsSameObject(created.Get(), outlook.Application().Get()));
        outlook.Quit();
        EXPECT_EQ(CodeOf([] { GetActiveOleObject("Outlook.Application"); }), MK_E_UNAVAILABLE);
    }
    { OutlookSim ended; }
    EXPECT_EQ(CodeOf([] { GetActiveOleObject("Outlook.Application"); }), MK_E_UNAVAILABLE);
    EXPECT_EQ(OutlookSim::LiveObjects(), 0);
}

TEST(OutlookSimHost, WindowsCarryTheRibbonOfTheirKind) {
    OutlookSim outlook;
    std::vector<std::u16string> opened;
    outlook.OnWindowOpened = [&](const sim::HostWindow& window) {
        opened.push_back(window.RibbonId);
    };
    auto explorer = outlook.OpenExplorer();
    auto compose = outlook.ComposeNewMail();
    sim::ItemData received;
    received.SenderName = u"Ann";
    auto read = outlook.OpenInspector(outlook.DeliverMail(received));
    auto task = outlook.OpenInspector(outlook.NewItem(sim::ItemKind::Task));
    outlook.OpenInspector(outlook.NewItem(sim::ItemKind::Note));
    const std::vector<std::u16string> expected{
        u"Microsoft.Outlook.Explorer", u"Microsoft.Outlook.Mail.Compose",
        u"Microsoft.Outlook.Mail.Read", u"Microsoft.Outlook.Task"};
    EXPECT_EQ(opened, expected);

    std::vector<sim::HostWindow> windows = outlook.Windows();
    ASSERT_EQ(windows.size(), 4u); // the note has no ribbon
    EXPECT_TRUE(IsSameObject(windows[1].Window.Get(), compose->Disp()));
    for (size_t i = 0; i < windows.size(); ++i)
        EXPECT_EQ(windows[i].RibbonId, expected[i]);
    EXPECT_EQ(outlook.HostName(), "Outlook");
}
