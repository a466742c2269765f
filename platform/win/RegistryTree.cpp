// Registry keys and values in memory, and the .reg text they are read from
// and written as.

#include "platform/win/RegistryTree.h"

#include "platform/text/Text.h"

#include <algorithm>
#include <cstdio>

namespace platform {

// ---- values and keys ---------------------------------------------------------

std::vector<uint8_t> RegValue::Data() const {
    if (Type == REG_SZ || Type == REG_EXPAND_SZ) {
        std::vector<uint8_t> out = text::Utf16LeBytes(text::Wide(Text));
        out.push_back(0);
        out.push_back(0);
        return out;
    }
    if (Type == REG_DWORD)
        return {uint8_t(Number), uint8_t(Number >> 8), uint8_t(Number >> 16),
                uint8_t(Number >> 24)};
    return Bytes;
}

std::string NormalizedText(std::string_view text) {
    return text::IsValidUtf8(text) ? std::string(text) : text::Narrow(text::Wide(text));
}

namespace {

// The name as the indexes hold it: valid UTF-8 in lower case. Most names are
// ASCII, folded without decoding or checking them as UTF-8.
std::string Folded(std::string_view name) {
    bool ascii = std::all_of(name.begin(), name.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii ? text::AsciiLowerCase(name) : text::LowerCase(NormalizedText(name));
}

} // namespace

RegKey::RegKey(std::string_view name) : name_(NormalizedText(name)) {}

RegValue* RegKey::FindValue(std::string_view name) {
    auto it = valueIndex_.find(Folded(name));
    return it == valueIndex_.end() ? nullptr : &values_[it->second];
}

const RegValue* RegKey::FindValue(std::string_view name) const {
    return const_cast<RegKey*>(this)->FindValue(name);
}

bool RegKey::SetValue(RegValue value) {
    value.Name = NormalizedText(value.Name);
    // A string ends at its first NUL, as Windows reads it.
    value.Text = NormalizedText(std::string_view(value.Text).substr(0, value.Text.find('\0')));
    if (RegValue* existing = FindValue(value.Name)) {
        value.Name = existing->Name; // the first spelling stays, as Windows keeps it
        if (*existing == value)
            return false;
        *existing = std::move(value);
    } else {
        valueIndex_.emplace(Folded(value.Name), values_.size());
        values_.push_back(std::move(value));
    }
    return true;
}

bool RegKey::DeleteValue(std::string_view name) {
    auto it = valueIndex_.find(Folded(name));
    if (it == valueIndex_.end())
        return false;
    size_t position = it->second;
    valueIndex_.erase(it);
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(position));
    for (auto& [lower, index] : valueIndex_)
        if (index > position)
            --index;
    return true;
}

RegKey* RegKey::FindKey(std::string_view name) const {
    auto it = keys_.find(Folded(name));
    return it == keys_.end() ? nullptr : it->second.get();
}

RegKey& RegKey::CreateKey(std::string_view name) {
    auto& slot = keys_[Folded(name)];
    if (!slot)
        slot = std::make_unique<RegKey>(name);
    return *slot;
}

bool RegKey::DeleteKey(std::string_view name) {
    return keys_.erase(Folded(name)) > 0;
}

std::vector<const RegKey*> RegKey::Keys() const {
    std::vector<const RegKey*> out;
    out.reserve(keys_.size());
    for (const auto& [lower, key] : keys_)
        out.push_back(key.get());
    return out;
}

void RegKey::Clear() {
    values_.clear();
    valueIndex_.clear();
    keys_.clear();
}

bool operator==(const RegKey& a, const RegKey& b) {
    if (a.name_ != b.name_ || a.values_ != b.values_ || a.keys_.size() != b.keys_.size())
        return false;
    for (auto i = a.keys_.begin(), j = b.keys_.begin(); i != a.keys_.end(); ++i, ++j)
        if (i->first != j->first || !(*i->second == *j->second))
            return false;
    return true;
}

bool SplitRegPath(std::string_view path, std::vector<std::string>& pieces) {
    pieces.clear();
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start) {
            std::string_view piece = path.substr(start, end - start);
            if (text::Utf8ToUtf16(piece).size() > MaxRegKeyNameLength)
                return false;
            pieces.emplace_back(piece);
            if (pieces.size() > MaxRegKeyDepth)
                return false;
        }
        start = end + 1;
    }
    return true;
}

