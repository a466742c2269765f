// The full name of an Outlook folder as the framework compares it with the
// folders an explorer command bar belongs to: the names of the folder and
// of each parent that is itself a folder, outermost first, joined with "\"
// ("Personal Folders\Inbox\Projects").
#pragma once

#include "platform/com/Dispatch.h"

#include <string>

// Folder's full name; the empty text for no folder. The walk stops at the
// first parent that is no folder (the name space); a failing read ends it
// with what was gathered so far.
std::u16string GetFullFolderName(IDispatch* Folder);
