// The window wrappers' events.
#include "platform/outlook/OutlookWindows.h"

using namespace outlook;

// Handlers are copied before they run, here and in every wrapper: a handler
// may free the wrapper that holds it (a window closed from its own event).
bool outlook::FireWindowEvent(const WindowEventHandlers& handlers, TObject* Sender, DISPID id,
                              TEventArgs& args) {
    const TNotifyEvent* notice = id == DISPID_Activate      ? handlers.Activate
                                 : id == DISPID_Deactivate  ? handlers.Deactivate
                                 : id == DISPID_WindowClose ? handlers.Close
                                                            : nullptr;
    if (notice) {
        if (TNotifyEvent handler = *notice)
            handler(Sender);
        return true;
    }
    const TOlCancelEvent* asking = id == DISPID_BeforeMaximize   ? handlers.BeforeMaximize
                                   : id == DISPID_BeforeMinimize ? handlers.BeforeMinimize
                                   : id == DISPID_BeforeMove     ? handlers.BeforeMove
                                   : id == DISPID_BeforeSize     ? handlers.BeforeSize
                                                                 : nullptr;
    if (!asking)
        return false;
    if (TOlCancelEvent handler = *asking)
        handler(Sender, args.Flag(0));
    return true;
}

TExplorers::TExplorers(TComponent* AOwner) : TOleServer(AOwner) {
    SetDefaultEventIID(DIID_ExplorersEvents);
}

void TExplorers::InvokeEvent(DISPID id, TEventArgs& args) {
    if (id != DISPID_NewExplorer)
        return;
    if (auto handler = OnNewExplorer)
        handler(this, args.Object(0));
}

TInspectors::TInspectors(TComponent* AOwner) : TOleServer(AOwner) {
    SetDefaultEventIID(DIID_InspectorsEvents);
}

void TInspectors::InvokeEvent(DISPID id, TEventArgs& args) {
    if (id != DISPID_NewInspector)
        return;
    if (auto handler = OnNewInspector)
        handler(this, args.Object(0));
}

TOutlookWindow::TOutlookWindow(TComponent* AOwner, const GUID& oldEvents, const GUID& events)
    : TOleServer(AOwner), oldEvents_(oldEvents), events_(events) {
    SetDefaultEventIID(events);
}

GUID TOutlookWindow::ChooseEventIID(IDispatch* server) const {
    return OutlookMajorVersionOf(server) == 9 ? oldEvents_ : events_;
}

bool TOutlookWindow::InvokeWindowEvent(DISPID id, TEventArgs& args) {
    return FireWindowEvent({&OnActivate, &OnDeactivate, &OnClose, &OnBeforeMaximize,
                            &OnBeforeMinimize, &OnBeforeMove, &OnBeforeSize},
                           this, id, args);
}

TExplorer::TExplorer(TComponent* AOwner)
    : TOutlookWindow(AOwner, DIID_ExplorerEvents, DIID_ExplorerEvents_10) {}

void TExplorer::InvokeEvent(DISPID id, TEventArgs& args) {
    if (InvokeWindowEvent(id, args))
        return;
    switch (id) {
    case DISPID_FolderSwitch:
        if (auto handler = OnFolderSwitch)
            handler(this);
        break;
    case DISPID_BeforeFolderSwitch:
        if (auto handler = OnBeforeFolderSwitch)
            handler(this, args.Object(0), args.Flag(1));
        break;
    case DISPID_ViewSwitch:
        if (auto handler = OnViewSwitch)
            handler(this);
        break;
    case DISPID_BeforeViewSwitch:
        if (auto handler = OnBeforeViewSwitch)
            handler(this, args[0].Deref(), args.Flag(1));
        break;
    case DISPID_SelectionChange:
        if (auto handler = OnSelectionChange)
            handler(this);
        break;
    case DISPID_BeforeItemCopy:
        if (auto handler = OnBeforeItemCopy)
            handler(this, args.Flag(0));
        break;
    case DISPID_BeforeItemCut:
        if (auto handler = OnBeforeItemCut)
            handler(this, args.Flag(0));
        break;
    case DISPID_BeforeItemPaste:
        if (auto handler = OnBeforeItemPaste)
            handler(this, args.Value(0), args.Object(1), args.Flag(2));
        break;
    default:
        break;
    }
}

TInspector::TInspector(TComponent* AOwner)
    : TOutlookWindow(AOwner, DIID_InspectorEvents, DIID_InspectorEvents_10) {}

void TInspector::InvokeEvent(DISPID id, TEventArgs& args) {
    if (InvokeWindowEvent(id, args))
        return;
    if (id == DISPID_PageChange && OnPageChange)
        OnPageChange(this, args.TextRef(0));
}
