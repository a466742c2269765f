// Typed access to Outlook's objects, late-bound: every property and method
// below is a call by name through IDispatch (dispGet, dispPut, dispCall), so
// the same code drives any object that answers those names: Outlook, the
// simulated Outlook, a test's stand-in. Text is UTF-16, dates are OLE dates.
//
// Each kind of object has a member set (ApplicationMembers, MAPIFolderMembers,
// MailItemMembers, ...) over an abstract Target(); two things provide it:
// - a reference, the value type named after the object (Application,
//   NameSpace, MAPIFolder, Folders, Items, MailItem, ...): a counted
//   IDispatch pointer with the members, e.g.
//       outlook::MAPIFolder sent = app.GetNamespace(u"MAPI").GetDefaultFolder(olFolderSentMail);
//       outlook::MailItem mail(app.CreateItem(olMailItem));
//       mail.SetTo(u"ann@example.com");
// - the server wrappers (TOutlookApplication, TMailItem, ...), whose members
//   go to the server they are connected to.
// Where Outlook hands out a plain IDispatch (CreateItem, CurrentItem, the
// items of a folder or selection), the members return ComPtr<IDispatch>; a
// reference of the right type is made from it.
//
// A call on a reference that holds nothing, or on a wrapper that is not
// connected, raises EOleSysError (E_POINTER); Outlook's own failures raise as
// dispGet raises them (EOleException).
#pragma once

#include "platform/com/Com.h"
#include "platform/outlook/OutlookTypes.h"
#include "platform/rtl/DateTime.h"

#include <string>
#include <string_view>

namespace outlook {

template <class Members> class Ref;
class ApplicationMembers;
class NameSpaceMembers;
class MAPIFolderMembers;
class FoldersMembers;
class ItemsMembers;
class ItemMembers;
class MailItemMembers;
class AppointmentItemMembers;
class TaskItemMembers;
class ExplorerMembers;
class InspectorMembers;
class ExplorersMembers;
class InspectorsMembers;
class SelectionMembers;

// References to Outlook's objects (see the top of the file).
using Application = Ref<ApplicationMembers>;
using NameSpace = Ref<NameSpaceMembers>;
using MAPIFolder = Ref<MAPIFolderMembers>;
using Folders = Ref<FoldersMembers>;
using Items = Ref<ItemsMembers>;
using Item = Ref<ItemMembers>;
using MailItem = Ref<MailItemMembers>;
using AppointmentItem = Ref<AppointmentItemMembers>;
using TaskItem = Ref<TaskItemMembers>;
using Explorer = Ref<ExplorerMembers>;
using Inspector = Ref<InspectorMembers>;
using Explorers = Ref<ExplorersMembers>;
using Inspectors = Ref<InspectorsMembers>;
using Selection = Ref<SelectionMembers>;

// The major version in Outlook's Version text: the number before the first
// "." ("12.0.0.6423" gives 12); 0 when the text has none.
int MajorVersionOf(std::u16string_view version);

// The major version of the Outlook that object belongs to (its
// Application's Version); 0 when it cannot be read.
int OutlookMajorVersionOf(IDispatch* object) noexcept;

// What every member set stands on: the object the calls go to, and the
// members that every Outlook object has.
class DispMembers {
public:
    // The object the calls go to; null when there is none.
    virtual IDispatch* Target() const = 0;
    // True when there is an object to call.
    bool Assigned() const { return Target() != nullptr; }

    // What the object is (OlObjectClass: 43 a mail item, 44 a note, ...).
    int Class() const;
    // The application and the session the object belongs to.
    Application GetApplication() const;
    NameSpace Session() const;
    // The object's parent (a folder for an item or folder, the application for a window).
    ComPtr<IDispatch> Parent() const;

    // Late-bound access to any member, for what the typed members leave out.
    Variant Get(std::string_view name) const;
    void Put(std::string_view name, const Variant& value) const;
    template <class... A> Variant Call(std::string_view name, A&&... args) const {
        return dispCall(Checked(), name, std::forward<A>(args)...);
    }

protected:
    DispMembers() = default;
    DispMembers(const DispMembers&) = default;
    DispMembers& operator=(const DispMembers&) = default;
    ~DispMembers() = default;

