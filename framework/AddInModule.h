// TadxCOMAddInModule: the data module on which an add-in is assembled. Its
// stored form carries the add-in's registration properties (name, hosts,
// registration for all users, the keyboard-hook switch), its event handlers
// and its components (ribbon tabs, command bars, a host event component,
// timers). The add-in object creates one module per connection from that
// form and hands it the host; from then on the module holds everything of
// the connection: the host's kind, version and typed wrapper, its event
// component, the interfaces the host hands over, the hidden windows and the
// lists through which command bars and ribbon controls find each other. The
// class factory builds a short-lived module from the same form to read the
// registration properties.
//
// Construction follows the class library: `new TModule(owner)` is CreateNew
// (defaults only); the form class table's Create reads the stored form as
// well (see platform/forms/DataModule.h). Free() destroys it.
#pragma once

#include "framework/ModuleEvents.h"
#include "framework/hosts/OfficeTheme.h"
#include "framework/ribbon/RibbonKinds.h"
#include "framework/support/OfficeHosts.h"
#include "framework/support/StartMode.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"
#include "platform/forms/DataModule.h"
#include "platform/office/COMAddIn.h"
#include "platform/office/CommandBars.h"
#include "platform/office/Ribbon.h"
#include "platform/office/TaskPanes.h"
#include "platform/rtl/Lifetime.h"
#include "platform/rtl/List.h"
#include "platform/rtl/StringList.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <utility>

class TadxAddin;
class TadxCustomCommandBar;
class TadxCommandBarControl;
class TadxCommandBarPopup;
class TadxFactory;
class TadxCustomEvents;
class TadxCustomTaskPanes;
class TadxNativeWindow;
class TadxNativeColorWindow;
class TRegistry;
class TTimer;
class TOutlookApplication;
class TadxOutlook2007Application;
class TWordApplication;
class TExcelApplication;
class TPowerPointApplication;
class TAccessApplication;
class TProjectApplication;
class TFrontPageApplication;
class TMapPointApplication;
class TVisioApplication;
namespace publisher {
class TApplication;
}
namespace infopath {
class TApplication;
}

class TadxCOMAddInModule : public TDataModule {
public:
    // CreateNew: the defaults and the module's own objects, without the stored form.
    explicit TadxCOMAddInModule(TComponent* AOwner);
    // Destroy, in the framework's order: registry, host, lists, task panes
    // and timer, host interfaces, hook and hidden windows, then the owned
    // components, and the command-bar list last.
    ~TadxCOMAddInModule() override;
    // Fires OnCreate, then forgets the connection references a stored form
    // cannot hold (CommandBars, AddIn, Factory, COMAddIn, RibbonUI, CTPFactory).
    void AfterConstruction() override;

    // ---- published properties (stored in the form) ----

    // The add-in's name: the FriendlyName of its add-in keys, the caption of
    // its messages. An empty name raises EOleSysError 31101.
    const std::string& AddInName() const { return addInName_; }
    void SetAddInName(const std::string& Value);
    // The add-in keys' "Description".
    std::string Description;
    // Registration asks the user to close running hosts first.
    bool DisplayAlerts = false;
    // The add-in keys' "LoadBehavior".
    int32_t LoadBehavior = 3;
    // Registration writes the add-in keys under HKEY_LOCAL_MACHINE.
    bool RegisterForAllUsers = false;
    // The hosts the add-in registers for. An empty set raises EOleSysError 31101.
    TadxHostAppSet SupportedApps() const { return supportedApps_; }
    void SetSupportedApps(TadxHostAppSet Value);
    // Registration makes the add-in an Excel automation add-in as well.
    bool XLAutomationAddIn = false;
    // The keyboard hook that runs command-bar buttons by their shortcuts;
    // setting it installs or removes the hook at once.
    bool HandleShortcuts() const { return handleShortcuts_; }
    void SetHandleShortcuts(bool Value);
    // The namespace under which the add-in shares ribbon tabs with others.
    std::u16string Namespace;
    // The ribbon kinds whose ribbon the add-in builds from scratch.
    TadxRibbons StartFromScratch;
    // The declared custom task panes (owned).
    TadxCustomTaskPanes* TaskPanes = nullptr;

    // ---- published events ----

