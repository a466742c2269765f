// The modal driver and the defaults that stand for it.
#include "platform/forms/ModalDriver.h"

namespace forms {

namespace {

struct DriverState {
    ModalDriver* driver = nullptr;
    // The last box answered Retry and how many times in a row.
    std::string retryCaption;
    std::string retryText;
    int retries = 0;
};

DriverState& State() {
    static DriverState state;
    return state;
}

// Counts a Retry to the same box; past the cap, the answer becomes the box's
// cancel button (none: the box is closed).
std::optional<TMsgDlgBtn> CapRetries(const MessageBoxRequest& box, TMsgDlgBtn answer) {
    DriverState& s = State();
    if (answer != mbRetry) {
        s.retries = 0;
        return answer;
    }
    if (s.retries > 0 && s.retryCaption == box.Caption && s.retryText == box.Text) {
        ++s.retries;
    } else {
        s.retryCaption = box.Caption;
        s.retryText = box.Text;
        s.retries = 1;
    }
    if (s.retries <= kMaxRetryAnswers)
        return answer;
    s.retries = 0;
    return CancelMessageButton(box.Buttons);
}

} // namespace

ModalDriver* InstallModalDriver(ModalDriver* driver) {
    ModalDriver* previous = State().driver;
    State().driver = driver;
    State().retries = 0;
    return previous;
}

ModalDriver* InstalledModalDriver() {
    return State().driver;
}

TModalResult RunMessageBox(const MessageBoxRequest& box) {
    ModalDriver* driver = State().driver;
    TModalResult result = mrCancel;
    // A box without buttons can only be closed, which cancels it.
    if (!box.Buttons.Empty()) {
        const std::optional<TMsgDlgBtn> fallback =
            box.DefaultButton && box.Buttons.Contains(*box.DefaultButton)
                ? box.DefaultButton
                : DefaultMessageButton(box.Buttons);
        std::optional<TMsgDlgBtn> answer = driver ? driver->AnswerMessageBox(box) : fallback;
        if (!answer || !box.Buttons.Contains(*answer) || *answer == mbHelp)
            answer = fallback;
        if (answer)
            answer = CapRetries(box, *answer);
        // Without a button to answer (Help closes nothing) the box can only
        // be closed, which cancels it.
        result = answer ? ModalResultOf(*answer) : mrNone;
        if (result == mrNone)
            result = mrCancel;
    }
    if (driver) {
        ShownDialog shown;
        static_cast<MessageBoxRequest&>(shown) = box;
        shown.Result = result;
        driver->DialogShown(shown);
    }
    return result;
}

std::string RunSaveFileDialog(const SaveFileRequest& dialog) {
    ModalDriver* driver = State().driver;
    std::string file = driver ? driver->AnswerSaveFile(dialog) : std::string();
    // A name typed without an extension gets the default one, as the system's dialog does.
    if (!file.empty() && !dialog.DefaultExt.empty()) {
        size_t slash = file.find_last_of("/\\");
        size_t dot = file.find_last_of('.');
        if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
            file += "." + dialog.DefaultExt;
    }
    if (driver) {
        ShownDialog shown;
        shown.What = ShownDialog::Kind::SaveFile;
        shown.Caption = dialog.Title.empty() ? "Save As" : dialog.Title;
        shown.Text = file;
        shown.Result = file.empty() ? mrCancel : mrOk;
        driver->DialogShown(shown);
    }
    return file;
}

} // namespace forms
