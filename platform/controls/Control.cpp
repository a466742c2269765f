// TControl: parent, bounds, font and colour inheritance, the default mouse
// handlers, and painting a control tree.
#include "platform/controls/Control.h"

#include "platform/controls/ControlCanvas.h"
#include "platform/controls/Form.h"
#include "platform/controls/WinControl.h"

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), font_(std::make_unique<TFont>()),
      constraints_(std::make_unique<TSizeConstraints>()) {
    font_->OnChange = [this](TObject* sender) { FontChanged(sender); };
    constraints_->OnChange = [this](TObject*) { SetBounds(left_, top_, width_, height_); };
}

TControl::~TControl() {
    liveness_.End();
    if (parent_)
        parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == parent_)
        return;
    if (AParent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (parent_)
        parent_->RemoveControl(this);
    if (AParent) {
        AParent->InsertControl(this);
        if (parentFont_)
            ParentFontChanged();
        if (parentColor_)
            ParentColorChanged();
    }
    Invalidate();
}

void TControl::SetParentComponent(TComponent* Parent) {
    if (auto* windowed = dynamic_cast<TWinControl*>(Parent))
        SetParent(windowed);
}

void TControl::StoreBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    int oldWidth = width_;
    int oldHeight = height_;
    left_ = ALeft;
    top_ = ATop;
    width_ = std::max(0, constraints_->ConstrainWidth(AWidth));
    height_ = std::max(0, constraints_->ConstrainHeight(AHeight));
    if (width_ != oldWidth || height_ != oldHeight)
        Resized(oldWidth, oldHeight);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AWidth = constraints_->ConstrainWidth(AWidth);
    AHeight = constraints_->ConstrainHeight(AHeight);
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_)
        return;
    Invalidate();
    StoreBounds(ALeft, ATop, AWidth, AHeight);
    if (parent_ && align_ != alNone)
        parent_->AlignControls();
    Invalidate();
}

POINT TControl::ClientOrigin() const {
    if (!parent_)
        return POINT{left_, top_};
    POINT origin = parent_->ClientOrigin();
    return POINT{origin.x + left_, origin.y + top_};
}

POINT TControl::ClientToScreen(POINT point) const {
    POINT origin = ClientOrigin();
    return POINT{point.x + origin.x, point.y + origin.y};
}

POINT TControl::ScreenToClient(POINT point) const {
    POINT origin = ClientOrigin();
    return POINT{point.x - origin.x, point.y - origin.y};
}

void TControl::SetAlign(TAlign value) {
    if (value == align_)
        return;
    align_ = value;
    if (parent_)
        parent_->AlignControls();
}

void TControl::SetVisible(bool value) {
    if (value == visible_)
        return;
    // The area it covered (or will cover) must be painted again.
    visible_ = true;
    Invalidate();
    visible_ = value;
    if (!value)
        if (TForm* form = GetParentForm(this); form && form != this)
            form->ControlRemoved(this);
    if (parent_)
        parent_->AlignControls();
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_)
            return false;
    return true;
}

void TControl::SetEnabled(bool value) {
    if (value == enabled_)
        return;
    enabled_ = value;
    // A control that can no longer take the focus gives it up.
    if (!value)
        if (TForm* form = GetParentForm(this); form && form != this)
            form->ControlRemoved(this);
    TextChanged();
}

void TControl::FontChanged(TObject*) {
    if (!settingFont_)
        parentFont_ = false;
    TextChanged();
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < self->ControlCount(); ++i)
            if (self->Controls(i)->parentFont_)
                self->Controls(i)->ParentFontChanged();
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value && parent_)
        ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!parentFont_ || !parent_)
        return;
    settingFont_ = true;
    font_->Assign(parent_->Font());
    settingFont_ = false;
}

void TControl::SetColor(TColor value) {
    parentColor_ = false;
    if (value == color_)
        return;
    color_ = value;
    Invalidate();
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < self->ControlCount(); ++i)
            self->Controls(i)->ParentColorChanged();
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value && parent_)
        ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (parentColor_ && parent_) {
        color_ = parent_->Color();
        Invalidate();
    }
}

