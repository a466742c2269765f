// The simulated machine a command runs on: its folder ($PLATFORM_HOME, with
// the registry and the local application data), with Outlook installed. A
// folder given with --data is kept; otherwise a command that runs Outlook
// gets a fresh temporary folder, removed when it ends, and the others use the
// machine's default folder.
#pragma once

#include <string>

class SimulatedMachine {
public:
    // The Outlook version the machine has installed.
    static constexpr int OutlookVersion = 12;

    // Points the process at folder (empty: a temporary one when temporary,
    // else the default) and installs Outlook there, which does nothing when
    // it is installed already.
    SimulatedMachine(const std::string& folder, bool temporary);
    // Removes a temporary folder.
    ~SimulatedMachine();
    SimulatedMachine(const SimulatedMachine&) = delete;
    SimulatedMachine& operator=(const SimulatedMachine&) = delete;

    // The machine's folder.
    const std::string& Folder() const { return folder_; }
    // True when the folder goes when the command ends.
    bool IsTemporary() const { return temporary_; }
    // The add-in's data folder on this machine (its configuration, pending
    // entries and log); it may not exist yet.
    std::string AddInDataFolder() const;
    // The add-in's log file on this machine.
    std::string AddInLogFile() const;

private:
    std::string folder_;
    bool temporary_ = false;
};
