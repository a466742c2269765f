// Registration of the control base and the form for stored forms.
#include "platform/controls/ControlClasses.h"

#include "platform/controls/ControlClassesDetail.h"
#include "platform/controls/Form.h"
#include "platform/controls/Menus.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/gfx/GraphicsClasses.h"

namespace controls {

namespace {

using forms::FormReader;
using forms::FormValue;

// The class library's cursor names as forms write them.
const std::vector<std::pair<const char*, TCursor>> kCursors = {
    {"crDefault", crDefault}, {"crNone", crNone},           {"crArrow", crArrow},
    {"crCross", crCross},     {"crIBeam", crIBeam},         {"crSizeNS", crSizeNS},
    {"crSizeWE", crSizeWE},   {"crHourGlass", crHourGlass}, {"crNo", crNo},
    {"crHelp", crHelp},       {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll},
};

TCursor ReadCursor(const FormValue& value, FormReader& reader) {
    if (value.Type == FormValue::Kind::Identifier) {
        for (const auto& [name, cursor] : kCursors)
            if (text::SameText(value.Text, name))
                return cursor;
        reader.Fail("Invalid property value: " + value.Text + " is not a cursor");
    }
    return static_cast<TCursor>(forms::ReadInteger(value, reader, -32768, 32767));
}

void RegisterBase(forms::FormClassTable& table) {
    table.Register<TSizeConstraints>()
        .Property("MaxHeight", &TSizeConstraints::SetMaxHeight)
        .Property("MaxWidth", &TSizeConstraints::SetMaxWidth)
        .Property("MinHeight", &TSizeConstraints::SetMinHeight)
        .Property("MinWidth", &TSizeConstraints::SetMinWidth);
    table.Register<TControl, TComponent>()
        .Property("Left", &TControl::SetLeft)
        .Property("Top", &TControl::SetTop)
        .Property("Width", &TControl::SetWidth)
        .Property("Height", &TControl::SetHeight)
        .Enum("Align", &TControl::SetAlign,
              {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"})
        .SetOf("Anchors", &TControl::SetAnchors, {"akLeft", "akTop", "akRight", "akBottom"})
        .Property("Visible", &TControl::SetVisible)
        .Property("Enabled", &TControl::SetEnabled)
        .Object("Font", [](TControl& c) { return c.Font(); })
        .Property("ParentFont", &TControl::SetParentFont)
        .Define("Color", [](TControl& c, const FormValue& v,
                            FormReader& r) { c.SetColor(gfx::ReadColor(v, r)); })
        .Property("ParentColor", &TControl::SetParentColor)
        .Property("Caption", &TControl::SetCaption)
        .Property("Hint", &TControl::SetHint)
        .Property("ShowHint", &TControl::SetShowHint)
        .Property("ParentShowHint", &TControl::SetParentShowHint)
        .Define("Cursor", [](TControl& c, const FormValue& v,
                             FormReader& r) { c.SetCursor(ReadCursor(v, r)); })
        .Object("Constraints", [](TControl& c) { return c.Constraints(); })
        .Property("HelpContext", &TControl::SetHelpContext)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseUp", &TControl::OnMouseUp)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnMouseEnter", &TControl::OnMouseEnter)
        .Event("OnMouseLeave", &TControl::OnMouseLeave);
    table.Register<TGraphicControl, TControl>();
    table.Register<TWinControl, TControl>()
        .Property("TabOrder", &TWinControl::SetTabOrder)
        .Property("TabStop", &TWinControl::SetTabStop)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyUp", &TWinControl::OnKeyUp)
        .Event("OnKeyPress", &TWinControl::OnKeyPress);
    table.Register<TCustomControl, TWinControl>();
}

void RegisterForm(forms::FormClassTable& table) {
    table.Register<TForm, TWinControl>()
        .FormBase()
        .Property("ClientWidth", &TForm::SetClientWidth)
        .Property("ClientHeight", &TForm::SetClientHeight)
        .Enum("BorderStyle", &TForm::SetBorderStyle,
              {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"})
        .SetOf("BorderIcons", &TForm::SetBorderIcons,
               {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"})
        .Enum("Position", &TForm::SetPosition,
              {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
               "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"})
        .Property("KeyPreview", &TForm::SetKeyPreview)
        .Property("HelpFile", &TForm::SetHelpFile)
        .Reference("Menu", &TForm::SetMenu)
        .Reference("ActiveControl", &TForm::SetActiveControl)
        // Written by form designers; the fixed-grid machine has one resolution.
        .Define("PixelsPerInch", [](TForm&, const FormValue&, FormReader&) {})
        .Define("TextHeight", [](TForm&, const FormValue&, FormReader&) {})
        .Event("OnCreate", &TForm::OnCreate)
        .Event("OnDestroy", &TForm::OnDestroy)
        .Event("OnShow", &TForm::OnShow)
        .Event("OnClose", &TForm::OnClose)
        .Event("OnPaint", &TForm::OnPaint);
    table.Register<TMenuItem, TComponent>()
        .Property("Caption", &TMenuItem::SetCaption)
        .Property("Enabled", &TMenuItem::SetEnabled)
        .Property("Visible", &TMenuItem::SetVisible)
        .Property("Checked", &TMenuItem::SetChecked)
        .Event("OnClick", &TMenuItem::OnClick);
    table.Register<TMainMenu, TComponent>();
}

} // namespace

void RegisterControlClasses(forms::FormClassTable& table) {
    if (table.Find("TControl"))
        return;
    gfx::RegisterGraphicsClasses(table);
    RegisterBase(table);
    RegisterForm(table);
    RegisterStandardControls(table);
}

} // namespace controls
