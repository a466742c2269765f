// The add-in object's window relays beyond what the session transcripts
// show: the module's command bars follow the active window and, outside
// Outlook 2000, 2007 and 2010, their OnUpdate reaches the module; a new
// explorer's activation by version; the last explorer taking the inspector
// wrappers with it unless Outlook is 2000 (by its major version); odd windows
// at start-up; an inspector's folder path; full folder names; and the
// command bars' sink as the host calls it.
#include "FrameworkTestSupport.h"

#include "framework/support/OutlookFolderNames.h"
#include "platform/office/CommandBars.h"
#include "platform/outlook/OutlookTypes.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/win/DebugOutput.h"

#include <algorithm>

using namespace fwtest;
using namespace outlook;

namespace {

class WindowRelays : public AddInTest {
protected:
    WindowRelays() {
        SetModuleForm(ModuleForm(R"(  AddInName = 'TestAddIn'
  SupportedApps = [ohaOutlook])"));
    }
    void TearDown() override { Stop(); }
    // Connects and starts the add-in in the simulated Outlook; the module's
    // window events are counted by name.
    void Start() {
        ASSERT_EQ(
            addIn->OnConnection(outlook.Application().Get(), ext_cm_Startup, nullptr, nullptr),
            S_OK);
        module = Object().Module();
        module->OnOLExplorerActivate = [this](TObject*) { heard.push_back("explorer activate"); };
        module->OnOLExplorerFolderSwitch = [this](TObject*) { heard.push_back("folder switch"); };
        module->OnOLInspectorActivate = [this](TObject*) { heard.push_back("inspector activate"); };
        module->OnOLInspectorClose = [this](TObject*) { heard.push_back("inspector close"); };
        ASSERT_EQ(addIn->OnStartupComplete(nullptr), S_OK);
        journal.clear();
    }
    void Stop() {
        if (!module)
            return;
        module = nullptr;
        EXPECT_EQ(addIn->OnBeginShutdown(nullptr), S_OK);
        EXPECT_EQ(addIn->OnDisconnection(ext_dm_HostShutdown, nullptr), S_OK);
        EXPECT_EQ(sim::OutlookSim::AdvisedSinks(), 0u) << sim::OutlookSim::SinkReport();
    }
    TadxAddin& Object() { return *static_cast<TadxAddin*>(addIn.Get()); }

    sim::OutlookSim outlook{12};
    ComPtr<IDTExtensibility2> addIn = NewAddIn();
    TadxCOMAddInModule* module = nullptr;
    std::vector<std::string> heard;
};

TEST_F(WindowRelays, TheModulesCommandBarsAreThoseOfTheWindowActivatedLast) {
    auto explorer = outlook.OpenExplorer();
    Start();
    EXPECT_TRUE(IsSameObject(module->CommandBars.Get(), explorer->CommandBars().UnknownSelf()));
    auto inspector = outlook.ComposeNewMail();
    EXPECT_TRUE(IsSameObject(module->CommandBars.Get(), inspector->CommandBars().UnknownSelf()));
    outlook.Activate(*explorer);
    EXPECT_TRUE(IsSameObject(module->CommandBars.Get(), explorer->CommandBars().UnknownSelf()));
}

TEST_F(WindowRelays, TheCommandBarsOnUpdateReachesTheModuleOutsideVersions9To14) {
    struct Case {
        int version;
        bool followed;
    };
    for (Case c :
         {Case{9, false}, Case{11, true}, Case{12, false}, Case{14, false}, Case{16, true}}) {
        SCOPED_TRACE(c.version);
        outlook.SetVersion(c.version);
        addIn = NewAddIn();
        auto first = outlook.OpenExplorer();
        auto second = outlook.OpenExplorer();
        Start();
        EXPECT_EQ(Object().CommandBarsEventSink() != nullptr, c.followed);
        // The sink follows the explorer activated last.
        EXPECT_EQ(first->CommandBars().SinkCount(), 0u);
        EXPECT_EQ(second->CommandBars().SinkCount(), c.followed ? 1u : 0u);
        if (c.followed) {
            EXPECT_EQ(second->CommandBars().AdvisedIids(),
                      std::vector<GUID>{DIID__CommandBarsEvents});
        }
        second->CommandBars().FireOnUpdate();
        EXPECT_EQ(std::count(journal.begin(), journal.end(), "DoCommandBarsUpdate"), c.followed);
        outlook.Activate(*first);
        EXPECT_EQ(second->CommandBars().SinkCount(), 0u);
        EXPECT_EQ(first->CommandBars().SinkCount(), c.followed ? 1u : 0u);
        outlook.Close(*first);
        outlook.Close(*second);
        Stop();
        EXPECT_EQ(first->CommandBars().SinkCount(), 0u);
    }
}

TEST_F(WindowRelays, ANewExplorerIsActivatedAtOnceOnVersion12AndAtItsFirstFolderSwitchOtherwise) {
    for (int version : {11, 12, 14, 16}) {
        SCOPED_TRACE(version);
        outlook.SetVersion(version);
        addIn = NewAddIn();
        heard.clear();
        Start();
        // Explorers.Add: the new explorer is announced, not yet shown.
        const std::vector<std::string> atOnce{"explorer activate", "folder switch"};
        const std::vector<std::string> none;
        const std::vector<std::string> switched{"folder switch"};
        auto explorer = outlook.App().Explorers().Add(outlook.DefaultFolder(olFolderInbox));
        EXPECT_EQ(heard, version == 12 ? atOnce : none);
        EXPECT_EQ(module->NewExplorer, version != 12);
        heard.clear();
        explorer->RaiseEvent(DISPID_FolderSwitch);
        EXPECT_EQ(heard, version == 12 ? switched : atOnce);
        EXPECT_FALSE(module->NewExplorer);
        outlook.Close(*explorer);
        Stop();
    }
}

TEST_F(WindowRelays, ClosingTheLastExplorerClosesTheInspectorWrappersExceptInOutlook2000) {
    struct Case {
        std::u16string version;
        bool closed;
    };
    for (const Case& c :
         {Case{u"9.0.0.2711", false}, Case{u"19.0.0.1000", true}, Case{u"12.0.0.6423", true}}) {
        SCOPED_TRACE(text::Narrow(c.version));
        outlook.SetVersionText(c.version);
        addIn = NewAddIn();
        heard.clear();
        auto explorer = outlook.OpenExplorer();
        auto mail = outlook.ComposeNewMail();
        Start();
        ASSERT_EQ(Object().Inspectors().size(), 1u);
        outlook.Close(*explorer);
        EXPECT_EQ(Object().Inspectors().empty(), c.closed);
        EXPECT_EQ(std::count(heard.begin(), heard.end(), "inspector close"), c.closed);
        EXPECT_EQ(mail->SinkCount(), c.closed ? 0u : 1u);
        outlook.Close(*mail);
        EXPECT_TRUE(Object().Inspectors().empty());
        Stop();
    }
}

TEST_F(WindowRelays, ANestedActivationIsDropped) {
    auto explorer = outlook.OpenExplorer();
    auto mail = outlook.ComposeNewMail();
    Start();
    heard.clear();
    module->OnOLExplorerActivate = [&](TObject*) {
        heard.push_back("explorer activate");
        outlook.Activate(*mail);
    };
    outlook.Activate(*explorer);
    EXPECT_EQ(heard, std::vector<std::string>{"explorer activate"});
    // The guard is down again afterwards.
    outlook.Activate(*mail);
    outlook.Activate(*explorer);
    EXPECT_EQ(heard, (std::vector<std::string>{"explorer activate", "explorer activate"}));
}

TEST_F(WindowRelays, EveryWindowEventTheModuleReceivesIsToldToTheDebugger) {
    auto explorer = outlook.OpenExplorer();
    platform::TakeDebugOutput();
    Start();
    module->OnOLExplorerSelectionChange = nullptr;
    outlook.SelectItems(*explorer, {});
    EXPECT_EQ(
        platform::TakeDebugOutput(),
        (std::vector<std::string>{"TestAddIn: OnOLNewExplorer \"Inbox - Outlook\"",
                                  "TestAddIn: OnOLExplorerActivate \"Inbox - Outlook\"",
                                  "TestAddIn: OnOLExplorerSelectionChange \"Inbox - Outlook\""}));
}

TEST_F(WindowRelays, AnExplorerWhoseWindowCannotBeNamedIsWrappedEachTime) {
    auto explorer = outlook.OpenExplorer();
    explorer->FailWindowHandle();
    Start();
    Object().DoNewExplorer(nullptr, explorer->WindowDisp());
    EXPECT_EQ(Object().Explorers().size(), 2u);
}

TEST_F(WindowRelays, AnOddWindowAtStartupIsSkippedAndStartupGoesOn) {
    auto odd = outlook.OpenExplorer();
    auto good = outlook.OpenExplorer();
    odd->FailMember("CommandBars");
    ASSERT_EQ(addIn->OnConnection(outlook.Application().Get(), ext_cm_Startup, nullptr, nullptr),
              S_OK);
    module = Object().Module();
    std::vector<std::string> news;
    module->OnOLNewExplorer = [&](TObject*, IDispatch*) { news.push_back("new explorer"); };
    module->OnAddInStartupComplete = [&](TObject*) { news.push_back("startup complete"); };
    EXPECT_EQ(addIn->OnStartupComplete(nullptr), S_OK);
    EXPECT_EQ(news, (std::vector<std::string>{"startup complete", "new explorer", "new explorer"}));
    EXPECT_EQ(Object().Explorers().size(), 2u);
    EXPECT_TRUE(module->ColorWindow != nullptr);
}

TEST_F(WindowRelays, AnInspectorWithoutCommandBarsOrWithANoteIsReportedButNotWrapped) {
    Start();
    std::vector<std::string> news;
    module->OnOLNewInspector = [&](TObject*, IDispatch*) { news.push_back("new inspector"); };
    auto bare = sim::SimInspector::Create(&outlook.App(), outlook.NewItem(sim::ItemKind::Mail));
    bare->RemoveCommandBars();
    Object().DoNewInspector(nullptr, bare->WindowDisp());
    outlook.OpenInspector(outlook.NewItem(sim::ItemKind::Note));
    EXPECT_EQ(news.size(), 2u);
    EXPECT_TRUE(Object().Inspectors().empty());
}

TEST_F(WindowRelays, AnInspectorKeepsTheFullNameOfTheFolderOpenWhenItOpened) {
    auto projects = outlook.AddFolder(*outlook.DefaultFolder(olFolderInbox), u"Projects");
    outlook.OpenExplorer(projects.Get());
    Start();
    outlook.ComposeNewMail();
    ASSERT_EQ(Object().Inspectors().size(), 1u);
    EXPECT_EQ(Object().Inspectors()[0]->FolderPath, "Personal Folders\\Inbox\\Projects");
    EXPECT_TRUE(Object().Inspectors()[0]->IsMail);
}

TEST_F(WindowRelays, ClosingAWindowThatWasNeverWrappedDoesNothing) {
    Start();
    TInspector stranger(nullptr);
    Object().DoInspectorClose(&stranger);
    TExplorer other(nullptr);
    Object().DoExplorerClose(&other);
    Object().DoExplorerClose(nullptr);
    EXPECT_TRUE(heard.empty());
}

// The wrapper goes at once; the relay that fired the handler sees it gone
// and touches it no more.
TEST_F(WindowRelays, AWindowClosedFromItsOwnActivationHandlerIsNotTouchedAgain) {
    auto explorer = outlook.OpenExplorer();
    auto mail = outlook.ComposeNewMail();
    Start();
    module->OnOLInspectorActivate = [&](TObject* sender) {
        EXPECT_EQ(dynamic_cast<TadxInspector*>(sender), Object().Inspectors().front());
        outlook.Close(*mail);
        EXPECT_TRUE(Object().Inspectors().empty());
    };
    outlook.Activate(*explorer);
    outlook.Activate(*mail);
    EXPECT_TRUE(mail->IsClosed());
    EXPECT_EQ(mail->SinkCount(), 0u);
}

TEST_F(WindowRelays, AnAddInRemovedWhileANewExplorerIsAnnouncedLetsTheExplorerGo) {
    for (int version : {12, 14}) {
        SCOPED_TRACE(version);
        outlook.SetVersion(version);
        addIn = NewAddIn();
        Start();
        module->OnOLNewExplorer = [&](TObject*, IDispatch*) {
            EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);
        };
        auto explorer = outlook.App().Explorers().Add(outlook.DefaultFolder(olFolderInbox));
        // The module went with the connection; nothing of it is touched again.
        module = nullptr;
        EXPECT_EQ(Object().Module(), nullptr);
        EXPECT_TRUE(Object().Explorers().empty());
        EXPECT_EQ(sim::OutlookSim::AdvisedSinks(), 0u) << sim::OutlookSim::SinkReport();
        outlook.Close(*explorer);
    }
}

// ---- full folder names ----

TEST_F(WindowRelays, AFoldersFullNameRunsFromItsStoreDown) {
    auto inbox = outlook.DefaultFolder(olFolderInbox);
    auto projects = outlook.AddFolder(*inbox, u"Projects");
    auto archive = outlook.AddStore(u"Archive");
    EXPECT_EQ(GetFullFolderName(projects->Disp()), u"Personal Folders\\Inbox\\Projects");
    EXPECT_EQ(GetFullFolderName(inbox->Disp()), u"Personal Folders\\Inbox");
    EXPECT_EQ(GetFullFolderName(archive->Disp()), u"Archive");
    EXPECT_EQ(GetFullFolderName(nullptr), u"");
    // A read that fails ends the walk with what it gathered.
    inbox->FailMember("Parent");
    EXPECT_EQ(GetFullFolderName(projects->Disp()), u"Inbox\\Projects");
    projects->FailMember("Name");
    EXPECT_EQ(GetFullFolderName(projects->Disp()), u"");
}

// ---- the command bars' sink as the host calls it ----

TEST_F(WindowRelays, TheCommandBarsSinkAnswersOnUpdateOnly) {
    auto bars = sim::SimulatedCommandBars::Create();
    auto sink = TadxCommandBarsEventSink::Create(nullptr, ComPtr<IDispatch>(bars));
    EXPECT_NE(sink->Cookie(), 0u);
    DISPID id = 0;
    const char16_t* onUpdate[] = {u"OnUpdate"};
    const char16_t* lower[] = {u"onupdate"};
    const char16_t* two[] = {u"OnUpdate", u"Other"};
    EXPECT_EQ(sink->GetIDsOfNames(GUID{}, onUpdate, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 1);
    EXPECT_EQ(sink->GetIDsOfNames(GUID{}, lower, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(sink->GetIDsOfNames(GUID{}, two, 2, 0, &id), E_INVALIDARG);
    EXPECT_EQ(sink->GetIDsOfNames(GUID{}, nullptr, 1, 0, &id), E_POINTER);
    EXPECT_EQ(sink->GetIDsOfNames(GUID{}, onUpdate, 1, 0, nullptr), E_POINTER);
    uint32_t count = 9;
    EXPECT_EQ(sink->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
    ITypeInfo* info = nullptr;
    EXPECT_EQ(sink->GetTypeInfo(0, 0, &info), E_FAIL);
    EXPECT_EQ(sink->Invoke(2, GUID{}, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(bars->FireOnUpdate(), 1u);
    sink->Disconnect();
    EXPECT_EQ(bars->SinkCount(), 0u);
    EXPECT_EQ(sink->Cookie(), 0u);
}

} // namespace
