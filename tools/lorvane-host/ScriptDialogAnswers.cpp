// answer picker: how the user will work the add-in's folder picker the next
// time it shows, as steps separated by "then", played through the user-input
// layer as a user would (clicks, a double click, keys, typing):
//
//   answer picker "Archive\Projects"            # select the folder, OK
//   answer picker mru 2                         # the second recent folder, OK
//   answer picker new Archive Beta then "Archive\Beta"
//   answer picker open "Archive\Projects" then escape
//
// Steps that close the picker: PATH (the folder selected, then OK), double
// PATH (a double click on it), mru N (row N selected, then OK), ok, cancel,
// escape. Steps that leave it open: open PATH (select it, opening the
// folders on the way), new PARENT NAME (Add Folder... in PARENT, the
// new-folder dialog answered with NAME and OK), remove N (row N, then Clear
// MRU Entry; its question takes the next answer, OK by default), clear
// (Clear MRU List), updates (clicks Disable List Updates). The picture of the
// picker is taken again just before the step that closes it. Folders and
// rows below those shown are scrolled to first; a step whose folder, row or
// button is not there stops the script at the answer's line
// (ScriptAnswerPlay.h), and a picker still open after the last step is
// cancelled with a note.
#include "ScriptAnswerPlay.h"
#include "ScriptVerbs.h"
#include "ScriptWorld.h"

#include "platform/controls/ListView.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/UserInput.h"
#include "platform/win/Hook.h"

#include <memory>

