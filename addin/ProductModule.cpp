// The product module's lifecycle: start-up (settings, the Sent Items
// watcher, the pending entries of the last session, the ribbon state),
// begin shutdown (the pending entries written), finalisation (watchers and
// lists released) and Outlook's quit, which runs both; and the explorer
// tab's buttons. The handlers also note the lifecycle in the log.
#include "addin/LorvaneOL_IMPL.h"
#include "addin/dialogs/StoredComponent.h"
#include "addin/dialogs/adxFrmFolders2.h"
#include "addin/send/FolderWatchers.h"
#include "addin/send/PendingEntries.h"
#include "addin/settings/ConfigFile.h"
#include "addin/settings/DataFolder.h"
#include "addin/settings/ProductTrace.h"
#include "addin/settings/ProgramState.h"
#include "addin/settings/QelLog.h"
#include "framework/events/OutlookAppEvents.h"
#include "framework/ribbon/adxRibbon.h"
#include "platform/forms/Timer.h"
#include "platform/gfx/ImageList.h"
#include "platform/outlook/Outlook.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Shell.h"

#include <string>

namespace {

// The product's support page, which "Help" opens.
constexpr const char* SupportPage = "https://www.lorvane.example/support/outlook";

std::string StartModeText(TadxStartMode mode) {
    if (mode < std::size(adxStartModeNames))
        return adxStartModeNames[mode];
    return "unknown";
}

} // namespace

TAddInModule::TAddInModule(TComponent* AOwner) : TadxCOMAddInModule(AOwner) {}

TAddInModule::~TAddInModule() {
    // The watchers and dialogs are the module's own, not components: they go here.
    DisconnectWatchers();
    FreeDialogs();
    // A host that lets go of the add-in without disconnecting it never
    // finalises it: the dialogs kept for the module go with it.
    TProgramState& state = ProgramState();
    if (state.Module == this || !state.Module)
        FreeFolderDialogs();
    if (state.Module == this)
        state.Module = nullptr;
}

void TAddInModule::Loaded() {
    TadxCOMAddInModule::Loaded();
    // The class library sets a module's published fields from the
    // components of its stored form; here they are bound once it is read.
    ImageList1 = StoredComponent<TImageList>(*this, "ImageList1");
    adxRibbonTab3 = StoredComponent<TadxRibbonTab>(*this, "adxRibbonTab3");
    Timer1 = StoredComponent<TTimer>(*this, "Timer1");
    Timer2 = StoredComponent<TTimer>(*this, "Timer2");
    adxRibbonTab1 = StoredComponent<TadxRibbonTab>(*this, "adxRibbonTab1");
    adxOutlookAppEvents1 = StoredComponent<TadxOutlookAppEvents>(*this, "adxOutlookAppEvents1");
}

void TAddInModule::adxCOMAddInModuleAddInInitialize(TObject*) {
    TProgramState& state = ProgramState();
    state.Module = this;
    OnOLExplorerActivate = [this](TObject* Sender) { adxCOMAddInModuleOLExplorerActivate(Sender); };
    if (!state.ExpandedNodes)
        state.ExpandedNodes = std::make_unique<TStringList>();
    // A configuration file that cannot be read is reported, and start-up
    // goes on with what was read of it: the pending entries of the last
    // session must still be taken up.
    Fire([] {
        ProductTrace(FileExists(ConfigFilePath())
                         ? "reading the configuration " + Quoted(ConfigFilePath())
                         : "no configuration file: the defaults apply");
        LoadButtonsFromFile();
    });
    // A module without Outlook (registration, tests) has no folder to watch.
    if (state.CategoriesWatched() && OutlookApplication)
        Fire([this] { SentFolderConnect(SentItemsFolder()); });
    CreatePendingLists();
    Fire([this] {
        ProductTrace("data folder " + Quoted(LorvaneDataFolder()));
        TakeUpPendingFile();
    });
    if (state.MainButtonCaption.empty())
        state.MainButtonCaption = "Lorvane";
    PlaceButtonBar();
    TQelLog::Log("adxCOMAddInModuleAddInInitialize: start-up complete in " +
                 std::string(adxHostInfo(HostType).Name) + " " + std::to_string(HostMajorVersion) +
                 ", start mode " + StartModeText(StartMode));
}

