// Items of the simulated Outlook: mail, appointments, tasks, notes, meeting
// requests and reports, one class told apart by its kind.
//
// An item answers the members of its kind's Outlook interface (a mail item:
// To, CC, BCC, Subject, Body, Categories, ConversationIndex,
// SaveSentMessageFolder, Save, Send, Reply, ReplyAll, Forward,
// ShowCategoriesDialog, ...) and, except a note, is a source of Outlook's
// item events (Send 0xF005, Reply 0xF466, ReplyAll 0xF467, Forward 0xF468,
// Write, Open, Close, PropertyChange, BeforeDelete).
//
// It keeps two sets of values: the current ones, which its members read and
// write, and the stored ones, which Save (or storing the item in a folder)
// copies from them. A test reads the stored ones to see what Save kept.
#pragma once

#include "platform/outlook/OutlookTypes.h"
#include "platform/rtl/DateTime.h"
#include "platform/sim/outlook/SimObject.h"

#include <string>

namespace sim {

class SimApplication;
class SimFolder;
class SimInspector;

// The kinds of item the simulation has.
enum class ItemKind { Mail, Appointment, Task, Note, MeetingRequest, Report };

// The values of an item. Each kind uses the fields that its Outlook
// interface has; the others stay empty.
struct ItemData {
    std::u16string To, CC, BCC;
    std::u16string Subject, Body, Categories;
    // Hex text, as Outlook shows it; empty when the item has none.
    std::u16string ConversationIndex;
    std::u16string ConversationTopic;
    std::u16string SenderName, SenderEmailAddress;
    std::u16string Location;
    // Empty: the kind's default ("IPM.Note", ...).
    std::u16string MessageClass;
    TDateTime CreationTime = 0, LastModificationTime = 0;
    TDateTime SentOn = 0, ReceivedTime = 0;
    TDateTime Start = 0, End = 0;         // appointments
    TDateTime StartDate = 0, DueDate = 0; // tasks
    bool Sent = false;
    bool UnRead = false;
};

// The Class value, Outlook interface IID and default message class of a kind.
int ItemClassOf(ItemKind kind);
const GUID& ItemIidOf(ItemKind kind);
std::u16string DefaultMessageClass(ItemKind kind);
// The kind CreateItem makes for an OlItemType; false for types the simulation lacks.
bool ItemKindOfType(int itemType, ItemKind& kind);

class SimItem final : public OutlookObject<> {
public:
    // A new item of kind with values data, not stored in any folder.
    static ComPtr<SimItem> Create(SimApplication* app, ItemKind kind, ItemData data);

    ItemKind Kind() const noexcept { return kind_; }
    // The current values and the stored ones (see the top of the file).
    const ItemData& Data() const noexcept { return data_; }
    const ItemData& Stored() const noexcept { return stored_; }
    // The current values, for the simulation's own changes (no events).
    ItemData& MutableData() noexcept { return data_; }
    // True when the current values have been saved.
    bool IsSaved() const noexcept { return saved_; }
    // The item's EntryID; empty until it is first stored.
    const std::u16string& EntryId() const noexcept { return entryId_; }
    // The folder that holds it, or null.
    SimFolder* Folder() const noexcept { return folder_.Get(); }
    // The folder named as SaveSentMessageFolder, or null.
    SimFolder* SaveSentMessageFolder() const noexcept { return saveSentFolder_.Get(); }
    // True once the item was sent (it can be sent only once).
    bool WasSent() const noexcept { return sentAway_; }

    // Called by the folder that stores the item: it belongs there now, gets an
    // EntryID if it has none, and its values count as saved.
    void StoredIn(SimFolder* folder, std::u16string entryId);
    // Makes a new item one that Save stores in folder (Items.Add).
    void SetHomeFolder(SimFolder* folder);
    // Called by the folder that lets the item go (moved, deleted, sent).
    void RemovedFrom(SimFolder* folder);
    // The inspector showing the item, or null (kept by the inspector).
    SimInspector* Inspector() const noexcept { return inspector_; }
    void SetInspector(SimInspector* inspector) noexcept { inspector_ = inspector; }

    // Saves the item (Save): the Write event (Cancel honoured), then the
    // values are stored in the item's folder, or in the default folder of its
    // kind (Drafts for mail) when it has none.
    void Save();
    // Sends a mail item (Send): the Send event and the application's
    // ItemSend event, each of which may cancel; then the recipients are
    // checked, what they receive is recorded, and the sent copy is stored in
    // SaveSentMessageFolder or else Sent Items, whose Items report it.
    // Returns false when a handler cancelled the send.
    bool Send();
    // The answer to this item (Reply, ReplyAll, Forward): raises the event
    // with the new item and Cancel; null when a handler cancelled.
    ComPtr<SimItem> Respond(DISPID event);
    // The categories dialog: the script of the simulation answers it;
    // returns false when it was cancelled.
    bool ShowCategoriesDialog();
    // Deletes the item from its folder (BeforeDelete may cancel).
    void Delete();
    // Raises an item event on the item's sinks (Open, Close, Read, ...) with
    // Cancel when the event has one; returns Cancel.
    bool RaiseCancellable(DISPID event);

    void TearDown() override;

private:
    friend struct ::ComMaker;
    SimItem(SimApplication* app, ItemKind kind, ItemData data);

    void AddCommonMembers();
    void AddMailMembers();
    void AddAppointmentMembers();
    void AddTaskMembers();
    // A text property that raises PropertyChange when it is set.
    void AddText(std::string_view name, std::u16string ItemData::*field);
    void AddDate(std::string_view name, TDateTime ItemData::*field);
    void Changed(std::u16string_view property);
    void ExpectMail(const char* member) const;

    ComPtr<SimApplication> app_;
    ItemKind kind_;
    ItemData data_;
    ItemData stored_;
    bool saved_ = false;
    bool sentAway_ = false;
    bool deleteAfterSubmit_ = false;
    std::u16string entryId_;
    ComPtr<SimFolder> folder_;
    ComPtr<SimFolder> saveSentFolder_;
    SimInspector* inspector_ = nullptr;
};

} // namespace sim
