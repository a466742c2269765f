// The Outlook events component's sinks and the bookkeeping of the window
// sinks as windows open and close.
#include "framework/events/OutlookEventSinks.h"

#include "framework/events/OutlookAppEvents.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/LateBound.h"
#include "platform/outlook/OleServer.h"
#include "platform/outlook/OutlookTypes.h"
#include "platform/outlook/OutlookWindows.h"

#include <algorithm>

using namespace outlook;

namespace {

TadxServerData nameSpaceData{MakeGuid("{0006308B-0000-0000-C000-000000000046}"), IID__NameSpace,
                             DIID_NameSpaceEvents};
TadxServerData explorersData{MakeGuid("{00063053-0000-0000-C000-000000000046}"), IID__Explorers,
                             DIID_ExplorersEvents};
TadxServerData inspectorsData{MakeGuid("{00063054-0000-0000-C000-000000000046}"), IID__Inspectors,
                              DIID_InspectorsEvents};
TadxServerData remindersData{MakeGuid("{0006F029-0000-0000-C000-000000000046}"), IID__Reminders,
                             DIID_ReminderCollectionEvents};
TadxServerData explorerData{MakeGuid("{00063050-0000-0000-C000-000000000046}"), IID__Explorer,
                            DIID_ExplorerEvents_10};
TadxServerData inspectorData{MakeGuid("{00063058-0000-0000-C000-000000000046}"), IID__Inspector,
                             DIID_InspectorEvents_10};

// The Class of the item an inspector shows (44 for a note).
int CurrentItemClass(IDispatch* inspector) {
    return dispGet(dispGet(inspector, "CurrentItem"), "Class").AsInteger();
}

using E = TadxOutlookAppEvents;

// The component's handlers of the events explorers and inspectors share;
// Close is the sink's own business (it ends the sink).
outlook::WindowEventHandlers ExplorerHandlers(const E& e) {
    return {&e.OnExplorerActivate,       &e.OnExplorerDeactivate,     nullptr,
            &e.OnExplorerBeforeMaximize, &e.OnExplorerBeforeMinimize, &e.OnExplorerBeforeMove,
            &e.OnExplorerBeforeSize};
}
outlook::WindowEventHandlers InspectorHandlers(const E& e) {
    return {&e.OnInspectorActivate,       &e.OnInspectorDeactivate,     nullptr,
            &e.OnInspectorBeforeMaximize, &e.OnInspectorBeforeMinimize, &e.OnInspectorBeforeMove,
            &e.OnInspectorBeforeSize};
}

} // namespace

TadxOutlookSubEvents::TadxOutlookSubEvents(TComponent* AOwner, TadxServerData& Data,
                                           const std::string& className)
    : TadxHostInterfaceEvents(AOwner, Data, className),
      events_(dynamic_cast<TadxOutlookAppEvents*>(AOwner)) {}

// ---- name space ----

TadxOutlookNameSpaceEvents::TadxOutlookNameSpaceEvents(TComponent* AOwner)
    : TadxOutlookSubEvents(AOwner, nameSpaceData, ClassNameOf<TadxOutlookNameSpaceEvents>()) {}

void TadxOutlookNameSpaceEvents::InvokeEvent(DISPID DispID, std::vector<Variant>& Params) {
    if (!events_)
        return;
    TEventArgs args(Params);
    if (DispID == DISPID_OptionsPagesAdd && events_->OnNameSpaceOptionsPagesAdd)
        Fire(events_->OnNameSpaceOptionsPagesAdd, args.Object(0),
             adxCastArgument(args[1], IID_MAPIFolder));
    else if (DispID == DISPID_AutoDiscoverComplete && events_->OnNameSpaceAutoDiscoverComplete)
        Fire(events_->OnNameSpaceAutoDiscoverComplete);
}

// ---- window collections ----

TadxOutlookExplorersEvents::TadxOutlookExplorersEvents(TComponent* AOwner)
    : TadxOutlookSubEvents(AOwner, explorersData, ClassNameOf<TadxOutlookExplorersEvents>()) {}