    TadxKeyDownEventHandler OnKeyDown;
    TadxOnError OnError;
    TNotifyEvent OnAddInInitialize;
    TNotifyEvent OnAddInStartupComplete;
    TNotifyEvent OnAddInBeginShutdown;
    TNotifyEvent OnAddInFinalize;
    TNotifyEvent OnAfterAddinRegister;
    TNotifyEvent OnBeforeAddinUnregister;
    TadxNewExplorer OnOLNewExplorer;
    TadxNewInspector OnOLNewInspector;
    TNotifyEvent OnOLExplorerActivate;
    TNotifyEvent OnOLExplorerFolderSwitch;
    TadxExplorerBeforeFolderSwitch OnOLExplorerBeforeFolderSwitch;
    TNotifyEvent OnOLExplorerViewSwitch;
    TadxExplorerBeforeViewSwitch OnOLExplorerBeforeViewSwitch;
    TNotifyEvent OnOLExplorerDeactivate;
    TNotifyEvent OnOLExplorerSelectionChange;
    TNotifyEvent OnOLExplorerClose;
    TNotifyEvent OnOLInspectorActivate;
    TNotifyEvent OnOLInspectorDeactivate;
    TNotifyEvent OnOLInspectorClose;
    TadxTaskPaneBeforeCreate OnTaskPaneBeforeCreate;
    TadxTaskPaneAfterCreate OnTaskPaneAfterCreate;
    TadxTaskPaneBeforeShow OnTaskPaneBeforeShow;
    TadxTaskPaneAfterShow OnTaskPaneAfterShow;
    TadxTaskPaneBeforeDestroy OnTaskPaneBeforeDestroy;
    TadxRibbonBeforeCreate OnRibbonBeforeCreate;
    TadxRibbonBeforeLoad OnRibbonBeforeLoad;
    TadxRibbonLoaded OnRibbonLoaded;
    TadxOfficeColorSchemeChanged OnOfficeColorSchemeChanged;
    // Public, not stored: fired by DoCallBack.
    TadxCallBackEvent OnCallBack;

    // ---- run-time state ----

    // The host's Application object (a variant holding its IDispatch).
    Variant HostApplication;
    // The detected host.
    TadxOfficeHostApp HostType = ohaExcel;
    // The host's major version (0 until detected).
    int32_t HostMajorVersion = 0;
    // The host shows a ribbon; set by detection and by the ribbon document, never cleared.
    bool IsRibbonHost = false;
    // The host's entry for this add-in in its COM add-ins list.
    ComPtr<::COMAddIn> COMAddIn;
    // The add-in object that created the module, and the class factory (not owned).
    TadxAddin* AddIn = nullptr;
    TadxFactory* Factory = nullptr;
    // The start mode read at start-up, and how often start-up was entered.
    TadxStartMode StartMode = adxStartModeFirstStart;
    int32_t StartCounter = 0;
    // The command bars of the host's current window.
    ComPtr<::CommandBars> CommandBars;
    // A registry object on HKEY_CURRENT_USER, open at the add-in key while the add-in runs.
    std::unique_ptr<TRegistry> Registry;
    // The typed wrapper of the detected host; at most one is set.
    std::unique_ptr<TExcelApplication> ExcelApplication;
    std::unique_ptr<TWordApplication> WordApplication;
    std::unique_ptr<TOutlookApplication> OutlookApplication;
    std::unique_ptr<TPowerPointApplication> PowerPointApplication;
    std::unique_ptr<TAccessApplication> AccessApplication;
    std::unique_ptr<TProjectApplication> ProjectApplication;
    std::unique_ptr<TFrontPageApplication> FrontPageApplication;
    std::unique_ptr<TMapPointApplication> MapPointApplication;
    std::unique_ptr<TVisioApplication> VisioApplication;
    std::unique_ptr<publisher::TApplication> PublisherApplication;
    std::unique_ptr<infopath::TApplication> InfoPathApplication;
    // The host event component found among the module's components (owned as a component).
    TadxCustomEvents* HostEvents = nullptr;
    // Outlook 2007's context-menu events component (owned as a component).
    TadxOutlook2007Application* Outlook2007Events = nullptr;
    // The host's ribbon and task-pane factory, once it hands them over.
    ComPtr<IRibbonUI> RibbonUI;
    ComPtr<ICTPFactory> CTPFactory;
    // The Office colour scheme.
    TadxOfficeColorScheme Theme = TadxOfficeColorScheme::Unknown;
    // The hidden windows (owned), and the shortcut list built on demand
    // (upper-case key texts with the button each one runs).
    TadxNativeWindow* ShortcutWindow = nullptr;
    TadxNativeColorWindow* ColorWindow = nullptr;
    std::unique_ptr<TStringList> ShortcutList;
    // The command-bar components in creation order (each adds and removes itself).
    std::unique_ptr<TList<TObject>> CommandBarList;
    // The command-bar controls' event sinks (each adds and removes itself).
    std::unique_ptr<TList<TObject>> EventSinks;
    // The ribbon command list, the ribbon tabs and the contextual tabs, in
    // the order the tabs were created or moved there. The ribbon classes keep
    // them current and must tolerate finding them gone while the module is
    // destroyed.
    std::unique_ptr<TList<TObject>> RibbonCommands;
    std::unique_ptr<TList<TObject>> RibbonTabs;
    std::unique_ptr<TList<TObject>> ContextualTabs;
    // Every ribbon tab and control by its key (IdMso when set, else Id);
    // look-ups ignore letter case.
    std::unique_ptr<TStringList> KeyList;
    // Access: the 250 ms timer that follows the open database, its busy and
    // installed flags, and the name of the database the bars were installed for.
    TTimer* AccessTimer = nullptr;
    bool AccessBusy = false;
    bool AccessInstalled = false;
    std::string AccessProjectName;
    // Set when Outlook opens an explorer, until that explorer's first folder switch.
    bool NewExplorer = false;

