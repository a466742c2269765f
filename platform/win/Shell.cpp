// The link opener (validation, the installed opener, xdg-open and the
// recorder) and the help viewer with its recorder.
#include "platform/win/Shell.h"

#include "platform/text/Text.h"

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr std::size_t maxLinkLength = 2048;

bool StartsWithIgnoringCase(const std::string& s, const char* prefix) {
    std::size_t i = 0;
    for (; prefix[i]; ++i) {
        if (i >= s.size())
            return false;
        if (text::AsciiLower(s[i]) != prefix[i])
            return false;
    }
    return true;
}

// Starts xdg-open with the link as its only argument, its output thrown away,
// and lets a thread of its own wait for it so that it leaves no zombie.
bool OpenWithXdgOpen(const std::string& link) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string program = "xdg-open";
    char* argv[] = {program.data(), const_cast<char*>(link.c_str()), nullptr};
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, "xdg-open", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return false;
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

// A function installed in place of the system's, read and swapped under a lock.
template <class Function> class Installed {
public:
    Function Get() {
        std::lock_guard<std::mutex> guard(lock_);
        return function_;
    }
    // Installs function and returns the one it replaces.
    Function Swap(Function function) {
        std::lock_guard<std::mutex> guard(lock_);
        std::swap(function_, function);
        return function;
    }

private:
    std::mutex lock_;
    Function function_;
};

// The link opener (empty: xdg-open).
Installed<platform::LinkOpener>& LinkOpenerSlot() {
    static auto* installed = new Installed<platform::LinkOpener>;
    return *installed;
}

// The help viewer (empty: none).
Installed<platform::HelpOpener>& HelpViewerSlot() {
    static auto* installed = new Installed<platform::HelpOpener>;
    return *installed;
}

// What a recorder took, under a lock, since the opener it installs may be
// called from any thread.
template <class Entry> class Recorded {
public:
    void Add(Entry entry) {
        std::lock_guard<std::mutex> guard(lock_);
        entries_.push_back(std::move(entry));
    }
    std::vector<Entry> All() const {
        std::lock_guard<std::mutex> guard(lock_);
        return entries_;
    }

private:
    mutable std::mutex lock_;
    std::vector<Entry> entries_;
};

} // namespace

HINSTANCE ShellExecute(HWND, const char* operation, const char* file, const char* parameters,
                       const char*, int) {
    auto answer = [](int code) {
        return reinterpret_cast<HINSTANCE>(static_cast<std::intptr_t>(code));
    };
    if (operation && *operation && std::string(operation) != "open")
        return answer(SE_ERR_NOASSOC);
    if (!file || (parameters && *parameters) || !platform::IsWebLink(file))
        return answer(SE_ERR_ACCESSDENIED);
    return answer(platform::OpenWebLink(file) ? 42 : SE_ERR_FNF);
}

namespace platform {

bool IsWebLink(const std::string& link) {
    if (link.size() > maxLinkLength)
        return false;
    for (unsigned char c : link)
        if (c <= 0x20 || c == 0x7F)
            return false;
    for (const char* scheme : {"http://", "https://"})
        if (StartsWithIgnoringCase(link, scheme)) {
            std::size_t hostStart = std::char_traits<char>::length(scheme);
            return link.size() > hostStart && link[hostStart] != '/' && link[hostStart] != '?' &&
                   link[hostStart] != '#';
        }
    return StartsWithIgnoringCase(link, "mailto:") && link.size() > 7;
}

bool OpenWebLink(const std::string& link) {
    if (!IsWebLink(link))
        return false;
    LinkOpener opener = LinkOpenerSlot().Get();
    return opener ? opener(link) : OpenWithXdgOpen(link);
}

LinkOpener SetLinkOpener(LinkOpener opener) {
    return LinkOpenerSlot().Swap(std::move(opener));
}

struct LinkRecorder::Record : Recorded<std::string> {};

LinkRecorder::LinkRecorder() : record_(std::make_shared<Record>()) {
    previous_ = SetLinkOpener([record = record_](const std::string& link) {
        record->Add(link);
        return true;
    });
}

LinkRecorder::~LinkRecorder() {
    SetLinkOpener(std::move(previous_));
}

std::vector<std::string> LinkRecorder::Links() const {
    return record_->All();
}

bool OpenHelp(const std::string& helpFile, int context) {
    HelpOpener viewer = HelpViewerSlot().Get();
    return viewer && viewer(helpFile, context);
}

HelpOpener SetHelpOpener(HelpOpener opener) {
    return HelpViewerSlot().Swap(std::move(opener));
}

struct HelpRecorder::Record : Recorded<HelpTopic> {};

HelpRecorder::HelpRecorder() : record_(std::make_shared<Record>()) {
    previous_ = SetHelpOpener([record = record_](const std::string& helpFile, int context) {
        record->Add(HelpTopic{helpFile, context});
        return true;
    });
}

HelpRecorder::~HelpRecorder() {
    SetHelpOpener(std::move(previous_));
}

std::vector<HelpTopic> HelpRecorder::Topics() const {
    return record_->All();
}

} // namespace platform
