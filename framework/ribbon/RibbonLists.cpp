// The edit box, the combo box, the drop-down, the gallery and their items.
#include "framework/ribbon/RibbonLists.h"

#include "framework/ribbon/RibbonAttributes.h"
#include "framework/ribbon/RibbonButtons.h"
#include "framework/ribbon/RibbonContainers.h"
#include "framework/ribbon/RibbonMenus.h"

#include <string>

namespace {

// The most items and buttons a list control holds.
constexpr int kMaxItems = 1000;
constexpr int kMaxButtons = 16;

std::unique_ptr<TadxRibbonItems> NewItems(TPersistent* owner) {
    return std::make_unique<TadxRibbonItems>(owner, kMaxItems,
                                             TCollection::ItemClassOf<TadxRibbonItem>());
}

std::unique_ptr<TadxRibbonControls> NewButtons(TPersistent* owner) {
    return std::make_unique<TadxRibbonControls>(owner, kMaxButtons,
                                                TCollection::ItemClassOf<TadxRibbonButton>());
}

// The item callbacks of every list control.
void ItemCallbacks(TadxAttributeList& list) {
    list.Callbacks({"getItemCount", "getItemID", "getItemImage", "getItemLabel", "getItemScreentip",
                    "getItemSupertip"});
}

} // namespace

// ---- item ----

TadxRibbonItem::TadxRibbonItem(TCollection* Collection) : TadxRibbonCustomControl(Collection) {
    DesignTimeDefaults("Item", true);
}

void TadxRibbonItem::ShownInListChanged() {
    // The host shows a drop-down's items through the drop-down's callbacks:
    // what they answer changed. Other changes leave the drop-down alone.
    if (auto* dropDown = dynamic_cast<TadxRibbonDropDown*>(ParentObject()))
        dropDown->Invalidate();
}

// ---- edit box ----

TadxRibbonEditBox::TadxRibbonEditBox(TCollection* Collection)
    : TadxRibbonCustomControl(Collection) {
    DesignTimeDefaults("EditBox", true);
}

std::string TadxRibbonEditBox::GetXmlType() {
    return GetIDMso().empty() ? "editBox" : "control";
}

void TadxRibbonEditBox::EditBoxAttributes(TadxAttributeList& list) {
    if (!GetIDMso().empty()) {
        list.Put("keytip", GetKeyTip()).Put("label", GetCaption()).Put("supertip", GetSuperTip());
        list.Put("screentip", GetScreenTip()).Bool("showLabel", GetShowCaption());
        list.Bool("enabled", GetEnabled()).ImageMso().Bool("showImage", !GetImageMso().empty());
        return;
    }
    list.Id();
    if (MaxLength >= 1 && MaxLength <= 1024)
        list.Put("maxLength", std::to_string(MaxLength));
    list.Put("sizeString", SizeString).Image().ImageMso();
    list.Callbacks({"getKeytip", "getLabel", "getSupertip", "getScreentip", "getShowLabel",
                    "getShowImage", "getEnabled", "getText"});
    list.Callback("onChange");
}

std::unique_ptr<TStringList> TadxRibbonEditBox::GetAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    if (!GetIDMso().empty() && list.BuiltInHead(GetParentIDMso()))
        return list.Take();
    EditBoxAttributes(list);
    list.Insert().Callback("getVisible");
    return list.Take();
}

void TadxRibbonEditBox::DoAction(TadxRibbonActionArguments& Args) {
    StoreText(Args.Text);
    if (!OnChange)
        return;
    // Copied: the handler may free the control, and the handler with it.
    TadxRibbonOnChange handler = OnChange;
    RunHandler([&] { handler(this, Args.RibbonControl); });
}

// ---- combo box ----

TadxRibbonComboBox::TadxRibbonComboBox(TCollection* Collection)
    : TadxRibbonEditBox(Collection), items_(NewItems(this)) {
    DesignTimeDefaults("ComboBox", true);
}

TadxRibbonComboBox::~TadxRibbonComboBox() {
    items_.reset();
}

std::string TadxRibbonComboBox::GetXmlType() {
    return GetIDMso().empty() ? "comboBox" : "control";
}

void TadxRibbonComboBox::SetItems(TadxRibbonControls* Value) {
    items_->Assign(Value);
}

std::unique_ptr<TStringList> TadxRibbonComboBox::GetAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    if (!GetIDMso().empty() && list.BuiltInHead(GetParentIDMso()))
        return list.Take();
    EditBoxAttributes(list);
    if (GetIDMso().empty()) {
        ItemCallbacks(list);
        list.Put("invalidateContentOnDrop", "true");
    }
    list.Insert().Callback("getVisible");
    return list.Take();
}

// ---- drop-down and gallery ----

TadxRibbonListControl::TadxRibbonListControl(TCollection* Collection)
    : TadxRibbonCustomControl(Collection), items_(NewItems(this)), controls_(NewButtons(this)) {}

