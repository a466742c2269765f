// The module's side of its command bars: installing each bar and control
// for the current host, removing controls the add-in left behind, and
// looking the host's controls up. All host calls are late-bound.
#include "framework/commandbars/ModuleCommandBars.h"

#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/commandbars/CommandBarRelays.h"
#include "framework/commandbars/CommandBarStore.h"
#include "framework/commandbars/CustomCommandBar.h"
#include "framework/support/FrameworkErrors.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/LateBound.h"
#include "platform/text/Text.h"
#include "platform/win/Registry.h"

namespace {

Variant TypeArg(int type) {
    return type < 0 ? Variant::Missing() : Variant(static_cast<uint32_t>(type));
}

// A search that a stale host object (one whose Type cannot be read)
// repeats once, the host finding the control anew; nil on any error.
ComPtr<IDispatch> Search(const std::function<ComPtr<IDispatch>()>& search) {
    try {
        ComPtr<IDispatch> control = search();
        if (!control)
            return nullptr;
        try {
            dispGet(control, "Type");
        } catch (const Exception&) {
            control = search();
        }
        return control;
    } catch (const Exception&) {
        return nullptr;
    }
}

// FindControl over the whole collection of the module's current window.
ComPtr<IDispatch> SearchAll(TadxModuleServices& module, const Variant& type, const Variant& id,
                            const Variant& tag) {
    if (!module.CommandBars)
        module.CommandBars = module.GetAppCommandBars();
    if (!module.CommandBars)
        return nullptr;
    return dispCall(module.CommandBars, "FindControl", type, id, tag, Variant::Missing())
        .AsDispatch();
}

// The tag is one of the module's controls (recursively into pop-ups).
bool ControlExist(TadxCommandBarControls& controls, const std::u16string& tag) {
    for (int i = 0; i < controls.Count(); ++i) {
        TadxCommandBarControl* control = controls.GetItem(i);
        if (control->StoredOfficeTag() == tag)
            return true;
        if (TadxCommandBarPopup* popup = control->GetAsPopup();
            popup && ControlExist(*popup->Controls(), tag))
            return true;
    }
    return false;
}

bool ModuleHasControl(TadxModuleServices& module, const std::u16string& tag) {
    bool found = false;
    adxForEachCommandBar(module, [&](TadxCustomCommandBar& bar) {
        found = found || ControlExist(*bar.Controls(), tag);
    });
    return found;
}

// Deletes the host controls whose records name no control of the module,
// with their records; a record whose control the host lacks stays.
void CheckHungControls(TadxModuleServices& module, TadxCustomCommandBar& bar) {
    const std::string key = module.GetRegistryKey();
    if (key.empty())
        return;
    TRegistry registry;
    if (!registry.OpenKey(key + "\\Controls", false))
        return;
    // A copy of the names: values are deleted while going through them.
    const std::vector<std::string> names = registry.GetValueNames();
    for (const std::string& name : names) {
        const std::u16string tag = text::Wide(name);
        // The look-ups find nothing by an empty name, which would match
        // every untagged control of the host.
        if (ModuleHasControl(module, tag))
            continue;
        ComPtr<IDispatch> found;
        if (bar.CommandBar)
            found = module.FindControl(bar.CommandBar.Get(), -1, tag);
        if (!found)
            found = module.FindControl(-1, tag);
        if (!found)
            continue;
        dispCall(found, "Delete", false);
        registry.DeleteValue(name);
    }
    registry.CloseKey();
}

// The integer recorded for tag under "\Controls", -1 when missing.
int32_t GetChanged(TadxModuleServices& module, const std::u16string& tag) {
    return adxReadRecord(module.GetRegistryKey(), "\\Controls", text::Narrow(tag));
}

// The position argument of Controls.Add, within the bar's controls.
Variant CalcBefore(int before, int beforeID, int afterID, IDispatch* bar) {
    const int count = dispGet(dispGet(bar, "Controls"), "Count").AsInteger();
    if (before != 0)
        // After the user removed controls the design's position may lie past
        // the end, which the host refuses: the end it is then.
        return std::min(before, count + 1);
    const int id = beforeID != 0 ? beforeID : afterID;
    if (id == 0)
        return Variant::Missing();
    ComPtr<IDispatch> reference = dispCall(bar, "FindControl", Variant::Missing(), id,
                                           Variant::Missing(), Variant::Missing(), true)
                                      .AsDispatch();
    if (!reference)
        return Variant::Missing();
    const int index = dispGet(reference, "Index").AsInteger();
    return beforeID != 0 ? index : std::min(index + 1, count + 1);
}

} // namespace

