// The sent-copy watchers: item lists of Outlook folders whose item-added
// event hands every item stored there to the add-in module, which puts the
// pending categories on it (PendingEntries.h). TFolderSentItems watches Sent
// Items, TFolderItems a filing folder that a sent copy was sent to. Both are
// owned by the module; the module's connect and disconnect operations
// (FolderConnect, SentFolderConnect, ...) make and drop them.
#pragma once

#include "platform/outlook/OutlookItems.h"

class TAddInModule;

// Watches the Sent Items folder: each item added runs the module's DoSentItemAdd.
class TFolderSentItems : public TItems {
public:
    explicit TFolderSentItems(TAddInModule* AOwner);
};

// Watches a filing folder: each item added runs the module's DoItemAdd.
class TFolderItems : public TItems {
public:
    explicit TFolderItems(TAddInModule* AOwner);
};
