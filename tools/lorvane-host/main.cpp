// lorvane-host: loads the add-in into the simulated Outlook the way Outlook
// does. See HostCommands.h for the commands and HostUsage for the syntax.
#include "HostCommands.h"
#include "HostOptions.h"
#include "SimulatedMachine.h"

#include <iostream>

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
    try {
        SimulatedMachine machine(options.DataFolder, command->Machine == MachineFolder::Temporary);
        HostContext context{std::cout, std::cerr, machine, AddInLibrary(), options.Arguments};
        return command->Run(context);
    } catch (const std::exception& e) {
        std::cerr << "lorvane-host: " << e.what() << "\n";
        return 1;
    }
}
