// The host driver: finding, loading, connecting, shutting down and
// unloading COM add-ins as an Office host does.
#include "platform/sim/HostDriver.h"

#include "platform/com/ClassFactory.h"
#include "platform/com/ComClasses.h"
#include "platform/com/ComServer.h"
#include "platform/sim/AddInCall.h"
#include "platform/sim/LastingBars.h"
#include "platform/text/Text.h"
#include "platform/win/Library.h"
#include "platform/win/Registry.h"

#include <cstdio>
#include <utility>

namespace sim {

namespace {

std::string CodeText(HRESULT hr) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<uint32_t>(hr));
    return std::string(code) + " " + SysErrorMessage(hr);
}

// Start-up loads an add-in that is marked connected and loaded at start-up,
// and one that asks to be connected the first time the host starts.
bool LoadsAtStartup(int32_t loadBehavior) {
    const int32_t both = LoadBehaviorConnected | LoadBehaviorLoadAtStartup;
    return (loadBehavior & both) == both || (loadBehavior & LoadBehaviorConnectFirstTime) != 0;
}

// A value of the add-in key; a value of the wrong type reads as missing.
std::string ReadText(TRegistry& reg, const char* name) {
    try {
        return reg.ReadString(name);
    } catch (const ERegistryException&) {
        return std::string();
    }
}

int32_t ReadNumber(TRegistry& reg, const char* name) {
    try {
        return reg.ValueExists(name) ? reg.ReadInteger(name) : 0;
    } catch (const ERegistryException&) {
        return 0;
    }
}

} // namespace

HostDriver::HostDriver(HostSite& site) : site_(site) {}

HostDriver::~HostDriver() {
    for (const auto& addIn : addIns_) {
        if (addIn->Entry)
            addIn->Entry->SetConnectHandler(nullptr);
        Unload(*addIn);
    }
}

std::vector<std::string> HostDriver::RegisteredAddIns() {
    std::vector<std::string> names;
    try {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            TRegistry reg;
            reg.SetRootKey(root);
            if (!reg.OpenKeyReadOnly(site_.AddInsKey()))
                continue;
            for (const std::string& name : reg.GetKeyNames()) {
                bool known = false;
                for (const std::string& seen : names)
                    known = known || text::SameText(seen, name);
                if (!known)
                    names.push_back(name);
            }
        }
    } catch (const Exception& e) {
        failures_.push_back("The add-in keys cannot be read: " + e.Message);
    }
    return names;
}

HostedAddIn* HostDriver::Find(std::string_view progId) {
    for (const auto& addIn : addIns_) {
        if (text::SameText(addIn->ProgId, progId))
            return addIn.get();
    }
    return nullptr;
}

RibbonHost* HostDriver::Ribbon(std::string_view progId, std::u16string_view ribbonId) {
    HostedAddIn* addIn = Find(progId);
    if (!addIn)
        return nullptr;
    auto ribbon = addIn->Ribbons.find(std::u16string(ribbonId));
    return ribbon == addIn->Ribbons.end() ? nullptr : ribbon->second.get();
}

// The add-in's entry from its add-in keys. Each value is read from the
// current user's key when it holds it, else from the machine's: an add-in
// registered for all users keeps per-user values (its start mode) under the
// same path of the current user, and that key does not hide the machine's
// LoadBehavior. Null (and reported) when neither hive has the key.
HostedAddIn* HostDriver::Read(std::string_view progId) {
    if (HostedAddIn* known = Find(progId))
        return known;
    try {
        std::unique_ptr<HostedAddIn> addIn;
        bool loadBehaviorRead = false, nameRead = false, descriptionRead = false;
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            TRegistry reg;
            reg.SetRootKey(root);
            if (!reg.OpenKeyReadOnly(site_.AddInsKey() + "\\" + std::string(progId)))
                continue;
            if (!addIn) {
                addIn = std::make_unique<HostedAddIn>();
                addIn->ProgId = std::string(progId);
            }
            addIn->AllUsers = addIn->AllUsers || root == HKEY_LOCAL_MACHINE;
            if (!loadBehaviorRead && (loadBehaviorRead = reg.ValueExists("LoadBehavior")))
                addIn->LoadBehavior = ReadNumber(reg, "LoadBehavior");
            if (!nameRead && (nameRead = reg.ValueExists("FriendlyName")))
                addIn->FriendlyName = ReadText(reg, "FriendlyName");
            if (!descriptionRead && (descriptionRead = reg.ValueExists("Description")))
                addIn->Description = ReadText(reg, "Description");
        }
        if (addIn) {
            // The class as far as it is registered; Load checks it again.
            CLSIDFromProgID(text::Wide(progId), &addIn->Clsid);
            addIn->Entry = SimulatedCOMAddIn::Create(text::Wide(progId), addIn->Clsid,
                                                     text::Wide(addIn->Description));
            std::string name = addIn->ProgId;
            // The COM add-ins dialog: putting Connect connects or removes the add-in.
            addIn->Entry->SetConnectHandler([this, name](bool connect) {
                if (connect ? !Connect(name) : !Disconnect(name))
                    throw EOleSysError("The add-in " + name + " could not be " +
                                           (connect ? "connected" : "disconnected"),
                                       E_FAIL);
            });
            addIns_.push_back(std::move(addIn));
            return addIns_.back().get();
        }
    } catch (const Exception& e) {
        failures_.push_back(std::string(progId) + ": its add-in key cannot be read: " + e.Message);
        return nullptr;
    }
    failures_.push_back(std::string(progId) + ": is not registered as an add-in of " +
                        site_.HostName());
    return nullptr;
}

