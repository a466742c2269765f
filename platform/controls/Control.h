// TControl: the class library's visual control, the base of everything placed
// on a form. A control has a parent (a TWinControl, WinControl.h) that shows
// it, bounds in its parent's client coordinates, an alignment and anchors
// that keep it in place when the parent's size changes, visibility, an
// enabled state, a font and colour (taken from the parent unless set), a
// caption, a hint and a cursor. It paints itself through Paint on its Canvas,
// which forwards to whatever canvas the control tree is painted on
// (ControlCanvas.h), and it reacts to the mouse and keyboard through the
// virtual handlers below, which the user-input layer (UserInput.h) calls in
// the order a user's mouse and keyboard would cause them.
//
// A handler may free the control it belongs to (a button whose click closes
// and frees its form): every control holds the platform's liveness token, and
// whoever fires a control's handlers asks it afterwards (rtl::FireSurvives).
#pragma once

#include "platform/forms/Component.h"
#include "platform/gfx/Canvas.h"
#include "platform/rtl/Lifetime.h"
#include "platform/rtl/Set.h"
#include "platform/win/Cursor.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TWinControl;
class TForm;
class TControlCanvas;

// How a control fills its parent's client area.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
// The parent's edges a control keeps its distance to.
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind, uint8_t>;
// The mouse's buttons.
enum TMouseButton { mbLeft, mbRight, mbMiddle };
// Keys and buttons held during an input event.
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem, uint16_t>;

// Handler types of mouse and keyboard events.
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            POINT MousePos, bool& Handled)>;

class TControl;

// The smallest and largest size a control may take (0: no limit).
class TSizeConstraints : public TPersistent {
public:
    int MaxHeight() const { return maxHeight_; }
    int MaxWidth() const { return maxWidth_; }
    int MinHeight() const { return minHeight_; }
    int MinWidth() const { return minWidth_; }
    void SetMaxHeight(int value) { Set(maxHeight_, value); }
    void SetMaxWidth(int value) { Set(maxWidth_, value); }
    void SetMinHeight(int value) { Set(minHeight_, value); }
    void SetMinWidth(int value) { Set(minWidth_, value); }
    // A width or height brought inside the limits.
    int ConstrainWidth(int width) const { return Constrain(width, minWidth_, maxWidth_); }
    int ConstrainHeight(int height) const { return Constrain(height, minHeight_, maxHeight_); }

    // Fired when a limit changes.
    TNotifyEvent OnChange;

private:
    void Set(int& field, int value) {
        field = value < 0 ? 0 : value;
        if (OnChange)
            OnChange(this);
    }
    static int Constrain(int v, int min, int max) {
        if (max > 0 && v > max)
            v = max;
        return min > 0 && v < min ? min : v;
    }

    int maxHeight_ = 0;
    int maxWidth_ = 0;
    int minHeight_ = 0;
    int minWidth_ = 0;
};

// What a hint about to be shown says and where (the class library's
// THintInfo); a control's HintShow may change it.
struct THintInfo {
    // The control the hint is about.
    TControl* HintControl = nullptr;
    // Where the hint window's top-left corner goes, in screen coordinates.
    POINT HintPos;
    // The widest the hint may be.
    int HintMaxWidth = 0;
    // The hint window's colour.
    TColor HintColor = clInfoBk;
    // The part of the control the hint belongs to (client coordinates).
    RECT CursorRect;
    // The mouse position in the control's client coordinates.
    POINT CursorPos;
    // The text.
    std::string HintStr;
};

class TControl : public TComponent {
public:
    // A control owned by `AOwner`, with no parent yet.
    explicit TControl(TComponent* AOwner);
    // Leaves the parent; ends the control's liveness.
    ~TControl() override;

    // The control's liveness: a watch taken before a call that may free it.
    rtl::TLifeWatch Watch() const { return liveness_.Watch(); }

    // The windowed control that shows this one, or nullptr.
    TWinControl* Parent() const { return parent_; }
    // Moves the control to another parent (nullptr: none).
    virtual void SetParent(TWinControl* AParent);
    // While a form is read, the enclosing control becomes the parent.
    void SetParentComponent(TComponent* Parent) override;

    // Position and size in the parent's client coordinates.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    // Sets all four at once; the parent realigns its controls.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // The bounds as a rectangle in the parent's client coordinates.
    RECT BoundsRect() const { return Rect(left_, top_, left_ + width_, top_ + height_); }
    void SetBoundsRect(const RECT& r) {
        SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    // The size of the client area (the whole control unless it has a frame).
    virtual int ClientWidth() const { return width_; }
    virtual int ClientHeight() const { return height_; }
    virtual void SetClientWidth(int value) { SetWidth(value); }
    virtual void SetClientHeight(int value) { SetHeight(value); }
    // (0, 0, ClientWidth, ClientHeight).
    RECT ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }
    // The screen position of the client area's top-left corner.
    virtual POINT ClientOrigin() const;
    // Converts between client and screen coordinates.
    POINT ClientToScreen(POINT point) const;
    POINT ScreenToClient(POINT point) const;

