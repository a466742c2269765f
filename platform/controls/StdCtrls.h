// The standard controls the dialogs are built of: labels, buttons, check
// boxes, one-line edits, memos and group boxes, each painting itself in the
// classic look on its canvas.
//
// A button's click sets its form's ModalResult to the button's own (which
// ends a modal showing) and then fires OnClick; Default and Cancel make it
// answer Enter and Escape. A check box's click toggles it and fires OnClick,
// as setting Checked from the program does. A label with AutoSize takes the
// size of its text (wrapped at its width with WordWrap) whenever the text or
// font changes.
#pragma once

#include "platform/controls/Form.h"
#include "platform/rtl/StringList.h"

#include <memory>

// Horizontal placement of text.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Vertical placement of a label's text.
enum TTextLayout { tlTop, tlCenter, tlBottom };
// Scroll bars of a memo.
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
// The check box's states.
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomLabel : public TGraphicControl {
public:
    // A label of the default size with AutoSize on.
    explicit TCustomLabel(TComponent* AOwner);

    // Whether the label takes the size of its text.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    // Whether lines break at the label's width.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    // Horizontal and vertical placement of the text.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    // Whether the background shows through.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // Whether "&" marks an accelerator.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    // The control that takes the focus for the label's accelerator.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* value) { focusControl_ = value; }
    void Loaded() override;

protected:
    void Paint() override;
    void TextChanged() override;
    // Draws (or measures, with DT_CALCRECT) the caption in rect.
    virtual void DoDrawText(RECT& rect, UINT flags);
    // Resizes the label to its text when AutoSize is on.
    virtual void AdjustBounds();

private:
    bool autoSize_ = true;
    bool wordWrap_ = false;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

class TButton : public TCustomControl {
public:
    // A 75 x 25 button that Tab stops at.
    explicit TButton(TComponent* AOwner);

    // Whether Enter clicks it (when no other button has the focus).
    bool Default() const { return default_; }
    void SetDefault(bool value);
    // Whether Escape clicks it.
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    // The form's ModalResult after a click.
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }

    // Sets the form's ModalResult, then fires OnClick.
    void Click() override;
    void DescribeState(std::vector<std::string>& states,
                       std::vector<std::string>& lines) const override;
    bool DialogKey(WORD Key) override;
    bool WantsKey(WORD Key) const override;
    void KeyPress(char& Key) override;

protected:
    void Paint() override;

private:
    // True when Enter clicks this button now.
    bool Active() const;

    bool default_ = false;
    bool cancel_ = false;
    TModalResult modalResult_ = mrNone;
};

class TCheckBox : public TCustomControl {
public:
    // A 97 x 17 check box, unchecked, that Tab stops at.
    explicit TCheckBox(TComponent* AOwner);

    // Whether it is checked; setting a new value fires OnClick.
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState value);
    // Where the box stands: taRightJustify puts the text right of the box.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }

    // A user's click toggles the box (which fires OnClick).
    void Click() override;
    void DescribeState(std::vector<std::string>& states,
                       std::vector<std::string>& lines) const override;
    void KeyPress(char& Key) override;

protected:
    void Paint() override;

private:
    TCheckBoxState state_ = cbUnchecked;
    TAlignment alignment_ = taRightJustify;
    bool toggling_ = false;
};

class TCustomEdit : public TCustomControl {
public:
    explicit TCustomEdit(TComponent* AOwner);

    // Whether the user may not change the text.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    // The longest text the user may type (0: no limit).
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value; }
    // Typing appends at the end; Backspace removes the last character.
    void KeyPress(char& Key) override;
    bool WantsKey(WORD Key) const override;
    void DescribeState(std::vector<std::string>& states,
                       std::vector<std::string>& lines) const override;

    // Fired when the text changes.
    TNotifyEvent OnChange;

protected:
    void TextChanged() override;

private:
    bool readOnly_ = false;
    int maxLength_ = 0;
};

class TEdit : public TCustomEdit {
public:
    // A 121 x 21 edit.
    explicit TEdit(TComponent* AOwner);

protected:
    void Paint() override;
};

class TMemo : public TCustomEdit {
public:
    // A 185 x 89 memo.
    explicit TMemo(TComponent* AOwner);

    // The lines; Text is them joined with CR LF.
    TStrings* Lines() const { return lines_.get(); }
    // Which scroll bars are shown.
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    // Whether Enter starts a new line (else it reaches the default button).
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    void KeyPress(char& Key) override;
    bool WantsKey(WORD Key) const override;
    void DescribeState(std::vector<std::string>& states,
                       std::vector<std::string>& lines) const override;
    bool DumpsCaption() const override { return false; }

protected:
    void Paint() override;
    void TextChanged() override;

private:
    std::unique_ptr<TStringList> lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wantReturns_ = true;
    bool syncing_ = false;
};

class TGroupBox : public TCustomControl {
public:
    // A 185 x 105 group box.
    explicit TGroupBox(TComponent* AOwner);
    // Aligned children stay inside the frame, below the caption.
    RECT AlignRect() const override;

protected:
    void Paint() override;
};