namespace {

// One step: its keyword ("" for a path) and its words.
struct PickerStep {
    std::string Kind;
    std::vector<std::string> Values;
};

struct StepShape {
    const char* Kind;
    size_t Values;
    bool Closes;
};

const StepShape StepShapes[] = {{"double", 1, true},  {"mru", 1, true},     {"ok", 0, true},
                                {"cancel", 0, true},  {"escape", 0, true},  {"open", 1, false},
                                {"new", 2, false},    {"remove", 1, false}, {"clear", 0, false},
                                {"updates", 0, false}};

const StepShape* ShapeOf(const std::string& kind) {
    for (const StepShape& shape : StepShapes)
        if (kind == shape.Kind)
            return &shape;
    return nullptr;
}

int ReadRow(const std::string& text) {
    if (text.empty() || text.size() > 2 ||
        text.find_first_not_of("0123456789") != std::string::npos || std::stoi(text) < 1 ||
        std::stoi(text) > 20)
        throw EScriptError("a row of the recently used list is a number from 1 to 20, not " +
                           ScriptQuoted(text));
    return std::stoi(text);
}

// The steps of the words after "picker"; raises EScriptError for a step that does not read.
std::vector<PickerStep> ReadSteps(const ScriptArguments& arguments) {
    std::vector<PickerStep> steps;
    size_t i = 1;
    while (i < arguments.Words.size()) {
        const ScriptWord& word = arguments.Words[i++];
        const StepShape* shape = word.Quoted ? nullptr : ShapeOf(word.Text);
        PickerStep step{shape ? word.Text : "", {}};
        size_t values = shape ? shape->Values : 0;
        if (!shape)
            step.Values.push_back(word.Text);
        for (; values > 0; --values, ++i) {
            if (i >= arguments.Words.size() || arguments.WordIs(i, "then"))
                throw EScriptError("answer picker " + step.Kind + " takes " +
                                   std::to_string(shape->Values) + " word(s)");
            step.Values.push_back(arguments.Words[i].Text);
        }
        if (step.Kind == "mru" || step.Kind == "remove")
            ReadRow(step.Values[0]);
        steps.push_back(std::move(step));
        if (i < arguments.Words.size()) {
            if (!arguments.WordIs(i, "then"))
                throw EScriptError("answer picker: steps are separated by then, not " +
                                   ScriptQuoted(arguments.Words[i].Text));
            ++i;
            if (i == arguments.Words.size())
                throw EScriptError("answer picker: a step must follow then");
        }
    }
    if (steps.empty())
        throw EScriptError("answer picker takes what the user does: a folder's path, mru N, "
                           "new PARENT NAME, cancel, ...");
    return steps;
}

template <class T> T& Part(TForm& form, const char* name) {
    return controls::Find<T>(form, name);
}

// Selects the node at path; raises EScriptError when the picker has none.
TTreeNode& SelectFolder(TForm& picker, const std::string& path) {
    TTreeNode* node = controls::SelectNode(Part<TTreeView>(picker, "treeFolders"), path);
    if (!node)
        throw EScriptError("the folder picker shows no folder " + InQuotes(path));
    return *node;
}

void SelectRow(TForm& picker, const std::string& row) {
    auto& list = Part<TListView>(picker, "ListView1");
    int index = ReadRow(row) - 1;
    if (index >= list.Items()->Count())
        throw EScriptError("the recently used list has no row " + row);
    if (!list.Showing())
        throw EScriptError("the recently used list is hidden: the user cannot choose row " + row);
    if (!controls::SelectRow(list, index))
        throw EScriptError("a click on row " + row +
                           " of the recently used list does not select it");
}

// A double click on the folder at path (selected by the step), scrolled to first.
void DoubleClickFolder(TForm& picker, const std::string& path) {
    auto& tree = Part<TTreeView>(picker, "treeFolders");
    if (!tree.Selected() || !controls::DoubleClickNode(tree, *tree.Selected()))
        throw EScriptError("a double click on " + InQuotes(path) + " does not reach it");
}

// Add Folder... in parent, the new-folder dialog answered with name and OK.
void NewFolder(ScriptWorld& world, TForm& picker, const std::string& parent,
               const std::string& name) {
    SelectFolder(picker, parent);
    DialogCamera& camera = world.Camera();
    // What went wrong in the new-folder dialog is raised here, not through
    // the add-in's handler that showed it.
    auto failed = std::make_shared<std::string>();
    camera.PlayNext([&camera, name, failed](TForm& dialog) {
        try {
            controls::TypeText(Part<TEdit>(dialog, "EditFolderName"), name);
            camera.Snapshot(dialog);
            ReachAndClick(dialog, "btnOK");
            // A name refused keeps the dialog open: the user gives up.
            if (dialog.ModalResult() == mrNone)
                ReachAndClick(dialog, "btnCancel");
        } catch (const std::exception& e) {
            *failed = e.what();
            return mrCancel;
        }
        return mrNone;
    });
    ReachAndClick(picker, "btnAddFolder");
    if (camera.ForgetNext())
        throw EScriptError("Add Folder... showed no new-folder dialog");
    if (!failed->empty())
        throw EScriptError(*failed);
}

void Play(ScriptWorld& world, TForm& picker, const PickerStep& step) {
    const std::string& kind = step.Kind;
    const StepShape* shape = ShapeOf(kind);
    if (kind.empty() || kind == "double" || kind == "open")
        SelectFolder(picker, step.Values[0]);
    else if (kind == "mru" || kind == "remove")
        SelectRow(picker, step.Values[0]);
    else if (kind == "new")
        NewFolder(world, picker, step.Values[0], step.Values[1]);
    if (kind.empty() || (shape && shape->Closes))
        world.Camera().Snapshot(picker);
    if (kind.empty() || kind == "mru" || kind == "ok")
        ReachAndClick(picker, "btnOK");
    else if (kind == "double")
        DoubleClickFolder(picker, step.Values[0]);
    else if (kind == "cancel")
        ReachAndClick(picker, "btnCancel");
    else if (kind == "escape")
        controls::PressKey(picker, VK_ESCAPE);
    else if (kind == "remove")
        ReachAndClick(picker, "btnClearEntry");
    else if (kind == "clear")
        ReachAndClick(picker, "btnClearList");
    else if (kind == "updates")
        ReachAndClick(picker, "cbNoListUpdates");
}

} // namespace

void CheckPickerAnswer(const ScriptArguments& arguments) {
    ReadSteps(arguments);
}

void RunPickerAnswer(ScriptWorld& world, const ScriptArguments& arguments) {
    auto steps = std::make_shared<std::vector<PickerStep>>(ReadSteps(arguments));
    int line = arguments.Line;
    world.Live().User().OnForm([&world, steps, line](TForm& form) {
        if (std::string(form.ClassName()) != "TfrmFolders2") {
            WrongDialog(world, line, "the folder picker", form);
            return mrCancel;
        }
        PlayAnswer(world, line, form, {"the folder picker", "cancels", "btnCancel"}, steps->size(),
                   [&](size_t i) { Play(world, form, (*steps)[i]); });
        return mrNone;
    });
}
