// TadxAddin: the COM object an Office host creates for the add-in and talks
// to. It answers the host's connection interface (IDTExtensibility2), its
// ribbon and task-pane interfaces and its late-bound calls; on connection it
// creates the add-in module from the module's stored form and then drives it
// through start-up and shutdown in the framework's fixed order, relays the
// host's window events to it and owns the wrappers of the host's windows.
//
// A product's COM class derives from it (adding its own dispatch interface
// IID with AddInterfaceAlias, if any) and is made by its TadxFactory. It is
// a self-deleting COM object counted in its library's live-object count.
// Every method the host calls runs on the host's user-interface thread and
// lets no C++ exception out: a failure becomes its HRESULT.
#pragma once

#include "framework/commandbars/CommandBarsEventSink.h"
#include "framework/hosts/OfficeRelays.h"
#include "framework/hosts/OutlookWindowWrappers.h"
#include "framework/support/OfficeHosts.h"
#include "platform/com/ComObject.h"
#include "platform/office/Extensibility.h"
#include "platform/office/Ribbon.h"
#include "platform/office/TaskPanes.h"
#include "platform/outlook/OutlookApplication.h"
#include "platform/rtl/Object.h"

#include <memory>
#include <vector>

class TadxCOMAddInModule;
class TadxFactory;

// {7175D144-097E-4CB1-B3BD-9CA72BC05BD6}
constexpr GUID IID_IadxCallBack = MakeGuid("{7175D144-097E-4CB1-B3BD-9CA72BC05BD6}");

// The framework's in-process call-back: a plain call, not an automation one,
// so an exception of the module's handler reaches the caller.
struct IadxCallBack : IUnknown {
    static constexpr GUID Iid = IID_IadxCallBack;
    // Hands the seven arguments unchanged to the module's OnCallBack.
    virtual void CallBack(int32_t Param1, int32_t Param2, int32_t Param3, int32_t Param4,
                          int32_t Param5, int32_t Param6, int32_t Param7) = 0;
};