void TControl::SetCaption(const std::string& value) {
    if (value == caption_)
        return;
    caption_ = value;
    TextChanged();
}

bool TControl::ShowHint() const {
    if (parentShowHint_ && parent_)
        return parent_->ShowHint();
    return showHint_;
}

void TControl::SetShowHint(bool value) {
    showHint_ = value;
    parentShowHint_ = false;
}

void TControl::Invalidate() {
    if (TForm* form = GetParentForm(this))
        form->InvalidateForm();
}

TCanvas* TControl::Canvas() const {
    if (!canvas_)
        canvas_ = std::make_unique<TControlCanvas>(const_cast<TControl&>(*this));
    return canvas_.get();
}

void TControl::PaintTo(TCanvas& canvas, int X, int Y) {
    RECT area = PaintRect();
    PaintControl(*this, canvas, POINT{X, Y},
                 Rect(X, Y, X + area.right - area.left, Y + area.bottom - area.top));
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    rtl::FireSurvives(liveness_, OnMouseDown, this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    rtl::FireSurvives(liveness_, OnMouseUp, this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    rtl::FireSurvives(liveness_, OnMouseMove, this, Shift, X, Y);
}

void TControl::MouseEnter() {
    rtl::FireSurvives(liveness_, OnMouseEnter, this);
}

void TControl::MouseLeave() {
    rtl::FireSurvives(liveness_, OnMouseLeave, this);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
    bool handled = false;
    rtl::FireSurvives(liveness_, OnMouseWheel, this, Shift, WheelDelta, MousePos, handled);
    return handled;
}

void TControl::DescribeState(std::vector<std::string>& states, std::vector<std::string>&) const {
    if (!visible_)
        states.push_back("hidden");
    if (!enabled_)
        states.push_back("disabled");
    if (!hint_.empty())
        states.push_back("hint=\"" + hint_ + "\"");
}

void TControl::Click() {
    rtl::FireSurvives(liveness_, OnClick, this);
}

void TControl::DblClick() {
    rtl::FireSurvives(liveness_, OnDblClick, this);
}

namespace {

// Paints the children of a windowed control: those without a window first.
void PaintChildren(TWinControl& parent, TCanvas& target, POINT origin, const RECT& limit) {
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < parent.ControlCount(); ++i) {
            TControl* child = parent.Controls(i);
            bool windowed = dynamic_cast<TWinControl*>(child) != nullptr;
            if (windowed != (pass == 1) || !child->Visible())
                continue;
            POINT at{origin.x + child->Left(), origin.y + child->Top()};
            RECT bounds = IntersectRect(
                limit, Rect(at.x, at.y, at.x + child->Width(), at.y + child->Height()));
            PaintControl(*child, target, at, bounds);
        }
    }
}

} // namespace

void PaintControl(TControl& control, TCanvas& target, POINT origin, const RECT& limit) {
    if (!control.Visible() || IsRectEmpty(limit))
        return;
    auto* canvas = static_cast<TControlCanvas*>(control.Canvas());
    canvas->Attach(target, origin, limit);
    canvas->Font()->Assign(control.Font());
    canvas->Brush()->SetColor(control.Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Pen()->SetColor(clBlack);
    rtl::TLifeWatch watch = control.Watch();
    try {
        control.Paint();
    } catch (...) {
        if (watch)
            canvas->Detach();
        throw;
    }
    if (!watch)
        return;
    canvas->Detach();
    if (auto* windowed = dynamic_cast<TWinControl*>(&control))
        PaintChildren(*windowed, target, origin, limit);
}

TForm* GetParentForm(const TControl* control) {
    while (control && control->Parent())
        control = control->Parent();
    return dynamic_cast<TForm*>(const_cast<TControl*>(control));
}

std::string GetHint(const TControl* control) {
    for (; control; control = control->Parent())
        if (!control->Hint().empty())
            return control->Hint();
    return {};
}
