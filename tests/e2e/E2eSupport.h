// What the end-to-end tests share: where the add-in library, the sample
// add-in library and the host program are, the add-in's key, its log, a reader of registry.reg
// files, and runners of the host program and its scripts that capture what it prints.
#pragma once

#include "tests/support/EntryPoints.h"
#include "tests/support/FileLines.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/com/ComServer.h"
#include "platform/win/Library.h"
#include "platform/win/ShellFolders.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace e2e {

inline const std::string BinDir = LORVANE_BIN_DIR;
inline const std::string LibraryPath = BinDir + "/LorvaneOL.so";
inline const std::string HostPath = BinDir + "/lorvane-host";
inline const std::string ProgId = "LorvaneOL.coLorvaneOL";
inline const std::string AddInKey = "Software\\Microsoft\\Office\\Outlook\\AddIns\\" + ProgId;
inline const std::string ClassId = "{C3F1FFEA-A903-4CCF-BC40-B2DFC7655D26}";
// The framework's sample add-in, and its ProgID.
inline const std::string SampleLibraryPath = BinDir + "/LorvaneSample.so";
inline const std::string SampleProgId = "LorvaneSample.coLorvaneSample";

// The add-in's log lines on the machine this process uses, without their dates.
inline std::vector<std::string> LogMessages() {
    std::vector<std::string> messages;
    for (const std::string& line :
         FileLines(platform::LocalAppDataFolder() + "/LorvaneOL/ZubLogFile.txt")) {
        size_t dash = line.find(" - ");
        messages.push_back(dash == std::string::npos ? line : line.substr(dash + 3));
    }
    return messages;
}

// A registry.reg file as text: each key's values as written there
// ("FriendlyName" -> "\"LorvaneOL\"", "LoadBehavior" -> "dword:00000003").
using RegFile = std::map<std::string, std::map<std::string, std::string>>;

inline RegFile ReadRegFile(const std::string& path) {
    RegFile keys;
    std::string key;
    for (const std::string& line : FileLines(path)) {
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            key = line.substr(1, line.size() - 2);
            keys[key];
        } else if (!key.empty() && !line.empty() && (line[0] == '"' || line[0] == '@')) {
            size_t equals = line[0] == '@' ? 1 : line.find("\"=") + 1;
            std::string name = line[0] == '@' ? "@" : line.substr(1, equals - 2);
            keys[key][name] = line.substr(equals + 1);
        }
    }
    return keys;
}

// Calls one of the registration entry points of the library at path (the
// product's unless another is named), as an installer does.
inline HRESULT CallEntryPoint(const char* name, const std::string& path = LibraryPath) {
    std::string why;
    HRESULT hr = CallLibraryEntryPoint(name, path, &why);
    EXPECT_TRUE(why.empty()) << why;
    return hr;
}

// What a run of the host printed and how it ended.
struct HostRun {
    int ExitCode = -1;
    std::string Output;
};

// Runs a shell command line, standard error going to standard output.
inline HostRun RunShell(const std::string& line) {
    HostRun run;
    FILE* pipe = popen((line + " 2>&1").c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.Output.append(buffer.data(), n);
    int status = pclose(pipe);
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// Runs lorvane-host with arguments (quoted for the shell by the caller's
// choice of plain folder names), standard error going to standard output.
inline HostRun RunHost(const std::string& arguments) {
    return RunShell(HostPath + " " + arguments);
}

// Runs script on machine as lorvane-host's standard input ("script -"),
// with the add-in library at addin instead of the product's when one is named.
inline HostRun RunFromInput(const TempPlatformHome& machine, const std::string& script,
                            const std::string& addin = {}) {
    std::string file = machine.path + "/input.script";
    std::ofstream(file, std::ios::binary) << script;
    return RunShell(HostPath + " --data " + machine.path +
                    (addin.empty() ? "" : " --addin " + addin) + " script - < " + file);
}

} // namespace e2e
