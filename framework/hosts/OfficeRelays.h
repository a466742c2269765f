// The add-in object's relays of the Word, Excel, InfoPath and Visio window
// events: hooked at the end of start-up on the host wrapper's events, each
// chained to the handler that was assigned there before. They point the
// module's command bars at the window that is now current, make its custom
// task panes, and call the previous handler; Visio's command bars follow a
// window activation 200 ms later, through one timer that each activation
// starts again and that goes with the relays at disconnection.
//
// The relays belong to the add-in object and go when the connection ends,
// which a handler may bring about: every relay asks the lifetime rule after
// each call that may have done so.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/rtl/Lifetime.h"
#include "platform/rtl/Object.h"

#include <functional>
#include <memory>

class TadxModuleServices;
class TTimer;

class TadxOfficeRelays {
public:
    // The relays of a connection; moduleOf gives its module (nil once it ended).
    explicit TadxOfficeRelays(std::function<TadxModuleServices*()> moduleOf);
    // Stops the Visio timer and gives the host wrapper its previous handlers back.
    ~TadxOfficeRelays();
    TadxOfficeRelays(const TadxOfficeRelays&) = delete;
    TadxOfficeRelays& operator=(const TadxOfficeRelays&) = delete;

    // Hooks the events of the module's host wrapper (Word, Excel, InfoPath
    // or Visio; nothing for the other hosts) and advises it on the host.
    void Hook();

    void DoWordWindowActivate(TObject* Sender, IDispatch* Doc, IDispatch* Wn);
    void DoWordDocumentOpen(TObject* Sender, IDispatch* Doc);
    void DoWordNewDocument(TObject* Sender, IDispatch* Doc);
    void DoWordDocumentChange(TObject* Sender);
    void DoWorkbookActivate(TObject* Sender, IDispatch* Wb);
    void DoSheetActivate(TObject* Sender, IDispatch* Sh);
    void DoInfoPathWindowActivate(TObject* Sender, IDispatch* Doc, IDispatch* Wn);
    void DoInfoPathNewXDocument(TObject* Sender, IDispatch* Doc);
    void DoInfoPathXDocumentOpen(TObject* Sender, IDispatch* Doc);
    void DoVisioWindowActivated(TObject* Sender, IDispatch* Window);
    // The Visio timer's tick.
    void DoVisioReconnect(TObject* Sender);

    // The timer of the Visio reconnection (owned).
    TTimer& VisioTimer() const noexcept { return *visioTimer_; }

private:
    struct Previous;
    void WordDocumentPanes(IDispatch* Doc);
    void InfoPathDocument(TObject* Sender, IDispatch* Doc, bool opened);
    template <class H, class... A> bool CallPrevious(const H& previous, bool report, A&&... args);
    // The bars of the module's command-bar components, attached again to
    // its current CommandBars; false when the relays went meanwhile.
    bool ReconnectBars();

    std::function<TadxModuleServices*()> moduleOf_;
    std::unique_ptr<Previous> previous_;
    TTimer* visioTimer_;
    rtl::TLiveness Liveness;
};
