// The menu, its dynamic content, and the split button with its inner button.
#include "framework/ribbon/RibbonMenus.h"

#include "framework/ribbon/RibbonAttributes.h"
#include "framework/ribbon/RibbonButtons.h"
#include "framework/ribbon/RibbonDocument.h"
#include "framework/ribbon/RibbonXmlWriter.h"
#include "framework/support/ModuleServices.h"
#include "platform/text/Text.h"

namespace {

// The most menus a split button holds.
constexpr int kMaxMenus = 10;

} // namespace

// ---- menu ----

TadxRibbonMenu::TadxRibbonMenu(TCollection* Collection) : TadxRibbonContainerControl(Collection) {
    DesignTimeDefaults("Menu", true);
}

std::string TadxRibbonMenu::GetXmlType() {
    if (!GetIDMso().empty() && GetParentIDMso().empty())
        return "control";
    return dynamic_ ? "dynamicMenu" : "menu";
}

void TadxRibbonMenu::SetDynamic(bool Value) {
    // The host cannot fetch the content of a split button's menu.
    if (OwnerIs<TadxRibbonSplitButton>())
        return;
    dynamic_ = Value;
}

std::unique_ptr<TStringList> TadxRibbonMenu::GetAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    if (!GetIDMso().empty()) {
        if (list.BuiltInHead(GetParentIDMso()))
            return list.Take();
        list.Put("keytip", GetKeyTip()).Put("label", GetCaption()).Put("supertip", GetSuperTip());
        list.Put("screentip", GetScreenTip()).Bool("showLabel", GetShowCaption());
        list.Bool("enabled", GetEnabled()).Bool("showImage", !GetImageMso().empty());
        list.Put("description", GetDescription());
    } else {
        list.Id();
        if (dynamic_)
            list.Callback("getContent").Put("invalidateContentOnDrop", "true");
        else
            list.Put("itemSize", ItemSize == TadxRibbonXItemSize::Large ? "large" : "normal");
        list.Image().Callbacks({"getShowLabel", "getShowImage", "getEnabled", "getDescription",
                                "getKeytip", "getLabel"});
        if (OwnerIs<TadxRibbonSplitButton>())
            list.Put("supertip", GetSuperTip());
        else
            list.Callback("getSupertip");
        list.Callback("getScreentip");
    }
    list.Insert().ImageMso();
    if (!OwnerIs<TadxRibbonMenu>() && !OwnerIs<TadxRibbonSplitButton>() &&
        !OwnerIs<TadxRibbonButtonGroup>())
        list.Callback("getSize");
    list.Callback("getVisible");
    return list.Take();
}

std::u16string TadxRibbonMenu::GetContent() {
    if (OnCreate) {
        // Copied: the handler may free the menu (by turning the add-in off,
        // too), and the handler with it; a menu gone has no content.
        TNotifyEvent handler = OnCreate;
        if (!RunHandler([&] { handler(this); }))
            return {};
    }
    TadxModuleServices* module = Module();
    TadxXMLHelper writer;
    writer.WriteStartElement("menu");
    writer.WriteAttributeString("xmlns", adxCustomUINamespace);
    if (module && !module->Namespace.empty()) {
        std::string progId = module->GetProgID();
        writer.WriteAttributeString("xmlns:default", text::Wide(progId));
        writer.WriteAttributeString("xmlns:shared", module->Namespace);
    }
    if (ItemSize == TadxRibbonXItemSize::Large)
        writer.WriteAttributeString("itemSize", u"large");
    TadxRibbonControls* controls = Controls();
    try {
        for (int i = 0; i < controls->Count(); ++i)
            adxProcessChildren(module, writer, *controls->GetItem(i), u"DynamicMenu");
    } catch (const EadxRibbonModuleFreed&) {
        return {};
    }
    writer.WriteEndElement("menu");
    return writer.Text;
}

// ---- split button ----

TadxRibbonSplitButton::TadxRibbonSplitButton(TCollection* Collection)
    : TadxRibbonCustomControl(Collection),
      controls_(std::make_unique<TadxRibbonControls>(this, kMaxMenus,
                                                     TCollection::ItemClassOf<TadxRibbonMenu>())) {
    DesignTimeDefaults("SplitButton", true);
}

TadxRibbonSplitButton::~TadxRibbonSplitButton() {
    // The menus climb through this control to leave the key list.
    controls_.reset();
}

void TadxRibbonSplitButton::SetControls(TadxRibbonControls* Value) {
    controls_->Assign(Value);
}

std::unique_ptr<TStringList> TadxRibbonSplitButton::GetAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    if (!GetIDMso().empty()) {
        if (list.BuiltInHead(GetParentIDMso()))
            return list.Take();
        list.Bool("showLabel", GetShowCaption()).Bool("enabled", GetEnabled());
        list.Put("keytip", GetKeyTip());
    } else {
        list.Id().Callbacks({"getShowLabel", "getEnabled", "getKeytip"});
    }
    list.Insert();
    if (!OwnerIs<TadxRibbonMenu>() && !OwnerIs<TadxRibbonButtonGroup>())
        list.Callback("getSize");
    list.Callback("getVisible");
    return list.Take();
}

std::unique_ptr<TStringList> TadxRibbonSplitButton::GetWrappedAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    if (list.HasNamespace())
        list.Put("idQ", u"default:" + GetID() + u"wrapped");
    else
        list.Put("id", GetID() + u"wrapped");
    list.Image().ImageMso().Callbacks(
        {"getLabel", "getSupertip", "getScreentip", "getShowImage", "getDescription"});
    if (ToggleButton)
        list.Callback("getPressed").Put("onAction", adxOnActionState);
    else
        list.Put("onAction", adxOnActionCommon);
    return list.Take();
}

void TadxRibbonSplitButton::DoAction(TadxRibbonActionArguments& Args) {
    DoClick(Args, OnClick, true);
}