// ---- look-ups ----

ComPtr<IDispatch> adxFindControl(IDispatch* Bar, int Type, const std::u16string& Tag) {
    // The host's own controls have no tag: an empty one would find them.
    if (!Bar || Tag.empty())
        return nullptr;
    return Search([&] {
        return dispCall(Bar, "FindControl", TypeArg(Type), Variant::Missing(), Tag,
                        Variant::Missing(), true)
            .AsDispatch();
    });
}

ComPtr<IDispatch> adxFindControl(IDispatch* Bar, int Type, int Id) {
    if (!Bar)
        return nullptr;
    return Search([&] {
        return dispCall(Bar, "FindControl", TypeArg(Type), Id, Variant::Missing(),
                        Variant::Missing(), true)
            .AsDispatch();
    });
}

ComPtr<IDispatch> adxFindControl(TadxModuleServices& Module, int Type, const std::u16string& Tag) {
    if (Tag.empty())
        return nullptr;
    return Search([&] { return SearchAll(Module, TypeArg(Type), Variant::Missing(), Tag); });
}

ComPtr<IDispatch> adxFindControl(TadxModuleServices& Module, int Type, int Id) {
    return Search([&] { return SearchAll(Module, TypeArg(Type), Id, Variant::Missing()); });
}

// ---- installation ----

void adxInstall(TadxModuleServices& Module) {
    for (int i = 0; i < Module.ComponentCount(); ++i) {
        auto* bar = dynamic_cast<TadxCustomCommandBar*>(Module.Components(i));
        if (!bar)
            continue;
        auto* explorerBar = dynamic_cast<TadxOlExplorerCustomCommandBar*>(bar);
        // Each bar on its own: one bad bar is reported and the next one
        // installed, so start-up goes on to hook the host's events.
        try {
            if (explorerBar && Module.HostType == ohaOutlook) {
                Variant explorer;
                try {
                    explorer = dispCall(Module.HostApplication, "ActiveExplorer");
                } catch (const Exception&) {
                }
                if (explorer.IsEmptyOrNothing())
                    return;
                Module.InternalAddCmdBar(bar);
                adxFollowFolder(Module, *explorerBar, false);
            } else if (!explorerBar && bar->ForHost()) {
                Module.InternalAddCmdBar(bar);
            }
        } catch (const Exception& e) {
            Module.DoError(e);
        }
    }
}

void adxInternalAddCmdBar(TadxModuleServices& Module, TadxCustomCommandBar* Bar) {
    if (Module.HostType == ohaMapPoint)
        adx::RaiseError(adx::ErrMapPointControl, adx::SMapPointControl);
    const std::u16string name = Bar->StoredName();
    if (Module.HostType == ohaOutlook && name.find(u'\'') != std::u16string::npos)
        adx::RaiseError(adx::ErrCommandBarName, adx::SCommandBarName, {text::Narrow(name)});
    if (!Bar->ForHost() || (Module.IsRibbonHost && !Bar->ShowOnRibbonHosts()))
        return;
    // DoError's handler may turn the add-in off, this module with it.
    rtl::TLifeWatch connected = Module.Liveness().Watch();
    try {
        Bar->CommandBar = Module.FindCommandBar(name);
        if (!Bar->CommandBar) {
            try {
                if (!Module.CommandBars)
                    Module.CommandBars = Module.GetAppCommandBars();
                if (Module.CommandBars)
                    Bar->CommandBar = dispCall(Module.CommandBars, "Add", name,
                                               static_cast<int32_t>(Bar->GetPosition()),
                                               Variant::Missing(), Bar->Temporary())
                                          .AsDispatch();
                Bar->SetCommandBarNameLocal(name);
            } catch (const Exception&) {
                // Outlook refuses bars now and then; the bar stays unconnected.
                if (Module.HostType != ohaOutlook)
                    throw;
            }
        }
        if (Bar->CommandBar && !Bar->GetBuiltIn())
            Bar->SetProperties();
    } catch (const Exception& e) {
        Module.DoError(e);
        if (!connected)
            return;
    }
    CheckHungControls(Module, *Bar);
    if (!Bar->CommandBar)
        return;
    for (int i = 0; connected && i < Bar->Controls()->Count(); ++i)
        Module.InternalAddControl(Bar->Controls()->GetItem(i), Bar, nullptr);
}

