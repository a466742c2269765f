// TadxOutlookAppEvents: the framework's component for Outlook's events, put
// on the add-in module by the add-in's author. Connected to Outlook's
// Application, it also connects sinks of its own to the "MAPI" name space,
// the Explorers and Inspectors collections, the Reminders collection and
// every open explorer and inspector window, and keeps one sink per window as
// windows open and close (OutlookEventSinks.h). Every event reaches a
// handler property, called with this component as Sender only when it is
// assigned; by-reference arguments (Cancel) are the host's own storage.
//
// The module connects it with Outlook's application and major version; the
// Outlook 2007 component (Outlook2007Events.h) fires its context-menu
// handlers through the Do... methods.
#pragma once

#include "framework/events/adxCustomEvents.h"
#include "platform/outlook/ApplicationEvents.h"
#include "platform/outlook/OutlookEvents.h"

#include <string>
#include <vector>

class TadxOutlookNameSpaceEvents;
class TadxOutlookExplorersEvents;
class TadxOutlookInspectorsEvents;
class TadxOutlookRemindersEvents;
class TadxOutlookExplorerEvents;
class TadxOutlookInspectorEvents;

// A context menu of Outlook 2007 is about to be shown: its command bar and
// what it is about (attachments, view, selection, folder, store, shortcut).
using TadxContextMenuDisplayEvent = std::function<void(
    TObject* Sender, const ComPtr<IDispatch>& CommandBar, const ComPtr<IDispatch>& Target)>;
// A context menu closed (its OlContextMenu kind).
using TadxContextMenuCloseEvent = std::function<void(TObject* Sender, int ContextMenu)>;

