// The dispatch of Outlook's application events to their handlers.
#include "platform/outlook/ApplicationEvents.h"

#include "platform/outlook/OutlookTypes.h"

namespace outlook {

// Arguments are read only for an assigned handler: reading one the host
// sent malformed would fail the event.
void ApplicationEventHandlers::FireApplicationEvent(TObject* Sender, DISPID id,
                                                    TEventArgs& args) const {
    switch (id) {
    case DISPID_ItemSend:
        if (OnItemSend)
            OnItemSend(Sender, args.Object(0), args.Flag(1));
        break;
    case DISPID_NewMail:
        if (OnNewMail)
            OnNewMail(Sender);
        break;
    case DISPID_Reminder:
        if (OnReminder)
            OnReminder(Sender, args.Object(0));
        break;
    case DISPID_OptionsPagesAdd:
        if (OnOptionsPagesAdd)
            OnOptionsPagesAdd(Sender, args.Object(0));
        break;
    case DISPID_Startup:
        if (OnStartup)
            OnStartup(Sender);
        break;
    case DISPID_Quit:
        if (OnQuit)
            OnQuit(Sender);
        break;
    case DISPID_AdvancedSearchComplete:
        if (OnAdvancedSearchComplete)
            OnAdvancedSearchComplete(Sender, args.Object(0));
        break;
    case DISPID_AdvancedSearchStopped:
        if (OnAdvancedSearchStopped)
            OnAdvancedSearchStopped(Sender, args.Object(0));
        break;
    case DISPID_MAPILogonComplete:
        if (OnMAPILogonComplete)
            OnMAPILogonComplete(Sender);
        break;
    case DISPID_NewMailEx:
        if (OnNewMailEx)
            OnNewMailEx(Sender, args.Text(0));
        break;
    case DISPID_ItemLoad:
        if (OnItemLoad)
            OnItemLoad(Sender, args.Object(0));
        break;
    case DISPID_BeforeFolderSharingDialog:
        if (OnBeforeFolderSharingDialog)
            OnBeforeFolderSharingDialog(Sender, args.Object(0), args.Flag(1));
        break;
    default:
        break;
    }
}

} // namespace outlook
