// say, show, hide and unhide: what a script prints of its own, and which of
// the lines of its steps it leaves out. Each show prints a heading
// and its lines below it, indented as a step's lines are; they change
// nothing, so they may come at any point, also while Outlook is not running
// (then they show what the Outlook that quit left).
#include "Mailbox.h"
#include "MailboxPrinter.h"
#include "ScriptCommandBars.h"
#include "ScriptRibbon.h"
#include "ScriptVerbs.h"
#include "ScriptWorld.h"
#include "SimulatedMachine.h"
#include "TextFiles.h"

#include "platform/text/Text.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

void Print(ScriptWorld& world, const std::string& heading, const std::vector<std::string>& lines) {
    world.Out().Line("== " + heading);
    for (const std::string& line : lines)
        world.Out().Line("   " + line);
    if (lines.empty())
        world.Out().Line("   (none)");
}

void ShowFolders(ScriptWorld& world, const ScriptArguments& arguments) {
    sim::OutlookSim& outlook = world.Session().Outlook();
    if (arguments.Words.size() == 2) {
        ComPtr<sim::SimFolder> folder = FolderByPath(outlook, text::Wide(arguments.Word(1)));
        Print(world, "The folder " + InQuotes(arguments.Word(1)) + " with its items",
              FolderTreeLines(*folder));
        return;
    }
    std::vector<std::string> lines;
    sim::SimFolders& stores = outlook.NameSpace().Folders();
    for (size_t i = 0; i < stores.Count(); ++i) {
        std::vector<std::string> store = FolderTreeLines(stores.At(i));
        lines.insert(lines.end(), store.begin(), store.end());
    }
    Print(world, "Outlook's folders with their items", lines);
}

void ShowDelivered(ScriptWorld& world) {
    std::vector<std::string> lines;
    for (const sim::ItemData& sent : world.Deliveries())
        lines.push_back(DescribeDelivery(sent));
    Print(world, "What the recipients received", lines);
}

void ShowRibbon(ScriptWorld& world) {
    OutlookSession& session = world.Running();
    sim::SimWindowBase& front = FrontWindow(session.Outlook());
    sim::RibbonHost& ribbon = RibbonIn(session, front);
    Print(world, "The add-in's ribbon in " + DescribeWindow(front), RibbonLines(ribbon));
}

void ShowCommandBars(ScriptWorld& world) {
    if (world.IsOfficeRunning()) {
        sim::OfficeHostSim& host = world.Office().Host();
        sim::SimOfficeWindow* window = host.App().ActiveWindow();
        std::string where = host.Profile().Name;
        if (window)
            where += "'s window " + InQuotes(text::Narrow(window->Caption()));
        Print(world, "The command bars of the add-ins in " + where, host.BarsInFront().Describe());
        return;
    }
    sim::SimWindowBase& front = FrontWindow(world.Running().Outlook());
    Print(world, "The command bars of the add-ins in " + DescribeWindow(front),
          CommandBarLines(front));
}

void ShowFiles(ScriptWorld& world) {
    std::vector<std::string> lines;
    std::error_code ec;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(world.Machine().AddInDataFolder(), ec))
        if (entry.is_regular_file())
            lines.push_back(entry.path().filename().string() + " (" +
                            std::to_string(entry.file_size()) + " bytes)");
    std::sort(lines.begin(), lines.end());
    Print(world, "The add-in's files", lines);
}

void ShowFile(ScriptWorld& world, const std::string& name, const std::string& heading) {
    std::string path = world.Machine().AddInDataFolder() + "/" + name;
    if (!fs::is_regular_file(path)) {
        world.Out().Line("== " + heading);
        world.Out().Line("   (there is no file " + name + ")");
        return;
    }
    Print(world, heading, SplitLines(ReadFileFrom(path)));
}

void ShowDialog(ScriptWorld& world) {
    const DialogCamera& camera = world.Camera();
    if (camera.LastDump().empty()) {
        Print(world, "The dialog shown last", {});
        return;
    }
    Print(world, "The dialog shown last, " + camera.LastClass() + ", as the user last saw it",
          SplitLines(camera.LastDump()));
}

} // namespace

void RunSay(ScriptWorld& world, const ScriptArguments& arguments) {
    world.Out().Line(arguments.Word(0));
}

void CheckLabels(const ScriptArguments& arguments) {
    static const char* const labels[] = {"host", "debug",  "dialog", "log",    "registry",
                                         "link", "folder", "sent",   "window", "note"};
    for (const ScriptWord& word : arguments.Words)
        if (word.Quoted || std::none_of(std::begin(labels), std::end(labels),
                                        [&](const char* label) { return word.Text == label; }))
            throw EScriptError(ScriptQuoted(word.Text) +
                               " is no kind of line that can be hidden (host, debug, dialog, log, "
                               "registry, link, folder, sent, window, note)");
}

void RunHide(ScriptWorld& world, const ScriptArguments& arguments) {
    for (const ScriptWord& word : arguments.Words)
        world.Out().Hide(word.Text, true);
}

void RunUnhide(ScriptWorld& world, const ScriptArguments& arguments) {
    for (const ScriptWord& word : arguments.Words)
        world.Out().Hide(word.Text, false);
}

void CheckShow(const ScriptArguments& arguments) {
    static const char* const what[] = {"folders", "delivered", "windows", "ribbon", "commandbars",
                                       "files",   "file",      "log",     "dialog"};
    const std::string& first = arguments.Word(0);
    if (std::none_of(std::begin(what), std::end(what),
                     [&](const char* name) { return arguments.WordIs(0, name); }))
        throw EScriptError("show takes folders, delivered, windows, ribbon, commandbars, files, "
                           "file, log or dialog, not " +
                           ScriptQuoted(first));
    bool takesName = first == "file" || first == "folders";
    if (first == "file" && arguments.Words.size() != 2)
        throw EScriptError("show file takes the file's name");
    if (!takesName && arguments.Words.size() > 1)
        throw EScriptError("show " + first + " takes nothing more");
    const std::string& name = arguments.Word(1);
    if (first == "file" && (name.find_first_of("/\\") != std::string::npos || name == "." ||
                            name == ".." || name.empty()))
        throw EScriptError("show file takes the name of a file in the add-in's folder");
}

void RunShow(ScriptWorld& world, const ScriptArguments& arguments) {
    const std::string& what = arguments.Word(0);
    if (what == "folders")
        ShowFolders(world, arguments);
    else if (what == "delivered")
        ShowDelivered(world);
    else if (what == "windows")
        Print(world, "Outlook's windows", WindowLines(world.Session().Outlook()));
    else if (what == "ribbon")
        ShowRibbon(world);
    else if (what == "commandbars")
        ShowCommandBars(world);
    else if (what == "files")
        ShowFiles(world);
    else if (what == "file")
        ShowFile(world, arguments.Word(1), arguments.Word(1));
    else if (what == "dialog")
        ShowDialog(world);
    else
        ShowFile(world, "ZubLogFile.txt", "The add-in's log");
}
