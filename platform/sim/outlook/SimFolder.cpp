// Folders, folder lists and item lists of the simulated Outlook.
#include "platform/sim/outlook/SimFolder.h"

#include "platform/sim/outlook/SimApplication.h"
#include "platform/sim/outlook/SimItem.h"
#include "platform/sim/outlook/SimMembers.h"
#include "platform/sim/outlook/SimNameSpace.h"
#include "platform/text/Text.h"

#include <algorithm>

namespace sim {

using namespace outlook;

namespace {

// The item type a folder made by Folders.Add holds, by the OlDefaultFolders
// value given as its type: calendar, contacts, journal, notes and tasks
// folders hold their kind; any other value (15 among them) makes a mail folder.
int ItemTypeOfFolderType(int folderType) {
    switch (folderType) {
    case olFolderCalendar:
        return olAppointmentItem;
    case olFolderContacts:
        return olContactItem;
    case olFolderJournal:
        return olJournalItem;
    case olFolderNotes:
        return olNoteItem;
    case olFolderTasks:
        return olTaskItem;
    default:
        return olMailItem;
    }
}

std::u16string MessageClassOfItemType(int itemType) {
    switch (itemType) {
    case olAppointmentItem:
        return u"IPM.Appointment";
    case olContactItem:
        return u"IPM.Contact";
    case olTaskItem:
        return u"IPM.Task";
    case olJournalItem:
        return u"IPM.Activity";
    case olNoteItem:
        return u"IPM.StickyNote";
    default:
        return u"IPM.Note";
    }
}

} // namespace

// ---- SimFolder ----

ComPtr<SimFolder> SimFolder::Create(SimApplication* app, std::shared_ptr<const StoreInfo> store,
                                    ComPtr<IDispatch> parent, SimFolder* parentFolder,
                                    std::u16string name, int itemType) {
    return MakeComObject<SimFolder>(app, std::move(store), std::move(parent), parentFolder,
                                    std::move(name), itemType);
}

SimFolder::SimFolder(SimApplication* app, std::shared_ptr<const StoreInfo> store,
                     ComPtr<IDispatch> parent, SimFolder* parentFolder, std::u16string name,
                     int itemType)
    : OutlookObject("MAPIFolder"), app_(ComPtr<SimApplication>::Share(app)),
      store_(std::move(store)), parent_(std::move(parent)), parentFolder_(parentFolder),
      name_(std::move(name)), itemType_(itemType) {
    entryId_ = app->NewEntryId(*store_);
    AnswerIid(IID_MAPIFolder);
    folders_ = SimFolders::Create(app, nullptr, this);
    items_ = SimItems::Create(app, this);

    AddObjectMembers(Members, app_, olFolder, [this] { return Variant(parent_); });
    Members.Property(
        "Name", [this] { return name_; }, [this](const Variant& v) { Rename(v.AsWide()); });
    Members.Get("EntryID", [this] { return entryId_; });
    Members.Get("StoreID", [this] { return store_->StoreId; });
    Members.Get("Folders", [this] { return Variant(folders_->Disp()); });
    Members.Get("Items", [this] { return Variant(items_->Disp()); });
    Members.Get("DefaultItemType", [this] { return itemType_; });
    Members.Get("DefaultMessageClass", [this] { return MessageClassOfItemType(itemType_); });
    Members.Get("FolderPath", [this] { return FolderPath(); });
    Members.Get("UnReadItemCount", [this] {
        int unread = 0;
        for (size_t i = 0; i < items_->Count(); ++i)
            unread += items_->At(i).Data().UnRead ? 1 : 0;
        return unread;
    });
    Members.Get("Store", [this] {
        ComPtr<SimFolder> top = app_->NameSpace().TopFolderOf(*this);
        return Variant(top ? top->Disp() : nullptr);
    });
}

std::u16string SimFolder::FolderPath() const {
    std::u16string path;
    for (const SimFolder* f = this; f; f = f->parentFolder_)
        path = u"\\" + f->name_ + path;
    return u"\\" + path;
}

ComPtr<SimFolder> SimFolder::AddFolder(std::u16string name, int itemType) {
    if (folders_->Find(name))
        throw EOleSysError("Cannot create the folder. A folder of that name already exists.",
                           MakeHResult(0x80040604));
    ComPtr<SimFolder> folder =
        Create(app_.Get(), store_, DispRef(), this, std::move(name), itemType);
    folders_->Append(folder, true);
    return folder;
}

ComPtr<SimFolder> SimFolder::FindFolder(std::u16string_view name) const {
    return folders_->Find(name);
}

void SimFolder::TearDown() {
    TearDownPart(folders_);
    TearDownPart(items_);
    parent_ = nullptr;
    parentFolder_ = nullptr;
    app_ = nullptr;
    OutlookObjectCore::TearDown();
}

// ---- SimFolders ----

ComPtr<SimFolders> SimFolders::Create(SimApplication* app, ComPtr<IDispatch> parent,
                                      SimFolder* owner) {
    return MakeComObject<SimFolders>(app, std::move(parent), owner);
}

SimFolders::SimFolders(SimApplication* app, ComPtr<IDispatch> parent, SimFolder* owner)
    : OutlookObject("Folders"), app_(ComPtr<SimApplication>::Share(app)),
      parent_(std::move(parent)), owner_(ComPtr<SimFolder>::Share(owner)) {
    AnswerIid(IID__Folders);
    Events.Add(DIID_FoldersEvents);
    AddObjectMembers(Members, app_, olFolders,
                     [this] { return owner_ ? Variant(owner_->Disp()) : Variant(parent_); });
    AddListMembers<SimFolder>(Members, list_,
                              [this](std::u16string_view name) { return Find(name).Get(); });
    AddCursorMembers(Members, list_, cursor_);
    Members.Add("Add").Params({"Name", "Type"}).Call([this](DispCall& c) {
        if (!owner_)
            throw EOleSysError("A store cannot be added here.", E_NOTIMPL);
        int itemType = c.Has(1) ? ItemTypeOfFolderType(c.Integer(1)) : owner_->DefaultItemType();
        return Variant(owner_->AddFolder(c.Wide(0), itemType)->Disp());
    });
}

ComPtr<SimFolder> SimFolders::Find(std::u16string_view name) const {
    for (const auto& folder : list_)
        if (text::SameText(folder->Name(), name))
            return folder;
    return nullptr;
}

void SimFolders::Append(ComPtr<SimFolder> folder, bool raiseEvent) {
    list_.push_back(folder);
    if (raiseEvent)
        Fire(DISPID_FolderAdd, {Variant(folder->Disp())});
}

void SimFolders::Remove(SimFolder& folder) {
    if (ComPtr<SimFolder> removed = RemoveFromList(list_, folder))
        Fire(DISPID_FolderRemove);
}

void SimFolders::TearDown() {
    TearDownList(list_);
    owner_ = nullptr;
    parent_ = nullptr;
    app_ = nullptr;
    OutlookObjectCore::TearDown();
}

// ---- SimItems ----

ComPtr<SimItems> SimItems::Create(SimApplication* app, SimFolder* folder) {
    return MakeComObject<SimItems>(app, folder);
}

SimItems::SimItems(SimApplication* app, SimFolder* folder)
    : OutlookObject("Items"), app_(ComPtr<SimApplication>::Share(app)),
      folder_(ComPtr<SimFolder>::Share(folder)) {
    AnswerIid(IID__Items);
    Events.Add(DIID_ItemsEvents);
    AddObjectMembers(Members, app_, olItems, [this] { return Variant(folder_->Disp()); });
    // Items are found by subject when a text is given.
    AddListMembers<SimItem>(Members, list_, [this](std::u16string_view subject) -> SimItem* {
        for (const auto& item : list_)
            if (text::SameText(item->Data().Subject, subject))
                return item.Get();
        return nullptr;
    });
    AddCursorMembers(Members, list_, cursor_);
    Members.Add("Add").Params({"Type"}).Call([this](DispCall& c) {
        ComPtr<SimItem> item =
            app_->CreateItem(c.Has(0) ? c.Integer(0) : folder_->DefaultItemType());
        // The new item is saved into this folder (it is not stored before Save).
        item->SetHomeFolder(folder_.Get());
        return Variant(item->Disp());
    });
    Members.Add("Remove").Params({"Index"}).Call([this](DispCall& c) {
        int i = c.Integer(0);
        if (i < 1 || size_t(i) > list_.size())
            RaiseBadIndex();
        Remove(*list_[i - 1]);
    });
}

bool SimItems::Contains(const SimItem& item) const {
    return std::any_of(list_.begin(), list_.end(), [&](const auto& i) { return i.Get() == &item; });
}

void SimItems::Store(ComPtr<SimItem> item, bool raiseEvent) {
    if (Contains(*item))
        return;
    ComPtr<SimFolder> folder = folder_;
    if (SimFolder* previous = item->Folder(); previous && !item->EntryId().empty())
        previous->Items().Remove(*item);
    list_.push_back(item);
    item->StoredIn(folder.Get(), app_->NewEntryId(folder->Store()));
    if (raiseEvent)
        Fire(DISPID_ItemAdd, {Variant(item->Disp())});
}

void SimItems::Changed(SimItem& item) {
    if (Contains(item))
        Fire(DISPID_ItemChange, {Variant(item.Disp())});
}

void SimItems::Remove(SimItem& item) {
    ComPtr<SimItem> removed = RemoveFromList(list_, item);
    if (!removed)
        return;
    item.RemovedFrom(folder_.Get());
    Fire(DISPID_ItemRemove);
}

void SimItems::TearDown() {
    TearDownList(list_);
    folder_ = nullptr;
    app_ = nullptr;
    OutlookObjectCore::TearDown();
}

} // namespace sim
