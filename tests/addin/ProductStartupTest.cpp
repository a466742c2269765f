// The product module's start-up, shutdown and quit in a simulated Outlook,
// its stored form's components, and the explorer tab's buttons.
#include "tests/addin/AddInSession.h"
#include "tests/addin/ProductTestSupport.h"

#include "platform/forms/Screen.h"

#include "addin/send/FolderWatchers.h"
#include "addin/send/MessageKey.h"
#include "addin/send/PendingEntries.h"
#include "addin/settings/ConfigFile.h"
#include "framework/events/OutlookAppEvents.h"
#include "framework/ribbon/RibbonTab.h"
#include "platform/gfx/ImageList.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/DebugOutput.h"
#include "platform/win/Shell.h"

#include <algorithm>

namespace {

using Lines = std::vector<std::string>;

class ProductStartup : public ProductTest {
protected:
    static size_t CountOf(const Lines& lines, const std::string& line) {
        return std::count(lines.begin(), lines.end(), line);
    }
    // Records an entry waiting for a message sent to Sent Items.
    static void RecordWaitingEntry(sim::OutlookSim& outlook, TAddInModule& module,
                                   std::u16string subject, const std::string& categories) {
        sim::ItemData data;
        data.Subject = std::move(subject);
        module.RecordPendingEntry(
            outlook::MailItem(outlook.NewItem(sim::ItemKind::Mail, data)->DispRef()), categories);
    }
};

} // namespace

TEST_F(ProductStartup, TheStoredFormMakesTheComponentsInTheirOrder) {
    TAddInModule* module = LorvaneFormClasses().Create<TAddInModule>(nullptr);
    // The stored form's components have names (the shortcut window has none).
    Lines components;
    for (int i = 0; i < module->ComponentCount(); ++i)
        if (!module->Components(i)->Name().empty())
            components.push_back(module->Components(i)->Name() + ": " +
                                 module->Components(i)->ClassName());
    EXPECT_EQ(components, (Lines{"ImageList1: TImageList", "adxRibbonTab3: TadxRibbonTab",
                                 "Timer1: TTimer", "Timer2: TTimer", "adxRibbonTab1: TadxRibbonTab",
                                 "adxOutlookAppEvents1: TadxOutlookAppEvents"}));
    EXPECT_EQ(module->ImageList1, module->FindComponent("ImageList1"));
    EXPECT_EQ(module->adxRibbonTab3, module->FindComponent("adxRibbonTab3"));
    EXPECT_EQ(module->adxRibbonTab1, module->FindComponent("adxRibbonTab1"));
    ASSERT_NE(module->adxOutlookAppEvents1, nullptr);
    EXPECT_TRUE(module->adxOutlookAppEvents1->OnQuit);
    for (TTimer* timer : {module->Timer1, module->Timer2}) {
        ASSERT_NE(timer, nullptr);
        EXPECT_FALSE(timer->Enabled());
        EXPECT_EQ(timer->Interval(), 0u);
        EXPECT_TRUE(timer->OnTimer);
    }
    module->Free();
}

TEST_F(ProductStartup, WithoutConfigurationSentItemsIsWatchedButOutlooksOwnSendsAreNot) {
    sim::OutlookSim outlook;
    AddInSession session(outlook);
    TAddInModule& module = session.Module();
    TProgramState& state = ProgramState();
    EXPECT_EQ(state.Module, &module);
    ASSERT_NE(module.FolderSentItems, nullptr);
    EXPECT_TRUE(module.FolderSentItems->Connected());
    EXPECT_GT(outlook.DefaultFolder(outlook::olFolderSentMail)->Items().SinkCount(), 0u);
    EXPECT_FALSE(module.OnOLInspectorActivate);
    EXPECT_FALSE(module.OnOLExplorerSelectionChange);
    EXPECT_NE(state.SessionEntries, nullptr);
    EXPECT_NE(state.RestoredEntries, nullptr);
    EXPECT_NE(state.StrippedEntries, nullptr);
    EXPECT_NE(state.ExpandedNodes, nullptr);
    EXPECT_EQ(state.MainButtonCaption, "Lorvane");
    EXPECT_TRUE(DirectoryExists(platform::LocalAppDataFolder() + "/LorvaneOL"));
}

