// The host's command line:
// `lorvane-host [--data DIR] [--addin LIBRARY] COMMAND [ARGUMENT...]`.
#pragma once

#include "platform/rtl/Exception.h"

#include <string>
#include <vector>

// A command line that does not fit; its message says what is wrong.
class EHostUsage : public Exception {
public:
    using Exception::Exception;
};

struct HostOptions {
    // --data DIR: the simulated machine's folder ($PLATFORM_HOME), kept
    // between runs; empty when not given.
    std::string DataFolder;
    // --addin LIBRARY: the add-in library registered and loaded in place of
    // the product's; empty when not given.
    std::string AddInPath;
    // The command's name (empty when none was given) and its arguments.
    std::string Command;
    std::vector<std::string> Arguments;
    // --help: the usage is all that is asked for.
    bool Help = false;
};

// The options of a command line (without the program's name); raises
// EHostUsage for an unknown option or one without its value.
HostOptions ParseHostOptions(const std::vector<std::string>& args);
