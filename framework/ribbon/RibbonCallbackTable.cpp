// The rows of the ribbon's callbacks and their look-ups.
#include "framework/ribbon/RibbonCallbackTable.h"

#include "framework/ribbon/RibbonAttributes.h"
#include "framework/ribbon/RibbonCollections.h"
#include "platform/com/OleError.h"
#include "platform/text/Text.h"

namespace {

using A = TadxCallbackArgs;
using R = TadxCallbackAnswer;
using W = TadxCallbackWork;
using C = IadxRibbonComponent;

// The not-found answers.
Variant True() {
    return Variant(true);
}
Variant False() {
    return Variant(false);
}
Variant Zero() {
    return Variant(0);
}
Variant MinusOne() {
    return Variant(-1);
}
Variant NoText() {
    return Variant(std::u16string());
}
Variant NoPicture() {
    return Variant(static_cast<IDispatch*>(nullptr));
}
Variant Nothing() {
    return {};
}

// True unless the glyph is empty, there is no image index and no built-in image.
bool HasImage(C& c) {
    return adxHasGlyph(c) || c.GetImageIndex() >= 0 || !c.GetImageMso().empty();
}

// The item at index of a component's items; raises for a component without
// items and for an index outside them.
C& ItemOf(C& component, int32_t index) {
    TadxRibbonControls* items = component.GetItems();
    if (!items)
        throw EOleSysError("The control has no items", E_INVALIDARG);
    return *items->GetItem(index);
}

// clang-format off
constexpr TadxRibbonCallback kCallbacks[] = {
    // DISPID, name, attribute, arguments, answer, work, question, kind, "wrapped", Outlook's rule, not found
    {10, "RibbonLoaded_Callback", "onLoad", A::Ribbon, R::None, W::RibbonLoaded, nullptr, -1, false, false, Nothing},
    {11, "GetImages_Callback", "loadImage", A::ImageName, R::Picture, W::LoadImage, nullptr, -1, true, false, NoPicture},
    {12, "GetVisible_Callback", "getVisible", A::Control, R::Bool, W::Property,
     [](C& c, int32_t) { return Variant(c.GetVisible()); }, rcptVisible, false, true, True},
    {13, "GetKeyTip_Callback", "getKeytip", A::Control, R::String, W::Property,
     [](C& c, int32_t) { return Variant(c.GetKeyTip()); }, rcptKeyTip, false, false, NoText},
    {14, "GetLabel_Callback", "getLabel", A::Control, R::String, W::Property,
     [](C& c, int32_t) { return Variant(c.GetCaption()); }, rcptCaption, true, false, NoText},
    {15, "GetEnabled_Callback", "getEnabled", A::Control, R::Bool, W::Property,
     [](C& c, int32_t) { return Variant(c.GetEnabled()); }, rcptEnabled, false, true, True},
    {16, "GetPressed_Callback", "getPressed", A::Control, R::Bool, W::Property,
     [](C& c, int32_t) { return Variant(c.GetPressed()); }, rcptPressed, true, false, False},
    {17, "GetImage_Callback", "getImage", A::Control, R::Picture, W::Picture, nullptr, rcptGlyph, true, false, NoPicture},
    {19, "GetSuperTip_Callback", "getSupertip", A::Control, R::String, W::Property,
     [](C& c, int32_t) { return Variant(c.GetSuperTip()); }, rcptSuperTip, true, false, NoText},
    {20, "GetScreenTip_Callback", "getScreentip", A::Control, R::String, W::Property,
     [](C& c, int32_t) { return Variant(c.GetScreenTip()); }, rcptScreenTip, true, false, NoText},
    {21, "GetSize_Callback", "getSize", A::Control, R::Integer, W::Property,
     [](C& c, int32_t) { return Variant(static_cast<int32_t>(c.GetSize())); }, rcptSize, false, false, Zero},
    {22, "GetShowLabel_Callback", "getShowLabel", A::Control, R::Bool, W::Property,
     [](C& c, int32_t) { return Variant(c.GetShowCaption()); }, rcptShowCaption, true, false, True},
    {23, "GetShowImage_Callback", "getShowImage", A::Control, R::Bool, W::Property,
     [](C& c, int32_t) { return Variant(HasImage(c)); }, rcptShowImage, true, false, False},
    {24, "GetDescription_Callback", "getDescription", A::Control, R::String, W::Property,
     [](C& c, int32_t) { return Variant(c.GetDescription()); }, rcptDescription, true, false, NoText},
    {25, "GetText_Callback", "getText", A::Control, R::Variant, W::Property,
     [](C& c, int32_t) { return Variant(c.GetText()); }, rcptText, false, false, Nothing},
    {26, "GetItemCount_Callback", "getItemCount", A::Control, R::Integer, W::Property,
     [](C& c, int32_t) { return Variant(c.GetItems() ? c.GetItems()->Count() : 0); }, rcptItemCount, false, false, Zero},
    {27, "GetItemID_Callback", "getItemID", A::ControlIndex, R::String, W::Property,
     [](C& c, int32_t i) { return Variant(ItemOf(c, i).GetID()); }, rcptItemID, false, false, NoText},
    {28, "GetItemImage_Callback", "getItemImage", A::ControlIndex, R::Picture, W::Picture, nullptr, rcptItemGlyph, false, false, NoPicture},
    {29, "GetItemLabel_Callback", "getItemLabel", A::ControlIndex, R::String, W::Property,
     [](C& c, int32_t i) { return Variant(ItemOf(c, i).GetCaption()); }, rcptItemCaption, false, false, NoText},
    {30, "GetItemScreenTip_Callback", "getItemScreentip", A::ControlIndex, R::String, W::Property,
     [](C& c, int32_t i) { return Variant(ItemOf(c, i).GetScreenTip()); }, rcptItemScreenTip, false, false, NoText},
    {31, "GetItemSuperTip_Callback", "getItemSupertip", A::ControlIndex, R::String, W::Property,
     [](C& c, int32_t i) { return Variant(ItemOf(c, i).GetSuperTip()); }, rcptItemSuperTip, false, false, NoText},
    {32, "GetShowItemImage_Callback", nullptr, A::ControlIndex, R::Bool, W::Property,
     [](C& c, int32_t i) { return Variant(HasImage(ItemOf(c, i))); }, rcptShowItemImage, false, false, True},
    {33, "GetSelectedItemIndex_Callback", "getSelectedItemIndex", A::Control, R::Integer, W::Property,
     [](C& c, int32_t) { return Variant(c.GetSelectedItemIndex()); }, rcptSelectedItemIndex, false, false, Zero},
    {34, "GetSelectedItemId_Callback", "getSelectedItemID", A::Control, R::String, W::Property,
     [](C& c, int32_t) { return Variant(c.GetSelectedItemId()); }, rcptSelectedItemID, false, false, NoText},
    {35, "GetItemHeight_Callback", "getItemHeight", A::Control, R::Integer, W::Property,
     [](C& c, int32_t) { return Variant(c.GetItemHeight()); }, rcptItemHeight, false, false, MinusOne},
    {36, "GetItemWidth_Callback", "getItemWidth", A::Control, R::Integer, W::Property,
     [](C& c, int32_t) { return Variant(c.GetItemWidth()); }, rcptItemWidth, false, false, MinusOne},
    {37, "GetContent_Callback", "getContent", A::Control, R::String, W::Property,
     [](C& c, int32_t) { return Variant(c.GetContent()); }, rcptContent, false, false, NoText},
    {38, "GetTitle_Callback", "getTitle", A::Control, R::String, W::Property,
     [](C& c, int32_t) { return Variant(c.GetTitle()); }, rcptTitle, false, false, NoText},
    {50, adxOnActionCommon, nullptr, A::Control, R::None, W::Action, nullptr, -1, true, false, Nothing},
    {51, "OnActionCommonRepurposed_Callback", nullptr, A::ControlCancel, R::None, W::Repurposed, nullptr, -1, false, false, Nothing},
    {52, adxOnActionState, nullptr, A::ControlPressed, R::None, W::Action, nullptr, -1, true, false, Nothing},
    {53, "OnActionStateRepurposed_Callback", nullptr, A::ControlPressedCancel, R::None, W::Repurposed, nullptr, -1, false, false, Nothing},
    {54, adxOnActionSelected, nullptr, A::ControlSelection, R::None, W::Action, nullptr, -1, false, false, Nothing},
    {55, "OnChange_Callback", "onChange", A::ControlText, R::None, W::Action, nullptr, -1, false, false, Nothing},
};
// clang-format on

} // namespace

const TadxRibbonCallback* adxFindRibbonCallback(DISPID id) {
    for (const TadxRibbonCallback& row : kCallbacks)
        if (row.Id == id)
            return &row;
    return nullptr;
}

const TadxRibbonCallback* adxFindRibbonCallback(std::u16string_view name) {
    for (const TadxRibbonCallback& row : kCallbacks)
        if (name == text::Wide(row.Name))
            return &row;
    return nullptr;
}

const char* adxCallbackOf(std::string_view attribute) {
    for (const TadxRibbonCallback& row : kCallbacks)
        if (row.Attribute && attribute == row.Attribute)
            return row.Name;
    return nullptr;
}

const char* adxRibbonCallbackName(DISPID id) {
    const TadxRibbonCallback* row = adxFindRibbonCallback(id);
    return row ? row->Name : nullptr;
}

size_t adxCallbackArgCount(TadxCallbackArgs args) {
    switch (args) {
    case A::Ribbon:
    case A::ImageName:
    case A::Control:
        return 1;
    case A::ControlIndex:
    case A::ControlPressed:
    case A::ControlText:
    case A::ControlCancel:
        return 2;
    case A::ControlSelection:
    case A::ControlPressedCancel:
        return 3;
    }
    return 0;
}
