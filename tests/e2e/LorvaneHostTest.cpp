// lorvane-host run as a program on a machine folder of its own: register and
// unregister write and remove the add-in's keys in that folder's registry.reg,
// the demo runs Outlook with the add-in, shows every dialog of the product
// and leaves its start mode behind, a script that registers and starts Outlook
// loads the add-in's library once, and a command line that does not fit is refused.
#include "tests/e2e/E2eSupport.h"
#include "tests/support/TempPlatformHome.h"

#include <filesystem>
#include <sstream>

using namespace e2e;

namespace {

class LorvaneHost : public ::testing::Test {
protected:
    RegFile Registry() const { return ReadRegFile(machine.path + "/registry.reg"); }
    HostRun Run(const std::string& command) const {
        return RunHost("--data " + machine.path + " " + command);
    }

    TempPlatformHome machine;
};

const std::string MachineAddInKey = "HKEY_LOCAL_MACHINE\\" + AddInKey;
const std::string UserAddInKey = "HKEY_CURRENT_USER\\" + AddInKey;
const std::string ClassKey = "HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\" + ClassId;
const std::string ProgIdKey = "HKEY_LOCAL_MACHINE\\Software\\Classes\\" + ProgId;
const std::string OutlookKey = "HKEY_LOCAL_MACHINE\\Software\\Classes\\Outlook.Application";

} // namespace

TEST_F(LorvaneHost, RegisterWritesTheAddInKeyForAllUsersAndTheComClass) {
    HostRun run = Run("register");
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    RegFile reg = Registry();
    ASSERT_TRUE(reg.count(MachineAddInKey)) << run.Output;
    EXPECT_EQ(reg[MachineAddInKey],
              (std::map<std::string, std::string>{{"FriendlyName", "\"LorvaneOL\""},
                                                  {"Description", "\"\""},
                                                  {"LoadBehavior", "dword:00000003"},
                                                  {"CommandLineSafe", "dword:00000000"}}));
    EXPECT_FALSE(reg.count(UserAddInKey));
    EXPECT_EQ(reg[ClassKey + "\\InprocServer32"]["@"], "\"" + LibraryPath + "\"");
    EXPECT_EQ(reg[ClassKey + "\\ProgID"]["@"], "\"" + ProgId + "\"");
    EXPECT_EQ(reg[ProgIdKey + "\\CLSID"]["@"], "\"" + ClassId + "\"");
    EXPECT_TRUE(reg.count(OutlookKey)) << "Outlook is installed first";
    EXPECT_NE(run.Output.find("+ " + MachineAddInKey + "\\FriendlyName = \"LorvaneOL\""),
              std::string::npos)
        << run.Output;
}

TEST_F(LorvaneHost, UnregisterRemovesWhatRegisterWroteAndLeavesOutlook) {
    ASSERT_EQ(Run("register").ExitCode, 0);
    HostRun run = Run("unregister");
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    RegFile reg = Registry();
    EXPECT_FALSE(reg.count(MachineAddInKey));
    EXPECT_FALSE(reg.count(UserAddInKey));
    EXPECT_FALSE(reg.count(ClassKey));
    EXPECT_FALSE(reg.count(ProgIdKey));
    EXPECT_TRUE(reg.count(OutlookKey));
    EXPECT_NE(run.Output.find("- " + MachineAddInKey + "\\LoadBehavior"), std::string::npos)
        << run.Output;
}

TEST_F(LorvaneHost, TheDemoLeavesTheNormalStartModeForTheCurrentUser) {
    HostRun run = Run("demo");
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    RegFile reg = Registry();
    EXPECT_EQ(reg[UserAddInKey]["ADXStartMode"], "\"NORMAL\"") << run.Output;
    for (const char* seen :
         {"== Outlook starts and loads its add-ins",
          "start-up complete in Outlook 12, start mode "
          "FIRSTSTART",
          "adxCOMAddInModuleAddInFinalize: disconnected", "DllCanUnloadNow S_OK",
          "The add-in library was unloaded",
          "debug     LorvaneOL: OnOLNewExplorer \"Sent Items - Outlook\"",
          "debug     LorvaneOL: OnOLExplorerSelectionChange \"Inbox - Outlook\"",
          "debug     LorvaneOL: OnOLInspectorActivate \"Quarterly figures - Message\"",
          "debug     LorvaneOL: OnOLExplorerClose \"Inbox - Outlook\""})
        EXPECT_NE(run.Output.find(seen), std::string::npos) << seen << "\n" << run.Output;

    // The machine keeps its state: the next demo is a normal start.
    run = Run("demo");
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    EXPECT_NE(run.Output.find("start mode NORMAL"), std::string::npos) << run.Output;
}

