// A running simulated Outlook with the host driver that loads its add-ins,
// as a command of the host plays it: Outlook starts with its main window
// open, a scripted user answers every dialog (with its default button unless
// a command says otherwise) and recorders take the web links and the help
// topics the add-in opens. Time is the machine's manual clock, so that the add-in's timers fire
// when the command moves the clock on: one the command installed already
// (a script keeps its clock across restarts of Outlook), else one started
// at the real time for the session's life.
#pragma once

#include "platform/sim/HostDriver.h"
#include "platform/sim/ModalScript.h"
#include "platform/sim/outlook/OutlookSim.h"
#include "platform/win/Clock.h"
#include "platform/win/Shell.h"

#include <memory>
#include <optional>
#include <string>

class OutlookSession {
public:
    // Outlook of the machine's version, running with its main window; no
    // add-in is loaded before Start. addInProgId names the add-in that
    // AddIn finds.
    explicit OutlookSession(std::string addInProgId);
    // Ends Outlook as a host that ends without quitting: the driver lets go
    // of the add-ins and unloads what it may.
    ~OutlookSession();
    OutlookSession(const OutlookSession&) = delete;
    OutlookSession& operator=(const OutlookSession&) = delete;

    // Outlook's start-up: its registered add-ins are loaded and connected.
    void Start();
    // The user quits Outlook: the add-ins are shut down and unloaded.
    void Quit();

    sim::OutlookSim& Outlook() { return *outlook_; }
    sim::HostDriver& Driver() { return *driver_; }
    // The scripted user of dialogs, and the dialogs shown so far.
    sim::ModalScript& User() { return user_; }
    // The web links opened so far.
    const platform::LinkRecorder& Links() const { return links_; }
    // The help topics shown so far.
    const platform::HelpRecorder& Help() const { return help_; }
    // The add-in of the session's library as the driver loaded it, or null.
    sim::HostedAddIn* AddIn();
    // Its ProgID.
    const std::string& AddInProgId() const { return addInProgId_; }

private:
    std::string addInProgId_;
    std::optional<platform::ManualClockScope> clock_;
    sim::ModalScript user_;
    forms::ScopedModalDriver userInstalled_;
    platform::LinkRecorder links_;
    platform::HelpRecorder help_;
    std::unique_ptr<sim::OutlookSim> outlook_;
    std::unique_ptr<sim::HostDriver> driver_;
};
