// answer config, answer item and answer about: how the user will work the
// add-in's configuration dialog, its per-message dialog ("Select actions for
// this item") and its about box the next time each shows, as steps separated
// by "then", played through the user-input layer as a user would:
//
//   answer config folderdef on then browse then ok     # the picker: next answer
//   answer config categdef on then ok then cancel      # OK refused, then Cancel
//   answer item calendar on then browse then send
//   answer about link then ok
//
// The check boxes of the configuration dialog are named as the configuration
// file names their settings (folderdef, folderask, categdef, categask,
// categmaintain, calendadd, taskadd), each with on or off; the per-message
// dialog shows only calendar and task. browse and select click Browse and
// Select: the folder picker and Outlook's categories dialog they open take
// the answers given after this one, as every dialog takes the next answer in
// the order they show. clear folder|category clicks a Clear button, info the
// information image (its box is read and closed with Enter), defaults the
// Defaults button (its question takes the next answer). ok, send, cancel and
// escape close the dialog (an OK that a validation refuses leaves it open);
// link clicks the about box's link, found as a user finds it: where the
// pointer turns into a hand. A dialog left open after the last step is
// closed by the user with Cancel (the about box with OK), and a note says so.
// The picture of the dialog is taken again just before each closing step. A
// step whose control is not there or cannot be reached stops the script at
// the answer's line (ScriptAnswerPlay.h); a disabled one takes the click and
// does nothing.
#include "ScriptAnswerPlay.h"
#include "ScriptVerbs.h"
#include "ScriptWorld.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/UserInput.h"
#include "platform/win/Hook.h"

#include <memory>

