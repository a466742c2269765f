// The sent-copy watchers: item lists of Outlook folders whose item-added
// event hands every item stored there to TFolderWatchers, which puts the
// pending categories on it (send/PendingEntries.h). TFolderSentItems watches
// Sent Items, TFolderItems a filing folder that a sent copy was sent to.
// TFolderWatchers owns them all and makes and drops them (FolderConnect,
// SentFolderConnect, ...); the add-in module is one, and gives it the only
// thing it needs of the module: Outlook's session.
//
// A folder has one watcher at most, however many sends name it: a watcher
// per send would look every arriving copy up once per watcher, and a second
// look-up would take the entry of another message of the same conversation.
// The connections made to a filing folder's watcher are counted; the
// watcher goes when the count falls to 0. Watchers are not components of the
// module (every component of an owner is told of each one added or
// removed): TFolderWatchers holds them itself.
#pragma once

#include "platform/outlook/OutlookItems.h"

#include <functional>
#include <map>
#include <string>

// The handler of an item added to a watched folder.
using TItemAddHandler = std::function<void(const ComPtr<IDispatch>& Item)>;

// A folder's items watched: each item added runs OnAdded.
class TFolderWatch : public TItems {
public:
    // A watcher that hands each item added to OnAdded, not yet connected.
    explicit TFolderWatch(TItemAddHandler OnAdded);
};

// Watches the Sent Items folder: each item added runs OnAdded (DoSentItemAdd).
class TFolderSentItems : public TFolderWatch {
public:
    using TFolderWatch::TFolderWatch;
};

// Watches a filing folder: each item added runs OnAdded (DoItemAdd).
class TFolderItems : public TFolderWatch {
public:
    using TFolderWatch::TFolderWatch;
};

// The sent-copy watchers and the pending entries they serve: recording an
// entry before a send, putting its categories on the sent copy when Outlook
// stores it, and taking up the entries of the last session at start-up.
class TFolderWatchers {
public:
    // The watcher of the filing folder connected last; the watchers of other
    // folders stay connected (all are owned here).
    TFolderItems* FolderItems = nullptr;
    // The Sent Items watcher (owned here).
    TFolderSentItems* FolderSentItems = nullptr;

    // Outlook's "MAPI" name space; raises when Outlook is not connected.
    virtual outlook::NameSpace MapiSession() const = 0;

    // Connects Folder's watcher: made on Folder's items when the folder has
    // none, else the one there counts one more connection. It becomes FolderItems.
    void FolderConnect(const outlook::MAPIFolderMembers& Folder);
    // Takes back one connection of Folder's watcher; the watcher goes (and
    // is forgotten) when none is left, so that the other entries naming the
    // folder keep it watched. Nothing for a folder without a watcher.
    void FolderDisConnect(const outlook::MAPIFolderMembers& Folder);
    // The connections counted on Folder's watcher; 0 when it has none.
    int FolderConnections(const outlook::MAPIFolderMembers& Folder) const;
    // Makes the Sent Items watcher on Folder's items, replacing the one before.
    void SentFolderConnect(const outlook::MAPIFolderMembers& Folder);
    // Disconnects the Sent Items watcher and forgets it.
    void SentFolderDisConnect(const outlook::MAPIFolderMembers& Folder);
    // An item arrived in Sent Items, or in a filing folder: the pending
    // categories go on it when it is a mail item with an entry. Failures are logged.
    void DoSentItemAdd(const ComPtr<IDispatch>& Item);
    void DoItemAdd(const ComPtr<IDispatch>& Item);
    // Records the pending entry for Item, about to be sent, whose sent copy
    // is to get Categories (the send actions' step before the send): keyed
    // by its conversation index, else by its MD5 key (with a stripped-text
    // entry beside it), after dropping the entries of the same keys; when
    // the sent copy goes to a folder other than Sent Items, the entry names
    // that folder and a watcher is connected to it; else Sent Items is
    // watched when it is not yet. Nothing for empty Categories. True when a
    // filing folder's watcher was connected (a failed send takes it back).
    bool RecordPendingEntry(const outlook::MailItemMembers& Item, const std::string& Categories);
    // Start-up: takes up the pending-actions file and connects a watcher to
    // each filing folder its entries name; an entry whose folder cannot be
    // found is logged and dropped.
    void TakeUpPendingFile();
    // Disconnects and frees every watcher (the Sent Items one and all
    // filing-folder ones).
    void DisconnectWatchers();

protected:
    // The owner disconnects the watchers before it goes (DisconnectWatchers).
    virtual ~TFolderWatchers() = default;
    // The Sent Items folder of Outlook's session.
    outlook::MAPIFolder SentItemsFolder() const;

private:
    // Puts the pending categories on an item that arrived (DoSentItemAdd, DoItemAdd).
    void ApplyPendingCategories(const ComPtr<IDispatch>& Item);
    // Connects the watcher of the folder whose watch key is key (see
    // WatchKey in FolderWatchers.cpp), making it on Folder when there is none.
    void ConnectFolderWatch(const std::string& key, const outlook::MAPIFolderMembers& Folder);
    // The filing folder that a restored entry names by its store id and
    // name, with its watch key; unassigned when it cannot be found.
    struct TEntryFolder {
        outlook::MAPIFolder Folder;
        std::string Key;
    };
    TEntryFolder FindFolderOfEntry(const std::string& StoreId, const std::string& FolderName) const;

    // One filing-folder watcher per folder, by the folder's watch key, with
    // the connections made to it.
    struct TFilingWatch {
        TFolderItems* Watcher = nullptr;
        int Connections = 0;
    };
    std::map<std::string, TFilingWatch> folderWatches_;
};
