// The link opener: validation, the installed opener, xdg-open and the recorder.
#include "platform/win/Shell.h"

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
        char c = s[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
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

struct OpenerState {
    std::mutex lock;
    platform::LinkOpener opener; // empty: xdg-open
};

OpenerState& Opener() {
    static OpenerState* state = new OpenerState;
    return *state;
}

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
    LinkOpener opener;
    {
        OpenerState& s = Opener();
        std::lock_guard<std::mutex> guard(s.lock);
        opener = s.opener;
    }
    return opener ? opener(link) : OpenWithXdgOpen(link);
}

LinkOpener SetLinkOpener(LinkOpener opener) {
    OpenerState& s = Opener();
    std::lock_guard<std::mutex> guard(s.lock);
    std::swap(s.opener, opener);
    return opener;
}

struct LinkRecorder::Record {
    mutable std::mutex lock;
    std::vector<std::string> links;
};

LinkRecorder::LinkRecorder() : record_(std::make_shared<Record>()) {
    std::shared_ptr<Record> record = record_;
    previous_ = SetLinkOpener([record](const std::string& link) {
        std::lock_guard<std::mutex> guard(record->lock);
        record->links.push_back(link);
        return true;
    });
}

LinkRecorder::~LinkRecorder() {
    SetLinkOpener(std::move(previous_));
}

std::vector<std::string> LinkRecorder::Links() const {
    std::lock_guard<std::mutex> guard(record_->lock);
    return record_->links;
}

} // namespace platform
