// TWinControl: a control that can hold other controls and take the keyboard
// focus (the class library's windowed control), and TCustomControl, a
// windowed control that paints itself. A windowed control keeps its children
// in insertion order, aligns them (Align: top and bottom strips first, then
// left and right, then the client rest) and moves anchored children when its
// own client size changes (a bottom-anchored button keeps its distance to the
// bottom). Children are painted over their parent: controls without a window
// first, windowed ones on top, as on the screen.
//
// Focus belongs to the form (Form.h): SetFocus asks the parent form to make
// the control its ActiveControl, which fires OnExit of the control losing the
// focus and OnEnter of the one gaining it; Tab walks the controls in tab
// order (TabOrder within each parent, depth first).
#pragma once

#include "platform/controls/Control.h"

#include <vector>

class TWinControl : public TControl {
public:
    // A windowed control owned by `AOwner`.
    explicit TWinControl(TComponent* AOwner);
    // Frees nothing it shows (the owner frees components) but lets its
    // children go: a child freed later must not reach a freed parent.
    ~TWinControl() override;

    // The controls shown on this one, in insertion order.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;
    // The control at a point of the client area (the topmost, windowed
    // controls over the others), visible only; disabled ones too when
    // AllowDisabled. nullptr when the point is on this control itself.
    TControl* ControlAtPos(POINT pos, bool AllowDisabled) const;

    // The position among the parent's windowed controls in tab order.
    int TabOrder() const;
    void SetTabOrder(int value);
    // Whether Tab stops at the control.
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    // True when the control can take the focus: it and its parents are
    // visible and enabled, and it is on a form.
    virtual bool CanFocus() const;
    // True when the control has the focus.
    bool Focused() const;
    // Gives the control the focus; EInvalidOperation "Cannot focus a
    // disabled or invisible window" when it cannot take it.
    virtual void SetFocus();
    // The windowed controls inside this one, in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // Which keys the control handles itself instead of the form's dialog
    // keys (Tab, Enter, Escape, arrows); none by default.
    virtual bool WantsKey(WORD Key) const { return false; }

    // Aligns the children inside the client area.
    void AlignControls();
    // The part of the client area that aligned children fill.
    virtual RECT AlignRect() const { return ClientRect(); }
    // Asks for a part of the client area to be painted again.
    void InvalidateRect(const RECT& rect) { Invalidate(); }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void DescribeState(std::vector<std::string>& states,
                       std::vector<std::string>& lines) const override;
    void Loaded() override;

    // Keyboard: fire the events (a key-preview form sees them first; the
    // user-input layer arranges that).
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    // Focus arrives or leaves: fire OnEnter and OnExit.
    virtual void DoEnter();
    virtual void DoExit();

    // Fired as above.
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    // Fills the background with Color.
    void Paint() override;
    // Keeps anchored children in place after a client size change.
    void Resized(int oldWidth, int oldHeight) override;
    void ParentFontChanged() override;
    void ParentColorChanged() override;

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void AnchorChildren(int dx, int dy);

    std::vector<TControl*> controls_;
    // Windowed children in tab order.
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    bool aligning_ = false;
};

// A windowed control that paints itself on its Canvas.
class TCustomControl : public TWinControl {
public:
    using TWinControl::TWinControl;
};
