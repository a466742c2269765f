// The sent-copy watchers: item lists of Outlook folders whose item-added
// event hands every item stored there to the add-in module, which puts the
// pending categories on it (send/PendingEntries.h). TFolderSentItems watches
// Sent Items, TFolderItems a filing folder that a sent copy was sent to. Both
// are owned by the module; the module's connect and disconnect operations
// (FolderConnect, SentFolderConnect, ...) make and drop them.
//
// A folder has one watcher at most, however many sends name it: a watcher
// per send would look every arriving copy up once per watcher, and a second
// look-up would take the entry of another message of the same conversation.
// The module counts the connections made to a filing folder's watcher; the
// watcher goes when the count falls to 0. Watchers are not components of the
// module (every component of an owner is told of each one added or
// removed): the module holds them itself.
#pragma once

#include "platform/outlook/OutlookItems.h"

class TAddInModule;

// Watches the Sent Items folder: each item added runs the module's DoSentItemAdd.
class TFolderSentItems : public TItems {
public:
    // A watcher for Module, not yet connected.
    explicit TFolderSentItems(TAddInModule* Module);
};

// Watches a filing folder: each item added runs the module's DoItemAdd.
class TFolderItems : public TItems {
public:
    // A watcher for Module, not yet connected.
    explicit TFolderItems(TAddInModule* Module);
};
