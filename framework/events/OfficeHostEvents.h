// The event components of the Office hosts other than Outlook, one per host
// kind, which an add-in's author puts on the module to hear the host
// application's events. Host detection finds the one of its host's class
// among the module's components and connects it to the host's application
// object with the host's major version. Each is a table-driven component
// (TableEvents.h) over its host's table (HostEventTable.h): one handler per
// method of the host's event interface, named "On" and the method's name.
// Word and Project choose their event interface by version; InfoPath
// advises on the object its application hands out for its events.
#pragma once

#include "framework/events/TableEvents.h"

class TadxWordAppEvents : public TadxTableEvents {
public:
    explicit TadxWordAppEvents(TComponent* AOwner);
    // "9": Word 2000's interface, "10": 2002's, any other: 2003's and later.
    void ConnectTo(IUnknown* Server, const std::string& Version) override;
    using TadxTableEvents::ConnectTo;
    // Fired by host detection once the component is connected, and for the
    // host's own Startup event.
    TNotifyEvent OnStartup;

protected:
    void Fire(size_t index, std::vector<Variant>& Params, Variant& Result) override;
};

class TadxExcelAppEvents : public TadxTableEvents {
public:
    explicit TadxExcelAppEvents(TComponent* AOwner);
};

class TadxProjectAppEvents : public TadxTableEvents {
public:
    explicit TadxProjectAppEvents(TComponent* AOwner);
    // "9": the first generation's interface; any other: both generations'.
    void ConnectTo(IUnknown* Server, const std::string& Version) override;
    using TadxTableEvents::ConnectTo;
};

class TadxPowerPointAppEvents : public TadxTableEvents {
public:
    explicit TadxPowerPointAppEvents(TComponent* AOwner);
};

class TadxFrontPageAppEvents : public TadxTableEvents {
public:
    explicit TadxFrontPageAppEvents(TComponent* AOwner);
};

class TadxMapPointAppEvents : public TadxTableEvents {
public:
    explicit TadxMapPointAppEvents(TComponent* AOwner);
};

class TadxVisioAppEvents : public TadxTableEvents {
public:
    explicit TadxVisioAppEvents(TComponent* AOwner);
};

class TadxPublisherAppEvents : public TadxTableEvents {
public:
    explicit TadxPublisherAppEvents(TComponent* AOwner);
};

class TadxInfoPathAppEvents : public TadxTableEvents {
public:
    explicit TadxInfoPathAppEvents(TComponent* AOwner);
    // Unadvises from the event object while this class still chooses it.
    ~TadxInfoPathAppEvents() override;

protected:
    // The object the application hands out for its events (read afresh at
    // connection and at disconnection).
    ComPtr<IUnknown> EventSource(IDispatch* server) override;
};
