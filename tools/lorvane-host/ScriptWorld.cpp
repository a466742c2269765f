// The script's machine, clock and Outlook.
#include "ScriptWorld.h"

#include "Mailbox.h"
#include "ScriptText.h"
#include "SimulatedMachine.h"

#include "platform/sim/outlook/ConversationIndex.h"
#include "platform/text/Text.h"
#include "platform/win/Timer.h"

TDateTime ScriptWorld::StartTime() {
    return EncodeDateTime(2026, 12, 7, 9, 0, 0, 0);
}

ScriptWorld::ScriptWorld(HostContext& context)
    : context_(context), clock_(StartTime()), transcript_(context.Out, context.Machine),
      camera_(context.Machine.AddInDataFolder(), [this](const std::string& note) { Note(note); }),
      mailbox_([this]() -> sim::OutlookSim& { return session_->Outlook(); }),
      deliveries_([this] { return Deliveries(); }),
      windows_([this]() -> sim::OutlookSim& { return session_->Outlook(); }),
      outbox_([this](const std::string& note) { Note(note); }) {
    // Registration asks whether Outlook runs, so it comes before Outlook does;
    // the library stays loaded until Outlook has loaded it (Start).
    context.Library.Register();
    transcript_.ShowPathAs(context.Library.Path(), context.Library.FileName());
    transcript_.ShowPathAs(context.Machine.Folder(), "<machine>");
    Replace(nullptr);
    // Notes first: they say what Outlook did, the others what came of it.
    transcript_.Watch(notes_);
    transcript_.Watch(mailbox_);
    transcript_.Watch(deliveries_);
    transcript_.Watch(windows_);
    transcript_.Watch(officeCalls_);
}

ScriptWorld::~ScriptWorld() {
    officeCalls_.Attach(nullptr);
    office_.reset();
    outbox_.Attach(nullptr);
    transcript_.Attach(nullptr);
    forms::InstallModalDriver(underCamera_);
    camera_.SetUser(nullptr);
    session_.reset();
    // A script that never started Outlook still holds the registered library.
    context_.Library.LetGo();
}

void ScriptWorld::Replace(const MailboxImage* image) {
    if (session_) {
        const std::vector<sim::ItemData>& sent = session_->Outlook().Deliveries();
        earlierDeliveries_.insert(earlierDeliveries_.end(), sent.begin(), sent.end());
        outbox_.Attach(nullptr);
        transcript_.Attach(nullptr);
        // The old Outlook goes first: its scripted user gives the dialogs back.
        forms::InstallModalDriver(underCamera_);
        camera_.SetUser(nullptr);
        session_.reset();
    }
    session_ = std::make_unique<OutlookSession>(context_.Library.ProgId());
    camera_.SetUser(&session_->User());
    underCamera_ = forms::InstallModalDriver(&camera_);
    if (image)
        RestoreMailboxImage(session_->Outlook(), *image);
    session_->Outlook().ScriptCategoriesDialog([this](std::u16string& categories) {
        std::string offered = text::Narrow(categories);
        // Unless the script says otherwise, the user takes what the dialog
        // offers with its default button, OK, as with a message box.
        std::optional<std::u16string> answer = categories;
        if (!categoryAnswers_.empty()) {
            answer = categoryAnswers_.front();
            categoryAnswers_.pop_front();
        }
        if (!answer) {
            Note("categories dialog offered " + InQuotes(offered) + ": cancelled");
            return false;
        }
        categories = *answer;
        Note("categories dialog offered " + InQuotes(offered) + ": chosen " +
             InQuotes(text::Narrow(categories)));
        return true;
    });
    outbox_.Attach(&session_->Outlook());
    transcript_.Attach(session_.get());
    running_ = quit_ = false;
}

OutlookSession& ScriptWorld::Live() {
    if (quit_) {
        MailboxImage image = TakeMailboxImage(session_->Outlook());
        Replace(&image);
    }
    return *session_;
}

