// What the simulated ribbon shows: each property of a control is asked of its
// get... callback when the document names one, else read from its attribute,
// else left at Office's default; the answers are kept until the add-in
// invalidates the control or the whole ribbon.
#include "platform/sim/RibbonHost.h"

#include "platform/text/Text.h"

namespace sim {

namespace {

// Office shows at most this many items in one drop-down, gallery or combo box.
constexpr int32_t MaxItems = 1000;

// Runs one question to the add-in; a failing callback or an answer of the
// wrong type is recorded and leaves the property as it was.
template <class F>
void Guarded(std::vector<std::string>& errors, const RibbonElement& element, const char* callback,
             F&& ask) {
    try {
        ask();
    } catch (const EHostFailure& e) {
        errors.push_back(e.Message);
    } catch (const Exception& e) {
        errors.push_back(std::string(callback) + " for \"" + element.Id() +
                         "\" answered a value the host cannot use: " + e.Message);
    }
}

bool StaticBool(const std::string& value, bool fallback) {
    if (value == "true" || value == "1")
        return true;
    if (value == "false" || value == "0")
        return false;
    return fallback;
}

} // namespace

RibbonControlState RibbonHost::Render(std::string_view controlId) {
    return RenderElement(Find(controlId));
}

void RibbonHost::RenderAll() {
    for (const RibbonElement* element : Document().Elements()) {
        if (element->Parent && !element->Id().empty())
            RenderElement(*element);
    }
}

RibbonControlState RibbonHost::RenderElement(const RibbonElement& element) {
    // Invalidations that came since the last question drop what was shown.
    if (ribbonUI_) {
        for (const std::string& id : ribbonUI_->TakePending()) {
            if (id.empty()) {
                shown_.clear();
                continue;
            }
            for (auto it = shown_.begin(); it != shown_.end();)
                it = it->first->Id() == id ? shown_.erase(it) : std::next(it);
        }
    }
    auto shown = shown_.find(&element);
    if (shown != shown_.end())
        return shown->second;
    RibbonControlState state = Ask(element);
    shown_.emplace(&element, state);
    return state;
}

RibbonControlState RibbonHost::Ask(const RibbonElement& element) {
    RibbonControlState state;
    state.Id = element.Id();
    state.Kind = element.Tag;
    AskBool(element, "visible", "getVisible", state.Visible);
    AskBool(element, "enabled", "getEnabled", state.Enabled);
    AskText(element, "label", "getLabel", state.Label);
    AskBool(element, "showLabel", "getShowLabel", state.ShowLabel);
    AskSize(element, state.Size);
    AskImage(element, state);
    AskBool(element, "showImage", "getShowImage", state.ShowImage);
    AskText(element, "screentip", "getScreentip", state.ScreenTip);
    AskText(element, "supertip", "getSupertip", state.SuperTip);
    AskText(element, "keytip", "getKeytip", state.KeyTip);
    AskText(element, "description", "getDescription", state.Description);
    AskText(element, "title", "getTitle", state.Title);
    AskText(element, nullptr, "getText", state.Text);
    AskBool(element, nullptr, "getPressed", state.Pressed);
    return state;
}

void RibbonHost::AskText(const RibbonElement& element, const char* attribute, const char* callback,
                         std::u16string& out) {
    if (element.Has(callback)) {
        Guarded(errors_, element, callback,
                [&] { out = CallFor(element, callback, {}, true).AsWide(); });
    } else if (attribute && element.Has(attribute)) {
        out = text::Wide(element.Attribute(attribute));
    }
}

void RibbonHost::AskBool(const RibbonElement& element, const char* attribute, const char* callback,
                         bool& out) {
    if (element.Has(callback)) {
        Guarded(errors_, element, callback,
                [&] { out = CallFor(element, callback, {}, true).AsBool(); });
    } else if (attribute && element.Has(attribute)) {
        out = StaticBool(element.Attribute(attribute), out);
    }
}

void RibbonHost::AskSize(const RibbonElement& element, RibbonControlSize& out) {
    if (element.Has("getSize")) {
        Guarded(errors_, element, "getSize", [&] {
            int32_t size = CallFor(element, "getSize", {}, true).AsInteger();
            if (size != RibbonControlSizeRegular && size != RibbonControlSizeLarge)
                throw Exception("no such size: " + std::to_string(size));
            out = static_cast<RibbonControlSize>(size);
        });
    } else if (element.Has("size")) {
        out = element.Attribute("size") == "large" ? RibbonControlSizeLarge
                                                   : RibbonControlSizeRegular;
    }
}

// getImage answers a picture, or the name of a built-in image; the "image"
// attribute names a picture that loadImage supplies.
void RibbonHost::AskImage(const RibbonElement& element, RibbonControlState& state) {
    if (element.Has("getImage")) {
        Guarded(errors_, element, "getImage", [&] {
            Variant image = CallFor(element, "getImage", {}, true);
            if (image.BaseType() == VT_BSTR)
                state.ImageMso = image.AsString();
            else if (!image.IsEmpty())
                state.Image = image.AsDispatch();
        });
    } else if (element.Has("image")) {
        Guarded(errors_, element, "loadImage",
                [&] { state.Image = LoadImage(element.Attribute("image")); });
    } else if (element.Has("imageMso")) {
        state.ImageMso = element.Attribute("imageMso");
    }
}

std::vector<RibbonItemState> RibbonHost::RenderItems(std::string_view controlId) {
    const RibbonElement& element = Find(controlId);
    std::vector<RibbonItemState> items;
    if (!element.Has("getItemCount")) {
        for (const auto& child : element.Children) {
            if (child->Tag != "item")
                continue;
            RibbonItemState item;
            item.Id = text::Wide(child->Attribute("id"));
            item.Label = text::Wide(child->Attribute("label"));
            item.ScreenTip = text::Wide(child->Attribute("screentip"));
            item.SuperTip = text::Wide(child->Attribute("supertip"));
            if (child->Has("image"))
                Guarded(errors_, *child, "loadImage",
                        [&] { item.Image = LoadImage(child->Attribute("image")); });
            items.push_back(std::move(item));
        }
        return items;
    }
    int32_t count = 0;
    Guarded(errors_, element, "getItemCount", [&] {
        count = CallFor(element, "getItemCount", {}, true).AsInteger();
        if (count < 0 || count > MaxItems)
            throw Exception("an item count outside 0 to " + std::to_string(MaxItems) + ": " +
                            std::to_string(count));
    });
    for (int32_t i = 0; i < count; ++i) {
        RibbonItemState item;
        AskItem(element, i, item);
        items.push_back(std::move(item));
    }
    return items;
}

void RibbonHost::AskItem(const RibbonElement& element, int32_t index, RibbonItemState& item) {
    auto text = [&](const char* callback, std::u16string& out) {
        if (element.Has(callback))
            Guarded(errors_, element, callback,
                    [&] { out = CallFor(element, callback, {Variant(index)}, true).AsWide(); });
    };
    text("getItemID", item.Id);
    text("getItemLabel", item.Label);
    text("getItemScreentip", item.ScreenTip);
    text("getItemSupertip", item.SuperTip);
    if (element.Has("getItemImage"))
        Guarded(errors_, element, "getItemImage", [&] {
            item.Image = CallFor(element, "getItemImage", {Variant(index)}, true).AsDispatch();
        });
}

} // namespace sim
