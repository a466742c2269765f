// The event components of the Office hosts other than Outlook, one per host
// kind, which an add-in's author puts on the module to hear the host
// application's events. Host detection finds the one of its host's class
// among the module's components and connects it to the host's application
// object: each holds the host's application interface (raising when the
// object lacks it). Their event interfaces and handler properties are not
// built yet, except Word's OnStartup, which detection fires.
#pragma once

#include "framework/events/adxCustomEvents.h"

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
