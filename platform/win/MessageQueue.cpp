// Registered messages, sending and posting, and the thread's message loop.
#include "platform/rtl/Exception.h"
#include "platform/text/Text.h"
#include "platform/win/Clock.h"
#include "platform/win/LastError.h"
#include "platform/win/Process.h"
#include "platform/win/UiState.h"

#include <limits>

using namespace platform::ui;

namespace {

// Registered message numbers are process-wide and never forgotten.
struct RegisteredMessages {
    std::mutex lock;
    std::map<std::string, UINT> numbers; // by lower-case name
    UINT next = 0xC000;
};

RegisteredMessages& Registered() {
    static RegisteredMessages* table = new RegisteredMessages;
    return *table;
}

// Fire serials above this may not fire again in the running ProcessMessages.
thread_local std::uint64_t timerCutoff = std::numeric_limits<std::uint64_t>::max();

void PostLocked(UiState& s, DWORD threadId, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG m;
    m.hwnd = hwnd;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = GetTickCount();
    s.queues[threadId].push_back(m);
}

bool Matches(const MSG& m, HWND filter, UINT minMsg, UINT maxMsg) {
    if (filter && m.hwnd != filter)
        return false;
    if (minMsg == 0 && maxMsg == 0)
        return true;
    return m.message >= minMsg && m.message <= maxMsg;
}

} // namespace

UINT RegisterWindowMessage(const char* name) {
    if (!name || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    RegisteredMessages& r = Registered();
    std::lock_guard<std::mutex> guard(r.lock);
    std::string key = text::AsciiLowerCase(name);
    auto it = r.numbers.find(key);
    if (it != r.numbers.end())
        return it->second;
    if (r.next > 0xFFFF) // the range is used up, as Windows would say
        return 0;
    return r.numbers[key] = r.next++;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd == HWND_BROADCAST) {
        DWORD self = GetCurrentThreadId();
        // Collected first: a procedure may create or destroy windows.
        std::vector<std::shared_ptr<WindowRecord>> targets;
        {
            UiState& s = State();
            std::lock_guard<std::mutex> guard(s.lock);
            for (const auto& [handle, w] : s.windows)
                if (!w->parent && !w->destroying)
                    targets.push_back(w);
        }
        for (const auto& w : targets) {
            if (!IsWindow(w->handle)) // destroyed by an earlier window's procedure
                continue;
            if (w->threadId == self)
                CallWindow(w, message, wParam, lParam);
            else // a broadcast does not wait for other threads
                PostMessage(w->handle, message, wParam, lParam);
        }
        return 0;
    }
    std::shared_ptr<WindowRecord> window;
    {
        UiState& s = State();
        std::lock_guard<std::mutex> guard(s.lock);
        window = FindLocked(s, hwnd);
    }
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (window->threadId != GetCurrentThreadId())
        throw Exception("SendMessage to a window of another thread is not supported here");
    return CallWindow(window, message, wParam, lParam);
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    UiState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    if (!hwnd) {
        PostLocked(s, GetCurrentThreadId(), nullptr, message, wParam, lParam);
        return TRUE;
    }
    if (hwnd == HWND_BROADCAST) {
        for (const auto& [handle, w] : s.windows)
            if (!w->parent && !w->destroying)
                PostLocked(s, w->threadId, w->handle, message, wParam, lParam);
        return TRUE;
    }
    auto window = FindLocked(s, hwnd);
    if (!window || window->destroying) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    PostLocked(s, window->threadId, hwnd, message, wParam, lParam);
    return TRUE;
}

BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    if (threadId == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    UiState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    PostLocked(s, threadId, nullptr, message, wParam, lParam);
    return TRUE;
}

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT minMsg, UINT maxMsg, UINT removeFlags) {
    DWORD self = GetCurrentThreadId();
    ULONGLONG now = GetTickCount64();
    UiState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    auto q = s.queues.find(self);
    if (q != s.queues.end()) {
        auto& queue = q->second;
        for (auto it = queue.begin(); it != queue.end(); ++it) {
            if (!Matches(*it, hwnd, minMsg, maxMsg))
                continue;
            if (msg)
                *msg = *it;
            if (removeFlags & PM_REMOVE)
                queue.erase(it);
            return TRUE;
        }
    }
    // Timers come only when nothing posted is waiting, as on Windows.
    bool wantsTimer = (minMsg == 0 && maxMsg == 0) || (WM_TIMER >= minMsg && WM_TIMER <= maxMsg);
    if (!wantsTimer)
        return FALSE;
    const TimerRecord* t =
        NextDueTimerLocked(s, self, hwnd, now, timerCutoff, (removeFlags & PM_REMOVE) != 0);
    if (!t)
        return FALSE;
    if (msg) {
        *msg = MSG();
        msg->hwnd = t->hwnd;
        msg->message = WM_TIMER;
        msg->wParam = t->id;
        msg->lParam = reinterpret_cast<LPARAM>(t->proc);
        msg->time = static_cast<DWORD>(now);
    }
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (!msg->hwnd)
        return 0;
    std::shared_ptr<WindowRecord> window;
    {
        UiState& s = State();
        std::lock_guard<std::mutex> guard(s.lock);
        window = FindLocked(s, msg->hwnd);
    }
    if (!window || window->destroying) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return CallWindow(window, msg->message, msg->wParam, msg->lParam);
}

BOOL TranslateMessage(const MSG*) {
    return FALSE;
}

namespace platform {

std::size_t ProcessMessages() {
    // A nested call (a handler that processes messages) gets its own cutoff
    // and gives the outer one back when it ends, also by an exception.
    struct CutoffScope {
        std::uint64_t saved = timerCutoff;
        CutoffScope() {
            UiState& s = State();
            std::lock_guard<std::mutex> guard(s.lock);
            timerCutoff = s.fireSerial;
        }
        ~CutoffScope() { timerCutoff = saved; }
    } scope;
    std::size_t delivered = 0;
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        ++delivered;
    }
    return delivered;
}

} // namespace platform
