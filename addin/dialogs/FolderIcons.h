// The folder picker's icons: the state images of its tree, by what a node
// shows (a store, a folder, or one of Outlook's own folders).
#pragma once

class TImageList;

// The index of each icon in the list that AddFolderIcons fills.
enum FolderIcon {
    NoIcon = 0,
    DefaultStoreIcon = 1,
    FolderPlainIcon = 2,
    StoreIcon = 3,
    DeletedItemsIcon = 4,
    DraftsIcon = 5,
    InboxIcon = 6,
    JunkIcon = 7,
    OutboxIcon = 8,
    FeedsIcon = 9,
    SentItemsIcon = 10,
};

// Replaces the list's images with the icons, 16 x 16, in FolderIcon's order.
void AddFolderIcons(TImageList& list);
