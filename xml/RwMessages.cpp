// The language pack loader: a pack is a shared library with three C entry
// points, InitLanguageDll, Translate and FinalizeLanguageDll.
#include "xml/RwMessages.h"

#include "platform/rtl/Exception.h"

#include <dlfcn.h>
#include <mutex>
#include <sys/stat.h>

namespace {

using TInitLanguageDll = bool (*)();
using TTranslate = const char* (*)(int32_t group, int32_t id, const char* defaultFormat);
using TFinalizeLanguageDll = void (*)();

// Error codes the loader reports in its message, as the library loaders of the
// machine number them: no such module, and a file that is no loadable module.
constexpr int kModuleNotFound = 126;
constexpr int kBadModuleFormat = 193;

struct LanguagePack {
    void* handle = nullptr;
    TTranslate translate = nullptr;
    TFinalizeLanguageDll finalize = nullptr;
};

std::recursive_mutex& PackLock() {
    static std::recursive_mutex lock;
    return lock;
}

// The loaded pack; unloaded when the program ends.
struct PackHolder {
    LanguagePack pack;
    ~PackHolder() {
        if (pack.handle) {
            if (pack.finalize)
                pack.finalize();
            dlclose(pack.handle);
        }
    }
};

PackHolder& Holder() {
    static PackHolder holder;
    return holder;
}

bool FileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The folder of the module (program or shared library) that holds this code:
// the pack is looked for there first, as the machine's loader looks in the
// application's folder before the search path.
std::string OwnModuleFolder() {
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&OwnModuleFolder), &info) == 0 || !info.dli_fname)
        return {};
    std::string path = info.dli_fname;
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void* OpenPack(const std::string& name, int& errorCode) {
    std::string folder = OwnModuleFolder();
    bool hasPath = name.find('/') != std::string::npos;
    std::string local = hasPath || folder.empty() ? name : folder + "/" + name;
    void* handle = nullptr;
    bool found = FileExists(local);
    if (found)
        handle = dlopen(local.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle && !hasPath) {
        handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
        // dlopen tells no code; a file that was there but did not load is a
        // bad module, anything else was not found.
        found = found || handle != nullptr;
    }
    errorCode = found ? kBadModuleFormat : kModuleNotFound;
    return handle;
}

} // namespace

void UnLoadResourceLibrary() {
    std::lock_guard<std::recursive_mutex> guard(PackLock());
    LanguagePack& pack = Holder().pack;
    if (!pack.handle)
        return;
    if (pack.finalize)
        pack.finalize();
    dlclose(pack.handle);
    pack = LanguagePack();
}

bool ResourceLibraryLoaded() {
    std::lock_guard<std::recursive_mutex> guard(PackLock());
    return Holder().pack.handle != nullptr;
}

void LoadResourceLibrary(const std::string& name) {
    {
        std::lock_guard<std::recursive_mutex> guard(PackLock());
        UnLoadResourceLibrary();
        void* handle;
        int errorCode = 0;
        try {
            handle = OpenPack(name, errorCode);
        } catch (...) {
            throw Exception("Unable to load the given resourcelibrary " + name);
        }
        if (!handle)
            throw Exception("Unable to load the given resourcelibrary " + name + ". Error " +
                            std::to_string(errorCode) + " was raised!");
        auto init = reinterpret_cast<TInitLanguageDll>(dlsym(handle, "InitLanguageDll"));
        if (!init) {
            dlclose(handle);
            throw Exception("Unable to locate the function \"InitLanguageDll\" in Resource Library " +
                            name);
        }
        if (!init()) {
            dlclose(handle);
            throw Exception("Failed to initialize Resource Library!");
        }
        auto translate = reinterpret_cast<TTranslate>(dlsym(handle, "Translate"));
        if (!translate) {
            dlclose(handle);
            throw Exception("Unable to locate the function \"Translate\" in Resource Library " + name);
        }
        LanguagePack& pack = Holder().pack;
        pack.handle = handle;
        pack.translate = translate;
        pack.finalize = reinterpret_cast<TFinalizeLanguageDll>(dlsym(handle, "FinalizeLanguageDll"));
    }
}

std::string ResStringById(int32_t group, int32_t id) {
    std::lock_guard<std::recursive_mutex> guard(PackLock());
    if (!Holder().pack.handle)
        LoadResourceLibrary(RwDefaultLanguagePack);
    if (id <= 0)
        return {};
    const char* text = Holder().pack.translate(group, id, "<stringid %d,%d>");
    return text ? text : std::string();
}
