// TForm: construction, modal showing and closing.
#include "platform/forms/Form.h"

#include "platform/forms/ModalDriver.h"
#include "platform/forms/Screen.h"

TForm::TForm(TComponent* AOwner) : TComponent(AOwner) {
    Screen().AddForm(this);
}

TForm::~TForm() {
    Screen().RemoveForm(this);
}

void TForm::AfterConstruction() {
    DoCreate();
}

void TForm::BeforeDestruction() {
    TComponent::BeforeDestruction();
    DoDestroy();
}

void TForm::DoCreate() {
    if (OnCreate)
        OnCreate(this);
}

void TForm::DoDestroy() {
    if (OnDestroy)
        OnDestroy(this);
}

bool TForm::CloseQuery() {
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    return action != caNone;
}

TModalResult TForm::ShowModal() {
    struct Shown {
        TForm& form;
        ~Shown() { form.modal_ = form.visible_ = false; }
    } shown{*this};
    modalResult_ = mrNone;
    modal_ = visible_ = true;
    if (OnShow)
        OnShow(this);
    // An OnClose that keeps the form open sends the user back to it; a
    // scripted user who never gets past it ends the showing as cancelled.
    for (int round = 0;; ++round) {
        modalResult_ = forms::RunModalForm(*this);
        if (CloseQuery() || round + 1 >= forms::kMaxModalRounds)
            break;
        modalResult_ = mrNone;
    }
    if (modalResult_ == mrNone)
        modalResult_ = mrCancel;
    return modalResult_;
}

void TForm::Close() {
    // A modal form closes when its showing ends, which runs OnClose then.
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (CloseQuery())
        visible_ = false;
}
