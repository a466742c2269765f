// TOleServer: the class library's wrapper of one COM server object with one
// event interface, the base of the Outlook wrappers (TOutlookApplication,
// TNameSpace, TExplorer, TMailItem, ...) and of any other wrapper of a
// server with events (a derived class names the default interface, sets its
// event interface and handles InvokeEvent).
//
// ConnectTo takes the server object, casts it to the wrapper's default
// interface (IntfIID; a server without it raises, as the class library's
// cast does) and advises an internal sink on the server's connection point
// for the event interface (EventIID; a server without that point is simply
// not advised). Each event then arrives as InvokeEvent with its DISPID and
// its arguments in declaration order; by-reference arguments stay by
// reference, so a handler that sets Cancel writes into the server's storage.
// Disconnect unadvises and releases the server: no event reaches the
// wrapper after it, even from a server that still holds the sink.
//
// The wrappers are components; the framework creates them with no owner and
// frees them itself. Their handlers are std::function members (empty means
// unassigned) that receive the wrapper as Sender.
#pragma once

#include "platform/com/Com.h"
#include "platform/forms/Component.h"
#include "platform/rtl/Lifetime.h"

#include <deque>
#include <string>
#include <vector>

// The arguments of one event as the wrappers' InvokeEvent reads them, in
// declaration order. A by-reference argument gives the server's storage, so
// a handler's write reaches the server; a by-value one gives storage of its
// own, which the handler may write but the server never sees.
class TEventArgs {
public:
    explicit TEventArgs(std::vector<Variant> args) : args_(std::move(args)) {}
    TEventArgs(const TEventArgs&) = delete;
    TEventArgs& operator=(const TEventArgs&) = delete;
    // Writes what handlers set through VT_BYREF | VT_VARIANT arguments back.
    ~TEventArgs();

    // Number of arguments.
    size_t Count() const noexcept { return args_.size(); }
    // Argument i as given (empty when the event has fewer).
    const Variant& operator[](size_t i) const;
    // The object of argument i (null when it holds none).
    ComPtr<IDispatch> Object(size_t i) const;
    // The text and the integer of argument i.
    std::u16string Text(size_t i) const;
    int Integer(size_t i) const;
    // A WordBool argument (Cancel), writable.
    WordBool& Flag(size_t i);
    // A text argument, writable.
    std::u16string& TextRef(size_t i);
    // A variant argument, writable.
    Variant& Value(size_t i);

private:
    std::vector<Variant> args_;
    std::deque<WordBool> flags_;
    std::deque<std::u16string> texts_;
    std::deque<Variant> values_;
    // Storage handed out for a VT_BYREF | VT_VARIANT argument, written back at the end.
    struct WriteBack {
        Variant* Target;
        WordBool* Flag;
        std::u16string* Text;
    };
    std::vector<WriteBack> writeBacks_;
};

class TOleServer : public TComponent {
public:
    explicit TOleServer(TComponent* AOwner);
    // Disconnects first.
    ~TOleServer() override;

    // Connects to server (see the top of the file); a wrapper already
    // connected is disconnected first. Raises EOleSysError (E_NOINTERFACE)
    // when server lacks the default interface; a null server only disconnects.
    void ConnectTo(IUnknown* server);
    void ConnectTo(const ComPtr<IDispatch>& server) {
        ConnectTo(static_cast<IUnknown*>(server.Get()));
    }
    // The object held by a variant (an empty one only disconnects).
    void ConnectTo(const Variant& server);
    // Unadvises and releases the server; nothing when not connected.
    // Wrappers that hold more of the server override it and call it.
    virtual void Disconnect();
    // True while a server is held.
    bool Connected() const noexcept { return bool(intf_); }
    // True while the sink is advised on the server.
    bool EventsConnected() const noexcept { return cookie_ != 0; }
    // The wrapper's life: a handler of its events may free it (a window
    // closed from its own Close event). Whoever goes on with a wrapper after
    // one of its handlers takes a watch of it first (platform/rtl/Lifetime.h).
    const rtl::TLiveness& Liveness() const noexcept { return liveness_; }
    // The server's default interface (empty while not connected).
    ComPtr<IDispatch> DefaultInterface() const { return intf_; }
    // The event interface advised on by the last ConnectTo.
    const GUID& EventIID() const noexcept { return eventIid_; }
    // Fixes the event interface for later connections instead of the
    // wrapper's choice.
    void SetEventIID(const GUID& iid);

protected:
    // The default interface ConnectTo casts to.
    virtual const GUID& IntfIID() const = 0;
    // The event interface to advise on for server; the default is the one
    // given to the constructor.
    virtual GUID ChooseEventIID(IDispatch* server) const { return defaultEventIid_; }
    // One event: its DISPID and arguments in declaration order. Unknown
    // DISPIDs are ignored.
    virtual void InvokeEvent(DISPID id, TEventArgs& args) = 0;
    // Sets the event interface the wrapper advises on unless told otherwise.
    void SetDefaultEventIID(const GUID& iid) noexcept { defaultEventIid_ = iid; }
    // The held interface, for the typed accessors (null while not connected).
    IDispatch* ServerDisp() const noexcept { return intf_.Get(); }

private:
    class EventSink;

    ComPtr<IDispatch> intf_;
    ComPtr<EventSink> sink_;
    uint32_t cookie_ = 0;
    GUID eventIid_{};
    GUID defaultEventIid_{};
    bool eventIidFixed_ = false;
    rtl::TLiveness liveness_;
};