void HostDriver::Fail(const HostedAddIn& addIn, const std::string& what, HRESULT hr) {
    std::string line = addIn.ProgId + ": " + what;
    if (hr != S_OK)
        line += " (" + CodeText(hr) + ")";
    std::string source, description;
    if (FAILED(hr) && TakeComErrorInfo(hr, source, description) && !description.empty())
        line += ": " + description;
    failures_.push_back(line);
}

// Logs and makes one call into the add-in; a failure code, or a C++
// exception let out, is reported. True on success.
template <class F> bool HostDriver::Call(HostedAddIn& addIn, const std::string& what, F&& call) {
    log_.push_back(addIn.ProgId + ": " + what);
    ClearComErrorInfo();
    std::string escaped;
    HRESULT hr = S_OK;
    {
        // The host's own reference for the call: the add-in may make the
        // host let go of it (turned off from a handler) while it runs.
        ComPtr<IDTExtensibility2> held = addIn.Object;
        ++addIn.CallsRunning;
        hr = ShieldedCall(call, escaped);
        --addIn.CallsRunning;
    }
    if (addIn.CallsRunning == 0 && std::exchange(addIn.UnloadPending, false))
        ReleaseLibrary(addIn);
    if (!escaped.empty()) {
        Fail(addIn, what + " let a C++ exception out: " + escaped);
        return false;
    }
    if (SUCCEEDED(hr))
        return true;
    Fail(addIn, what + " failed", hr);
    return false;
}

// ProgID to CLSID, the InprocServer32 library, its class object and a new
// add-in object. Whatever fails is reported and undone.
bool HostDriver::Load(HostedAddIn& addIn) {
    GUID clsid;
    HRESULT hr = CLSIDFromProgID(text::Wide(addIn.ProgId), &clsid);
    if (FAILED(hr)) {
        Fail(addIn, "its ProgID names no registered class", hr);
        return false;
    }
    addIn.Clsid = clsid;
    std::string path;
    {
        TRegistry reg;
        reg.SetRootKey(HKEY_CLASSES_ROOT);
        if (reg.OpenKeyReadOnly("\\CLSID\\" + clsid.ToString() + "\\InprocServer32"))
            path = ReadText(reg, "");
    }
    if (path.empty()) {
        Fail(addIn, "its class " + clsid.ToString() + " names no InprocServer32 library",
             REGDB_E_CLASSNOTREG);
        return false;
    }
    addIn.LibraryPath = path;
    addIn.Library = LoadLibrary(path.c_str());
    log_.push_back(addIn.ProgId + ": load " + path);
    if (!addIn.Library) {
        Fail(addIn, "its library does not load: " + platform::LastLoadError(), CO_E_DLLNOTFOUND);
        return false;
    }
    auto getClassObject =
        reinterpret_cast<DllGetClassObjectFunc>(GetProcAddress(addIn.Library, "DllGetClassObject"));
    if (!getClassObject) {
        Fail(addIn, "its library exports no DllGetClassObject", CO_E_ERRORINDLL);
        // Nothing was made from it, so nothing can be left alive.
        FreeLibrary(std::exchange(addIn.Library, nullptr));
        return false;
    }
    ComPtr<IClassFactory> factory;
    if (!Call(addIn, "DllGetClassObject", [&] {
            HRESULT got = getClassObject(clsid, IID_IClassFactory, factory.ReceiveVoid());
            return SUCCEEDED(got) && !factory ? E_POINTER : got;
        })) {
        Unload(addIn);
        return false;
    }
    ComPtr<IDTExtensibility2> object;
    bool created = Call(addIn, "CreateInstance", [&] {
        HRESULT made =
            factory->CreateInstance(nullptr, IID_IDTExtensibility2, object.ReceiveVoid());
        return SUCCEEDED(made) && !object ? E_POINTER : made;
    });
    factory = nullptr;
    if (!created) {
        Unload(addIn);
        return false;
    }
    addIn.Object = std::move(object);
    return true;
}

