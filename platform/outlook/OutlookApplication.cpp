// The application and name space wrappers' events.
#include "platform/outlook/OutlookApplication.h"

using namespace outlook;

TOutlookApplication::TOutlookApplication(TComponent* AOwner) : TOleServer(AOwner) {
    SetDefaultEventIID(DIID_ApplicationEvents_11);
}

GUID TOutlookApplication::ChooseEventIID(IDispatch* server) const {
    int major = 0;
    try {
        major = MajorVersionOf(dispGet(server, "Version").AsWide());
    } catch (const Exception&) {
        major = 0; // unknown: the newest interface
    }
    if (major == 9)
        return DIID_ApplicationEvents;
    if (major == 10)
        return DIID_ApplicationEvents_10;
    return DIID_ApplicationEvents_11;
}

void TOutlookApplication::InvokeEvent(DISPID id, TEventArgs& args) {
    switch (id) {
    case DISPID_ItemSend:
        if (OnItemSend)
            OnItemSend(this, args.Object(0), args.Flag(1));
        break;
    case DISPID_NewMail:
        if (OnNewMail)
            OnNewMail(this);
        break;
    case DISPID_Reminder:
        if (OnReminder)
            OnReminder(this, args.Object(0));
        break;
    case DISPID_OptionsPagesAdd:
        if (OnOptionsPagesAdd)
            OnOptionsPagesAdd(this, args.Object(0));
        break;
    case DISPID_Startup:
        if (OnStartup)
            OnStartup(this);
        break;
    case DISPID_Quit:
        if (OnQuit)
            OnQuit(this);
        break;
    case DISPID_AdvancedSearchComplete:
        if (OnAdvancedSearchComplete)
            OnAdvancedSearchComplete(this, args.Object(0));
        break;
    case DISPID_AdvancedSearchStopped:
        if (OnAdvancedSearchStopped)
            OnAdvancedSearchStopped(this, args.Object(0));
        break;
    case DISPID_MAPILogonComplete:
        if (OnMAPILogonComplete)
            OnMAPILogonComplete(this);
        break;
    case DISPID_NewMailEx:
        if (OnNewMailEx)
            OnNewMailEx(this, args.Text(0));
        break;
    case DISPID_ItemLoad:
        if (OnItemLoad)
            OnItemLoad(this, args.Object(0));
        break;
    case DISPID_BeforeFolderSharingDialog:
        if (OnBeforeFolderSharingDialog)
            OnBeforeFolderSharingDialog(this, args.Object(0), args.Flag(1));
        break;
    default:
        break;
    }
}

TNameSpace::TNameSpace(TComponent* AOwner) : TOleServer(AOwner) {
    SetDefaultEventIID(DIID_NameSpaceEvents);
}

void TNameSpace::InvokeEvent(DISPID id, TEventArgs& args) {
    if (id == DISPID_OptionsPagesAdd && OnOptionsPagesAdd)
        OnOptionsPagesAdd(this, args.Object(0), args.Object(1));
    else if (id == DISPID_AutoDiscoverComplete && OnAutoDiscoverComplete)
        OnAutoDiscoverComplete(this);
}
