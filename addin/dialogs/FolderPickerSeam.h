// What the configuration dialog asks of the folder picker, as one table of
// hooks: the dialog reaches the picker only through these, so that the
// picker's own unit fills them in when it is linked, and a test can stand in
// for the user's choice. Each hook left empty behaves as a picker that the
// user cancels at once (no folder chosen, nothing moved or hidden).
#pragma once

#include "platform/gfx/GdiTypes.h"

#include <functional>
#include <optional>
#include <string>

// A folder chosen in the picker's tree.
struct TPickedFolder {
    // The folder's path as the picker shows it: the store's name, then the
    // folder names below it, separated by "\".
    std::string Path;
    // The store's id.
    std::string StoreId;
};

struct TFolderPickerSeam {
    // Fills the tree, forgets the chosen path, shows the picker modally with
    // its top-left corner at the point given, and puts it back where it was;
    // the folder chosen with OK, or nothing.
    std::function<std::optional<TPickedFolder>(POINT)> ChooseFromTree;
    // Moves the picker's left edge (FileToAnyFolder shows it there next).
    std::function<void(int)> SetLeft;
    // Shows or hides the recently used group, its list and its panel.
    std::function<void(bool)> ShowRecentList;
    // The picker's width, and setting it back.
    std::function<int()> Width;
    std::function<void(int)> SetWidth;
    // Forgets the chosen path.
    std::function<void()> ClearChosenPath;
    // Frees the data the tree's nodes hold.
    std::function<void()> FreeTreeData;
};

// The process's picker hooks.
TFolderPickerSeam& FolderPickerSeam();
