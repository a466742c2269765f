// TForm: the class library's form, as far as the system needs it now: a
// component with a caption and a modal result, built from its stored form
// like a data module (TDataModule.h), shown modally and closed. Showing a form
// modally asks the process's modal driver (ModalDriver.h), which plays the
// user; with no driver installed the form closes at once as cancelled.
// Controls are added by later work. Every live form is listed in Screen().
#pragma once

#include "platform/forms/Component.h"
#include "platform/forms/ModalResult.h"

#include <functional>
#include <string>

// What closing a form does with it (OnClose may change it).
enum TCloseAction { caNone, caHide, caFree, caMinimize };
// OnClose's handler type; Action may be changed.
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

class TForm : public TComponent {
public:
    // CreateNew: a form owned by `AOwner`, without its stored form.
    explicit TForm(TComponent* AOwner);
    // Leaves the live list; the components go with TComponent's destructor.
    ~TForm() override;

    // Fires OnCreate once construction is complete.
    void AfterConstruction() override;
    // Marks the form as being destroyed and fires OnDestroy.
    void BeforeDestruction() override;

    // The title bar's text.
    const std::string& Caption() const { return caption_; }
    // Sets Caption.
    void SetCaption(const std::string& value) { caption_ = value; }
    // The result of the modal showing; setting a value other than mrNone
    // while the form is shown modally closes it.
    TModalResult ModalResult() const { return modalResult_; }
    // Sets ModalResult.
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    // True while the form is shown.
    bool Visible() const { return visible_; }

    // Shows the form modally and returns how it was closed: OnShow fires,
    // the modal driver plays the user, OnClose fires; mrCancel when the user
    // closed it without a result (and always when no driver is installed).
    virtual TModalResult ShowModal();
    // Closes the form: while it is shown modally the result becomes mrCancel
    // and the showing ends; otherwise OnClose fires and, unless it answers
    // caNone, the form is hidden.
    void Close();

    // Fired once the form has been created and read from its stored form.
    TNotifyEvent OnCreate;
    // Fired when the form is about to be destroyed.
    TNotifyEvent OnDestroy;
    // Fired when the form is shown.
    TNotifyEvent OnShow;
    // Fired when the form closes; setting Action to caNone keeps it open.
    TCloseEvent OnClose;

protected:
    // Calls OnCreate when assigned.
    virtual void DoCreate();
    // Calls OnDestroy when assigned.
    virtual void DoDestroy();

private:
    // Runs OnClose; false when it keeps the form open.
    bool CloseQuery();

    std::string caption_;
    TModalResult modalResult_ = mrNone;
    bool visible_ = false;
    bool modal_ = false;
};
