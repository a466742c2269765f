// The command-bar pop-up: its nested controls, deleting them with it and
// finding them again after a window change.
#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/commandbars/CustomCommandBar.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/LateBound.h"

TadxCommandBarPopup::TadxCommandBarPopup(TCollection* Collection)
    : TadxCommandBarControl(Collection), controls_(std::make_unique<TadxCommandBarControls>(this)) {
}

TadxCommandBarPopup::~TadxCommandBarPopup() {
    liveness_.End();
    controls_.reset();
}

void TadxCommandBarPopup::SetInterface(const ComPtr<IDispatch>& Control) {
    control_ = adxQueryHostInterface(Control.Get(), IID_CommandBarPopup);
}

ComPtr<IDispatch> TadxCommandBarPopup::PopupBar() {
    return control_ ? dispGet(control_, "CommandBar").AsDispatch() : nullptr;
}

bool TadxCommandBarPopup::SetProperties() {
    const bool push = TadxCommandBarControl::SetProperties();
    if (control_ && push && !temporary_)
        ApplyChanges();
    return push;
}

namespace {

// A nested control's host control: in the bar's host bar, else anywhere.
ComPtr<IDispatch> FindNested(TadxModuleServices& module, TadxCustomCommandBar* bar,
                             const std::u16string& tag) {
    ComPtr<IDispatch> found;
    if (bar && bar->CommandBar)
        found = module.FindControl(bar->CommandBar.Get(), -1, tag);
    return found ? found : module.FindControl(-1, tag);
}

} // namespace

void TadxCommandBarPopup::Delete(bool Temporary) {
    TadxModuleServices* module = Module();
    for (int i = controls_->Count() - 1; i >= 0 && module; --i) {
        TadxCommandBarControl* child = controls_->GetItem(i);
        // The look-ups find nothing by an empty tag: a control without one,
        // never installed, is left alone.
        child->TadxCommandBarControl::SetInterface(
            FindNested(*module, Bar(), child->StoredOfficeTag()));
        if (child->HostControl())
            child->Delete(Temporary);
    }
    // A pop-up still holding controls of the user or of another add-in stays.
    if (control_ && dispGet(control_, "Id").AsInteger() == 1 &&
        dispGet(dispGet(PopupBar(), "Controls"), "Count").AsInteger() == 0)
        dispCall(control_, "Delete", Temporary);
    SetInterface(nullptr);
}

void TadxCommandBarPopup::ReconnectControls() {
    TadxModuleServices* module = Module();
    if (!module)
        return;
    TadxCustomCommandBar* bar = Bar();
    IDispatch* hostBar = bar ? bar->CommandBar.Get() : nullptr;
    // DoError's handler (a missing tag reported, a control that cannot be
    // made) may turn the add-in off, this pop-up with it.
    rtl::TLifeWatch connected = module->Liveness().Watch();
    for (int i = 0; connected && i < controls_->Count(); ++i) {
        TadxCommandBarControl* child = controls_->GetItem(i);
        if (!child->HasOfficeTag())
            continue;
        const std::u16string tag = child->StoredOfficeTag();
        const int32_t id = child->StoredOfficeID();
        ComPtr<IDispatch> found = FindNested(*module, bar, tag);
        if (!found && id != 1)
            found = module->FindControl(-1, id);
        if (!found) {
            module->InternalAddControl(child, bar, this);
            if (!connected)
                return;
            found = module->FindControl(-1, tag);
        }
        auto* nested = child->GetAsPopup();
        if (nested && id != 1) {
            ComPtr<IDispatch> byId = hostBar ? module->FindControl(hostBar, 10, id) : nullptr;
            found = byId ? byId : module->FindControl(10, id);
        }
        child->SetInterface(found);
        if (nested)
            nested->ReconnectControls();
    }
}
