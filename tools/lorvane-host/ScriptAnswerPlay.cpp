// Answers reaching their dialogs, and the stop when they cannot.
#include "ScriptAnswerPlay.h"

#include "ScriptWorld.h"

#include "platform/controls/Form.h"
#include "platform/controls/UserInput.h"
#include "platform/win/Hook.h"

namespace {

// What the user finds at the point: the control itself, or what covers it.
std::string Describe(const TControl* control) {
    if (!control)
        return "nothing";
    return control->Name().empty() ? std::string(control->ClassName()) : control->Name();
}

// The user closes form with its button closer, or with Escape when that
// cannot be clicked.
void CloseAsUser(TForm& form, const char* closer) {
    if (auto* button = dynamic_cast<TControl*>(controls::FindComponent(form, closer)))
        controls::Click(*button);
    if (StillOpen(form))
        controls::PressKey(form, VK_ESCAPE);
}

} // namespace

bool StillOpen(const TForm& form) {
    return form.Modal() && form.ModalResult() == mrNone;
}

void ReachAndClick(TControl& control, std::optional<POINT> point) {
    TForm* form = GetParentForm(&control);
    if (!form)
        throw EScriptError(control.Name() + " is on no form");
    if (!control.Showing())
        throw EScriptError("the user cannot click " + control.Name() + ", which is hidden");
    POINT client = point.value_or(POINT{control.Width() / 2, control.Height() / 2});
    TControl* under = controls::ControlAtScreen(*form, control.ClientToScreen(client));
    if (under != &control)
        throw EScriptError("a click on " + control.Name() + " lands on " + Describe(under));
    // A disabled control takes the click and does nothing with it.
    controls::Click(control, client);
}

void ReachAndClick(TForm& form, const std::string& name, std::optional<POINT> point) {
    auto* control = dynamic_cast<TControl*>(controls::FindComponent(form, name));
    if (!control)
        throw EScriptError(std::string(form.ClassName()) + " has no control " + name);
    ReachAndClick(*control, point);
}

void PlayAnswer(ScriptWorld& world, int line, TForm& form, const AnsweredDialog& dialog,
                size_t count, const std::function<void(size_t)>& playStep) {
    std::optional<std::string> failed;
    try {
        for (size_t i = 0; i < count && StillOpen(form); ++i)
            playStep(i);
    } catch (const std::exception& e) {
        failed = e.what();
    }
    if (failed) {
        world.Note(*failed + ": the user " + dialog.Closes + " " + dialog.Title);
        world.StopScript(line, *failed);
        if (StillOpen(form))
            CloseAsUser(form, dialog.Closer);
    }
    if (StillOpen(form)) {
        world.Note(dialog.Title + " is still open: the user " + dialog.Closes + " it");
        world.Camera().Snapshot(form);
        CloseAsUser(form, dialog.Closer);
    }
}

void WrongDialog(ScriptWorld& world, int line, const std::string& wanted, const TForm& form) {
    std::string message = "the answer for " + wanted + " came to " + form.ClassName();
    world.Note(message + ": it is closed");
    world.StopScript(line, message);
}
