// TadxCustomEvents: the base of the components that deliver a host
// application's events to handler properties (one per host kind, Outlook's
// window and collection sinks, and the Outlook 2007 context-menu component).
// A component owns one event sink (TadxEventDispatch, EventDispatch.h),
// knows the event interface to advise on, connects and disconnects, and
// receives every event of its host as a call of InvokeEvent with the
// event's DISPID and its arguments in declaration order. A concrete
// component fills in its class record, the host interface it casts to and
// its DISPID table.
//
// The module holds at most one such component per host among its own
// components; at start-up it finds the one of its host's class and connects
// it to the host's application object, and disconnects it before it goes.
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"
#include "platform/forms/Component.h"
#include "platform/rtl/Lifetime.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TadxModuleServices;
class TadxEventDispatch;

// What a component class knows of its host object: one static record per
// class. EventIID is the class's default event interface; a component whose
// interface depends on the host's version keeps its own choice (EventIID()).
struct TadxServerData {
    // The host's coclass (for information).
    GUID ClassID;
    // The host object's interface the component casts to.
    GUID IntfIID;
    // The event interface the sink answers and advises on.
    GUID EventIID;
    // Always nil.
    void* Reserved = nullptr;
    // 500 in every record.
    int32_t Version = 500;
    // Live components of the class.
    int32_t InstanceCount = 0;
};

class TadxCustomEvents : public TComponent {
public:
    // A component owned by AOwner, which must be the add-in module or the
    // Outlook events component (or derive from one of them); any other
    // owner, or none, raises EOleSysError 31113 "The %s class cannot be
    // contained in the %s class." with className and the owner's class.
    // Data is the class's record; the component counts in it while it lives.
    TadxCustomEvents(TComponent* AOwner, TadxServerData& Data, const std::string& className);
    // A component with no host interface of its own (a record of nil IIDs).
    explicit TadxCustomEvents(TComponent* AOwner);
    // Disconnects while the most derived class still exists.
    void BeforeDestruction() override;
    // Lets the sink go (it is freed once the host lets go of it too) and
    // leaves the class's count.
    ~TadxCustomEvents() override;

    // Connects to the host object Server: disconnects first, then holds the
    // host's interface and advises on its events. Raises when Server lacks
    // the interface the component serves.
    virtual void ConnectTo(IUnknown* Server) = 0;
    // The same for a host of major version Version (decimal text); components
    // whose event interface depends on the version choose it here.
    virtual void ConnectTo(IUnknown* Server, const std::string& Version) = 0;
    // Stops the events and releases the host's interface; nothing when not connected.
    virtual void Disconnect() = 0;
    // One event of the host: its DISPID and its arguments in declaration
    // order (by-reference arguments still point at the host's storage).
    // Nothing in the base.
    virtual void InvokeEvent(DISPID DispID, std::vector<Variant>& Params) {}
    // The same for an event that returns a value to the host: Result is
    // empty until a handler answers (the host then reads its default).
    // InvokeEvent in the base.
    virtual void InvokeEventWithResult(DISPID DispID, std::vector<Variant>& Params,
                                       Variant& Result) {
        InvokeEvent(DispID, Params);
    }

    // The class's record.
    const TadxServerData& ServerData() const noexcept { return *serverData_; }
    // The event interface this component answers and advises on.
    const GUID& EventIID() const noexcept { return eventIid_; }
    // The connection-point cookie; 0 while not advised.
    uint32_t EventsConnection() const noexcept { return eventsConnection_; }
    // The sink the host calls (owned; the host holds references to it).
    TadxEventDispatch* EventDispatch() const noexcept { return eventDispatch_; }
    // The add-in module this component reports to: its owner, or its
    // owner's owner for the sinks of the Outlook events component.
    TadxModuleServices* Module() const noexcept;

    // The component's own reference count, which the sink's references add
    // to; reaching 0 never frees the component.
    ULONG _AddRef() noexcept { return ++refCount_; }
    ULONG _Release() noexcept { return --refCount_; }
    ULONG RefCount() const noexcept { return refCount_; }

    // The component's life: it ends when the component is freed, which a
    // handler of one of its events may do (a window sink closed with its
    // window, every component when the add-in is turned off). Its events are
    // fired by adxFire with it (support/ModuleServices.h); the sink delivering an event
    // asks it before touching the component again.
    const rtl::TLiveness& Liveness() const noexcept { return liveness_; }

protected:
    // Ends the component's life before a subclass's destructor goes on to
    // unadvise: what its handlers see from then on is a freed component.
    void EndLiveness() noexcept { liveness_.End(); }
    // Advises the sink on Server's connection point for EventIID() and keeps
    // the cookie; any failure leaves the component silently unadvised.
    void ConnectEvents(IUnknown* Server) noexcept;
    // Unadvises the cookie from Server's connection point for EventIID();
    // failures are silent.
    void DisconnectEvents(IUnknown* Server) noexcept;
    // Chooses this component's event interface (before it connects).
    void SetEventIID(const GUID& iid) noexcept { eventIid_ = iid; }

private:
    friend class TadxEventDispatch;

    void CheckOwner(TComponent* AOwner, const std::string& className) const;

    TadxServerData* serverData_;
    ULONG refCount_ = 0;
    TadxEventDispatch* eventDispatch_ = nullptr;
    uint32_t eventsConnection_ = 0;
    GUID eventIid_;
    rtl::TLiveness liveness_;
};

// A component connected to one interface of its host: ConnectTo casts the
// server to the class's IntfIID (a server without it raises the platform's
// cast error, EOleSysError E_NOINTERFACE), holds it and advises; Disconnect
// unadvises and releases it. The other hosts' components and Outlook's
// collection and window sinks are built on it.
class TadxHostInterfaceEvents : public TadxCustomEvents {
public:
    void ConnectTo(IUnknown* Server) override;
    // Version is ignored.
    void ConnectTo(IUnknown* Server, const std::string& Version) override;
    void Disconnect() override;
    // The host interface held while connected, or nullptr.
    IDispatch* Server() const noexcept { return server_.Get(); }

protected:
    TadxHostInterfaceEvents(TComponent* AOwner, TadxServerData& Data, const std::string& className);
    ~TadxHostInterfaceEvents() override;

private:
    ComPtr<IDispatch> server_;
};

// The object a variant argument holds, cast to the interface iid (what an
// event handler's interface parameter receives): nil for an empty argument
// or Nothing; raises EOleSysError E_NOINTERFACE when the object lacks iid.
ComPtr<IDispatch> adxCastArgument(const Variant& argument, const GUID& iid);
