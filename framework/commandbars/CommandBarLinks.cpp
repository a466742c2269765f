// A command bar's links to the host: finding its bar and controls again
// after a window change, and removing them at uninstallation.
#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/commandbars/CustomCommandBar.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/LateBound.h"

void TadxCustomCommandBar::ReconnectControls() {
    if (!showOnRibbonHosts_ && module_->IsRibbonHost)
        return;
    CommandBar = module_->FindCommandBar(commandBarName_);
    // DoError's handler (a missing tag reported, a control that cannot be
    // made) may turn the add-in off, this bar with it.
    rtl::TLifeWatch connected = module_->Liveness().Watch();
    for (int i = 0; connected && i < controls_->Count(); ++i) {
        TadxCommandBarControl* control = controls_->GetItem(i);
        const std::u16string tag = control->StoredOfficeTag();
        if (!control->HasOfficeTag())
            continue;
        ComPtr<IDispatch> found;
        if (CommandBar)
            found = module_->FindControl(CommandBar.Get(), -1, tag);
        if (!found)
            found = module_->FindControl(-1, tag);
        if (!found) {
            module_->InternalAddControl(control, this, nullptr);
            if (!connected)
                return;
            found = module_->FindControl(-1, tag);
            if (!found && control->StoredOfficeID() != 1)
                found = module_->FindControl(-1, control->StoredOfficeID());
        }
        // An advanced control binds through its hosting object, which no
        // host of this system provides.
        if (control->GetType() == adxKindAdvanced)
            continue;
        control->SetInterface(found);
        if (TadxCommandBarPopup* popup = control->GetAsPopup())
            popup->ReconnectControls();
    }
}

void TadxCustomCommandBar::UninstallControl(TadxCommandBarControl& control, bool barGone) {
    const std::u16string tag = control.StoredOfficeTag();
    // A control without a tag was never installed; looking for it would
    // find the host's own controls.
    if (tag.empty())
        return;
    const int32_t id = control.StoredOfficeID();
    IDispatch* bar = CommandBar.Get();
    ComPtr<IDispatch> found;
    switch (control.GetType()) {
    case adxKindPopup:
        if (!barGone)
            found =
                id == 1 ? module_->FindControl(bar, 10, tag) : module_->FindControl(bar, 10, id);
        if (!found)
            found = id == 1 ? module_->FindControl(10, tag) : module_->FindControl(10, id);
        break;
    case adxKindControl:
        // A built-in control placed by id is looked for in its own bar only.
        if (barGone)
            return;
        found = dispCall(bar, "FindControl", Variant::Missing(), id, tag, Variant::Missing(), true)
                    .AsDispatch();
        break;
    default:
        if (!barGone)
            found = module_->FindControl(bar, -1, tag);
        // The add-in's own controls may have been moved to another bar.
        if (!found && id == 1)
            found = module_->FindControl(-1, tag);
        break;
    }
    control.SetInterface(found);
    if (control.HostControl())
        control.Delete(false);
}

void TadxCustomCommandBar::Uninstall() {
    CommandBar = module_->FindCommandBar(commandBarName_);
    // The user may have deleted the bar: its own look-ups are skipped then,
    // but the add-in's controls moved elsewhere are still found by tag.
    const bool barGone = !CommandBar;
    for (int i = controls_->Count() - 1; i >= 0; --i)
        UninstallControl(*controls_->GetItem(i), barGone);
    Delete();
}

void TadxCustomCommandBar::Delete() {
    ComPtr<IDispatch> bar = std::move(CommandBar);
    CommandBar = nullptr;
    if (!bar || dispGet(bar, "BuiltIn").AsBool())
        return;
    // A bar holding controls of the user or of other add-ins stays.
    if (dispGet(dispGet(bar, "Controls"), "Count").AsInteger() == 0)
        dispCall(bar, "Delete");
}
