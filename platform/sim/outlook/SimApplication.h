// The simulated Outlook's Application object and the state the whole
// simulation shares: the version, the name space with its stores, the
// explorer and inspector windows with their focus order, the record of what
// recipients received, and the script that answers the categories dialog.
//
// It answers QueryInterface for _Application and is the source of the
// application events in all three of their versions (ApplicationEvents,
// ApplicationEvents_10, ApplicationEvents_11): a sink advised on any of them
// receives every event, and the IIDs advised are recorded.
#pragma once

#include "platform/sim/outlook/SimItem.h"
#include "platform/sim/outlook/SimObject.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sim {

class SimNameSpace;
class SimExplorers;
class SimInspectors;
class SimExplorer;
class SimInspector;
class SimReminders;
struct StoreInfo;

// An explorer or an inspector as the focus order sees it.
class SimWindow {
public:
    // True for an explorer, false for an inspector.
    virtual bool IsExplorer() const noexcept = 0;
    // The window's IDispatch (its Outlook object).
    virtual IDispatch* WindowDisp() noexcept = 0;
    // Raise the window's Activate and Deactivate events.
    virtual void RaiseActivate() = 0;
    virtual void RaiseDeactivate() = 0;

protected:
    ~SimWindow() = default;
};

class SimApplication final : public OutlookObject<> {
public:
    // A running Outlook of that major version with no stores and no windows.
    static ComPtr<SimApplication> Create(int majorVersion);

    // The major version and the full Version text ("12.0.0.6423").
    int MajorVersion() const noexcept { return major_; }
    const std::u16string& VersionText() const noexcept { return versionText_; }
    // Sets the version: the text becomes the usual build of that major version.
    void SetVersion(int major);
    // Sets the Version text exactly (its major version is read from it).
    void SetVersionText(std::u16string text);

    SimNameSpace& NameSpace() const noexcept { return *nameSpace_; }
    SimExplorers& Explorers() const noexcept { return *explorers_; }
    SimInspectors& Inspectors() const noexcept { return *inspectors_; }
    SimReminders& Reminders() const noexcept { return *reminders_; }

    // Focus: the window brought to the front (Deactivate on the one that had
    // the focus, then Activate on it); a window that has it already gets nothing.
    void Activate(SimWindow& window);
    // A window that closes leaves the focus order; when it had the focus, the
    // next window in the order gets it (Activate).
    void WindowClosed(SimWindow& window);
    // The front window, explorer and inspector; null when there is none.
    SimWindow* ActiveWindow() const noexcept;
    SimExplorer* ActiveExplorer() const noexcept;
    SimInspector* ActiveInspector() const noexcept;

    // A new item of an OlItemType, as CreateItem makes it (not stored).
    ComPtr<SimItem> CreateItem(int itemType);
    // A fresh EntryID in store.
    std::u16string NewEntryId(const StoreInfo& store);
    // The clock of the machine (local time).
    TDateTime Now() const;
    // The random nibble of the next reply's conversation index.
    uint8_t NextRandomNibble();
    // True when new mail gets a conversation index when it is created
    // (Outlook 2007 and later); older versions leave it empty.
    bool NewItemsGetConversationIndex() const noexcept { return major_ >= 12; }

    // Raises ItemSend (Item, Cancel); true when a handler cancelled.
    bool RaiseItemSend(SimItem& item);

    // Quits: closes every inspector and explorer (their Close events), then
    // raises Quit; later calls do nothing.
    void Quit();
    // True while Quit closes the windows (an item can no longer refuse to close).
    bool IsQuitting() const noexcept { return quitting_; }
    // True once Quit ran.
    bool HasQuit() const noexcept { return quit_; }
    // Called (when set) after the Quit event, for the host that runs Outlook.
    std::function<void()> OnQuit;
    // Called (when set) when a window is shown for the first time, before it
    // gets the focus: the host loads its ribbon then.
    std::function<void(SimWindow& window)> OnWindowShown;
    // Reports a window shown for the first time (see OnWindowShown).
    void WindowShown(SimWindow& window) {
        if (OnWindowShown)
            OnWindowShown(window);
    }

    // The user of the session: the sender of every message sent here.
    static constexpr std::u16string_view CurrentUserName = u"Sim User";
    static constexpr std::u16string_view CurrentUserAddress = u"sim.user@example.com";

    // What each sent message carried when it left (the recipients' copy).
    std::vector<ItemData> Deliveries;
    // Answers ShowCategoriesDialog: given the item's categories, sets the
    // chosen ones and returns true (OK), or returns false (Cancel). Unset:
    // the dialog is cancelled.
    std::function<bool(std::u16string& categories)> CategoriesDialog;
    // How often the categories dialog was shown.
    size_t CategoriesDialogShown = 0;

    void TearDown() override;

private:
    friend struct ::ComMaker;
    explicit SimApplication(int majorVersion);
    void AddMembers();

    int major_ = 0;
    std::u16string versionText_;
    ComPtr<SimNameSpace> nameSpace_;
    ComPtr<SimExplorers> explorers_;
    ComPtr<SimInspectors> inspectors_;
    ComPtr<SimReminders> reminders_;
    std::vector<SimWindow*> focus_; // front first
    uint64_t nextEntry_ = 1;
    uint32_t random_ = 0x2545F491;
    bool quit_ = false;
    bool quitting_ = false;
};

} // namespace sim
