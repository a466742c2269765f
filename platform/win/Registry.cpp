// The TRegistry-like API over the machine's registry: keys opened by path
// below a root, values read and written with their types.

#include "platform/win/Registry.h"

#include "platform/win/RegistryStore.h"

#include <algorithm>
#include <cstring>

using platform::RegistryStore;
using platform::RegKey;
using platform::RegValue;

namespace {

// Names must stand on one line of the registry file: no control characters.
bool IsPrintableName(std::string_view name) {
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// The key at root + pieces; created with its parents when create (created
// tells whether anything was). nullptr when missing or the root is unknown.
RegKey* Locate(HKEY root, const std::vector<std::string>& pieces, bool create,
               bool* created = nullptr) {
    platform::RegTree& tree = RegistryStore::Instance().Tree();
    RegKey* key = nullptr;
    std::vector<std::string> all;
    if (root == HKEY_CURRENT_USER) {
        key = &tree.CurrentUser;
    } else if (root == HKEY_LOCAL_MACHINE) {
        key = &tree.LocalMachine;
    } else if (root == HKEY_CLASSES_ROOT) {
        key = &tree.LocalMachine;
        all = {"Software", "Classes"};
    } else {
        return nullptr;
    }
    all.insert(all.end(), pieces.begin(), pieces.end());
    for (const std::string& piece : all) {
        RegKey* next = key->FindKey(piece);
        if (!next) {
            if (!create)
                return nullptr;
            next = &key->CreateKey(piece);
            if (created)
                *created = true;
        }
        key = next;
    }
    return key;
}

[[noreturn]] void RaiseGetFailed(std::string_view name) {
    throw ERegistryException("Failed to get data for '" + std::string(name) + "'");
}
[[noreturn]] void RaiseInvalidType(std::string_view name) {
    throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
}
[[noreturn]] void RaiseSetFailed(std::string_view name, const char* why) {
    throw ERegistryException("Failed to set data for '" + std::string(name) + "': " + why);
}

} // namespace

void TRegistry::SetRootKey(HKEY root) {
    CloseKey();
    root_ = root;
}

bool TRegistry::Target(std::string_view path, std::vector<std::string>& pieces) const {
    bool absolute = !path.empty() && path[0] == '\\';
    std::vector<std::string> relative;
    if (!platform::SplitRegPath(path, relative))
        return false;
    if (!std::all_of(relative.begin(), relative.end(),
                     [](const std::string& p) { return IsPrintableName(p); }))
        return false;
    pieces = (!absolute && open_) ? path_ : std::vector<std::string>();
    pieces.insert(pieces.end(), relative.begin(), relative.end());
    return pieces.size() <= platform::MaxRegKeyDepth;
}

bool TRegistry::OpenKey(std::string_view key, bool canCreate) {
    std::vector<std::string> pieces;
    if (!Target(key, pieces))
        return false;
    RegistryStore& store = RegistryStore::Instance();
    auto lock = store.Lock();
    bool created = false;
    if (!Locate(root_, pieces, canCreate, &created))
        return false;
    if (created)
        store.Save();
    open_ = true;
    readOnly_ = false;
    path_ = std::move(pieces);
    return true;
}

bool TRegistry::OpenKeyReadOnly(std::string_view key) {
    std::vector<std::string> pieces;
    if (!Target(key, pieces))
        return false;
    auto lock = RegistryStore::Instance().Lock();
    if (!Locate(root_, pieces, false))
        return false;
    open_ = true;
    readOnly_ = true;
    path_ = std::move(pieces);
    return true;
}

void TRegistry::CloseKey() {
    open_ = false;
    readOnly_ = false;
    path_.clear();
}

bool TRegistry::CreateKey(std::string_view key) {
    std::vector<std::string> pieces;
    if (!Target(key, pieces) || pieces.empty() || (open_ && readOnly_))
        throw ERegistryException("Failed to create key " + std::string(key));
    RegistryStore& store = RegistryStore::Instance();
    auto lock = store.Lock();
    bool created = false;
    if (!Locate(root_, pieces, true, &created))
        throw ERegistryException("Failed to create key " + std::string(key));
    if (created)
        store.Save();
    return true;
}

bool TRegistry::DeleteKey(std::string_view key) {
    std::vector<std::string> relative, pieces;
    // An empty path would name the open key or the root itself: refused.
    if (!platform::SplitRegPath(key, relative) || relative.empty())
        return false;
    if (!Target(key, pieces) || pieces.empty())
        return false;
    RegistryStore& store = RegistryStore::Instance();
    auto lock = store.Lock();
    std::vector<std::string> parentPath(pieces.begin(), pieces.end() - 1);
    RegKey* parent = Locate(root_, parentPath, false);
    if (!parent || !parent->DeleteKey(pieces.back()))
        return false;
    store.Save();
    return true;
}

bool TRegistry::KeyExists(std::string_view key) {
    std::vector<std::string> pieces;
    if (!Target(key, pieces))
        return false;
    auto lock = RegistryStore::Instance().Lock();
    return Locate(root_, pieces, false) != nullptr;
}

std::string TRegistry::CurrentPath() const {
    std::string out;
    for (const std::string& piece : path_) {
        if (!out.empty())
            out += '\\';
        out += piece;
    }
    return out;
}

bool TRegistry::HasSubKeys() {
    if (!open_)
        return false;
    auto lock = RegistryStore::Instance().Lock();
    RegKey* key = Locate(root_, path_, false);
    return key && key->HasKeys();
}

std::vector<std::string> TRegistry::GetKeyNames() {
    std::vector<std::string> names;
    if (!open_)
        return names;
    auto lock = RegistryStore::Instance().Lock();
    if (RegKey* key = Locate(root_, path_, false))
        for (const RegKey* child : key->Keys())
            names.push_back(child->Name());
    return names;
}

std::vector<std::string> TRegistry::GetValueNames() {
    std::vector<std::string> names;
    if (!open_)
        return names;
    auto lock = RegistryStore::Instance().Lock();
    if (RegKey* key = Locate(root_, path_, false))
        for (const RegValue& v : key->Values())
            names.push_back(v.Name);
    return names;
}

bool TRegistry::FindValue(std::string_view name, RegValue& out) {
    if (!open_)
        return false;
    auto lock = RegistryStore::Instance().Lock();
    RegKey* key = Locate(root_, path_, false);
    const RegValue* v = key ? key->FindValue(name) : nullptr;
    if (!v)
        return false;
    out = *v;
    return true;
}

RegValue TRegistry::RequireValue(std::string_view name) {
    RegValue v;
    if (!FindValue(name, v))
        RaiseGetFailed(name);
    return v;
}

bool TRegistry::ValueExists(std::string_view name) {
    RegValue v;
    return FindValue(name, v);
}

TRegDataType TRegistry::GetDataType(std::string_view name) {
    RegValue v;
    if (!FindValue(name, v))
        return rdUnknown;
    switch (v.Type) {
    case REG_SZ:
        return rdString;
    case REG_EXPAND_SZ:
        return rdExpandString;
    case REG_DWORD:
        return rdInteger;
    case REG_BINARY:
        return rdBinary;
    default:
        return rdUnknown;
    }
}

int TRegistry::GetDataSize(std::string_view name) {
    RegValue v;
    return FindValue(name, v) ? static_cast<int>(v.Data().size()) : -1;
}

bool TRegistry::DeleteValue(std::string_view name) {
    if (!open_ || readOnly_)
        return false;
    RegistryStore& store = RegistryStore::Instance();
    auto lock = store.Lock();
    RegKey* key = Locate(root_, path_, false);
    if (!key || !key->DeleteValue(name))
        return false;
    store.Save();
    return true;
}

std::string TRegistry::ReadString(std::string_view name) {
    RegValue v;
    if (!FindValue(name, v))
        return {};
    if (v.Type != REG_SZ && v.Type != REG_EXPAND_SZ)
        RaiseInvalidType(name);
    return v.Text;
}

int32_t TRegistry::ReadInteger(std::string_view name) {
    RegValue v = RequireValue(name);
    if (v.Type != REG_DWORD)
        RaiseInvalidType(name);
    return static_cast<int32_t>(v.Number);
}

int TRegistry::ReadBinaryData(std::string_view name, void* buffer, int size) {
    std::vector<uint8_t> data = ReadBinaryData(name);
    if (size < 0 || data.size() > static_cast<size_t>(size))
        RaiseGetFailed(name);
    if (!data.empty())
        std::memcpy(buffer, data.data(), data.size());
    return static_cast<int>(data.size());
}

std::vector<uint8_t> TRegistry::ReadBinaryData(std::string_view name) {
    RegValue v = RequireValue(name);
    if (v.Type == REG_SZ || v.Type == REG_EXPAND_SZ || v.Type == REG_DWORD)
        RaiseInvalidType(name);
    return v.Bytes;
}

void TRegistry::Write(RegValue value) {
    const std::string name = value.Name;
    if (!open_)
        RaiseSetFailed(name, "no key is open");
    if (readOnly_)
        RaiseSetFailed(name, "the key is open for reading only");
    if (path_.empty())
        RaiseSetFailed(name, "the root key holds no values");
    if (!IsPrintableName(name) || name.size() > platform::MaxRegValueNameLength)
        RaiseSetFailed(name, "invalid value name");
    RegistryStore& store = RegistryStore::Instance();
    auto lock = store.Lock();
    RegKey* key = Locate(root_, path_, false);
    if (!key)
        RaiseSetFailed(name, "the key has been deleted");
    // Writing what is there already changes nothing: the file stays as it is.
    if (key->SetValue(std::move(value)))
        store.Save();
}

void TRegistry::WriteString(std::string_view name, std::string_view value) {
    if (value.size() > platform::MaxRegValueSize)
        RaiseSetFailed(name, "the data is too large");
    Write(RegValue{std::string(name), REG_SZ, std::string(value), 0, {}});
}

void TRegistry::WriteExpandString(std::string_view name, std::string_view value) {
    if (value.size() > platform::MaxRegValueSize)
        RaiseSetFailed(name, "the data is too large");
    Write(RegValue{std::string(name), REG_EXPAND_SZ, std::string(value), 0, {}});
}

void TRegistry::WriteInteger(std::string_view name, int32_t value) {
    Write(RegValue{std::string(name), REG_DWORD, {}, static_cast<uint32_t>(value), {}});
}

void TRegistry::WriteBinaryData(std::string_view name, const void* buffer, int size) {
    if (size < 0 || static_cast<size_t>(size) > platform::MaxRegValueSize)
        RaiseSetFailed(name, "the data is too large");
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    Write(
        RegValue{std::string(name), REG_BINARY, {}, 0, std::vector<uint8_t>(bytes, bytes + size)});
}

namespace platform {

RegistryBatch::RegistryBatch() {
    RegistryStore::Instance().BeginBatch();
}

RegistryBatch::~RegistryBatch() {
    if (open_)
        RegistryStore::Instance().EndBatch(false);
}

void RegistryBatch::Commit() {
    if (!open_)
        return;
    open_ = false;
    RegistryStore::Instance().EndBatch(true);
}

std::string RegistryFilePath() {
    return RegistryStore::Instance().FilePath();
}
void ReloadRegistry() {
    RegistryStore::Instance().Reload();
}
std::vector<std::string> RegistryLoadProblems() {
    return RegistryStore::Instance().LoadProblems();
}
unsigned long RegistryFileWrites() {
    return RegistryStore::Instance().Writes();
}
unsigned long long RegistryChanges() {
    return RegistryStore::Instance().Changes();
}
void ReadRegistry(const std::function<void(const RegTree&)>& reader) {
    RegistryStore& store = RegistryStore::Instance();
    auto lock = store.Lock();
    reader(store.Tree());
}

} // namespace platform
