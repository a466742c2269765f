// The server wrappers of Outlook's application and its "MAPI" name space.
//
// TOutlookApplication advises on the application events of the Outlook it is
// connected to: ApplicationEvents for Outlook 2000, ApplicationEvents_10 for
// Outlook 2002, ApplicationEvents_11 from Outlook 2003 on (the version is
// read from the server when it connects), unless SetEventIID fixed one.
#pragma once

#include "platform/outlook/ApplicationEvents.h"
#include "platform/outlook/OleServer.h"
#include "platform/outlook/OutlookEvents.h"
#include "platform/outlook/OutlookObjects.h"

class TOutlookApplication : public TOleServer,
                            public outlook::ApplicationMembers,
                            public outlook::ApplicationEventHandlers {
public:
    // A wrapper not connected yet; its handlers come from ApplicationEventHandlers.
    explicit TOutlookApplication(TComponent* AOwner);
    // The connected application that the typed members call (null until connected).
    IDispatch* Target() const override { return ServerDisp(); }

protected:
    const GUID& IntfIID() const override { return outlook::IID__Application; }
    GUID ChooseEventIID(IDispatch* server) const override;
    void InvokeEvent(DISPID id, TEventArgs& args) override;
};

class TNameSpace : public TOleServer, public outlook::NameSpaceMembers {
public:
    // A wrapper not connected yet.
    explicit TNameSpace(TComponent* AOwner);
    // The connected name space that the typed members call (null until connected).
    IDispatch* Target() const override { return ServerDisp(); }

    // OptionsPagesAdd (Pages, Folder): a folder's properties dialog is being built.
    TOlPagesFolderEvent OnOptionsPagesAdd;
    // AutoDiscoverComplete: the account's server settings are known.
    TNotifyEvent OnAutoDiscoverComplete;

protected:
    const GUID& IntfIID() const override { return outlook::IID__NameSpace; }
    void InvokeEvent(DISPID id, TEventArgs& args) override;
};
