// The server wrappers of Outlook's application and its "MAPI" name space.
//
// TOutlookApplication advises on the application events of the Outlook it is
// connected to: ApplicationEvents for Outlook 2000, ApplicationEvents_10 for
// Outlook 2002, ApplicationEvents_11 from Outlook 2003 on (the version is
// read from the server when it connects), unless SetEventIID fixed one.
#pragma once

#include "platform/outlook/OleServer.h"
#include "platform/outlook/OutlookEvents.h"
#include "platform/outlook/OutlookObjects.h"

class TOutlookApplication : public TOleServer, public outlook::ApplicationMembers {
public:
    explicit TOutlookApplication(TComponent* AOwner);
    IDispatch* Target() const override { return ServerDisp(); }

    // ItemSend (Item, Cancel): an item is about to be sent.
    TOlObjectCancelEvent OnItemSend;
    TNotifyEvent OnNewMail;
    // Reminder (Item).
    TOlObjectEvent OnReminder;
    // OptionsPagesAdd (Pages): Outlook's options dialog is being built.
    TOlObjectEvent OnOptionsPagesAdd;
    TNotifyEvent OnStartup;
    TNotifyEvent OnQuit;
    // AdvancedSearchComplete and AdvancedSearchStopped (SearchObject).
    TOlObjectEvent OnAdvancedSearchComplete;
    TOlObjectEvent OnAdvancedSearchStopped;
    TNotifyEvent OnMAPILogonComplete;
    // NewMailEx (EntryIDCollection).
    TOlTextEvent OnNewMailEx;
    // ItemLoad (Item).
    TOlObjectEvent OnItemLoad;
    // BeforeFolderSharingDialog (FolderToShare, Cancel).
    TOlObjectCancelEvent OnBeforeFolderSharingDialog;

protected:
    const GUID& IntfIID() const override { return outlook::IID__Application; }
    GUID ChooseEventIID(IDispatch* server) const override;
    void InvokeEvent(DISPID id, TEventArgs& args) override;
};

class TNameSpace : public TOleServer, public outlook::NameSpaceMembers {
public:
    explicit TNameSpace(TComponent* AOwner);
    IDispatch* Target() const override { return ServerDisp(); }

    // OptionsPagesAdd (Pages, Folder): a folder's properties dialog is being built.
    TOlPagesFolderEvent OnOptionsPagesAdd;
    TNotifyEvent OnAutoDiscoverComplete;

protected:
    const GUID& IntfIID() const override { return outlook::IID__NameSpace; }
    void InvokeEvent(DISPID id, TEventArgs& args) override;
};
