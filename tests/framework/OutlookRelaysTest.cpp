// The add-in object's Outlook relays as far as start-up sets them up: the
// windows open at start-up and those opened later are wrapped once and
// reported to the module; inspectors without an item worth following are
// reported but not wrapped; the options-page hooks chain to earlier handlers.
#include "FrameworkTestSupport.h"

#include "framework/hosts/OutlookWindowWrappers.h"
#include "platform/outlook/Outlook.h"
#include "platform/sim/outlook/OutlookSim.h"

using namespace fwtest;

namespace {

class OutlookRelays : public AddInTest {
protected:
    OutlookRelays() {
        SetModuleForm(ModuleForm(R"(  AddInName = 'TestAddIn'
  SupportedApps = [ohaOutlook])"));
    }
    void Start() {
        ASSERT_EQ(
            addIn->OnConnection(outlook.Application().Get(), ext_cm_Startup, nullptr, nullptr),
            S_OK);
        module = Object().Module();
        module->OnOLNewExplorer = [this](TObject* sender, IDispatch*) {
            news.push_back(std::string("explorer from ") +
                           (sender ? sender->ClassName() : "start-up"));
        };
        module->OnOLNewInspector = [this](TObject* sender, IDispatch*) {
            news.push_back(std::string("inspector from ") +
                           (sender ? sender->ClassName() : "start-up"));
        };
        ASSERT_EQ(addIn->OnStartupComplete(nullptr), S_OK);
    }
    TadxAddin& Object() { return *static_cast<TadxAddin*>(addIn.Get()); }
    void TearDown() override {
        if (module) {
            addIn->OnBeginShutdown(nullptr);
            addIn->OnDisconnection(ext_dm_HostShutdown, nullptr);
        }
    }

    sim::OutlookSim outlook;
    ComPtr<IDTExtensibility2> addIn = NewAddIn();
    TadxCOMAddInModule* module = nullptr;
    std::vector<std::string> news;
};

TEST_F(OutlookRelays, WindowsOpenAtStartupAreNewWindowsWithoutSender) {
    outlook.OpenExplorer();
    outlook.ComposeNewMail();
    Start();
    EXPECT_EQ(news,
              (std::vector<std::string>{"explorer from start-up", "inspector from start-up"}));
    ASSERT_EQ(Object().Explorers().size(), 1u);
    ASSERT_EQ(Object().Inspectors().size(), 1u);
    EXPECT_TRUE(Object().Explorers()[0]->Connected());
    EXPECT_TRUE(Object().Inspectors()[0]->IsMail);
}

TEST_F(OutlookRelays, WindowsOpenedLaterAreReportedByTheirCollection) {
    Start();
    outlook.OpenExplorer();
    outlook.ComposeNewMail();
    EXPECT_EQ(news,
              (std::vector<std::string>{"explorer from TExplorers", "inspector from TInspectors"}));
    EXPECT_EQ(Object().Explorers().size(), 1u);
    EXPECT_EQ(Object().Inspectors().size(), 1u);
}

TEST_F(OutlookRelays, AnExplorerReportedTwiceIsWrappedOnce) {
    auto explorer = outlook.OpenExplorer();
    Start();
    Object().DoNewExplorer(nullptr, explorer->WindowDisp());
    EXPECT_EQ(Object().Explorers().size(), 1u);
    EXPECT_EQ(news.size(), 1u);
}

TEST_F(OutlookRelays, ANoteIsReportedButNotFollowed) {
    Start();
    outlook.OpenInspector(outlook.NewItem(sim::ItemKind::Note));
    outlook.OpenInspector(outlook.NewItem(sim::ItemKind::Appointment));
    EXPECT_EQ(news, (std::vector<std::string>{"inspector from TInspectors",
                                              "inspector from TInspectors"}));
    ASSERT_EQ(Object().Inspectors().size(), 1u);
    EXPECT_FALSE(Object().Inspectors()[0]->IsMail);
}

TEST_F(OutlookRelays, TheOptionsPagesHookCallsTheEarlierHandlerFirst) {
    probe = [](TTestModule& m, const std::string& step) {
        if (step == "SetHostApplication")
            return;
        if (m.OutlookApplication && !m.OutlookApplication->OnOptionsPagesAdd)
            m.OutlookApplication->OnOptionsPagesAdd = [](TObject*, const ComPtr<IDispatch>&) {
                journal.push_back("earlier handler");
                throw Exception(kHandlerFailure);
            };
    };
    SetModuleForm(ModuleForm(R"(  AddInName = 'TestAddIn'
  SupportedApps = [ohaOutlook]
  OnAddInInitialize = ModuleInitialize)"));
    Start();
    journal.clear();
    TOutlookApplication& app = *module->OutlookApplication;
    app.OnOptionsPagesAdd(&app, nullptr);
    EXPECT_EQ(journal, (std::vector<std::string>{"earlier handler", "OptionsPagesAdd"}));
    EXPECT_EQ(user.Shown().size(), 1u);
}

TEST_F(OutlookRelays, TheNameSpacesOptionsPagesReachTheModule) {
    Start();
    journal.clear();
    Object().DoNameSpaceOptionsPagesAdd(nullptr, nullptr, nullptr);
    EXPECT_EQ(journal, std::vector<std::string>{"NameSpaceOptionsPagesAdd"});
}

} // namespace