void TadxOutlookExplorersEvents::InvokeEvent(DISPID DispID, std::vector<Variant>& Params) {
    if (!events_ || DispID != DISPID_NewExplorer)
        return;
    ComPtr<IDispatch> explorer =
        adxCastArgument(Params.empty() ? Variant() : Params[0], IID__Explorer);
    if (Fire(events_->OnNewExplorer, explorer))
        events_->AddExplorerSink(explorer.Get());
}

TadxOutlookInspectorsEvents::TadxOutlookInspectorsEvents(TComponent* AOwner)
    : TadxOutlookSubEvents(AOwner, inspectorsData, ClassNameOf<TadxOutlookInspectorsEvents>()) {}

void TadxOutlookInspectorsEvents::InvokeEvent(DISPID DispID, std::vector<Variant>& Params) {
    if (!events_ || DispID != DISPID_NewInspector)
        return;
    ComPtr<IDispatch> inspector =
        adxCastArgument(Params.empty() ? Variant() : Params[0], IID__Inspector);
    if (Fire(events_->OnNewInspector, inspector))
        events_->AddInspectorSink(inspector.Get());
}

// ---- reminders ----

TadxOutlookRemindersEvents::TadxOutlookRemindersEvents(TComponent* AOwner)
    : TadxOutlookSubEvents(AOwner, remindersData, ClassNameOf<TadxOutlookRemindersEvents>()) {}

void TadxOutlookRemindersEvents::InvokeEvent(DISPID DispID, std::vector<Variant>& Params) {
    if (!events_)
        return;
    TEventArgs args(Params);
    TadxOutlookAppEvents& e = *events_;
    switch (DispID) {
    case DISPID_BeforeReminderShow:
        if (e.OnBeforeReminderShow)
            Fire(e.OnBeforeReminderShow, args.Flag(0));
        break;
    case DISPID_ReminderAdd:
        if (e.OnReminderAdd)
            Fire(e.OnReminderAdd, args.Object(0));
        break;
    case DISPID_ReminderChange:
        if (e.OnReminderChange)
            Fire(e.OnReminderChange, args.Object(0));
        break;
    case DISPID_ReminderFire:
        if (e.OnReminderFire)
            Fire(e.OnReminderFire, args.Object(0));
        break;
    case DISPID_ReminderRemove:
        if (e.OnReminderRemove)
            Fire(e.OnReminderRemove);
        break;
    case DISPID_Snooze:
        if (e.OnSnooze)
            Fire(e.OnSnooze, args.Object(0));
        break;
    default:
        break;
    }
}

// ---- one explorer ----

TadxOutlookExplorerEvents::TadxOutlookExplorerEvents(TComponent* AOwner)
    : TadxOutlookSubEvents(AOwner, explorerData, ClassNameOf<TadxOutlookExplorerEvents>()) {}

void TadxOutlookExplorerEvents::ConnectTo(IUnknown* Server, const std::string& Version) {
    SetEventIID(Version == "9" ? DIID_ExplorerEvents : DIID_ExplorerEvents_10);
    ConnectTo(Server);
}

