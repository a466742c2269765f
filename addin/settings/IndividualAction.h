// The individual actions of the new-mail ribbon: what "Track + Send" and the
// buttons of its menu do besides sending the message. Their values are the
// Tags of those buttons in the module's stored form, so that a click hands
// its button's Tag over as it is; the program state keeps the action in
// progress while its send runs.
#pragma once

#include <cstdint>

enum class TIndividualAction : int32_t {
    // No action in progress.
    None = 0,
    // "Send + File to Default Folder".
    FileToDefaultFolder = 1,
    // "Send + File to Any Folder...".
    FileToAnyFolder = 2,
    // "Send + Add Category...".
    AddCategory = 3,
    // "Send + Add to Calendar".
    AddToCalendar = 4,
    // "Send + Add to Tasks".
    AddToTasks = 5,
    // "Track + Send": the per-item dialog's choices.
    Combined = 6,
};
