// The command-bar button: its own properties, its push and its click.
#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/LateBound.h"

TadxCommandBarButton::TadxCommandBarButton(TCollection* Collection)
    : TadxCommandBarControl(Collection) {}

TadxCommandBarButton::~TadxCommandBarButton() = default;

void TadxCommandBarButton::SetInterface(const ComPtr<IDispatch>& Control) {
    BindWithSink(Control, IID__CommandBarButton);
}

bool TadxCommandBarButton::SetProperties() {
    const bool push = TadxCommandBarControl::SetProperties();
    if (!control_ || !push)
        return push;
    if (faceID_ != 0)
        SetFaceID(faceID_);
    SetShortcutText(shortcutText_);
    SetState(state_);
    SetStyle(style_);
    SetHyperlinkType(hyperlinkType_);
    if (!glyph_->Empty())
        SetFace();
    if (!temporary_)
        ApplyChanges();
    return push;
}

void TadxCommandBarButton::DoAction() {
    if (busy_)
        return;
    busy_ = true;
    rtl::TLifeWatch watch = liveness_.Watch();
    try {
        // OnClick may turn the add-in off, and the button with it.
        if (!rtl::FireSurvives(liveness_, OnClick, this))
            return;
    } catch (...) {
        if (watch.Alive())
            busy_ = false;
        throw;
    }
    busy_ = false;
}

int32_t TadxCommandBarButton::GetFaceID() {
    return ReadHost("FaceId", faceID_).AsInteger();
}
void TadxCommandBarButton::SetFaceID(int32_t Value) {
    Set(faceID_, Value, "FaceId");
}
std::u16string TadxCommandBarButton::GetShortcutText() {
    return ReadHost("ShortcutText", shortcutText_).AsWide();
}
void TadxCommandBarButton::SetShortcutText(const std::u16string& Value) {
    Set(shortcutText_, Value, "ShortcutText");
}
TadxMsoButtonState TadxCommandBarButton::GetState() {
    return static_cast<TadxMsoButtonState>(ReadHost("State", state_).AsInteger());
}
void TadxCommandBarButton::SetState(TadxMsoButtonState Value) {
    Set(state_, Value, "State");
}
TadxMsoButtonStyle TadxCommandBarButton::GetStyle() {
    TadxMsoButtonStyle style = style_;
    // A host code that is no style keeps the stored one.
    if (!adxButtonStyleOf(ReadHost("Style", adxButtonStyleCode(style_)).AsInteger(), style))
        return style_;
    return style;
}
void TadxCommandBarButton::SetStyle(TadxMsoButtonStyle Value) {
    try {
        if (style_ != Value)
            style_ = Value;
        if (control_)
            PushHost("Style", Variant(adxButtonStyleCode(Value)));
        CountChange();
    } catch (const Exception& e) {
        ReportError(e);
    }
}
TadxMsoCommandBarButtonHyperlinkType TadxCommandBarButton::GetHyperlinkType() {
    return static_cast<TadxMsoCommandBarButtonHyperlinkType>(
        ReadHost("HyperlinkType", hyperlinkType_).AsInteger());
}
void TadxCommandBarButton::SetHyperlinkType(TadxMsoCommandBarButtonHyperlinkType Value) {
    Set(hyperlinkType_, Value, "HyperlinkType");
}
