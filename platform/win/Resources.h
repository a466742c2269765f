// Resources: data that a module carries inside itself (pictures, icons,
// raw data), found by the module, the resource's type and its name. Names
// and types are either numbers (MAKEINTRESOURCE, or "#123") or strings
// compared without regard to letter case.
//
// A module's resources are files that the build embeds in it (the CMake
// function lorvane_embed_resources writes them into a source of the module,
// whose registration object adds them when the module is loaded and removes
// them when it is unloaded), so every library sees its own resources and
// nobody else's. An icon resource (RT_GROUP_ICON) holds a whole icon file:
// its directory and its images together.
#pragma once

#include "platform/win/GlobalMemory.h"

#include <cstddef>
#include <cstdint>

struct HRSRC__;
// A resource found by FindResource; 0 when none.
using HRSRC = HRSRC__*;

// A resource name or type given by number.
inline const char* MAKEINTRESOURCE(WORD id) {
    return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(id));
}
// True when a name or type is a number rather than a string.
inline bool IS_INTRESOURCE(const char* name) {
    return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}

// The standard resource types by number.
constexpr WORD RT_CURSOR_ID = 1;
constexpr WORD RT_BITMAP_ID = 2;
constexpr WORD RT_ICON_ID = 3;
constexpr WORD RT_RCDATA_ID = 10;
constexpr WORD RT_GROUP_ICON_ID = 14;
inline const char* const RT_BITMAP = MAKEINTRESOURCE(RT_BITMAP_ID);
inline const char* const RT_ICON = MAKEINTRESOURCE(RT_ICON_ID);
inline const char* const RT_RCDATA = MAKEINTRESOURCE(RT_RCDATA_ID);
inline const char* const RT_GROUP_ICON = MAKEINTRESOURCE(RT_GROUP_ICON_ID);

// The resource of that name and type in module (0: the program); 0, with
// the last error ERROR_RESOURCE_NAME_NOT_FOUND, when it has none.
HRSRC FindResource(HMODULE module, const char* name, const char* type);
// A handle to the resource's data (LockResource gives its bytes); 0 for a
// resource that is gone.
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
// The resource's bytes, which stay valid while its module is loaded.
const void* LockResource(HGLOBAL resourceData);
// The size of the resource's data in bytes; 0 for a resource that is gone.
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Resources need no freeing; kept for callers that do it anyway (FALSE).
BOOL FreeResource(HGLOBAL resourceData);

namespace platform {

// One resource a module embeds: its type by number, its name and its bytes.
struct EmbeddedResource {
    WORD Type;
    const char* Name;
    const unsigned char* Data;
    std::size_t Size;
};

// Adds the resources of the module holding `anchor` while it lives; the
// build's generated source of each module holds one.
class ResourceRegistration {
public:
    ResourceRegistration(const void* anchor, const EmbeddedResource* resources, std::size_t count);
    ~ResourceRegistration();
    ResourceRegistration(const ResourceRegistration&) = delete;
    ResourceRegistration& operator=(const ResourceRegistration&) = delete;

private:
    const void* anchor_;
};

} // namespace platform