void adxInternalAddControl(TadxModuleServices& Module, TadxCommandBarControl* Control,
                           TadxCustomCommandBar* Bar, TadxCommandBarPopup* Popup) {
    if (Module.HostType == ohaMapPoint)
        adx::RaiseError(adx::ErrMapPointControl, adx::SMapPointControl);
    if (!Bar || !Bar->CommandBar || !Control->HasOfficeTag())
        return;
    try {
        IDispatch* hostBar = Bar->CommandBar.Get();
        const std::u16string tag = Control->StoredOfficeTag();
        const int32_t id = Control->StoredOfficeID();
        const TadxControlKind kind = Control->GetType();
        // A control the add-in made once and the user then deleted is not
        // made again while its design is unchanged.
        auto removedByUser = [&](bool exceptAccess) {
            return !Control->Temporary() && GetChanged(Module, tag) == Control->ChangeCounter() &&
                   !(exceptAccess && Module.HostType == ohaAccess);
        };
        auto add = [&](const Variant& type, const Variant& idArg) {
            // A host control the user deleted is let go of first: its
            // parameter is then the stored one.
            const Variant parameter =
                Control->FrameworkRead("Parameter", Control->StoredParameter());
            ComPtr<IDispatch> target = Popup ? Popup->PopupBar() : Bar->CommandBar;
            Variant before = CalcBefore(Control->Before(), Control->BeforeID(), Control->AfterID(),
                                        target.Get());
            return dispCall(dispGet(target, "Controls"), "Add", type, idArg, parameter, before,
                            Control->Temporary())
                .AsDispatch();
        };
        ComPtr<IDispatch> found;
        switch (kind) {
        case adxKindButton:
        case adxKindEdit:
        case adxKindDropDownList:
        case adxKindComboBox: {
            const int type = adxHostControlType(kind);
            found =
                id == 1 ? Module.FindControl(type, tag) : Module.FindControl(hostBar, type, tag);
            if (!found) {
                if (removedByUser(true))
                    return;
                found = add(type, id);
            }
            if (!found)
                return;
            Control->SetInterface(found);
            if (TadxCommandBarButton* button = Control->GetAsButton(); button && id != 1) {
                try {
                    std::string action;
                    // The ProgID is empty while the module has no factory.
                    if (button->DisableStandardAction)
                        if (const std::string progID = Module.GetProgID(); !progID.empty())
                            action = "!<" + progID + ">";
                    dispPut(found, "OnAction", action);
                } catch (const Exception&) {
                    // A host that keeps its own action for the control.
                }
            }
            Control->SetProperties();
            break;
        }
        case adxKindPopup: {
            TadxCommandBarPopup* popup = Control->GetAsPopup();
            found = id == 1 ? Module.FindControl(10, tag) : Module.FindControl(hostBar, 10, id);
            if (!found) {
                if (removedByUser(false))
                    return;
                found = add(10, Variant::Missing());
            }
            if (!found)
                return;
            popup->SetInterface(found);
            if (id == 1)
                popup->SetProperties();
            rtl::TLifeWatch connected = Module.Liveness().Watch();
            for (int i = 0; connected && i < popup->Controls()->Count(); ++i)
                Module.InternalAddControl(popup->Controls()->GetItem(i), Bar, popup);
            break;
        }
        case adxKindControl:
            if (id == 1)
                return;
            found = dispCall(hostBar, "FindControl", Variant::Missing(), id, tag,
                             Variant::Missing(), true)
                        .AsDispatch();
            if (!found) {
                if (removedByUser(false))
                    return;
                found = add(Variant::Missing(), id);
            }
            Control->SetInterface(found);
            Control->SetProperties();
            break;
        default:
            // No host of this system offers a place for an advanced control.
            break;
        }
    } catch (const Exception& e) {
        Module.DoError(e);
    }
}
