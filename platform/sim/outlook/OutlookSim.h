// The simulated Outlook as tests, the host driver and the demo drive it.
//
// An OutlookSim is one running Outlook: its Application object (what a host
// hands to an add-in; it is also the running Outlook that GetActiveObject and
// CreateOleObject find, until it quits), a default store with Outlook's
// special folders, and
// the user's actions as C++ calls: open an explorer and select items, switch
// folders, compose a message or open an item in an inspector, answer it,
// press the window's own Send button, close windows, quit. It also sets up
// what a scenario needs (more stores, nested folders, items), scripts the
// categories dialog, and reads what happened (what the recipients received).
// It is the HostSite of the host driver (HostDriver.h), which loads add-ins
// into it: the windows it reports carry their ribbon identifiers, and
// OnWindowOpened tells the driver of a window shown later.
//
// Ending the OutlookSim ends Outlook: every object is torn down (see
// SimObject.h), so that once the clients have released theirs, a test can
// assert that no object of the simulation is alive and no sink advised:
//
//   {
//       sim::OutlookSim outlook(12);
//       ... scenario ...
//       EXPECT_EQ(sim::OutlookSim::AdvisedSinks(), 0u);
//   }
//   EXPECT_EQ(sim::OutlookSim::LiveObjects(), 0);
#pragma once

#include "platform/sim/HostDriver.h"
#include "platform/sim/outlook/OutlookRegistration.h"
#include "platform/sim/outlook/SimApplication.h"
#include "platform/sim/outlook/SimFolder.h"
#include "platform/sim/outlook/SimItem.h"
#include "platform/sim/outlook/SimNameSpace.h"
#include "platform/sim/outlook/SimPropertyPages.h"
#include "platform/sim/outlook/SimReminders.h"
#include "platform/sim/outlook/SimWindows.h"

#include <functional>
#include <string>
#include <vector>

namespace sim {

class OutlookSim : public HostSite {
public:
    // The name of the default store.
    static constexpr std::u16string_view DefaultStoreName = u"Personal Folders";

    // A running Outlook of that major version with its default store.
    explicit OutlookSim(int majorVersion = 12);
    // Tears every object down (a client still holding one gets errors from it).
    ~OutlookSim() override;
    OutlookSim(const OutlookSim&) = delete;
    OutlookSim& operator=(const OutlookSim&) = delete;

    SimApplication& App() const noexcept { return *app_; }
    SimNameSpace& NameSpace() const noexcept { return app_->NameSpace(); }

    // The version (Version reads "12.0.0.6423" for 12).
    void SetVersion(int major) { app_->SetVersion(major); }
    void SetVersionText(std::u16string text) { app_->SetVersionText(std::move(text)); }
    int MajorVersion() const noexcept { return app_->MajorVersion(); }

    // ---- stores, folders, items ----

    // The default store's top folder.
    ComPtr<SimFolder> DefaultStore() const;
    // A special folder of the default store (OlDefaultFolders).
    ComPtr<SimFolder> DefaultFolder(int which) const;
    // A further store (its top folder); with defaultFolders it gets the special folders too.
    ComPtr<SimFolder> AddStore(std::u16string name, bool defaultFolders = false);
    // A subfolder (no event is raised: the user made it before the add-in ran).
    ComPtr<SimFolder> AddFolder(SimFolder& parent, std::u16string name,
                                int itemType = outlook::olMailItem);
    // An item stored quietly in folder (it was there before the scenario).
    ComPtr<SimItem> PutItem(SimFolder& folder, ItemKind kind, ItemData data);
    // A mail that arrives: stored in folder (the Inbox when null) with
    // ItemAdd, then the application's NewMail and NewMailEx. It gets a
    // conversation index of its own unless data has one.
    ComPtr<SimItem> DeliverMail(ItemData data, SimFolder* folder = nullptr);
    // A new item, not stored (as CreateItem makes it, with data's values).
    ComPtr<SimItem> NewItem(ItemKind kind, ItemData data = {});

    // ---- windows and the user ----

