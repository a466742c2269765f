// The kept lines of the debugger's output.
#include "platform/win/DebugOutput.h"

#include <deque>
#include <mutex>

namespace {

constexpr std::size_t keptLines = 1000;

// How many TQuietDebugOutput live on this thread.
thread_local int quietDepth = 0;

struct DebugLines {
    std::mutex lock;
    std::deque<std::string> lines;
};

DebugLines& Lines() {
    static DebugLines* lines = new DebugLines;
    return *lines;
}

} // namespace

void OutputDebugString(const char* text) {
    if (quietDepth > 0)
        return;
    DebugLines& d = Lines();
    std::lock_guard<std::mutex> guard(d.lock);
    d.lines.emplace_back(text ? text : "");
    if (d.lines.size() > keptLines)
        d.lines.pop_front();
}

namespace platform {

std::vector<std::string> TakeDebugOutput() {
    DebugLines& d = Lines();
    std::lock_guard<std::mutex> guard(d.lock);
    std::vector<std::string> out(d.lines.begin(), d.lines.end());
    d.lines.clear();
    return out;
}

TQuietDebugOutput::TQuietDebugOutput() {
    ++quietDepth;
}

TQuietDebugOutput::~TQuietDebugOutput() {
    --quietDepth;
}

} // namespace platform
