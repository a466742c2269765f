// The scripted user of modal dialogs.
#include "platform/sim/ModalScript.h"

#include "platform/controls/Form.h"

namespace sim {

namespace {

const char* TypeName(TMsgDlgType type) {
    switch (type) {
    case mtWarning:
        return "Warning";
    case mtError:
        return "Error";
    case mtInformation:
        return "Information";
    case mtConfirmation:
        return "Confirmation";
    case mtCustom:
        return "Custom";
    }
    return "?";
}

const char* ResultName(TModalResult result) {
    static const char* const names[] = {"None", "OK", "Cancel", "Abort",   "Retry",   "Ignore",
                                        "Yes",  "No", "All",    "NoToAll", "YesToAll"};
    return result >= 0 && result <= mrYesToAll ? names[result] : "?";
}

// A button caption without its accelerator mark ("&Retry" -> "Retry").
std::string Plain(const char* caption) {
    std::string s;
    for (const char* p = caption; *p; ++p)
        if (*p != '&')
            s += *p;
    return s;
}

} // namespace

ModalScript& ModalScript::Click(TMsgDlgBtn button) {
    return Answer([button](const forms::MessageBoxRequest&) { return button; });
}

ModalScript&
ModalScript::Answer(std::function<TMsgDlgBtn(const forms::MessageBoxRequest&)> choose) {
    steps_.push_back({std::move(choose), {}, {}});
    return *this;
}

ModalScript& ModalScript::AlwaysClick(TMsgDlgBtn button) {
    always_ = button;
    return *this;
}

ModalScript& ModalScript::OnForm(std::function<TModalResult(TForm&)> play) {
    steps_.push_back({{}, std::move(play), {}});
    return *this;
}

ModalScript& ModalScript::SaveAs(std::string file) {
    steps_.push_back({{}, {}, std::move(file)});
    return *this;
}

std::string ModalScript::AnswerSaveFile(const forms::SaveFileRequest& dialog) {
    if (!steps_.empty()) {
        if (steps_.front().SaveFile) {
            std::string file = *steps_.front().SaveFile;
            steps_.pop_front();
            return file;
        }
        faults_.push_back("another step, but a save-file dialog was shown: " + dialog.Title);
    }
    return {};
}

std::optional<TMsgDlgBtn> ModalScript::AnswerMessageBox(const forms::MessageBoxRequest& box) {
    if (!steps_.empty()) {
        if (steps_.front().Box) {
            Step step = std::move(steps_.front());
            steps_.pop_front();
            return step.Box(box);
        }
        faults_.push_back("another step, but a message box was shown: " + box.Text);
    }
    return always_ ? always_ : box.DefaultButton;
}

TModalResult ModalScript::PlayForm(TForm& form) {
    if (!steps_.empty()) {
        if (steps_.front().Form) {
            Step step = std::move(steps_.front());
            steps_.pop_front();
            return step.Form(form);
        }
        faults_.push_back("another step, but a form was shown: " + form.ClassName());
    }
    return mrCancel;
}

std::string ModalScript::Describe(const forms::ShownDialog& d) {
    if (d.What == forms::ShownDialog::Kind::SaveFile)
        return "[Save] " + d.Caption + " -> " + (d.Text.empty() ? "Cancel" : d.Text);
    if (d.What == forms::ShownDialog::Kind::Form)
        return "[Form " + d.Text + "] " + d.Caption + " -> " + ResultName(d.Result);
    std::string buttons;
    for (TMsgDlgBtn b : {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
                         mbYesToAll, mbHelp}) {
        if (!d.Buttons.Contains(b))
            continue;
        if (!buttons.empty())
            buttons += ", ";
        buttons += Plain(ButtonCaption(b));
    }
    return std::string("[") + TypeName(d.Type) + "] " + d.Caption + ": \"" + d.Text + "\" {" +
           buttons + "} -> " + ResultName(d.Result);
}

} // namespace sim
