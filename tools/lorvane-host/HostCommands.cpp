// The command table and the usage built from it.
#include "HostCommands.h"

const std::vector<HostCommand>& HostCommands() {
    static const std::vector<HostCommand> commands = {
        {"register", "", 0, "register the add-in library as an Outlook add-in of the machine",
         MachineFolder::Default, RunRegister},
        {"unregister", "", 0, "remove the add-in's registration (Outlook stays installed)",
         MachineFolder::Default, RunUnregister},
        {"script", "FILE", 1,
         "play a user of Outlook with the add-in as the script FILE says (- for standard "
         "input) and show what happens (a temporary machine unless --data is given)",
         MachineFolder::Temporary, RunScript},
        {"demo", "", 0,
         "run the built-in script that shows the add-in's whole job (a temporary machine "
         "unless --data is given)",
         MachineFolder::Temporary, RunDemo},
        {"ribbon", "ID", 1,
         "print the ribbon document the add-in gives Outlook for ribbon identifier ID "
         "(such as Microsoft.Outlook.Explorer), and nothing else",
         MachineFolder::Temporary, RunRibbon},
    };
    return commands;
}

const HostCommand* FindHostCommand(const std::string& name) {
    for (const HostCommand& command : HostCommands())
        if (name == command.Name)
            return &command;
    return nullptr;
}

std::string HostUsage() {
    std::string usage =
        "usage: lorvane-host [--data DIR] [--addin LIBRARY] COMMAND [ARGUMENT]\n"
        "  --data DIR   the simulated machine's folder, kept between runs\n"
        "  --addin LIBRARY\n"
        "               the add-in library to register and load instead of LorvaneOL.so\n"
        "               beside the host (a relative path is taken from the working folder)\n"
        "commands:\n";
    for (const HostCommand& command : HostCommands()) {
        std::string name = std::string(command.Name) + (*command.Usage ? " " : "") + command.Usage;
        name.resize(13, ' ');
        usage += "  " + name + command.Summary + "\n";
    }
    return usage;
}
