// The add-in object's connection lifecycle: connection, start-up complete,
// begin shutdown and disconnection, in the framework's order. The start-up
// steps themselves are in AddInStartup.cpp.
#include "framework/AddInObject.h"

#include "framework/AddInFactory.h"
#include "framework/AddInModule.h"
#include "framework/commandbars/CommandBarRelays.h"
#include "framework/hosts/HiddenWindows.h"
#include "framework/hosts/HostApplications.h"
#include "framework/hosts/OutlookWindowWrappers.h"
#include "framework/panes/CustomTaskPanes.h"
#include "framework/panes/OpenWindowPanes.h"
#include "platform/com/LateBound.h"
#include "platform/com/OleError.h"
#include "platform/forms/Application.h"
#include "platform/forms/Timer.h"
#include "platform/office/COMAddIn.h"
#include "platform/outlook/OutlookApplication.h"
#include "platform/win/Registry.h"

#include <optional>

namespace {

// Deletes a key below the add-in key under HKEY_CURRENT_USER when it exists;
// an empty add-in key (no factory) deletes nothing.
void DeleteAddInSubKey(const std::string& addInKey, const char* subKey) {
    if (addInKey.empty())
        return;
    TRegistry registry;
    std::string key = addInKey + subKey;
    if (registry.KeyExists(key))
        registry.DeleteKey(key);
}

} // namespace

TadxAddin::TadxAddin(ComObjectCount& count) : ComObject(count) {}

TadxAddin::~TadxAddin() {
    FreeConnection();
}

IDispatch* TadxAddin::DispatchSelf() noexcept {
    return static_cast<IDTExtensibility2*>(this);
}

TadxFactory& TadxAddin::GetFactory() const {
    if (!factory_)
        throw EOleSysError("The add-in object was not created by its class factory", E_UNEXPECTED);
    return *factory_;
}

TadxCOMAddInModule& TadxAddin::RequireModule() const {
    if (!module_)
        throw EOleSysError("The add-in is not connected", E_UNEXPECTED);
    return *module_;
}

// ---- IDTExtensibility2 ----

HRESULT TadxAddin::OnConnection(IDispatch* application, ext_ConnectMode connectMode,
                                IDispatch* addInInst, SafeArray* custom) {
    // A host connects once; a second connection would orphan the first module.
    if (module_)
        return E_UNEXPECTED;
    // Every host passes its application; without one the module would run
    // its start-up with no host to detect, so no module is made.
    if (!application)
        return E_POINTER;
    return ComGuard([&] { DoConnection(application, connectMode, addInInst); });
}

HRESULT TadxAddin::OnStartupComplete(SafeArray* custom) {
    return ComGuard([&] { DoStartupComplete(); });
}

HRESULT TadxAddin::OnBeginShutdown(SafeArray* custom) {
    return ComGuard([&] { DoBeginShutdown(); });
}

HRESULT TadxAddin::OnDisconnection(ext_DisconnectMode removeMode, SafeArray* custom) {
    // A handler of the disconnection that runs now may turn the add-in off
    // again (a pane's OnTaskPaneBeforeDestroy while the panes are cleared):
    // the running disconnection does all there is to do.
    if (disconnecting_)
        return S_OK;
    return ComGuard([&] { DoDisconnection(removeMode); });
}

HRESULT TadxAddin::OnAddInsUpdate(SafeArray* custom) {
    return S_OK;
}

void TadxAddin::CallBack(int32_t Param1, int32_t Param2, int32_t Param3, int32_t Param4,
                         int32_t Param5, int32_t Param6, int32_t Param7) {
    if (module_)
        module_->DoCallBack(Param1, Param2, Param3, Param4, Param5, Param6, Param7);
}

// ---- the steps ----

void TadxAddin::DoConnection(IDispatch* application, ext_ConnectMode connectMode,
                             IDispatch* addInInst) {
    module_ = GetFactory().CreateModule();
    module_->HostApplication = application ? Variant(application) : Variant();
    module_->AddIn = this;
    module_->Factory = factory_;
    if (connectMode != ext_cm_Startup)
        DoStartupComplete();
    // A handler of start-up may have turned the add-in off again.
    if (addInInst && module_) {
        module_->COMAddIn = ComQuery<::COMAddIn>(addInInst);
        if (module_->COMAddIn)
            OleCheck(module_->COMAddIn->put_Object(DispatchSelf()));
    }
}

