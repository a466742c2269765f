// The module's Outlook explorer bars kept from one start to the next (their
// positions under the add-in key) and its shortcut list, built from the
// keyboard shortcuts of its bars' buttons. Following the folder shown is in
// ExplorerBars.cpp.
#include "framework/commandbars/ModuleCommandBars.h"

#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/commandbars/CustomCommandBar.h"
#include "framework/commandbars/ShortcutTexts.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/LateBound.h"
#include "platform/outlook/OutlookTypes.h"
#include "platform/text/Text.h"
#include "platform/win/Registry.h"

namespace {

// The stored explorer-bar geometry that the host may be given: a dock
// position or floating (a toolbar is never a pop-up or the menu bar), and
// coordinates and rows within what a screen holds. Anything else in the
// registry was not written by the add-in and is ignored.
bool Plausible(const std::string& name, int32_t value) {
    if (name == "Position")
        return value >= adxMsoBarLeft && value <= adxMsoBarFloating;
    if (name == "RowIndex")
        return value >= 0 && value <= 255;
    return value >= -32768 && value <= 32767;
}

// Runs f(bar, registry) for each explorer bar whose position is kept (a
// temporary one, not built in, whose host bar is not gone), with its key
// open (created when asked).
template <class F> void ForEachKeptBar(TadxModuleServices& module, bool create, F f) {
    const std::string key = module.GetRegistryKey();
    if (key.empty())
        return;
    adxForEachCommandBar(module, [&](TadxCustomCommandBar& bar) {
        if (!dynamic_cast<TadxOlExplorerCustomCommandBar*>(&bar) || !bar.Temporary())
            return;
        const bool connected = bar.CommandBar != nullptr;
        if (bar.FrameworkRead("BuiltIn", false).AsBool())
            return;
        // A host bar the user deleted has no position to give or take: the
        // stored one stays as it is.
        if (connected && !bar.CommandBar)
            return;
        TRegistry registry;
        if (registry.OpenKey(key + "\\CommandBars\\" + text::Narrow(bar.StoredName()), create))
            f(bar, registry);
    });
}

} // namespace

void adxSaveExplCommandBars(TadxModuleServices& Module) {
    ForEachKeptBar(Module, true, [&](TadxCustomCommandBar& bar, TRegistry& registry) {
        registry.WriteInteger("Position", bar.GetPosition());
        registry.WriteInteger("Left", bar.GetLeftPosition());
        registry.WriteInteger("Top", bar.GetTopPosition());
        registry.WriteInteger("RowIndex", bar.GetRowIndex());
        registry.CloseKey();
    });
}

void adxLoadExplCommandBars(TadxModuleServices& Module) {
    ForEachKeptBar(Module, false, [&](TadxCustomCommandBar& bar, TRegistry& registry) {
        auto read = [&](const char* name, int32_t current, auto set) {
            try {
                if (!registry.ValueExists(name))
                    return;
                const int32_t value = registry.ReadInteger(name);
                if (value != current && Plausible(name, value))
                    set(value);
            } catch (const Exception&) {
                // A value that is no integer is left alone.
            }
        };
        read("Position", bar.GetPosition(),
             [&](int32_t v) { bar.SetPosition(static_cast<TadxMsoBarPosition>(v & 0xFF)); });
        read("Left", bar.GetLeftPosition(), [&](int32_t v) { bar.SetLeftPosition(v); });
        read("Top", bar.GetTopPosition(), [&](int32_t v) { bar.SetTopPosition(v); });
        read("RowIndex", bar.GetRowIndex(), [&](int32_t v) { bar.SetRowIndex(v); });
        registry.CloseKey();
    });
}

// ---- the shortcut list ----

namespace {

bool IsExplorer(IDispatch* window) {
    void* explorer = nullptr;
    if (FAILED(window->QueryInterface(outlook::IID__Explorer, &explorer)) || !explorer)
        return false;
    static_cast<IUnknown*>(explorer)->Release();
    return true;
}

// A button's shortcut text and caption as its host control has them, read
// without a word to the user (the hook must show nothing); false when the
// button has no host control (never bound, or gone and let go of just now)
// or the host cannot tell.
bool ReadKeys(TadxCommandBarButton& button, std::u16string& shortcut, std::u16string& caption) {
    try {
        shortcut = button.FrameworkRead("ShortcutText", button.StoredShortcutText()).AsWide();
        caption = button.FrameworkRead("Caption", button.StoredCaption()).AsWide();
    } catch (const Exception&) {
        return false;
    }
    return button.HostControl() != nullptr;
}

// Adds the keys of the bound buttons of controls, into pop-ups, in order. A
// button without a host control cannot run: its keys are the host's.
void EnumControls(TStringList& list, TadxCommandBarControls& controls) {
    for (int i = 0; i < controls.Count(); ++i) {
        TadxCommandBarControl* control = controls.GetItem(i);
        if (TadxCommandBarButton* button = control->GetAsButton()) {
            std::u16string shortcut, caption;
            if (!ReadKeys(*button, shortcut, caption))
                continue;
            if (!shortcut.empty())
                list.AddObject(adxShortcutKeyText(shortcut), button);
            if (const std::string accelerator = adxAcceleratorKeyText(caption);
                !accelerator.empty())
                list.AddObject(accelerator, button);
        } else if (TadxCommandBarPopup* popup = control->GetAsPopup()) {
            EnumControls(list, *popup->Controls());
        }
    }
}

// Whether the bar is enabled, read without a word to the user: a host bar
// that is gone is let go of and the stored state serves; a bar whose host
// cannot tell counts as disabled.
bool QuietlyEnabled(TadxCustomCommandBar& bar) {
    try {
        return bar.FrameworkRead("Enabled", bar.StoredEnabled()).AsBool();
    } catch (const Exception&) {
        return false;
    }
}

} // namespace

TStringList& adxControlByShortcut(TadxModuleServices& Module) {
    std::unique_ptr<TStringList>& list = Module.ShortcutList;
    if (!list)
        list = std::make_unique<TStringList>();
    list->Clear();
    if (Module.HostType != ohaOutlook) {
        adxForEachCommandBar(Module, [&](TadxCustomCommandBar& bar) {
            if (bar.ForHost())
                EnumControls(*list, *bar.Controls());
        });
        return *list;
    }
    ComPtr<IDispatch> window;
    try {
        window = dispCall(Module.HostApplication, "ActiveWindow").AsDispatch();
    } catch (const Exception&) {
    }
    // An inspector's window contributes nothing.
    if (!window || !IsExplorer(window.Get()))
        return *list;
    adxForEachCommandBar(Module, [&](TadxCustomCommandBar& bar) {
        if (!bar.SupportedApps().Contains(ohaOutlook))
            return;
        if (auto* explorerBar = dynamic_cast<TadxOlExplorerCustomCommandBar*>(&bar)) {
            try {
                const int32_t type =
                    dispGet(dispGet(window, "CurrentFolder"), "DefaultItemType").AsInteger();
                if (CheckItemClass(type, explorerBar->ItemTypes) && QuietlyEnabled(bar))
                    EnumControls(*list, *bar.Controls());
            } catch (const Exception&) {
                // A folder that cannot be read skips the bar.
            }
        } else if (QuietlyEnabled(bar)) {
            EnumControls(*list, *bar.Controls());
        }
    });
    return *list;
}
