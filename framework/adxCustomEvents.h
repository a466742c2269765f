// TadxCustomEvents: the base of the components that deliver a host
// application's events to handler properties (one per host kind, and the
// Outlook 2007 context-menu component). A module holds at most one such
// component per host among its own components; at start-up the module finds
// the one of its host's class and connects it to the host's application
// object (ConnectTo), and it disconnects it again before it is destroyed.
//
// This is the part of the base that the module relies on: the connection
// slots and the event entry point. The sink that advises on the host's
// event interface and hands each event to InvokeEvent belongs here as well;
// concrete components fill in the slots.
#pragma once

#include "platform/com/Unknown.h"
#include "platform/com/Variant.h"
#include "platform/forms/Component.h"

#include <string>
#include <vector>

class TadxCustomEvents : public TComponent {
public:
    // A component owned by AOwner (the add-in module).
    explicit TadxCustomEvents(TComponent* AOwner);
    // Disconnects while the most derived class still exists.
    void BeforeDestruction() override;

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
};
