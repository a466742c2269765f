// The host driver: plays an Office host (Outlook) loading, running and
// unloading its COM add-ins, the way the host does it.
//
// Loading an add-in: its key "Software\Microsoft\Office\<host>\AddIns\<ProgID>"
// under HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE (LoadBehavior, FriendlyName,
// Description), the ProgID's CLSID, the CLSID's InprocServer32 library,
// loaded with the platform's LoadLibrary, then DllGetClassObject and the
// class factory's CreateInstance.
//
// Calls, in the host's order:
//   Start    for every add-in loaded at start-up, OnConnection (ext_cm_Startup)
//            and, when it takes task panes, CTPFactoryAvailable with a
//            task-pane factory of its own; then OnStartupComplete on each;
//            then the ribbons of the host's windows (GetCustomUI per ribbon
//            identifier, onLoad).
//   Connect  one add-in while the host runs (the COM add-ins dialog):
//            OnConnection with ext_cm_AfterStartup (no OnStartupComplete),
//            CTPFactoryAvailable, then its ribbons.
//   Disconnect  the user removes an add-in: OnDisconnection (ext_dm_UserClosed).
//   Quit     the application's Quit event, OnBeginShutdown on each add-in,
//            then OnDisconnection (ext_dm_HostShutdown) on each.
// The host keeps its lasting command bars with the machine: Start reads them
// back before any add-in loads, Quit writes them as the user leaves them
// (LastingBars.h); a file that cannot be read or written is a failure.
// After a disconnection the host closes the add-in's task panes, drops its
// COMAddIn.Object and its own references, asks DllCanUnloadNow and unloads the library when it
// answers S_OK; a library that still has live objects stays loaded (and is
// reported), as unloading it would leave those objects without their code.
// Like a host, the driver holds the add-in object during each call into it:
// an add-in turned off from inside a call (its COM add-ins entry) is let go
// of when that call returns, and its library after the outermost call.
//
// Whatever an add-in answers, the driver goes on as the host would: a failure
// is logged and reported in Failures(), never raised, and an add-in whose
// loading or connection failed is dropped.
#pragma once

#include "platform/com/Com.h"
#include "platform/office/Office.h"
#include "platform/sim/RibbonHost.h"
#include "platform/sim/SimCOMAddIn.h"
#include "platform/sim/SimTaskPanes.h"
#include "platform/win/WinTypes.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

class SimulatedCommandBars;

// A window of the host that shows a ribbon: its ribbon identifier and the
// window object that callbacks receive as IRibbonControl.Context.
struct HostWindow {
    std::u16string RibbonId;
    ComPtr<IDispatch> Window;
};

// What the driver needs of the host application it plays.
class HostSite {
public:
    virtual ~HostSite() = default;
    // The host's name in the add-in keys ("Outlook").
    virtual std::string HostName() const = 0;
    // The key that lists the host's add-ins ("\Software\Microsoft\Office\<name>\AddIns"
    // for most hosts; a host without "Office" in it says so here).
    virtual std::string AddInsKey() const {
        return "\\Software\\Microsoft\\Office\\" + HostName() + "\\AddIns";
    }
    // The application object handed to OnConnection.
    virtual ComPtr<IDispatch> Application() = 0;
    // The windows open now, each with its ribbon identifier.
    virtual std::vector<HostWindow> Windows() = 0;
    // The user quits: the host closes its windows and raises the
    // application's Quit event.
    virtual void Quit() = 0;
    // The command bars whose lasting bars the host keeps from one session
    // to the next (those of its main window), or null when it keeps none.
    virtual SimulatedCommandBars* LastingBars() { return nullptr; }
};

