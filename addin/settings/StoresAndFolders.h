// Stores, folders and the recently used list: the settings keep folders as
// text (a store id and a path, TFolderRecord), and these functions turn such
// text back into Outlook folders through Outlook's object model, and keep the
// program-wide list of the twenty most recently used folders.
//
// Paths are the folder picker's: the store's name, then the folder names from
// the store's top folder down, separated by "\" (for instance
// "Personal Folders\Projects\Alpha"). The folder functions take the session
// they search, the "MAPI" name space of the module's Outlook.
#pragma once

#include "platform/outlook/OutlookObjects.h"

#include <string>
#include <string_view>

// The store's name of a path: its text before the first "\" (all of it
// for a store's own top folder).
inline std::string StoreOfPath(std::string_view Path) {
    return std::string(Path.substr(0, Path.find('\\')));
}
// The top folder of the store whose StoreID is StoreId (exact comparison), in
// the order of the session's Folders; unassigned when no store has that id.
outlook::MAPIFolder FindStore(const outlook::NameSpace& Session, std::string_view StoreId);
// The folder reached from Top by Path (folder names separated by "\", the
// store's name not included). A name that no folder has raises Outlook's
// error, as does an unassigned Top.
outlook::MAPIFolder FindFolder(const outlook::MAPIFolder& Top, std::string_view Path);
// The folder named Name below Top: among Top's own folders first (as
// FindFolder looks a name up), else the first folder of that name anywhere
// below Top, going depth first in the order of each folder's Folders; names
// compare as Outlook compares them, ignoring letter case. When no folder
// below Top has that name, or Top is unassigned, the direct lookup's error
// (Outlook's) is raised.
outlook::MAPIFolder FindFolderByName(const outlook::MAPIFolder& Top, std::string_view Name);
// The Outlook folder of folder record Index (0 the folder just picked, 1 the
// default filing folder): the store's top folder when the record's folder
// name is the store's name, else the folder below it. Unassigned when the
// record holds no folder, when Index is no record or when no store of the
// session has the record's store id; a folder missing from its store raises
// Outlook's error.
outlook::MAPIFolder FindMapiFolder(const outlook::NameSpace& Session, int Index);

// The slot (1-20) of the recently used list holding exactly these three
// strings (letter case counts), or -1.
int MruExist(const std::string& Folder, const std::string& Store, const std::string& StoreId);
// Puts the entry at slot 1 of the recently used list; Slot is the entry's
// slot, or -1 to look it up (a folder not listed pushes slot 20 out).
void ToTopOfMruList(const std::string& Folder, const std::string& Store, const std::string& StoreId,
                    int Slot);
// Removes slot Slot of the recently used list; the later entries move up.
void RemoveFromMruList(int Slot);

// Runs the folder picker, titled "File Sent Item to...", for the sent copy of
// the message being sent; true when the user chose a folder, which is then
// in folder record 0.
bool FileToAnyFolder();
