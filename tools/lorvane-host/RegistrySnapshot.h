// The machine's registry at one moment, value by value, so that the host can
// show what a step wrote and removed (keys without values are not shown).
// Values are named by their full path
// ("HKEY_LOCAL_MACHINE\Software\...\FriendlyName", "(Default)" for a key's
// default value) and shown as the .reg format writes them ("text", dword:3).
// A snapshot knows the registry's change count when it was taken, so that an
// unchanged registry is not walked again. Values are kept as they are and
// only those that differ are put in text.
#pragma once

#include "platform/win/RegistryTree.h"

#include <map>
#include <string>
#include <vector>

class RegistrySnapshot {
public:
    // Every value of both hives now.
    static RegistrySnapshot Take();
    // Whether the registry is still as taken (nothing changed it since):
    // then there is nothing to compare.
    bool IsCurrent() const;

    // The changes from before to this one, in path order:
    //   + path = value          written
    //   - path = value          removed
    //   ~ path = value (was x)  changed
    std::vector<std::string> ChangesSince(const RegistrySnapshot& before) const;

private:
    // Value paths with their values.
    std::map<std::string, platform::RegValue> entries_;
    // The registry's change count when taken; taken_ is false for an empty snapshot.
    unsigned long long changes_ = 0;
    bool taken_ = false;
};