OutlookSession& ScriptWorld::Running() {
    if (!running_)
        throw EScriptError("Outlook is not running: start it first");
    return *session_;
}

void ScriptWorld::Start() {
    if (running_)
        throw EScriptError("Outlook runs already");
    OutlookSession& session = Live();
    Step("Outlook starts and loads its add-ins", [&] {
        session.Start();
        // Outlook holds the library now: its unload at quit is a real one.
        context_.Library.LetGo();
        sim::HostedAddIn* addIn = session.AddIn();
        if (!addIn || !addIn->Connected)
            Note("the add-in " + session.AddInProgId() + " did not connect");
        if (!outbox_.IsOffline())
            outbox_.Send();
    });
    running_ = true;
}

void ScriptWorld::StartOffice(const std::string& host) {
    const sim::OfficeHostProfile* profile = sim::FindHostProfile(host);
    if (!profile)
        throw EScriptError("There is no host " + InQuotes(host));
    if (office_ || running_)
        throw EScriptError("A host runs already");
    office_ = std::make_unique<OfficeSession>(profile->Kind, context_.Library.ProgId());
    officeCalls_.Attach(office_.get());
    Step(std::string(profile->Name) + " starts and loads its add-ins", [&] {
        office_->Start();
        context_.Library.LetGo();
    });
}

OfficeSession& ScriptWorld::Office() {
    if (!office_)
        throw EScriptError("No Office host is running: start one first");
    return *office_;
}

void ScriptWorld::Quit() {
    if (office_) {
        std::string name = office_->Host().Profile().Name;
        transcript_.Step("The user quits " + name, [&] { office_->Quit(); });
        sim::HostedAddIn* addIn = office_->AddIn();
        bool unloaded = addIn && addIn->CanUnloadNow == S_OK && !addIn->Library;
        transcript_.Line(unloaded ? "The add-in library was unloaded: no object of it is left."
                                  : "The add-in library could not be unloaded.");
        officeCalls_.Attach(nullptr);
        office_.reset();
        return;
    }
    OutlookSession& session = Running();
    // No time passes after it: the add-in's library may be gone.
    transcript_.Step("The user quits Outlook", [&] { session.Quit(); });
    sim::HostedAddIn* addIn = session.AddIn();
    bool unloaded = addIn && addIn->CanUnloadNow == S_OK && !addIn->Library;
    transcript_.Line(unloaded ? "The add-in library was unloaded: no object of it is left."
                              : "The add-in library could not be unloaded.");
    running_ = false;
    quit_ = true;
}

bool ScriptWorld::Step(const std::string& title, const std::function<void()>& action) {
    return transcript_.Step(title, [&] {
        action();
        outbox_.Settle();
        platform::AdvanceAndProcess(LinePace);
    });
}

std::u16string ScriptWorld::NewConversationIndex() {
    // A GUID of its own for each conversation, numbered from 1.
    GUID id{};
    id.Data1 = ++conversations_;
    id.Data3 = 0x4000;
    id.Data4[0] = 0x80;
    return sim::ConversationIndexText(sim::NewConversationIndex(Now(), id));
}

std::vector<sim::ItemData> ScriptWorld::Deliveries() const {
    std::vector<sim::ItemData> all = earlierDeliveries_;
    const std::vector<sim::ItemData>& now = session_->Outlook().Deliveries();
    all.insert(all.end(), now.begin(), now.end());
    return all;
}

void ScriptWorld::AnswerCategoriesDialog(std::optional<std::u16string> categories) {
    categoryAnswers_.push_back(std::move(categories));
}

void ScriptWorld::StopScript(int line, const std::string& message) {
    if (!stop_)
        stop_.emplace(message, line);
}

size_t ScriptWorld::UnusedAnswers() const {
    return categoryAnswers_.size() + session_->User().PendingSteps();
}
