// The item wrappers' events.
#include "platform/outlook/OutlookItems.h"

using namespace outlook;

TItems::TItems(TComponent* AOwner) : TOleServer(AOwner) {
    SetDefaultEventIID(DIID_ItemsEvents);
}

void TItems::InvokeEvent(DISPID id, TEventArgs& args) {
    if (id == DISPID_ItemAdd && OnItemAdd)
        OnItemAdd(this, args.Object(0));
    else if (id == DISPID_ItemChange && OnItemChange)
        OnItemChange(this, args.Object(0));
    else if (id == DISPID_ItemRemove && OnItemRemove)
        OnItemRemove(this);
}

TOutlookItemEvents::TOutlookItemEvents(TComponent* AOwner) : TOleServer(AOwner) {
    SetDefaultEventIID(DIID_ItemEvents_10);
}

GUID TOutlookItemEvents::ChooseEventIID(IDispatch* server) const {
    return OutlookMajorVersionOf(server) == 9 ? DIID_ItemEvents : DIID_ItemEvents_10;
}

void TOutlookItemEvents::InvokeEvent(DISPID id, TEventArgs& args) {
    auto cancel = [&](const TOlCancelEvent& handler) {
        if (handler)
            handler(this, args.Flag(0));
    };
    auto answer = [&](const TOlObjectCancelEvent& handler) {
        if (handler)
            handler(this, args.Object(0), args.Flag(1));
    };
    switch (id) {
    case DISPID_Read:
        if (OnRead)
            OnRead(this);
        break;
    case DISPID_Write:
        cancel(OnWrite);
        break;
    case DISPID_Open:
        cancel(OnOpen);
        break;
    case DISPID_ItemClose:
        cancel(OnClose);
        break;
    case DISPID_Send:
        cancel(OnSend);
        break;
    case DISPID_CustomAction:
        if (OnCustomAction)
            OnCustomAction(this, args.Object(0), args.Object(1), args.Flag(2));
        break;
    case DISPID_CustomPropertyChange:
        if (OnCustomPropertyChange)
            OnCustomPropertyChange(this, args.Text(0));
        break;
    case DISPID_PropertyChange:
        if (OnPropertyChange)
            OnPropertyChange(this, args.Text(0));
        break;
    case DISPID_BeforeCheckNames:
        cancel(OnBeforeCheckNames);
        break;
    case DISPID_Reply:
        answer(OnReply);
        break;
    case DISPID_ReplyAll:
        answer(OnReplyAll);
        break;
    case DISPID_Forward:
        answer(OnForward);
        break;
    case DISPID_BeforeDelete:
        answer(OnBeforeDelete);
        break;
    default:
        break;
    }
}