    // How the control fills its parent.
    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    // The parent's edges the control keeps its distance to ([akLeft, akTop]).
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors value) { anchors_ = value; }

    // Whether the control is shown (its parents may still hide it).
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // True when the control and all its parents are visible.
    bool Showing() const;
    // Whether the control reacts to the user.
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);

    // The font; setting any of it clears ParentFont.
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* value) { font_->Assign(value); }
    // Whether the font follows the parent's (true by default).
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    // The background colour; setting it clears ParentColor.
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // Whether the colour follows the parent's.
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    // The text the control shows.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    // The same text, as the class library's Text of edits.
    const std::string& Text() const { return caption_; }
    void SetText(const std::string& value) { SetCaption(value); }

    // The hint shown when the mouse rests on the control ("short|long": the
    // part before "|" is shown).
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    // Whether hints are shown for the control (the parent's setting while
    // ParentShowHint is on).
    bool ShowHint() const;
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value) { parentShowHint_ = value; }
    // The mouse pointer over the control.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value) { cursor_ = value; }
    // The limits of the control's size, applied whenever it changes.
    TSizeConstraints* Constraints() const { return constraints_.get(); }
    // The help topic of the control.
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }

    // Asks for the control to be painted again (the form paints after the
    // user's action, as the message loop would).
    virtual void Invalidate();
    // The same, at once in the class library; here too a request.
    void Repaint() { Invalidate(); }
    // The canvas the control paints on: during painting it draws on the
    // canvas the tree is painted on, at the control's place; otherwise it
    // measures on the fixed grid and draws nothing.
    TCanvas* Canvas() const;
    // Paints the control and everything on it onto `canvas` with the
    // control's top-left corner at (X, Y).
    void PaintTo(TCanvas& canvas, int X, int Y);

    // Mouse and keyboard, in client coordinates; called by the user-input
    // layer as a user's actions would cause them. Overrides call the base,
    // which fires the events.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    // The mouse came over the control, or left it.
    virtual void MouseEnter();
    virtual void MouseLeave();
    // The mouse wheel turned over the control: WheelDelta is 120 a notch,
    // positive away from the user; MousePos in screen coordinates. Fires
    // OnMouseWheel; true when the control used the turn (else its parent may).
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos);
    // A click (mouse, Space on a focused button, or the program) and a double click.
    virtual void Click();
    virtual void DblClick();
    // A hint is about to be shown for the control: it may change HintInfo;
    // false cancels the hint.
    virtual bool HintShow(THintInfo& HintInfo) { return true; }
    // Enter or Escape reaching a form's dialog handling: true when the
    // control took the key (a default or cancel button clicks).
    virtual bool DialogKey(WORD Key) { return false; }

    // What a text dump of the form (FormDump.h) says of the control beyond
    // its class, name, caption and bounds: states ("checked", "default") and
    // lines of content shown under it (a tree's nodes, a list's rows).
    virtual void DescribeState(std::vector<std::string>& states,
                               std::vector<std::string>& lines) const;
    // Whether the dump shows the caption (a memo shows its lines instead).
    virtual bool DumpsCaption() const { return true; }

    // Fired by the handlers above.
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseWheelEvent OnMouseWheel;

protected:
    // Draws the control on Canvas() in client coordinates; nothing by default.
    virtual void Paint() {}
    // The part painted and the origin of children: the whole control by default.
    virtual RECT PaintRect() const { return Rect(0, 0, width_, height_); }
    // Called after the caption, font or enabled state changed.
    virtual void TextChanged() { Invalidate(); }
    // The parent's font or colour changed.
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    // Stores new bounds without telling the parent (alignment uses it).
    void StoreBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // Called after the size changed.
    virtual void Resized(int oldWidth, int oldHeight) {}
    // True once the control's stored form is being read.
    bool Loading() const { return (ComponentState() & csLoading) != 0; }

    rtl::TLiveness liveness_;

private:
    friend class TWinControl;
    friend void PaintControl(TControl& control, TCanvas& target, POINT origin, const RECT& limit);
    void FontChanged(TObject* sender);

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    bool visible_ = true;
    bool enabled_ = true;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool settingFont_ = false;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    std::string caption_;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = crDefault;
    std::unique_ptr<TSizeConstraints> constraints_;
    int helpContext_ = 0;
    mutable std::unique_ptr<TControlCanvas> canvas_;
};

// A control without a window of its own (labels, images, bevels).
class TGraphicControl : public TControl {
public:
    using TControl::TControl;
};

// Paints `control` and its children on `target` with the control's top-left
// corner at `origin`, drawing limited to `limit` (target coordinates).
void PaintControl(TControl& control, TCanvas& target, POINT origin, const RECT& limit);
// The form a control is on (the control itself for a form), or nullptr.
TForm* GetParentForm(const TControl* control);
// The hint a control shows: its own, else its nearest parent's.
std::string GetHint(const TControl* control);
