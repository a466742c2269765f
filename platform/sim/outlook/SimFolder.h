// Folders of the simulated Outlook and their two collections: Folders (the
// subfolders, reached by index from 1 or by name, with Add (name, type)) and
// Items (the folder's items, with the item-added, item-changed and
// item-removed events that the add-in's sent-copy watchers listen to).
//
// A folder belongs to a store; the store's top folder has the name space as
// its parent, every other folder its parent folder. Entry and store ids are
// hex text, unique within the simulation.
#pragma once

#include "platform/outlook/OutlookTypes.h"
#include "platform/sim/outlook/SimObject.h"

#include <memory>
#include <string>
#include <vector>

namespace sim {

class SimApplication;
class SimItem;
class SimFolders;
class SimItems;

// What a folder knows of its store.
struct StoreInfo {
    // The store's name (its top folder's name).
    std::u16string DisplayName;
    // The StoreID of every folder and item in it.
    std::u16string StoreId;
    // The store's number in the simulation, from 1.
    uint32_t Number = 0;
};

class SimFolder final : public OutlookObject<> {
public:
    // A folder named name in store, under parent (a folder, or the name space
    // for a store's top folder), holding items of itemType (OlItemType).
    static ComPtr<SimFolder> Create(SimApplication* app, std::shared_ptr<const StoreInfo> store,
                                    ComPtr<IDispatch> parent, SimFolder* parentFolder,
                                    std::u16string name, int itemType);

    const std::u16string& Name() const noexcept { return name_; }
    const std::u16string& EntryId() const noexcept { return entryId_; }
    const std::u16string& StoreId() const noexcept { return store_->StoreId; }
    const StoreInfo& Store() const noexcept { return *store_; }
    // The OlItemType of the folder's items.
    int DefaultItemType() const noexcept { return itemType_; }
    // The folder above, or null for a store's top folder.
    SimFolder* ParentFolder() const noexcept { return parentFolder_; }
    // "\\Store\Folder\Subfolder", as Outlook's FolderPath.
    std::u16string FolderPath() const;
    // The subfolders and the items.
    SimFolders& Folders() const noexcept { return *folders_; }
    SimItems& Items() const noexcept { return *items_; }

    // Adds a subfolder (FolderAdd is raised); raises when one of that name exists.
    ComPtr<SimFolder> AddFolder(std::u16string name, int itemType);
    // The subfolder of that name (letter case ignored), or null.
    ComPtr<SimFolder> FindFolder(std::u16string_view name) const;

    // Renames the folder.
    void Rename(std::u16string name) { name_ = std::move(name); }

    void TearDown() override;

private:
    friend struct ::ComMaker;
    SimFolder(SimApplication* app, std::shared_ptr<const StoreInfo> store, ComPtr<IDispatch> parent,
              SimFolder* parentFolder, std::u16string name, int itemType);

    ComPtr<SimApplication> app_;
    std::shared_ptr<const StoreInfo> store_;
    ComPtr<IDispatch> parent_;
    SimFolder* parentFolder_; // held through parent_
    std::u16string name_;
    std::u16string entryId_;
    int itemType_;
    ComPtr<SimFolders> folders_;
    ComPtr<SimItems> items_;
};

// A folder list: a folder's subfolders, or the name space's top folders.
class SimFolders final : public OutlookObject<> {
public:
    // An empty list: the subfolders of owner, or (owner null) the top
    // folders, whose Parent is parent (the name space).
    static ComPtr<SimFolders> Create(SimApplication* app, ComPtr<IDispatch> parent,
                                     SimFolder* owner);

    size_t Count() const noexcept { return list_.size(); }
    // Folder i (from 0).
    SimFolder& At(size_t i) const { return *list_.at(i); }
    // The folder of that name (letter case ignored), or null.
    ComPtr<SimFolder> Find(std::u16string_view name) const;
    // Appends a folder; FolderAdd is raised when raiseEvent.
    void Append(ComPtr<SimFolder> folder, bool raiseEvent);
    // Removes a folder; FolderRemove is raised.
    void Remove(SimFolder& folder);

    void TearDown() override;

private:
    friend struct ::ComMaker;
    SimFolders(SimApplication* app, ComPtr<IDispatch> parent, SimFolder* owner);

    ComPtr<SimApplication> app_;
    ComPtr<IDispatch> parent_;
    ComPtr<SimFolder> owner_;
    std::vector<ComPtr<SimFolder>> list_;
    size_t cursor_ = 0; // GetFirst/GetNext position, from 1; 0 before the first
};

// The items of one folder.
class SimItems final : public OutlookObject<> {
public:
    static ComPtr<SimItems> Create(SimApplication* app, SimFolder* folder);

    size_t Count() const noexcept { return list_.size(); }
    // Item i (from 0).
    SimItem& At(size_t i) const { return *list_.at(i); }
    // Stores item in the folder (it leaves the folder it was in) and raises
    // ItemAdd when raiseEvent.
    void Store(ComPtr<SimItem> item, bool raiseEvent);
    // Reports a change of a stored item (ItemChange).
    void Changed(SimItem& item);
    // Takes item out of the folder (ItemRemove is raised).
    void Remove(SimItem& item);
    // True when item is in this folder.
    bool Contains(const SimItem& item) const;

    void TearDown() override;

private:
    friend struct ::ComMaker;
    SimItems(SimApplication* app, SimFolder* folder);

    ComPtr<SimApplication> app_;
    ComPtr<SimFolder> folder_;
    std::vector<ComPtr<SimItem>> list_;
    size_t cursor_ = 0;
};

} // namespace sim
