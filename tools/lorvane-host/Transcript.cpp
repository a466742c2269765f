// Each source is read from where the previous step left it.
#include "Transcript.h"

#include "OutlookSession.h"
#include "SimulatedMachine.h"
#include "TextFiles.h"

#include "platform/win/DebugOutput.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>

namespace fs = std::filesystem;

namespace {

uintmax_t SizeOf(const std::string& path) {
    std::error_code ec;
    uintmax_t size = fs::file_size(path, ec);
    return ec ? 0 : size;
}

} // namespace

std::vector<std::string> LinesAfter(const std::vector<std::string>& all, size_t from) {
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
}

Transcript::Transcript(std::ostream& out, const SimulatedMachine& machine)
    : out_(out), machine_(machine) {
    Mark();
}

void Transcript::Attach(OutlookSession* session) {
    session_ = session;
    Mark();
}

void Transcript::Watch(TranscriptSource& source) {
    sources_.push_back(&source);
    source.Mark();
}

void Transcript::Hide(const std::string& label, bool hidden) {
    if (hidden && label != "failure")
        hidden_.insert(label);
    else
        hidden_.erase(label);
}

void Transcript::ShowPathAs(std::string path, std::string shown) {
    if (!path.empty())
        paths_.emplace_back(std::move(path), std::move(shown));
}

void Transcript::Line(const std::string& text) {
    out_ << Shown(text) << "\n";
}

bool Transcript::Step(const std::string& title, const std::function<void()>& action) {
    out_ << "== " << title << "\n";
    size_t failuresBefore = failures_.size();
    std::string raised;
    try {
        action();
    } catch (const std::exception& e) {
        raised = e.what();
    }
    if (session_) {
        Print("host", LinesAfter(session_->Driver().Log(), hostCalls_));
        std::vector<std::string> newFailures =
            LinesAfter(session_->Driver().Failures(), hostFailures_);
        Print("failure", newFailures);
        failures_.insert(failures_.end(), newFailures.begin(), newFailures.end());
        Print("debug", platform::TakeDebugOutput());
        std::vector<std::string> dialogs;
        const auto& shown = session_->User().Shown();
        for (size_t i = dialogs_; i < shown.size(); ++i)
            dialogs.push_back(sim::ModalScript::Describe(shown[i]));
        Print("dialog", dialogs);
    }
    if (!raised.empty()) {
        Print("failure", {raised});
        failures_.push_back(raised);
    }
    Print("log", NewLogLines());
    if (!registry_.IsCurrent()) {
        RegistrySnapshot now = RegistrySnapshot::Take();
        Print("registry", now.ChangesSince(registry_));
        registry_ = std::move(now);
    }
    if (session_) {
        Print("link", LinesAfter(session_->Links().Links(), links_));
        std::vector<std::string> topics;
        const std::vector<platform::HelpTopic> shown = session_->Help().Topics();
        for (size_t i = helpTopics_; i < shown.size(); ++i)
            topics.push_back(shown[i].File + " " + std::to_string(shown[i].Context));
        Print("help", topics);
    }
    for (TranscriptSource* source : sources_) {
        Print(source->Label(), source->Changes());
        std::vector<std::string> failed = source->NewFailures();
        Print("failure", failed);
        failures_.insert(failures_.end(), failed.begin(), failed.end());
    }
    Mark();
    return failures_.size() == failuresBefore;
}

void Transcript::Mark() {
    // What the add-in told the debugger before belongs to no step.
    platform::TakeDebugOutput();
    if (!registry_.IsCurrent())
        registry_ = RegistrySnapshot::Take();
    logSize_ = SizeOf(machine_.AddInLogFile());
    for (TranscriptSource* source : sources_)
        source->Mark();
    if (session_) {
        hostCalls_ = session_->Driver().Log().size();
        hostFailures_ = session_->Driver().Failures().size();
        dialogs_ = session_->User().Shown().size();
        links_ = session_->Links().Links().size();
        helpTopics_ = session_->Help().Topics().size();
    }
}

void Transcript::Print(const char* source, const std::vector<std::string>& lines) {
    if (hidden_.count(source))
        return;
    for (const std::string& line : lines) {
        std::string label = source;
        label.resize(10, ' ');
        out_ << "   " << label << Shown(line) << "\n";
    }
}

std::string Transcript::Shown(std::string line) const {
    for (const auto& [path, shown] : paths_)
        for (size_t at = line.find(path); at != std::string::npos;
             at = line.find(path, at + shown.size()))
            line.replace(at, path.size(), shown);
    return line;
}

std::vector<std::string> Transcript::NewLogLines() {
    std::string log = machine_.AddInLogFile();
    uintmax_t size = SizeOf(log);
    std::string bytes;
    if (size < logSize_) {
        // The log rolled over: its earlier lines went on in the backup.
        bytes = ReadFileFrom(log + "_Old.txt", logSize_) + ReadFileFrom(log, 0);
    } else {
        bytes = ReadFileFrom(log, logSize_);
    }
    return SplitLines(bytes);
}
