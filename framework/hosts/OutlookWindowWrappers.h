// The add-in object's wrappers of Outlook's windows: one explorer wrapper
// (the platform's TExplorer) per explorer and one TadxInspector per
// inspector that the window relays keep (AddInRelays.cpp).
//
// A window's Close event frees its wrapper from inside the wrapper's own
// event. TadxWindowWrapper keeps a wrapper alive until the event that is
// being delivered to it returns: FreeAfterEvents disconnects it at once (no
// further event reaches it) and frees it then.
#pragma once

#include "platform/outlook/OutlookWindows.h"

#include <string>
#include <utility>
#include <vector>

template <class W> class TadxWindowWrapper : public W {
public:
    // A wrapper with no owner (the add-in object frees it).
    explicit TadxWindowWrapper(TComponent* AOwner) : W(AOwner) {}

    // Keeps a wrapper alive while a relay works on it: a free asked for
    // meanwhile happens when the last hold or event is over.
    class THold {
    public:
        THold() noexcept = default;
        explicit THold(TadxWindowWrapper* wrapper) noexcept : wrapper_(wrapper) {
            if (wrapper_)
                ++wrapper_->eventDepth_;
        }
        THold(THold&& other) noexcept : wrapper_(std::exchange(other.wrapper_, nullptr)) {}
        THold(const THold&) = delete;
        THold& operator=(const THold&) = delete;
        THold& operator=(THold&&) = delete;
        ~THold() {
            if (wrapper_)
                wrapper_->EventDone();
        }

    private:
        TadxWindowWrapper* wrapper_ = nullptr;
    };
    // A hold on this wrapper.
    THold Hold() noexcept { return THold(this); }

    // Disconnects now and frees the wrapper now or, inside one of its own
    // events or holds, once the last of them is over.
    void FreeAfterEvents() {
        this->Disconnect();
        if (eventDepth_ > 0)
            freePending_ = true;
        else
            this->Free();
    }

protected:
    void InvokeEvent(DISPID id, TEventArgs& args) override {
        ++eventDepth_;
        try {
            W::InvokeEvent(id, args);
        } catch (...) {
            EventDone();
            throw;
        }
        EventDone();
    }

private:
    // Ends one delivery; the last one frees a wrapper whose free was asked for.
    void EventDone() {
        if (--eventDepth_ == 0 && freePending_)
            this->Free();
    }

    int eventDepth_ = 0;
    bool freePending_ = false;
};

// The wrapper of one explorer window.
using TadxExplorerWrapper = TadxWindowWrapper<TExplorer>;

// The wrapper of one inspector window, with what the add-in keeps of it.
class TadxInspector : public TadxWindowWrapper<TInspector> {
public:
    // An empty command-bar list, not a mail window.
    explicit TadxInspector(TComponent* AOwner) : TadxWindowWrapper(AOwner) {}

    // Detaches the add-in's command bars placed in this inspector from it;
    // with ClearAll (the last inspector) the bars' buttons, combo boxes and
    // pop-ups let go of their host controls too.
    void ClearCommandBars(bool ClearAll);

    // The full name of the active explorer's folder when the inspector
    // opened; empty when it could not be read.
    std::string FolderPath;
    // The add-in's command bars placed in this inspector (not owned).
    std::vector<TObject*> PlacedCommandBars;
    // The inspector shows a mail item (class 43).
    bool IsMail = false;
};
