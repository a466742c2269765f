// The table of every loaded module's embedded resources. A resource is found
// by comparing the file of the module asked about with the file of the
// module that registered it (worked out on first use, when the loader is
// done loading it). Handles are numbers that are never reused, so a handle
// of an unloaded module's resource finds nothing.
#include "platform/win/Resources.h"

#include "platform/text/Text.h"
#include "platform/win/LastError.h"
#include "platform/win/Library.h"

#include <cctype>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace {

struct Entry {
    const void* Anchor;
    std::optional<std::string> ModuleFile;
    WORD Type;
    std::string Name;
    const unsigned char* Data;
    std::size_t Size;
};

struct ResourceTable {
    std::mutex Lock;
    std::map<std::uintptr_t, Entry> Entries;
    std::uintptr_t NextId = 1;
};

ResourceTable& Table() {
    static ResourceTable* table = new ResourceTable;
    return *table;
}

// Handles carry the id shifted with a tag in the low bits, which global
// memory handles (multiples of 4) never have.
constexpr std::uintptr_t HandleTag = 0x3;

std::uintptr_t IdOf(const void* handle) {
    auto value = reinterpret_cast<std::uintptr_t>(handle);
    return (value & 0xF) == HandleTag ? value >> 4 : 0;
}

// A name or type as a number (MAKEINTRESOURCE or "#123"), or -1 for a string.
long NumberOf(const char* name) {
    if (IS_INTRESOURCE(name))
        return long(reinterpret_cast<std::uintptr_t>(name));
    if (name[0] != '#' || !name[1])
        return -1;
    long value = 0;
    for (const char* p = name + 1; *p; ++p) {
        if (!std::isdigit(static_cast<unsigned char>(*p)) || value > 0xFFFF)
            return -1;
        value = value * 10 + (*p - '0');
    }
    return value <= 0xFFFF ? value : -1;
}

bool SameName(const std::string& stored, const char* asked) {
    long storedNumber = NumberOf(stored.c_str());
    long askedNumber = NumberOf(asked);
    if (storedNumber >= 0 || askedNumber >= 0)
        return storedNumber == askedNumber;
    return text::SameText(stored, asked);
}

Entry* Find(ResourceTable& t, const void* handle) {
    auto it = t.Entries.find(IdOf(handle));
    return it == t.Entries.end() ? nullptr : &it->second;
}

} // namespace

HRSRC FindResource(HMODULE module, const char* name, const char* type) {
    if (!name || !type) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::string moduleFile = platform::ModuleFileName(module);
    long typeNumber = NumberOf(type);
    ResourceTable& t = Table();
    std::lock_guard<std::mutex> guard(t.Lock);
    for (auto& [id, entry] : t.Entries) {
        if (long(entry.Type) != typeNumber || !SameName(entry.Name, name))
            continue;
        if (!entry.ModuleFile)
            entry.ModuleFile = platform::ModuleFileNameOf(entry.Anchor);
        if (!moduleFile.empty() && *entry.ModuleFile == moduleFile)
            return reinterpret_cast<HRSRC>((id << 4) | HandleTag);
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
    ResourceTable& t = Table();
    std::lock_guard<std::mutex> guard(t.Lock);
    if (!Find(t, resource)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HGLOBAL>(resource);
}

const void* LockResource(HGLOBAL resourceData) {
    ResourceTable& t = Table();
    std::lock_guard<std::mutex> guard(t.Lock);
    Entry* entry = Find(t, resourceData);
    return entry ? entry->Data : nullptr;
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    ResourceTable& t = Table();
    std::lock_guard<std::mutex> guard(t.Lock);
    Entry* entry = Find(t, resource);
    return entry ? DWORD(entry->Size) : 0;
}

BOOL FreeResource(HGLOBAL) {
    return FALSE;
}

namespace platform {

ResourceRegistration::ResourceRegistration(const void* anchor, const EmbeddedResource* resources,
                                           std::size_t count)
    : anchor_(anchor) {
    ResourceTable& t = Table();
    std::lock_guard<std::mutex> guard(t.Lock);
    for (std::size_t i = 0; i < count; ++i) {
        const EmbeddedResource& r = resources[i];
        t.Entries.emplace(t.NextId++, Entry{anchor, std::nullopt, r.Type, r.Name, r.Data, r.Size});
    }
}

ResourceRegistration::~ResourceRegistration() {
    ResourceTable& t = Table();
    std::lock_guard<std::mutex> guard(t.Lock);
    std::erase_if(t.Entries, [this](const auto& item) { return item.second.Anchor == anchor_; });
}

} // namespace platform