void TAddInModule::PlaceButtonBar() {
    ExplorerTab = adxRibbonTab1;
    // The compose tab's split button: the first control of its first group.
    // Its setters tell a loaded ribbon to ask again.
    TadxRibbonControls* groups = adxRibbonTab3 ? adxRibbonTab3->Controls() : nullptr;
    TadxRibbonControls* controls =
        groups && groups->Count() ? groups->GetItem(0)->GetControls() : nullptr;
    if (controls && controls->Count()) {
        TadxRibbonCustomControl* split = controls->GetItem(0);
        split->SetEnabled(true);
        split->SetScreenTip(u"Click to define tracking actions and send the message. Or click "
                            u"pull-down menu for a single action");
    }
    ProductTrace(ProgramState().anydefaultaction ? "the watch on Outlook's own sends is armed"
                                                 : "the watch on Outlook's own sends is not armed");
    if (ProgramState().anydefaultaction) {
        OnOLExplorerSelectionChange = [this](TObject* Sender) {
            adxCOMAddInModuleOLExplorerSelectionChange(Sender);
        };
        OnOLInspectorActivate = [this](TObject* Sender) {
            adxCOMAddInModuleOLInspectorActivate(Sender);
        };
    } else {
        OnOLExplorerSelectionChange = nullptr;
        OnOLInspectorActivate = nullptr;
    }
}

void TAddInModule::adxCOMAddInModuleAddInBeginShutdown(TObject*) {
    try {
        WritePendingFile();
    } catch (const Exception& e) {
        // The old file, if any, stays as it was.
        TQelLog::Log("Cannot write the pending file: " + e.Message);
    }
    ProgramState().ExpandedNodes.reset();
    TQelLog::Log("adxCOMAddInModuleAddInBeginShutdown: shutting down");
}

void TAddInModule::adxCOMAddInModuleAddInFinalize(TObject*) {
    TProgramState& state = ProgramState();
    // Every watcher goes before the lists it reads, so that no late
    // item-added event finds them freed; nothing is watched any more.
    DisconnectWatchers();
    StopWatchTimers();
    DropWatchedItem();
    state.ItemBeingSent = outlook::MailItem();
    if (state.Module == this)
        state.Module = nullptr;
    FreePendingLists();
    // The dialogs are made anew on the next connection.
    FreeDialogs();
    FreeFolderDialogs();
    TQelLog::Log("adxCOMAddInModuleAddInFinalize: disconnected");
}

void TAddInModule::adxOutlookAppEvents1Quit(TObject* Sender) {
    adxCOMAddInModuleAddInBeginShutdown(Sender);
    adxCOMAddInModuleAddInFinalize(Sender);
}

void TAddInModule::adxCOMAddInModuleOLExplorerActivate(TObject* Sender) {
    try {
        OnOLExplorerActivate = nullptr;
        adxCOMAddInModuleOLExplorerSelectionChange(Sender);
    } catch (...) {
        TQelLog::Log("Exception in adxCOMAddInModuleOLExplorerActivate");
    }
}

// The watch's handlers bound by the stored form hand over to the send room.

void TAddInModule::adxCOMAddInModuleOLInspectorActivate(TObject*) {
    WatchActivatedInspector();
}

void TAddInModule::adxCOMAddInModuleOLExplorerSelectionChange(TObject*) {
    WatchSelection();
}

void TAddInModule::Timer1Timer(TObject*) {
    FirstWatchTry();
}

void TAddInModule::Timer2Timer(TObject*) {
    SecondWatchTry();
}

TTimer* TAddInModule::WatchTimer(int Try) const {
    return Try == 1 ? Timer1 : Timer2;
}

void TAddInModule::Help() {
    ShellExecute(nullptr, "open", SupportPage, nullptr, nullptr, SW_SHOWNORMAL);
}