TadxRibbonListControl::~TadxRibbonListControl() {
    // The items and buttons climb through this control to leave the key list.
    controls_.reset();
    items_.reset();
}

void TadxRibbonListControl::SetItems(TadxRibbonControls* Value) {
    items_->Assign(Value);
}

void TadxRibbonListControl::SetControls(TadxRibbonControls* Value) {
    controls_->Assign(Value);
}

void TadxRibbonListControl::DoAction(TadxRibbonActionArguments& Args) {
    StoreSelection(Args.SelectedId, Args.SelectedIndex);
    if (!OnChange)
        return;
    // Copied: the handler may free the control, and the handler with it.
    TadxRibbonOnChange handler = OnChange;
    RunHandler([&] { handler(this, Args.RibbonControl); });
}

void TadxRibbonListControl::DoChangeProperty(TadxRibbonControlPropertyType PropertyType,
                                             Variant& Value, IDispatch* Context,
                                             int32_t ItemIndex) {
    RouteItemProperty(PropertyType, Value, Context, ItemIndex, OnItemPropertyChanging);
}

void TadxRibbonListControl::BuiltInAttributes(TadxAttributeList& list) {
    list.Put("keytip", GetKeyTip()).Put("label", GetCaption()).Put("supertip", GetSuperTip());
    list.Put("screentip", GetScreenTip()).Bool("showLabel", GetShowCaption());
    list.Bool("enabled", GetEnabled()).Bool("showImage", !GetImageMso().empty());
}

void TadxRibbonListControl::ItemAttributes(TadxAttributeList& list) {
    ItemCallbacks(list);
    // getSelectedItemIndex when an index is selected, else getSelectedItemID when an id is.
    if (GetSelectedItemIndex() >= 0)
        list.Callback("getSelectedItemIndex");
    else if (!GetSelectedItemId().empty())
        list.Callback("getSelectedItemID");
}

TadxRibbonDropDown::TadxRibbonDropDown(TCollection* Collection)
    : TadxRibbonListControl(Collection) {
    DesignTimeDefaults("DropDown", true);
}

std::string TadxRibbonDropDown::GetXmlType() {
    return GetIDMso().empty() ? "dropDown" : "control";
}

std::unique_ptr<TStringList> TadxRibbonDropDown::GetAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    if (!GetIDMso().empty()) {
        if (list.BuiltInHead(GetParentIDMso()))
            return list.Take();
        BuiltInAttributes(list);
    } else {
        list.Id().Image().Callbacks({"getKeytip", "getLabel", "getSupertip", "getScreentip",
                                     "getShowLabel", "getShowImage", "getEnabled"});
        ItemAttributes(list);
        list.Put("onAction", adxOnActionSelected).Put("sizeString", SizeString);
        list.Bool("showItemLabel", ShowItemCaption);
    }
    list.Insert().ImageMso().Callback("getVisible");
    return list.Take();
}

TadxRibbonGallery::TadxRibbonGallery(TCollection* Collection) : TadxRibbonListControl(Collection) {
    DesignTimeDefaults("Gallery", true);
}

std::string TadxRibbonGallery::GetXmlType() {
    return GetIDMso().empty() ? "gallery" : "control";
}

void TadxRibbonGallery::SetColumns(int32_t Value) {
    if (Value >= 1 && Value <= 1024)
        Change(columns_, Value);
}

void TadxRibbonGallery::SetRows(int32_t Value) {
    if (Value >= 1 && Value <= 1024)
        Change(rows_, Value);
}

std::unique_ptr<TStringList> TadxRibbonGallery::GetAttributes() {
    TadxAttributeList list(*this, ModuleNamespace());
    bool sized = !OwnerIs<TadxRibbonMenu>() && !OwnerIs<TadxRibbonButtonGroup>();
    if (!GetIDMso().empty()) {
        if (list.BuiltInHead(GetParentIDMso()))
            return list.Take();
        BuiltInAttributes(list);
        if (sized)
            list.Put("size", GetSize() == csLarge ? "large" : "normal");
    } else {
        list.Id().Image().Callbacks({"getKeytip", "getLabel", "getSupertip", "getScreentip",
                                     "getShowLabel", "getShowImage", "getEnabled"});
        list.Bool("showItemLabel", ShowItemCaption);
        ItemAttributes(list);
        list.Put("onAction", adxOnActionSelected);
        list.Put("columns", std::to_string(columns_)).Put("rows", std::to_string(rows_));
        list.Callbacks({"getItemHeight", "getItemWidth"}).Put("invalidateContentOnDrop", "true");
    }
    list.Insert().ImageMso().Callback("getVisible");
    if (sized)
        list.Callback("getSize");
    return list.Take();
}

// ---- combo box item values ----

void TadxRibbonComboBox::DoChangeProperty(TadxRibbonControlPropertyType PropertyType,
                                          Variant& Value, IDispatch* Context, int32_t ItemIndex) {
    RouteItemProperty(PropertyType, Value, Context, ItemIndex, OnItemPropertyChanging);
}
