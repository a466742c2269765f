// The dispatch of Outlook's application events to their handlers.
#include "platform/outlook/ApplicationEvents.h"

#include "platform/outlook/OutlookTypes.h"

namespace outlook {

// Arguments are read only for an assigned handler: reading one the host
// sent malformed would fail the event. Handlers are copied before they run:
// a handler may free the wrapper that holds it.
void ApplicationEventHandlers::FireApplicationEvent(TObject* Sender, DISPID id,
                                                    TEventArgs& args) const {
    switch (id) {
    case DISPID_ItemSend:
        if (auto handler = OnItemSend)
            handler(Sender, args.Object(0), args.Flag(1));
        break;
    case DISPID_NewMail:
        if (auto handler = OnNewMail)
            handler(Sender);
        break;
    case DISPID_Reminder:
        if (auto handler = OnReminder)
            handler(Sender, args.Object(0));
        break;
    case DISPID_OptionsPagesAdd:
        if (auto handler = OnOptionsPagesAdd)
            handler(Sender, args.Object(0));
        break;
    case DISPID_Startup:
        if (auto handler = OnStartup)
            handler(Sender);
        break;
    case DISPID_Quit:
        if (auto handler = OnQuit)
            handler(Sender);
        break;
    case DISPID_AdvancedSearchComplete:
        if (auto handler = OnAdvancedSearchComplete)
            handler(Sender, args.Object(0));
        break;
    case DISPID_AdvancedSearchStopped:
        if (auto handler = OnAdvancedSearchStopped)
            handler(Sender, args.Object(0));
        break;
    case DISPID_MAPILogonComplete:
        if (auto handler = OnMAPILogonComplete)
            handler(Sender);
        break;
    case DISPID_NewMailEx:
        if (auto handler = OnNewMailEx)
            handler(Sender, args.Text(0));
        break;
    case DISPID_ItemLoad:
        if (auto handler = OnItemLoad)
            handler(Sender, args.Object(0));
        break;
    case DISPID_BeforeFolderSharingDialog:
        if (auto handler = OnBeforeFolderSharingDialog)
            handler(Sender, args.Object(0), args.Flag(1));
        break;
    default:
        break;
    }
}

} // namespace outlook
