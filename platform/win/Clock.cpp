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

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// The civil date of a day counted from 1970-01-01.
void CivilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
}

// The OLE date's day 0, 1899-12-30, counted from 1970-01-01.
const std::int64_t oleEpochDays = DaysFromCivil(1899, 12, 30);

// An OLE date as a day number and the milliseconds of that day. Before day 0
// the fraction still counts forward from midnight (-1.25 is 1899-12-29 06:00).
void SplitDateTime(TDateTime dt, std::int64_t& day, std::int64_t& msOfDay) {
    double whole = std::trunc(dt);
    day = static_cast<std::int64_t>(whole);
    msOfDay = std::llround(std::fabs(dt - whole) * msPerDay);
    if (msOfDay >= msPerDay) {
        msOfDay -= msPerDay;
        day += dt < 0 ? -1 : 1;
    }
}

TDateTime JoinDateTime(std::int64_t day, std::int64_t msOfDay) {
    double fraction = static_cast<double>(msOfDay) / msPerDay;
    return day < 0 ? static_cast<double>(day) - fraction : static_cast<double>(day) + fraction;
}

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
    std::int64_t day = DaysFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                                     static_cast<unsigned>(local.tm_mday)) -
                       oleEpochDays;
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
    std::int64_t day = DaysFromCivil(st.wYear, st.wMonth, st.wDay) - oleEpochDays;
    std::int64_t ms = ((st.wHour * 60LL + st.wMinute) * 60 + st.wSecond) * 1000 + st.wMilliseconds;
    return JoinDateTime(day, ms);
}

void DateTimeToSystemTime(TDateTime dateTime, SYSTEMTIME& st) {
    std::int64_t day = 0, ms = 0;
    SplitDateTime(dateTime, day, ms);
    std::int64_t y = 0;
    unsigned m = 0, d = 0;
    std::int64_t unixDay = day + oleEpochDays;
    CivilFromDays(unixDay, y, m, d);
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    // 1970-01-01 was a Thursday.
    st.wDayOfWeek = static_cast<WORD>(((unixDay % 7) + 7 + 4) % 7);
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
