// The server wrappers of Outlook's items and of a folder's item list.
//
// TItems raises a folder's ItemAdd, ItemChange and ItemRemove events (the
// add-in's sent-copy watchers derive from it). TMailItem, TAppointmentItem
// and TTaskItem raise the item events (Send 0xF005, Reply 0xF466, ReplyAll
// 0xF467, Forward 0xF468, and Read, Write, Open, Close, PropertyChange, ...),
// advised on ItemEvents with Outlook 2000 and on ItemEvents_10 from Outlook
// 2002 on (the version is read through the item's Application when it
// connects), unless SetEventIID fixed one.
#pragma once

#include "platform/outlook/OleServer.h"
#include "platform/outlook/OutlookEvents.h"
#include "platform/outlook/OutlookObjects.h"

class TItems : public TOleServer, public outlook::ItemsMembers {
public:
    explicit TItems(TComponent* AOwner);
    IDispatch* Target() const override { return ServerDisp(); }

    // ItemAdd (Item): an item was stored in the folder.
    TOlObjectEvent OnItemAdd;
    // ItemChange (Item): a stored item was saved.
    TOlObjectEvent OnItemChange;
    // ItemRemove: an item left the folder.
    TNotifyEvent OnItemRemove;

protected:
    const GUID& IntfIID() const override { return outlook::IID__Items; }
    void InvokeEvent(DISPID id, TEventArgs& args) override;
};

// The item events that every item wrapper raises.
class TOutlookItemEvents : public TOleServer {
public:
    TNotifyEvent OnRead;
    TOlCancelEvent OnWrite;
    TOlCancelEvent OnOpen;
    TOlCancelEvent OnClose;
    // Send (Cancel): raised inside Send and when the user sends.
    TOlCancelEvent OnSend;
    // CustomAction (Action, Response, Cancel).
    TOlCustomActionEvent OnCustomAction;
    // CustomPropertyChange and PropertyChange (Name).
    TOlTextEvent OnCustomPropertyChange;
    TOlTextEvent OnPropertyChange;
    TOlCancelEvent OnBeforeCheckNames;
    // Reply, ReplyAll (Response, Cancel) and Forward (Forward, Cancel).
    TOlObjectCancelEvent OnReply;
    TOlObjectCancelEvent OnReplyAll;
    TOlObjectCancelEvent OnForward;
    // BeforeDelete (Item, Cancel).
    TOlObjectCancelEvent OnBeforeDelete;

protected:
    explicit TOutlookItemEvents(TComponent* AOwner);
    GUID ChooseEventIID(IDispatch* server) const override;
    void InvokeEvent(DISPID id, TEventArgs& args) override;
};

class TMailItem : public TOutlookItemEvents, public outlook::MailItemMembers {
public:
    explicit TMailItem(TComponent* AOwner) : TOutlookItemEvents(AOwner) {}
    IDispatch* Target() const override { return ServerDisp(); }

protected:
    const GUID& IntfIID() const override { return outlook::IID__MailItem; }
};

class TAppointmentItem : public TOutlookItemEvents, public outlook::AppointmentItemMembers {
public:
    explicit TAppointmentItem(TComponent* AOwner) : TOutlookItemEvents(AOwner) {}
    IDispatch* Target() const override { return ServerDisp(); }

protected:
    const GUID& IntfIID() const override { return outlook::IID__AppointmentItem; }
};

class TTaskItem : public TOutlookItemEvents, public outlook::TaskItemMembers {
public:
    explicit TTaskItem(TComponent* AOwner) : TOutlookItemEvents(AOwner) {}
    IDispatch* Target() const override { return ServerDisp(); }

protected:
    const GUID& IntfIID() const override { return outlook::IID__TaskItem; }
};
