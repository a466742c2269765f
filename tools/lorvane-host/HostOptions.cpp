// Options come before the command; everything after the command belongs to it.
#include "HostOptions.h"

HostOptions ParseHostOptions(const std::vector<std::string>& args) {
    HostOptions options;
    size_t i = 0;
    for (; i < args.size() && args[i].size() > 1 && args[i][0] == '-'; ++i) {
        const std::string& option = args[i];
        if (option == "--help" || option == "-h") {
            options.Help = true;
        } else if (option == "--data") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                throw EHostUsage("--data needs a folder");
            options.DataFolder = args[++i];
        } else if (option == "--addin") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                throw EHostUsage("--addin needs a library");
            options.AddInPath = args[++i];
        } else {
            throw EHostUsage("unknown option " + option);
        }
    }
    if (i < args.size()) {
        options.Command = args[i];
        options.Arguments.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    }
    return options;
}
