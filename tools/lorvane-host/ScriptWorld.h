// What a script runs in: the simulated machine with the add-in registered,
// one clock that starts at a fixed moment and goes on across restarts of
// Outlook, the Outlook of the moment with its stores, the configuration the
// script is putting together, the answers waiting for dialogs, and the
// transcript that every line prints to.
//
// Outlook is there from the first line, with its default store and its main
// window, but the add-in is loaded only when the script starts Outlook. When
// the user quits, Outlook's stores stay (as they would on disk): the next
// line that needs Outlook gets a new one with the same stores, which a start
// then loads the add-in into; its lasting command bars come back from the
// machine, as every host's do (HostDriver.h). Everything that could differ between runs is
// fixed: the clock, the conversation indexes of new messages, the library's
// path in the transcript.
#pragma once

#include "ConfigFileWriter.h"
#include "DialogCamera.h"
#include "HostCommands.h"
#include "Mailbox.h"
#include "OfficeSession.h"
#include "Outbox.h"
#include "OutlookSession.h"
#include "ScriptText.h"
#include "ScriptWatches.h"
#include "Transcript.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ScriptWorld {
public:
    // The moment every script starts at: Monday 7 December 2026, 9:00.
    static TDateTime StartTime();
    // How long each line that acts takes on the clock: a user's pace.
    static constexpr DWORD LinePace = 1000;

    // Registers the add-in on context's machine (quietly: a script starts
    // from an installed add-in) and starts the clock; raises Exception when
    // the add-in does not register.
    explicit ScriptWorld(HostContext& context);
    ~ScriptWorld();
    ScriptWorld(const ScriptWorld&) = delete;
    ScriptWorld& operator=(const ScriptWorld&) = delete;

    // The transcript lines print to.
    Transcript& Out() { return transcript_; }
    // The machine the script runs on.
    SimulatedMachine& Machine() { return context_.Machine; }

    // The Outlook whose stores the script sees now (it may have quit).
    OutlookSession& Session() { return *session_; }
    // An Outlook to act in: after a quit, a new one with the same stores,
    // the add-in not loaded yet.
    OutlookSession& Live();
    // The running Outlook with the add-in loaded; raises EScriptError when
    // Outlook was not started.
    OutlookSession& Running();
    // True between a start and a quit.
    bool IsRunning() const { return running_; }
    // Outlook starts and loads the add-in, then sends its Outbox unless it
    // works offline (a step); raises EScriptError when it runs already.
    void Start();
    // The user quits Outlook (a step); raises EScriptError when it does not run.
    void Quit();
    // The Office host of that command name ("word") starts and loads the
    // add-in (a step); raises EScriptError for an unknown host or while a
    // host runs.
    void StartOffice(const std::string& host);
    // The running Office host; raises EScriptError when none runs.
    OfficeSession& Office();
    // True while an Office host other than Outlook runs.
    bool IsOfficeRunning() const { return office_ != nullptr; }

    // Runs action as a step under title, moves what it sent while offline to
    // the Outbox, then lets a line's time pass (timers that fall due fire
    // within the step). False when it failed.
    bool Step(const std::string& title, const std::function<void()>& action);
    // Adds a line of what Outlook did to the step that runs now.
    void Note(const std::string& text) { notes_.Add(text); }

    // Outlook's Outbox and whether it works offline.
    Outbox& Transport() { return outbox_; }
    // The configuration that "config write" writes.
    ScriptConfig& Config() { return config_; }
    // A conversation index for a new message, the same in every run.
    std::u16string NewConversationIndex();
    // Every message sent since the script began, in order.
    std::vector<sim::ItemData> Deliveries() const;
    // The user's answer to the next categories dialog: the categories
    // chosen, or none for Cancel.
    void AnswerCategoriesDialog(std::optional<std::u16string> categories);
    // Answers given for dialogs that never came.
    size_t UnusedAnswers() const;
    // Stops the script once the line that runs now has printed: the answer
    // given at `line` could not be played (the first such stop counts).
    void StopScript(int line, const std::string& message);
    // The stop asked for, if any.
    const std::optional<EScriptError>& Stop() const { return stop_; }
    // What sees the add-in's forms: their pictures and the dump of the last.
    DialogCamera& Camera() { return camera_; }

private:
    // A new Outlook (with image's stores when given) in place of the one before.
    void Replace(const MailboxImage* image);

    HostContext& context_;
    platform::ManualClockScope clock_;
    Transcript transcript_;
    std::unique_ptr<OutlookSession> session_;
    bool running_ = false;
    bool quit_ = false;
    std::vector<sim::ItemData> earlierDeliveries_;
    ScriptConfig config_;
    uint32_t conversations_ = 0;
    std::deque<std::optional<std::u16string>> categoryAnswers_;
    NoteWatch notes_;
    DialogCamera camera_;
    // The driver the camera stands in front of (the session's scripted user).
    forms::ModalDriver* underCamera_ = nullptr;
    MailboxWatch mailbox_;
    DeliveryWatch deliveries_;
    WindowWatch windows_;
    Outbox outbox_;
    std::unique_ptr<OfficeSession> office_;
    OfficeWatch officeCalls_;
    std::optional<EScriptError> stop_;
};