bool HostDriver::ConnectLoaded(HostedAddIn& addIn, ext_ConnectMode mode) {
    SafeArray custom;
    ComPtr<IDispatch> application = site_.Application();
    if (!Call(addIn, "OnConnection(" + std::to_string(mode) + ")", [&] {
            return addIn.Object->OnConnection(application.Get(), mode, addIn.Entry.Get(), &custom);
        })) {
        // The host drops an add-in that failed to connect, unasked.
        Unload(addIn);
        return false;
    }
    addIn.Connected = true;
    addIn.Entry->SetConnected(true);
    OfferTaskPanes(addIn);
    return addIn.Connected;
}

// Office hands every add-in that takes task panes a factory right after its
// connection, before start-up completes.
void HostDriver::OfferTaskPanes(HostedAddIn& addIn) {
    ComPtr<ICustomTaskPaneConsumer> consumer =
        ComQuery<ICustomTaskPaneConsumer>(addIn.Object.Get());
    if (!consumer)
        return;
    addIn.TaskPanes = SimulatedCTPFactory::Create(site_.Application());
    Call(addIn, "CTPFactoryAvailable",
         [&] { return consumer->CTPFactoryAvailable(addIn.TaskPanes.Get()); });
}

void HostDriver::StartupComplete(HostedAddIn& addIn) {
    SafeArray custom;
    Call(addIn, "OnStartupComplete", [&] { return addIn.Object->OnStartupComplete(&custom); });
}

void HostDriver::LoadRibbons(HostedAddIn& addIn) {
    std::vector<HostWindow> windows;
    try {
        windows = site_.Windows();
    } catch (const Exception& e) {
        failures_.push_back("The host's windows cannot be listed: " + e.Message);
    }
    for (const HostWindow& window : windows) {
        if (!addIn.Connected)
            return;
        LoadRibbon(addIn, window);
    }
}

// The host asks each add-in once per ribbon identifier; a later window of
// the same kind shows the same ribbon.
void HostDriver::LoadRibbon(HostedAddIn& addIn, const HostWindow& window) {
    if (!ComQuery<IRibbonExtensibility>(addIn.Object.Get()))
        return;
    auto known = addIn.Ribbons.find(window.RibbonId);
    if (known != addIn.Ribbons.end()) {
        known->second->SetContext(window.Window);
        return;
    }
    auto ribbon = std::make_unique<RibbonHost>(addIn.Object.Get(), window.RibbonId, window.Window);
    RibbonHost& loaded = *ribbon;
    // Kept even when loading fails: the host does not ask that add-in again.
    addIn.Ribbons.emplace(window.RibbonId, std::move(ribbon));
    log_.push_back(addIn.ProgId + ": GetCustomUI(" + text::Narrow(window.RibbonId) + ")");
    ClearComErrorInfo();
    try {
        loaded.Load();
    } catch (const EHostFailure& e) {
        Fail(addIn, e.Message, e.ErrorCode);
        return;
    }
    for (const std::string& error : loaded.Errors())
        Fail(addIn, error);
}

bool HostDriver::Connect(std::string_view progId, ext_ConnectMode mode) {
    HostedAddIn* addIn = Read(progId);
    if (!addIn || addIn->Connected)
        return false;
    if (!Load(*addIn) || !ConnectLoaded(*addIn, mode))
        return false;
    // Connected into a running host: no separate OnStartupComplete.
    if (mode == ext_cm_Startup)
        StartupComplete(*addIn);
    LoadRibbons(*addIn);
    return addIn->Connected;
}

void HostDriver::Start() {
    log_.push_back("Start");
    if (SimulatedCommandBars* bars = site_.LastingBars()) {
        try {
            LoadLastingBars(*bars, site_.HostName());
        } catch (const Exception& e) {
            failures_.push_back("The host's lasting command bars were not read: " + e.Message);
        }
    }
    for (const std::string& name : RegisteredAddIns()) {
        HostedAddIn* addIn = Read(name);
        if (addIn && !addIn->Connected && LoadsAtStartup(addIn->LoadBehavior) && Load(*addIn))
            ConnectLoaded(*addIn, ext_cm_Startup);
    }
    // Indexes, not iterators: an add-in may connect another from its handlers.
    for (size_t i = 0; i < addIns_.size(); ++i) {
        if (addIns_[i]->Connected)
            StartupComplete(*addIns_[i]);
    }
    for (size_t i = 0; i < addIns_.size(); ++i) {
        if (addIns_[i]->Connected)
            LoadRibbons(*addIns_[i]);
    }
}

