// Outlook working offline, as a script plays it. Outlook hands a message to
// its transport when it is sent; while it works offline the message waits in
// the Outbox, and its sent copy is stored (in the folder named as its
// SaveSentMessageFolder, else in Sent Items) only when Outlook is online
// again, possibly after a restart. The simulated Outlook delivers at once,
// so the host keeps the messages back itself: it cancels the application's
// ItemSend event, which Outlook raises after the item's own Send event (the
// one the add-in handles), then moves the message into the Outbox and later
// sends it from there as the transport does.
//
// What waits survives a restart of Outlook with the stores (MailboxImage);
// the folder each message's sent copy goes to is kept here, by its path,
// under the message's conversation index. Messages that came into the Outbox
// otherwise stay where they are.
#pragma once

#include "platform/outlook/OutlookApplication.h"
#include "platform/sim/outlook/OutlookSim.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class Outbox {
public:
    // Tells what happened ("... waits in the Outbox") to the step that runs.
    explicit Outbox(std::function<void(const std::string&)> note) : note_(std::move(note)) {}
    ~Outbox();

    // Watches outlook's sends from now on (null: no Outlook).
    void Attach(sim::OutlookSim* outlook);
    // True while Outlook works offline (also across restarts).
    bool IsOffline() const { return offline_; }
    // Outlook goes offline, or online again (nothing is sent here: Send does it).
    void SetOffline(bool offline) { offline_ = offline; }
    // True when a send of item was held back and waits for Settle.
    bool Holds(const sim::SimItem& item) const;
    // Moves the messages held back into the Outbox, closing their windows.
    void Settle();
    // Sends every message waiting in the Outbox: the recipients receive it
    // and its sent copy is stored, as when Outlook's transport connects.
    void Send();
    // The number of messages waiting in the Outbox.
    size_t Waiting() const { return waiting_.size(); }

private:
    void ItemSend(const ComPtr<IDispatch>& item, WordBool& cancel);

    std::function<void(const std::string&)> note_;
    sim::OutlookSim* outlook_ = nullptr;
    std::unique_ptr<TOutlookApplication> application_;
    bool offline_ = false;
    std::vector<ComPtr<sim::SimItem>> held_;
    // Each waiting message: its conversation index, and the path of the
    // folder its sent copy goes to ("": Sent Items).
    std::vector<std::pair<std::u16string, std::u16string>> waiting_;
};
