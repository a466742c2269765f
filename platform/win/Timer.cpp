// Window timers: their table, the choice of the next due one, and the manual
// clock's step-by-step advance.
#include "platform/win/Timer.h"

#include "platform/rtl/Exception.h"
#include "platform/win/Clock.h"
#include "platform/win/LastError.h"
#include "platform/win/Process.h"
#include "platform/win/UiState.h"

#include <algorithm>

using namespace platform::ui;

namespace {

UINT ClampInterval(UINT elapse) {
    return std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
}

std::vector<TimerRecord>::iterator FindTimerLocked(UiState& s, HWND hwnd, UINT_PTR id,
                                                   DWORD threadId) {
    return std::find_if(s.timers.begin(), s.timers.end(), [&](const TimerRecord& t) {
        return t.hwnd == hwnd && t.id == id && (hwnd || t.threadId == threadId);
    });
}

// An id that no timer without a window of this thread holds yet.
UINT_PTR FreshThreadTimerIdLocked(UiState& s, DWORD threadId) {
    for (;;) {
        UINT_PTR id = s.nextThreadTimerId++;
        if (id != 0 && FindTimerLocked(s, nullptr, id, threadId) == s.timers.end())
            return id;
    }
}

} // namespace

namespace platform::ui {

const TimerRecord* NextDueTimerLocked(UiState& s, DWORD threadId, HWND filter, ULONGLONG now,
                                      std::uint64_t cutoff, bool take) {
    TimerRecord* best = nullptr;
    for (TimerRecord& t : s.timers) {
        if (t.threadId != threadId || t.due > now || t.firedSerial > cutoff)
            continue;
        if (filter && t.hwnd != filter)
            continue;
        if (!best || t.due < best->due || (t.due == best->due && t.order < best->order))
            best = &t;
    }
    if (best && take) {
        best->due = now + best->interval;
        best->firedSerial = ++s.fireSerial;
    }
    return best;
}

void KillWindowTimersLocked(UiState& s, HWND hwnd) {
    s.timers.erase(std::remove_if(s.timers.begin(), s.timers.end(),
                                  [hwnd](const TimerRecord& t) { return t.hwnd == hwnd; }),
                   s.timers.end());
}

} // namespace platform::ui

UINT_PTR SetTimer(HWND hwnd, UINT_PTR idEvent, UINT elapse, TIMERPROC proc) {
    DWORD self = GetCurrentThreadId();
    ULONGLONG now = GetTickCount64();
    UiState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    if (hwnd) {
        auto window = FindLocked(s, hwnd);
        if (!window || window->destroying) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        if (window->threadId != self) {
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
    }
    auto it = FindTimerLocked(s, hwnd, idEvent, self);
    if (it == s.timers.end()) {
        TimerRecord t;
        t.hwnd = hwnd;
        t.id = hwnd ? idEvent : FreshThreadTimerIdLocked(s, self);
        t.threadId = self;
        s.timers.push_back(t);
        it = s.timers.end() - 1;
    }
    it->interval = ClampInterval(elapse);
    it->proc = proc;
    it->due = now + it->interval;
    it->order = s.nextTimerOrder++;
    it->firedSerial = 0;
    if (hwnd)
        return idEvent ? idEvent : 1;
    return it->id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR idEvent) {
    UiState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    auto it = FindTimerLocked(s, hwnd, idEvent, GetCurrentThreadId());
    if (it == s.timers.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    s.timers.erase(it);
    return TRUE;
}

namespace platform {

void AdvanceAndProcess(DWORD ms) {
    if (!IsManualClock())
        throw Exception("The clock is real: install a manual clock before moving it");
    ULONGLONG target = GetTickCount64() + ms;
    DWORD self = GetCurrentThreadId();
    for (;;) {
        ULONGLONG now = GetTickCount64();
        ULONGLONG next = target + 1;
        {
            UiState& s = State();
            std::lock_guard<std::mutex> guard(s.lock);
            for (const TimerRecord& t : s.timers)
                if (t.threadId == self && t.due < next)
                    next = t.due;
        }
        if (next > target)
            break;
        if (next > now)
            AdvanceClock(static_cast<DWORD>(next - now));
        ProcessMessages();
    }
    ULONGLONG now = GetTickCount64();
    if (target > now)
        AdvanceClock(static_cast<DWORD>(target - now));
    ProcessMessages();
}

} // namespace platform