TEST_F(LorvaneHost, TheDemoShowsEveryDialogOfTheProductAndLeavesItsPictures) {
    HostRun run = Run("demo");
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    const std::string folder = machine.path + "/LocalAppData/LorvaneOL/";
    for (const char* name : {"01-TfrmConfig", "02-THtmlMessageForm", "03-TfrmFolders2",
                             "04-TfrmConfig", "07-TFormAddFolder", "09-TFormAbout"}) {
        const std::string picture = std::string("dialogs/") + name + ".png";
        EXPECT_NE(run.Output.find("note      picture " + picture), std::string::npos)
            << name << "\n"
            << run.Output;
        EXPECT_TRUE(std::filesystem::exists(folder + picture)) << picture;
    }
    for (const char* seen : {"dialog    [Form TfrmConfig] Configure Default Tracking Options -> OK",
                             "dialog    [Form TfrmConfig] Select actions for this item -> OK",
                             "folder    + Archive\\Customers: \"Visit notes\"",
                             "folder    + Personal Folders\\Calendar: appointment \"Visit notes\"",
                             "link      https://www.lorvane.example/"})
        EXPECT_NE(run.Output.find(seen), std::string::npos) << seen << "\n" << run.Output;
}

TEST_F(LorvaneHost, TheDemoWithoutAFolderRunsOnATemporaryMachineAndRemovesIt) {
    HostRun run = RunHost("demo");
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    std::string first = run.Output.substr(0, run.Output.find('\n'));
    ASSERT_EQ(first.rfind("Machine folder: ", 0), 0u) << run.Output;
    ASSERT_NE(first.find(" (temporary)"), std::string::npos) << first;
    std::string folder = first.substr(16, first.size() - 16 - 12);
    EXPECT_FALSE(std::filesystem::exists(folder)) << folder;
}

namespace {

// How often a run loaded the add-in's library and unloaded it, as the
// dynamic loader reports its initialisers and finalisers (LD_DEBUG=files).
struct LibraryLoads {
    int Loads = 0;
    int Unloads = 0;
};

LibraryLoads CountLibraryLoads(const std::string& output) {
    LibraryLoads counted;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("calling init: " + LibraryPath) != std::string::npos)
            ++counted.Loads;
        if (line.find("calling fini: " + LibraryPath) != std::string::npos)
            ++counted.Unloads;
    }
    return counted;
}

} // namespace

TEST_F(LorvaneHost, AScriptThatRegistersAndStartsLoadsTheLibraryOnce) {
    struct Case {
        const char* script;
        int loads;
    };
    // Registration keeps the library for Outlook's start; Outlook's unload at
    // quit is a real one, so that the next start loads it again.
    for (const Case& c : {Case{"", 1}, Case{"start\nquit\n", 1},
                          Case{"start\nquit\nstart\nquit\n", 2}, Case{"start\n", 1}}) {
        HostRun run = RunShell("printf '" + std::string(c.script) + "' | LD_DEBUG=files " +
                               HostPath + " --data " + machine.path + " script -");
        ASSERT_EQ(run.ExitCode, 0) << c.script << "\n" << run.Output;
        LibraryLoads counted = CountLibraryLoads(run.Output);
        EXPECT_EQ(counted.Loads, c.loads) << c.script << "\n" << run.Output;
        EXPECT_EQ(counted.Unloads, c.loads) << c.script << "\n" << run.Output;
    }
    HostRun run = RunShell("LD_DEBUG=files " + HostPath + " --data " + machine.path + " register");
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    LibraryLoads counted = CountLibraryLoads(run.Output);
    EXPECT_EQ(counted.Loads, 1) << run.Output;
    EXPECT_EQ(counted.Unloads, 1) << run.Output;
}

TEST_F(LorvaneHost, ACommandLineThatDoesNotFitIsRefused) {
    for (const char* arguments :
         {"", "launch", "--data", "--addin", "--verbose demo", "register extra"}) {
        HostRun run = RunHost(arguments);
        EXPECT_EQ(run.ExitCode, 2) << arguments << "\n" << run.Output;
        EXPECT_NE(run.Output.find("usage: lorvane-host"), std::string::npos) << run.Output;
    }
    HostRun help = RunHost("--help");
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_EQ(help.Output.rfind("usage: lorvane-host [--data DIR] [--addin LIBRARY] COMMAND", 0),
              0u)
        << help.Output;
}
