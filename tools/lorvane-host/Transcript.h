// What the host prints of a scenario: each step under its title, followed by
// what happened while it ran, one line each, grouped by where it was seen:
//
//   == Outlook starts and loads its add-ins
//      host      LorvaneOL.coLorvaneOL: OnConnection(1)
//      failure   LorvaneOL.coLorvaneOL: OnStartupComplete failed (...)
//      debug     LorvaneOL: OnOLExplorerActivate "Inbox - Outlook"
//      dialog    [Error] LorvaneOL: "..." {OK} -> OK
//      log       12/7/2026 9:30:00 AM - adxCOMAddInModuleAddInInitialize: ...
//      registry  + HKEY_CURRENT_USER\...\ADXStartMode = "NORMAL"
//      link      https://...
//
// The registry and the add-in's log are always watched; the host's calls,
// what the add-in tells the debugger (the Outlook window events its module
// receives), dialogs and links while an Outlook session is attached.
#pragma once

#include "RegistrySnapshot.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

class OutlookSession;
class SimulatedMachine;

class Transcript {
public:
    // A transcript printed to out, watching the machine's registry and log.
    Transcript(std::ostream& out, const SimulatedMachine& machine);

    // Watches session's calls, failures, dialogs and links from now on (null: none).
    void Attach(OutlookSession* session);
    // Prints a line of its own.
    void Line(const std::string& text);
    // Runs action as a step and prints what it did; an exception it raises
    // is printed as a failure. False when the step failed in either way.
    bool Step(const std::string& title, const std::function<void()>& action);
    // Every failure printed so far.
    const std::vector<std::string>& Failures() const { return failures_; }

private:
    // Remembers where every source stands now.
    void Mark();
    void Print(const char* source, const std::vector<std::string>& lines);
    std::vector<std::string> NewLogLines();

    std::ostream& out_;
    const SimulatedMachine& machine_;
    OutlookSession* session_ = nullptr;
    RegistrySnapshot registry_;
    uintmax_t logSize_ = 0;
    size_t hostCalls_ = 0;
    size_t hostFailures_ = 0;
    size_t dialogs_ = 0;
    size_t links_ = 0;
    std::vector<std::string> failures_;
};
