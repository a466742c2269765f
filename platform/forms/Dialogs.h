// Message dialogs of the class library: MessageDlg with a type, a set of
// buttons and a default button, and ShowMessage. A dialog is shown modally
// through the process's modal driver (ModalDriver.h), which plays the user;
// with no driver installed it answers its default button, and a dialog
// without one is closed as cancelled.
#pragma once

#include "platform/forms/ModalResult.h"
#include "platform/rtl/Set.h"

#include <cstdint>
#include <optional>
#include <string>

// The kind of message, which gives the dialog its icon and caption.
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// The buttons of a message dialog, in the order they are shown.
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
using TMsgDlgButtons = TSet<TMsgDlgBtn, uint16_t>;

// The class library's usual button sets.
inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline constexpr TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// The modal result a button gives (mrNone for Help, which closes nothing).
TModalResult ModalResultOf(TMsgDlgBtn button);
// The button's caption ("&Yes", "OK", ...).
const char* ButtonCaption(TMsgDlgBtn button);
// The dialog's caption for its type: "Warning", "Error", "Information",
// "Confirm", and the application's title for mtCustom.
std::string MessageDlgCaption(TMsgDlgType type);
// The default button of a dialog with these buttons: OK when present, else
// Yes, else Retry; a set with none of them has no default button.
std::optional<TMsgDlgBtn> DefaultMessageButton(TMsgDlgButtons buttons);
// The button that Escape stands for: Cancel when present, else No, else OK;
// a set with none of them has no cancel button (Escape and the close box
// then close the dialog as cancelled).
std::optional<TMsgDlgBtn> CancelMessageButton(TMsgDlgButtons buttons);

// Shows a message dialog and returns the modal result of the button chosen.
TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int HelpCtx);
// The same with an explicit default button (used when it is among Buttons).
TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int HelpCtx, TMsgDlgBtn DefaultButton);
// Shows the text with an OK button, under the application's title.
void ShowMessage(const std::string& Msg);