    // ---- operations ----

    // The framework's single error report: OnError, and unless it handled
    // the exception, an error box "<AddInName> error: the add-in has fired an
    // exception." with the message on the next line. Raises only what OnError raises.
    void DoError(const Exception& E);
    // Fires handler(args...) when it is assigned, by the one rule for
    // handlers that free their caller (platform/rtl/Lifetime.h): an
    // exception of the class library goes to DoError, and the caller goes on
    // as if the handler had returned. Tells whether the module survived the
    // handler; a handler that turned the add-in off (and so freed the module)
    // has nobody left to report to, and its exception ends here. See adxFire.
    template <class Handler, class... Args> bool Fire(const Handler& handler, Args&&... args);
    // The module's life: it ends when the module is freed. Whoever fires a
    // handler that may turn the add-in off takes a watch of it first.
    const rtl::TLiveness& Liveness() const noexcept { return liveness_; }
    // Fires OnCallBack with the arguments unchanged, when it is assigned.
    void DoCallBack(int32_t Param1, int32_t Param2, int32_t Param3, int32_t Param4, int32_t Param5,
                    int32_t Param6, int32_t Param7);

    // Detects the host from HostApplication by the interfaces it answers,
    // creates its wrapper, reads its version and connects its event
    // component. Virtual so that a test module can watch start-up call it.
    virtual void SetHostApplication();
    // Undoes SetHostApplication: disconnects the event components and frees the wrapper.
    void FreeHostApplication();
    // The add-in key of the current host ("\Software\Microsoft\Office\...");
    // empty while no factory is set.
    std::string GetRegistryKey() const;
    // The ribbon tab or control with that id (its key, letter case ignored,
    // then its own Id exactly), or nullptr.
    TObject* FindRibbonControl(const std::u16string& Id) const;
    // The first component of the module (in component order) that is a T or
    // derives from it; nullptr when there is none.
    template <class T> T* FindHostEventsComponent() const {
        for (int i = 0; i < ComponentCount(); ++i)
            if (auto* found = dynamic_cast<T*>(Components(i)))
                return found;
        return nullptr;
    }

    // Called after Outlook's OptionsPagesAdd events of the application and of
    // the name space, so that a module can add pages to Outlook's options and
    // folder-properties dialogs. Nothing by default.
    virtual void OptionsPagesAdd(TObject* Sender, IDispatch* Pages) {}
    virtual void NameSpaceOptionsPagesAdd(TObject* Sender, IDispatch* Pages, IDispatch* Folder) {}

    // The Access timer's tick: installs the command bars again when another
    // database was opened and forgets them when it was closed.
    void DoAccessTick(TObject* Sender);
    // Detaches the command bars from the host after Access changed databases.
    void ClearAccessCommandBarsInterfaces();

    // ---- command bars (ModuleCommandBars.cpp, ModuleExplorerBars.cpp) ----