void TadxOutlookExplorerEvents::InvokeEvent(DISPID DispID, std::vector<Variant>& Params) {
    if (!events_)
        return;
    TEventArgs args(Params);
    TadxOutlookAppEvents& e = *events_;
    if (FireWindowEvent(ExplorerHandlers(e), &e, DispID, args))
        return;
    switch (DispID) {
    case DISPID_FolderSwitch:
        if (e.OnExplorerFolderSwitch)
            Fire(e.OnExplorerFolderSwitch);
        break;
    case DISPID_BeforeFolderSwitch:
        if (e.OnExplorerBeforeFolderSwitch)
            Fire(e.OnExplorerBeforeFolderSwitch, args.Object(0), args.Flag(1));
        break;
    case DISPID_ViewSwitch:
        if (e.OnExplorerViewSwitch)
            Fire(e.OnExplorerViewSwitch);
        break;
    case DISPID_BeforeViewSwitch:
        if (e.OnExplorerBeforeViewSwitch)
            Fire(e.OnExplorerBeforeViewSwitch, args[0].Deref(), args.Flag(1));
        break;
    case DISPID_SelectionChange:
        if (e.OnExplorerSelectionChange)
            Fire(e.OnExplorerSelectionChange);
        break;
    case DISPID_WindowClose:
        // Reported here, so that the window's sink is let go of all the
        // same; a handler that turned the add-in off took the sink with it.
        if (adxFire(Module(), Liveness(), e.OnExplorerClose, &e))
            e.ExplorerClosed(this);
        break;
    case DISPID_BeforeItemCopy:
        if (e.OnExplorerBeforeItemCopy)
            Fire(e.OnExplorerBeforeItemCopy, args.Flag(0));
        break;
    case DISPID_BeforeItemCut:
        if (e.OnExplorerBeforeItemCut)
            Fire(e.OnExplorerBeforeItemCut, args.Flag(0));
        break;
    case DISPID_BeforeItemPaste:
        if (e.OnExplorerBeforeItemPaste)
            Fire(e.OnExplorerBeforeItemPaste, args.Value(0),
                 adxCastArgument(args[1], IID_MAPIFolder), args.Flag(2));
        break;
    default:
        break;
    }
}

// ---- one inspector ----

TadxOutlookInspectorEvents::TadxOutlookInspectorEvents(TComponent* AOwner)
    : TadxOutlookSubEvents(AOwner, inspectorData, ClassNameOf<TadxOutlookInspectorEvents>()) {}

void TadxOutlookInspectorEvents::ConnectTo(IUnknown* Server, const std::string& Version) {
    SetEventIID(Version == "9" ? DIID_InspectorEvents : DIID_InspectorEvents_10);
    ConnectTo(Server);
}

void TadxOutlookInspectorEvents::InvokeEvent(DISPID DispID, std::vector<Variant>& Params) {
    if (!events_)
        return;
    TEventArgs args(Params);
    TadxOutlookAppEvents& e = *events_;
    if (FireWindowEvent(InspectorHandlers(e), &e, DispID, args))
        return;
    if (DispID == DISPID_WindowClose) {
        if (adxFire(Module(), Liveness(), e.OnInspectorClose, &e))
            e.InspectorClosed(this);
    } else if (DispID == DISPID_PageChange && e.OnInspectorPageChange) {
        Fire(e.OnInspectorPageChange, args.TextRef(0));
    }
}

// ---- bookkeeping of the window sinks ----

void TadxOutlookAppEvents::AddExplorerSink(IDispatch* Explorer) {
    auto* sink = new TadxOutlookExplorerEvents(this);
    try {
        sink->ConnectTo(Explorer, version_);
    } catch (...) {
        sink->Free();
        throw;
    }
    explorerSinks_.push_back(sink);
}

void TadxOutlookAppEvents::AddInspectorSink(IDispatch* Inspector) {
    if (!Inspector || CurrentItemClass(Inspector) == olNote)
        return;
    auto* sink = new TadxOutlookInspectorEvents(this);
    try {
        sink->ConnectTo(Inspector, version_);
    } catch (...) {
        sink->Free();
        throw;
    }
    inspectorSinks_.push_back(sink);
}

void TadxOutlookAppEvents::ExplorerClosed(TadxOutlookExplorerEvents* Sink) {
    auto at = std::find(explorerSinks_.begin(), explorerSinks_.end(), Sink);
    if (at != explorerSinks_.end())
        explorerSinks_.erase(at);
    // Outlook closes its inspectors with its last explorer.
    if (explorerSinks_.empty())
        FreeInspectorSinks();
    Sink->Free();
}

void TadxOutlookAppEvents::InspectorClosed(TadxOutlookInspectorEvents* Sink) {
    auto at = std::find(inspectorSinks_.begin(), inspectorSinks_.end(), Sink);
    if (at != inspectorSinks_.end())
        inspectorSinks_.erase(at);
    Sink->Free();
}
