// The sent-copy watchers and the pending entries they serve: recording an
// entry before a send, putting its categories on the sent copy when Outlook
// stores it, and taking up the entries of the last session at start-up.
#include "addin/send/FolderWatchers.h"

#include "addin/send/MessageKey.h"
#include "addin/send/PendingEntries.h"
#include "addin/settings/ProductTrace.h"
#include "addin/settings/ProgramState.h"
#include "addin/settings/QelLog.h"
#include "addin/settings/StoresAndFolders.h"
#include "platform/outlook/Outlook.h"
#include "platform/rtl/StringList.h"
#include "platform/text/Text.h"

#include <map>
#include <utility>
#include <vector>

TFolderWatch::TFolderWatch(TItemAddHandler OnAdded) : TItems(nullptr) {
    OnItemAdd = [OnAdded = std::move(OnAdded)](TObject*, const ComPtr<IDispatch>& Item) {
        OnAdded(Item);
    };
}

outlook::MAPIFolder TFolderWatchers::SentItemsFolder() const {
    return MapiSession().GetDefaultFolder(outlook::olFolderSentMail);
}

namespace {

// A new watcher of class W handing its items to onAdded, connected to folder's items.
template <class W>
W* ConnectWatcher(TItemAddHandler onAdded, const outlook::MAPIFolderMembers& folder) {
    outlook::Items items = folder.GetItems();
    auto* watcher = new W(std::move(onAdded));
    try {
        watcher->ConnectTo(items.DispRef());
    } catch (...) {
        watcher->Free();
        throw;
    }
    return watcher;
}

// Frees the watcher that field refers to (its destruction disconnects it)
// and forgets it.
template <class W> void DropWatcher(W*& field) {
    W* watcher = field;
    field = nullptr;
    if (watcher)
        watcher->Free();
}

// What tells one folder from another: its store's id and its entry id.
std::string WatchKey(const outlook::MAPIFolderMembers& folder) {
    return text::Narrow(folder.StoreID()) + "/" + text::Narrow(folder.EntryID());
}

} // namespace

void TFolderWatchers::ConnectFolderWatch(const std::string& key,
                                         const outlook::MAPIFolderMembers& Folder) {
    TFilingWatch& watch = folderWatches_[key];
    if (!watch.Watcher) {
        try {
            watch.Watcher = ConnectWatcher<TFolderItems>(
                [this](const ComPtr<IDispatch>& Item) { DoItemAdd(Item); }, Folder);
        } catch (...) {
            folderWatches_.erase(key);
            throw;
        }
        ProductTrace("filing folder " + Quoted(text::Narrow(Folder.Name())) + " watched");
    }
    ++watch.Connections;
    FolderItems = watch.Watcher;
}

void TFolderWatchers::FolderConnect(const outlook::MAPIFolderMembers& Folder) {
    ConnectFolderWatch(WatchKey(Folder), Folder);
}

void TFolderWatchers::FolderDisConnect(const outlook::MAPIFolderMembers& Folder) {
    auto found = folderWatches_.find(WatchKey(Folder));
    if (found == folderWatches_.end() || --found->second.Connections > 0)
        return;
    TFolderItems* watcher = found->second.Watcher;
    folderWatches_.erase(found);
    if (FolderItems == watcher)
        FolderItems = nullptr;
    DropWatcher(watcher);
}

int TFolderWatchers::FolderConnections(const outlook::MAPIFolderMembers& Folder) const {
    auto found = folderWatches_.find(WatchKey(Folder));
    return found == folderWatches_.end() ? 0 : found->second.Connections;
}

void TFolderWatchers::SentFolderConnect(const outlook::MAPIFolderMembers& Folder) {
    // One Sent Items watcher at a time, as for a filing folder.
    DropWatcher(FolderSentItems);
    FolderSentItems = ConnectWatcher<TFolderSentItems>(
        [this](const ComPtr<IDispatch>& Item) { DoSentItemAdd(Item); }, Folder);
    ProductTrace("Sent Items watched");
}

void TFolderWatchers::SentFolderDisConnect(const outlook::MAPIFolderMembers&) {
    DropWatcher(FolderSentItems);
}

void TFolderWatchers::DisconnectWatchers() {
    FolderItems = nullptr;
    DropWatcher(FolderSentItems);
    std::map<std::string, TFilingWatch> watches;
    watches.swap(folderWatches_);
    for (auto& [key, watch] : watches)
        DropWatcher(watch.Watcher);
}

void TFolderWatchers::ApplyPendingCategories(const ComPtr<IDispatch>& Item) {
    outlook::MailItem item(Item);
    if (!item || item.Class() != outlook::olMail)
        return;
    std::string categories;
    std::string conversationIndex = text::Narrow(item.ConversationIndex());
    if (!conversationIndex.empty())
        categories = GetCategory(conversationIndex);
    if (categories.empty()) {
        std::string stripped = StrippedMessageText(item);
        std::string key = MD5Key(stripped);
        categories = GetCategorySB(stripped);
        if (!categories.empty())
            GetCategory(key);
        else
            categories = GetCategory(key);
    }
    if (categories.empty())
        return;
    item.SetCategories(text::Wide(categories));
    item.Save();
    ProductTrace("categories " + Quoted(categories) + " put on the sent copy " +
                 Quoted(text::Narrow(item.Subject())));
}

