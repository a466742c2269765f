// The script's eye on the add-in's modal forms. Installed as the process's
// modal driver in front of the session's scripted user, it takes a picture
// of every form the add-in shows, as the user sees it when it opens, and
// keeps its text dump for "show dialog"; an answer that plays the form takes
// the picture again just before its last action, so that the picture shows
// what the user chose. Pictures go to the data folder as dialogs/NN-Name.png
// (NN counts the forms shown in the script, Name is the form's class), and
// each is named in the transcript.
//
// A form shown while an answer plays another (the new-folder dialog of the
// folder picker) is played by what that answer put in front of the queue
// (PlayNext); everything else goes to the scripted user.
#pragma once

#include "platform/forms/ModalDriver.h"

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace sim {
class ModalScript;
}

class DialogCamera : public forms::ModalDriver {
public:
    // Pictures go below folder (the add-in's data folder); note adds a
    // line to the transcript's step.
    DialogCamera(std::string folder, std::function<void(const std::string&)> note);

    // The scripted user behind the camera (null: none; forms close as cancelled).
    void SetUser(sim::ModalScript* user) { user_ = user; }
    // Takes the picture and the dump of form again (the form shown now).
    void Snapshot(TForm& form);
    // Plays the next form shown before anything the scripted user has queued.
    void PlayNext(std::function<TModalResult(TForm&)> play) { next_.push_back(std::move(play)); }
    // Forgets the plays put in front that no form has taken (the form they
    // were for did not show); true when there was one.
    bool ForgetNext() {
        bool pending = !next_.empty();
        next_.clear();
        return pending;
    }
    // The text dump of the form shown last; empty before any.
    const std::string& LastDump() const { return lastDump_; }
    // The class of that form.
    const std::string& LastClass() const { return lastClass_; }

    // Boxes and save-file dialogs go to the scripted user.
    std::optional<TMsgDlgBtn> AnswerMessageBox(const forms::MessageBoxRequest& box) override;
    std::string AnswerSaveFile(const forms::SaveFileRequest& dialog) override;
    // Takes the form's picture, then plays it (a play put in front first).
    TModalResult PlayForm(TForm& form) override;
    // Tells the scripted user, which keeps the transcript's list.
    void DialogShown(const forms::ShownDialog& dialog) override;

private:
    // The picture's name for form, shown as the number-th form, relative
    // to the data folder.
    static std::string PictureName(const TForm& form, int number);

    std::string folder_;
    std::function<void(const std::string&)> note_;
    sim::ModalScript* user_ = nullptr;
    std::deque<std::function<TModalResult(TForm&)>> next_;
    int shown_ = 0;
    // The forms being played now (a form may show another), with their numbers.
    std::vector<std::pair<TForm*, int>> showing_;
    std::string lastDump_;
    std::string lastClass_;
};
