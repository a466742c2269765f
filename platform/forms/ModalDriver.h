// The modal driver: the one place where the process waits for the user. Every
// message box, every modal form (TForm, in platform/controls, hands itself
// over in ShowModal) and every file dialog asks it. Tests and the demo install a
// driver that plays the user (platform/sim/ModalScript.h) and records what was
// shown; with none installed, a message box answers its default button (a
// box without one is closed as cancelled), a modal form closes as cancelled
// at once and a file dialog is cancelled, so nothing ever blocks.
//
// Scripted users must not make the program loop for ever: when the same box
// is answered Retry more than kMaxRetryAnswers times in a row, the next
// answer becomes the box's cancel button (Cancel, else No, else OK; a box
// without one is closed as cancelled), and a form whose OnClose keeps
// refusing to close ends after kMaxModalRounds.
// There is one driver per process (it lives in the platform library); it is
// used on the UI thread only.
#pragma once

#include "platform/forms/Dialogs.h"

#include <optional>
#include <string>

class TForm;

namespace forms {

// Consecutive Retry answers to one box before it is answered with its cancel button.
inline constexpr int kMaxRetryAnswers = 10;
// Times a modal form is handed to the driver before it closes as cancelled.
inline constexpr int kMaxModalRounds = 10;

// A message box as the user sees it.
struct MessageBoxRequest {
    // The title bar's text.
    std::string Caption;
    // The message.
    std::string Text;
    // The kind of message (its icon).
    TMsgDlgType Type = mtCustom;
    // The buttons shown.
    TMsgDlgButtons Buttons;
    // The button that Enter stands for (one of Buttons), or none.
    std::optional<TMsgDlgBtn> DefaultButton;
    // The help context of the Help button.
    int HelpContext = 0;
};

// A save-file dialog as the user sees it.
struct SaveFileRequest {
    // The title bar's text (empty: the system's "Save As").
    std::string Title;
    // The file types offered: "Text files (*.txt)|*.TXT" pairs.
    std::string Filter;
    // The extension added to a name typed without one ("txt").
    std::string DefaultExt;
    // The name proposed.
    std::string FileName;
};

// One dialog that was shown, and how it was answered. For a form, Caption is
// its caption and Text its class name; for a save-file dialog, Caption is
// its title and Text the file chosen (empty when cancelled).
struct ShownDialog : MessageBoxRequest {
    enum class Kind { MessageBox, Form, SaveFile };
    // A message box or a form.
    Kind What = Kind::MessageBox;
    // The modal result the program received.
    TModalResult Result = mrNone;
};

// Plays the user of modal dialogs.
class ModalDriver {
public:
    virtual ~ModalDriver() = default;
    // The button the user clicks in the box. None, or a button the box does
    // not have, counts as its default button; a box without one is closed,
    // which cancels it.
    virtual std::optional<TMsgDlgBtn> AnswerMessageBox(const MessageBoxRequest& box) = 0;
    // Plays the user of a modal form (set fields, click buttons) and returns
    // the modal result; mrNone leaves the form's own ModalResult, and a form
    // left without one closes as cancelled.
    virtual TModalResult PlayForm(TForm& form) = 0;
    // The file the user saves to in a save-file dialog, or "" to cancel
    // (the default).
    virtual std::string AnswerSaveFile(const SaveFileRequest& dialog) { return {}; }
    // Told of every dialog once its answer is final; nothing by default.
    virtual void DialogShown(const ShownDialog& dialog) {}
};

// Installs the process's driver (nullptr: none); returns the previous one.
ModalDriver* InstallModalDriver(ModalDriver* driver);
// The installed driver, or nullptr.
ModalDriver* InstalledModalDriver();

// Installs a driver for the life of the object, then puts the previous one back.
class ScopedModalDriver {
public:
    explicit ScopedModalDriver(ModalDriver& driver) : previous_(InstallModalDriver(&driver)) {}
    ~ScopedModalDriver() { InstallModalDriver(previous_); }
    ScopedModalDriver(const ScopedModalDriver&) = delete;
    ScopedModalDriver& operator=(const ScopedModalDriver&) = delete;

private:
    ModalDriver* previous_;
};

// Shows a message box modally through the driver and returns the modal result.
TModalResult RunMessageBox(const MessageBoxRequest& box);
// Shows a save-file dialog through the driver and returns the file chosen
// (the default extension added to a name without one), or "" when cancelled
// (always without a driver).
std::string RunSaveFileDialog(const SaveFileRequest& dialog);

} // namespace forms
