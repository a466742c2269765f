// The process's clock: real by default, manual when a test or host installs it.
// Local times are kept as whole milliseconds since the OLE date's day 0, so a
// manual clock advanced in small steps never drifts.
#include "platform/win/Clock.h"

#include "platform/rtl/Exception.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <mutex>
#include <thread>

namespace {

constexpr std::int64_t msPerDay = 86400000;

// Milliseconds since the OLE day 0 for a local time given as an OLE date.
std::int64_t ToLocalMs(TDateTime dt) {
    std::int64_t day = 0, ms = 0;
    SplitDateTime(dt, day, ms);
    return day * msPerDay + (day < 0 ? -ms : ms);
}

TDateTime FromLocalMs(std::int64_t localMs) {
    std::int64_t day = localMs / msPerDay;
    std::int64_t ms = localMs % msPerDay;
    return JoinDateTime(day, ms < 0 ? -ms : ms);
}

std::uint64_t MonotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000 +
           static_cast<std::uint64_t>(ts.tv_nsec) / 1000000;
}

std::int64_t RealLocalMs() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm local{};
    time_t secs = ts.tv_sec;
    localtime_r(&secs, &local);
    std::int64_t day = DateToDayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    std::int64_t ms =
        (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) * 1000LL + ts.tv_nsec / 1000000;
    return day * msPerDay + ms;
}

struct ClockState {
    std::mutex lock;
    bool manual = false;
    // Added to the monotonic clock so that the tick count goes on from where a
    // manual clock left it.
    std::int64_t tickOffset = 0;
    std::uint64_t manualTick = 0;
    std::int64_t manualLocalMs = 0;

    std::uint64_t TickLocked() const {
        return manual ? manualTick
                      : static_cast<std::uint64_t>(static_cast<std::int64_t>(MonotonicMs()) +
                                                   tickOffset);
    }
};

ClockState& State() {
    static ClockState state;
    return state;
}

void RequireManual(const ClockState& s) {
    if (!s.manual)
        throw Exception("The clock is real: install a manual clock before moving it");
}

} // namespace

DWORD GetTickCount() {
    return static_cast<DWORD>(GetTickCount64());
}

ULONGLONG GetTickCount64() {
    ClockState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.TickLocked();
}

TDateTime Now() {
    ClockState& s = State();
    std::unique_lock<std::mutex> guard(s.lock);
    if (s.manual)
        return FromLocalMs(s.manualLocalMs);
    guard.unlock();
    return FromLocalMs(RealLocalMs());
}

void GetLocalTime(SYSTEMTIME* time) {
    if (time)
        DateTimeToSystemTime(Now(), *time);
}

void Sleep(DWORD ms) {
    {
        ClockState& s = State();
        std::lock_guard<std::mutex> guard(s.lock);
        if (s.manual) {
            s.manualTick += ms;
            s.manualLocalMs += ms;
            return;
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& st) {
    std::int64_t day = DateToDayNumber(st.wYear, st.wMonth, st.wDay);
    std::int64_t ms = ((st.wHour * 60LL + st.wMinute) * 60 + st.wSecond) * 1000 + st.wMilliseconds;
    return JoinDateTime(day, ms);
}

void DateTimeToSystemTime(TDateTime dateTime, SYSTEMTIME& st) {
    std::int64_t day = 0, ms = 0;
    SplitDateTime(dateTime, day, ms);
    std::int64_t y = 0;
    int m = 0, d = 0;
    DayNumberToDate(day, y, m, d);
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    // Day 0, 1899-12-30, was a Saturday.
    st.wDayOfWeek = static_cast<WORD>(((day % 7) + 7 + 6) % 7);
    st.wHour = static_cast<WORD>(ms / 3600000);
    st.wMinute = static_cast<WORD>(ms / 60000 % 60);
    st.wSecond = static_cast<WORD>(ms / 1000 % 60);
    st.wMilliseconds = static_cast<WORD>(ms % 1000);
}

namespace platform {

void UseManualClock(TDateTime localNow) {
    ClockState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.manualTick = s.TickLocked();
    s.manualLocalMs = ToLocalMs(localNow);
    s.manual = true;
}

void UseRealClock() {
    ClockState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    if (!s.manual)
        return;
    std::int64_t needed =
        static_cast<std::int64_t>(s.manualTick) - static_cast<std::int64_t>(MonotonicMs());
    if (needed > s.tickOffset)
        s.tickOffset = needed;
    s.manual = false;
}

bool IsManualClock() {
    ClockState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.manual;
}

void AdvanceClock(DWORD ms) {
    ClockState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    RequireManual(s);
    s.manualTick += ms;
    s.manualLocalMs += ms;
}

void SetManualLocalTime(TDateTime localNow) {
    ClockState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    RequireManual(s);
    s.manualLocalMs = ToLocalMs(localNow);
}

} // namespace platform
