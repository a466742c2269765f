// The user-input layer: the mouse, hints and the keyboard.
#include "platform/controls/UserInput.h"

#include "platform/controls/Form.h"
#include "platform/controls/Menus.h"
#include "platform/controls/ScrollBar.h"
#include "platform/forms/Screen.h"
#include "platform/text/Text.h"
#include "platform/win/Hook.h"

namespace controls {

namespace {

// The pointer's control and the hint shown, for the whole process (the UI
// thread's, as on the screen).
struct MouseState {
    TControl* over = nullptr;
    rtl::TLifeWatch overAlive;
    std::optional<ShownHint> hint;
    rtl::TLifeWatch hintAlive;
};

MouseState& State() {
    static MouseState state;
    return state;
}

TControl* LiveOver() {
    MouseState& s = State();
    return s.overAlive ? s.over : nullptr;
}

TComponent* FindIn(TComponent& owner, std::string_view name) {
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        TComponent* c = owner.Components(i);
        if (text::SameText(c->Name(), name))
            return c;
        if (TComponent* inner = FindIn(*c, name))
            return inner;
    }
    return nullptr;
}

POINT Centre(const TControl& control) {
    return POINT{control.Width() / 2, control.Height() / 2};
}

// True when the control and every parent is enabled.
bool EnabledChain(const TControl& control) {
    for (const TControl* c = &control; c; c = c->Parent())
        if (!c->Enabled())
            return false;
    return true;
}

// The form of a control or the control as a form; Exception when it is on none.
TForm& FormOf(TControl& control) {
    TForm* form = GetParentForm(&control);
    if (!form)
        throw Exception(control.Name() + " is on no form");
    return *form;
}

// Moves the pointer to a screen point of the form and tells the controls.
TControl* MoveTo(TForm& form, POINT screen, TShiftState shift) {
    SetCursorPos(screen.x, screen.y);
    TControl* under = ControlAtScreen(form, screen);
    MouseState& s = State();
    TControl* old = LiveOver();
    if (under != old) {
        CancelHint();
        s.over = nullptr;
        if (old)
            old->MouseLeave();
        s.over = under;
        s.overAlive = under ? under->Watch() : rtl::TLifeWatch();
        if (under)
            under->MouseEnter();
    }
    under = LiveOver();
    if (under) {
        POINT p = under->ScreenToClient(screen);
        under->MouseMove(shift, p.x, p.y);
    }
    return LiveOver();
}

// Gives the focus to a windowed control that takes it from the mouse.
void FocusOnClick(TControl& target) {
    auto* windowed = dynamic_cast<TWinControl*>(&target);
    if (windowed && windowed->TabStop() && windowed->CanFocus() && !dynamic_cast<TForm*>(windowed))
        windowed->SetFocus();
}

// The character a key makes, or 0.
char KeyChar(WORD key, TShiftState shift) {
    if (key >= 'A' && key <= 'Z')
        return shift.Contains(ssShift) ? static_cast<char>(key)
                                       : text::AsciiLower(static_cast<char>(key));
    if (key >= '0' && key <= '9')
        return static_cast<char>(key);
    switch (key) {
    case VK_SPACE:
        return ' ';
    case VK_RETURN:
        return '\r';
    case VK_ESCAPE:
        return 27;
    case VK_BACK:
        return 8;
    case VK_TAB:
        return '\t';
    default:
        return 0;
    }
}

// The focused control of the form, or the form.
TWinControl& KeyTarget(TForm& form) {
    TWinControl* active = form.ActiveControl();
    return active ? *active : form;
}

// A character reaching the focused control (the form first with KeyPreview).
void DeliverChar(TForm& form, char ch) {
    rtl::TLifeWatch formAlive = form.Watch();
    TWinControl& target = KeyTarget(form);
    rtl::TLifeWatch targetAlive = target.Watch();
    if (form.KeyPreview() && &target != &form) {
        form.KeyPress(ch);
        if (!formAlive || !targetAlive || ch == 0)
            return;
    }
    target.KeyPress(ch);
}

} // namespace

