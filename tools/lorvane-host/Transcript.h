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
//      help      LORVANE.HLP 12
//
// The registry and the add-in's log are always watched; the host's calls,
// what the add-in tells the debugger (the Outlook window events its module
// receives), dialogs, links and help topics while an Outlook session is
// attached; and whatever further sources a command adds (a script watches the
// mailbox, the messages sent and the windows). Paths of the machine that
// differ from run to run can be shown by a fixed name, so that a transcript
// reads the same everywhere.
#pragma once

#include "RegistrySnapshot.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <set>
#include <string>
#include <vector>

class OutlookSession;
class SimulatedMachine;

// The lines of all after its first `from` (none when it has fewer): what a
// list that only grows gained since a mark.
std::vector<std::string> LinesAfter(const std::vector<std::string>& all, size_t from);

// A further thing whose changes a step shows.
class TranscriptSource {
public:
    virtual ~TranscriptSource() = default;
    // The label of its lines ("folder", "sent").
    virtual const char* Label() const = 0;
    // Remembers where it stands now.
    virtual void Mark() = 0;
    // What changed since the last Mark, one line each.
    virtual std::vector<std::string> Changes() = 0;
    // What failed since the last Mark: printed as failures and counted in
    // the script's exit status.
    virtual std::vector<std::string> NewFailures() { return {}; }
};

class Transcript {
public:
    // A transcript printed to out, watching the machine's registry and log.
    Transcript(std::ostream& out, const SimulatedMachine& machine);

    // Watches session's calls, failures, dialogs and links from now on (null: none).
    void Attach(OutlookSession* session);
    // Shows source's changes after each step from now on (after the sources
    // above, in the order they were added); source must outlive the transcript's use.
    void Watch(TranscriptSource& source);
    // Leaves the lines of one source out of what a step prints (hidden), or
    // puts them back; failures are always printed.
    void Hide(const std::string& label, bool hidden);
    // Prints path, wherever it occurs in a line, as shown.
    void ShowPathAs(std::string path, std::string shown);
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
    std::string Shown(std::string line) const;

    std::ostream& out_;
    const SimulatedMachine& machine_;
    OutlookSession* session_ = nullptr;
    RegistrySnapshot registry_;
    uintmax_t logSize_ = 0;
    size_t hostCalls_ = 0;
    size_t hostFailures_ = 0;
    size_t dialogs_ = 0;
    size_t links_ = 0;
    size_t helpTopics_ = 0;
    std::vector<std::string> failures_;
    std::vector<TranscriptSource*> sources_;
    std::vector<std::pair<std::string, std::string>> paths_;
    std::set<std::string> hidden_;
};
