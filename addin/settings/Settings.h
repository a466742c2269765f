// The user's folder settings as the add-in keeps them in memory: the two
// folder records (the default filing folder and the folder just picked) and
// the list of the twenty most recently used folders. Folders are kept as text
// (a store id and a path), never as Outlook objects, so that they survive a
// restart through "Zub.xml" and name a folder even while its store is closed;
// StoresAndFolders.h turns them back into Outlook folders.
#pragma once

#include <array>
#include <string>

// A folder kept as text. FolderName is the folder's full path as the folder
// picker shows it: the store's name, then the folder names from the store's
// top folder down, separated by "\".
struct TFolderRecord {
    std::string StoreName;
    std::string StoreNameId;
    std::string StoreId;
    std::string FolderName;

    // True when the record names a folder (a record without store id holds none).
    bool HoldsFolder() const { return !StoreId.empty(); }
    // Empties all four texts.
    void Clear() { *this = TFolderRecord(); }
    bool operator==(const TFolderRecord&) const = default;
};

// The folder records' numbers.
namespace FolderRecord {
// The folder just picked with "File to Any Folder".
inline constexpr int Picked = 0;
// The default filing folder.
inline constexpr int Default = 1;
} // namespace FolderRecord

// One slot of the recently used list; a slot with an empty folder path is free.
struct TMruEntry {
    std::string Folder;
    std::string Store;
    std::string StoreId;

    // True when the slot holds a folder.
    bool Used() const { return !Folder.empty(); }
    bool operator==(const TMruEntry&) const = default;
};

// The twenty most recently used folders, newest first, in slots 1 to 20.
// Used slots are contiguous from slot 1 as long as only the operations below
// change the list; a list read from a file is made so with Compact.
class TMruList {
public:
    // The number of slots.
    static constexpr int Slots = 20;

    // Slot 1 to 20; EListError "List index out of bounds (%d)" for any other.
    const TMruEntry& Slot(int slot) const;
    TMruEntry& Slot(int slot);
    // The number of used slots.
    int Count() const;
    // The first slot (1-20) holding exactly these three strings (letter case
    // counts), or -1.
    int Exist(const std::string& folder, const std::string& store,
              const std::string& storeId) const;
    // Puts the entry at slot 1, moving the entries above `slot` down by one.
    // With slot -1 the entry's own slot is used when it is listed, else slot
    // 20, so that the oldest entry falls off.
    void ToTop(const std::string& folder, const std::string& store, const std::string& storeId,
               int slot);
    // Frees a slot and moves every used slot after it up by one; a slot
    // outside 1 to 20 is ignored.
    void Remove(int slot);
    // Frees every slot.
    void Clear();
    // Moves the used slots up, keeping their order, so that they fill slots
    // 1 to Count() and every free slot follows them.
    void Compact();

    bool operator==(const TMruList&) const = default;

private:
    std::array<TMruEntry, Slots> slots_;
};