void HostDriver::CloseWindow(IDispatch* window) {
    for (const auto& addIn : addIns_) {
        if (addIn->TaskPanes)
            addIn->TaskPanes->WindowClosed(window);
    }
}

void HostDriver::OpenWindow(const HostWindow& window) {
    for (size_t i = 0; i < addIns_.size(); ++i) {
        if (addIns_[i]->Connected)
            LoadRibbon(*addIns_[i], window);
    }
}

bool HostDriver::Disconnect(std::string_view progId) {
    HostedAddIn* addIn = Find(progId);
    if (!addIn || !addIn->Connected)
        return false;
    DisconnectLoaded(*addIn, ext_dm_UserClosed);
    return true;
}

void HostDriver::Quit() {
    log_.push_back("Quit");
    // Before the windows close: the bars are those the user leaves.
    if (SimulatedCommandBars* bars = site_.LastingBars()) {
        try {
            SaveLastingBars(*bars, site_.HostName());
        } catch (const Exception& e) {
            failures_.push_back("The host's lasting command bars were not kept: " + e.Message);
        }
    }
    try {
        site_.Quit();
    } catch (const Exception& e) {
        failures_.push_back("The host's quit failed: " + e.Message);
    }
    for (size_t i = 0; i < addIns_.size(); ++i) {
        HostedAddIn& addIn = *addIns_[i];
        if (!addIn.Connected)
            continue;
        SafeArray custom;
        Call(addIn, "OnBeginShutdown", [&] { return addIn.Object->OnBeginShutdown(&custom); });
    }
    for (size_t i = 0; i < addIns_.size(); ++i) {
        if (addIns_[i]->Connected)
            DisconnectLoaded(*addIns_[i], ext_dm_HostShutdown);
    }
}

// Whatever the add-in answers, the host lets it go.
void HostDriver::DisconnectLoaded(HostedAddIn& addIn, ext_DisconnectMode mode) {
    SafeArray custom;
    Call(addIn, "OnDisconnection(" + std::to_string(mode) + ")",
         [&] { return addIn.Object->OnDisconnection(mode, &custom); });
    Unload(addIn);
}

// Drops the host's references to the add-in, then unloads its library if
// DllCanUnloadNow allows it.
void HostDriver::Unload(HostedAddIn& addIn) {
    addIn.Connected = false;
    if (addIn.Entry) {
        addIn.Entry->SetConnected(false);
        addIn.Entry->ClearObject();
    }
    addIn.Ribbons.clear();
    if (addIn.TaskPanes) {
        addIn.TaskPanes->Clear();
        addIn.TaskPanes = nullptr;
    }
    addIn.Object = nullptr;
    // Inside a call into the add-in its code still runs: the library goes
    // when the outermost call has returned.
    if (addIn.CallsRunning > 0) {
        addIn.UnloadPending = addIn.Library != nullptr;
        return;
    }
    ReleaseLibrary(addIn);
}

// Asks DllCanUnloadNow and unloads the library when it answers S_OK.
void HostDriver::ReleaseLibrary(HostedAddIn& addIn) {
    HMODULE library = std::exchange(addIn.Library, nullptr);
    if (!library)
        return;
    auto canUnloadNow =
        reinterpret_cast<DllCanUnloadNowFunc>(GetProcAddress(library, "DllCanUnloadNow"));
    if (!canUnloadNow) {
        addIn.CanUnloadNow = S_FALSE;
        Fail(addIn, "its library exports no DllCanUnloadNow and stays loaded");
        return;
    }
    std::string escaped;
    addIn.CanUnloadNow = ShieldedCall(canUnloadNow, escaped);
    if (!escaped.empty())
        Fail(addIn, "DllCanUnloadNow let a C++ exception out: " + escaped);
    log_.push_back(addIn.ProgId + ": DllCanUnloadNow " +
                   (addIn.CanUnloadNow == S_OK ? "S_OK" : CodeText(addIn.CanUnloadNow)));
    if (addIn.CanUnloadNow != S_OK) {
        Fail(addIn, "its library still has live objects and stays loaded", addIn.CanUnloadNow);
        return;
    }
    FreeLibrary(library);
    log_.push_back(addIn.ProgId + ": unloaded");
}

} // namespace sim
