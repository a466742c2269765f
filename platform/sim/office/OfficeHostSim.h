// One running Office host other than Outlook, as tests, the host driver and
// the demo drive it: Word, Excel, PowerPoint, InfoPath and Visio with their
// documents and windows, and Project, FrontPage, MapPoint and Publisher as
// generic automation hosts. The user's actions are C++ calls (open or create
// a document, open another window on it, activate, close, quit) that change
// the host's objects and fire the events the host fires for them, in its
// order; FireEvent fires any event of the host's interface, and hands the
// by-reference arguments back as the sinks left them.
//
// An OfficeHostSim is the HostSite of the host driver (HostDriver.h), which
// loads the add-ins registered for the host into it; OnWindowOpened and
// OnWindowClosed tell the driver of windows shown and closed later (ribbons
// loaded, task panes closed with their window).
#pragma once

#include "platform/sim/HostDriver.h"
#include "platform/sim/office/SimOfficeObjects.h"

#include <functional>
#include <string>
#include <vector>

namespace sim {

// Writes the host's class registration into the simulated registry (its
// ProgID, versioned ProgID and class), so that add-in registration finds it
// installed. Raises ERegistryException.
void InstallOfficeHost(OfficeHostKind kind, int majorVersion);
// Removes what InstallOfficeHost wrote.
void UninstallOfficeHost(OfficeHostKind kind);
// True when the host's ProgID names its class.
bool IsOfficeHostInstalled(OfficeHostKind kind);

class OfficeHostSim : public HostSite {
public:
    // A running host of that kind and major version, with no document open.
    explicit OfficeHostSim(OfficeHostKind kind, int majorVersion = 12);
    ~OfficeHostSim() override;
    OfficeHostSim(const OfficeHostSim&) = delete;
    OfficeHostSim& operator=(const OfficeHostSim&) = delete;

    const OfficeHostProfile& Profile() const noexcept { return app_->Profile(); }
    SimOfficeApplication& App() const noexcept { return *app_; }

    // ---- HostSite ----
    std::string HostName() const override { return Profile().Name; }
    // Visio and MapPoint keep their add-ins outside the Office key.
    std::string AddInsKey() const override;
    ComPtr<IDispatch> Application() override { return ComPtr<IDispatch>(app_); }
    std::vector<HostWindow> Windows() override;
    // Fires the host's quit event, when it has one.
    void Quit() override;
    // The bars the host keeps between sessions: Word's normal template (the
    // application's bars), InfoPath's window in front, the application's
    // bars in the others.
    SimulatedCommandBars* LastingBars() override;

    // ---- the user ----

    // Opens a document in a new window, which becomes active: the host's
    // document-open event, then the window's (opening and) activation events.
    ComPtr<SimOfficeDocument> OpenDocument(std::u16string name);
    // The same for a new document (the host's new-document event).
    ComPtr<SimOfficeDocument> NewDocument(std::u16string name);
    // Opens another window on document, which becomes active.
    ComPtr<SimOfficeWindow> NewWindow(SimOfficeDocument& document);
    // Activates window (the host's activation events).
    void ActivateWindow(SimOfficeWindow& window);
    // Closes window; a document left without windows closes too. The
    // window last activated before it becomes active again.
    void CloseWindow(SimOfficeWindow& window);
    // Word's "ShowWindowsInTaskbar" option.
    void SetShowWindowsInTaskbar(bool value) { app_->SetShowWindowsInTaskbar(value); }
    // Fires event id of the host's interface with args in declaration order
    // (the value the event returns in result, when given); the number of
    // sinks called.
    size_t FireEvent(DISPID id, DispArgs& args, Variant* result = nullptr) {
        return app_->Fire(id, args, result);
    }

    // Told of a window opened or closed after the host started.
    std::function<void(const HostWindow& window)> OnWindowOpened;
    std::function<void(IDispatch* window)> OnWindowClosed;
    // The command bars the user sees in the active window: Word shows its
    // document's, InfoPath its window's, the other hosts (and any host
    // without a window open) the application's. A new Word document starts
    // with the lasting bars of the application, a new InfoPath window with
    // those of the window in front.
    SimulatedCommandBars& BarsInFront() const;
    // Every event fired by the user's actions, as "<DISPID in hex>".
    const std::vector<std::string>& Events() const noexcept { return events_; }

private:
    ComPtr<SimOfficeDocument> AddDocument(std::u16string name, DISPID event);
    ComPtr<SimOfficeWindow> MakeWindow(SimOfficeDocument& document);
    void ShowWindow(SimOfficeWindow& window);
    void Fire(DISPID id, std::vector<Variant> args);
    void FireActivation(SimOfficeWindow& window);

    ComPtr<SimOfficeApplication> app_;
    std::vector<SimOfficeWindow*> activationOrder_;
    std::vector<std::string> events_;
};

} // namespace sim