    // Opens an explorer on folder (the Inbox when null): NewExplorer, then it
    // is shown (focus, folder switch).
    ComPtr<SimExplorer> OpenExplorer(SimFolder* folder = nullptr);
    // Opens an inspector on item: NewInspector, then it is shown (Open, focus).
    ComPtr<SimInspector> OpenInspector(ComPtr<SimItem> item);
    // The user starts a new message: CreateItem (0) with data's values, in a new inspector.
    ComPtr<SimInspector> ComposeNewMail(ItemData data = {});
    // The user answers item with Reply, Reply All or Forward (DISPID_Reply,
    // DISPID_ReplyAll, DISPID_Forward): the item's event, then the answer
    // opens in a new inspector; null when a handler cancelled.
    ComPtr<SimInspector> UserRespond(SimItem& item, DISPID how);
    // The user presses the inspector's Send button; false when cancelled.
    bool PressSend(SimInspector& inspector) { return inspector.PressSend(); }
    // The user selects items in an explorer (SelectionChange).
    void SelectItems(SimExplorer& explorer, std::vector<ComPtr<SimItem>> items) {
        explorer.Select(std::move(items));
    }
    // The user switches the explorer to folder; false when a handler cancelled.
    bool SwitchFolder(SimExplorer& explorer, ComPtr<SimFolder> folder) {
        return explorer.SwitchFolder(std::move(folder));
    }
    // The user brings a window to the front.
    void Activate(SimWindow& window) { app_->Activate(window); }
    // The user closes a window (an inspector's changes are dropped).
    void Close(SimExplorer& explorer) { explorer.Close(); }
    void Close(SimInspector& inspector, int saveMode = outlook::olDiscard) {
        inspector.Close(saveMode);
    }
    // The user quits Outlook: windows close, then the Quit event; Outlook
    // leaves the running-object table.
    void Quit() override { app_->Quit(); }
    // The bars of the first explorer, whose lasting bars Outlook keeps
    // between sessions (and gives every new explorer); null without one.
    SimulatedCommandBars* LastingBars() override;

    // ---- the host driver's site ----

    // "Outlook".
    std::string HostName() const override { return "Outlook"; }
    // The Application object (as Application()).
    ComPtr<IDispatch> Application() override { return app_->DispRef(); }
    // The explorers and then the inspectors shown now, with their ribbon identifiers.
    std::vector<HostWindow> Windows() override;
    // The ribbon identifier of a window ("Microsoft.Outlook.Explorer",
    // "Microsoft.Outlook.Mail.Compose", ...); empty for a window without
    // ribbon (a note).
    static std::u16string RibbonIdOf(SimWindow& window);
    // Called (when set) when a window with a ribbon is shown for the first
    // time: a host driver loads its add-ins' ribbons for it then.
    std::function<void(const HostWindow& window)> OnWindowOpened;
    // Called (when set) after the Quit event.
    std::function<void()> OnQuit;

    // Outlook has started (the application's Startup event).
    void RaiseStartup() { app_->RaiseEvent(outlook::DISPID_Startup); }
    // The user opens Outlook's options dialog: OptionsPagesAdd (Pages) on the
    // application. The pages the handlers added are in the result.
    ComPtr<SimPropertyPages> ShowOptionsDialog();
    // The user opens a folder's properties: OptionsPagesAdd (Pages, Folder)
    // on the name space.
    ComPtr<SimPropertyPages> ShowFolderProperties(SimFolder& folder);

    // ---- scripts and records ----

    // Answers the categories dialog (see SimApplication::CategoriesDialog).
    void ScriptCategoriesDialog(std::function<bool(std::u16string& categories)> script) {
        app_->CategoriesDialog = std::move(script);
    }
    // How often the categories dialog was shown.
    size_t CategoriesDialogShown() const noexcept { return app_->CategoriesDialogShown; }
    // What each sent message carried when it left.
    const std::vector<ItemData>& Deliveries() const noexcept { return app_->Deliveries; }

    // ---- what is left ----

    // Objects of the simulated Outlook alive now (of every OutlookSim).
    static long LiveObjects() { return OutlookObjectCount().Objects(); }
    // Sinks advised now on them, and which objects hold them.
    static size_t AdvisedSinks() { return OutlookSinkCount(); }
    static std::string SinkReport() { return OutlookSinkReport(); }

private:
    ComPtr<SimApplication> app_;
    RunningOutlook running_;
};

} // namespace sim
