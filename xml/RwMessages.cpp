// The language pack loader: a pack is a shared library with three C entry
// points, InitLanguageDll, Translate and FinalizeLanguageDll.
#include "xml/RwMessages.h"

#include "platform/rtl/Exception.h"

#include "platform/win/LastError.h"
#include "platform/win/Library.h"

#include <mutex>
#include <sys/stat.h>

namespace {

using TInitLanguageDll = bool (*)();
using TTranslate = const char* (*)(int32_t group, int32_t id, const char* defaultFormat);
using TFinalizeLanguageDll = void (*)();

struct LanguagePack {
    HMODULE handle = 0;
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
            FreeLibrary(pack.handle);
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

// Loads the pack from the folder of the module (program or shared library)
// that holds this code, as the machine's loader looks in the application's
// folder first; then by name from the search path.
HMODULE OpenPack(const std::string& name) {
    if (name.find('/') == std::string::npos) {
        std::string own = platform::ModuleFileNameOf(reinterpret_cast<const void*>(&OpenPack));
        size_t slash = own.rfind('/');
        struct stat info;
        std::string local = own.substr(0, slash == std::string::npos ? 0 : slash + 1) + name;
        if (slash != std::string::npos && stat(local.c_str(), &info) == 0)
            return LoadLibrary(local.c_str());
    }
    return LoadLibrary(name.c_str());
}

} // namespace

void UnLoadResourceLibrary() {
    std::lock_guard<std::recursive_mutex> guard(PackLock());
    LanguagePack& pack = Holder().pack;
    if (!pack.handle)
        return;
    if (pack.finalize)
        pack.finalize();
    FreeLibrary(pack.handle);
    pack = LanguagePack();
}

bool ResourceLibraryLoaded() {
    std::lock_guard<std::recursive_mutex> guard(PackLock());
    return Holder().pack.handle != 0;
}

void LoadResourceLibrary(const std::string& name) {
    {
        std::lock_guard<std::recursive_mutex> guard(PackLock());
        UnLoadResourceLibrary();
        HMODULE handle;
        try {
            handle = OpenPack(name);
        } catch (...) {
            throw Exception("Unable to load the given resourcelibrary " + name);
        }
        if (!handle)
            throw Exception("Unable to load the given resourcelibrary " + name + ". Error " +
                            std::to_string(GetLastError()) + " was raised!");
        auto init = reinterpret_cast<TInitLanguageDll>(GetProcAddress(handle, "InitLanguageDll"));
        if (!init) {
            FreeLibrary(handle);
            throw Exception("Unable to locate the function \"InitLanguageDll\" in Resource Library " +
                            name);
        }
        if (!init()) {
            FreeLibrary(handle);
            throw Exception("Failed to initialize Resource Library!");
        }
        auto translate = reinterpret_cast<TTranslate>(GetProcAddress(handle, "Translate"));
        if (!translate) {
            FreeLibrary(handle);
            throw Exception("Unable to locate the function \"Translate\" in Resource Library " + name);
        }
        LanguagePack& pack = Holder().pack;
        pack.handle = handle;
        pack.translate = translate;
        pack.finalize = reinterpret_cast<TFinalizeLanguageDll>(GetProcAddress(handle, "FinalizeLanguageDll"));
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