void TFolderWatchers::DoSentItemAdd(const ComPtr<IDispatch>& Item) {
    try {
        ApplyPendingCategories(Item);
    } catch (...) {
        TQelLog::Log("Exception in DoSentItemAdd");
    }
}

void TFolderWatchers::DoItemAdd(const ComPtr<IDispatch>& Item) {
    try {
        ApplyPendingCategories(Item);
    } catch (...) {
        TQelLog::Log("Exception in DoItemAdd");
    }
}

bool TFolderWatchers::RecordPendingEntry(const outlook::MailItemMembers& Item,
                                         const std::string& Categories) {
    if (Categories.empty())
        return false;
    CreatePendingLists();
    TProgramState& state = ProgramState();
    std::string name = text::Narrow(Item.ConversationIndex());
    if (!name.empty()) {
        GetCategory(name);
    } else {
        std::string stripped = StrippedMessageText(Item);
        name = MD5Key(stripped);
        GetCategorySB(stripped);
        GetCategory(name);
        AddStrippedEntry(stripped, Categories);
    }
    std::string value = Categories;
    bool filingWatched = false;
    outlook::MAPIFolder sentItems = SentItemsFolder();
    outlook::MAPIFolder target = Item.SaveSentMessageFolder();
    if (target && target.EntryID() != sentItems.EntryID()) {
        value = FilingFolderValue(Categories, text::Narrow(target.StoreID()),
                                  text::Narrow(target.Name()));
        FolderConnect(target);
        filingWatched = true;
    } else if (!FolderSentItems) {
        // Sent Items is watched only while a category option is on, but a
        // ribbon action ("Send + Add Category...") records categories
        // without one: the copy would arrive unwatched and lose them.
        SentFolderConnect(sentItems);
    }
    state.SessionEntries->Add(name + "=" + value);
    ProductTrace("entry recorded: " + name + "=" + value);
    return filingWatched;
}

void TFolderWatchers::TakeUpPendingFile() {
    try {
        ReadPendingFile();
    } catch (const Exception& e) {
        TQelLog::Log("Cannot take up the pending file: " + e.Message);
    }
    TStringList* restored = ProgramState().RestoredEntries.get();
    if (!restored)
        return;
    // Many entries name the same folder: each folder is looked for once (a
    // search of its store), and what was found serves the entries after.
    std::map<std::pair<std::string, std::string>, TEntryFolder> folders;
    bool sentTried = false;
    std::vector<std::string> kept;
    kept.reserve(static_cast<size_t>(restored->Count()));
    for (int i = 0; i < restored->Count(); ++i) {
        std::string storeId, folderName;
        if (!PendingEntryFolder(restored->ValueFromIndex(i), storeId, folderName)) {
            // Its copy goes to Sent Items, which a category option may not
            // have had watched (the entry came from a ribbon action): as
            // when it was recorded, the copy must not arrive unwatched.
            if (!FolderSentItems && !sentTried) {
                sentTried = true;
                try {
                    SentFolderConnect(SentItemsFolder());
                } catch (...) {
                    TQelLog::Log(
                        "Exception in adxCOMAddInModuleAddInInitialize connect to folders");
                }
            }
            kept.push_back((*restored)[i]);
            continue;
        }
        auto [found, first] = folders.try_emplace({storeId, folderName});
        TEntryFolder& folder = found->second;
        if (first)
            folder = FindFolderOfEntry(storeId, folderName);
        if (folder.Folder) {
            try {
                ConnectFolderWatch(folder.Key, folder.Folder);
            } catch (...) {
                folder = TEntryFolder();
            }
        }
        if (!folder.Folder) {
            // The log says so once per folder: thousands of entries naming
            // a folder that is gone would otherwise hold start-up up for
            // as many identical lines.
            if (first)
                TQelLog::Log("Exception in adxCOMAddInModuleAddInInitialize connect to folders");
            ProductTrace("filing folder " + Quoted(folderName) +
                         " not found: its pending entry is dropped");
            continue;
        }
        kept.push_back((*restored)[i]);
    }
    if (kept.size() != static_cast<size_t>(restored->Count())) {
        restored->Clear();
        for (const std::string& line : kept)
            restored->Add(line);
    }
}

TFolderWatchers::TEntryFolder
TFolderWatchers::FindFolderOfEntry(const std::string& StoreId,
                                   const std::string& FolderName) const {
    try {
        TEntryFolder found;
        outlook::MAPIFolder top = FindStore(MapiSession(), StoreId);
        // The entry names its folder by Name only: a folder nested below
        // the store's own folders is found by a search of the whole store.
        found.Folder = FindFolderByName(top, FolderName);
        found.Key = WatchKey(found.Folder);
        return found;
    } catch (...) {
        return {};
    }
}
