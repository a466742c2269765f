// The attribute building blocks of the ribbon document.
#include "framework/ribbon/RibbonAttributes.h"

#include "platform/gfx/Bitmap.h"
#include "platform/text/Text.h"

#include <utility>

bool adxHasGlyph(IadxRibbonComponent& component) {
    TBitmap* glyph = component.GetGlyph();
    return glyph && !glyph->Empty();
}

TadxAttributeList::TadxAttributeList(IadxRibbonComponent& component, std::u16string ns)
    : component_(component), ns_(std::move(ns)), list_(std::make_unique<TStringList>()) {}

TadxAttributeList& TadxAttributeList::Put(std::string_view name, std::u16string_view value) {
    return Put(name, std::string_view(text::Narrow(value)));
}

TadxAttributeList& TadxAttributeList::Put(std::string_view name, std::string_view value) {
    // SetValues drops a line whose value is empty, so empty properties write nothing.
    list_->SetValues(std::string(name), std::string(value));
    return *this;
}

TadxAttributeList& TadxAttributeList::Bool(std::string_view name, bool value) {
    return Put(name, value ? "true" : "false");
}

TadxAttributeList& TadxAttributeList::Callback(std::string_view attribute) {
    return Put(attribute, adxCallbackOf(attribute));
}

TadxAttributeList&
TadxAttributeList::Callbacks(std::initializer_list<std::string_view> attributes) {
    for (std::string_view attribute : attributes)
        Callback(attribute);
    return *this;
}

TadxAttributeList& TadxAttributeList::Id() {
    if (HasNamespace())
        return Put("idQ", u"default:" + component_.GetID());
    return Put("id", component_.GetID());
}

TadxAttributeList& TadxAttributeList::SharedId() {
    return Put("idQ", u"shared:" + component_.GetID());
}

TadxAttributeList& TadxAttributeList::Insert() {
    const std::pair<const char*, std::u16string> candidates[] = {
        {"insertAfterMso", component_.GetInsertAfterIdMso()},
        {"insertBeforeMso", component_.GetInsertBeforeIdMso()},
        {"insertAfterQ", component_.GetInsertAfterId()},
        {"insertBeforeQ", component_.GetInsertBeforeId()},
    };
    for (const auto& [name, value] : candidates)
        if (!value.empty())
            return Put(name, value);
    return *this;
}

TadxAttributeList& TadxAttributeList::Image() {
    if (adxHasGlyph(component_) || component_.GetImageIndex() >= 0)
        Callback("getImage");
    return *this;
}

TadxAttributeList& TadxAttributeList::ImageMso() {
    return Put("imageMso", component_.GetImageMso());
}

bool TadxAttributeList::BuiltInHead(const std::u16string& parentIdMso) {
    Put("idMso", component_.GetIDMso());
    return !parentIdMso.empty();
}
