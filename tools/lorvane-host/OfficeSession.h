// A running simulated Office host other than Outlook (Word, Excel, InfoPath,
// Visio, PowerPoint, or a generic automation host) with the host driver that
// loads its add-ins, as a script plays it: the user opens documents and
// windows, and the driver hears of each window shown or closed (ribbons
// loaded, task panes closed with their window). OfficeWatch shows the
// driver's calls in a script's transcript.
#pragma once

#include "Transcript.h"

#include "platform/sim/HostDriver.h"
#include "platform/sim/office/OfficeHostSim.h"

#include <memory>
#include <string>

class OfficeSession {
public:
    // The host of that kind, running with no document; nothing loaded before Start.
    OfficeSession(sim::OfficeHostKind kind, std::string addInProgId);
    // Ends the host as one that ends without quitting.
    ~OfficeSession();
    OfficeSession(const OfficeSession&) = delete;
    OfficeSession& operator=(const OfficeSession&) = delete;

    // The host starts and loads its add-ins.
    void Start();
    // The user quits: the add-ins are shut down and unloaded.
    void Quit();
    sim::OfficeHostSim& Host() { return *host_; }
    sim::HostDriver& Driver() { return *driver_; }
    // The session's add-in as the driver loaded it, or null.
    sim::HostedAddIn* AddIn() { return driver_->Find(addInProgId_); }
    // The window of that caption, or the active window of the document of
    // that name; null when there is none.
    sim::SimOfficeWindow* FindWindow(const std::string& name);
    // The document of that name, or null.
    sim::SimOfficeDocument* FindDocument(const std::string& name);

private:
    std::string addInProgId_;
    std::unique_ptr<sim::OfficeHostSim> host_;
    std::unique_ptr<sim::HostDriver> driver_;
};

// The calls and failures of the Office host's driver since the last step.
class OfficeWatch : public TranscriptSource {
public:
    const char* Label() const override { return "host"; }
    void Mark() override;
    std::vector<std::string> Changes() override;
    std::vector<std::string> NewFailures() override;
    // Watches session (null: none).
    void Attach(OfficeSession* session);

private:
    OfficeSession* session_ = nullptr;
    size_t calls_ = 0;
    size_t failures_ = 0;
};