namespace {

// The kinds of dialog an answer is for.
enum class Dialog { Config, Item, About };

struct StepShape {
    // The step's keyword.
    const char* Kind;
    // The control it works.
    const char* Control;
    // Its value: "" none, "switch" on|off, "which" folder|category.
    const char* Value;
    // True when it closes the dialog.
    bool Closes;
};

const StepShape ConfigSteps[] = {
    {"folderdef", "cbUseFolderDefault", "switch", false},
    {"folderask", "cbUseFolderAsk", "switch", false},
    {"categdef", "cbUseCategoryDefault", "switch", false},
    {"categask", "cbUseCategoryAsk", "switch", false},
    {"categmaintain", "cbUseMaintainCategoryDefault", "switch", false},
    {"calendadd", "cbUseCalendarDefault", "switch", false},
    {"taskadd", "cbUseTasksDefault", "switch", false},
    {"browse", "btBrowse", "", false},
    {"select", "btSelectCategory", "", false},
    {"clear", "", "which", false},
    {"info", "imgInfo", "", false},
    {"defaults", "btDefaults", "", false},
    {"ok", "btOK", "", true},
    {"cancel", "btCancel", "", true},
    {"escape", "", "", true},
};

// In the per-message dialog only the calendar and task boxes show; OK is Send.
const StepShape ItemSteps[] = {
    {"calendar", "cbUseCalendarDefault", "switch", false},
    {"task", "cbUseTasksDefault", "switch", false},
    {"browse", "btBrowse", "", false},
    {"select", "btSelectCategory", "", false},
    {"clear", "", "which", false},
    {"send", "btOK", "", true},
    {"cancel", "btCancel", "", true},
    {"escape", "", "", true},
};

const StepShape AboutSteps[] = {
    {"link", "LabelUrl", "", false},
    {"ok", "btOK", "", true},
    {"escape", "", "", true},
};

struct DialogShape {
    Dialog Kind;
    // The word after "answer".
    const char* Word;
    // The dialog as the transcript names it.
    const char* Title;
    const StepShape* Steps;
    size_t Count;
};

const DialogShape Dialogs[] = {
    {Dialog::Config, "config", "the configuration dialog", ConfigSteps, std::size(ConfigSteps)},
    {Dialog::Item, "item", "the per-message dialog", ItemSteps, std::size(ItemSteps)},
    {Dialog::About, "about", "the about box", AboutSteps, std::size(AboutSteps)},
};

const DialogShape* DialogOf(const std::string& word) {
    for (const DialogShape& dialog : Dialogs)
        if (word == dialog.Word)
            return &dialog;
    return nullptr;
}

struct FormStep {
    const StepShape* Shape;
    std::string Value;
};

std::string KindsOf(const DialogShape& dialog) {
    std::string kinds;
    for (size_t i = 0; i < dialog.Count; ++i)
        kinds += (i ? ", " : "") + std::string(dialog.Steps[i].Kind);
    return kinds;
}

// Reads one step at word i (moved past it); raises EScriptError.
FormStep ReadStep(const DialogShape& dialog, const ScriptArguments& arguments, size_t& i) {
    const std::string prefix = std::string("answer ") + dialog.Word;
    const ScriptWord& word = arguments.Words[i++];
    const StepShape* shape = nullptr;
    for (size_t s = 0; s < dialog.Count && !word.Quoted; ++s)
        if (word.Text == dialog.Steps[s].Kind)
            shape = &dialog.Steps[s];
    if (!shape)
        throw EScriptError(prefix + ": " + ScriptQuoted(word.Text) +
                           " is not a step (steps: " + KindsOf(dialog) + ")");
    FormStep step{shape, {}};
    const std::string value = shape->Value;
    if (value.empty())
        return step;
    step.Value = i < arguments.Words.size() ? arguments.Words[i].Text : "";
    ++i;
    if (value == "switch" && step.Value != "on" && step.Value != "off")
        throw EScriptError(prefix + " " + shape->Kind + " takes on or off");
    if (value == "which" && step.Value != "folder" && step.Value != "category")
        throw EScriptError(prefix + " clear takes folder or category");
    return step;
}

// The steps of the words after "answer config|item|about"; raises EScriptError.
std::vector<FormStep> ReadSteps(const DialogShape& dialog, const ScriptArguments& arguments) {
    std::vector<FormStep> steps;
    size_t i = 1;
    while (i < arguments.Words.size()) {
        steps.push_back(ReadStep(dialog, arguments, i));
        if (i == arguments.Words.size())
            break;
        if (!arguments.WordIs(i, "then"))
            throw EScriptError(std::string("answer ") + dialog.Word +
                               ": steps are separated by then, not " +
                               ScriptQuoted(arguments.Words[i].Text));
        if (++i == arguments.Words.size())
            throw EScriptError(std::string("answer ") + dialog.Word + ": a step must follow then");
    }
    if (steps.empty())
        throw EScriptError(std::string("answer ") + dialog.Word +
                           " takes what the user does (steps: " + KindsOf(dialog) + ")");
    return steps;
}

// Moves the pointer along the label's middle, then along its other rows,
// until it turns into a hand over a link, and clicks there.
void ClickLink(TForm& form, const std::string& name) {
    TControl& label = controls::FindControl(form, name);
    const int height = label.Height();
    for (int dy = 0; dy <= height / 2; dy += 2)
        for (int y : {height / 2 - dy, height / 2 + dy})
            for (int x = 0; x < label.Width(); x += 2) {
                POINT point{x, y};
                controls::MoveMouse(label, point);
                if (controls::ShownCursor() == crHandPoint) {
                    ReachAndClick(label, point);
                    return;
                }
            }
    throw EScriptError(name + " shows no link");
}

// The information image's box: read, then closed with Enter.
void ClickInfo(ScriptWorld& world, TForm& form, const std::string& name) {
    DialogCamera& camera = world.Camera();
    camera.PlayNext([&camera](TForm& box) {
        camera.Snapshot(box);
        controls::PressKey(box, VK_RETURN);
        return mrNone;
    });
    ReachAndClick(form, name);
    // A disabled image shows no box: the play waits for none.
    camera.ForgetNext();
}

void Play(ScriptWorld& world, TForm& form, const FormStep& step) {
    const StepShape& shape = *step.Shape;
    const std::string kind = shape.Kind;
    if (shape.Closes)
        world.Camera().Snapshot(form);
    if (std::string(shape.Value) == "switch") {
        auto& box = controls::Find<TCheckBox>(form, shape.Control);
        if (box.Checked() != (step.Value == "on"))
            ReachAndClick(box);
    } else if (kind == "clear") {
        ReachAndClick(form, step.Value == "folder" ? "btClearFolder" : "btClearCategory");
    } else if (kind == "escape") {
        controls::PressKey(form, VK_ESCAPE);
    } else if (kind == "link") {
        ClickLink(form, shape.Control);
    } else if (kind == "info") {
        ClickInfo(world, form, shape.Control);
    } else {
        ReachAndClick(form, shape.Control);
    }
}

// The dialog the form is, as the user tells it: the configuration dialog's
// OK reads Send in its per-message form.
std::optional<Dialog> FormKind(TForm& form) {
    const std::string name = form.ClassName();
    if (name == "TFormAbout")
        return Dialog::About;
    if (name != "TfrmConfig")
        return std::nullopt;
    return controls::Find<TButton>(form, "btOK").Caption() == "Send" ? Dialog::Item
                                                                     : Dialog::Config;
}

// Plays the steps on form; the dialog left open is closed as a user would,
// with Cancel (the about box with OK).
void PlaySteps(ScriptWorld& world, int line, TForm& form, const DialogShape& dialog,
               const std::vector<FormStep>& steps) {
    const char* closer = dialog.Kind == Dialog::About ? "btOK" : "btCancel";
    PlayAnswer(world, line, form, {dialog.Title, "closes", closer}, steps.size(),
               [&](size_t i) { Play(world, form, steps[i]); });
}

} // namespace

bool IsFormAnswer(const ScriptArguments& arguments) {
    return DialogOf(arguments.Word(0)) != nullptr && !arguments.Words[0].Quoted;
}

void CheckFormAnswer(const ScriptArguments& arguments) {
    ReadSteps(*DialogOf(arguments.Word(0)), arguments);
}

void RunFormAnswer(ScriptWorld& world, const ScriptArguments& arguments) {
    const DialogShape& dialog = *DialogOf(arguments.Word(0));
    auto steps = std::make_shared<std::vector<FormStep>>(ReadSteps(dialog, arguments));
    int line = arguments.Line;
    world.Live().User().OnForm([&world, &dialog, steps, line](TForm& form) {
        if (FormKind(form) != dialog.Kind) {
            WrongDialog(world, line, dialog.Title, form);
            return mrCancel;
        }
        PlaySteps(world, line, form, dialog, *steps);
        return mrNone;
    });
}
