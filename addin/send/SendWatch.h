// The watch on Outlook's own sends (SendWatch.cpp). While a default action
// is configured, one mail item at a time is watched: its Send event runs the
// default actions, and its Reply, Reply All and Forward events note the
// answered message's categories. TSendWatch does it over the send actions it
// extends; the add-in module is one, and gives it the two timers of its
// stored form; the module's handlers of Outlook's window events and of the
// timers hand over to it.
#pragma once

#include "addin/send/SendActions.h"

#include <memory>
#include <vector>

class TTimer;

// The watched mail item and the events that start and end its watch.
class TSendWatch : public TSendActions {
public:
    // The wrapper of the watched mail item (no owner); empty while none is watched.
    std::unique_ptr<TMailItem> WatchedItem;

    // An inspector was activated: the watch on its message starts after timerdelay.
    void WatchActivatedInspector();
    // The explorer's selection changed: the first selected message is watched.
    void WatchSelection();
    // The first try: watches the active inspector's message, or tries once
    // more after twice the delay.
    void FirstWatchTry();
    // The second and last try.
    void SecondWatchTry();
    // Watches Item (Send, Reply, Reply All, Forward) when it is a mail item,
    // in place of the one watched before.
    void AttachOnReplyEvent(const ComPtr<IDispatch>& Item);
    // The watched message is answered: notes its categories.
    void DoOnReply(TObject* Sender, const ComPtr<IDispatch>& Response, WordBool& Cancel);
    // The watched message is sent: runs the default actions unless the
    // product's own button sends it, and leaves it without categories.
    void DoOnSend(TObject* Sender, WordBool& Cancel);

protected:
    // The timer of the watch's first (Try 1) or second (Try 2) try; nullptr
    // when the owner was made without it.
    virtual TTimer* WatchTimer(int Try) const = 0;
    // Stops both timers of the watch.
    void StopWatchTimers();
    // Disconnects and drops the watched item's wrapper.
    void DropWatchedItem();

private:
    // Events of the watched item running now; a wrapper replaced during one
    // of them is kept (disconnected) until no event runs.
    int watchedEvents_ = 0;
    std::vector<std::unique_ptr<TMailItem>> retiredItems_;
};