    // The target; raises EOleSysError (E_POINTER) when there is none.
    IDispatch* Checked() const;
    std::u16string Text(std::string_view name) const;
    int Integer(std::string_view name) const;
    bool Flag(std::string_view name) const;
    TDateTime Date(std::string_view name) const;
    ComPtr<IDispatch> Object(std::string_view name) const;
    // A method's result as an object (null for Nothing).
    static ComPtr<IDispatch> ObjectOf(const Variant& result);
};

class ApplicationMembers : public DispMembers {
public:
    // "12.0.0.6423"; its major version.
    std::u16string Version() const { return Text("Version"); }
    int MajorVersion() const { return MajorVersionOf(Version()); }
    // The name space of that type ("MAPI").
    NameSpace GetNamespace(std::u16string_view type) const;
    // The front explorer, inspector and window; unassigned when there is none.
    Explorer ActiveExplorer() const;
    Inspector ActiveInspector() const;
    ComPtr<IDispatch> ActiveWindow() const;
    Explorers GetExplorers() const;
    Inspectors GetInspectors() const;
    // A new item of an OlItemType (0 mail, 1 appointment, 3 task).
    ComPtr<IDispatch> CreateItem(int itemType) const;
    // The Reminders collection (Outlook 2002 and later).
    ComPtr<IDispatch> Reminders() const { return Object("Reminders"); }
    // Quits Outlook.
    void Quit() const { Call("Quit"); }
};

class NameSpaceMembers : public DispMembers {
public:
    std::u16string Type() const { return Text("Type"); }
    // The top folders, one per store.
    Folders GetFolders() const;
    // A special folder of the default store (OlDefaultFolders).
    MAPIFolder GetDefaultFolder(int folderType) const;
    // The folder or item with an entry id.
    MAPIFolder GetFolderFromID(std::u16string_view entryId) const;
    ComPtr<IDispatch> GetItemFromID(std::u16string_view entryId) const;
};

class MAPIFolderMembers : public DispMembers {
public:
    std::u16string Name() const { return Text("Name"); }
    void SetName(std::u16string_view name) const { Put("Name", Variant(name)); }
    std::u16string EntryID() const { return Text("EntryID"); }
    std::u16string StoreID() const { return Text("StoreID"); }
    // The OlItemType of the folder's items.
    int DefaultItemType() const { return Integer("DefaultItemType"); }
    std::u16string FolderPath() const { return Text("FolderPath"); }
    Folders GetFolders() const;
    Items GetItems() const;
};

class FoldersMembers : public DispMembers {
public:
    int Count() const { return Integer("Count"); }
    // Folder i (from 1), or the folder of that name; raises when there is none.
    MAPIFolder Item(int index) const;
    MAPIFolder Item(std::u16string_view name) const;
    // A new subfolder of type folderType (an OlDefaultFolders value).
    MAPIFolder Add(std::u16string_view name, int folderType) const;
    // The walk over the folders; unassigned past the end.
    MAPIFolder GetFirst() const;
    MAPIFolder GetNext() const;
    MAPIFolder GetLast() const;
    MAPIFolder GetPrevious() const;
};

class ItemsMembers : public DispMembers {
public:
    int Count() const { return Integer("Count"); }
    // Item i (from 1).
    ComPtr<IDispatch> Item(int index) const;
    // A new item of the folder's type, saved into it by Save.
    ComPtr<IDispatch> Add() const;
    ComPtr<IDispatch> GetFirst() const;
    ComPtr<IDispatch> GetNext() const;
};

// What every item has.
class ItemMembers : public DispMembers {
public:
    std::u16string MessageClass() const { return Text("MessageClass"); }
    std::u16string EntryID() const { return Text("EntryID"); }
    std::u16string Subject() const { return Text("Subject"); }
    void SetSubject(std::u16string_view value) const { Put("Subject", Variant(value)); }
    std::u16string Body() const { return Text("Body"); }
    void SetBody(std::u16string_view value) const { Put("Body", Variant(value)); }
    // Category names separated by ", ".
    std::u16string Categories() const { return Text("Categories"); }
    void SetCategories(std::u16string_view value) const { Put("Categories", Variant(value)); }
    // Hex text; empty when the item has none.
    std::u16string ConversationIndex() const { return Text("ConversationIndex"); }
    std::u16string ConversationTopic() const { return Text("ConversationTopic"); }
    TDateTime CreationTime() const { return Date("CreationTime"); }
    bool Saved() const { return Flag("Saved"); }
    void Save() const { Call("Save"); }
    // Closes the item's inspector (OlInspectorClose).
    void Close(int saveMode) const { Call("Close", saveMode); }
    void Display() const { Call("Display"); }
    void Delete() const { Call("Delete"); }
    // Shows Outlook's categories dialog (modal); the chosen names end in Categories.
    void ShowCategoriesDialog() const { Call("ShowCategoriesDialog"); }
    Inspector GetInspector() const;
};

class MailItemMembers : public ItemMembers {
public:
    std::u16string To() const { return Text("To"); }
    void SetTo(std::u16string_view value) const { Put("To", Variant(value)); }
    std::u16string CC() const { return Text("CC"); }
    void SetCC(std::u16string_view value) const { Put("CC", Variant(value)); }
    std::u16string BCC() const { return Text("BCC"); }
    void SetBCC(std::u16string_view value) const { Put("BCC", Variant(value)); }
    std::u16string SenderName() const { return Text("SenderName"); }
    bool Sent() const { return Flag("Sent"); }
    bool UnRead() const { return Flag("UnRead"); }
    TDateTime SentOn() const { return Date("SentOn"); }
    TDateTime ReceivedTime() const { return Date("ReceivedTime"); }
    // The folder that keeps the sent copy (unassigned: Sent Items).
    MAPIFolder SaveSentMessageFolder() const;
    void SetSaveSentMessageFolder(const MAPIFolderMembers& folder) const;
    bool DeleteAfterSubmit() const { return Flag("DeleteAfterSubmit"); }
    void SetDeleteAfterSubmit(bool value) const { Put("DeleteAfterSubmit", value); }
    void Send() const { Call("Send"); }
    // The answers: new mail items, not shown.
    MailItem Reply() const;
    MailItem ReplyAll() const;
    MailItem Forward() const;
};

class AppointmentItemMembers : public ItemMembers {
public:
    TDateTime Start() const { return Date("Start"); }
    void SetStart(TDateTime value) const { Put("Start", Variant::Date(value)); }
    TDateTime End() const { return Date("End"); }
    void SetEnd(TDateTime value) const { Put("End", Variant::Date(value)); }
    std::u16string Location() const { return Text("Location"); }
    void SetLocation(std::u16string_view value) const { Put("Location", Variant(value)); }
};

class TaskItemMembers : public ItemMembers {
public:
    TDateTime StartDate() const { return Date("StartDate"); }
    void SetStartDate(TDateTime value) const { Put("StartDate", Variant::Date(value)); }
    TDateTime DueDate() const { return Date("DueDate"); }
    void SetDueDate(TDateTime value) const { Put("DueDate", Variant::Date(value)); }
};

class ExplorerMembers : public DispMembers {
public:
    std::u16string Caption() const { return Text("Caption"); }
    // The window's command bars (an Office CommandBars object).
    ComPtr<IDispatch> CommandBars() const { return Object("CommandBars"); }
    MAPIFolder CurrentFolder() const;
    void SetCurrentFolder(const MAPIFolderMembers& folder) const;
    Selection GetSelection() const;
    void Activate() const { Call("Activate"); }
    void Close() const { Call("Close"); }
    void Display() const { Call("Display"); }
};

class InspectorMembers : public DispMembers {
public:
    std::u16string Caption() const { return Text("Caption"); }
    ComPtr<IDispatch> CommandBars() const { return Object("CommandBars"); }
    // The item the window shows.
    ComPtr<IDispatch> CurrentItem() const { return Object("CurrentItem"); }
    void Activate() const { Call("Activate"); }
    void Close(int saveMode) const { Call("Close", saveMode); }
    void Display() const { Call("Display"); }
};

class ExplorersMembers : public DispMembers {
public:
    int Count() const { return Integer("Count"); }
    // Explorer i (from 1).
    Explorer Item(int index) const;
    // A new explorer on folder, not shown yet.
    Explorer Add(const MAPIFolderMembers& folder) const;
};

class InspectorsMembers : public DispMembers {
public:
    int Count() const { return Integer("Count"); }
    Inspector Item(int index) const;
    // An inspector on item, not shown yet.
    Inspector Add(const ComPtr<IDispatch>& item) const;
};

class SelectionMembers : public DispMembers {
public:
    int Count() const { return Integer("Count"); }
    // Selected item i (from 1).
    ComPtr<IDispatch> Item(int index) const;
};

// A counted reference to an Outlook object with the members of Members.
template <class Members> class Ref final : public Members {
public:
    // A reference to nothing.
    Ref() = default;
    explicit Ref(ComPtr<IDispatch> object) : object_(std::move(object)) {}
    // The object a variant holds (nothing for an empty variant or Nothing).
    explicit Ref(const Variant& value)
        : object_(value.IsEmptyOrNothing() ? nullptr : value.AsDispatch()) {}
    // A reference of another type to the same object.
    template <class Other> explicit Ref(const Ref<Other>& other) : object_(other.DispRef()) {}

    IDispatch* Target() const override { return object_.Get(); }
    // The object, counted.
    const ComPtr<IDispatch>& DispRef() const noexcept { return object_; }
    explicit operator bool() const noexcept { return bool(object_); }

private:
    ComPtr<IDispatch> object_;
};

} // namespace outlook
