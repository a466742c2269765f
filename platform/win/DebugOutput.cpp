// The kept lines of the debugger's output.
#include "platform/win/DebugOutput.h"

#include <deque>
#include <mutex>

namespace {

constexpr std::size_t keptLines = 1000;

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

} // namespace platform