TComponent* FindComponent(TForm& form, std::string_view name) {
    return FindIn(form, name);
}

TControl& FindControl(TForm& form, std::string_view name) {
    auto* control = dynamic_cast<TControl*>(FindComponent(form, name));
    if (!control)
        throw Exception("No control " + std::string(name) + " on " + form.Name());
    return *control;
}

TControl* ControlAtScreen(TForm& form, POINT screen) {
    POINT client = form.ScreenToClient(screen);
    if (!PtInRect(form.ClientRect(), client))
        return nullptr;
    TControl* found = &form;
    while (auto* windowed = dynamic_cast<TWinControl*>(found)) {
        TControl* child = windowed->ControlAtPos(windowed->ScreenToClient(screen), true);
        if (!child)
            break;
        found = child;
    }
    return found;
}

void MoveMouse(TControl& control, std::optional<POINT> point) {
    TForm& form = FormOf(control);
    rtl::TLifeWatch formAlive = form.Watch();
    MoveTo(form, control.ClientToScreen(point.value_or(Centre(control))), {});
    if (formAlive)
        form.PaintIfNeeded();
}

TControl* ControlUnderMouse() {
    return LiveOver();
}

TCursor ShownCursor() {
    if (Screen().Cursor != crDefault)
        return Screen().Cursor;
    for (TControl* c = LiveOver(); c; c = c->Parent())
        if (c->Cursor() != crDefault)
            return c->Cursor();
    return crDefault;
}

bool Click(TControl& control, std::optional<POINT> point, TMouseButton button) {
    TForm& form = FormOf(control);
    rtl::TLifeWatch formAlive = form.Watch();
    POINT screen = control.ClientToScreen(point.value_or(Centre(control)));
    TShiftState held{button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle};
    TControl* target = MoveTo(form, screen, {});
    if (!formAlive)
        return false;
    if (!target || !EnabledChain(*target)) {
        form.PaintIfNeeded();
        return false;
    }
    rtl::TLifeWatch alive = target->Watch();
    bool reached = target == &control;
    if (button == mbLeft)
        FocusOnClick(*target);
    POINT p = target->ScreenToClient(screen);
    if (alive)
        target->MouseDown(button, held, p.x, p.y);
    if (alive && button == mbLeft)
        target->Click();
    if (alive)
        target->MouseUp(button, {}, p.x, p.y);
    if (formAlive)
        form.PaintIfNeeded();
    return reached;
}

bool DoubleClick(TControl& control, std::optional<POINT> point) {
    TForm& form = FormOf(control);
    rtl::TLifeWatch formAlive = form.Watch();
    rtl::TLifeWatch alive = control.Watch();
    POINT client = point.value_or(Centre(control));
    if (!Click(control, client) || !alive || !formAlive)
        return false;
    POINT screen = control.ClientToScreen(client);
    TControl* target = ControlAtScreen(form, screen);
    if (target != &control)
        return false;
    POINT p = control.ScreenToClient(screen);
    control.MouseDown(mbLeft, TShiftState{ssLeft, ssDouble}, p.x, p.y);
    if (alive)
        control.DblClick();
    if (alive)
        control.MouseUp(mbLeft, {}, p.x, p.y);
    if (formAlive)
        form.PaintIfNeeded();
    return true;
}

bool TurnWheel(TControl& control, int notches, std::optional<POINT> point) {
    TForm& form = FormOf(control);
    rtl::TLifeWatch formAlive = form.Watch();
    POINT screen = control.ClientToScreen(point.value_or(Centre(control)));
    TControl* target = MoveTo(form, screen, {});
    bool used = false;
    while (formAlive && target && !used) {
        if (!EnabledChain(*target))
            break;
        rtl::TLifeWatch alive = target->Watch();
        TControl* parent = target->Parent();
        used = target->DoMouseWheel({}, notches * kWheelDelta, screen);
        target = alive ? parent : nullptr;
    }
    if (formAlive)
        form.PaintIfNeeded();
    return used;
}

