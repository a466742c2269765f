// The user-input layer: what a user does with the mouse and the keyboard,
// run through the same event flow as on the screen, for scripts and tests.
// Moving the mouse moves the machine's pointer (GetCursorPos follows) and
// fires MouseLeave on the control it leaves and MouseEnter on the one it
// reaches, then MouseMove; a click is a move, MouseDown (a control that can
// take the focus takes it), Click and MouseUp; a disabled control (or one on
// a disabled parent) takes no click. The wheel turns over the control under
// the pointer, and goes to its parents until one uses it. A row of a list or
// a tree that lies outside the rows shown is scrolled to first (the wheel,
// then the scroll bar's buttons), as a user must. Keys go first to the form's dialog keys
// (Tab moves the focus, Enter clicks the default button, Escape the cancel
// button) unless the focused control wants them, then to KeyDown and
// KeyPress, the form first when it has KeyPreview.
//
// After every action the form is painted when the action invalidated it, as
// the message loop would; an action whose handler freed the form stops there.
//
//   TForm& dlg = ...;
//   controls::TypeText(controls::Find<TEdit>(dlg, "EditFolderName"), "Projects");
//   controls::Click(controls::Find<TButton>(dlg, "btnOK"));
#pragma once

#include "platform/controls/Control.h"

#include <optional>
#include <string>
#include <string_view>

class TForm;
class TWinControl;
class TCheckBox;
class TTreeView;
class TTreeNode;
class TListView;

namespace controls {

// A hint as it is shown.
struct ShownHint {
    // The text.
    std::string Text;
    // The hint window's top-left corner (screen coordinates).
    POINT Position;
    // The control it is about.
    TControl* Control = nullptr;
};

// How far below the pointer a hint appears (the pointer's height).
inline constexpr int kHintOffsetY = 20;

// The component of that name on the form (owned by it or by a component it
// owns, letter case ignored), or nullptr.
TComponent* FindComponent(TForm& form, std::string_view name);
// The control of that name and class; Exception naming the form when absent.
TControl& FindControl(TForm& form, std::string_view name);
template <class T> T& Find(TForm& form, std::string_view name) {
    TControl& found = FindControl(form, name);
    if (auto* typed = dynamic_cast<T*>(&found))
        return *typed;
    throw Exception(std::string(name) + " is a " + found.ClassName() + ", not a " +
                    ClassNameOf<T>());
}

// The control under a point of the screen on a form (the form itself when
// on no control), or nullptr outside the form's client area.
TControl* ControlAtScreen(TForm& form, POINT screen);
// Moves the pointer to a point of the control (client coordinates; its
// centre without one).
void MoveMouse(TControl& control, std::optional<POINT> point = std::nullopt);
// The control the pointer is over, or nullptr.
TControl* ControlUnderMouse();
// The cursor shown: the screen's when set, else the control's under the
// pointer (or its nearest parent's that sets one).
TCursor ShownCursor();

// Clicks a control at a point (its centre without one); false when the
// click did not reach the control (disabled, covered, hidden).
bool Click(TControl& control, std::optional<POINT> point = std::nullopt,
           TMouseButton button = mbLeft);
// Double-clicks a control at a point (its centre without one).
bool DoubleClick(TControl& control, std::optional<POINT> point = std::nullopt);
// Turns the mouse wheel over a point of the control (its centre without one)
// by notches, positive away from the user (scrolling up); false when no
// control there used the turn.
bool TurnWheel(TControl& control, int notches, std::optional<POINT> point = std::nullopt);
// Lets the hint of the control under the pointer show (what resting the
// mouse does); the hint shown, or nothing.
std::optional<ShownHint> RestMouse();
// The hint shown now, if any.
std::optional<ShownHint> CurrentHint();
// Hides the hint (the class library's Application.CancelHint).
void CancelHint();

// Presses a key on the form that has the focus (the control's form).
void PressKey(TForm& form, WORD key, TShiftState shift = {});
// Types text into a control: it takes the focus, then each character is a key press.
void TypeText(TWinControl& control, std::string_view text);
// Sets a check box by clicking it when its state differs.
void Check(TCheckBox& box, bool checked = true);
// Selects the tree node at the path ("Store\\Inbox\\Projects": captions,
// letter case ignored), expanding the nodes on the way as a user would;
// the node, or nullptr when a step is missing.
TTreeNode* SelectNode(TTreeView& tree, std::string_view path);
// Scrolls the tree as a user would until the node's row shows; false when
// the node is hidden in a closed parent or the tree cannot scroll to it.
bool ScrollToNode(TTreeView& tree, TTreeNode& node);
// Double-clicks the node's caption, scrolling to it first; false when the
// double click did not reach the node.
bool DoubleClickNode(TTreeView& tree, TTreeNode& node);
// Clicks the row of a list view, scrolling to it first; false when there is
// no such row or the click did not reach it.
bool SelectRow(TListView& list, int index);
// Chooses a menu command by its captions ("File|Save as ..."); false when missing.
bool ChooseMenu(TForm& form, std::string_view path);
// Closes the form with the close box of its caption bar.
void CloseBox(TForm& form);

// Paints the control's form when a user action invalidated it.
void Settle(TControl& control);

} // namespace controls
