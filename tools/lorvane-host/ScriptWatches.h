// What a script's transcript shows beside the host's own records after each
// step: the items that came, went or changed in Outlook's folders, the
// messages that left and what they carried, the windows that opened and
// closed, and notes of what Outlook did that leaves no other trace:
//
//      folder    + Personal Folders\Sent Items: "Offer" to bob@example.com [Sales]
//      sent      to bob@example.com: "Offer" without categories
//      window    + appointment "Offer" (not saved)
//      note      the send was cancelled
#pragma once

#include "Transcript.h"

#include "platform/sim/outlook/OutlookSim.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// Gives the Outlook of the moment.
using OutlookGetter = std::function<sim::OutlookSim&()>;

// Items of every folder, by entry id: "+" stored, "-" gone, "~" changed.
class MailboxWatch : public TranscriptSource {
public:
    explicit MailboxWatch(OutlookGetter outlook) : outlook_(std::move(outlook)) {}
    const char* Label() const override { return "folder"; }
    void Mark() override { items_ = Items(); }
    std::vector<std::string> Changes() override;

private:
    std::map<std::u16string, std::string> Items();

    OutlookGetter outlook_;
    std::map<std::u16string, std::string> items_;
};

// The messages sent since the last mark.
class DeliveryWatch : public TranscriptSource {
public:
    explicit DeliveryWatch(std::function<std::vector<sim::ItemData>()> deliveries)
        : deliveries_(std::move(deliveries)) {}
    const char* Label() const override { return "sent"; }
    void Mark() override { seen_ = deliveries_().size(); }
    std::vector<std::string> Changes() override;

private:
    std::function<std::vector<sim::ItemData>()> deliveries_;
    size_t seen_ = 0;
};

// Windows opened ("+") and closed ("-"), told apart by their handles.
class WindowWatch : public TranscriptSource {
public:
    explicit WindowWatch(OutlookGetter outlook) : outlook_(std::move(outlook)) {}
    const char* Label() const override { return "window"; }
    void Mark() override { windows_ = Windows(); }
    std::vector<std::string> Changes() override;

private:
    std::vector<std::pair<HWND, std::string>> Windows();

    OutlookGetter outlook_;
    std::vector<std::pair<HWND, std::string>> windows_;
};

// Lines a command adds while its step runs.
class NoteWatch : public TranscriptSource {
public:
    const char* Label() const override { return "note"; }
    void Mark() override { notes_.clear(); }
    std::vector<std::string> Changes() override { return notes_; }
    // Adds a line to the step that runs now.
    void Add(std::string note) { notes_.push_back(std::move(note)); }

private:
    std::vector<std::string> notes_;
};
