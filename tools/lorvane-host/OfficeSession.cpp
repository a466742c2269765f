// A running Office host of a script, and its driver's calls in the transcript.
#include "OfficeSession.h"

#include "platform/text/Text.h"

OfficeSession::OfficeSession(sim::OfficeHostKind kind, std::string addInProgId)
    : addInProgId_(std::move(addInProgId)), host_(std::make_unique<sim::OfficeHostSim>(kind)),
      driver_(std::make_unique<sim::HostDriver>(*host_)) {
    host_->OnWindowOpened = [this](const sim::HostWindow& window) { driver_->OpenWindow(window); };
    host_->OnWindowClosed = [this](IDispatch* window) { driver_->CloseWindow(window); };
}

OfficeSession::~OfficeSession() {
    host_->OnWindowOpened = nullptr;
    host_->OnWindowClosed = nullptr;
    driver_.reset();
}

void OfficeSession::Start() {
    driver_->Start();
}

void OfficeSession::Quit() {
    driver_->Quit();
}

sim::SimOfficeDocument* OfficeSession::FindDocument(const std::string& name) {
    for (const auto& document : host_->App().Documents())
        if (text::Narrow(document->Name()) == name)
            return document.Get();
    return nullptr;
}

sim::SimOfficeWindow* OfficeSession::FindWindow(const std::string& name) {
    for (const auto& window : host_->App().Windows())
        if (text::Narrow(window->Caption()) == name)
            return window.Get();
    sim::SimOfficeDocument* document = FindDocument(name);
    return document ? document->ActiveWindow() : nullptr;
}

void OfficeWatch::Attach(OfficeSession* session) {
    session_ = session;
    Mark();
}

void OfficeWatch::Mark() {
    calls_ = session_ ? session_->Driver().Log().size() : 0;
    failures_ = session_ ? session_->Driver().Failures().size() : 0;
}

std::vector<std::string> OfficeWatch::Changes() {
    return session_ ? LinesAfter(session_->Driver().Log(), calls_) : std::vector<std::string>();
}

std::vector<std::string> OfficeWatch::NewFailures() {
    return session_ ? LinesAfter(session_->Driver().Failures(), failures_)
                    : std::vector<std::string>();
}
