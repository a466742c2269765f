// The handler types of the add-in module's events. Each is a std::function
// named as the framework names the event type; an empty one means the event is
// not handled. Sender is the object the event is about (the module, a window
// wrapper, a task pane declaration); `var` arguments are references the
// handler may change.
#pragma once

#include "framework/support/OfficeTheme.h"
#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Object.h"

#include <cstdint>
#include <functional>
#include <string>

struct IRibbonUI;
class TadxCustomTaskPane;
class TadxCustomTaskPaneInstance;

// What the keyboard hook tells OnKeyDown about a key press.
struct TadxKeyDownEventArgs {
    bool Ctrl = false;
    bool Alt = false;
    bool Shift = false;
    // Set by the handler to swallow the key.
    bool Handled = false;
    // The hook's key-message information.
    int32_t LParam = 0;
    // The virtual-key code.
    int32_t WParam = 0;
};

// A key pressed in the host (Sender is nil).
using TadxKeyDownEventHandler = std::function<void(TObject* Sender, TadxKeyDownEventArgs& Args)>;
// An exception of the add-in's code; setting Handled suppresses the error box.
using TadxOnError = std::function<void(const Exception& E, bool& Handled)>;
// A new Outlook explorer or inspector window (its _Explorer or _Inspector).
using TadxNewExplorer = std::function<void(TObject* ASender, IDispatch* Explorer)>;
using TadxNewInspector = std::function<void(TObject* ASender, IDispatch* Inspector)>;
// An explorer is about to show another folder or view; setting Cancel keeps the current one.
using TadxExplorerBeforeFolderSwitch =
    std::function<void(TObject* ASender, IDispatch* NewFolder, WordBool& Cancel)>;
using TadxExplorerBeforeViewSwitch =
    std::function<void(TObject* ASender, const Variant& NewView, WordBool& Cancel)>;
// A task pane of a declaration is about to be created for a window, has
// been created, is about to be shown, was shown, is about to be destroyed.
using TadxTaskPaneBeforeCreate =
    std::function<void(TadxCustomTaskPane* Sender, IDispatch* Window, bool& Cancel)>;
using TadxTaskPaneAfterCreate =
    std::function<void(TadxCustomTaskPane* Sender, TadxCustomTaskPaneInstance* Instance)>;
using TadxTaskPaneBeforeShow = std::function<void(
    TadxCustomTaskPane* Sender, TadxCustomTaskPaneInstance* Instance, bool& Cancel)>;
using TadxTaskPaneAfterShow =
    std::function<void(TadxCustomTaskPane* Sender, TadxCustomTaskPaneInstance* Instance)>;
using TadxTaskPaneBeforeDestroy =
    std::function<void(TadxCustomTaskPane* Sender, TadxCustomTaskPaneInstance* Instance)>;
// The ribbon document for RibbonID is about to be built; it has been built
// and may be replaced (Xml); the host's ribbon has loaded it.
using TadxRibbonBeforeCreate = std::function<void(TObject* Sender, const std::u16string& RibbonID)>;
using TadxRibbonBeforeLoad =
    std::function<void(TObject* Sender, const std::u16string& RibbonID, std::u16string& Xml)>;
using TadxRibbonLoaded = std::function<void(TObject* Sender, IRibbonUI* RibbonUI)>;
// Office's colour scheme was changed (or Office said so).
using TadxOfficeColorSchemeChanged =
    std::function<void(TObject* Sender, TadxOfficeColorScheme ColorScheme)>;
// The framework's in-process call-back, with its seven arguments unchanged.
using TadxCallBackEvent =
    std::function<void(int32_t Param1, int32_t Param2, int32_t Param3, int32_t Param4,
                       int32_t Param5, int32_t Param6, int32_t Param7)>;
