// TForm: the class library's form, a windowed control with a frame: a
// caption bar (with the icons BorderIcons asks for), a border of the chosen
// BorderStyle and an optional main menu; its Left and Top are screen
// coordinates and its client area lies inside the frame. It is built from its
// stored form like a data module, shown modally and closed. Showing a form
// modally asks the process's modal driver (platform/forms/ModalDriver.h),
// which plays the user through the user-input layer (UserInput.h); with no
// driver installed the form closes at once as cancelled and says so in the
// debug output. Every live form is listed in Screen().
//
// The form keeps the keyboard focus (ActiveControl) and its Default and
// Cancel buttons answer Enter and Escape (DialogKey). A shown form is painted
// once before the driver plays it and again after each user action that
// invalidated it, as the message loop would; painting is on the fixed grid,
// so auto-sizing and layout done while painting settle the same way
// everywhere.
#pragma once

#include "platform/controls/WinControl.h"
#include "platform/forms/ModalResult.h"
#include "platform/rtl/Set.h"

#include <functional>
#include <string>

class TMainMenu;

// What closing a form does with it (OnClose may change it).
enum TCloseAction { caNone, caHide, caFree, caMinimize };
// OnClose's handler type; Action may be changed.
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
// Where a form is placed when it is shown.
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
// The frame of a form (and, bsNone and bsSingle, the border of edits and labels).
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
// The icons of the caption bar.
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon, uint8_t>;

class TForm : public TWinControl {
public:
    // CreateNew: a form owned by `AOwner`, without its stored form.
    explicit TForm(TComponent* AOwner);
    // Leaves the live list; the components go with TComponent's destructor.
    ~TForm() override;

    // Fires OnCreate once construction is complete.
    void AfterConstruction() override;
    // Marks the form as being destroyed, fires OnDestroy and frees its
    // components while the form is still whole.
    void BeforeDestruction() override;
    // Applies the client size the stored form asked for, then aligns.
    void Loaded() override;
    // Forgets the menu when it is freed.
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The result of the modal showing; setting a value other than mrNone
    // while the form is shown modally closes it.
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    // True while the form is shown modally.
    bool Modal() const { return modal_; }

    // Shows the form modally and returns how it was closed: OnShow fires,
    // the form is placed (Position) and painted, the modal driver plays the
    // user, OnClose fires; mrCancel when the user closed it without a result
    // (and always when no driver is installed).
    virtual TModalResult ShowModal();
    // Closes the form: while it is shown modally the result becomes mrCancel
    // and the showing ends; otherwise OnClose fires and, unless it answers
    // caNone, the form is hidden (and freed for caFree).
    void Close();
    // Frees the form once the events being handled are done: the free waits
    // in the message queue (ProcessMessages runs it).
    void Release();

    // The frame.
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value) { borderIcons_ = value; }
    // Where the form goes when shown.
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    // The help file of the form's topics.
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::string& value) { helpFile_ = value; }
    // The main menu shown under the caption bar, or nullptr.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* value);
    // The widths of the frame: the border, the caption bar, the menu bar.
    int BorderWidth() const;
    int CaptionHeight() const;
    int MenuHeight() const;

    // The client area is the form less its frame.
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;
    POINT ClientOrigin() const override;

    // The control with the keyboard focus, or nullptr.
    TWinControl* ActiveControl() const { return activeControl_; }
    // Moves the focus (OnExit of the old control, OnEnter of the new one).
    void SetActiveControl(TWinControl* control);
    // Moves the focus to the next (or previous) control in tab order that
    // can take it and has TabStop.
    void SelectNext(bool forward = true);
    // Whether the form sees keys before the focused control.
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    // Enter, Escape, Tab and the arrows as dialog keys: Tab moves the focus,
    // Enter and Escape go to the buttons; true when something took the key.
    bool DialogKey(WORD Key) override;

    // Marks the form as needing paint (what every control's Invalidate does).
    void InvalidateForm() { invalid_ = true; }
    // True when the form waits to be painted.
    bool NeedsPaint() const { return invalid_; }
    // Paints the form now (on the fixed grid, drawing nothing) if it waits
    // to be painted, again while painting invalidates it (at most a few times).
    void PaintIfNeeded();
    // Told by a parent that a control leaves it (the focus must not stay there).
    void ControlRemoved(TControl* control);

    // Fired once the form has been created and read from its stored form.
    TNotifyEvent OnCreate;
    // Fired when the form is about to be destroyed.
    TNotifyEvent OnDestroy;
    // Fired when the form is shown.
    TNotifyEvent OnShow;
    // Fired when the form closes; setting Action to caNone keeps it open.
    TCloseEvent OnClose;
    // Fired after the background was painted, whenever the form paints.
    TNotifyEvent OnPaint;

protected:
    // Calls OnCreate when assigned.
    virtual void DoCreate();
    // Calls OnDestroy when assigned.
    virtual void DoDestroy();
    // Fills the client area and fires OnPaint.
    void Paint() override;
    RECT PaintRect() const override { return ClientRect(); }

private:
    // Runs OnClose; false when it keeps the form open.
    bool CloseQuery(TCloseAction& action);
    // Places the form as Position says.
    void ApplyPosition();
    // Hands the form to the driver and returns its modal result.
    TModalResult RunModal();

    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TPosition position_ = poDesigned;
    TMainMenu* menu_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    bool keyPreview_ = false;
    bool invalid_ = true;
    bool painting_ = false;
    // A client size asked for while the stored form is read (-1: none).
    int loadClientWidth_ = -1;
    int loadClientHeight_ = -1;
    HWND releaseWindow_ = nullptr;
    std::string helpFile_;
};
