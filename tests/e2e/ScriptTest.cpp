// lorvane-host script, run as a program. Each script of data/scripts runs on
// a machine of its own, from that folder (so that its errors name it as
// written), and what it prints, standard error after standard output, must
// equal the .out file beside it byte for byte; the runs are the same on every
// machine and every day, since the clock and the ids are fixed. A change that
// means to change what a script prints rewrites the .out files with
//   LORVANE_UPDATE_GOLDEN=1 ctest -R '^e2e\.Script'
// and shows the difference in review.
//
// The sample add-in's scripts, in data/sample-scripts, run the same way with
// --addin naming its library, and so does a library that is not there or
// registers no add-in, which the host refuses.
//
// Lines that do not fit their command are refused before anything runs, each
// with its own message; those are read from standard input ("-"). The
// README's example is a golden script too, whose output the README holds.
#include "tests/e2e/E2eSupport.h"
#include "tests/support/TempPlatformHome.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

using namespace e2e;

namespace {

const std::string ScriptFolder = std::string(LORVANE_TEST_DATA) + "/scripts";
const std::string SampleScriptFolder = std::string(LORVANE_TEST_DATA) + "/sample-scripts";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct GoldenScript {
    const char* Name;
    // The exit status the script ends with.
    int ExitCode;
};

// The scripts of data/scripts and how they end.
const GoldenScript GoldenScripts[] = {
    {"mailbox", 0},           // stores, folders, messages and windows
    {"compose-and-send", 1},  // Outlook's own Send; a message without recipients fails
    {"reply-and-forward", 0}, // answers, a window closed with and without saving
    {"restart", 0},           // the configuration file, a quit and a new start
    {"broken-config", 0},     // the XML reader's error text reaches the user at start-up
    {"offline", 0},           // the Outbox across a restart
    {"timers", 0},            // the add-in's timers on the script's clock
    {"unknown-command", 1},   // refused before anything runs
    {"missing-folder", 1},    // stops at the line that names what is not there
    {"ribbon", 0},            // both ribbons as their callbacks show them, and clicks
    {"send-actions", 0},      // the ribbon's actions and Outlook's own Send, across a restart
    {"folder-picker", 0},     // the folder picker worked as a user works it, across a restart
    {"ask-folder", 0},        // Outlook's own Send asks for the folder
    {"config-dialog", 0},     // the configuration dialog and the about box as a user works them
    {"item-dialog", 0},       // the per-message dialog's choices reach the send
    {"long-tree", 0},         // a tree longer than the picker: scrolled to, picked twice
};

// A script's name as a test's name ("send-actions" gives "send_actions").
std::string ScriptTestName(const ::testing::TestParamInfo<GoldenScript>& info) {
    std::string name = info.param.Name;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

// The script's name in the test's report.
void PrintTo(const GoldenScript& script, std::ostream* out) {
    *out << script.Name;
}

const char* const UpdateHint = "a change meant to change this rewrites it with "
                               "LORVANE_UPDATE_GOLDEN=1 ctest -R '^e2e\\.Script'";

class ScriptGolden : public ::testing::TestWithParam<GoldenScript> {};

// Runs the golden script named in its folder (from that folder, on a machine
// of its own) with the host's options, and compares what it prints with the
// .out file beside it, or rewrites that file when asked to.
void ExpectGoldenRun(const std::string& folder, const GoldenScript& script,
                     const std::string& options = {}) {
    TempPlatformHome machine;
    std::string name = script.Name;
    HostRun run = RunShell("cd " + folder + " && " + HostPath + " --data " + machine.path +
                           options + " script " + name + ".script");
    std::string golden = folder + "/" + name + ".out";
    if (std::getenv("LORVANE_UPDATE_GOLDEN"))
        std::ofstream(golden, std::ios::binary) << run.Output;
    EXPECT_EQ(run.Output, ReadFile(golden)) << UpdateHint;
    EXPECT_EQ(run.ExitCode, script.ExitCode) << run.Output;
}

} // namespace

TEST_P(ScriptGolden, PrintsWhatTheGoldenFileHolds) {
    ExpectGoldenRun(ScriptFolder, GetParam());
}

namespace {

// The sample add-in's scripts and how they end.
const GoldenScript SampleScripts[] = {
    {"start-and-quit", 0},    // loaded, a message delivered and one sent, unloaded
    {"command-bars", 0},      // its toolbar and mail bar shown, clicked, hidden in the calendar
    {"word-windows", 0},      // the task pane following Word's windows
    {"word-command-bars", 0}, // the toolbar in Word's windows
    {"office-hosts", 0},      // each other Office host loading and unloading it
    {"shortcuts", 0},         // its key button's face, shortcut and accelerator
};

class SampleScriptGolden : public ::testing::TestWithParam<GoldenScript> {};

} // namespace

TEST_P(SampleScriptGolden, PrintsWhatTheGoldenFileHolds) {
    ExpectGoldenRun(SampleScriptFolder, GetParam(), " --addin " + SampleLibraryPath);
}

INSTANTIATE_TEST_SUITE_P(ScriptsOfTheSample, SampleScriptGolden, ::testing::ValuesIn(SampleScripts),
                         ScriptTestName);

TEST(Script, AnAddInLibraryThatIsNotThereOrRegistersNoAddInIsRefused) {
    struct Case {
        std::string Library;
        int ExitCode;
        std::string Error;
    };
    TempPlatformHome machine;
    const std::string comServer = BinDir + "/libPlatformTestComServer.so";
    const Case cases[] = {
        {machine.path + "/none.so", 2,
         "lorvane-host: --addin: there is no library " + machine.path + "/none.so\n"},
        // A COM server whose classes are no Outlook add-in.
        {comServer, 1,
         comServer + " registers no Outlook add-in: no add-in key names a class of this library\n"},
    };
    for (const Case& c : cases) {
        for (const char* command : {"register", "ribbon Microsoft.Outlook.Explorer", "script -"}) {
            HostRun run = RunShell("echo start | " + HostPath + " --data " + machine.path +
                                   " --addin " + c.Library + " " + command);
            EXPECT_EQ(run.ExitCode, c.ExitCode) << command << "\n" << run.Output;
            EXPECT_NE(run.Output.find(c.Error), std::string::npos) << command << "\n" << run.Output;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptGolden, ::testing::ValuesIn(GoldenScripts), ScriptTestName);

TEST(Script, TheReadmeShowsTheExampleScriptWithWhatItPrints) {
    TempPlatformHome machine;
    std::string script = ReadFile(ScriptFolder + "/readme.script");
    HostRun run = RunFromInput(machine, script);
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    std::string path = std::string(LORVANE_TEST_DATA) + "/../../../README.md";
    std::string readme = ReadFile(path);
    // The example: the script and what it prints, each in a block of its own.
    const std::string lead = "with `answer.script`:\n\n";
    size_t start = readme.find(lead);
    size_t output = readme.find("prints:\n\n```\n", start);
    size_t end = readme.find("```\n", output + 14);
    ASSERT_TRUE(start != std::string::npos && output != std::string::npos &&
                end != std::string::npos)
        << "README.md has no example of a script";
    start += lead.size();
    end += 4;
    std::string example = "```\n" + script + "```\n\nprints:\n\n```\n" + run.Output + "```\n";
    if (std::getenv("LORVANE_UPDATE_GOLDEN"))
        std::ofstream(path, std::ios::binary) << readme.replace(start, end - start, example);
    EXPECT_EQ(readme.substr(start, end - start), example) << UpdateHint;
}

TEST(Script, EveryDialogShownIsDrawnUnderTheDataFolderAndShownAsText) {
    TempPlatformHome machine;
    HostRun run = RunFromInput(machine, "hide host debug registry log\n"
                                        "store Archive\n"
                                        "start\n"
                                        "compose to ann@example.com subject Plans\n"
                                        "answer picker new Archive Beta then Archive\\Beta\n"
                                        "click \"Send + File to Any Folder...\"\n"
                                        "compose to ann@example.com subject Later\n"
                                        "click \"Send + File to Any Folder...\"\n"
                                        "show dialog\n");
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    const std::string folder = machine.path + "/LocalAppData/LorvaneOL/dialogs/";
    // The picker, the new-folder dialog it showed, and the picker again,
    // cancelled (no answer given), which show dialog prints as it opened.
    for (const char* name :
         {"01-TfrmFolders2.png", "02-TFormAddFolder.png", "03-TfrmFolders2.png"}) {
        std::string png = ReadFile(folder + name);
        ASSERT_GT(png.size(), 1000u) << name;
        EXPECT_EQ(png.substr(1, 3), "PNG") << name;
        EXPECT_NE(run.Output.find(std::string("note      picture dialogs/") + name),
                  std::string::npos)
            << name << "\n"
            << run.Output;
    }
    EXPECT_NE(run.Output.find("== The dialog shown last, TfrmFolders2, as the user last saw it\n"
                              "   TfrmFolders2 frmFolders2 \"File Sent Item to...\""),
              std::string::npos)
        << run.Output;
    EXPECT_NE(run.Output.find("Beta | Archive\\Beta *"), std::string::npos) << run.Output;
}

TEST(Script, ConfigWriteWritesTheFileAsTheAddInWritesIt) {
    TempPlatformHome machine;
    HostRun run = RunFromInput(machine, "config write\n");
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    std::string written = ReadFile(machine.path + "/LocalAppData/LorvaneOL/Zub.xml");
    std::string expected =
        ReadFile(std::string(LORVANE_TEST_DATA) + "/../../addin/data/Zub-default.xml");
    // The file names the moment it was written: the script's clock.
    const std::string modified = "<!--Modified 2026-12-06 13:40:00-->";
    ASSERT_NE(expected.find(modified), std::string::npos);
    expected.replace(expected.find(modified), modified.size(),
                     "<!--Modified 2026-12-07 09:00:00-->");
    EXPECT_EQ(written, expected);
}

TEST(Script, AMachineGivenWithDataKeepsTheAddInsStateBetweenRuns) {
    TempPlatformHome machine;
    std::string script = "start\nquit\nshow files\n";
    HostRun first = RunFromInput(machine, script);
    HostRun second = RunFromInput(machine, script);
    ASSERT_EQ(first.ExitCode, 0) << first.Output;
    ASSERT_EQ(second.ExitCode, 0) << second.Output;
    EXPECT_NE(first.Output.find("start mode FIRSTSTART"), std::string::npos) << first.Output;
    EXPECT_NE(second.Output.find("start mode NORMAL"), std::string::npos) << second.Output;
}

TEST(Script, ReadsStandardInputForADash) {
    TempPlatformHome machine;
    HostRun run = RunFromInput(machine, "say \"Hello, \\\"world\\\"\"   # a comment\n\nsay done");
    EXPECT_EQ(run.Output, "Hello, \"world\"\ndone\n");
    EXPECT_EQ(run.ExitCode, 0);
}

TEST(Script, AFileThatCannotBeReadIsAnError) {
    TempPlatformHome machine;
    HostRun run = RunHost("--data " + machine.path + " script " + machine.path + "/none.script");
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Output.find("the script " + machine.path + "/none.script cannot be read"),
              std::string::npos)
        << run.Output;
}

TEST(Script, LinesThatDoNotFitTheirCommandAreRefusedBeforeAnythingRuns) {
    struct Case {
        const char* Line;
        const char* Error;
    };
    const Case cases[] = {
        {"clik Send", "unknown command clik"},
        {"\"start\"", "unknown command start"},
        {"start now", "There is no host \"now\""},
        {"start word now", "too many words for start: now (start [word | excel | powerpoint | "
                           "infopath | visio | project | frontpage | mappoint | publisher])"},
        {"document close Report", "Expected one of open, new before the name, not \"close\""},
        {"store", "store takes NAME"},
        {"compose to", "to needs a value"},
        {"compose to a@example.com to b@example.com", "to is given twice"},
        {"compose \"to\" a@example.com", "too many words for compose: to (compose [to ADDRESSES]"},
        {"wait 5", "5 is not a duration up to a day with its unit (250ms, 2s, 5m, 1h)"},
        {"wait 2d", "2d is not a duration up to a day with its unit (250ms, 2s, 5m, 1h)"},
        {"wait 25h", "25h is not a duration up to a day"},
        {"answer maybe",
         "maybe is no message-box button (ok, cancel, yes, no, abort, retry, ignore)"},
        {"answer categories", "answer categories takes the names chosen, or cancel"},
        {"answer ok Finance", "answer takes a button, or categories and the names chosen"},
        {"answer ok Finance now", "answer takes a button, categories and the names chosen, or "
                                  "picker, config, item or about and the steps"},
        {"answer picker", "answer picker takes what the user does: a folder's path, mru N, new "
                          "PARENT NAME, cancel, ..."},
        {"answer picker mru 0", "a row of the recently used list is a number from 1 to 20, not 0"},
        {"answer picker new Archive", "answer picker new takes 2 word(s)"},
        {"answer picker Archive ok", "answer picker: steps are separated by then, not ok"},
        {"answer picker cancel then", "answer picker: a step must follow then"},
        {"answer config", "answer config takes what the user does (steps: folderdef, folderask, "
                          "categdef, categask, categmaintain, calendadd, taskadd, browse, select, "
                          "clear, info, defaults, ok, cancel, escape)"},
        {"answer config folderdef yes then ok", "answer config folderdef takes on or off"},
        {"answer config taskadd", "answer config taskadd takes on or off"},
        {"answer item clear inbox then send", "answer item clear takes folder or category"},
        {"answer item folderdef on then send",
         "answer item: folderdef is not a step (steps: calendar, task, browse, select, clear, "
         "send, cancel, escape)"},
        {"answer item \"send\"", "answer item: send is not a step"},
        {"answer about link ok", "answer about: steps are separated by then, not ok"},
        {"answer about ok then", "answer about: a step must follow then"},
        {"config colour red", "there is no setting colour"},
        {"config folderdef yes", "yes is not on or off"},
        {"config timerdelay 10ms", "10ms is not a whole number from 0 to 60000"},
        {"config save", "config takes write, delete, raw TEXT, or a setting and its value"},
        {"show everything", "show takes folders, delivered, windows, ribbon, commandbars, files, "
                            "file, log or dialog, not everything"},
        {"show file ../registry.reg", "show file takes the name of a file in the add-in's folder"},
        {"show log now", "show log takes nothing more"},
        {"key ctrl+meta+f5", "\"meta\" is no modifier (ctrl, shift, alt)"},
        {"key ctrl+f25", "\"f25\" is no key (a letter, a digit, F1 to F24, Enter, Esc, Tab, "
                         "Space, BkSp, Ins, Del, Home, End, PgUp, PgDn, Left, Right, Up, Down)"},
        {"key ctrl+", "\"\" is no key (a letter, a digit, F1 to F24, Enter, Esc, Tab, Space, "
                      "BkSp, Ins, Del, Home, End, PgUp, PgDn, Left, Right, Up, Down)"},
        {"reply everyone", "reply takes all, or nothing, before its fields"},
        {"close now", "close takes save, or nothing"},
        {"say \"open", "a quoted argument is not closed"},
        {"say \"a\"b", "a quoted argument must be followed by a blank"},
    };
    TempPlatformHome machine;
    for (const Case& c : cases) {
        HostRun run = RunFromInput(machine, "say before\n# a comment\n" + std::string(c.Line));
        EXPECT_EQ(run.ExitCode, 1) << c.Line;
        EXPECT_EQ(run.Output.rfind("stdin:3: " + std::string(c.Error), 0), 0u) << c.Line << "\n"
                                                                               << run.Output;
    }
}

TEST(Script, ALineThatNamesWhatIsNotThereStopsTheScriptThere) {
    struct Case {
        const char* Lines;
        const char* Error;
    };
    const Case cases[] = {
        {"compose to a@example.com", "Outlook is not running: start it first"},
        {"quit", "Outlook is not running: start it first"},
        {"key ctrl+shift+f5", "Outlook is not running: start it first"},
        {"start\nstart", "Outlook runs already"},
        {"start\nquit\nsend", "Outlook is not running: start it first"},
        {"store Archive\nstore archive", "there is a store archive already"},
        {"store \"A\\B\"", "a store's name is not empty and holds no \\"},
        {"folder \"Personal Folders\\Inbox\"",
         "there is a folder \"Personal Folders\\Inbox\" already"},
        {"folder Archive\\Projects", "there is no store Archive"},
        {"deliver Hello in \"Personal Folders\\Nowhere\"",
         "there is no folder \"Personal Folders\\Nowhere\""},
        {"config folder Archive\\Projects\nconfig write", "there is no folder Archive\\Projects"},
        {"start\nselect Budget", "there is no item Budget in \"Personal Folders\\Inbox\""},
        {"start\nopen Budget in \"Personal Folders\\Sent Items\"",
         "there is no item Budget in \"Personal Folders\\Sent Items\""},
        {"start\nexplore \"Personal Folders\\Nowhere\"",
         "there is no folder \"Personal Folders\\Nowhere\""},
        {"start\nreply", "no message is open or selected to answer"},
        {"start\nsend", "the main window is in front, not the window of an item"},
        {"start\nedit subject Hi", "the main window is in front, not the window of an item"},
        {"start\nclose", "the main window is in front, not the window of an item"},
        {"start\nactivate Budget", "no window shows Budget"},
        {"start\nclick Send", "the ribbon in front has no control Send"},
        {"deliver Budget\nstart\nopen Budget\nsend",
         "the window in front shows no message being written"},
    };
    TempPlatformHome machine;
    for (const Case& c : cases) {
        std::string script = std::string(c.Lines) + "\nsay after\n";
        int line = 1 + static_cast<int>(std::count(c.Lines, c.Lines + std::strlen(c.Lines), '\n'));
        HostRun run = RunFromInput(machine, script);
        EXPECT_EQ(run.ExitCode, 1) << c.Lines;
        std::string error = "stdin:" + std::to_string(line) + ": " + c.Error;
        EXPECT_NE(run.Output.find(error), std::string::npos) << c.Lines << "\n" << run.Output;
        EXPECT_EQ(run.Output.find("after"), std::string::npos) << c.Lines << "\n" << run.Output;
    }
}

TEST(Script, TheHostsKeepTheSamplesLastingBarsWithTheMachine) {
    TempPlatformHome machine;
    auto run = [&](const std::string& script) {
        return RunFromInput(machine, script, SampleLibraryPath);
    };
    const std::string toolbar = "   bar 'Sample Toolbar' top visible\n     1 button 'Say &hello'\n";
    const std::string hello = "\"Hello from the sample's toolbar.\"";
    // Word started again in the same script.
    HostRun word =
        run("start word\nquit\nstart word\nshow commandbars\nclick \"Say hello\"\nquit\n");
    EXPECT_EQ(word.ExitCode, 0) << word.Output;
    EXPECT_NE(word.Output.find(toolbar), std::string::npos) << word.Output;
    EXPECT_NE(word.Output.find(hello), std::string::npos) << word.Output;
    // Outlook in a second run on the same machine.
    HostRun first = run("start\nquit\n");
    HostRun second = run("start\nshow commandbars\nclick \"Say hello\"\nquit\n");
    EXPECT_EQ(first.ExitCode, 0) << first.Output;
    EXPECT_EQ(second.ExitCode, 0) << second.Output;
    EXPECT_NE(second.Output.find(toolbar), std::string::npos) << second.Output;
    EXPECT_NE(second.Output.find(hello), std::string::npos) << second.Output;
}

TEST(Script, AnAnswerWhoseTargetIsNotThereStopsTheScriptAtTheAnswersLine) {
    struct Case {
        std::string Lines;
        // The line of the answer that names what is not there.
        int Line;
        const char* Error;
    };
    const std::string send = "start\ncompose to a@example.com subject S\n";
    const std::string pick = "\nclick \"Send + File to Any Folder...\"";
    const std::string configure = "\nclick \"Define Default Actions\"";
    const std::string nowhere = "\"Personal Folders\\Nowhere\"";
    const std::string noFolder = "the folder picker shows no folder " + nowhere;
    const Case cases[] = {
        {send + "answer picker " + nowhere + pick, 3, noFolder.c_str()},
        {send + "answer picker double " + nowhere + pick, 3, noFolder.c_str()},
        {send + "answer picker open \"Personal Folders\\Inbox\" then mru 2" + pick, 3,
         "the recently used list has no row 2"},
        {send + "answer picker new " + nowhere + " Beta" + pick, 3, noFolder.c_str()},
        {send + "answer config ok" + pick, 3,
         "the answer for the configuration dialog came to TfrmFolders2"},
        // The configuration dialog's Browse shows the picker without its
        // recently used list: its check box cannot be reached.
        {"start\nanswer config browse then ok\nanswer picker updates then ok" + configure, 3,
         "the user cannot click cbNoListUpdates, which is hidden"},
        {"start\nanswer config browse then ok\nanswer picker " + nowhere + configure, 3,
         noFolder.c_str()},
        {"start\nanswer picker \"Personal Folders\\Inbox\"" + configure, 2,
         "the answer for the folder picker came to TfrmConfig"},
    };
    TempPlatformHome machine;
    for (const Case& c : cases) {
        HostRun run = RunFromInput(machine, c.Lines + "\nsay after\n");
        EXPECT_EQ(run.ExitCode, 1) << c.Lines;
        std::string error = "stdin:" + std::to_string(c.Line) + ": " + c.Error + "\n";
        EXPECT_NE(run.Output.find(error), std::string::npos) << c.Lines << "\n" << run.Output;
        // The user gave up on the dialog, and no later line ran.
        EXPECT_NE(run.Output.find("-> Cancel"), std::string::npos) << run.Output;
        EXPECT_EQ(run.Output.find("after"), std::string::npos) << c.Lines << "\n" << run.Output;
    }
}

TEST(Script, ADisabledControlTakesTheClickAndDoesNothingAsForAUser) {
    TempPlatformHome machine;
    // With no default category, Select is disabled: the click does nothing,
    // and OK closes the dialog.
    HostRun run = RunFromInput(machine, "start\nanswer config categdef off then select then ok\n"
                                        "click \"Define Default Actions\"\nsay after\n");
    EXPECT_EQ(run.ExitCode, 0) << run.Output;
    EXPECT_NE(run.Output.find("[Form TfrmConfig] Configure Default Tracking Options -> OK"),
              std::string::npos)
        << run.Output;
    EXPECT_EQ(run.Output.find("categories dialog"), std::string::npos) << run.Output;
    EXPECT_NE(run.Output.find("after"), std::string::npos) << run.Output;
}

TEST(Script, APickerStillOpenAfterItsLastStepIsCancelledWithANote) {
    TempPlatformHome machine;
    HostRun run = RunFromInput(machine, "start\ncompose to a@example.com subject S\n"
                                        "answer picker open \"Personal Folders\\Inbox\"\n"
                                        "click \"Send + File to Any Folder...\"\nsay after\n");
    EXPECT_EQ(run.ExitCode, 0) << run.Output;
    EXPECT_NE(run.Output.find("note      the folder picker is still open: the user cancels it"),
              std::string::npos)
        << run.Output;
    EXPECT_NE(run.Output.find("[Form TfrmFolders2] File Sent Item to... -> Cancel"),
              std::string::npos)
        << run.Output;
}

namespace {

// Zub.xml as a hand edit may leave it: recently used slots 1, 2 and 5, the
// stores' ids as the simulated Outlook gives them (the default store first).
std::string GappedRecentList() {
    const std::string storeId =
        "0000000038A1BB1005E5101AA1BB08002B2A56C200006D737073742E646C6C0000000000000000000000";
    auto entry = [&](const char* id, const char* store, const char* folder, const char* n) {
        return std::string("<mru id=\\\"") + id + "\\\"><mrufolder>" + store + "\\" + folder +
               "</mrufolder><mrustore>" + store + "</mrustore><mrustoreid>" + storeId + n +
               "</mrustoreid></mru>";
    };
    return "config raw \"<?xml version=\\\"1.0\\\"?><config><mrulist>" +
           entry("1", "Archive", "Projects", "02") + entry("2", "Personal Folders", "Inbox", "01") +
           entry("5", "Archive", "Alpha", "02") + "</mrulist></config>\"\n";
}

// The text of the last "show file Zub.xml" in output.
std::string LastConfigShown(const std::string& output) {
    size_t at = output.rfind("== Zub.xml");
    return at == std::string::npos ? std::string() : output.substr(at);
}

} // namespace

TEST(Script, ARecentlyUsedListWithAGapShowsEachRowForItsOwnFolder) {
    const std::string script = "store Archive\n"
                               "folder \"Archive\\Projects\"\n"
                               "folder \"Archive\\Alpha\"\n" +
                               GappedRecentList() +
                               "start\n"
                               "compose to ann@example.com subject Gap body One.\n"
                               "answer picker mru 3\n"
                               "click \"Send + File to Any Folder...\"\n"
                               "show file Zub.xml\n"
                               "quit\n" +
                               GappedRecentList() +
                               "start\n"
                               "compose to ann@example.com subject Kept body Two.\n"
                               "answer picker remove 3 then cancel\n"
                               "click \"Send + File to Any Folder...\"\n"
                               "show file Zub.xml\n";
    TempPlatformHome machine;
    HostRun run = RunFromInput(machine, script);
    EXPECT_EQ(run.ExitCode, 0) << run.Output;
    // The third row names slot 5's folder, and the copy is filed there.
    EXPECT_NE(run.Output.find("folder    + Archive\\Alpha: \"Gap\" to ann@example.com"),
              std::string::npos)
        << run.Output;
    EXPECT_EQ(run.Output.find("is not existing"), std::string::npos) << run.Output;
    // Clear MRU Entry on the third row removes slot 5's folder.
    EXPECT_NE(run.Output.find("Do you want to remove item \"Alpha\""), std::string::npos)
        << run.Output;
    // Each file is written back contiguous.
    const size_t second = run.Output.find("== Zub.xml", run.Output.find("== Zub.xml") + 1);
    ASSERT_NE(second, std::string::npos) << run.Output;
    const std::string first = run.Output.substr(0, second);
    EXPECT_NE(first.find("<mru id=\"3\">"), std::string::npos) << first;
    EXPECT_EQ(first.find("<mru id=\"5\">"), std::string::npos) << first;
    const std::string last = LastConfigShown(run.Output);
    EXPECT_NE(last.find("<mrufolder>Personal Folders\\Inbox</mrufolder>"), std::string::npos)
        << last;
    EXPECT_EQ(last.find("Alpha"), std::string::npos) << last;
    EXPECT_EQ(last.find("<mru id=\"3\">"), std::string::npos) << last;
}
