// What the framework's rooms (command bars, events, hosts, task panes,
// ribbon) need of the add-in module: the connection's state that they read
// and keep current, the handlers of the module events they fire, the lists
// through which command bars and ribbon controls find each other, and the
// module's operations they call (the error report, the add-in key, the
// control look-ups). The module (framework/AddInModule.h) derives from it
// and implements the operations; a room holds the module as a
// TadxModuleServices and never includes the module's own header.
#pragma once

#include "framework/support/ModuleEvents.h"
#include "framework/support/OfficeHosts.h"
#include "framework/support/OfficeTheme.h"
#include "framework/support/RibbonKinds.h"
#include "framework/support/StartMode.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"
#include "platform/forms/DataModule.h"
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

class TadxCommandBarControl;
class TadxCommandBarPopup;
class TadxCustomCommandBar;
class TadxCustomEvents;
class TadxCustomTaskPanes;
class TadxHostApplication;
class TadxNativeColorWindow;
class TadxNativeWindow;

class TadxModuleServices : public TDataModule {
public:
    // Holds nothing yet: the module fills the lists and objects in.
    explicit TadxModuleServices(TComponent* AOwner) : TDataModule(AOwner) {}

    // ---- published properties the rooms read ----

    // The hosts the add-in registers for.
    TadxHostAppSet SupportedApps() const { return supportedApps_; }
    // The namespace under which the add-in shares ribbon tabs with others.
    std::u16string Namespace;
    // The ribbon kinds whose ribbon the add-in builds from scratch.
    TadxRibbons StartFromScratch;
    // The declared custom task panes (owned by the module).
    TadxCustomTaskPanes* TaskPanes = nullptr;

    // ---- published events the rooms fire ----

    TadxKeyDownEventHandler OnKeyDown;
    TadxTaskPaneBeforeCreate OnTaskPaneBeforeCreate;
    TadxTaskPaneAfterCreate OnTaskPaneAfterCreate;
    TadxTaskPaneBeforeShow OnTaskPaneBeforeShow;
    TadxTaskPaneAfterShow OnTaskPaneAfterShow;
    TadxTaskPaneBeforeDestroy OnTaskPaneBeforeDestroy;
    TadxRibbonBeforeCreate OnRibbonBeforeCreate;
    TadxRibbonBeforeLoad OnRibbonBeforeLoad;
    TadxRibbonLoaded OnRibbonLoaded;
    TadxOfficeColorSchemeChanged OnOfficeColorSchemeChanged;

    // ---- run-time state ----

    // The host's Application object (a variant holding its IDispatch).
    Variant HostApplication;
    // The detected host.
    TadxOfficeHostApp HostType = ohaExcel;
    // The host's major version (0 until detected).
    int32_t HostMajorVersion = 0;
    // The host shows a ribbon; set by detection and by the ribbon document, never cleared.
    bool IsRibbonHost = false;
    // The start mode read at start-up.
    TadxStartMode StartMode = adxStartModeFirstStart;
    // The command bars of the host's current window.
    ComPtr<::CommandBars> CommandBars;
    // The host event component found among the module's components (owned as a component).
    TadxCustomEvents* HostEvents = nullptr;
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
    // The ribbon tabs and the contextual tabs, in the order the tabs were
    // created or moved there. The ribbon classes keep them current and must
    // tolerate finding them gone while the module is destroyed.
    std::unique_ptr<TList<TObject>> RibbonTabs;
    std::unique_ptr<TList<TObject>> ContextualTabs;
    // Every ribbon tab and control by its key (IdMso when set, else Id);
    // look-ups ignore letter case.
    std::unique_ptr<TStringList> KeyList;

    // ---- operations ----

    // The framework's single error report: OnError, and unless it handled
    // the exception, an error box "<AddInName> error: the add-in has fired an
    // exception." with the message on the next line. Raises only what OnError raises.
    virtual void DoError(const Exception& E) = 0;
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
    // The add-in key of the current host ("\Software\Microsoft\Office\...");
    // empty while no factory is set.
    virtual std::string GetRegistryKey() const = 0;
    // The add-in's ProgID; empty while no factory is set.
    virtual std::string GetProgID() const = 0;
    // The typed wrapper of the detected host when the framework has one of
    // its own for it (every host but Outlook), or nullptr.
    virtual TadxHostApplication* HostWrapper() const = 0;
    // The ribbon tab or control with that id (its key, letter case ignored,
    // then its own Id exactly), or nullptr.
    virtual TObject* FindRibbonControl(const std::u16string& Id) const = 0;

    // ---- command bars ----

    // The host's command bars for the current window, or nil. Virtual so that
    // a test module can watch start-up call it.
    virtual ComPtr<::CommandBars> GetAppCommandBars() = 0;
    // The host's command bar of that name (by Name, ASCII letter case
    // ignored, then by NameLocal), or nil. Host errors pass to the caller.
    virtual ComPtr<IDispatch> FindCommandBar(const std::u16string& Name) = 0;
    // The host control of a type (a negative type: any) with that tag or
    // that id: in Bar (into its pop-ups), or in the whole collection of
    // command bars; nil when none or on any error.
    virtual ComPtr<IDispatch> FindControl(int Type, const std::u16string& Tag) = 0;
    virtual ComPtr<IDispatch> FindControl(IDispatch* Bar, int Type, const std::u16string& Tag) = 0;
    virtual ComPtr<IDispatch> FindControl(IDispatch* Bar, int Type, int Id) = 0;
    virtual ComPtr<IDispatch> FindControl(int Type, int Id) = 0;
    // Finds or makes the host bar of Bar, pushes its properties and installs
    // its controls. MapPoint raises 31110; an Outlook bar name with an
    // apostrophe raises 31102; host failures go to DoError.
    virtual void InternalAddCmdBar(TadxCustomCommandBar* Bar) = 0;
    // Finds or makes the host control of Control on Bar (in Popup's menu
    // when given) and binds it; a control the user removed stays removed
    // while its design is unchanged. Host failures go to DoError.
    virtual void InternalAddControl(TadxCommandBarControl* Control, TadxCustomCommandBar* Bar,
                                    TadxCommandBarPopup* Popup) = 0;
    // Rebuilds the shortcut list from the module's command-bar buttons and returns it.
    virtual TStringList& ControlByShortcut() = 0;
    // The host laid its command bars out again (their OnUpdate event). No
    // component kind of this system needs it, so it does nothing; virtual so
    // that a module can follow it.
    virtual void DoCommandBarsUpdate() {}

protected:
    TadxHostAppSet supportedApps_{ohaExcel};
    // Ends with the module: a handler's caller asks it whether the handler
    // turned the add-in off.
    rtl::TLiveness liveness_;
};

// Fires handler(args...) when it is assigned, for an object whose handlers
// may free it (caller, its liveness): the add-in's handlers may turn the
// add-in off, which frees module and everything it owns, or free the very
// control, window or sink that fires them. An exception of the class library
// (or of the standard library) goes to module's DoError when module outlived
// the handler, and ends here otherwise; the caller goes on as if the handler
// had returned. Tells whether caller survived: when it did not, the caller
// touches none of its members and returns. Raises only what DoError raises.
template <class Handler, class... Args>
bool adxFire(TadxModuleServices* module, const rtl::TLiveness& caller, const Handler& handler,
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
bool TadxModuleServices::Fire(const Handler& handler, Args&&... args) {
    return adxFire(this, liveness_, handler, std::forward<Args>(args)...);
}
