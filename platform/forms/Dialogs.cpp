// Message dialogs: captions, default buttons and the modal showing.
#include "platform/forms/Dialogs.h"

#include "platform/forms/Application.h"
#include "platform/forms/FormConsts.h"
#include "platform/forms/ModalDriver.h"

TModalResult ModalResultOf(TMsgDlgBtn button) {
    switch (button) {
    case mbYes:
        return mrYes;
    case mbNo:
        return mrNo;
    case mbOK:
        return mrOk;
    case mbCancel:
        return mrCancel;
    case mbAbort:
        return mrAbort;
    case mbRetry:
        return mrRetry;
    case mbIgnore:
        return mrIgnore;
    case mbAll:
        return mrAll;
    case mbNoToAll:
        return mrNoToAll;
    case mbYesToAll:
        return mrYesToAll;
    case mbHelp:
        return mrNone;
    }
    return mrNone;
}

const char* ButtonCaption(TMsgDlgBtn button) {
    using namespace FormConsts;
    switch (button) {
    case mbYes:
        return SMsgDlgYes;
    case mbNo:
        return SMsgDlgNo;
    case mbOK:
        return SMsgDlgOK;
    case mbCancel:
        return SMsgDlgCancel;
    case mbAbort:
        return SMsgDlgAbort;
    case mbRetry:
        return SMsgDlgRetry;
    case mbIgnore:
        return SMsgDlgIgnore;
    case mbAll:
        return SMsgDlgAll;
    case mbNoToAll:
        return SMsgDlgNoToAll;
    case mbYesToAll:
        return SMsgDlgYesToAll;
    case mbHelp:
        return SMsgDlgHelp;
    }
    return "";
}

std::string MessageDlgCaption(TMsgDlgType type) {
    switch (type) {
    case mtWarning:
        return FormConsts::SMsgDlgWarning;
    case mtError:
        return FormConsts::SMsgDlgError;
    case mtInformation:
        return FormConsts::SMsgDlgInformation;
    case mtConfirmation:
        return FormConsts::SMsgDlgConfirm;
    case mtCustom:
        break;
    }
    return Application().Title();
}

std::optional<TMsgDlgBtn> DefaultMessageButton(TMsgDlgButtons buttons) {
    for (TMsgDlgBtn b : {mbOK, mbYes, mbRetry})
        if (buttons.Contains(b))
            return b;
    return std::nullopt;
}

std::optional<TMsgDlgBtn> CancelMessageButton(TMsgDlgButtons buttons) {
    for (TMsgDlgBtn b : {mbCancel, mbNo, mbOK})
        if (buttons.Contains(b))
            return b;
    return std::nullopt;
}

namespace {

TModalResult ShowMessageBox(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                            int HelpCtx, std::optional<TMsgDlgBtn> DefaultButton) {
    forms::MessageBoxRequest box;
    box.Caption = MessageDlgCaption(DlgType);
    box.Text = Msg;
    box.Type = DlgType;
    box.Buttons = Buttons;
    box.DefaultButton = DefaultButton;
    box.HelpContext = HelpCtx;
    return forms::RunMessageBox(box);
}

} // namespace

TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int HelpCtx) {
    return ShowMessageBox(Msg, DlgType, Buttons, HelpCtx, DefaultMessageButton(Buttons));
}

TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int HelpCtx, TMsgDlgBtn DefaultButton) {
    return ShowMessageBox(Msg, DlgType, Buttons, HelpCtx,
                          Buttons.Contains(DefaultButton) ? DefaultButton
                                                          : DefaultMessageButton(Buttons));
}

void ShowMessage(const std::string& Msg) {
    MessageDlg(Msg, mtCustom, {mbOK}, 0);
}