// ---- reading .reg text -------------------------------------------------------

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// The file's text as UTF-8: regedit writes UTF-16 with a byte-order mark.
std::string AsUtf8(std::string_view raw) {
    if (raw.size() >= 2 && uint8_t(raw[0]) == 0xFF && uint8_t(raw[1]) == 0xFE) {
        std::u16string wide;
        for (size_t i = 2; i + 1 < raw.size(); i += 2)
            wide += static_cast<char16_t>(uint8_t(raw[i]) | (uint8_t(raw[i + 1]) << 8));
        return text::Narrow(wide);
    }
    if (raw.size() >= 3 && raw.substr(0, 3) == "\xEF\xBB\xBF")
        raw.remove_prefix(3);
    return std::string(raw);
}

// Reads a quoted string at s[pos] (pos at the opening quote), with \\ and \"
// escapes; pos ends after the closing quote.
bool ReadQuoted(std::string_view s, size_t& pos, std::string& out) {
    if (pos >= s.size() || s[pos] != '"')
        return false;
    out.clear();
    for (++pos; pos < s.size(); ++pos) {
        char c = s[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\' && pos + 1 < s.size() && (s[pos + 1] == '\\' || s[pos + 1] == '"'))
            c = s[++pos];
        out += c;
    }
    return false;
}

bool ReadHexBytes(std::string_view s, std::vector<uint8_t>& out) {
    out.clear();
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        if (i >= s.size())
            break;
        if (i + 1 >= s.size())
            return false;
        int hi = text::HexDigitValue(s[i]), lo = text::HexDigitValue(s[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        out.push_back(static_cast<uint8_t>(hi * 16 + lo));
        if (out.size() > MaxRegValueSize)
            return false;
        i += 2;
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        if (i < s.size() && s[i] != ',')
            return false;
        ++i;
    }
    return true;
}

// Text from UTF-16 little-endian bytes, up to the first NUL.
std::string TextOfUtf16(const std::vector<uint8_t>& bytes) {
    std::u16string wide;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char16_t c = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (c == 0)
            break;
        wide += c;
    }
    return text::Narrow(wide);
}

// Reads the data after "=" into value; false when it is not valid.
bool ReadData(std::string_view data, RegValue& value) {
    if (!data.empty() && data[0] == '"') {
        size_t pos = 0;
        if (!ReadQuoted(data, pos, value.Text) || !Trim(data.substr(pos)).empty())
            return false;
        value.Type = REG_SZ;
        return value.Text.size() <= MaxRegValueSize;
    }
    if (data.substr(0, 6) == "dword:") {
        std::string_view digits = data.substr(6);
        if (digits.empty() || digits.size() > 8)
            return false;
        uint32_t n = 0;
        for (char c : digits) {
            int d = text::HexDigitValue(c);
            if (d < 0)
                return false;
            n = n * 16 + uint32_t(d);
        }
        value.Type = REG_DWORD;
        value.Number = n;
        return true;
    }
    if (data.substr(0, 3) != "hex")
        return false;
    uint32_t type = REG_BINARY;
    size_t colon = data.find(':');
    if (colon == std::string_view::npos)
        return false;
    std::string_view kind = data.substr(3, colon - 3);
    if (!kind.empty()) {
        if (kind.size() < 3 || kind.front() != '(' || kind.back() != ')' || kind.size() > 10)
            return false;
        type = 0;
        for (char c : kind.substr(1, kind.size() - 2)) {
            int d = text::HexDigitValue(c);
            if (d < 0)
                return false;
            type = type * 16 + uint32_t(d);
        }
    }
    std::vector<uint8_t> bytes;
    if (!ReadHexBytes(data.substr(colon + 1), bytes))
        return false;
    value.Type = type;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        value.Text = TextOfUtf16(bytes);
    } else if (type == REG_DWORD && bytes.size() == 4) {
        value.Number = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (uint32_t(bytes[3]) << 24);
    } else {
        if (type == REG_DWORD)
            value.Type = REG_BINARY; // four bytes or it is no DWORD
        value.Bytes = std::move(bytes);
    }
    return true;
}

