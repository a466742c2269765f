// Word keeps the bars of an add-in in its normal template as well as among
// its command bars: when the user removes the add-in, and when the add-in is
// unregistered while Word runs, each bar is deleted from the template
// through the organizer after it left Word's command bars. Word with the
// ribbon holds no such bars, so the template is left alone there when the
// user removes the add-in.
#include "FrameworkTestSupport.h"

#include "platform/com/RunningObjects.h"
#include "platform/sim/SimCommandBars.h"
#include "platform/sim/SimTaskPanes.h"
#include "platform/sim/office/OfficeHostSim.h"

using namespace fwtest;
using sim::OfficeHostKind;
using sim::OfficeHostSim;

namespace {

using Lines = std::vector<std::string>;

class WordBarRemoval : public AddInTest {
protected:
    WordBarRemoval() {
        SetModuleForm(ModuleForm(R"(  AddInName = 'TestAddIn'
  SupportedApps = [ohaWord]
)" + Bar("First") + Bar("Second")));
    }
    static std::string Bar(const std::string& name) {
        return "  object " + name + ": TadxCustomCommandBar\n    CommandBarName = '" + name +
               " Bar'\n    SupportedApps = [ohaWord]\n  end\n";
    }
    // What the organizer deleted from the normal template of word.
    static Lines Deletions(OfficeHostSim& word) { return word.App().NormalTemplate().Deletions; }
    // The organizer's deletion of a bar from word's normal template.
    static std::string Deletion(OfficeHostSim& word, const std::string& bar) {
        return text::Narrow(word.App().NormalTemplate().FullName()) + "|" + bar + "|2";
    }
    // The add-in started in word.
    void Start(OfficeHostSim& word) {
        addIn = NewAddIn();
        ASSERT_EQ(addIn->OnConnection(word.Application().Get(), ext_cm_Startup, nullptr, nullptr),
                  S_OK);
        ASSERT_EQ(addIn->OnStartupComplete(nullptr), S_OK);
    }

    ComPtr<IDTExtensibility2> addIn;
};

TEST_F(WordBarRemoval, TheUserRemovingTheAddInDeletesEachBarFromTheNormalTemplate) {
    OfficeHostSim word(OfficeHostKind::Word, 11);
    Start(word);
    ASSERT_TRUE(word.App().Bars().Bar(u"First Bar"));
    // A document's window points the module at the document's bars: the
    // removal goes back to the application's, where the bars were installed.
    auto document = word.OpenDocument(u"Report");
    EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);
    EXPECT_FALSE(word.App().Bars().Bar(u"First Bar"));
    EXPECT_FALSE(word.App().Bars().Bar(u"Second Bar"));
    EXPECT_EQ(Deletions(word), (Lines{Deletion(word, "First Bar"), Deletion(word, "Second Bar")}));
}

TEST_F(WordBarRemoval, WordWithTheRibbonOrShuttingDownLeavesTheTemplateAlone) {
    for (int major : {11, 12}) {
        OfficeHostSim word(OfficeHostKind::Word, major);
        Start(word);
        const ext_DisconnectMode mode = major == 11 ? ext_dm_HostShutdown : ext_dm_UserClosed;
        EXPECT_EQ(addIn->OnDisconnection(mode, nullptr), S_OK);
        EXPECT_EQ(Deletions(word), Lines{}) << major;
    }
}

TEST_F(WordBarRemoval, UnregisteringWhileWordRunsDeletesEachBarFromTheNormalTemplate) {
    {
        platform::RegistryBatch batch;
        sim::InstallOfficeHost(OfficeHostKind::Word, 11);
        batch.Commit();
    }
    ASSERT_EQ(server.RegisterServer(), S_OK);
    OfficeHostSim word(OfficeHostKind::Word, 11);
    uint32_t cookie = 0;
    ASSERT_EQ(RegisterActiveObject(word.Application().Get(), word.Profile().Clsid,
                                   ACTIVEOBJECT_STRONG, &cookie),
              S_OK);
    Start(word);
    EXPECT_EQ(addIn->OnDisconnection(ext_dm_HostShutdown, nullptr), S_OK);
    ASSERT_TRUE(word.App().Bars().Bar(u"First Bar"));

    EXPECT_EQ(server.UnregisterServer(), S_OK);
    EXPECT_FALSE(word.App().Bars().Bar(u"First Bar"));
    EXPECT_FALSE(word.App().Bars().Bar(u"Second Bar"));
    EXPECT_EQ(Deletions(word), (Lines{Deletion(word, "First Bar"), Deletion(word, "Second Bar")}));
    RevokeActiveObject(cookie, nullptr);
}

} // namespace
