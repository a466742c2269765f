// script FILE: runs a script read from a file, or from standard input for "-".
#include "HostCommands.h"
#include "ScriptRunner.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

int RunScript(HostContext& context) {
    const std::string& file = context.Arguments.front();
    std::string script;
    if (file == "-") {
        script.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            context.Err << "lorvane-host: the script " << file << " cannot be read\n";
            return 1;
        }
        std::ostringstream text;
        text << in.rdbuf();
        script = text.str();
    }
    return RunScriptText(context, script, file == "-" ? "stdin" : file);
}