    // The host's command bars for the current window, or nil. Virtual so that
    // a test module can watch start-up call it.
    virtual ComPtr<::CommandBars> GetAppCommandBars();
    // Installs the module's command bars in the host.
    virtual void Install();
    // Restores and saves the positions of the module's Outlook explorer bars.
    virtual void LoadExplCommandBars();
    virtual void SaveExplCommandBars();
    // The host's command bar of that name (by Name, ASCII letter case
    // ignored, then by NameLocal), or nil. Host errors pass to the caller.
    ComPtr<IDispatch> FindCommandBar(const std::u16string& Name);
    // The host control of a type (a negative type: any) with that tag, in
    // the whole collection of command bars; nil when none or on any error.
    ComPtr<IDispatch> FindControl(int Type, const std::u16string& Tag);
    // Rebuilds the shortcut list from the module's command-bar buttons and returns it.
    TStringList& ControlByShortcut();
    // ---- command-bar installation (ModuleInstall.cpp) ----

    // The host control of a type (negative: any) with that tag or that id
    // in Bar (into its pop-ups), or with that id in the whole collection;
    // nil when none or on any error.
    ComPtr<IDispatch> FindControl(IDispatch* Bar, int Type, const std::u16string& Tag);
    ComPtr<IDispatch> FindControl(IDispatch* Bar, int Type, int Id);
    ComPtr<IDispatch> FindControl(int Type, int Id);
    // Finds or makes the host bar of Bar, pushes its properties and installs
    // its controls. MapPoint raises 31110; an Outlook bar name with an
    // apostrophe raises 31102; host failures go to DoError.
    void InternalAddCmdBar(TadxCustomCommandBar* Bar);
    // Finds or makes the host control of Control on Bar (in Popup's menu
    // when given) and binds it; a control the user removed stays removed
    // while its design is unchanged. Host failures go to DoError.
    void InternalAddControl(TadxCommandBarControl* Control, TadxCustomCommandBar* Bar,
                            TadxCommandBarPopup* Popup);
    // The host laid its command bars out again (their OnUpdate event). No
    // component kind of this system needs it, so it does nothing; virtual so
    // that a module can follow it.
    virtual void DoCommandBarsUpdate() {}

protected:
    // Forgets the host event components when they are destroyed.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Drops the interfaces and references of a connection.
    void ReleaseConnection();
    void ConnectHostEvents(TadxCustomEvents* events, IUnknown* server, bool passVersion);
    void ConnectOutlook2007Events(IUnknown* server);

    std::string addInName_;
    TadxHostAppSet supportedApps_{ohaExcel};
    bool handleShortcuts_ = false;
    // Ends with the module: a handler's caller asks it whether the handler
    // turned the add-in off.
    rtl::TLiveness liveness_;
};

// The major version in a host's version text: the number before the first
// "." (or, without one, before the first ","); 9 when there is no such
// separator or the text before it is no decimal integer.
int32_t GetMajorVersion(const std::u16string& Version);

// Frees a module as Free does, with its OnDestroy guarded: a failing handler
// never keeps a module alive.
void adxFreeModule(TadxCOMAddInModule* module) noexcept;
// Owns a module and frees it with adxFreeModule.
struct TadxModuleFree {
    void operator()(TadxCOMAddInModule* module) const noexcept { adxFreeModule(module); }
};
using TadxModulePtr = std::unique_ptr<TadxCOMAddInModule, TadxModuleFree>;

// Fires handler(args...) when it is assigned, for an object whose handlers
// may free it (caller, its liveness): the add-in's handlers may turn the
// add-in off, which frees module and everything it owns, or free the very
// control, window or sink that fires them. An exception of the class library
// (or of the standard library) goes to module's DoError when module outlived
// the handler, and ends here otherwise; the caller goes on as if the handler
// had returned. Tells whether caller survived: when it did not, the caller
// touches none of its members and returns. Raises only what DoError raises.
template <class Handler, class... Args>
bool adxFire(TadxCOMAddInModule* module, const rtl::TLiveness& caller, const Handler& handler,
             Args&&... args) {
    rtl::TLifeWatch callerWatch = caller.Watch();
    rtl::TLifeWatch moduleWatch = module ? module->Liveness().Watch() : rtl::TLifeWatch();
    try {
        return rtl::FireSurvives(caller, handler, std::forward<Args>(args)...);
    } catch (const Exception& e) {
        if (moduleWatch)
            module->DoError(e);
    } catch (const std::exception& e) {
        if (moduleWatch)
            module->DoError(Exception(e.what()));
    }
    return callerWatch.Alive();
}

template <class Handler, class... Args>
bool TadxCOMAddInModule::Fire(const Handler& handler, Args&&... args) {
    return adxFire(this, liveness_, handler, std::forward<Args>(args)...);
}
