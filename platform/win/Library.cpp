// Modules over the dynamic loader (dlopen, dlsym, dladdr, dlinfo). The uses
// this process holds of each library are counted here, so that FreeLibrary
// can refuse a handle it never gave out instead of handing it to the loader.
#include "platform/win/Library.h"

#include "platform/win/LastError.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct LoadedLibraries {
    std::mutex lock;
    std::map<void*, unsigned> uses; // loader handle -> uses given out
};

LoadedLibraries& Loaded() {
    static LoadedLibraries* table = new LoadedLibraries;
    return *table;
}

thread_local std::string lastLoadError;

void* ProgramHandle() {
    static void* handle = dlopen(nullptr, RTLD_LAZY);
    return handle;
}

std::string ProgramFileName() {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string();
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string FullPath(const std::string& path) {
    if (path.empty() || path[0] == '/')
        return path;
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

bool IsFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

HMODULE CountUse(void* handle) {
    LoadedLibraries& l = Loaded();
    std::lock_guard<std::mutex> guard(l.lock);
    ++l.uses[handle];
    return static_cast<HMODULE>(handle);
}

// Tries one candidate; notes whether a file of that name was there at all
// (a bare name is searched by the loader, whose message tells).
void* TryOpen(const std::string& candidate, bool& foundFile) {
    void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle) {
        foundFile = true;
        return handle;
    }
    const char* error = dlerror();
    lastLoadError = error ? error : "";
    if (candidate.find('/') != std::string::npos)
        foundFile = foundFile || IsFile(candidate);
    else
        foundFile = foundFile || lastLoadError.find("No such file") == std::string::npos;
    return nullptr;
}

} // namespace

HMODULE LoadLibrary(const char* fileName) {
    if (!fileName || !*fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::string name = fileName;
    bool foundFile = false;
    void* handle = nullptr;
    if (name.find('/') == std::string::npos) {
        // Windows looks in the program's folder before the search path.
        std::string local = FolderOf(ProgramFileName()) + "/" + name;
        if (IsFile(local))
            handle = TryOpen(local, foundFile);
        if (!handle)
            handle = TryOpen(name, foundFile);
    } else {
        handle = TryOpen(name, foundFile);
    }
    if (!handle) {
        SetLastError(foundFile ? ERROR_BAD_EXE_FORMAT : ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return CountUse(handle);
}

BOOL FreeLibrary(HMODULE module) {
    if (!module || module == ProgramHandle())
        return TRUE;
    LoadedLibraries& l = Loaded();
    {
        std::lock_guard<std::mutex> guard(l.lock);
        auto it = l.uses.find(module);
        if (it == l.uses.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        if (--it->second == 0)
            l.uses.erase(it);
    }
    dlclose(module);
    return TRUE;
}

FARPROC GetProcAddress(HMODULE module, const char* procName) {
    if (!procName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    void* symbol = dlsym(module ? static_cast<void*>(module) : ProgramHandle(), procName);
    if (!symbol) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

HMODULE GetModuleHandle(const char* moduleName) {
    if (!moduleName)
        return static_cast<HMODULE>(ProgramHandle());
    void* handle = dlopen(moduleName, RTLD_LAZY | RTLD_NOLOAD);
    if (!handle) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    dlclose(handle); // GetModuleHandle takes no use of its own
    return static_cast<HMODULE>(handle);
}

BOOL GetModuleHandleEx(DWORD flags, const void* moduleNameOrAddress, HMODULE* module) {
    if (!module) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *module = nullptr;
    std::string fileName;
    if (flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) {
        Dl_info info{};
        if (!dladdr(moduleNameOrAddress, &info) || !info.dli_fname) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return FALSE;
        }
        fileName = info.dli_fname;
    } else if (moduleNameOrAddress) {
        fileName = static_cast<const char*>(moduleNameOrAddress);
    }
    if (fileName.empty() || FullPath(fileName) == ProgramFileName()) {
        *module = static_cast<HMODULE>(ProgramHandle());
        return TRUE;
    }
    void* handle = dlopen(fileName.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (!handle) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    if (flags & GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT) {
        dlclose(handle);
        *module = static_cast<HMODULE>(handle);
    } else {
        *module = CountUse(handle);
    }
    return TRUE;
}

DWORD GetModuleFileName(HMODULE module, char* buffer, DWORD size) {
    std::string name = platform::ModuleFileName(module);
    if (name.empty()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!buffer || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (name.size() >= size) {
        std::memcpy(buffer, name.data(), size - 1);
        buffer[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    return static_cast<DWORD>(name.size());
}

namespace platform {

std::string ModuleFileName(HMODULE module) {
    if (!module || module == ProgramHandle())
        return ProgramFileName();
    link_map* map = nullptr;
    if (dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || !map)
        return {};
    std::string name = map->l_name ? map->l_name : "";
    return name.empty() ? ProgramFileName() : FullPath(name);
}

std::string ModuleFileNameOf(const void* address) {
    HMODULE module = nullptr;
    if (!GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           address, &module))
        return {};
    return ModuleFileName(module);
}

std::string LastLoadError() {
    return lastLoadError;
}

} // namespace platform
