// What items of the simulated Outlook do: save, send, answer, delete, and the
// categories dialog. Sending follows Outlook where the add-in relies on it:
// the item's Send event and the application's ItemSend event are raised
// inside Send, before anything leaves, and either may cancel; what the
// recipients receive is the item as it is after those events; the sent copy
// carries the same subject, body, conversation index and categories and is
// stored in SaveSentMessageFolder, else in Sent Items, whose Items raise
// ItemAdd for it.
#include "platform/sim/outlook/SimItem.h"

#include "platform/sim/outlook/ConversationIndex.h"
#include "platform/sim/outlook/SimApplication.h"
#include "platform/sim/outlook/SimFolder.h"
#include "platform/sim/outlook/SimNameSpace.h"
#include "platform/sim/outlook/SimWindows.h"
#include "platform/text/Text.h"

namespace sim {

using namespace outlook;

namespace {

// The folder that Save stores a new item of kind in.
int HomeFolderOf(ItemKind kind) {
    switch (kind) {
    case ItemKind::Appointment:
        return olFolderCalendar;
    case ItemKind::Task:
        return olFolderTasks;
    case ItemKind::Note:
        return olFolderNotes;
    case ItemKind::Mail:
        return olFolderDrafts;
    default:
        return olFolderInbox;
    }
}

bool IsBlank(const std::u16string& s) {
    return s.find_first_not_of(u" \t;") == std::u16string::npos;
}

// Subject of an answer: the prefix once, as Outlook writes it.
std::u16string PrefixedSubject(const std::u16string& prefix, const std::u16string& subject) {
    if (subject.size() >= prefix.size() &&
        text::SameText(std::u16string_view(subject).substr(0, prefix.size()), prefix))
        return subject;
    return prefix + subject;
}

std::u16string JoinAddresses(const std::u16string& a, const std::u16string& b) {
    if (IsBlank(a))
        return b;
    if (IsBlank(b))
        return a;
    return a + u"; " + b;
}

} // namespace

void SimItem::Save() {
    if (sentAway_)
        throw EOleSysError("The item has been moved or deleted.", OutlookObjectGone);
    ComPtr<SimItem> self = ComPtr<SimItem>::Share(this);
    if (RaiseCancellable(DISPID_Write))
        return;
    data_.LastModificationTime = app_->Now();
    if (!entryId_.empty() && folder_) {
        stored_ = data_;
        saved_ = true;
        folder_->Items().Changed(*this);
        return;
    }
    ComPtr<SimFolder> target =
        folder_ ? folder_ : app_->NameSpace().DefaultFolder(HomeFolderOf(kind_));
    if (!target)
        throw EOleSysError("There is no folder to save the item in.", OutlookNotFound);
    target->Items().Store(self, true);
}

bool SimItem::Send() {
    ExpectMail("Send");
    if (sentAway_)
        throw EOleSysError("The item has been moved or deleted.", OutlookObjectGone);
    ComPtr<SimItem> self = ComPtr<SimItem>::Share(this);
    ComPtr<SimApplication> app = app_;
    if (RaiseCancellable(DISPID_Send))
        return false;
    if (IsTornDown() || app->RaiseItemSend(*this))
        return false;
    if (IsBlank(data_.To) && IsBlank(data_.CC) && IsBlank(data_.BCC))
        throw EOleSysError(
            "There must be at least one name or distribution list in the To, Cc, or Bcc box.",
            OutlookOperationFailed);

    ItemData sent = data_;
    sent.Sent = true;
    sent.UnRead = false;
    sent.SentOn = sent.ReceivedTime = app->Now();
    sent.SenderName = std::u16string(SimApplication::CurrentUserName);
    sent.SenderEmailAddress = std::u16string(SimApplication::CurrentUserAddress);
    app->Deliveries.push_back(sent);
    sentAway_ = true;

    // The message leaves Drafts (where a saved draft waits) and its window.
    if (folder_ && !entryId_.empty())
        folder_->Items().Remove(*this);
    if (SimInspector* inspector = inspector_) {
        ComPtr<SimInspector> hold = ComPtr<SimInspector>::Share(inspector);
        inspector->Close(olDiscard);
    }
    if (!deleteAfterSubmit_) {
        ComPtr<SimFolder> target =
            saveSentFolder_ ? saveSentFolder_ : app->NameSpace().DefaultFolder(olFolderSentMail);
        if (target)
            target->Items().Store(SimItem::Create(app.Get(), ItemKind::Mail, sent), true);
    }
    return true;
}

ComPtr<SimItem> SimItem::Respond(DISPID event) {
    ExpectMail("Reply");
    ComPtr<SimItem> self = ComPtr<SimItem>::Share(this);
    ItemData answer;
    std::u16string sender =
        data_.SenderEmailAddress.empty() ? data_.SenderName : data_.SenderEmailAddress;
    // An answer to a message of our own (in Sent Items) goes to its recipients.
    if (data_.Sent)
        sender = data_.To;
    if (event == DISPID_Reply) {
        answer.To = sender;
    } else if (event == DISPID_ReplyAll) {
        answer.To = data_.Sent ? data_.To : JoinAddresses(sender, data_.To);
        answer.CC = data_.CC;
    }
    answer.Subject = PrefixedSubject(event == DISPID_Forward ? u"FW: " : u"RE: ", data_.Subject);
    answer.Body = u"\r\n\r\n-----Original Message-----\r\n" + data_.Body;
    answer.ConversationTopic =
        data_.ConversationTopic.empty() ? data_.Subject : data_.ConversationTopic;
    answer.ConversationIndex = ConversationIndexText(ChildConversationIndex(
        ConversationIndexBytes(data_.ConversationIndex), app_->Now(), app_->NextRandomNibble()));
    ComPtr<SimItem> response = SimItem::Create(app_.Get(), ItemKind::Mail, std::move(answer));

    VARIANT_BOOL cancel = VARIANT_FALSE;
    Fire(event, {Variant(response->Disp()), Variant::ByRefBool(&cancel)});
    if (cancel != VARIANT_FALSE)
        return nullptr;
    return response;
}

bool SimItem::ShowCategoriesDialog() {
    ComPtr<SimItem> self = ComPtr<SimItem>::Share(this);
    ComPtr<SimApplication> app = app_;
    ++app->CategoriesDialogShown;
    std::u16string chosen = data_.Categories;
    if (!app->CategoriesDialog || !app->CategoriesDialog(chosen))
        return false;
    if (chosen != data_.Categories) {
        data_.Categories = std::move(chosen);
        Changed(u"Categories");
    }
    return true;
}

void SimItem::Delete() {
    ComPtr<SimItem> self = ComPtr<SimItem>::Share(this);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    Fire(DISPID_BeforeDelete, {Variant(Disp()), Variant::ByRefBool(&cancel)});
    if (cancel != VARIANT_FALSE)
        return;
    if (SimInspector* inspector = inspector_) {
        ComPtr<SimInspector> hold = ComPtr<SimInspector>::Share(inspector);
        inspector->Close(olDiscard);
    }
    if (!folder_ || entryId_.empty())
        return;
    // Deleting moves the item to Deleted Items; deleting it there removes it.
    ComPtr<SimFolder> bin = app_->NameSpace().DefaultFolderOf(
        *app_->NameSpace().TopFolderOf(*folder_), olFolderDeletedItems);
    if (bin && bin.Get() != folder_.Get())
        bin->Items().Store(self, true);
    else
        folder_->Items().Remove(*this);
}

} // namespace sim
