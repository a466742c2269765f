// The scripted user of modal dialogs, for tests and the demo host. Installed
// as the process's modal driver (platform/forms/ModalDriver.h), it answers
// message boxes and plays modal forms from a queue of steps, in order, and
// records every dialog that was shown with the answer the program got.
//
//   sim::ModalScript user;
//   user.Click(mbRetry).Click(mbCancel).OnForm([](TForm& f) { return mrOk; });
//   forms::ScopedModalDriver installed(user);
//   ... run the program ...
//   EXPECT_EQ(user.Shown().size(), 3u);
//
// A dialog with no step left gets what it gets without a driver: a box its
// default button, a form mrCancel, a save-file dialog is cancelled. A step of the wrong kind (a
// form step when a box comes) is kept for later and noted in Faults(); the box gets its default.
#pragma once

#include "platform/forms/ModalDriver.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sim {

class ModalScript : public forms::ModalDriver {
public:
    // The user clicks `button` in the next message box.
    ModalScript& Click(TMsgDlgBtn button);
    // The user chooses a button in the next message box by what it shows.
    ModalScript& Answer(std::function<TMsgDlgBtn(const forms::MessageBoxRequest&)> choose);
    // Every message box after the queued steps gets `button` (Retry loops end
    // at the driver's cap).
    ModalScript& AlwaysClick(TMsgDlgBtn button);
    // The user works the next modal form: `play` may set its fields and click,
    // and returns the modal result (mrNone: the form's own ModalResult).
    ModalScript& OnForm(std::function<TModalResult(TForm&)> play);
    // The user saves to `file` in the next save-file dialog ("" cancels it).
    ModalScript& SaveAs(std::string file);

    // Every dialog shown so far, in order, with the result the program got.
    const std::vector<forms::ShownDialog>& Shown() const { return shown_; }
    // Steps not used yet.
    size_t PendingSteps() const { return steps_.size(); }
    // Steps that did not fit the dialog that came ("form step, but a message box was shown").
    const std::vector<std::string>& Faults() const { return faults_; }
    // One line for a shown dialog, for transcripts:
    //   [Error] LorvaneOL: "text" {OK} -> OK
    static std::string Describe(const forms::ShownDialog& dialog);

    std::optional<TMsgDlgBtn> AnswerMessageBox(const forms::MessageBoxRequest& box) override;
    TModalResult PlayForm(TForm& form) override;
    std::string AnswerSaveFile(const forms::SaveFileRequest& dialog) override;
    void DialogShown(const forms::ShownDialog& dialog) override { shown_.push_back(dialog); }

private:
    struct Step {
        std::function<TMsgDlgBtn(const forms::MessageBoxRequest&)> Box;
        std::function<TModalResult(TForm&)> Form;
        std::optional<std::string> SaveFile;
    };

    std::deque<Step> steps_;
    std::optional<TMsgDlgBtn> always_;
    std::vector<forms::ShownDialog> shown_;
    std::vector<std::string> faults_;
};

} // namespace sim