// The hive that a section names, and the path below it.
RegKey* HiveOf(std::string_view& path, RegTree& tree, std::vector<std::string>& classesPrefix) {
    size_t slash = path.find('\\');
    std::string hive = text::UpperCase(path.substr(0, slash));
    path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    classesPrefix.clear();
    if (hive == "HKEY_CURRENT_USER" || hive == "HKCU")
        return &tree.CurrentUser;
    if (hive == "HKEY_LOCAL_MACHINE" || hive == "HKLM")
        return &tree.LocalMachine;
    if (hive == "HKEY_CLASSES_ROOT" || hive == "HKCR") {
        classesPrefix = {"Software", "Classes"};
        return &tree.LocalMachine;
    }
    return nullptr;
}

class Parser {
public:
    explicit Parser(RegTree& tree) : tree_(tree) {}

    void Line(std::string_view line, size_t number) {
        line_ = number;
        std::string_view t = Trim(line);
        if (t.empty() || t[0] == ';')
            return;
        if (t == "Windows Registry Editor Version 5.00" || t == "REGEDIT4")
            return;
        if (t[0] == '[')
            return Section(t);
        if (!key_)
            return Problem("a value outside a known key");
        Value(t);
    }

    RegParseReport report;

private:
    void Problem(const std::string& what) {
        report.Problems.push_back("line " + std::to_string(line_) + ": " + what);
    }

    void Section(std::string_view t) {
        key_ = nullptr;
        if (t.back() != ']')
            return Problem("unterminated key name");
        std::string_view path = t.substr(1, t.size() - 2);
        bool remove = !path.empty() && path[0] == '-';
        if (remove)
            path.remove_prefix(1);
        std::vector<std::string> pieces, prefix;
        RegKey* hive = HiveOf(path, tree_, prefix);
        if (!hive)
            return Problem("unknown hive");
        if (!SplitRegPath(path, pieces))
            return Problem("key name too long or too deep");
        pieces.insert(pieces.begin(), prefix.begin(), prefix.end());
        if (pieces.empty())
            return Problem("a hive root takes no values");
        if (remove) {
            RegKey* parent = hive;
            for (size_t i = 0; parent && i + 1 < pieces.size(); ++i)
                parent = parent->FindKey(pieces[i]);
            if (parent)
                parent->DeleteKey(pieces.back());
            return;
        }
        RegKey* key = hive;
        for (const std::string& piece : pieces)
            key = &key->CreateKey(piece);
        key_ = key;
    }

    void Value(std::string_view t) {
        RegValue value;
        size_t pos = 0;
        if (t[0] == '@') {
            pos = 1;
        } else if (!ReadQuoted(t, pos, value.Name)) {
            return Problem("unreadable value name");
        }
        if (value.Name.size() > MaxRegValueNameLength)
            return Problem("value name too long");
        std::string_view rest = Trim(t.substr(pos));
        if (rest.empty() || rest[0] != '=')
            return Problem("missing '=' after the value name");
        std::string_view data = Trim(rest.substr(1));
        if (data == "-") {
            key_->DeleteValue(value.Name);
            return;
        }
        if (!ReadData(data, value))
            return Problem("unreadable data of value \"" + value.Name + "\"");
        key_->SetValue(std::move(value));
    }

