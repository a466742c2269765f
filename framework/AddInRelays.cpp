// The add-in object's relays of Outlook's window events: start-up hooks the
// explorers and inspectors collections and takes the windows open at that
// moment as new ones; each new window is kept (once) and reported to the
// module's OnOLNewExplorer or OnOLNewInspector.
//
// The explorers and inspectors are kept as their Outlook objects; the window
// wrappers, their events and the relays that follow activation, folder
// switches and closing come with the Outlook wrappers.
#include "framework/AddInModule.h"
#include "framework/AddInObject.h"
#include "platform/com/LateBound.h"
#include "platform/office/OleWindow.h"

#include <algorithm>

void TadxAddin::HookOutlookEvents() {
    TadxCOMAddInModule& module = RequireModule();
    const Variant& app = module.HostApplication;
    explorers_.clear();
    inspectors_.clear();
    Variant explorers = dispGet(app, "Explorers");
    int count = dispGet(explorers, "Count").AsInteger();
    for (int i = 1; i <= count; ++i) DoNewExplorer(nullptr, dispGet(explorers, "Item", i).AsDispatch().Get());
    Variant inspector = dispGet(app, "ActiveInspector");
    if (!inspector.IsEmptyOrNothing()) DoNewInspector(nullptr, inspector.AsDispatch().Get());
}

void TadxAddin::DoNewExplorer(TObject* Sender, IDispatch* Explorer) {
    if (!Explorer || !module_) return;
    HWND window = OleWindowHandle(Explorer);
    // An explorer reported twice (same window) is kept once; one whose
    // window cannot be read is always kept anew.
    if (window && std::any_of(explorers_.begin(), explorers_.end(), [&](const ComPtr<IDispatch>& e) {
            return OleWindowHandle(e.Get()) == window;
        }))
        return;
    explorers_.push_back(ComPtr<IDispatch>::Share(Explorer));
    if (module_->OnOLNewExplorer) module_->CallGuarded([&] { module_->OnOLNewExplorer(Sender, Explorer); });
}

void TadxAddin::DoNewInspector(TObject* Sender, IDispatch* Inspector) {
    if (!module_) return;
    if (module_->OnOLNewInspector) module_->CallGuarded([&] { module_->OnOLNewInspector(Sender, Inspector); });
    if (Inspector) inspectors_.push_back(ComPtr<IDispatch>::Share(Inspector));
}

void TadxAddin::FreeOutlookWrappers() noexcept {
    explorers_.clear();
    inspectors_.clear();
}
