// THTMLabel for stored forms: its published properties and events, so that
// a dialog's form text can declare a label with its text and handlers.
#include "htmllabel/HTMLabel.h"

#include "platform/controls/ControlClasses.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/gfx/GraphicsClasses.h"

namespace htmllabel {

namespace {

using forms::FormReader;
using forms::FormValue;

const std::vector<std::string> kBevelCuts = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};

// A colour property read by name, number or hex value.
template <class Setter> auto ColorProperty(Setter setter) {
    return [setter](THTMLabel& label, const FormValue& value, FormReader& reader) {
        (label.*setter)(gfx::ReadColor(value, reader));
    };
}

} // namespace

void RegisterHTMLabelClasses(forms::FormClassTable& table) {
    if (table.Find("THTMLabel"))
        return;
    controls::RegisterControlClasses(table);
    RegisterPictureClasses(table);
    table.Register<THTMLabel, TCustomLabel>()
        .Property("AnchorHint", &THTMLabel::SetAnchorHint)
        .Property("AutoSizing", &THTMLabel::SetAutoSizing)
        .Enum("AutoSizeType", &THTMLabel::SetAutoSizeType, {"asVertical", "asHorizontal", "asBoth"})
        .Enum("BevelInner", &THTMLabel::SetBevelInner, kBevelCuts)
        .Enum("BevelOuter", &THTMLabel::SetBevelOuter, kBevelCuts)
        .Property("BevelWidth", &THTMLabel::SetBevelWidth)
        .Property("BorderWidth", &THTMLabel::SetBorderWidth)
        .Enum("BorderStyle", &THTMLabel::SetBorderStyle, {"bsNone", "bsSingle"})
        .Property("Ellipsis", &THTMLabel::SetEllipsis)
        .Property("HintShowFull", &THTMLabel::SetHintShowFull)
        .Property("Hover", &THTMLabel::SetHover)
        .Define("HoverColor", ColorProperty(&THTMLabel::SetHoverColor))
        .Define("HoverFontColor", ColorProperty(&THTMLabel::SetHoverFontColor))
        .Property("HTMLHint", &THTMLabel::SetHTMLHint)
        .Object("HTMLText", [](THTMLabel& label) { return label.HTMLText(); })
        .Reference("Images", &THTMLabel::SetImages)
        .Reference("PictureContainer", &THTMLabel::SetPictureContainer)
        .Define("ShadowColor", ColorProperty(&THTMLabel::SetShadowColor))
        .Property("ShadowOffset", &THTMLabel::SetShadowOffset)
        .Define("URLColor", ColorProperty(&THTMLabel::SetURLColor))
        .Enum("VAlignment", &THTMLabel::SetVAlignment, {"tvaTop", "tvaCenter", "tvaBottom"})
        .Event("OnAnchorClick", &THTMLabel::OnAnchorClick)
        .Event("OnAnchorEnter", &THTMLabel::OnAnchorEnter)
        .Event("OnAnchorExit", &THTMLabel::OnAnchorExit)
        .Event("OnAnchorHint", &THTMLabel::OnAnchorHint);
}

} // namespace htmllabel
