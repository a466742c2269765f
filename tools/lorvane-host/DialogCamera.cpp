// Pictures and dumps of the forms shown, and the plays put in front.
#include "DialogCamera.h"

#include "platform/controls/Form.h"
#include "platform/controls/FormDump.h"
#include "platform/controls/FormPicture.h"
#include "platform/sim/ModalScript.h"
#include "platform/win/DebugOutput.h"

#include <cstdio>
#include <filesystem>

DialogCamera::DialogCamera(std::string folder, std::function<void(const std::string&)> note)
    : folder_(std::move(folder)), note_(std::move(note)) {}

std::string DialogCamera::PictureName(const TForm& form, int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", number);
    return std::string("dialogs/") + digits + "-" + form.ClassName() + ".png";
}

void DialogCamera::Snapshot(TForm& form) {
    int number = shown_;
    for (const auto& [shown, n] : showing_)
        if (shown == &form)
            number = n;
    lastDump_ = controls::DumpForm(form);
    lastClass_ = form.ClassName();
    std::filesystem::create_directories(folder_ + "/dialogs");
    platform::TQuietDebugOutput quiet;
    controls::SaveFormPicture(form, folder_ + "/" + PictureName(form, number));
}

std::optional<TMsgDlgBtn> DialogCamera::AnswerMessageBox(const forms::MessageBoxRequest& box) {
    return user_ ? user_->AnswerMessageBox(box) : box.DefaultButton;
}

TModalResult DialogCamera::PlayForm(TForm& form) {
    showing_.emplace_back(&form, ++shown_);
    Snapshot(form);
    note_("picture " + PictureName(form, shown_));
    TModalResult result = mrCancel;
    try {
        if (!next_.empty()) {
            std::function<TModalResult(TForm&)> play = std::move(next_.front());
            next_.pop_front();
            result = play(form);
        } else if (user_) {
            result = user_->PlayForm(form);
        }
    } catch (...) {
        showing_.pop_back();
        throw;
    }
    showing_.pop_back();
    return result;
}

std::string DialogCamera::AnswerSaveFile(const forms::SaveFileRequest& dialog) {
    return user_ ? user_->AnswerSaveFile(dialog) : std::string();
}

void DialogCamera::DialogShown(const forms::ShownDialog& dialog) {
    if (user_)
        user_->DialogShown(dialog);
}
