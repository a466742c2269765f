// Helpers of the tests that load the test add-in (libraries/TestAddIn.cpp)
// through the host driver: its registration on the simulated machine, the
// instructions it reads and the record of the calls it received.
#pragma once

#include "tests/platform/libraries/TestAddIn.h"

#include "platform/com/ComClasses.h"
#include "platform/win/Library.h"
#include "platform/win/Registry.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace testaddin {

// The add-in key under which Outlook finds the test add-in.
inline const std::string AddInKey =
    std::string("\\Software\\Microsoft\\Office\\Outlook\\AddIns\\") + ProgId;
// The full path of the library, beside the test program.
inline const std::string LibraryPath = std::string(LORVANE_BIN_DIR) + "/" + LibraryFile;

// Registers the class (InprocServer32 = the library) and an add-in key with
// that LoadBehavior under root.
inline void Register(HKEY root = HKEY_CURRENT_USER, int32_t loadBehavior = 3) {
    RegisterComClass({Clsid, ProgId, "Test add-in", LibraryPath});
    TRegistry reg;
    reg.SetRootKey(root);
    ASSERT_TRUE(reg.OpenKey(AddInKey, true));
    reg.WriteString("FriendlyName", "Test add-in");
    reg.WriteString("Description", "Loaded by the host driver's tests");
    reg.WriteInteger("LoadBehavior", loadBehavior);
}

// Tells the add-in what to do (FailValue, KeepAliveValue).
inline void Instruct(const char* name, const std::string& value) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key, true));
    reg.WriteString(name, value);
}

// Appends a line to the add-in's record, so that a host's own steps and the
// add-in's calls read in one order.
inline void RecordCall(const std::string& line) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key, true));
    reg.WriteString(CallsValue, reg.ReadString(CallsValue) + line + "\n");
}

// The calls the add-in received (and what the host recorded), in order.
inline std::vector<std::string> Calls() {
    TRegistry reg;
    std::vector<std::string> lines;
    if (!reg.OpenKeyReadOnly(Key))
        return lines;
    std::istringstream in(reg.ReadString(CallsValue));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Whether the library is loaded in this process.
inline bool LibraryLoaded() {
    return GetModuleHandle(LibraryPath.c_str()) != nullptr;
}

} // namespace testaddin
