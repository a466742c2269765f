// The host event components: one TadxCustomEvents descendant per host kind
// that an add-in author drops on the module to receive the host
// application's events in handler properties. Host detection finds the one
// of its host's class among the module's components and connects it to the
// host's application object.
//
// The classes stand here with their connection: ConnectTo holds the host's
// application interface (raising when the object lacks it) and Disconnect
// releases it. Their event sinks and handler properties are not built yet,
// except Word's OnStartup, which detection fires.
#pragma once

#include "framework/adxCustomEvents.h"
#include "platform/com/ComPtr.h"

// A component connected to one application interface of its host.
class TadxHostInterfaceEvents : public TadxCustomEvents {
public:
    void ConnectTo(IUnknown* Server) override;
    void ConnectTo(IUnknown* Server, const std::string& Version) override;
    void Disconnect() override;
    // The host interface held while connected, or nullptr.
    IUnknown* Server() const { return server_.Get(); }

protected:
    // A component of the host whose application interface is intfIid.
    TadxHostInterfaceEvents(TComponent* AOwner, const GUID& intfIid);

private:
    GUID intfIid_;
    ComPtr<IUnknown> server_;
};

class TadxWordAppEvents : public TadxHostInterfaceEvents {
public:
    explicit TadxWordAppEvents(TComponent* AOwner);
    // Fired by host detection once the component is connected.
    TNotifyEvent OnStartup;
};

class TadxExcelAppEvents : public TadxHostInterfaceEvents {
public:
    explicit TadxExcelAppEvents(TComponent* AOwner);
};

class TadxOutlookAppEvents : public TadxHostInterfaceEvents {
public:
    explicit TadxOutlookAppEvents(TComponent* AOwner);
};

class TadxProjectAppEvents : public TadxHostInterfaceEvents {
public:
    explicit TadxProjectAppEvents(TComponent* AOwner);
};

class TadxPowerPointAppEvents : public TadxHostInterfaceEvents {
public:
    explicit TadxPowerPointAppEvents(TComponent* AOwner);
};

class TadxFrontPageAppEvents : public TadxHostInterfaceEvents {
public:
    explicit TadxFrontPageAppEvents(TComponent* AOwner);
};

class TadxMapPointAppEvents : public TadxHostInterfaceEvents {
public:
    explicit TadxMapPointAppEvents(TComponent* AOwner);
};

class TadxVisioAppEvents : public TadxHostInterfaceEvents {
public:
    explicit TadxVisioAppEvents(TComponent* AOwner);
};

class TadxPublisherAppEvents : public TadxHostInterfaceEvents {
public:
    explicit TadxPublisherAppEvents(TComponent* AOwner);
};

class TadxInfoPathAppEvents : public TadxHostInterfaceEvents {
public:
    explicit TadxInfoPathAppEvents(TComponent* AOwner);
};
