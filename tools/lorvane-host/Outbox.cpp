// Holding sends back at ItemSend, and sending them from the Outbox.
#include "Outbox.h"

#include "Mailbox.h"
#include "ScriptText.h"

#include "platform/text/Text.h"

using sim::SimFolder;
using sim::SimItem;

Outbox::~Outbox() {
    Attach(nullptr);
}

void Outbox::Attach(sim::OutlookSim* outlook) {
    if (application_) {
        application_->OnItemSend = nullptr;
        application_->Disconnect();
        application_.reset();
    }
    held_.clear();
    outlook_ = outlook;
    if (!outlook)
        return;
    application_ = std::make_unique<TOutlookApplication>(nullptr);
    application_->ConnectTo(outlook->Application());
    application_->OnItemSend = [this](TObject*, const ComPtr<IDispatch>& item, WordBool& cancel) {
        ItemSend(item, cancel);
    };
}

void Outbox::ItemSend(const ComPtr<IDispatch>& item, WordBool& cancel) {
    if (!offline_ || cancel != VARIANT_FALSE)
        return;
    // What is sent is the message of a window: the user's, or the add-in's
    // send from the window in front.
    sim::SimInspectors& inspectors = outlook_->App().Inspectors();
    for (size_t i = 0; i < inspectors.Count(); ++i) {
        SimItem& shown = inspectors.At(i).CurrentItem();
        if (IsSameObject(shown.Disp(), item.Get())) {
            held_.push_back(ComPtr<SimItem>::Share(&shown));
            cancel = VARIANT_TRUE;
            return;
        }
    }
}

bool Outbox::Holds(const SimItem& item) const {
    for (const ComPtr<SimItem>& held : held_)
        if (held.Get() == &item)
            return true;
    return false;
}

void Outbox::Settle() {
    std::vector<ComPtr<SimItem>> held = std::move(held_);
    held_.clear();
    ComPtr<SimFolder> box = outlook_ ? outlook_->DefaultFolder(outlook::olFolderOutbox) : nullptr;
    for (const ComPtr<SimItem>& item : held) {
        if (!box || item->WasSent() || item->IsTornDown())
            continue;
        SimFolder* target = item->SaveSentMessageFolder();
        waiting_.emplace_back(item->Data().ConversationIndex, target ? PathOf(*target) : u"");
        // Stored first, so that closing the window drops nothing of it.
        box->Items().Store(item, true);
        if (sim::SimInspector* inspector = item->Inspector()) {
            ComPtr<sim::SimInspector> hold = ComPtr<sim::SimInspector>::Share(inspector);
            outlook_->Close(*inspector, outlook::olDiscard);
        }
        note_("Outlook works offline: " + InQuotes(text::Narrow(item->Data().Subject)) +
              " waits in the Outbox");
    }
}

void Outbox::Send() {
    ComPtr<SimFolder> box = outlook_ ? outlook_->DefaultFolder(outlook::olFolderOutbox) : nullptr;
    if (!box)
        return;
    std::vector<std::pair<std::u16string, std::u16string>> waiting = std::move(waiting_);
    waiting_.clear();
    for (const auto& [conversation, path] : waiting) {
        ComPtr<SimItem> item;
        for (size_t i = 0; i < box->Items().Count() && !item; ++i)
            if (box->Items().At(i).Data().ConversationIndex == conversation)
                item = ComPtr<SimItem>::Share(&box->Items().At(i));
        if (!item)
            continue;
        sim::SimApplication& app = outlook_->App();
        sim::ItemData sent = item->Data();
        sent.Sent = true;
        sent.UnRead = false;
        sent.SentOn = sent.ReceivedTime = app.Now();
        sent.SenderName = std::u16string(sim::SimApplication::CurrentUserName);
        sent.SenderEmailAddress = std::u16string(sim::SimApplication::CurrentUserAddress);
        app.Deliveries.push_back(sent);
        box->Items().Remove(*item);
        ComPtr<SimFolder> folder = path.empty() ? nullptr : FindFolderByPath(*outlook_, path);
        if (!folder)
            folder = outlook_->DefaultFolder(outlook::olFolderSentMail);
        note_("Outlook sends " + InQuotes(text::Narrow(sent.Subject)) + " from the Outbox");
        folder->Items().Store(SimItem::Create(&app, sim::ItemKind::Mail, sent), true);
    }
}
