// The simulated Outlook's stores as a script names them. A folder is named by
// its path as Outlook's folder picker shows it: the store's name, then the
// folders from the store's top folder down, separated by "\" ("Personal
// Folders\Sent Items"); letter case is ignored, as Outlook ignores it. An item
// is named by its subject within a folder.
//
// Outlook keeps its stores on disk, so that they are there again when it
// starts anew; a MailboxImage is that copy: every store with its folders and
// the items as they were last saved, read from one Outlook and put into the
// next.
#pragma once

#include "platform/sim/outlook/OutlookSim.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

// The folder at path, or null when a part of it does not exist.
ComPtr<sim::SimFolder> FindFolderByPath(sim::OutlookSim& outlook, std::u16string_view path);
// The folder at path, made with every missing folder above it (each a
// folder of mail). Raises EScriptError when no store has the path's first part.
ComPtr<sim::SimFolder> MakeFolderPath(sim::OutlookSim& outlook, std::u16string_view path);
// The folder at path; raises EScriptError naming the path when there is none.
ComPtr<sim::SimFolder> FolderByPath(sim::OutlookSim& outlook, std::u16string_view path);
// The folder's path, from its store's name down.
std::u16string PathOf(const sim::SimFolder& folder);
// The first item of folder whose subject is subject (letter case ignored);
// raises EScriptError naming both when there is none.
ComPtr<sim::SimItem> ItemBySubject(sim::SimFolder& folder, std::u16string_view subject);

// Sets the fields of a message that fields names by their keywords (to, cc,
// bcc, subject, body, categories); the others stay as they are.
void SetMessageFields(sim::ItemData& data, const std::map<std::string, std::string>& fields);

// One folder, its items as saved and its subfolders.
struct FolderImage {
    std::u16string Name;
    // The OlItemType of its items.
    int ItemType = 0;
    std::vector<std::pair<sim::ItemKind, sim::ItemData>> Items;
    std::vector<FolderImage> Folders;
};

// One store: its top folder, and whether it has Outlook's special folders.
struct StoreImage {
    FolderImage Top;
    bool SpecialFolders = false;
};

// Every store of an Outlook, in its order.
using MailboxImage = std::vector<StoreImage>;

// The stores of outlook as they are saved now.
MailboxImage TakeMailboxImage(sim::OutlookSim& outlook);
// Puts image into outlook, which has just started with its default store:
// the stores and folders it lacks are made, and the items are stored
// quietly (they were there before it started). Stores keep their order, so
// each keeps its StoreID.
void RestoreMailboxImage(sim::OutlookSim& outlook, const MailboxImage& image);
