// The late-bound members of Outlook's objects.
#include "platform/outlook/OutlookObjects.h"

namespace outlook {

int MajorVersionOf(std::u16string_view version) {
    size_t dot = version.find(u'.');
    if (dot == std::u16string_view::npos || dot == 0 || dot > 6)
        return 0;
    int major = 0;
    for (char16_t c : version.substr(0, dot)) {
        if (c < u'0' || c > u'9')
            return 0;
        major = major * 10 + (c - u'0');
    }
    return major;
}

int OutlookMajorVersionOf(IDispatch* object) noexcept {
    try {
        return MajorVersionOf(dispGet(dispGet(object, "Application"), "Version").AsWide());
    } catch (...) {
        return 0;
    }
}

// ---- DispMembers ----

IDispatch* DispMembers::Checked() const {
    IDispatch* target = Target();
    if (!target)
        throw EOleSysError("The Outlook object is not assigned.", E_POINTER);
    return target;
}

int DispMembers::Class() const {
    return Integer("Class");
}
Application DispMembers::GetApplication() const {
    return Application(Object("Application"));
}
NameSpace DispMembers::Session() const {
    return NameSpace(Object("Session"));
}
ComPtr<IDispatch> DispMembers::Parent() const {
    return Object("Parent");
}

Variant DispMembers::Get(std::string_view name) const {
    return dispGet(Checked(), name);
}
void DispMembers::Put(std::string_view name, const Variant& value) const {
    dispPut(Checked(), name, value);
}

std::u16string DispMembers::Text(std::string_view name) const {
    Variant value = Get(name);
    return value.IsEmpty() || value.IsNull() ? std::u16string() : value.AsWide();
}
int DispMembers::Integer(std::string_view name) const {
    return Get(name).AsInteger();
}
bool DispMembers::Flag(std::string_view name) const {
    return Get(name).AsBool();
}
TDateTime DispMembers::Date(std::string_view name) const {
    return Get(name).AsDate();
}
ComPtr<IDispatch> DispMembers::Object(std::string_view name) const {
    return ObjectOf(Get(name));
}

ComPtr<IDispatch> DispMembers::ObjectOf(const Variant& result) {
    return result.IsEmptyOrNothing() ? nullptr : result.AsDispatch();
}

// ---- the objects ----

NameSpace ApplicationMembers::GetNamespace(std::u16string_view type) const {
    return NameSpace(ObjectOf(Call("GetNamespace", Variant(type))));
}
Explorer ApplicationMembers::ActiveExplorer() const {
    return Explorer(ObjectOf(Call("ActiveExplorer")));
}
Inspector ApplicationMembers::ActiveInspector() const {
    return Inspector(ObjectOf(Call("ActiveInspector")));
}
ComPtr<IDispatch> ApplicationMembers::ActiveWindow() const {
    return ObjectOf(Call("ActiveWindow"));
}
Explorers ApplicationMembers::GetExplorers() const {
    return Explorers(Object("Explorers"));
}
Inspectors ApplicationMembers::GetInspectors() const {
    return Inspectors(Object("Inspectors"));
}
ComPtr<IDispatch> ApplicationMembers::CreateItem(int itemType) const {
    return ObjectOf(Call("CreateItem", itemType));
}

Folders NameSpaceMembers::GetFolders() const {
    return Folders(Object("Folders"));
}
MAPIFolder NameSpaceMembers::GetDefaultFolder(int folderType) const {
    return MAPIFolder(ObjectOf(Call("GetDefaultFolder", folderType)));
}
MAPIFolder NameSpaceMembers::GetFolderFromID(std::u16string_view entryId) const {
    return MAPIFolder(ObjectOf(Call("GetFolderFromID", Variant(entryId))));
}
ComPtr<IDispatch> NameSpaceMembers::GetItemFromID(std::u16string_view entryId) const {
    return ObjectOf(Call("GetItemFromID", Variant(entryId)));
}

Folders MAPIFolderMembers::GetFolders() const {
    return Folders(Object("Folders"));
}
Items MAPIFolderMembers::GetItems() const {
    return Items(Object("Items"));
}

MAPIFolder FoldersMembers::Item(int index) const {
    return MAPIFolder(ObjectOf(dispGet(Checked(), "Item", index)));
}
MAPIFolder FoldersMembers::Item(std::u16string_view name) const {
    return MAPIFolder(ObjectOf(dispGet(Checked(), "Item", Variant(name))));
}
MAPIFolder FoldersMembers::Add(std::u16string_view name, int folderType) const {
    return MAPIFolder(ObjectOf(Call("Add", Variant(name), folderType)));
}
MAPIFolder FoldersMembers::GetFirst() const {
    return MAPIFolder(ObjectOf(Call("GetFirst")));
}
MAPIFolder FoldersMembers::GetNext() const {
    return MAPIFolder(ObjectOf(Call("GetNext")));
}
MAPIFolder FoldersMembers::GetLast() const {
    return MAPIFolder(ObjectOf(Call("GetLast")));
}
MAPIFolder FoldersMembers::GetPrevious() const {
    return MAPIFolder(ObjectOf(Call("GetPrevious")));
}

ComPtr<IDispatch> ItemsMembers::Item(int index) const {
    return ObjectOf(dispGet(Checked(), "Item", index));
}
ComPtr<IDispatch> ItemsMembers::Add() const {
    return ObjectOf(Call("Add"));
}
ComPtr<IDispatch> ItemsMembers::GetFirst() const {
    return ObjectOf(Call("GetFirst"));
}
ComPtr<IDispatch> ItemsMembers::GetNext() const {
    return ObjectOf(Call("GetNext"));
}

Inspector ItemMembers::GetInspector() const {
    return Inspector(Object("GetInspector"));
}

MAPIFolder MailItemMembers::SaveSentMessageFolder() const {
    return MAPIFolder(Object("SaveSentMessageFolder"));
}
void MailItemMembers::SetSaveSentMessageFolder(const MAPIFolderMembers& folder) const {
    Put("SaveSentMessageFolder", Variant(folder.Target()));
}
MailItem MailItemMembers::Reply() const {
    return MailItem(ObjectOf(Call("Reply")));
}
MailItem MailItemMembers::ReplyAll() const {
    return MailItem(ObjectOf(Call("ReplyAll")));
}
MailItem MailItemMembers::Forward() const {
    return MailItem(ObjectOf(Call("Forward")));
}

MAPIFolder ExplorerMembers::CurrentFolder() const {
    return MAPIFolder(Object("CurrentFolder"));
}
void ExplorerMembers::SetCurrentFolder(const MAPIFolderMembers& folder) const {
    Put("CurrentFolder", Variant(folder.Target()));
}
Selection ExplorerMembers::GetSelection() const {
    return Selection(Object("Selection"));
}

Explorer ExplorersMembers::Item(int index) const {
    return Explorer(ObjectOf(dispGet(Checked(), "Item", index)));
}
Explorer ExplorersMembers::Add(const MAPIFolderMembers& folder) const {
    return Explorer(ObjectOf(Call("Add", Variant(folder.Target()))));
}

Inspector InspectorsMembers::Item(int index) const {
    return Inspector(ObjectOf(dispGet(Checked(), "Item", index)));
}
Inspector InspectorsMembers::Add(const ComPtr<IDispatch>& item) const {
    return Inspector(ObjectOf(Call("Add", Variant(item))));
}

ComPtr<IDispatch> SelectionMembers::Item(int index) const {
    return ObjectOf(dispGet(Checked(), "Item", index));
}

} // namespace outlook
