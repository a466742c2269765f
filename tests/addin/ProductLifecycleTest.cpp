// The product's add-in object connected to the simulated Outlook as Outlook
// connects it: the module's handlers run in the lifecycle's order, see what
// the framework detected, keep the program-wide state, and leave no object
// alive once Outlook lets go of the add-in.
#include "tests/addin/ProductTestSupport.h"

#include "addin/LorvaneOL_IMPL.h"
#include "platform/sim/outlook/OutlookSim.h"

namespace {

using Lines = std::vector<std::string>;

class ProductLifecycle : public ProductTest {
protected:
    // A new add-in object from the library's factory.
    static ComPtr<IDTExtensibility2> CreateAddIn() {
        ComPtr<IDTExtensibility2> addIn;
        EXPECT_EQ(LorvaneServer()
                      .FindFactory(CLASS_coLorvaneOL)
                      ->CreateInstance(nullptr, IDTExtensibility2::Iid, addIn.ReceiveVoid()),
                  S_OK);
        return addIn;
    }
    // Outlook's start, its start-up complete call, its shutdown and the disconnection.
    void RunOutlookSession(sim::OutlookSim& outlook) {
        ComPtr<IDTExtensibility2> addIn = CreateAddIn();
        ASSERT_TRUE(addIn);
        SafeArray custom;
        ASSERT_EQ(
            addIn->OnConnection(outlook.Application().Get(), ext_cm_Startup, nullptr, &custom),
            S_OK);
        ASSERT_EQ(addIn->OnStartupComplete(&custom), S_OK);
        EXPECT_NE(ProgramState().Module, nullptr);
        EXPECT_NE(ProgramState().ExpandedNodes, nullptr);
        ASSERT_EQ(addIn->OnBeginShutdown(&custom), S_OK);
        EXPECT_EQ(ProgramState().ExpandedNodes, nullptr);
        ASSERT_EQ(addIn->OnDisconnection(ext_dm_HostShutdown, &custom), S_OK);
        EXPECT_EQ(ProgramState().Module, nullptr);
    }

    long objectsBefore = LibraryObjectCount().Objects();
};

} // namespace

TEST_F(ProductLifecycle, TheHandlersLogTheLifecycleWithTheHostAndStartModeDetected) {
    {
        sim::OutlookSim outlook(12);
        outlook.OpenExplorer();
        RunOutlookSession(outlook);
    }
    EXPECT_EQ(LogLines(),
              (Lines{LogTime + "adxCOMAddInModuleAddInInitialize: start-up complete in Outlook 12, "
                               "start mode FIRSTSTART",
                     LogTime + "adxCOMAddInModuleAddInBeginShutdown: shutting down",
                     LogTime + "adxCOMAddInModuleAddInFinalize: disconnected"}));
    EXPECT_EQ(ProgramState().MainButtonCaption, "Lorvane");
    EXPECT_EQ(LibraryObjectCount().Objects(), objectsBefore);
    EXPECT_EQ(sim::OutlookSim::LiveObjects(), 0);
}

TEST_F(ProductLifecycle, TheNextStartIsANormalOne) {
    for (int major : {12, 14}) {
        sim::OutlookSim outlook(major);
        RunOutlookSession(outlook);
    }
    Lines lines = LogLines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[3], LogTime + "adxCOMAddInModuleAddInInitialize: start-up complete in "
                                  "Outlook 14, start mode NORMAL");
    EXPECT_EQ(LibraryObjectCount().Objects(), objectsBefore);
}
