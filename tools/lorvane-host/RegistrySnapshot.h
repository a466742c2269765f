// The machine's registry at one moment, value by value, so that the host can
// show what a step wrote and removed (keys without values are not shown). Values are named by their
// full path
// ("HKEY_LOCAL_MACHINE\Software\...\FriendlyName", "(Default)" for a key's
// default value) and shown as the .reg format writes them ("text", dword:3).
#pragma once

#include <map>
#include <string>
#include <vector>

class RegistrySnapshot {
public:
    // Every value of both hives now.
    static RegistrySnapshot Take();

    // The changes from before to this one, in path order:
    //   + path = value          written
    //   - path = value          removed
    //   ~ path = value (was x)  changed
    std::vector<std::string> ChangesSince(const RegistrySnapshot& before) const;
    // The value at path, or "" when there is none.
    std::string Value(const std::string& path) const;

private:
    // Value paths with their shown values.
    std::map<std::string, std::string> entries_;
};
