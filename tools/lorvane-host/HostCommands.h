// The host's commands. Each is a row of one table: its name, its arguments,
// a line of help, the machine it runs on, and the function that runs it. A
// command that runs Outlook builds on OutlookSession (Outlook with the driver
// and the scripted user) and prints through Transcript; a command whose
// output is data (a document, a list) writes only that to Out.
#pragma once

#include "AddInLibrary.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

class SimulatedMachine;

// What a command works with.
struct HostContext {
    // Standard output: the command's transcript or its data.
    std::ostream& Out;
    // Standard error: what went wrong.
    std::ostream& Err;
    // The machine it runs on, set up and with Outlook installed.
    SimulatedMachine& Machine;
    // The add-in library: the product's beside the host, or the one --addin names.
    AddInLibrary Library;
    // The command's arguments.
    std::vector<std::string> Arguments;
};

// Which machine a command runs on when --data is not given.
enum class MachineFolder {
    // The machine's default folder ($PLATFORM_HOME or the user's).
    Default,
    // A fresh temporary folder, removed afterwards.
    Temporary,
};

struct HostCommand {
    // The name on the command line.
    const char* Name;
    // Its arguments as the usage shows them ("ID", "FILE"); "" for none.
    const char* Usage;
    // How many arguments it takes.
    size_t ArgumentCount;
    // One line of help.
    const char* Summary;
    MachineFolder Machine;
    // Runs the command; returns the exit status (0 success, 1 failure).
    int (*Run)(HostContext& context);
};

// Every command, in the order the usage lists them.
const std::vector<HostCommand>& HostCommands();
// The command of that name, or null.
const HostCommand* FindHostCommand(const std::string& name);
// The usage text.
std::string HostUsage();

// The commands (one file each).
int RunRegister(HostContext& context);
int RunUnregister(HostContext& context);
int RunScript(HostContext& context);
int RunDemo(HostContext& context);
int RunRibbon(HostContext& context);