TEST_F(ProductStartup, TheDebuggerHearsWhatStartUpReadAndConnected) {
    platform::TakeDebugOutput();
    sim::OutlookSim outlook;
    AddInSession session(outlook);
    // The product's own notes, without the framework's window events.
    Lines notes;
    for (const std::string& line : platform::TakeDebugOutput())
        if (line.rfind("LorvaneOL: On", 0) != 0)
            notes.push_back(line);
    EXPECT_EQ(notes,
              (Lines{"LorvaneOL: no configuration file: the defaults apply",
                     "LorvaneOL: Sent Items watched",
                     "LorvaneOL: data folder \"" + platform::LocalAppDataFolder() + "/LorvaneOL\"",
                     "LorvaneOL: the watch on Outlook's own sends is not armed"}));
}

TEST_F(ProductStartup, WithADefaultActionTheWatchOnOutlooksOwnSendsIsArmed) {
    ProgramState().calendadd = 1;
    ASSERT_TRUE(SaveButtonsToFile());
    ResetProgramState();
    sim::OutlookSim outlook;
    AddInSession session(outlook);
    EXPECT_EQ(ProgramState().calendadd, 1);
    EXPECT_TRUE(session.Module().OnOLInspectorActivate);
    EXPECT_TRUE(session.Module().OnOLExplorerSelectionChange);
}

TEST_F(ProductStartup, ABadConfigurationFileIsReportedAndStartUpFinishes) {
    WriteFileAtomic(PendingFilePath(), "K=Red\r\n");
    WriteFileAtomic(ConfigFilePath(), std::string(ConfigDeclaration) +
                                          "\r\n<config><setup><folderdef>-1</folderdef>"
                                          "<categask>maybe</categask></setup></config>\r\n");
    sim::OutlookSim outlook;
    AddInSession session(outlook);
    ASSERT_EQ(user.Shown().size(), 1u);
    EXPECT_EQ(user.Shown()[0].Type, mtError);
    EXPECT_EQ(user.Shown()[0].Text,
              "LorvaneOL error: the add-in has fired an exception.\r\nInvalid <categask> in \"" +
                  ConfigFilePath() + "\": 'maybe' is not a valid boolean value");
    TProgramState& state = ProgramState();
    EXPECT_EQ(state.folderdef, 1) << "what was read before the fault stays";
    EXPECT_NE(session.Module().FolderSentItems, nullptr);
    ASSERT_NE(state.SessionEntries, nullptr);
    ASSERT_NE(state.StrippedEntries, nullptr);
    ASSERT_NE(state.RestoredEntries, nullptr);
    EXPECT_EQ(state.RestoredEntries->Text(), "K=Red\r\n");
    EXPECT_FALSE(FileExists(PendingFilePath()));
    EXPECT_EQ(state.MainButtonCaption, "Lorvane");
    EXPECT_TRUE(session.Module().OnOLInspectorActivate) << "File to Folder was read";
}

TEST_F(ProductStartup, WithoutCategoryOptionsSentItemsIsNotWatched) {
    ProgramState().categmaintain = 0;
    sim::OutlookSim outlook;
    AddInSession session(outlook);
    EXPECT_EQ(session.Module().FolderSentItems, nullptr);
    EXPECT_EQ(outlook.DefaultFolder(outlook::olFolderSentMail)->Items().SinkCount(), 0u);
}