    RegTree& tree_;
    RegKey* key_ = nullptr;
    size_t line_ = 0;
};

} // namespace

RegParseReport ParseRegText(std::string_view raw, RegTree& tree) {
    std::string utf8 = AsUtf8(raw);
    std::string_view all(utf8);
    Parser parser(tree);
    size_t number = 0, pos = 0;
    while (pos < all.size()) {
        size_t end = all.find('\n', pos);
        if (end == std::string_view::npos)
            end = all.size();
        std::string logical(Trim(all.substr(pos, end - pos)));
        size_t first = ++number;
        pos = end + 1;
        // Long hex data continues on the next lines after a trailing backslash.
        while (!logical.empty() && logical.back() == '\\' && logical[0] != '[' &&
               pos < all.size()) {
            logical.pop_back();
            end = all.find('\n', pos);
            if (end == std::string_view::npos)
                end = all.size();
            logical += Trim(all.substr(pos, end - pos));
            ++number;
            pos = end + 1;
        }
        parser.Line(logical, first);
    }
    return parser.report;
}

// ---- writing .reg text -------------------------------------------------------

namespace {

// Appends s between quotes, a backslash before each backslash and quote; the
// runs between them are copied at once.
void AppendQuoted(std::string& out, std::string_view s) {
    out += '"';
    for (size_t at = s.find_first_of("\\\""); at != std::string_view::npos;
         at = s.find_first_of("\\\"")) {
        out.append(s.substr(0, at));
        out += '\\';
        out += s[at];
        s.remove_prefix(at + 1);
    }
    out.append(s);
    out += '"';
}

// True when a string value cannot stand between quotes on one line.
bool NeedsHex(std::string_view s) {
    for (unsigned char c : s)
        if (c < 0x20)
            return true;
    return false;
}

void AppendHex(std::string& out, size_t nameLength, const std::vector<uint8_t>& bytes) {
    size_t column = nameLength;
    char buf[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02x", bytes[i]);
        out += buf;
        column += 2;
        if (i + 1 < bytes.size()) {
            out += ',';
            ++column;
            if (column > 76) { // wrapped as regedit does
                out += "\\\n  ";
                column = 2;
            }
        }
    }
}

void WriteValue(std::string& out, const RegValue& v) {
    size_t start = out.size();
    if (v.Name.empty())
        out += '@';
    else
        AppendQuoted(out, v.Name);
    out += '=';
    char buf[32];
    if (v.Type == REG_SZ && !NeedsHex(v.Text)) {
        AppendQuoted(out, v.Text);
    } else if (v.Type == REG_DWORD) {
        std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<unsigned>(v.Number));
        out += buf;
    } else {
        if (v.Type == REG_BINARY) {
            out += "hex:";
        } else {
            std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.Type));
            out += buf;
        }
        AppendHex(out, out.size() - start, v.Data());
    }
    out += '\n';
}

// Writes the section of key and those of its subkeys; path is the key's path,
// grown and cut back in place for each subkey.
void WriteKey(std::string& out, const RegKey& key, std::string& path) {
    out += '[';
    out += path;
    out += "]\n";
    for (const RegValue& v : key.Values())
        WriteValue(out, v);
    out += '\n';
    const size_t length = path.size();
    for (const RegKey* child : key.Keys()) {
        path += '\\';
        path += child->Name();
        WriteKey(out, *child, path);
        path.resize(length);
    }
}

} // namespace

std::string WriteRegText(const RegTree& tree) {
    std::string out = "Windows Registry Editor Version 5.00\n\n";
    for (const RegKey* hive : {&tree.CurrentUser, &tree.LocalMachine})
        for (const RegKey* key : hive->Keys()) {
            std::string path = hive->Name() + "\\" + key->Name();
            WriteKey(out, *key, path);
        }
    return out;
}

} // namespace platform
