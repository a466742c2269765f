// The registry's keys and values in memory, and their text form: the .reg
// format ("Windows Registry Editor Version 5.00", one [HIVE\path] section per
// key, "name"="text", "name"=dword:0000000a, "name"=hex:01,02 and hex(N): for
// other types). The machine keeps the registry in that form in registry.reg;
// Registry.h is the API over it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Value types, with their Windows numbers.
constexpr uint32_t REG_NONE = 0;
constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_EXPAND_SZ = 2;
constexpr uint32_t REG_BINARY = 3;
constexpr uint32_t REG_DWORD = 4;
constexpr uint32_t REG_MULTI_SZ = 7;
constexpr uint32_t REG_QWORD = 11;

namespace platform {

// Limits of names and data, as Windows sets them; longer input is refused.
constexpr size_t MaxRegKeyNameLength = 255;
constexpr size_t MaxRegValueNameLength = 16383;
constexpr size_t MaxRegKeyDepth = 512;
constexpr size_t MaxRegValueSize = 1 << 20;

// One value: its name as written (empty for the default value) and its data.
// REG_SZ and REG_EXPAND_SZ keep their text (8-bit, UTF-8), REG_DWORD its
// number, every other type its bytes.
struct RegValue {
    std::string Name;
    uint32_t Type = REG_SZ;
    std::string Text;
    uint32_t Number = 0;
    std::vector<uint8_t> Bytes;

    // The data as Windows stores it (strings as UTF-16 with their NUL).
    std::vector<uint8_t> Data() const;
    friend bool operator==(const RegValue&, const RegValue&) = default;
};

// One key: its name as written, its values in the order they were created and
// its subkeys, ordered and found without regard to letter case. Names and
// texts are kept as valid UTF-8 (8-bit text that is not is read as the
// system reads it, invalid bytes as Windows-1252), so the file round-trips.
class RegKey {
public:
    explicit RegKey(std::string_view name = {});

    const std::string& Name() const noexcept { return name_; }

    // The value of that name (case-insensitive), or nullptr.
    RegValue* FindValue(std::string_view name);
    const RegValue* FindValue(std::string_view name) const;
    // Replaces the value of value.Name, or adds it at the end; false when
    // the key held that very value already (nothing changed).
    bool SetValue(RegValue value);
    // Removes a value; false when there was none.
    bool DeleteValue(std::string_view name);
    const std::vector<RegValue>& Values() const noexcept { return values_; }

    // The subkey of that name (case-insensitive), or nullptr.
    RegKey* FindKey(std::string_view name) const;
    // The subkey, created (with this spelling) when missing.
    RegKey& CreateKey(std::string_view name);
    // Removes a subkey with everything below it; false when there was none.
    bool DeleteKey(std::string_view name);
    // Subkeys in case-insensitive name order.
    std::vector<const RegKey*> Keys() const;
    bool HasKeys() const noexcept { return !keys_.empty(); }
    // Drops every value and subkey.
    void Clear();

    friend bool operator==(const RegKey& a, const RegKey& b);

private:
    std::string name_;
    std::vector<RegValue> values_;
    std::unordered_map<std::string, size_t> valueIndex_;  // lower-case name to position
    std::map<std::string, std::unique_ptr<RegKey>> keys_; // by lower-case name
};

// The two stored hives.
struct RegTree {
    RegKey CurrentUser{"HKEY_CURRENT_USER"};
    RegKey LocalMachine{"HKEY_LOCAL_MACHINE"};
    friend bool operator==(const RegTree&, const RegTree&) = default;
};

// What reading a .reg text met: lines it could not use, with their numbers.
struct RegParseReport {
    std::vector<std::string> Problems;
    bool Ok() const noexcept { return Problems.empty(); }
};

// 8-bit text as valid UTF-8 (unchanged when it is already).
std::string NormalizedText(std::string_view text);

// Splits a key path at its backslashes, dropping empty pieces (a leading,
// trailing or doubled backslash); false when a piece is longer than a key name
// may be or the path is deeper than a key may lie.
bool SplitRegPath(std::string_view path, std::vector<std::string>& pieces);

// Reads .reg text (UTF-8, or UTF-16 with its byte-order mark) into tree,
// applying its sections and deletions in order. Lines it cannot read are
// skipped and reported; nothing is thrown for bad input.
RegParseReport ParseRegText(std::string_view text, RegTree& tree);
// The .reg text of tree: every key of both hives, parents before children.
std::string WriteRegText(const RegTree& tree);

} // namespace platform