TEST_F(ProductStartup,
       QuittingRunsBeginShutdownAndFinaliseTwiceWithoutHarmAndWritesThePendingFileOnce) {
    long objectsBefore = LibraryObjectCount().Objects();
    {
        sim::OutlookSim outlook;
        AddInSession session(outlook);
        TAddInModule& module = session.Module();
        RecordWaitingEntry(outlook, module, u"Waiting", "Red");
        std::string path = PendingFilePath();

        // Outlook's quit event, then its own shutdown calls.
        outlook.Quit();
        EXPECT_EQ(FileLines(NativePath(path)), (Lines{MD5Key("Waiting") + "=Red"}));
        EXPECT_EQ(ProgramState().SessionEntries, nullptr);
        EXPECT_EQ(ProgramState().Module, nullptr);
        EXPECT_EQ(module.FolderSentItems, nullptr);
        DeleteFile(path);
        session.End();
        EXPECT_FALSE(FileExists(path)) << "written once";
        EXPECT_EQ(sim::OutlookSim::AdvisedSinks(), 0u) << sim::OutlookSim::SinkReport();
    }
    Lines log = LogLines();
    EXPECT_EQ(CountOf(log, LogTime + "adxCOMAddInModuleAddInBeginShutdown: shutting down"), 2u);
    EXPECT_EQ(CountOf(log, LogTime + "adxCOMAddInModuleAddInFinalize: disconnected"), 2u);
    EXPECT_EQ(LibraryObjectCount().Objects(), objectsBefore);
    EXPECT_EQ(sim::OutlookSim::LiveObjects(), 0);
}

TEST_F(ProductStartup, ARestartIsANewModuleOverTheSameDataFolder) {
    {
        sim::OutlookSim outlook;
        AddInSession session(outlook);
        RecordWaitingEntry(outlook, session.Module(), u"Still waiting", "Blue");
    }
    ResetProgramState();
    sim::OutlookSim outlook;
    AddInSession session(outlook);
    ASSERT_NE(ProgramState().RestoredEntries, nullptr);
    EXPECT_EQ(ProgramState().RestoredEntries->Text(), MD5Key("Stillwaiting") + "=Blue\r\n");
    EXPECT_FALSE(FileExists(PendingFilePath()));
}

TEST_F(ProductStartup, APendingFileThatCannotBeReadIsLoggedAndStartUpGoesOn) {
    // A folder where the file should be.
    ForceDirectories(PendingFilePath());
    sim::OutlookSim outlook;
    AddInSession session(outlook);
    EXPECT_NE(ProgramState().RestoredEntries, nullptr);
    EXPECT_EQ(ProgramState().MainButtonCaption, "Lorvane") << "start-up finished";
    EXPECT_EQ(user.Shown().size(), 0u);
}

TEST_F(ProductStartup, TheExplorerTabsButtons) {
    platform::LinkRecorder browser;
    TAddInModule* module = LorvaneFormClasses().Create<TAddInModule>(nullptr);
    const int formsBefore = Screen().FormCount();
    module->Help();
    EXPECT_EQ(browser.Links(),
              (std::vector<std::string>{"https://www.lorvane.example/support/outlook"}));
    module->DefineDefaultAction();
    module->ShowAbout();
    // Each shows its dialog, which the user closes.
    ASSERT_EQ(user.Shown().size(), 2u);
    EXPECT_EQ(user.Shown()[0].Text, "TfrmConfig");
    EXPECT_EQ(user.Shown()[1].Text, "TFormAbout");
    for (const forms::ShownDialog& shown : user.Shown())
        EXPECT_EQ(shown.What, forms::ShownDialog::Kind::Form);
    EXPECT_EQ(LogLines(), Lines{});
    // The module keeps its dialogs (and the folder picker, which the
    // configuration dialog readies for Browse), and frees them with itself.
    EXPECT_TRUE(module->frmConfig != nullptr);
    EXPECT_TRUE(module->FormAbout != nullptr);
    module->Free();
    EXPECT_EQ(Screen().FormCount(), formsBefore);
}
