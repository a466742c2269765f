// TadxCOMAddInModule: the data module on which an add-in is assembled. Its
// stored form carries the add-in's registration properties (name, hosts,
// registration for all users, the keyboard-hook switch), its event handlers
// and its components (ribbon tabs, command bars, a host event component,
// timers). The add-in object creates one module per connection from that
// form and hands it the host; from then on the module holds everything of
// the connection: the host's kind, version and typed wrapper, its event
// component, the interfaces the host hands over, the hidden windows and the
// lists through which command bars and ribbon controls find each other. The
// class factory reads the registration properties from the same form into a
// short-lived module made without its components (a whole one to
// unregister, since it removes them from the host).
//
// What the framework's rooms use of the module (the host, its interfaces,
// the lists, the error report, the control look-ups) is declared in its
// base, TadxModuleServices (framework/support/ModuleServices.h).
//
// Construction follows the class library: `new TModule(owner)` is CreateNew
// (defaults only); the form class table's Create reads the stored form as
// well (see platform/forms/DataModule.h). Free() destroys it.
#pragma once

#include "framework/support/ModuleServices.h"
#include "platform/office/COMAddIn.h"

#include <cstdint>
#include <memory>
#include <string>

class TadxAddin;
class TadxFactory;
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

class TadxCOMAddInModule : public TadxModuleServices {
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
    // Sets the hosts the add-in registers for (SupportedApps). An empty set
    // raises EOleSysError 31101.
    void SetSupportedApps(TadxHostAppSet Value);
    // Registration makes the add-in an Excel automation add-in as well.
    bool XLAutomationAddIn = false;
    // The keyboard hook that runs command-bar buttons by their shortcuts;
    // setting it installs or removes the hook at once.
    bool HandleShortcuts() const { return handleShortcuts_; }
    void SetHandleShortcuts(bool Value);

    // ---- published events ----

    // The module events the rooms fire are in TadxModuleServices.
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
    // Public, not stored: fired by DoCallBack.
    TadxCallBackEvent OnCallBack;

    // ---- run-time state ----

    // The host, its version, the interfaces it hands over and the lists of
    // command bars and ribbon controls are in TadxModuleServices.
    // The host's entry for this add-in in its COM add-ins list.
    ComPtr<::COMAddIn> COMAddIn;
    // The add-in object that created the module, and the class factory (not owned).
    TadxAddin* AddIn = nullptr;
    TadxFactory* Factory = nullptr;
    // How often start-up was entered.
    int32_t StartCounter = 0;
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
    // The ribbon command list, made and freed with the ribbon lists; the
    // module's own, as no room of the framework uses it.
    std::unique_ptr<TList<TObject>> RibbonCommands;
    // Outlook 2007's context-menu events component (owned as a component).
    TadxOutlook2007Application* Outlook2007Events = nullptr;
    // Access: the 250 ms timer that follows the open database, its busy and
    // installed flags, and the name of the database the bars were installed for.
    TTimer* AccessTimer = nullptr;
    bool AccessBusy = false;
    bool AccessInstalled = false;
    std::string AccessProjectName;
    // Set when Outlook opens an explorer, until that explorer's first folder switch.
    bool NewExplorer = false;

    // ---- operations ----

    // The error report, through OnError or an error box (see TadxModuleServices).
    void DoError(const Exception& E) override;
    // Fires OnCallBack with the arguments unchanged, when it is assigned.
    void DoCallBack(int32_t Param1, int32_t Param2, int32_t Param3, int32_t Param4, int32_t Param5,
                    int32_t Param6, int32_t Param7);

    // Detects the host from HostApplication by the interfaces it answers,
    // creates its wrapper, reads its version and connects its event
    // component. Virtual so that a test module can watch start-up call it.
    virtual void SetHostApplication();
    // Undoes SetHostApplication: disconnects the event components and frees the wrapper.
    void FreeHostApplication();
    // The add-in key and ProgID, asked of the factory.
    std::string GetRegistryKey() const override;
    std::string GetProgID() const override;
    // The detected host's wrapper, when it is not Outlook.
    TadxHostApplication* HostWrapper() const override;
    // The ribbon tab or control with that id, through the key list.
    TObject* FindRibbonControl(const std::u16string& Id) const override;
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

    // ---- command bars (the command-bar room's work, commandbars/ModuleCommandBars.h) ----

    // The host's command bars for the current window, or nil.
    ComPtr<::CommandBars> GetAppCommandBars() override;
    // Installs the module's command bars in the host.
    virtual void Install();
    // Restores and saves the positions of the module's Outlook explorer bars.
    virtual void LoadExplCommandBars();
    virtual void SaveExplCommandBars();
    // Looks a host command bar up by name.
    ComPtr<IDispatch> FindCommandBar(const std::u16string& Name) override;
    // Rebuilds the shortcut list from the module's command-bar buttons.
    TStringList& ControlByShortcut() override;
    // Looks a host control up by type and tag or id, in Bar or in every bar.
    ComPtr<IDispatch> FindControl(int Type, const std::u16string& Tag) override;
    ComPtr<IDispatch> FindControl(IDispatch* Bar, int Type, const std::u16string& Tag) override;
    ComPtr<IDispatch> FindControl(IDispatch* Bar, int Type, int Id) override;
    ComPtr<IDispatch> FindControl(int Type, int Id) override;
    // Installs a command bar, and a control on a bar, in the host.
    void InternalAddCmdBar(TadxCustomCommandBar* Bar) override;
    void InternalAddControl(TadxCommandBarControl* Control, TadxCustomCommandBar* Bar,
                            TadxCommandBarPopup* Popup) override;

protected:
    // Forgets the host event components when they are destroyed.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // Drops the interfaces and references of a connection.
    void ReleaseConnection();
    void ConnectHostEvents(TadxCustomEvents* events, IUnknown* server, bool passVersion);
    void ConnectOutlook2007Events(IUnknown* server);

    std::string addInName_;
    bool handleShortcuts_ = false;
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