class TadxAddin : public ComObject<ICustomTaskPaneConsumer, IRibbonExtensibility, IadxCallBack,
                                   IDTExtensibility2> {
public:
    // ---- IDTExtensibility2 ----

    // Creates the module, gives it the host, and runs start-up at once when
    // the host is running already (any connect mode but ext_cm_Startup).
    // E_POINTER for a null application, E_UNEXPECTED when connected already.
    HRESULT OnConnection(IDispatch* application, ext_ConnectMode connectMode, IDispatch* addInInst,
                         SafeArray* custom) override;
    // Ends the connection; with any remove mode but ext_dm_HostShutdown it
    // runs OnBeginShutdown first (whatever it answers) and removes the
    // add-in's command bars. The module is freed in every case. Called again
    // while a disconnection runs (from one of its handlers): S_OK, nothing.
    HRESULT OnDisconnection(ext_DisconnectMode removeMode, SafeArray* custom) override;
    // Nothing.
    HRESULT OnAddInsUpdate(SafeArray* custom) override;
    // The start-up steps, once per connection.
    HRESULT OnStartupComplete(SafeArray* custom) override;
    // Fires the module's OnAddInBeginShutdown.
    HRESULT OnBeginShutdown(SafeArray* custom) override;

    // ---- IRibbonExtensibility, ICustomTaskPaneConsumer ----

    // The ribbon document for the windows of ribbonId.
    HRESULT GetCustomUI(const BSTR& ribbonId, BSTR* ribbonXml) override;
    // Keeps the host's task-pane factory and, after start-up, makes the panes
    // of the windows open now; E_POINTER for a null factory.
    HRESULT CTPFactoryAvailable(ICTPFactory* factory) override;

    // ---- IadxCallBack ----

    void CallBack(int32_t Param1, int32_t Param2, int32_t Param3, int32_t Param4, int32_t Param5,
                  int32_t Param6, int32_t Param7) override;

    // ---- IDispatch (the host's ribbon callbacks come through it) ----

    HRESULT GetTypeInfoCount(uint32_t* count) override;
    HRESULT GetTypeInfo(uint32_t index, LCID lcid, ITypeInfo** typeInfo) override;
    HRESULT GetIDsOfNames(const GUID& riid, const char16_t* const* names, uint32_t count, LCID lcid,
                          DISPID* dispIds) override;
    HRESULT Invoke(DISPID dispId, const GUID& riid, LCID lcid, uint16_t flags, DispParams* params,
                   Variant* result, ExcepInfo* excepInfo, uint32_t* argErr) override;

    // ---- the framework's side ----

    // The class factory that created the object; raises EOleSysError
    // (E_UNEXPECTED) when none did.
    TadxFactory& GetFactory() const;
    // The module of the current connection, or nullptr.
    TadxCOMAddInModule* Module() const { return module_; }
    // The host kind detected at start-up.
    TadxOfficeHostApp HostType() const { return hostType_; }
    // The object's own IDispatch, as QueryInterface gives it (what
    // COMAddIn.Object is set to).
    IDispatch* DispatchSelf() noexcept;

    // ---- Outlook window relays (AddInRelays.cpp) ----
    //
    // Each relays one of Outlook's window events to the module's event of
    // the same name (guarded: a handler's exception goes to DoError); Sender
    // is the wrapper that raised it.

    // A new explorer window, from Explorers' NewExplorer or, with no sender,
    // from start-up for each explorer open then: wrapped once (by window
    // handle), reported, and activated at once at start-up and with Outlook
    // 2007, else at its first folder switch.
    void DoNewExplorer(TObject* Sender, IDispatch* Explorer);
    // An explorer came to the front: its command bars become the module's,
    // then OnOLExplorerActivate and its task panes. An activation that
    // arrives while one is running is dropped.
    void DoExplorerActivate(TObject* Sender);
    // An explorer shows another folder: a pending activation first, then
    // the explorer bars follow the folder, then OnOLExplorerFolderSwitch.
    void DoExplorerFolderSwitch(TObject* Sender);
    void DoExplorerBeforeFolderSwitch(TObject* Sender, const ComPtr<IDispatch>& NewFolder,
                                      WordBool& Cancel);
    void DoExplorerViewSwitch(TObject* Sender);
    void DoExplorerBeforeViewSwitch(TObject* Sender, const Variant& NewView, WordBool& Cancel);
    void DoExplorerDeactivate(TObject* Sender);
    void DoExplorerSelectionChange(TObject* Sender);
    // An explorer closes: its bars' positions are saved, OnOLExplorerClose,
    // its panes go, its wrapper goes; with the last explorer the inspector
    // wrappers go too (not in Outlook 2000).
    void DoExplorerClose(TObject* Sender);
    // A new inspector window, from Inspectors' NewInspector or, with no
    // sender, from start-up for the active inspector: reported, then wrapped
    // and activated unless it shows a note. Never fails.
    void DoNewInspector(TObject* Sender, IDispatch* Inspector);
    // An inspector came to the front (dropped like an explorer's activation
    // while one is running).
    void DoInspectorActivate(TObject* Sender);
    void DoInspectorDeactivate(TObject* Sender);
    // An inspector that was wrapped closes: OnOLInspectorClose, its panes
    // and command bars let go of it, its wrapper goes.
    void DoInspectorClose(TObject* Sender);
    // Outlook's options dialog and a folder's properties dialog are being
    // built: the handler assigned before start-up (application only), then
    // the module's OptionsPagesAdd and NameSpaceOptionsPagesAdd.
    void DoOptionsPagesAdd(TObject* Sender, const ComPtr<IDispatch>& Pages);
    void DoNameSpaceOptionsPagesAdd(TObject* Sender, const ComPtr<IDispatch>& Pages,
                                    const ComPtr<IDispatch>& Folder);

    // The wrappers of the explorers and inspectors open now, in the order they were seen.
    const std::vector<TadxExplorerWrapper*>& Explorers() const noexcept { return explorers_; }
    const std::vector<TadxInspector*>& Inspectors() const noexcept { return inspectors_; }
    // The sink on the current explorer's command bars, or nullptr.
    TadxCommandBarsEventSink* CommandBarsEventSink() const noexcept {
        return commandBarsSink_.Get();
    }

protected:
    // A new add-in object, counted in the library that defines the most
    // derived class (see ComObject.h).
    explicit TadxAddin(ComObjectCount& count = LibraryObjectCount());
    // Frees a module still connected (a host that released the object
    // without disconnecting it).
    ~TadxAddin() override;
    // Makes the object answer iid (a product's own dispatch interface, such
    // as its type library's default interface) with its IDispatch.
    void AddDispatchInterface(const GUID& iid) { AddInterfaceAlias<ICustomTaskPaneConsumer>(iid); }

private:
    friend class TadxFactory;

    // The steps, raising on failure; the COM methods above guard them.
    void DoConnection(IDispatch* application, ext_ConnectMode connectMode, IDispatch* addInInst);
    void DoStartupComplete();
    void DoBeginShutdown();
    void DoDisconnection(ext_DisconnectMode removeMode);
    // Frees what the connection holds: the wrappers, the module's registry
    // key, the module. Never raises.
    void FreeConnection() noexcept;
    // The module, or EOleSysError E_UNEXPECTED when the connection failed or ended.
    TadxCOMAddInModule& RequireModule() const;

    // Start-up steps that need more than a line (AddInStartup.cpp).
    void FindHostMainWindow();
    void OpenAddInKey();
    void ReadStartMode();
    void WriteNormalStartMode();
    void HookHostEvents();
    void HookOutlookEvents();
    void HookOfficeEvents();
    // Frees the window wrappers, the collections' and name space's
    // wrappers and the command-bars sink.
    void FreeOutlookWrappers() noexcept;
    // Drops the command-bars sink, disconnected.
    void DropCommandBarsSink() noexcept;

    TadxFactory* factory_ = nullptr;
    TadxCOMAddInModule* module_ = nullptr;
    TadxOfficeHostApp hostType_ = ohaExcel;
    // The Outlook wrappers: explorers and inspectors open now (owned), and
    // the collections and name space whose events the relays hear.
    std::vector<TadxExplorerWrapper*> explorers_;
    std::vector<TadxInspector*> inspectors_;
    std::unique_ptr<TExplorers> explorersWrapper_;
    std::unique_ptr<TInspectors> inspectorsWrapper_;
    std::unique_ptr<TNameSpace> nameSpace_;
    // The application's OptionsPagesAdd handler assigned before start-up.
    TOlObjectEvent previousOptionsPagesAdd_;
    // The sink on the current explorer's command bars.
    ComPtr<TadxCommandBarsEventSink> commandBarsSink_;
    // The relays of Word, Excel, InfoPath and Visio (hosts/OfficeRelays.h).
    std::unique_ptr<TadxOfficeRelays> officeRelays_;
    // True while a disconnection runs. This is a state of a living object,
    // not an end of life: the object and its module both live on until the
    // disconnection ends, so no liveness watch can tell it. A disconnection
    // asked for meanwhile (from its own handlers) is answered at once.
    bool disconnecting_ = false;
};
