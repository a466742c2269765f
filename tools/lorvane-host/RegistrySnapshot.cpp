// A walk over both hives through the registry object.
#include "RegistrySnapshot.h"

#include "platform/win/Registry.h"

#include <cstdio>

namespace {

std::string Shown(TRegistry& reg, const std::string& name) {
    switch (reg.GetDataType(name)) {
    case rdString:
    case rdExpandString:
        return "\"" + reg.ReadString(name) + "\"";
    case rdInteger: {
        char text[24];
        std::snprintf(text, sizeof text, "dword:%08x",
                      static_cast<uint32_t>(reg.ReadInteger(name)));
        return text;
    }
    default: {
        std::string hex = "hex:";
        for (uint8_t byte : reg.ReadBinaryData(name)) {
            char pair[4];
            std::snprintf(pair, sizeof pair, "%02x", byte);
            hex += (hex.size() > 4 ? "," : "") + std::string(pair);
        }
        return hex;
    }
    }
}

void Walk(HKEY root, const std::string& rootName, const std::string& path,
          std::map<std::string, std::string>& entries) {
    TRegistry reg;
    reg.SetRootKey(root);
    if (!reg.OpenKeyReadOnly("\\" + path))
        return;
    std::string shownPath = rootName + (path.empty() ? "" : "\\" + path);
    std::vector<std::string> values = reg.GetValueNames();
    std::vector<std::string> keys = reg.GetKeyNames();
    for (const std::string& name : values)
        entries[shownPath + "\\" + (name.empty() ? "(Default)" : name)] = Shown(reg, name);
    for (const std::string& key : keys)
        Walk(root, rootName, path.empty() ? key : path + "\\" + key, entries);
}

} // namespace

RegistrySnapshot RegistrySnapshot::Take() {
    RegistrySnapshot snapshot;
    Walk(HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "", snapshot.entries_);
    Walk(HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "", snapshot.entries_);
    return snapshot;
}

std::vector<std::string> RegistrySnapshot::ChangesSince(const RegistrySnapshot& before) const {
    auto line = [](char sign, const std::string& path, const std::string& value) {
        return std::string(1, sign) + " " + path + " = " + value;
    };
    std::vector<std::string> changes;
    auto now = entries_.begin();
    auto then = before.entries_.begin();
    while (now != entries_.end() || then != before.entries_.end()) {
        if (then == before.entries_.end() || (now != entries_.end() && now->first < then->first)) {
            changes.push_back(line('+', now->first, now->second));
            ++now;
        } else if (now == entries_.end() || then->first < now->first) {
            changes.push_back(line('-', then->first, then->second));
            ++then;
        } else {
            if (now->second != then->second)
                changes.push_back(line('~', now->first, now->second) + " (was " + then->second +
                                  ")");
            ++now;
            ++then;
        }
    }
    return changes;
}

std::string RegistrySnapshot::Value(const std::string& path) const {
    auto found = entries_.find(path);
    return found == entries_.end() ? std::string() : found->second;
}
