// The machine's clock: one per process, shared by every module in it. It gives
// a millisecond tick count for window timers and the local date and time for
// logs, files and items. By default it follows the real clocks; tests, the
// simulated hosts and the demo install a manual clock and move it forward
// themselves, so that timers fire exactly when they say.
//
// The tick count never runs backwards within a process, not even when the clock
// is switched between real and manual: timers armed under one keep their due
// times under the other. Waits between processes (named mutexes) never use this
// clock, since another process cannot follow a manual one.
#pragma once

#include "platform/rtl/DateTime.h"
#include "platform/win/WinTypes.h"

// A broken-down date and time, fields as Windows names them.
struct SYSTEMTIME {
    WORD wYear = 0;
    WORD wMonth = 0;     // 1 to 12
    WORD wDayOfWeek = 0; // 0 = Sunday
    WORD wDay = 0;       // 1 to 31
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
};

// Milliseconds since the machine started, wrapping after 49.7 days.
DWORD GetTickCount();
// Milliseconds since the machine started, without wrapping.
ULONGLONG GetTickCount64();
// The local date and time now.
TDateTime Now();
// The local date and time now, broken down.
void GetLocalTime(SYSTEMTIME* time);
// Waits ms milliseconds; under the manual clock it moves the clock forward instead.
void Sleep(DWORD ms);

// The date and time that st gives (its day of week is not read).
TDateTime SystemTimeToDateTime(const SYSTEMTIME& st);
// Breaks a date and time down, to the millisecond (rounded).
void DateTimeToSystemTime(TDateTime dateTime, SYSTEMTIME& st);

namespace platform {

// Switches the process to a manual clock whose local time is now localNow; the
// tick count goes on from where it is and moves only with AdvanceClock.
void UseManualClock(TDateTime localNow);
// Switches back to the real clocks (the tick count still never goes back).
void UseRealClock();
// True while the manual clock is installed.
bool IsManualClock();
// Moves the manual clock forward by ms milliseconds (tick count and local
// time). Due timers fire on the next ProcessMessages. Raises when the clock is
// real.
void AdvanceClock(DWORD ms);
// Sets the manual clock's local date and time without moving its tick count
// (a test that needs a given date). Raises when the clock is real.
void SetManualLocalTime(TDateTime localNow);

// Installs a manual clock for the life of a scope and restores the real
// clocks when it ends (tests and the demo host).
class ManualClockScope {
public:
    explicit ManualClockScope(TDateTime localNow) { UseManualClock(localNow); }
    ~ManualClockScope() { UseRealClock(); }
    ManualClockScope(const ManualClockScope&) = delete;
    ManualClockScope& operator=(const ManualClockScope&) = delete;
};

} // namespace platform
