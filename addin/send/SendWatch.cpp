// The watch on Outlook's own sends. While a default action is configured,
// one mail item at a time is watched: the one in the active inspector
// (found by two timed tries after the inspector is activated, since Outlook
// may not have filled the window yet) or, in the main window, the first one
// selected. Its Send event runs the default actions, and its Reply, Reply
// All and Forward events note the answered message's categories for
// "Maintain Categories".
#include "addin/send/SendWatch.h"

#include "addin/settings/ProductTrace.h"
#include "addin/settings/ProgramState.h"
#include "addin/settings/QelError.h"
#include "addin/settings/QelLog.h"
#include "platform/forms/Timer.h"
#include "platform/outlook/Outlook.h"
#include "platform/text/Text.h"

#include <algorithm>

namespace {

// The watch's delay in milliseconds. A timer of 0 never runs, so a delay
// below 1 from a hand-edited file counts as 1: the message is still watched.
unsigned WatchDelay() {
    return static_cast<unsigned>(std::max<int32_t>(ProgramState().timerdelay, 1));
}

// A timer of the stored form; raises when the module was made without it.
TTimer& Need(TTimer* timer) {
    if (!timer)
        throw EQelError("The module has no timer.");
    return *timer;
}

// Counts the watched item's events that are running (see DropWatchedItem).
struct EventScope {
    int& depth;
    explicit EventScope(int& d) : depth(d) { ++depth; }
    ~EventScope() { --depth; }
};

} // namespace

void TSendWatch::WatchActivatedInspector() {
    try {
        if (ProgramState().anydefaultaction) {
            Need(WatchTimer(1)).SetInterval(WatchDelay());
            Need(WatchTimer(1)).SetEnabled(true);
        } else {
            Need(WatchTimer(1)).SetEnabled(false);
        }
    } catch (...) {
        TQelLog::Log("Exception in adxCOMAddInModuleOLInspectorActivate");
    }
}

void TSendWatch::WatchSelection() {
    try {
        if (!ProgramState().anydefaultaction)
            return;
        outlook::Selection selection = OutlookHost().ActiveExplorer().GetSelection();
        AttachOnReplyEvent(selection.Count() > 0 ? selection.Item(1) : ComPtr<IDispatch>());
    } catch (...) {
        TQelLog::Log("Exception in adxCOMAddInModuleOLExplorerSelectionChange");
    }
}

void TSendWatch::FirstWatchTry() {
    try {
        Need(WatchTimer(1)).SetEnabled(false);
        if (outlook::Inspector inspector = OutlookHost().ActiveInspector()) {
            AttachOnReplyEvent(inspector.CurrentItem());
        } else {
            TQelLog::Log("Timer 1 - no Inspector assigned yet - waiting some more");
            Need(WatchTimer(2)).SetInterval(2 * WatchDelay());
            Need(WatchTimer(2)).SetEnabled(true);
        }
    } catch (...) {
        TQelLog::Log("Exception in Timer1Timer");
    }
}

void TSendWatch::SecondWatchTry() {
    try {
        Need(WatchTimer(2)).SetEnabled(false);
        if (outlook::Inspector inspector = OutlookHost().ActiveInspector())
            AttachOnReplyEvent(inspector.CurrentItem());
        else
            TQelLog::Log("Timer 2 - no Inspector assigned - going exit");
    } catch (...) {
        TQelLog::Log("Exception in Timer2Timer");
    }
}

void TSendWatch::AttachOnReplyEvent(const ComPtr<IDispatch>& Item) {
    try {
        if (!Item || outlook::Item(Item).Class() != outlook::olMail)
            return;
        DropWatchedItem();
        auto watched = std::make_unique<TMailItem>(nullptr);
        watched->ConnectTo(Item);
        watched->OnSend = [this](TObject* Sender, WordBool& Cancel) { DoOnSend(Sender, Cancel); };
        auto reply = [this](TObject* Sender, const ComPtr<IDispatch>& Response, WordBool& Cancel) {
            DoOnReply(Sender, Response, Cancel);
        };
        watched->OnReply = reply;
        watched->OnReplyAll = reply;
        watched->OnForward = reply;
        WatchedItem = std::move(watched);
        ProductTrace("watching " + Quoted(text::Narrow(WatchedItem->Subject())));
    } catch (...) {
        // A message that cannot be watched is simply not watched.
    }
}

void TSendWatch::DropWatchedItem() {
    if (watchedEvents_ == 0)
        retiredItems_.clear();
    if (!WatchedItem)
        return;
    WatchedItem->Disconnect();
    // The item may be dropped from inside one of its own events (the send
    // actions let window timers run): the wrapper whose event is running is
    // kept until no event runs any more.
    if (watchedEvents_ > 0)
        retiredItems_.push_back(std::move(WatchedItem));
    else
        WatchedItem.reset();
}

void TSendWatch::StopWatchTimers() {
    for (int watchTry : {1, 2})
        if (TTimer* timer = WatchTimer(watchTry))
            timer->SetEnabled(false);
}

void TSendWatch::DoOnReply(TObject* Sender, const ComPtr<IDispatch>&, WordBool&) {
    EventScope running(watchedEvents_);
    try {
        ReplyCategories.clear();
        if (auto* item = dynamic_cast<TMailItem*>(Sender)) {
            ReplyCategories = text::Narrow(item->Categories());
            ProductTrace("answering " + Quoted(text::Narrow(item->Subject())) +
                         ", its categories noted: " + Quoted(ReplyCategories));
        }
    } catch (...) {
        TQelLog::Log("Exception in DoOnReply");
    }
}

void TSendWatch::DoOnSend(TObject* Sender, WordBool&) {
    EventScope running(watchedEvents_);
    TProgramState& state = ProgramState();
    try {
        auto* item = dynamic_cast<TMailItem*>(Sender);
        outlook::MailItem sending(item ? item->DefaultInterface() : nullptr);
        state.ItemBeingSent = sending;
        // The categories reach only the sent copy (through the pending
        // entry), never the recipients; a message that cannot leave keeps them.
        if (state.OwnSend || ActOnOutlooksSend(sending))
            sending.SetCategories(u"");
    } catch (...) {
        // Outlook goes on sending whatever happened here.
    }
    state.ItemBeingSent = outlook::MailItem();
    state.OwnSend = false;
}
