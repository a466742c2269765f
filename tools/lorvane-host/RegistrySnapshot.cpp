// A walk over both hives of the registry tree, held still while it runs.
#include "RegistrySnapshot.h"

#include "platform/win/Registry.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace {

using platform::RegKey;
using platform::RegValue;

// A value as the .reg format writes it: strings quoted, integers as dword:,
// everything else as its bytes in hex.
std::string Shown(const RegValue& value) {
    if (value.Type == REG_SZ || value.Type == REG_EXPAND_SZ)
        return "\"" + value.Text + "\"";
    if (value.Type == REG_DWORD) {
        char text[24];
        std::snprintf(text, sizeof text, "dword:%08x", value.Number);
        return text;
    }
    std::string hex = "hex:";
    for (uint8_t byte : value.Bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02x", byte);
        hex += (hex.size() > 4 ? "," : "") + std::string(pair);
    }
    return hex;
}

// Whether a key of that name can be opened by path (no control characters).
bool Openable(const std::string& name) {
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// Adds the values of key and its subkeys; path is the key's shown path, grown
// and cut back in place so that no path is built twice.
void Walk(const RegKey& key, std::string& path, size_t depth,
          std::map<std::string, RegValue>& entries) {
    const size_t length = path.size();
    for (const RegValue& value : key.Values()) {
        path += '\\';
        path += value.Name.empty() ? std::string_view("(Default)") : std::string_view(value.Name);
        entries.insert_or_assign(path, value);
        path.resize(length);
    }
    if (depth == platform::MaxRegKeyDepth)
        return;
    for (const RegKey* child : key.Keys()) {
        if (!Openable(child->Name()))
            continue;
        path += '\\';
        path += child->Name();
        Walk(*child, path, depth + 1, entries);
        path.resize(length);
    }
}

} // namespace

RegistrySnapshot RegistrySnapshot::Take() {
    RegistrySnapshot snapshot;
    snapshot.taken_ = true;
    platform::ReadRegistry([&](const platform::RegTree& tree) {
        snapshot.changes_ = platform::RegistryChanges();
        std::string path = "HKEY_CURRENT_USER";
        Walk(tree.CurrentUser, path, 0, snapshot.entries_);
        path = "HKEY_LOCAL_MACHINE";
        Walk(tree.LocalMachine, path, 0, snapshot.entries_);
    });
    return snapshot;
}

bool RegistrySnapshot::IsCurrent() const {
    return taken_ && changes_ == platform::RegistryChanges();
}

std::vector<std::string> RegistrySnapshot::ChangesSince(const RegistrySnapshot& before) const {
    auto line = [](char sign, const std::string& path, const RegValue& value) {
        return std::string(1, sign) + " " + path + " = " + Shown(value);
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
            // Values stored differently may still show the same (a string's type).
            if (!(now->second == then->second) && Shown(now->second) != Shown(then->second))
                changes.push_back(line('~', now->first, now->second) + " (was " +
                                  Shown(then->second) + ")");
            ++now;
            ++then;
        }
    }
    return changes;
}
