// The sinks that the Outlook events component (OutlookAppEvents.h) connects
// besides the application: the "MAPI" name space, the Explorers and
// Inspectors collections, the Reminders collection, and one per explorer
// and inspector window. Each is owned by the component, calls its handlers
// with the component as Sender, and is connected to one Outlook object's
// interface. The collections' new-window events also make the new window's
// sink; a window's Close event ends its own sink.
#pragma once

#include "framework/events/adxCustomEvents.h"

#include <utility>

class TadxOutlookAppEvents;

// What the six sinks share: the component whose handlers they call.
class TadxOutlookSubEvents : public TadxHostInterfaceEvents {
public:
    // The events component that owns the sink (nil for another owner).
    TadxOutlookAppEvents* Events() const noexcept { return events_; }

protected:
    TadxOutlookSubEvents(TComponent* AOwner, TadxServerData& Data, const std::string& className);
    // Fires one of the component's handlers, when it is assigned, with the
    // component as Sender; false when the handler freed this sink (its
    // window closed, or the add-in turned off). An exception goes on to the
    // sink's delivery, which reports it.
    template <class Handler, class... Args> bool Fire(const Handler& handler, Args&&... args) {
        return rtl::FireSurvives(Liveness(), handler, events_, std::forward<Args>(args)...);
    }

    TadxOutlookAppEvents* events_;
};

class TadxOutlookNameSpaceEvents : public TadxOutlookSubEvents {
public:
    explicit TadxOutlookNameSpaceEvents(TComponent* AOwner);
    // OptionsPagesAdd and AutoDiscoverComplete.
    void InvokeEvent(DISPID DispID, std::vector<Variant>& Params) override;
};

class TadxOutlookExplorersEvents : public TadxOutlookSubEvents {
public:
    explicit TadxOutlookExplorersEvents(TComponent* AOwner);
    // NewExplorer: the handler, then a sink for the new window.
    void InvokeEvent(DISPID DispID, std::vector<Variant>& Params) override;
};

class TadxOutlookInspectorsEvents : public TadxOutlookSubEvents {
public:
    explicit TadxOutlookInspectorsEvents(TComponent* AOwner);
    // NewInspector: the handler, then a sink for the new window unless it shows a note.
    void InvokeEvent(DISPID DispID, std::vector<Variant>& Params) override;
};

class TadxOutlookRemindersEvents : public TadxOutlookSubEvents {
public:
    explicit TadxOutlookRemindersEvents(TComponent* AOwner);
    // The reminders' six events.
    void InvokeEvent(DISPID DispID, std::vector<Variant>& Params) override;
};

class TadxOutlookExplorerEvents : public TadxOutlookSubEvents {
public:
    explicit TadxOutlookExplorerEvents(TComponent* AOwner);
    // Advises on ExplorerEvents with Outlook 2000 ("9"), ExplorerEvents_10 later.
    void ConnectTo(IUnknown* Server, const std::string& Version) override;
    using TadxOutlookSubEvents::ConnectTo;
    // The explorer's fifteen events; Close also ends the sink.
    void InvokeEvent(DISPID DispID, std::vector<Variant>& Params) override;
};

class TadxOutlookInspectorEvents : public TadxOutlookSubEvents {
public:
    explicit TadxOutlookInspectorEvents(TComponent* AOwner);
    // Advises on InspectorEvents with Outlook 2000 ("9"), InspectorEvents_10 later.
    void ConnectTo(IUnknown* Server, const std::string& Version) override;
    using TadxOutlookSubEvents::ConnectTo;
    // The inspector's eight events; Close also ends the sink.
    void InvokeEvent(DISPID DispID, std::vector<Variant>& Params) override;
};
