// The machine's COM classes: registration under HKEY_CLASSES_ROOT, ProgID
// look-ups, class objects registered in the process, and object creation
// through a registered server library's DllGetClassObject.

#include "platform/com/ComClasses.h"

#include "platform/com/ClassFactory.h"
#include "platform/com/ComServer.h"
#include "platform/com/CookieTable.h"
#include "platform/com/OleError.h"
#include "platform/text/Text.h"
#include "platform/win/Library.h"
#include "platform/win/Registry.h"

#include <map>
#include <mutex>

namespace {

// A ProgID is one key name: not empty, no backslash, at most 39 characters.
bool IsValidProgID(std::string_view progId) {
    return !progId.empty() && progId.size() <= 39 && progId.find('\\') == std::string_view::npos;
}

std::string ClassKey(const GUID& clsid) {
    return "\\CLSID\\" + clsid.ToString();
}

struct ClassObject {
    GUID clsid;
    ComPtr<IUnknown> object;
    uint32_t clsctx;
};

struct ServerLibrary {
    HMODULE module = nullptr;
    DllGetClassObjectFunc getClassObject = nullptr;
    DllCanUnloadNowFunc canUnloadNow = nullptr;
};

// The process's class objects.
CookieTable<ClassObject>& ClassObjects() {
    static CookieTable<ClassObject> table;
    return table;
}

// The server libraries loaded by CoGetClassObject, by path.
struct LoadedLibraries {
    std::mutex lock;
    std::map<std::string, ServerLibrary> byPath;
};

LoadedLibraries& Libraries() {
    static LoadedLibraries libraries;
    return libraries;
}

// The path of clsid's in-process server; empty when it has none.
std::string InprocServerPath(const GUID& clsid) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    if (!reg.OpenKeyReadOnly(ClassKey(clsid) + "\\InprocServer32"))
        return {};
    try {
        return reg.ReadString("");
    } catch (const ERegistryException&) {
        return {};
    }
}

// The DllGetClassObject of the library at path, loading it the first time.
HRESULT ServerEntry(const std::string& path, DllGetClassObjectFunc& entry) {
    LoadedLibraries& libraries = Libraries();
    std::lock_guard<std::mutex> guard(libraries.lock);
    auto it = libraries.byPath.find(path);
    if (it == libraries.byPath.end()) {
        ServerLibrary library;
        library.module = LoadLibrary(path.c_str());
        if (!library.module)
            return CO_E_DLLNOTFOUND;
        library.getClassObject = reinterpret_cast<DllGetClassObjectFunc>(
            GetProcAddress(library.module, "DllGetClassObject"));
        library.canUnloadNow = reinterpret_cast<DllCanUnloadNowFunc>(
            GetProcAddress(library.module, "DllCanUnloadNow"));
        if (!library.getClassObject) {
            FreeLibrary(library.module);
            return CO_E_ERRORINDLL;
        }
        it = libraries.byPath.emplace(path, library).first;
    }
    entry = it->second.getClassObject;
    return S_OK;
}

} // namespace

void RegisterComClass(const ComClassRegistration& r) {
    bool withProgID = !r.ProgID.empty();
    if (withProgID && !IsValidProgID(r.ProgID))
        throw EOleSysError("Invalid ProgID \"" + r.ProgID + "\"", E_INVALIDARG);
    platform::RegistryBatch batch; // one write of the registry file
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    std::string classKey = ClassKey(r.ClassID);
    auto open = [&](const std::string& key) {
        if (!reg.OpenKey(key, true))
            throw ERegistryException("Failed to create key " + key);
    };
    open(classKey);
    reg.WriteString("", r.Description);
    if (withProgID) {
        open(classKey + "\\ProgID");
        reg.WriteString("", r.ProgID);
    }
    open(classKey + "\\InprocServer32");
    reg.WriteString("", r.LibraryPath);
    if (!r.ThreadingModel.empty())
        reg.WriteString("ThreadingModel", r.ThreadingModel);
    if (withProgID) {
        open("\\" + r.ProgID);
        reg.WriteString("", r.Description);
        open("\\" + r.ProgID + "\\CLSID");
        reg.WriteString("", r.ClassID.ToString());
    }
    batch.Commit();
}

void UnregisterComClass(const GUID& clsid, std::string_view progId) {
    platform::RegistryBatch batch;
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    reg.DeleteKey(ClassKey(clsid));
    if (!IsValidProgID(progId))
        return batch.Commit();
    std::string progKey = "\\" + std::string(progId);
    GUID named;
    bool ours = FAILED(CLSIDFromProgID(text::Wide(progId), &named)) || named == clsid;
    if (ours)
        reg.DeleteKey(progKey);
    batch.Commit();
}

HRESULT CLSIDFromProgID(std::u16string_view progId, GUID* clsid) noexcept {
    if (!clsid)
        return E_INVALIDARG;
    *clsid = GUID_NULL;
    try {
        std::string name = text::Narrow(progId);
        if (!IsValidProgID(name))
            return CO_E_CLASSSTRING;
        TRegistry reg;
        reg.SetRootKey(HKEY_CLASSES_ROOT);
        if (!reg.OpenKeyReadOnly("\\" + name + "\\CLSID"))
            return CO_E_CLASSSTRING;
        auto parsed = GUID::Parse(reg.ReadString(""));
        if (!parsed)
            return CO_E_CLASSSTRING;
        *clsid = *parsed;
        return S_OK;
    } catch (...) {
        return CO_E_CLASSSTRING;
    }
}