class TadxOutlookAppEvents : public TadxHostInterfaceEvents,
                             public outlook::ApplicationEventHandlers {
public:
    // The component and its four collection sinks, not connected; Version "9".
    explicit TadxOutlookAppEvents(TComponent* AOwner);
    // Disconnects, then frees the sinks.
    ~TadxOutlookAppEvents() override;

    // Connects to Outlook of major version Version: chooses the application
    // event interface by it ("9", "10", later) and walks the connection.
    void ConnectTo(IUnknown* Server, const std::string& Version) override;
    // The connection walk: the application, the name space, the window
    // collections, the reminders (not with "9") and every open window.
    // Raises when Server is no Outlook application; a window that cannot be
    // read is left without a sink.
    void ConnectTo(IUnknown* Server) override;
    // Unadvises and drops every sink, then the application.
    void Disconnect() override;
    // The application's events.
    void InvokeEvent(DISPID DispID, std::vector<Variant>& Params) override;

    // The Outlook 2007 context-menu events, each fired to its handler when
    // assigned; a handler's exception goes to the module's DoError.
    void DoAttachmentContextMenuDisplay(const ComPtr<IDispatch>& CommandBar,
                                        const ComPtr<IDispatch>& Attachments);
    void DoViewContextMenuDisplay(const ComPtr<IDispatch>& CommandBar,
                                  const ComPtr<IDispatch>& View);
    void DoItemContextMenuDisplay(const ComPtr<IDispatch>& CommandBar,
                                  const ComPtr<IDispatch>& Selection);
    void DoFolderContextMenuDisplay(const ComPtr<IDispatch>& CommandBar,
                                    const ComPtr<IDispatch>& Folder);
    void DoStoreContextMenuDisplay(const ComPtr<IDispatch>& CommandBar,
                                   const ComPtr<IDispatch>& Store);
    void DoShortcutContextMenuDisplay(const ComPtr<IDispatch>& CommandBar,
                                      const ComPtr<IDispatch>& Shortcut);
    // Returns 0.
    int DoContextMenuClose(int ContextMenu);

    // The major version the component was connected with ("9" until then).
    const std::string& Version() const noexcept { return version_; }
    // The sinks of the name space, the collections and the reminders.
    TadxOutlookNameSpaceEvents* NameSpaceEvents() const noexcept { return nameSpace_; }
    TadxOutlookExplorersEvents* ExplorersEvents() const noexcept { return explorers_; }
    TadxOutlookInspectorsEvents* InspectorsEvents() const noexcept { return inspectors_; }
    TadxOutlookRemindersEvents* RemindersEvents() const noexcept { return reminders_; }
    // The sinks of the windows open now (notes have none).
    const std::vector<TadxOutlookExplorerEvents*>& ExplorerSinks() const noexcept {
        return explorerSinks_;
    }
    const std::vector<TadxOutlookInspectorEvents*>& InspectorSinks() const noexcept {
        return inspectorSinks_;
    }

    // ---- the window sinks' bookkeeping (OutlookEventSinks.cpp) ----

    // A sink for a new explorer or inspector window (none for a note).
    void AddExplorerSink(IDispatch* Explorer);
    void AddInspectorSink(IDispatch* Inspector);
    // A window closed: its sink leaves the list and goes once its event is
    // over; when the last explorer closed, every inspector sink goes too.
    void ExplorerClosed(TadxOutlookExplorerEvents* Sink);
    void InspectorClosed(TadxOutlookInspectorEvents* Sink);

    // ---- handler properties ----
    // The application's own (OnItemSend ... OnBeforeFolderSharingDialog) come
    // from ApplicationEventHandlers; those of the name space, the
    // collections, the reminders and the windows follow.

    TOlPagesFolderEvent OnNameSpaceOptionsPagesAdd;
    TOlObjectEvent OnNewExplorer;
    TOlObjectEvent OnNewInspector;
    TOlCancelEvent OnBeforeReminderShow;
    TOlObjectEvent OnReminderAdd;
    TOlObjectEvent OnReminderChange;
    TOlObjectEvent OnReminderFire;
    TNotifyEvent OnReminderRemove;
    TOlObjectEvent OnSnooze;
    TNotifyEvent OnExplorerActivate;
    TNotifyEvent OnExplorerFolderSwitch;
    TOlObjectCancelEvent OnExplorerBeforeFolderSwitch;
    TNotifyEvent OnExplorerViewSwitch;
    TOlViewCancelEvent OnExplorerBeforeViewSwitch;
    TNotifyEvent OnExplorerDeactivate;
    TNotifyEvent OnExplorerSelectionChange;
    TNotifyEvent OnExplorerClose;
    TOlCancelEvent OnExplorerBeforeMaximize;
    TOlCancelEvent OnExplorerBeforeMinimize;
    TOlCancelEvent OnExplorerBeforeMove;
    TOlCancelEvent OnExplorerBeforeSize;
    TOlCancelEvent OnExplorerBeforeItemCopy;
    TOlCancelEvent OnExplorerBeforeItemCut;
    TOlItemPasteEvent OnExplorerBeforeItemPaste;
    TNotifyEvent OnInspectorActivate;
    TNotifyEvent OnInspectorDeactivate;
    TNotifyEvent OnInspectorClose;
    TOlCancelEvent OnInspectorBeforeMaximize;
    TOlCancelEvent OnInspectorBeforeMinimize;
    TOlCancelEvent OnInspectorBeforeMove;
    TOlCancelEvent OnInspectorBeforeSize;
    TadxContextMenuDisplayEvent OnAttachmentContextMenuDisplay;
    TadxContextMenuDisplayEvent OnViewContextMenuDisplay;
    TadxContextMenuDisplayEvent OnItemContextMenuDisplay;
    TadxContextMenuDisplayEvent OnFolderContextMenuDisplay;
    TadxContextMenuDisplayEvent OnStoreContextMenuDisplay;
    TadxContextMenuDisplayEvent OnShortcutContextMenuDisplay;
    TadxContextMenuCloseEvent OnContextMenuClose;
    TNotifyEvent OnNameSpaceAutoDiscoverComplete;
    TOlPageChangeEvent OnInspectorPageChange;

private:
    // Fires a context-menu display handler when it is assigned, reported.
    void FireDisplay(const TadxContextMenuDisplayEvent& handler,
                     const ComPtr<IDispatch>& CommandBar, const ComPtr<IDispatch>& Target);
    // Frees every window sink, the last first.
    void FreeExplorerSinks() noexcept;
    void FreeInspectorSinks() noexcept;
    // Connects the sinks of the windows open now.
    void ConnectOpenWindows(IDispatch* application);

    std::string version_ = "9";
    TadxOutlookNameSpaceEvents* nameSpace_ = nullptr;
    TadxOutlookExplorersEvents* explorers_ = nullptr;
    TadxOutlookInspectorsEvents* inspectors_ = nullptr;
    TadxOutlookRemindersEvents* reminders_ = nullptr;
    std::vector<TadxOutlookExplorerEvents*> explorerSinks_;
    std::vector<TadxOutlookInspectorEvents*> inspectorSinks_;
};
