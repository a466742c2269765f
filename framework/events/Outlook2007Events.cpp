// The Outlook 2007 context-menu events and their forwarding.
#include "framework/events/Outlook2007Events.h"

#include "framework/events/OutlookAppEvents.h"
#include "framework/support/ModuleServices.h"
#include "platform/office/CommandBars.h"
#include "platform/outlook/OutlookTypes.h"

using namespace outlook;

namespace {

TadxServerData outlook2007Data{CLSID_OutlookApplication, IID__Application,
                               DIID_ApplicationEvents_11};

} // namespace

TadxOutlook2007Application::TadxOutlook2007Application(TComponent* AOwner)
    : TadxCustomEvents(AOwner, outlook2007Data, ClassNameOf<TadxOutlook2007Application>()),
      module_(dynamic_cast<TadxModuleServices*>(AOwner)) {}

TadxOutlook2007Application::~TadxOutlook2007Application() {
    TadxOutlook2007Application::Disconnect();
    module_ = nullptr;
}

void TadxOutlook2007Application::ConnectTo(IUnknown* Server) {
    Disconnect();
    application_ = adxCastArgument(Server ? Variant(Server) : Variant(), IID__Application);
    if (!application_)
        throw EOleSysError(SysErrorMessage(E_NOINTERFACE), E_NOINTERFACE);
    ConnectEvents(application_.Get());
}

void TadxOutlook2007Application::ConnectTo(IUnknown* Server, const std::string& Version) {
    ConnectTo(Server);
}

void TadxOutlook2007Application::Disconnect() {
    if (!application_)
        return;
    DisconnectEvents(application_.Get());
    application_ = nullptr;
}

void TadxOutlook2007Application::InvokeEvent(DISPID DispID, std::vector<Variant>& Params) {
    try {
        auto* events = module_ ? dynamic_cast<TadxOutlookAppEvents*>(module_->HostEvents) : nullptr;
        if (!events)
            return;
        auto argument = [&](size_t i) { return i < Params.size() ? Params[i] : Variant(); };
        auto commandBar = [&] { return adxCastArgument(argument(0), IID_CommandBar); };
        switch (DispID) {
        case DISPID_AttachmentContextMenuDisplay:
            events->DoAttachmentContextMenuDisplay(commandBar(),
                                                   adxCastArgument(argument(1), IID_IDispatch));
            break;
        case DISPID_ViewContextMenuDisplay:
            events->DoViewContextMenuDisplay(commandBar(),
                                             adxCastArgument(argument(1), IID_IDispatch));
            break;
        case DISPID_ItemContextMenuDisplay:
            events->DoItemContextMenuDisplay(commandBar(),
                                             adxCastArgument(argument(1), IID_Selection));
            break;
        case DISPID_FolderContextMenuDisplay:
            events->DoFolderContextMenuDisplay(commandBar(),
                                               adxCastArgument(argument(1), IID_MAPIFolder));
            break;
        case DISPID_StoreContextMenuDisplay:
            events->DoStoreContextMenuDisplay(commandBar(),
                                              adxCastArgument(argument(1), IID_IDispatch));
            break;
        case DISPID_ShortcutContextMenuDisplay:
            events->DoShortcutContextMenuDisplay(
                commandBar(), adxCastArgument(argument(1), IID_OutlookBarShortcut));
            break;
        case DISPID_ContextMenuClose:
            events->DoContextMenuClose(argument(0).AsInteger());
            break;
        default:
            break;
        }
    } catch (...) {
        // The host's event call completes whatever happened here.
    }
}
