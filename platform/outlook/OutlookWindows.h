// The server wrappers of Outlook's windows and their collections:
// TExplorers (NewExplorer), TInspectors (NewInspector), TExplorer and
// TInspector (the window events). An explorer or inspector wrapper advises
// on ExplorerEvents / InspectorEvents with Outlook 2000 and on
// ExplorerEvents_10 / InspectorEvents_10 from Outlook 2002 on (the version is
// read through the window's Application when it connects), unless
// SetEventIID fixed one.
#pragma once

#include "platform/outlook/OleServer.h"
#include "platform/outlook/OutlookEvents.h"
#include "platform/outlook/OutlookObjects.h"

namespace outlook {

// Where the handlers of the events that explorers and inspectors share are
// kept, for the window wrappers and for the framework's sinks, which keep
// them under names of their own. An event without a place here is left to
// the caller.
struct WindowEventHandlers {
    const TNotifyEvent* Activate = nullptr;
    const TNotifyEvent* Deactivate = nullptr;
    const TNotifyEvent* Close = nullptr;
    const TOlCancelEvent* BeforeMaximize = nullptr;
    const TOlCancelEvent* BeforeMinimize = nullptr;
    const TOlCancelEvent* BeforeMove = nullptr;
    const TOlCancelEvent* BeforeSize = nullptr;
};

// Calls the handler of window event id, when it is assigned, with Sender;
// false when the event has no place in handlers.
bool FireWindowEvent(const WindowEventHandlers& handlers, TObject* Sender, DISPID id,
                     TEventArgs& args);

} // namespace outlook

class TExplorers : public TOleServer, public outlook::ExplorersMembers {
public:
    explicit TExplorers(TComponent* AOwner);
    IDispatch* Target() const override { return ServerDisp(); }

    // NewExplorer (Explorer): a new explorer, not shown yet.
    TOlObjectEvent OnNewExplorer;

protected:
    const GUID& IntfIID() const override { return outlook::IID__Explorers; }
    void InvokeEvent(DISPID id, TEventArgs& args) override;
};

class TInspectors : public TOleServer, public outlook::InspectorsMembers {
public:
    explicit TInspectors(TComponent* AOwner);
    IDispatch* Target() const override { return ServerDisp(); }

    // NewInspector (Inspector): a new inspector, not shown yet.
    TOlObjectEvent OnNewInspector;

protected:
    const GUID& IntfIID() const override { return outlook::IID__Inspectors; }
    void InvokeEvent(DISPID id, TEventArgs& args) override;
};

// What explorer and inspector wrappers share: the window events both raise
// and the event interface chosen by version.
class TOutlookWindow : public TOleServer {
public:
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnClose;
    TOlCancelEvent OnBeforeMaximize;
    TOlCancelEvent OnBeforeMinimize;
    TOlCancelEvent OnBeforeMove;
    TOlCancelEvent OnBeforeSize;

protected:
    // oldEvents serves Outlook 2000, events later versions.
    TOutlookWindow(TComponent* AOwner, const GUID& oldEvents, const GUID& events);
    GUID ChooseEventIID(IDispatch* server) const override;
    // Handles the shared events; false for any other DISPID.
    bool InvokeWindowEvent(DISPID id, TEventArgs& args);

private:
    GUID oldEvents_;
    GUID events_;
};

class TExplorer : public TOutlookWindow, public outlook::ExplorerMembers {
public:
    explicit TExplorer(TComponent* AOwner);
    IDispatch* Target() const override { return ServerDisp(); }

    TNotifyEvent OnFolderSwitch;
    // BeforeFolderSwitch (NewFolder, Cancel).
    TOlObjectCancelEvent OnBeforeFolderSwitch;
    TNotifyEvent OnViewSwitch;
    // BeforeViewSwitch (NewView, Cancel).
    TOlViewCancelEvent OnBeforeViewSwitch;
    TNotifyEvent OnSelectionChange;
    TOlCancelEvent OnBeforeItemCopy;
    TOlCancelEvent OnBeforeItemCut;
    // BeforeItemPaste (ClipboardContent, Target, Cancel).
    TOlItemPasteEvent OnBeforeItemPaste;

protected:
    const GUID& IntfIID() const override { return outlook::IID__Explorer; }
    void InvokeEvent(DISPID id, TEventArgs& args) override;
};

class TInspector : public TOutlookWindow, public outlook::InspectorMembers {
public:
    explicit TInspector(TComponent* AOwner);
    IDispatch* Target() const override { return ServerDisp(); }

    // PageChange (ActivePageName).
    TOlPageChangeEvent OnPageChange;

protected:
    const GUID& IntfIID() const override { return outlook::IID__Inspector; }
    void InvokeEvent(DISPID id, TEventArgs& args) override;
};
