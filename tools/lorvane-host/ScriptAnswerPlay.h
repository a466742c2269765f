// How the answers of a script (answer picker, config, item, about) reach the
// add-in's dialogs: each step is played as a user's mouse and keys play it,
// and a step whose target is not there or cannot be reached (no such
// folder, row or control; a control hidden, or covered so that the click
// lands elsewhere) is the script's fault: the user gives up on the dialog,
// the step says so in a note, and the script stops after the line that
// showed the dialog, naming the answer's line. A disabled control is there:
// clicking it does nothing, as for a user.
#pragma once

#include "ScriptText.h"

#include "platform/controls/Control.h"

#include <functional>
#include <optional>
#include <string>

class ScriptWorld;
class TForm;

// True while the modal dialog waits for the user.
bool StillOpen(const TForm& form);

// Clicks the control of that name on form where a user would (its centre
// without a point); raises EScriptError when it is not there or the click
// cannot reach it.
void ReachAndClick(TForm& form, const std::string& name, std::optional<POINT> point = {});
void ReachAndClick(TControl& control, std::optional<POINT> point = {});

// A dialog as an answer's notes name it ("the folder picker"), what the user
// does to close it ("cancels", "closes") and the button that does it.
struct AnsweredDialog {
    std::string Title;
    const char* Closes;
    const char* Closer;
};

// Plays an answer's `count` steps on form, `playStep` playing step i, while
// the dialog stays open. A step that raises stops the play: the note says
// why and that the user gives up ("the user cancels the folder picker"),
// the dialog is closed when it is still open, and the script is asked to
// stop at `line`, the answer's. A dialog left open is closed with a note
// and a picture.
void PlayAnswer(ScriptWorld& world, int line, TForm& form, const AnsweredDialog& dialog,
                size_t count, const std::function<void(size_t)>& playStep);

// The answer for `wanted` came to another dialog: it is closed as cancelled,
// and the script stops at `line`.
void WrongDialog(ScriptWorld& world, int line, const std::string& wanted, const TForm& form);