void TadxAddin::DoStartupComplete() {
    TadxCOMAddInModule& module = RequireModule();
    rtl::TLifeWatch connected = module.Liveness().Watch();
    ++module.StartCounter;
    if (module.StartCounter > 1 || module.ExcelApplication)
        return;
    module.SetHostApplication();
    hostType_ = module.HostType;
    if (hostType_ == ohaExcel || hostType_ == ohaVisio)
        FindHostMainWindow();
    // A first start creates the add-in's key here and writes its start mode
    // once start-up is complete: the registry file is saved once, for both.
    // Any other start changes nothing, and the batch ends at once.
    std::optional<platform::RegistryBatch> firstStartSave(std::in_place);
    OpenAddInKey();
    ReadStartMode();
    if (module.StartMode != adxStartModeFirstStart)
        firstStartSave.reset();
    adxReadOfficeTheme(module.HostMajorVersion, module.Theme);
    module.CommandBars = module.GetAppCommandBars();
    // A handler may turn the add-in off, which ends the connection and frees
    // the module: the step stops there.
    if (!module.Fire(module.OnAddInInitialize, &module))
        return;
    if (hostType_ == ohaOutlook)
        module.LoadExplCommandBars();
    if (hostType_ == ohaAccess) {
        module.AccessInstalled = false;
        module.AccessTimer->SetEnabled(true);
    } else if (hostType_ != ohaMapPoint) {
        module.Install();
    }
    if (module.CTPFactory)
        adxMakeStartupPanes(module);
    if (!connected || !module.Fire(module.OnAddInStartupComplete, &module))
        return;
    if (module.StartMode == adxStartModeFirstStart)
        WriteNormalStartMode();
    firstStartSave.reset();
    HookHostEvents();
    if (!connected)
        return;
    if (module.HandleShortcuts()) {
        adxRemoveKeyboardHook(module);
        adxInstallKeyboardHook(module);
    }
    adxCreateColorWindow(module);
}

void TadxAddin::DoBeginShutdown() {
    TadxCOMAddInModule& module = RequireModule();
    const bool connected = module.Fire(module.OnAddInBeginShutdown, &module);
    if (hostType_ == ohaExcel || hostType_ == ohaVisio)
        Application().SetHandle(nullptr);
    if (hostType_ == ohaMapPoint && connected && module.MapPointApplication)
        dispCall(module.MapPointApplication->DefaultInterface(), "RemoveCommands",
                 Variant(DispatchSelf()));
}

void TadxAddin::DoDisconnection(ext_DisconnectMode removeMode) {
    TadxCOMAddInModule& module = RequireModule();
    // The connection is freed and the state cleared on every way out; the
    // host holds the object while it calls it, so the object is still there.
    struct Cleanup {
        TadxAddin& self;
        ~Cleanup() {
            self.FreeConnection();
            self.disconnecting_ = false;
        }
    } cleanup{*this};
    disconnecting_ = true;

    rtl::TLifeWatch connected = module.Liveness().Watch();
    if (removeMode != ext_dm_HostShutdown) {
        // The object's own begin-shutdown step: its failure (a host that
        // refuses to remove the add-in's commands) is its answer alone, and
        // the disconnection goes on.
        OnBeginShutdown(nullptr);
        if (!connected)
            return;
        if (hostType_ == ohaWord)
            module.CommandBars = module.GetAppCommandBars();
        adxUninstallCommandBars(module, true, true);
        const std::string key = module.GetRegistryKey();
        DeleteAddInSubKey(key, "\\CommandBars");
        DeleteAddInSubKey(key, "\\Controls");
    }
    if (module.CTPFactory)
        module.TaskPanes->Clear();
    if (connected)
        module.Fire(module.OnAddInFinalize, &module);
}

void TadxAddin::FreeConnection() noexcept {
    officeRelays_.reset();
    FreeOutlookWrappers();
    TadxCOMAddInModule* module = std::exchange(module_, nullptr);
    if (!module)
        return;
    module->Registry->CloseKey();
    adxFreeModule(module);
}
