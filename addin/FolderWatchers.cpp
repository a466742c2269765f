// The sent-copy watchers and the pending entries they serve: recording an
// entry before a send, putting its categories on the sent copy when Outlook
// stores it, and taking up the entries of the last session at start-up.
#include "addin/FolderWatchers.h"

#include "addin/LorvaneOL_IMPL.h"
#include "addin/MessageKey.h"
#include "addin/PendingEntries.h"
#include "addin/ProductTrace.h"
#include "addin/ProgramState.h"
#include "addin/QelLog.h"
#include "addin/StoresAndFolders.h"
#include "platform/outlook/Outlook.h"
#include "platform/rtl/StringList.h"
#include "platform/text/Text.h"

#include <vector>

TFolderSentItems::TFolderSentItems(TAddInModule* AOwner) : TItems(AOwner) {
    OnItemAdd = [AOwner](TObject*, const ComPtr<IDispatch>& Item) { AOwner->DoSentItemAdd(Item); };
}

TFolderItems::TFolderItems(TAddInModule* AOwner) : TItems(AOwner) {
    OnItemAdd = [AOwner](TObject*, const ComPtr<IDispatch>& Item) { AOwner->DoItemAdd(Item); };
}

TOutlookApplication& TAddInModule::OutlookHost() const {
    if (!OutlookApplication)
        throw EQelError("Outlook is not connected.");
    return *OutlookApplication;
}

outlook::NameSpace TAddInModule::MapiSession() const {
    return OutlookHost().GetNamespace(u"MAPI");
}

outlook::MAPIFolder TAddInModule::SentItemsFolder() const {
    return MapiSession().GetDefaultFolder(outlook::olFolderSentMail);
}

namespace {

// A new watcher of class W owned by module, connected to folder's items.
template <class W>
W* ConnectWatcher(TAddInModule* module, const outlook::MAPIFolderMembers& folder) {
    outlook::Items items = folder.GetItems();
    auto* watcher = new W(module);
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

} // namespace

void TAddInModule::FolderConnect(const outlook::MAPIFolderMembers& Folder) {
    FolderItems = ConnectWatcher<TFolderItems>(this, Folder);
    ProductTrace("filing folder " + Quoted(text::Narrow(Folder.Name())) + " watched");
}

void TAddInModule::FolderDisConnect(const outlook::MAPIFolderMembers&) {
    DropWatcher(FolderItems);
}

void TAddInModule::SentFolderConnect(const outlook::MAPIFolderMembers& Folder) {
    // One Sent Items watcher at a time: a second one on the same folder would
    // look every sent copy up twice, and the second look-up could take the
    // entry of another message of the same conversation.
    DropWatcher(FolderSentItems);
    FolderSentItems = ConnectWatcher<TFolderSentItems>(this, Folder);
    ProductTrace("Sent Items watched");
}

void TAddInModule::SentFolderDisConnect(const outlook::MAPIFolderMembers&) {
    DropWatcher(FolderSentItems);
}

void TAddInModule::DisconnectWatchers() {
    FolderItems = nullptr;
    FolderSentItems = nullptr;
    std::vector<TComponent*> watchers;
    for (int i = 0; i < ComponentCount(); ++i)
        if (dynamic_cast<TItems*>(Components(i)))
            watchers.push_back(Components(i));
    for (TComponent* watcher : watchers)
        watcher->Free();
}

void TAddInModule::ApplyPendingCategories(const ComPtr<IDispatch>& Item) {
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

void TAddInModule::DoSentItemAdd(const ComPtr<IDispatch>& Item) {
    try {
        ApplyPendingCategories(Item);
    } catch (...) {
        TQelLog::Log("Exception in DoSentItemAdd");
    }
}

void TAddInModule::DoItemAdd(const ComPtr<IDispatch>& Item) {
    try {
        ApplyPendingCategories(Item);
    } catch (...) {
        TQelLog::Log("Exception in DoItemAdd");
    }
}

void TAddInModule::RecordPendingEntry(const outlook::MailItemMembers& Item,
                                      const std::string& Categories) {
    if (Categories.empty())
        return;
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
    outlook::MAPIFolder sentItems = SentItemsFolder();
    outlook::MAPIFolder target = Item.SaveSentMessageFolder();
    if (target && target.EntryID() != sentItems.EntryID()) {
        value = FilingFolderValue(Categories, text::Narrow(target.StoreID()),
                                  text::Narrow(target.Name()));
        FolderConnect(target);
    } else if (!FolderSentItems) {
        // Sent Items is watched only while a category option is on, but a
        // ribbon action ("Send + Add Category...") records categories
        // without one: the copy would arrive unwatched and lose them.
        SentFolderConnect(sentItems);
    }
    state.SessionEntries->Add(name + "=" + value);
    ProductTrace("entry recorded: " + name + "=" + value);
}

void TAddInModule::TakeUpPendingFile() {
    try {
        ReadPendingFile();
    } catch (const Exception& e) {
        TQelLog::Log("Cannot take up the pending file: " + e.Message);
    }
    TStringList* restored = ProgramState().RestoredEntries.get();
    if (!restored)
        return;
    int i = 0;
    while (i < restored->Count()) {
        std::string storeId, folderName;
        if (!PendingEntryFolder(restored->ValueFromIndex(i), storeId, folderName)) {
            // Its copy goes to Sent Items, which a category option may not
            // have had watched (the entry came from a ribbon action): as
            // when it was recorded, the copy must not arrive unwatched.
            if (!FolderSentItems) {
                try {
                    SentFolderConnect(SentItemsFolder());
                } catch (...) {
                    TQelLog::Log(
                        "Exception in adxCOMAddInModuleAddInInitialize connect to folders");
                }
            }
            ++i;
            continue;
        }
        try {
            outlook::MAPIFolder top = FindStore(MapiSession(), storeId);
            // The entry names its folder by Name only: a folder nested below
            // the store's own folders is found by a search of the whole store.
            FolderConnect(FindFolderByName(top, folderName));
            ++i;
        } catch (...) {
            TQelLog::Log("Exception in adxCOMAddInModuleAddInInitialize connect to folders");
            ProductTrace("filing folder " + Quoted(folderName) +
                         " not found: its pending entry is dropped");
            restored->Delete(i);
        }
    }
}
