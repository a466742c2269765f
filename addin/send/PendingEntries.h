// The pending category entries. The categories meant for a sent message
// never travel with it: the send actions take them off the outgoing message
// and record them here, and when Outlook stores the sent copy, a folder
// watcher (send/FolderWatchers.h) finds the entry for it and puts
// them on.
//
// Each entry is a line "name=value" of one of three lists of the program
// state: this session's entries, the entries restored from the
// pending-actions file at start-up, and the stripped-text entries (kept only
// in memory). The name is the message's conversation index, else the MD5 key
// of its stripped text (MessageKey.h); for a stripped-text entry it is the
// stripped text itself, without "=". The value is the categories, followed, when the sent
// copy goes to a folder other than Sent Items, by "%StoreId%" + the folder's
// StoreID + "%FolderName%" + its Name.
//
// Entries still waiting when Outlook closes are written to "ZubDetails.txt"
// and taken up once at the next start; what the next session does not use
// is lost at its end.
#pragma once

#include <string>
#include <string_view>

class TStringList;

// The pending-actions file's name in the data folder.
inline constexpr const char* PendingFileName = "ZubDetails.txt";
// What introduces the filing folder's store id and name in an entry's value.
inline constexpr const char* StoreIdMarker = "%StoreId%";
inline constexpr const char* FolderNameMarker = "%FolderName%";

// Makes the three lists of the program state (empty) where they are missing.
void CreatePendingLists();
// Frees the three lists.
void FreePendingLists();

// Takes the entry for Key: the first restored entry whose name occurs in Key
// (letter case ignored), else the first such entry of this session. The entry
// is deleted from its list; the result is its categories (the value up to
// "%StoreId%"), or empty when no entry matches. A name that is empty never
// matches.
std::string GetCategory(const std::string& Key);
// The same over the stripped-text entries, for a message's stripped text.
std::string GetCategorySB(const std::string& Stripped);
// Adds the stripped-text entry of a message's stripped text with its
// categories. The entry's name is the text without any "=": a name ends at
// the first "=" of its line, and the rest of a text such as "1+1=2" would
// otherwise be taken for the start of the categories. GetCategorySB looks
// the text up the same way.
void AddStrippedEntry(const std::string& Stripped, const std::string& Categories);

// The entry value of categories whose sent copy goes to a filing folder
// other than Sent Items: the categories, "%StoreId%", the folder's store id,
// "%FolderName%" and its name.
std::string FilingFolderValue(const std::string& Categories, const std::string& StoreId,
                              const std::string& FolderName);
// The filing folder an entry's value names: true when the value holds both
// markers (letter case ignored), with the folder's name (the text after
// "%FolderName%", "%" signs of the name included) and its store id (the
// text after the last "%" before "%FolderName%").
bool PendingEntryFolder(std::string_view Value, std::string& StoreId, std::string& FolderName);

// The pending-actions file's path in the data folder (made when missing).
std::string PendingFilePath();
// Writes this session's entries to the pending-actions file, replacing it
// atomically; nothing when there are none. Raises when the file cannot be
// written (the old one then stays).
void WritePendingFile();
// Reads the pending-actions file, when there is one, into the restored list
// (made when missing) and deletes it. A line without a name (no "=", or
// nothing before it) would match every key: it is skipped and logged.
void ReadPendingFile();