std::optional<ShownHint> RestMouse() {
    CancelHint();
    TControl* over = LiveOver();
    TControl* hintControl = over;
    while (hintControl && !hintControl->ShowHint())
        hintControl = hintControl->Parent();
    if (!hintControl)
        return std::nullopt;
    POINT cursor;
    GetCursorPos(&cursor);
    THintInfo info;
    info.HintControl = hintControl;
    info.CursorPos = hintControl->ScreenToClient(cursor);
    info.CursorRect = hintControl->ClientRect();
    info.HintPos = POINT{cursor.x, cursor.y + kHintOffsetY};
    info.HintMaxWidth = Screen().Width();
    std::string hint = GetHint(hintControl);
    info.HintStr = hint.substr(0, hint.find('|'));
    rtl::TLifeWatch alive = hintControl->Watch();
    if (!hintControl->HintShow(info) || !alive || info.HintStr.empty())
        return std::nullopt;
    State().hint = ShownHint{info.HintStr, info.HintPos, hintControl};
    State().hintAlive = alive;
    return State().hint;
}

std::optional<ShownHint> CurrentHint() {
    MouseState& s = State();
    if (s.hint && !s.hintAlive)
        s.hint.reset();
    return s.hint;
}

void CancelHint() {
    State().hint.reset();
}

void PressKey(TForm& form, WORD key, TShiftState shift) {
    rtl::TLifeWatch formAlive = form.Watch();
    TWinControl& target = KeyTarget(form);
    rtl::TLifeWatch targetAlive = target.Watch();
    bool dialogKey =
        key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || (key >= VK_LEFT && key <= VK_DOWN);
    bool handled = false;
    if (dialogKey && !target.WantsKey(key))
        handled = form.DialogKey(key);
    if (!handled && formAlive && targetAlive) {
        WORD k = key;
        if (form.KeyPreview() && &target != &form)
            form.KeyDown(k, shift);
        if (k != 0 && formAlive && targetAlive)
            target.KeyDown(k, shift);
        char ch = KeyChar(key, shift);
        if (k != 0 && ch != 0 && formAlive && targetAlive &&
            (key != VK_TAB || target.WantsKey(key)))
            DeliverChar(form, ch);
    }
    if (formAlive)
        form.PaintIfNeeded();
}

void TypeText(TWinControl& control, std::string_view text) {
    TForm& form = FormOf(control);
    rtl::TLifeWatch formAlive = form.Watch();
    if (!control.Focused())
        control.SetFocus();
    for (char ch : text) {
        if (!formAlive)
            return;
        DeliverChar(form, ch);
    }
    if (formAlive)
        form.PaintIfNeeded();
}

bool ChooseMenu(TForm& form, std::string_view path) {
    if (!form.Menu())
        return false;
    TMenuItem* item = form.Menu()->Items();
    std::string_view rest = path;
    while (item) {
        size_t bar = rest.find('|');
        item = item->Find(std::string(rest.substr(0, bar)));
        if (!item || !item->Enabled() || !item->Visible())
            return false;
        if (bar == std::string_view::npos)
            break;
        rest.remove_prefix(bar + 1);
    }
    rtl::TLifeWatch formAlive = form.Watch();
    item->Click();
    if (formAlive)
        form.PaintIfNeeded();
    return true;
}

void CloseBox(TForm& form) {
    rtl::TLifeWatch formAlive = form.Watch();
    form.Close();
    if (formAlive)
        form.PaintIfNeeded();
}

void Settle(TControl& control) {
    if (TForm* form = GetParentForm(&control))
        form->PaintIfNeeded();
}

} // namespace controls