HRESULT CLSIDFromString(std::u16string_view text, GUID* clsid) noexcept {
    if (!clsid)
        return E_INVALIDARG;
    if (!text.empty() && text[0] == u'{') {
        auto parsed = GUID::Parse(text);
        *clsid = parsed ? *parsed : GUID_NULL;
        return parsed ? S_OK : CO_E_CLASSSTRING;
    }
    return CLSIDFromProgID(text, clsid);
}

HRESULT ProgIDFromCLSID(const GUID& clsid, std::u16string* progId) noexcept {
    if (!progId)
        return E_INVALIDARG;
    try {
        TRegistry reg;
        reg.SetRootKey(HKEY_CLASSES_ROOT);
        if (!reg.OpenKeyReadOnly(ClassKey(clsid) + "\\ProgID"))
            return REGDB_E_CLASSNOTREG;
        std::string name = reg.ReadString("");
        if (name.empty())
            return REGDB_E_CLASSNOTREG;
        *progId = text::Wide(name);
        return S_OK;
    } catch (...) {
        return REGDB_E_CLASSNOTREG;
    }
}

GUID ProgIDToClassID(std::string_view progId) {
    GUID clsid;
    HRESULT hr = CLSIDFromProgID(text::Wide(progId), &clsid);
    if (FAILED(hr))
        throw EOleSysError(SysErrorMessage(hr) + " (" + std::string(progId) + ")", hr);
    return clsid;
}

std::string ClassIDToProgID(const GUID& clsid) {
    std::u16string progId;
    HRESULT hr = ProgIDFromCLSID(clsid, &progId);
    if (FAILED(hr))
        throw EOleSysError(SysErrorMessage(hr) + " (" + clsid.ToString() + ")", hr);
    return text::Narrow(progId);
}

HRESULT CoRegisterClassObject(const GUID& clsid, IUnknown* classObject, uint32_t clsctx, uint32_t,
                              uint32_t* cookie) noexcept {
    if (!classObject || !cookie)
        return E_INVALIDARG;
    return ComGuard([&] {
        *cookie = ClassObjects().Add({clsid, ComPtr<IUnknown>::Share(classObject), clsctx});
    });
}

HRESULT CoRevokeClassObject(uint32_t cookie) noexcept {
    return ClassObjects().Remove(cookie) ? S_OK : CO_E_OBJNOTREG;
}

HRESULT CoGetClassObject(const GUID& clsid, uint32_t clsctx, void*, const GUID& iid,
                         void** ppv) noexcept {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    auto registered = ClassObjects().FindFirst(
        [&](const ClassObject& entry) { return entry.clsid == clsid && (entry.clsctx & clsctx); });
    if (registered)
        return registered->object->QueryInterface(iid, ppv);
    if (!(clsctx & CLSCTX_INPROC_SERVER))
        return REGDB_E_CLASSNOTREG;
    std::string path;
    try {
        path = InprocServerPath(clsid);
    } catch (...) {
        return REGDB_E_CLASSNOTREG;
    }
    if (path.empty())
        return REGDB_E_CLASSNOTREG;
    DllGetClassObjectFunc entry = nullptr;
    HRESULT hr = ServerEntry(path, entry);
    if (FAILED(hr))
        return hr;
    return entry(clsid, iid, ppv);
}

HRESULT CoCreateInstance(const GUID& clsid, IUnknown* outer, uint32_t clsctx, const GUID& iid,
                         void** ppv) noexcept {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    ComPtr<IClassFactory> factory;
    HRESULT hr = CoGetClassObject(clsid, clsctx, nullptr, IID_IClassFactory, factory.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    return factory->CreateInstance(outer, iid, ppv);
}

void CoFreeUnusedLibraries() noexcept {
    LoadedLibraries& libraries = Libraries();
    std::lock_guard<std::mutex> guard(libraries.lock);
    for (auto it = libraries.byPath.begin(); it != libraries.byPath.end();) {
        const ServerLibrary& library = it->second;
        if (library.canUnloadNow && library.canUnloadNow() == S_OK) {
            FreeLibrary(library.module);
            it = libraries.byPath.erase(it);
        } else {
            ++it;
        }
    }
}

bool IsComLibraryLoaded(std::string_view path) {
    LoadedLibraries& libraries = Libraries();
    std::lock_guard<std::mutex> guard(libraries.lock);
    return libraries.byPath.count(std::string(path)) > 0;
}

ComPtr<IUnknown> CreateComObject(const GUID& clsid) {
    ComPtr<IUnknown> object;
    OleCheck(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                              IID_IUnknown, object.ReceiveVoid()));
    return object;
}

ComPtr<IDispatch> CreateOleObject(std::string_view progId) {
    GUID clsid = ProgIDToClassID(progId);
    ComPtr<IDispatch> object;
    OleCheck(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                              IID_IDispatch, object.ReceiveVoid()));
    return object;
}
