// The "MAPI" name space of the simulated Outlook: its stores, one top folder
// per store in Folders, the default folders of the default store
// (GetDefaultFolder), look-up by entry id, and the name space events
// (OptionsPagesAdd, AutoDiscoverComplete).
#pragma once

#include "platform/sim/outlook/SimFolder.h"

#include <map>

namespace sim {

class SimStores;

class SimNameSpace final : public OutlookObject<> {
public:
    static ComPtr<SimNameSpace> Create(SimApplication* app);

    // Adds a store with its top folder named name; with defaultFolders the
    // store gets Outlook's special folders (Deleted Items, Inbox, Outbox,
    // Sent Items, Calendar, Contacts, Journal, Notes, Tasks, Drafts, Junk
    // E-mail; RSS Feeds from Outlook 2007 on; the hidden Conversation Action
    // Settings and Quick Step Settings from Outlook 2010 on). The first
    // store with them is the default store.
    ComPtr<SimFolder> AddStore(std::u16string name, bool defaultFolders);
    // The top folders, one per store.
    SimFolders& Folders() const noexcept { return *folders_; }
    // The special folder of the default store (OlDefaultFolders), or null.
    ComPtr<SimFolder> DefaultFolder(int which) const;
    // The special folder of the store whose top folder is top, or null.
    ComPtr<SimFolder> DefaultFolderOf(const SimFolder& top, int which) const;
    // The top folder of the store that folder is in.
    ComPtr<SimFolder> TopFolderOf(const SimFolder& folder) const;
    // The folder or item with that entry id, or null.
    ComPtr<SimFolder> FolderById(std::u16string_view entryId) const;
    ComPtr<SimItem> ItemById(std::u16string_view entryId) const;

    void TearDown() override;

private:
    friend struct ::ComMaker;
    explicit SimNameSpace(SimApplication* app);

    ComPtr<SimApplication> app_;
    ComPtr<SimFolders> folders_;
    ComPtr<SimStores> stores_;
    // Special folders per store number.
    std::map<uint32_t, std::map<int, ComPtr<SimFolder>>> special_;
};

// One store as the Stores collection shows it (Outlook 2007 and later).
class SimStore final : public OutlookObject<> {
public:
    static ComPtr<SimStore> Create(SimApplication* app, ComPtr<SimFolder> top);
    // The store's top folder.
    SimFolder& Top() const noexcept { return *top_; }
    void TearDown() override;

private:
    friend struct ::ComMaker;
    SimStore(SimApplication* app, ComPtr<SimFolder> top);

    ComPtr<SimApplication> app_;
    ComPtr<SimFolder> top_;
};

// The name space's Stores collection.
class SimStores final : public OutlookObject<> {
public:
    static ComPtr<SimStores> Create(SimApplication* app);
    void Append(ComPtr<SimStore> store) { list_.push_back(std::move(store)); }
    void TearDown() override;

private:
    friend struct ::ComMaker;
    explicit SimStores(SimApplication* app);

    ComPtr<SimApplication> app_;
    std::vector<ComPtr<SimStore>> list_;
};

} // namespace sim