// One add-in as the driver found it in the registry and loaded it.
struct HostedAddIn {
    // The add-in key's name: the add-in's ProgID.
    std::string ProgId;
    // The add-in key's "FriendlyName", "Description" and "LoadBehavior" (0
    // when missing), each from the current user's key when it holds the
    // value, else from the machine's.
    std::string FriendlyName;
    std::string Description;
    int32_t LoadBehavior = 0;
    // True when a key lies under HKEY_LOCAL_MACHINE (registered for all users).
    bool AllUsers = false;
    // The class the ProgID names, and its InprocServer32 library.
    GUID Clsid;
    std::string LibraryPath;
    // The loaded library (0 when not loaded).
    HMODULE Library = nullptr;
    // The host's entry for the add-in, handed to OnConnection.
    ComPtr<SimulatedCOMAddIn> Entry;
    // The add-in object while it is connected.
    ComPtr<IDTExtensibility2> Object;
    // True between a successful OnConnection and the disconnection.
    bool Connected = false;
    // What DllCanUnloadNow answered at the last disconnection (S_OK: unloaded).
    HRESULT CanUnloadNow = S_FALSE;
    // The add-in's ribbon per ribbon identifier.
    std::map<std::u16string, std::unique_ptr<RibbonHost>> Ribbons;
    // The task-pane factory handed to the add-in while it is connected (null
    // when the add-in takes none).
    ComPtr<SimulatedCTPFactory> TaskPanes;
    // Calls into the add-in running now: a handler may reach the host again
    // (turn the add-in off) while the host is still inside a call.
    int CallsRunning = 0;
    // The library is let go of once the outermost call returns.
    bool UnloadPending = false;
};

class HostDriver {
public:
    // A host played over site; nothing is loaded before Start or Connect.
    explicit HostDriver(HostSite& site);
    // Releases what is still held and unloads what may be unloaded; no
    // further call reaches an add-in (a host that ends without Quit).
    ~HostDriver();
    HostDriver(const HostDriver&) = delete;
    HostDriver& operator=(const HostDriver&) = delete;

    // The ProgIDs of the add-ins registered for the host, current user's
    // first, each once.
    std::vector<std::string> RegisteredAddIns();
    // The host starts (see the top of the file): connects every add-in whose
    // LoadBehavior loads it at start-up.
    void Start();
    // Connects the add-in of that ProgID while the host runs; false when it
    // failed or is connected already.
    bool Connect(std::string_view progId, ext_ConnectMode mode = ext_cm_AfterStartup);
    // The user removes the add-in; false when it was not connected.
    bool Disconnect(std::string_view progId);
    // A window opened: every connected add-in's ribbon for its identifier
    // is loaded (once per identifier) and shown in it.
    void OpenWindow(const HostWindow& window);
    // A window closed: the task panes the add-ins made in it go with it.
    void CloseWindow(IDispatch* window);
    // The host exits (see the top of the file).
    void Quit();

    // The add-in of that ProgID (letter case ignored), or null.
    HostedAddIn* Find(std::string_view progId);
    // The add-in's ribbon for ribbonId, or null when it has none.
    RibbonHost* Ribbon(std::string_view progId, std::u16string_view ribbonId);
    // Every step the driver took with an add-in, in order
    // ("<ProgID>: OnConnection(1)", "<ProgID>: unloaded", "Quit event").
    const std::vector<std::string>& Log() const noexcept { return log_; }
    // Every failure met, with the ProgID and the reason.
    const std::vector<std::string>& Failures() const noexcept { return failures_; }

private:
    HostedAddIn* Read(std::string_view progId);
    bool Load(HostedAddIn& addIn);
    template <class F> bool Call(HostedAddIn& addIn, const std::string& what, F&& call);
    void Fail(const HostedAddIn& addIn, const std::string& what, HRESULT hr = S_OK);
    bool ConnectLoaded(HostedAddIn& addIn, ext_ConnectMode mode);
    void OfferTaskPanes(HostedAddIn& addIn);
    void StartupComplete(HostedAddIn& addIn);
    void LoadRibbons(HostedAddIn& addIn);
    void LoadRibbon(HostedAddIn& addIn, const HostWindow& window);
    void DisconnectLoaded(HostedAddIn& addIn, ext_DisconnectMode mode);
    void Unload(HostedAddIn& addIn);
    void ReleaseLibrary(HostedAddIn& addIn);

    HostSite& site_;
    std::vector<std::unique_ptr<HostedAddIn>> addIns_;
    std::vector<std::string> log_;
    std::vector<std::string> failures_;
};

} // namespace sim
