// TWinControl: children, alignment, anchors, tab order and focus.
#include "platform/controls/WinControl.h"

#include "platform/controls/Form.h"
#include "platform/rtl/Exception.h"

#include <algorithm>

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    // Children owned elsewhere outlive this control: they lose their parent.
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        RemoveControl(child);
        child->parent_ = nullptr;
    }
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return controls_[static_cast<size_t>(index)];
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
        tabList_.push_back(windowed);
    if (control->Align() != alNone)
        AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
    if (TForm* form = GetParentForm(this))
        form->ControlRemoved(control);
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
    control->parent_ = nullptr;
    if (control->Align() != alNone)
        AlignControls();
    Invalidate();
}

TControl* TWinControl::ControlAtPos(POINT pos, bool AllowDisabled) const {
    // Windowed controls lie over the others; later ones over earlier ones.
    for (int pass = 0; pass < 2; ++pass) {
        for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
            TControl* c = *it;
            bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
            if (windowed != (pass == 0) || !c->Visible() || (!AllowDisabled && !c->Enabled()))
                continue;
            if (PtInRect(c->BoundsRect(), pos))
                return c;
        }
    }
    return nullptr;
}

int TWinControl::TabOrder() const {
    if (!Parent())
        return -1;
    const auto& list = Parent()->tabList_;
    auto at = std::find(list.begin(), list.end(), this);
    return at == list.end() ? -1 : static_cast<int>(at - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (!Parent())
        return;
    auto& list = Parent()->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    size_t at = value < 0 ? list.size() : std::min(list.size(), static_cast<size_t>(value));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), this);
}

bool TWinControl::CanFocus() const {
    const TForm* form = GetParentForm(this);
    if (!form)
        return false;
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const {
    const TForm* form = GetParentForm(this);
    return form && form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
    TForm* form = GetParentForm(this);
    if (form == this)
        return;
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    form->SetActiveControl(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* child : tabList_) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TWinControl::Resized(int oldWidth, int oldHeight) {
    if (!Loading())
        AnchorChildren(Width() - oldWidth, Height() - oldHeight);
    AlignControls();
}

void TWinControl::AnchorChildren(int dx, int dy) {
    for (TControl* c : controls_) {
        if (c->Align() != alNone)
            continue;
        TAnchors a = c->Anchors();
        int left = c->Left(), top = c->Top(), width = c->Width(), height = c->Height();
        // Anchored to both edges: stretch; to the far edge only: move; to
        // neither: keep the centre.
        if (a.Contains(akRight))
            (a.Contains(akLeft) ? width : left) += dx;
        else if (!a.Contains(akLeft))
            left += dx / 2;
        if (a.Contains(akBottom))
            (a.Contains(akTop) ? height : top) += dy;
        else if (!a.Contains(akTop))
            top += dy / 2;
        c->SetBounds(left, top, width, height);
    }
}

void TWinControl::AlignControls() {
    if (aligning_ || Loading())
        return;
    aligning_ = true;
    RECT r = AlignRect();
    // Strips in the order the class library takes them, each kind in its
    // order of position.
    for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (TControl* c : controls_)
            if (c->Align() == kind && c->Visible())
                list.push_back(c);
        std::stable_sort(list.begin(), list.end(), [kind](TControl* a, TControl* b) {
            switch (kind) {
            case alTop:
                return a->Top() < b->Top();
            case alBottom:
                return a->Top() + a->Height() > b->Top() + b->Height();
            case alLeft:
                return a->Left() < b->Left();
            case alRight:
                return a->Left() + a->Width() > b->Left() + b->Width();
            default:
                return false;
            }
        });
        for (TControl* c : list) {
            int w = r.right - r.left, h = c->Height();
            switch (kind) {
            case alTop:
                c->StoreBounds(r.left, r.top, w, h);
                r.top += h;
                break;
            case alBottom:
                c->StoreBounds(r.left, r.bottom - h, w, h);
                r.bottom -= h;
                break;
            case alLeft:
                c->StoreBounds(r.left, r.top, c->Width(), r.bottom - r.top);
                r.left += c->Width();
                break;
            case alRight:
                c->StoreBounds(r.right - c->Width(), r.top, c->Width(), r.bottom - r.top);
                r.right -= c->Width();
                break;
            default:
                c->StoreBounds(r.left, r.top, w, r.bottom - r.top);
                break;
            }
        }
    }
    aligning_ = false;
    Invalidate();
}

void TWinControl::DescribeState(std::vector<std::string>& states,
                                std::vector<std::string>& lines) const {
    TControl::DescribeState(states, lines);
    if (Focused())
        states.push_back("focused");
}

void TWinControl::Loaded() {
    TControl::Loaded();
    AlignControls();
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
    rtl::FireSurvives(liveness_, OnKeyDown, this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
    rtl::FireSurvives(liveness_, OnKeyUp, this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
    rtl::FireSurvives(liveness_, OnKeyPress, this, Key);
}

void TWinControl::DoEnter() {
    rtl::FireSurvives(liveness_, OnEnter, this);
}

void TWinControl::DoExit() {
    rtl::FireSurvives(liveness_, OnExit, this);
}

void TWinControl::Paint() {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(PaintRect());
}

void TWinControl::ParentFontChanged() {
    TControl::ParentFontChanged();
}

void TWinControl::ParentColorChanged() {
    TControl::ParentColorChanged();
    for (TControl* c : controls_)
        c->ParentColorChanged();
}
