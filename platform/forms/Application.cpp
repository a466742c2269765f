// The application object: title and message box.
#include "platform/forms/Application.h"

#include "platform/forms/Dialogs.h"
#include "platform/forms/ModalDriver.h"

#include <cerrno>
#include <vector>

namespace {

// The buttons of a box, in the order they are shown, by its flags.
std::vector<TMsgDlgBtn> ButtonsOf(unsigned flags) {
    switch (flags & 0xF) {
    case MB_OKCANCEL:
        return {mbOK, mbCancel};
    case MB_ABORTRETRYIGNORE:
        return {mbAbort, mbRetry, mbIgnore};
    case MB_YESNOCANCEL:
        return {mbYes, mbNo, mbCancel};
    case MB_YESNO:
        return {mbYes, mbNo};
    case MB_RETRYCANCEL:
        return {mbRetry, mbCancel};
    default:
        return {mbOK};
    }
}

TMsgDlgType TypeOf(unsigned flags) {
    switch (flags & 0xF0) {
    case MB_ICONHAND:
        return mtError;
    case MB_ICONQUESTION:
        return mtConfirmation;
    case MB_ICONEXCLAMATION:
        return mtWarning;
    case MB_ICONASTERISK:
        return mtInformation;
    default:
        return mtCustom;
    }
}

} // namespace

TApplication::TApplication() : title_(program_invocation_short_name) {}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags) {
    std::vector<TMsgDlgBtn> order = ButtonsOf(Flags);
    forms::MessageBoxRequest box;
    box.Caption = Caption.empty() ? title_ : Caption;
    box.Text = Text;
    box.Type = TypeOf(Flags);
    for (TMsgDlgBtn b : order)
        box.Buttons.Include(b);
    size_t defaultIndex = (Flags >> 8) & 0xF;
    box.DefaultButton = order[defaultIndex < order.size() ? defaultIndex : 0];
    return forms::RunMessageBox(box);
}

void TApplication::ShowException(const Exception& E) {
    if (dynamic_cast<const EAbort*>(&E))
        return;
    std::string message = E.Message;
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        message += '.';
    MessageBox(message, title_, MB_OK | MB_ICONSTOP);
}

TApplication& Application() {
    static TApplication application;
    return application;
}
