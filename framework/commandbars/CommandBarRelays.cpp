// The module's command bars across window changes, removal and Access's
// change of database.
#include "framework/commandbars/CommandBarRelays.h"

#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/commandbars/CustomCommandBar.h"
#include "framework/commandbars/ModuleCommandBars.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/LateBound.h"

namespace {

// The module's bars for the current host, explorer bars only when asked.
std::vector<TadxCustomCommandBar*> BarsForHost(TadxModuleServices& module, bool explorerBars) {
    std::vector<TadxCustomCommandBar*> bars;
    adxForEachCommandBar(module, [&](TadxCustomCommandBar& bar) {
        if (bar.ForHost() && (explorerBars || !dynamic_cast<TadxOlExplorerCustomCommandBar*>(&bar)))
            bars.push_back(&bar);
    });
    return bars;
}

void ClearControls(TadxCommandBarControls& controls, bool clearAll) {
    for (int i = 0; i < controls.Count(); ++i) {
        TadxCommandBarControl* control = controls.GetItem(i);
        if (TadxCommandBarPopup* popup = control->GetAsPopup()) {
            ClearControls(*popup->Controls(), clearAll);
            if (clearAll)
                popup->SetInterface(nullptr);
        } else if (control->GetAsAdvancedControl()) {
            control->TadxCommandBarControl::SetInterface(nullptr);
        } else if (clearAll) {
            control->SetInterface(nullptr);
        }
    }
}

} // namespace

void adxReconnectCommandBars(TadxModuleServices& Module, bool ExplorerBars) {
    // DoError's handler may turn the add-in off, bars and module with it.
    rtl::TLifeWatch connected = Module.Liveness().Watch();
    for (TadxCustomCommandBar* bar : BarsForHost(Module, ExplorerBars)) {
        if (!connected)
            return;
        // A failing bar (a host error, a bad name) must not keep the others,
        // nor the window's own handlers, from running.
        try {
            if (Module.FindCommandBar(bar->StoredName()))
                bar->ReconnectControls();
            else
                Module.InternalAddCmdBar(bar);
        } catch (const Exception& e) {
            Module.DoError(e);
        }
    }
}

void adxUninstallCommandBars(TadxModuleServices& Module, bool ExplorerBars, bool Guarded) {
    rtl::TLifeWatch connected = Module.Liveness().Watch();
    for (TadxCustomCommandBar* bar : BarsForHost(Module, ExplorerBars)) {
        if (!connected)
            return;
        try {
            bar->Uninstall();
        } catch (const Exception& e) {
            if (!Guarded)
                throw;
            Module.DoError(e);
            if (!connected)
                return;
        }
        if (Module.HostType != ohaWord || Module.IsRibbonHost)
            continue;
        // Word before the ribbon keeps bars in its normal template too.
        try {
            Variant normal = dispGet(Module.HostApplication, "NormalTemplate");
            dispCall(Module.HostApplication, "OrganizerDelete", dispGet(normal, "FullName"),
                     bar->StoredName(), 2);
        } catch (const Exception&) {
        }
    }
}

void adxClearCommandBarLinks(TadxCustomCommandBar& Bar, bool ClearAll) {
    ClearControls(*Bar.Controls(), ClearAll);
    Bar.CommandBar = nullptr;
}
