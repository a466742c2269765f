// The language pack loader: a pack is a shared library with three C entry
// points, InitLanguageDll, Translate and FinalizeLanguageDll. Libraries are
// opened through the platform's loader, never the system's directly.
#include "xml/RwMessages.h"

#include "xml/RwTranslate.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/TranslateHook.h"
#include "platform/win/LastError.h"
#include "platform/win/Library.h"

#include <mutex>

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

// Loads the pack from the folder of the module (program or shared library)
// that holds this code, as the machine's loader looks in the application's
// folder first; then by name from the search path.
HMODULE OpenPack(const std::string& name) {
    if (name.find('/') == std::string::npos) {
        std::string folder =
            ExtractFilePath(platform::ModuleFileNameOf(reinterpret_cast<const void*>(&OpenPack)));
        if (!folder.empty() && FileExists(folder + name))
            return LoadLibrary((folder + name).c_str());
    }
    return LoadLibrary(name.c_str());
}

// Unloads a loaded pack and loads name in its place; the caller holds the lock.
void LoadPack(const std::string& name) {
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
    auto finalize =
        reinterpret_cast<TFinalizeLanguageDll>(GetProcAddress(handle, "FinalizeLanguageDll"));
    if (!translate) {
        // Initialised already: it gets to release what it set up.
        if (finalize)
            finalize();
        FreeLibrary(handle);
        throw Exception("Unable to locate the function \"Translate\" in Resource Library " + name);
    }
    LanguagePack& pack = Holder().pack;
    pack.handle = handle;
    pack.translate = translate;
    pack.finalize = finalize;
}

// Tells every open form, data module and component that offers IRwTranslate
// to translate itself. Runs without the pack's lock, so that a component may
// look its texts up, or load another pack, while it translates.
void TranslateOpenComponents() {
    platform::TranslateOpenComponents(
        IRwTranslate::Iid, [](void* intf) { static_cast<IRwTranslate*>(intf)->Translate(); });
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
        LoadPack(name);
    }
    TranslateOpenComponents();
}

std::string ResStringById(int32_t group, int32_t id) {
    bool loadedNow = false;
    std::string text;
    {
        std::lock_guard<std::recursive_mutex> guard(PackLock());
        if (!Holder().pack.handle) {
            LoadPack(RwDefaultLanguagePack);
            loadedNow = true;
        }
        if (id > 0) {
            const char* translated = Holder().pack.translate(group, id, "<stringid %d,%d>");
            text = translated ? translated : "";
        }
    }
    // The pack that arrived with this lookup translates the open forms as an
    // explicit load would.
    if (loadedNow)
        TranslateOpenComponents();
    return text;
}
