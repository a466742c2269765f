// The button, the check box, the label, the dialog box launcher and the separators.
#include "framework/ribbon/RibbonButtons.h"

#include "framework/ribbon/RibbonAttributes.h"
#include "framework/ribbon/RibbonContainers.h"
#include "framework/ribbon/RibbonLists.h"
#include "framework/ribbon/RibbonMenus.h"
#include "framework/support/FrameworkErrors.h"

// ---- button ----

TadxRibbonButton::TadxRibbonButton(TCollection* Collection) : TadxRibbonCustomControl(Collection) {
    DesignTimeDefaults("Button", true);
}

bool TadxRibbonButton::IsToggle() const {
    // The host has no toggle buttons among a drop-down's or gallery's buttons.
    return ToggleButton && !OwnerIs<TadxRibbonDropDown>() && !OwnerIs<TadxRibbonGallery>();
}

std::string TadxRibbonButton::GetXmlType() {
    if (!GetIDMso().empty() && ParseMsoXmlTypeAs == pxtControl)
        return "control";
    return IsToggle() ? "toggleButton" : "button";
}

std::unique_ptr<TStringList> TadxRibbonButton::GetAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    if (!GetIDMso().empty()) {
        if (list.BuiltInHead(GetParentIDMso()))
            return list.Take();
        list.Put("label", GetCaption())
            .Put("supertip", GetSuperTip())
            .Put("screentip", GetScreenTip());
        list.Bool("showLabel", GetShowCaption()).Bool("enabled", GetEnabled());
    } else {
        list.Id().Image().Callbacks({"getKeytip", "getLabel", "getSupertip", "getScreentip",
                                     "getShowLabel", "getShowImage", "getEnabled"});
        if (IsToggle())
            list.Callback("getPressed").Put("onAction", adxOnActionState);
        else
            list.Put("onAction", adxOnActionCommon);
    }
    list.Insert().ImageMso();
    if (GetXmlType() != "control")
        list.Callback("getDescription");
    if (!OwnerIs<TadxRibbonGallery>() && !OwnerIs<TadxRibbonMenu>() &&
        !OwnerIs<TadxRibbonDropDown>() && !OwnerIs<TadxRibbonSplitButton>() &&
        !OwnerIs<TadxRibbonButtonGroup>())
        list.Callback("getSize");
    if (!OwnerIs<TadxRibbonSplitButton>())
        list.Callback("getVisible");
    return list.Take();
}

void TadxRibbonButton::DoAction(TadxRibbonActionArguments& Args) {
    DoClick(Args, OnClick, true);
}

// ---- check box ----

TadxRibbonCheckBox::TadxRibbonCheckBox(TCollection* Collection)
    : TadxRibbonCustomControl(Collection) {
    DesignTimeDefaults("CheckBox", true);
}

std::string TadxRibbonCheckBox::GetXmlType() {
    return GetIDMso().empty() ? "checkBox" : "control";
}

std::unique_ptr<TStringList> TadxRibbonCheckBox::GetAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    if (!GetIDMso().empty()) {
        if (list.BuiltInHead(GetParentIDMso()))
            return list.Take();
        list.Put("keytip", GetKeyTip()).Put("label", GetCaption()).Put("supertip", GetSuperTip());
        list.Put("screentip", GetScreenTip()).Bool("enabled", GetEnabled());
        list.Put("description", GetDescription());
    } else {
        list.Id().Callbacks({"getKeytip", "getLabel", "getSupertip", "getScreentip", "getEnabled",
                             "getDescription", "getPressed"});
        list.Put("onAction", adxOnActionState);
    }
    list.Insert().Callback("getVisible");
    return list.Take();
}

void TadxRibbonCheckBox::DoAction(TadxRibbonActionArguments& Args) {
    DoClick(Args, OnClick, true);
}

// ---- label ----

TadxRibbonLabel::TadxRibbonLabel(TCollection* Collection) : TadxRibbonCustomControl(Collection) {
    DesignTimeDefaults("Label", true);
}

std::string TadxRibbonLabel::GetXmlType() {
    return GetIDMso().empty() ? "labelControl" : "control";
}

std::unique_ptr<TStringList> TadxRibbonLabel::GetAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    if (!GetIDMso().empty()) {
        if (list.BuiltInHead(GetParentIDMso()))
            return list.Take();
        list.Put("label", GetCaption())
            .Put("supertip", GetSuperTip())
            .Put("screentip", GetScreenTip());
        list.Bool("showLabel", GetShowCaption()).Bool("enabled", GetEnabled());
    } else {
        list.Id().Callbacks(
            {"getLabel", "getSupertip", "getScreentip", "getShowLabel", "getEnabled"});
    }
    list.Insert().Callback("getVisible");
    return list.Take();
}

// ---- dialog box launcher ----

namespace {

// A group holds one launcher at most; checked before the launcher joins it.
TCollection* CheckSingleLauncher(TCollection* collection) {
    for (int i = 0; collection && i < collection->Count(); ++i)
        if (dynamic_cast<TadxRibbonDialogBoxLauncher*>(collection->Items(i)))
            adx::RaiseError(adx::ErrSingleInstance, adx::SSingleInstance,
                            {ClassNameOf<TadxRibbonDialogBoxLauncher>(), "Ribbon Group"});
    return collection;
}

} // namespace

TadxRibbonDialogBoxLauncher::TadxRibbonDialogBoxLauncher(TCollection* Collection)
    : TadxRibbonCustomControl(CheckSingleLauncher(Collection)) {
    DesignTimeDefaults("DialogBoxLauncher", false);
}

std::unique_ptr<TStringList> TadxRibbonDialogBoxLauncher::GetAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    if (!GetIDMso().empty()) {
        if (list.BuiltInHead(GetParentIDMso()))
            return list.Take();
    } else {
        list.Id().Callbacks({"getKeytip", "getSupertip", "getScreentip", "getEnabled"});
        list.Put("onAction", adxOnActionCommon);
    }
    list.Callback("getVisible");
    return list.Take();
}

void TadxRibbonDialogBoxLauncher::DoAction(TadxRibbonActionArguments& Args) {
    DoClick(Args, OnClick, false);
}

// ---- separators ----

TadxRibbonSeparator::TadxRibbonSeparator(TCollection* Collection)
    : TadxRibbonCustomControl(Collection) {
    DesignTimeDefaults("Separator", false);
}

std::unique_ptr<TStringList> TadxRibbonSeparator::GetAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    list.Id().Insert();
    return list.Take();
}

TadxRibbonMenuSeparator::TadxRibbonMenuSeparator(TCollection* Collection)
    : TadxRibbonCustomControl(Collection) {
    DesignTimeDefaults("MenuSeparator", false);
}

std::unique_ptr<TStringList> TadxRibbonMenuSeparator::GetAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    list.Id().Insert().Callback("getTitle");
    return list.Take();
}
