// Items of the simulated Outlook: their members by kind.
#include "platform/sim/outlook/SimItem.h"

#include "platform/sim/outlook/SimApplication.h"
#include "platform/sim/outlook/SimFolder.h"
#include "platform/sim/outlook/SimMembers.h"
#include "platform/sim/outlook/SimNameSpace.h"
#include "platform/sim/outlook/SimWindows.h"
#include "platform/text/Text.h"

#include <iterator>

namespace sim {

using namespace outlook;

namespace {

// What Outlook tells of each kind of item: its Class, its interface, its
// default message class and the OlItemType CreateItem makes it for (-1: none).
struct KindFacts {
    ItemKind Kind;
    int Class;
    const GUID* Iid;
    const char16_t* MessageClass;
    int ItemType;
};

// In the order of ItemKind.
const KindFacts kindFacts[] = {
    {ItemKind::Mail, olMail, &IID__MailItem, u"IPM.Note", olMailItem},
    {ItemKind::Appointment, olAppointment, &IID__AppointmentItem, u"IPM.Appointment",
     olAppointmentItem},
    {ItemKind::Task, olTask, &IID__TaskItem, u"IPM.Task", olTaskItem},
    {ItemKind::Note, olNote, &IID__NoteItem, u"IPM.StickyNote", olNoteItem},
    {ItemKind::MeetingRequest, olMeetingRequest, &IID__MeetingItem, u"IPM.Schedule.Meeting.Request",
     -1},
    {ItemKind::Report, olReport, &IID__ReportItem, u"REPORT.IPM.Note.NDR", -1},
};
static_assert(std::size(kindFacts) == size_t(ItemKind::Report) + 1, "a row for every kind");

const KindFacts& FactsOf(ItemKind kind) {
    return kindFacts[size_t(kind)];
}

} // namespace

int ItemClassOf(ItemKind kind) {
    return FactsOf(kind).Class;
}

const GUID& ItemIidOf(ItemKind kind) {
    return *FactsOf(kind).Iid;
}

std::u16string DefaultMessageClass(ItemKind kind) {
    return FactsOf(kind).MessageClass;
}

bool ItemKindOfType(int itemType, ItemKind& kind) {
    for (const KindFacts& facts : kindFacts) {
        if (facts.ItemType == itemType) {
            kind = facts.Kind;
            return true;
        }
    }
    return false;
}

ComPtr<SimItem> SimItem::Create(SimApplication* app, ItemKind kind, ItemData data) {
    return MakeComObject<SimItem>(app, kind, std::move(data));
}

SimItem::SimItem(SimApplication* app, ItemKind kind, ItemData data)
    : OutlookObject("Item"), app_(ComPtr<SimApplication>::Share(app)), kind_(kind),
      data_(std::move(data)) {
    if (data_.MessageClass.empty())
        data_.MessageClass = DefaultMessageClass(kind);
    if (data_.CreationTime == 0)
        data_.CreationTime = app->Now();
    if (data_.LastModificationTime == 0)
        data_.LastModificationTime = data_.CreationTime;
    AnswerIid(ItemIidOf(kind));
    // A note raises no item events; every other kind has both versions of them.
    if (kind != ItemKind::Note) {
        Events.Add(DIID_ItemEvents);
        Events.Add(DIID_ItemEvents_10);
    }
    AddCommonMembers();
    if (kind == ItemKind::Mail || kind == ItemKind::MeetingRequest)
        AddMailMembers();
    if (kind == ItemKind::Appointment)
        AddAppointmentMembers();
    if (kind == ItemKind::Task)
        AddTaskMembers();
}

void SimItem::AddText(std::string_view name, std::u16string ItemData::*field) {
    std::u16string property = text::Wide(name);
    Members.Property(
        name, [this, field] { return data_.*field; },
        [this, field, property](const Variant& value) {
            data_.*field = value.AsWide();
            Changed(property);
        });
}

void SimItem::AddDate(std::string_view name, TDateTime ItemData::*field) {
    std::u16string property = text::Wide(name);
    Members.Property(
        name, [this, field] { return Variant::Date(data_.*field); },
        [this, field, property](const Variant& value) {
            data_.*field = value.AsDate();
            Changed(property);
        });
}

void SimItem::Changed(std::u16string_view property) {
    saved_ = false;
    Fire(DISPID_PropertyChange, {Variant(std::u16string(property))});
}

void SimItem::AddCommonMembers() {
    AddObjectMembers(Members, app_, ItemClassOf(kind_),
                     [this] { return folder_ ? Variant(folder_->Disp()) : Nothing(); });
    Members.Get("EntryID", [this] { return entryId_; });
    Members.Property(
        "MessageClass", [this] { return data_.MessageClass; },
        [this](const Variant& v) {
            data_.MessageClass = v.AsWide();
            Changed(u"MessageClass");
        });
    if (kind_ == ItemKind::Note) {
        // A note's subject is the first line of its text.
        Members.Get("Subject",
                    [this] { return data_.Body.substr(0, data_.Body.find_first_of(u"\r\n")); });
    } else {
        AddText("Subject", &ItemData::Subject);
    }
    AddText("Body", &ItemData::Body);
    AddText("Categories", &ItemData::Categories);
    Members.Get("ConversationIndex", [this] { return data_.ConversationIndex; });
    Members.Get("ConversationTopic", [this] {
        return data_.ConversationTopic.empty() ? data_.Subject : data_.ConversationTopic;
    });
    Members.Get("CreationTime", [this] { return Variant::Date(data_.CreationTime); });
    Members.Get("LastModificationTime",
                [this] { return Variant::Date(data_.LastModificationTime); });
    Members.Get("Saved", [this] { return saved_; });
    Members.Get("Size",
                [this] { return int((data_.Subject.size() + data_.Body.size()) * 2 + 512); });
    Members.Property(
        "UnRead", [this] { return data_.UnRead; },
        [this](const Variant& v) {
            data_.UnRead = v.AsBool();
            Changed(u"UnRead");
        });
    Members.Method("Save", [this] { Save(); });
    Members.Add("Close").Params({"SaveMode"}).Call([this](DispCall& c) {
        int mode = c.Integer(0);
        if (auto* inspector = inspector_) {
            ComPtr<SimInspector> hold = ComPtr<SimInspector>::Share(inspector);
            inspector->Close(mode);
        } else if (mode == olSave) {
            Save();
        }
    });
    Members.Add("Display").Params({"Modal"}).Call(
        [this](DispCall&) { app_->Inspectors().InspectorFor(*this)->Display(); });
    Members.Get("GetInspector",
                [this] { return Variant(app_->Inspectors().InspectorFor(*this)->Disp()); });
    Members.Method("Delete", [this] { Delete(); });
    Members.Add("Move").Params({"DestFldr"}).Call([this](DispCall& c) {
        ComPtr<SimFolder> target = SimObjectOf<SimFolder>(c.Dispatch(0).Get());
        if (!target)
            throw EOleSysError("The destination folder is not a folder of this Outlook.",
                               E_INVALIDARG);
        ComPtr<SimItem> self = ComPtr<SimItem>::Share(this);
        target->Items().Store(self, true);
        return Variant(Disp());
    });
    Members.Method("ShowCategoriesDialog", [this] { ShowCategoriesDialog(); });
}

void SimItem::AddMailMembers() {
    AddText("To", &ItemData::To);
    AddText("CC", &ItemData::CC);
    AddText("BCC", &ItemData::BCC);
    Members.Get("SenderName", [this] { return data_.SenderName; });
    Members.Get("SenderEmailAddress", [this] { return data_.SenderEmailAddress; });
    Members.Get("SentOn", [this] { return Variant::Date(data_.SentOn); });
    Members.Get("ReceivedTime", [this] { return Variant::Date(data_.ReceivedTime); });
    Members.Get("Sent", [this] { return data_.Sent; });
    Members.Property(
        "DeleteAfterSubmit", [this] { return deleteAfterSubmit_; },
        [this](const Variant& v) { deleteAfterSubmit_ = v.AsBool(); });
    Members
        .Add("SaveSentMessageFolder")
        // Unset, it is the folder Outlook will use: the default Sent Items.
        .Get([this] {
            ComPtr<SimFolder> folder = saveSentFolder_
                                           ? saveSentFolder_
                                           : app_->NameSpace().DefaultFolder(olFolderSentMail);
            return folder ? Variant(folder->Disp()) : Nothing();
        })
        // Outlook takes the folder by Set (put by reference) and by plain put alike.
        .Put([this](const Variant& value) {
            ComPtr<IDispatch> folder = value.AsDispatch();
            if (!folder) {
                saveSentFolder_ = nullptr;
            } else {
                ComPtr<SimFolder> found = SimObjectOf<SimFolder>(folder.Get());
                if (!found)
                    throw EOleSysError("The folder is not a folder of this Outlook.", E_INVALIDARG);
                saveSentFolder_ = found;
            }
            Changed(u"SaveSentMessageFolder");
        });
    if (kind_ == ItemKind::Mail)
        Members.Method("Send", [this] { Send(); });
    auto respond = [this](DISPID event) {
        ComPtr<SimItem> response = Respond(event);
        if (!response)
            throw EOleSysError("The operation was cancelled.", E_ABORT);
        return Variant(response->Disp());
    };
    Members.Method("Reply", [respond] { return respond(DISPID_Reply); });
    Members.Method("ReplyAll", [respond] { return respond(DISPID_ReplyAll); });
    Members.Method("Forward", [respond] { return respond(DISPID_Forward); });
}

void SimItem::AddAppointmentMembers() {
    AddDate("Start", &ItemData::Start);
    AddDate("End", &ItemData::End);
    AddText("Location", &ItemData::Location);
    Members.Get("Duration", [this] { return int((data_.End - data_.Start) * 24 * 60 + 0.5); });
}

void SimItem::AddTaskMembers() {
    AddDate("StartDate", &ItemData::StartDate);
    AddDate("DueDate", &ItemData::DueDate);
}

void SimItem::ExpectMail(const char* member) const {
    if (kind_ != ItemKind::Mail && kind_ != ItemKind::MeetingRequest)
        throw EOleSysError(std::string(member) + " is not a member of this item.",
                           DISP_E_MEMBERNOTFOUND);
}

void SimItem::StoredIn(SimFolder* folder, std::u16string entryId) {
    folder_ = ComPtr<SimFolder>::Share(folder);
    if (entryId_.empty())
        entryId_ = std::move(entryId);
    stored_ = data_;
    saved_ = true;
}

void SimItem::SetHomeFolder(SimFolder* folder) {
    if (entryId_.empty())
        folder_ = ComPtr<SimFolder>::Share(folder);
}

void SimItem::RemovedFrom(SimFolder* folder) {
    if (folder_.Get() == folder)
        folder_ = nullptr;
}

bool SimItem::RaiseCancellable(DISPID event) {
    VARIANT_BOOL cancel = VARIANT_FALSE;
    Fire(event, {Variant::ByRefBool(&cancel)});
    return cancel != VARIANT_FALSE;
}

void SimItem::TearDown() {
    folder_ = nullptr;
    saveSentFolder_ = nullptr;
    inspector_ = nullptr;
    app_ = nullptr;
    OutlookObjectCore::TearDown();
}

} // namespace sim
