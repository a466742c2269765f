// The simulated name space, its stores and their special folders.
#include "platform/sim/outlook/SimNameSpace.h"

#include "platform/sim/outlook/SimApplication.h"
#include "platform/sim/outlook/SimItem.h"
#include "platform/sim/outlook/SimMembers.h"
#include "platform/text/Text.h"

#include <cstdio>

namespace sim {

using namespace outlook;

namespace {

// The special folders a store gets, in the order Outlook creates them, from
// the version that brought them; Which is 0 for the hidden folders that are
// no default folder.
struct SpecialFolder {
    int Which;
    const char16_t* Name;
    int ItemType;
    int FromVersion = 0;
};
constexpr SpecialFolder SpecialFolders[] = {
    {olFolderDeletedItems, u"Deleted Items", olMailItem},
    {olFolderInbox, u"Inbox", olMailItem},
    {olFolderOutbox, u"Outbox", olMailItem},
    {olFolderSentMail, u"Sent Items", olMailItem},
    {olFolderCalendar, u"Calendar", olAppointmentItem},
    {olFolderContacts, u"Contacts", olContactItem},
    {olFolderJournal, u"Journal", olJournalItem},
    {olFolderNotes, u"Notes", olNoteItem},
    {olFolderTasks, u"Tasks", olTaskItem},
    {olFolderDrafts, u"Drafts", olMailItem},
    {olFolderJunk, u"Junk E-mail", olMailItem},
    {olFolderRssFeeds, u"RSS Feeds", olPostItem, 12},
    {0, u"Conversation Action Settings", olMailItem, 14},
    {0, u"Quick Step Settings", olMailItem, 14},
};

// A personal-folders store id: the provider's fixed part and the store's number.
std::u16string StoreIdOf(uint32_t number) {
    char tail[17];
    std::snprintf(tail, sizeof tail, "%016X", number);
    return u"0000000038A1BB1005E5101AA1BB08002B2A56C200006D737073742E646C6C00000000" +
           text::Wide(tail);
}

ComPtr<SimFolder> FindById(const SimFolders& folders, std::u16string_view entryId) {
    for (size_t i = 0; i < folders.Count(); ++i) {
        SimFolder& folder = folders.At(i);
        if (folder.EntryId() == entryId)
            return ComPtr<SimFolder>::Share(&folder);
        if (ComPtr<SimFolder> found = FindById(folder.Folders(), entryId))
            return found;
    }
    return nullptr;
}

ComPtr<SimItem> FindItemById(const SimFolders& folders, std::u16string_view entryId) {
    for (size_t i = 0; i < folders.Count(); ++i) {
        SimFolder& folder = folders.At(i);
        for (size_t j = 0; j < folder.Items().Count(); ++j)
            if (folder.Items().At(j).EntryId() == entryId)
                return ComPtr<SimItem>::Share(&folder.Items().At(j));
        if (ComPtr<SimItem> found = FindItemById(folder.Folders(), entryId))
            return found;
    }
    return nullptr;
}

} // namespace

// ---- SimNameSpace ----

ComPtr<SimNameSpace> SimNameSpace::Create(SimApplication* app) {
    return MakeComObject<SimNameSpace>(app);
}

SimNameSpace::SimNameSpace(SimApplication* app)
    : OutlookObject("NameSpace"), app_(ComPtr<SimApplication>::Share(app)) {
    AnswerIid(IID__NameSpace);
    Events.Add(DIID_NameSpaceEvents);
    folders_ = SimFolders::Create(app, DispRef(), nullptr);
    stores_ = SimStores::Create(app);

    AddObjectMembers(Members, app_, olNamespace);
    Members.Get("Type", [] { return Variant(u"MAPI"); });
    Members.Get("CurrentProfileName", [] { return Variant(u"Outlook"); });
    Members.Get("Folders", [this] { return Variant(folders_->Disp()); });
    Members.Add("GetDefaultFolder").Params({"FolderType"}).Call([this](DispCall& c) {
        ComPtr<SimFolder> folder = DefaultFolder(c.Integer(0));
        if (!folder)
            RaiseNotFound();
        return Variant(folder->Disp());
    });
    Members.Add("GetFolderFromID")
        .Params({"EntryIDFolder", "EntryIDStore"})
        .Call([this](DispCall& c) {
            ComPtr<SimFolder> folder = FolderById(c.Wide(0));
            if (!folder)
                RaiseNotFound();
            return Variant(folder->Disp());
        });
    Members.Add("GetItemFromID").Params({"EntryIDItem", "EntryIDStore"}).Call([this](DispCall& c) {
        ComPtr<SimItem> item = ItemById(c.Wide(0));
        if (!item)
            RaiseNotFound();
        return Variant(item->Disp());
    });
    Members.Get("Stores", [this] {
        if (app_->MajorVersion() < 12)
            throw EOleSysError("Stores is not a member of this version.", DISP_E_MEMBERNOTFOUND);
        return Variant(stores_->Disp());
    });
    Members.Add("Logon")
        .Params({"Profile", "Password", "ShowDialog", "NewSession"})
        .Call([](DispCall&) {});
    Members.Method("Logoff", [] {});
}

ComPtr<SimFolder> SimNameSpace::AddStore(std::u16string name, bool defaultFolders) {
    auto store = std::make_shared<StoreInfo>();
    store->Number = uint32_t(folders_->Count() + 1);
    store->DisplayName = name;
    store->StoreId = StoreIdOf(store->Number);
    ComPtr<SimFolder> top =
        SimFolder::Create(app_.Get(), store, DispRef(), nullptr, std::move(name), olMailItem);
    folders_->Append(top, false);
    stores_->Append(SimStore::Create(app_.Get(), top));
    if (defaultFolders) {
        auto& special = special_[store->Number];
        for (const SpecialFolder& s : SpecialFolders) {
            if (app_->MajorVersion() < s.FromVersion)
                continue;
            ComPtr<SimFolder> folder = top->AddFolder(s.Name, s.ItemType);
            if (s.Which)
                special[s.Which] = folder;
        }
    }
    return top;
}

ComPtr<SimFolder> SimNameSpace::DefaultFolder(int which) const {
    // The default store is the first that has the special folders.
    for (size_t i = 0; i < folders_->Count(); ++i)
        if (special_.count(folders_->At(i).Store().Number))
            return DefaultFolderOf(folders_->At(i), which);
    return nullptr;
}

ComPtr<SimFolder> SimNameSpace::DefaultFolderOf(const SimFolder& top, int which) const {
    auto store = special_.find(top.Store().Number);
    if (store == special_.end())
        return nullptr;
    auto folder = store->second.find(which);
    return folder == store->second.end() ? nullptr : folder->second;
}

ComPtr<SimFolder> SimNameSpace::TopFolderOf(const SimFolder& folder) const {
    for (size_t i = 0; i < folders_->Count(); ++i)
        if (folders_->At(i).Store().Number == folder.Store().Number)
            return ComPtr<SimFolder>::Share(&folders_->At(i));
    return nullptr;
}

ComPtr<SimFolder> SimNameSpace::FolderById(std::u16string_view entryId) const {
    return FindById(*folders_, entryId);
}

ComPtr<SimItem> SimNameSpace::ItemById(std::u16string_view entryId) const {
    return FindItemById(*folders_, entryId);
}

void SimNameSpace::TearDown() {
    special_.clear();
    TearDownPart(folders_);
    TearDownPart(stores_);
    app_ = nullptr;
    OutlookObjectCore::TearDown();
}

// ---- SimStore ----

ComPtr<SimStore> SimStore::Create(SimApplication* app, ComPtr<SimFolder> top) {
    return MakeComObject<SimStore>(app, std::move(top));
}

SimStore::SimStore(SimApplication* app, ComPtr<SimFolder> top)
    : OutlookObject("Store"), app_(ComPtr<SimApplication>::Share(app)), top_(std::move(top)) {
    AnswerIid(IID__Store);
    AddObjectMembers(Members, app_, olStore);
    Members.Get("DisplayName", [this] { return top_->Store().DisplayName; });
    Members.Get("StoreID", [this] { return top_->StoreId(); });
    Members.Get("FilePath", [this] { return top_->Store().DisplayName + u".pst"; });
    Members.Get("IsDataFileStore", [] { return true; });
    Members.Method("GetRootFolder", [this] { return Variant(top_->Disp()); });
    Members.Add("GetDefaultFolder").Params({"FolderType"}).Call([this](DispCall& c) {
        ComPtr<SimFolder> folder = app_->NameSpace().DefaultFolderOf(*top_, c.Integer(0));
        if (!folder)
            RaiseNotFound();
        return Variant(folder->Disp());
    });
}

void SimStore::TearDown() {
    top_ = nullptr;
    app_ = nullptr;
    OutlookObjectCore::TearDown();
}

// ---- SimStores ----

ComPtr<SimStores> SimStores::Create(SimApplication* app) {
    return MakeComObject<SimStores>(app);
}

SimStores::SimStores(SimApplication* app)
    : OutlookObject("Stores"), app_(ComPtr<SimApplication>::Share(app)) {
    AnswerIid(IID__Stores);
    AddObjectMembers(Members, app_, olStores);
    AddListMembers<SimStore>(Members, list_, [this](std::u16string_view name) -> SimStore* {
        for (const auto& store : list_)
            if (text::SameText(store->Top().Store().DisplayName, name))
                return store.Get();
        return nullptr;
    });
}

void SimStores::TearDown() {
    TearDownList(list_);
    app_ = nullptr;
    OutlookObjectCore::TearDown();
}

} // namespace sim
