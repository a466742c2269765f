// TadxOutlook2007Application: the second, small component on Outlook's
// application events that the add-in module creates for every Outlook with
// the ribbon (major version above 11). Outlook 2007 added events before each
// kind of context menu is shown and when one closes; this component hears
// only those and forwards them to the module's Outlook events component
// (TadxOutlookAppEvents), whose handlers the add-in's author sets.
#pragma once

#include "framework/events/adxCustomEvents.h"

class TadxOutlook2007Application : public TadxCustomEvents {
public:
    // A component serving the module AOwner (the owner check of every event
    // component applies).
    explicit TadxOutlook2007Application(TComponent* AOwner);
    // Disconnects and forgets the module.
    ~TadxOutlook2007Application() override;

    // Takes Server as Outlook's _Application (raises when it is not one) and
    // advises on ApplicationEvents_11, which carries the context-menu events.
    void ConnectTo(IUnknown* Server) override;
    // The same; the version is ignored.
    void ConnectTo(IUnknown* Server, const std::string& Version) override;
    // Unadvises and releases the application; nothing when not connected.
    void Disconnect() override;
    // Forwards the seven context-menu events to the module's HostEvents when
    // it is an Outlook events component; every other event, and any failure
    // (an argument of the wrong kind, a forwarded handler's exception that
    // its component did not report), is dropped.
    void InvokeEvent(DISPID DispID, std::vector<Variant>& Params) override;

    // The module served (nil once the component goes).
    TadxModuleServices* AddInModule() const noexcept { return module_; }
    // The application held while connected, or nullptr.
    IDispatch* Server() const noexcept { return application_.Get(); }

private:
    TadxModuleServices* module_;
    ComPtr<IDispatch> application_;
};
