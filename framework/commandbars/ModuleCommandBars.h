// The module's command-bar work, over the services it offers the rooms:
// the host's command bars for the current window, looking bars and controls
// up, installing the module's bars and controls, the Outlook explorer bars'
// positions kept from one start to the next, and the shortcut list. The
// module's methods of the same names (framework/AddInModule.h) call these;
// they call the module's own methods back through TadxModuleServices, so
// that a module that overrides one is heard. All host calls are late-bound.
#pragma once

#include "framework/commandbars/CustomCommandBar.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/ComPtr.h"
#include "platform/office/CommandBars.h"

#include <string>

class TadxCommandBarControl;
class TadxCommandBarPopup;
class TStringList;

// Runs f(bar) for each command bar among Module's components, in their order.
template <class F> void adxForEachCommandBar(TadxModuleServices& Module, F f) {
    for (int i = 0; i < Module.ComponentCount(); ++i)
        if (auto* bar = dynamic_cast<TadxCustomCommandBar*>(Module.Components(i)))
            f(*bar);
}

// ---- the host's bars (ModuleCommandBars.cpp) ----

// The host's command bars for Module's current window, or nil.
ComPtr<::CommandBars> adxGetAppCommandBars(TadxModuleServices& Module);
// The host's command bar of that name (by Name, ASCII letter case ignored,
// then by NameLocal), or nil. Host errors pass to the caller.
ComPtr<IDispatch> adxFindCommandBar(TadxModuleServices& Module, const std::u16string& Name);

// ---- look-ups and installation (ModuleInstall.cpp) ----

// The host control of a type (a negative type: any) with that tag or that
// id, in Bar (into its pop-ups) or in the whole collection of Module's
// command bars; nil when none or on any error.
ComPtr<IDispatch> adxFindControl(IDispatch* Bar, int Type, const std::u16string& Tag);
ComPtr<IDispatch> adxFindControl(IDispatch* Bar, int Type, int Id);
ComPtr<IDispatch> adxFindControl(TadxModuleServices& Module, int Type, const std::u16string& Tag);
ComPtr<IDispatch> adxFindControl(TadxModuleServices& Module, int Type, int Id);
// Installs Module's command bars for the current host, each on its own.
void adxInstall(TadxModuleServices& Module);
// Finds or makes the host bar of Bar, pushes its properties and installs
// its controls (see TadxModuleServices::InternalAddCmdBar).
void adxInternalAddCmdBar(TadxModuleServices& Module, TadxCustomCommandBar* Bar);
// Finds or makes the host control of Control on Bar, in Popup's menu when
// given, and binds it (see TadxModuleServices::InternalAddControl).
void adxInternalAddControl(TadxModuleServices& Module, TadxCommandBarControl* Control,
                           TadxCustomCommandBar* Bar, TadxCommandBarPopup* Popup);

// ---- explorer bars and shortcuts (ModuleExplorerBars.cpp) ----

// Saves and restores the positions of Module's Outlook explorer bars under
// its add-in key.
void adxSaveExplCommandBars(TadxModuleServices& Module);
void adxLoadExplCommandBars(TadxModuleServices& Module);
// Rebuilds Module's shortcut list from its command-bar buttons and returns it.
TStringList& adxControlByShortcut(TadxModuleServices& Module);
