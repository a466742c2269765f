// Window timers of the user-interface thread. A timer belongs to a window (or,
// with no window, to the calling thread) and is due when the clock's tick
// count reaches it; the thread's queue then yields a WM_TIMER for it whenever
// no posted message is waiting, as on Windows. Delivering it re-arms the timer
// one interval later, so a timer that fell behind fires once, not once per
// missed interval. Due timers come out in due order, ties in the order they
// were set.
#pragma once

#include "platform/win/WinTypes.h"

// A timer callback: receives the window, WM_TIMER, the timer id and the tick count.
using TIMERPROC = void (*)(HWND hwnd, UINT message, UINT_PTR idEvent, DWORD time);

// The shortest interval Windows keeps; shorter ones are raised to it.
constexpr UINT USER_TIMER_MINIMUM = 0x0000000A;
constexpr UINT USER_TIMER_MAXIMUM = 0x7FFFFFFF;

// Starts (or restarts, when the window already has a timer of that id) a timer
// of elapse milliseconds. With a window: its procedure gets WM_TIMER with
// WParam = idEvent, or proc is called when given; the answer is nonzero. With
// no window: a new timer for the calling thread (an idEvent it already owns
// restarts that one) whose id is the answer; proc is called. 0 on failure.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR idEvent, UINT elapse, TIMERPROC proc);
// Stops a timer; FALSE when there is no such timer.
BOOL KillTimer(HWND hwnd, UINT_PTR idEvent);

namespace platform {

// Moves the manual clock forward by ms, stopping at each due time of the
// calling thread's timers on the way to deliver what is due there (and what
// that posts), then at the end. Raises when the clock is real.
void AdvanceAndProcess(DWORD ms);

} // namespace platform
