// The Outlook events component: the connection walk over Outlook's objects,
// the disconnection walk, the application's events and the context-menu
// events that the Outlook 2007 component forwards.
#include "framework/events/OutlookAppEvents.h"

#include "framework/events/OutlookEventSinks.h"
#include "framework/support/ModuleServices.h"
#include "platform/outlook/OleServer.h"
#include "platform/outlook/OutlookObjects.h"
#include "platform/outlook/OutlookTypes.h"

using namespace outlook;

namespace {

TadxServerData applicationData{CLSID_OutlookApplication, IID__Application,
                               DIID_ApplicationEvents_11};

// The application events of an Outlook of major version (decimal text):
// Outlook 2000 and 2002 have interfaces of their own.
const GUID& ApplicationEventsOf(const std::string& version) {
    if (version == "9")
        return DIID_ApplicationEvents;
    if (version == "10")
        return DIID_ApplicationEvents_10;
    return DIID_ApplicationEvents_11;
}

} // namespace

TadxOutlookAppEvents::TadxOutlookAppEvents(TComponent* AOwner)
    : TadxHostInterfaceEvents(AOwner, applicationData, ClassNameOf<TadxOutlookAppEvents>()) {
    nameSpace_ = new TadxOutlookNameSpaceEvents(this);
    explorers_ = new TadxOutlookExplorersEvents(this);
    inspectors_ = new TadxOutlookInspectorsEvents(this);
    reminders_ = new TadxOutlookRemindersEvents(this);
}

TadxOutlookAppEvents::~TadxOutlookAppEvents() {
    TadxOutlookAppEvents::Disconnect();
    FreeExplorerSinks();
    FreeInspectorSinks();
    // The four collection sinks go with the component's other components.
}

void TadxOutlookAppEvents::ConnectTo(IUnknown* Server, const std::string& Version) {
    version_ = Version;
    // The interface is this component's own choice: another component may
    // serve an Outlook of another version.
    SetEventIID(ApplicationEventsOf(Version));
    ConnectTo(Server);
}

void TadxOutlookAppEvents::ConnectTo(IUnknown* Server) {
    Disconnect();
    TadxHostInterfaceEvents::ConnectTo(Server);
    IDispatch* application = this->Server();
    Application app(ComPtr<IDispatch>::Share(application));
    nameSpace_->ConnectTo(app.GetNamespace(u"MAPI").DispRef().Get());
    explorers_->ConnectTo(app.GetExplorers().DispRef().Get());
    inspectors_->ConnectTo(app.GetInspectors().DispRef().Get());
    if (version_ != "9") {
        try {
            Variant reminders = dispGet(application, "Reminders");
            reminders_->ConnectTo(reminders.AsUnknown().Get());
        } catch (const Exception&) {
            // An Outlook that cannot give its reminders works without their events.
        }
    }
    ConnectOpenWindows(application);
}

void TadxOutlookAppEvents::ConnectOpenWindows(IDispatch* application) {
    Application app(ComPtr<IDispatch>::Share(application));
    Explorers explorers = app.GetExplorers();
    for (int i = 1, count = explorers.Count(); i <= count; ++i) {
        try {
            AddExplorerSink(explorers.Item(i).DispRef().Get());
        } catch (const Exception&) {
            // One window that cannot be read loses its events, not the session its start-up.
        }
    }
    Inspectors inspectors = app.GetInspectors();
    for (int i = 1, count = inspectors.Count(); i <= count; ++i) {
        try {
            AddInspectorSink(inspectors.Item(i).DispRef().Get());
        } catch (const Exception&) {
        }
    }
}

void TadxOutlookAppEvents::Disconnect() {
    if (!Server())
        return;
    nameSpace_->Disconnect();
    explorers_->Disconnect();
    inspectors_->Disconnect();
    reminders_->Disconnect();
    FreeExplorerSinks();
    FreeInspectorSinks();
    TadxHostInterfaceEvents::Disconnect();
}

void TadxOutlookAppEvents::FreeExplorerSinks() noexcept {
    while (!explorerSinks_.empty()) {
        TadxOutlookExplorerEvents* sink = explorerSinks_.back();
        explorerSinks_.pop_back();
        sink->Free();
    }
}

void TadxOutlookAppEvents::FreeInspectorSinks() noexcept {
    while (!inspectorSinks_.empty()) {
        TadxOutlookInspectorEvents* sink = inspectorSinks_.back();
        inspectorSinks_.pop_back();
        sink->Free();
    }
}

void TadxOutlookAppEvents::InvokeEvent(DISPID DispID, std::vector<Variant>& Params) {
    TEventArgs args(Params);
    // The component hands the folder to share on as a MAPIFolder, so that
    // anything else fails the event as the host's own cast would.
    if (DispID == DISPID_BeforeFolderSharingDialog) {
        if (OnBeforeFolderSharingDialog)
            rtl::FireSurvives(Liveness(), OnBeforeFolderSharingDialog, this,
                              adxCastArgument(args[0], IID_MAPIFolder), args.Flag(1));
        return;
    }
    FireApplicationEvent(this, DispID, args);
}

void TadxOutlookAppEvents::FireDisplay(const TadxContextMenuDisplayEvent& handler,
                                       const ComPtr<IDispatch>& CommandBar,
                                       const ComPtr<IDispatch>& Target) {
    // A handler may turn the add-in off, which frees this component: it is
    // not touched afterwards, and an exception is reported only through a
    // module that lives on.
    adxFire(Module(), Liveness(), handler, this, CommandBar, Target);
}

void TadxOutlookAppEvents::DoAttachmentContextMenuDisplay(const ComPtr<IDispatch>& CommandBar,
                                                          const ComPtr<IDispatch>& Attachments) {
    FireDisplay(OnAttachmentContextMenuDisplay, CommandBar, Attachments);
}

void TadxOutlookAppEvents::DoViewContextMenuDisplay(const ComPtr<IDispatch>& CommandBar,
                                                    const ComPtr<IDispatch>& View) {
    FireDisplay(OnViewContextMenuDisplay, CommandBar, View);
}

void TadxOutlookAppEvents::DoItemContextMenuDisplay(const ComPtr<IDispatch>& CommandBar,
                                                    const ComPtr<IDispatch>& Selection) {
    FireDisplay(OnItemContextMenuDisplay, CommandBar, Selection);
}

void TadxOutlookAppEvents::DoFolderContextMenuDisplay(const ComPtr<IDispatch>& CommandBar,
                                                      const ComPtr<IDispatch>& Folder) {
    FireDisplay(OnFolderContextMenuDisplay, CommandBar, Folder);
}

void TadxOutlookAppEvents::DoStoreContextMenuDisplay(const ComPtr<IDispatch>& CommandBar,
                                                     const ComPtr<IDispatch>& Store) {
    FireDisplay(OnStoreContextMenuDisplay, CommandBar, Store);
}

void TadxOutlookAppEvents::DoShortcutContextMenuDisplay(const ComPtr<IDispatch>& CommandBar,
                                                        const ComPtr<IDispatch>& Shortcut) {
    FireDisplay(OnShortcutContextMenuDisplay, CommandBar, Shortcut);
}

int TadxOutlookAppEvents::DoContextMenuClose(int ContextMenu) {
    adxFire(Module(), Liveness(), OnContextMenuClose, this, ContextMenu);
    return 0;
}
