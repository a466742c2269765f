// lorvane-host: loads the add-in into the simulated Outlook the way Outlook
// does. See HostCommands.h for the commands and HostUsage for the syntax.
#include "HostCommands.h"
#include "HostOptions.h"
#include "SimulatedMachine.h"

#include "platform/rtl/FileUtils.h"

#include <iostream>
#include <utility>

int main(int argc, char** argv) {
    HostOptions options;
    try {
        options = ParseHostOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const EHostUsage& e) {
        std::cerr << "lorvane-host: " << e.Message << "\n" << HostUsage();
        return 2;
    }
    if (options.Help) {
        std::cout << HostUsage();
        return 0;
    }
    if (options.Command.empty()) {
        std::cerr << HostUsage();
        return 2;
    }
    const HostCommand* command = FindHostCommand(options.Command);
    if (!command) {
        std::cerr << "lorvane-host: unknown command " << options.Command << "\n" << HostUsage();
        return 2;
    }
    if (options.Arguments.size() != command->ArgumentCount) {
        std::cerr << "lorvane-host: " << command->Name << " takes "
                  << (command->ArgumentCount ? command->Usage : "no arguments") << "\n"
                  << HostUsage();
        return 2;
    }
    // A library that is not there is a fault of the command line, found
    // before any machine is set up.
    if (!options.AddInPath.empty() && !FileExists(options.AddInPath)) {
        std::cerr << "lorvane-host: --addin: there is no library " << options.AddInPath << "\n";
        return 2;
    }
    try {
        SimulatedMachine machine(options.DataFolder, command->Machine == MachineFolder::Temporary);
        AddInLibrary library =
            options.AddInPath.empty() ? AddInLibrary() : AddInLibrary(options.AddInPath);
        HostContext context{std::cout, std::cerr, machine, std::move(library), options.Arguments};
        return command->Run(context);
    } catch (const std::exception& e) {
        std::cerr << "lorvane-host: " << e.what() << "\n";
        return 1;
    }
}
