// Inside platform/win only: the tables behind windows, queues and timers, one
// set per process under one lock. Window procedures and callbacks are never
// called with the lock held, so that they may call back into any function;
// records are shared pointers, so that a window destroyed during its own
// message stays readable until the call returns.
#pragma once

#include "platform/win/Messages.h"
#include "platform/win/Timer.h"
#include "platform/win/Window.h"

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace platform::ui {

struct WindowRecord {
    HWND handle = nullptr;
    std::string className;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
    DWORD threadId = 0;
    WNDPROC proc = nullptr;
    TWndMethod method; // set for AllocateHWnd windows
    LONG_PTR userData = 0;
    bool destroying = false;
};

struct ClassRecord {
    WNDCLASS info;
    std::string name; // as registered
    ATOM atom = 0;
};

struct TimerRecord {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    DWORD threadId = 0;
    UINT interval = 0;
    TIMERPROC proc = nullptr;
    ULONGLONG due = 0;
    std::uint64_t order = 0;       // ties between equal due times go by this
    std::uint64_t firedSerial = 0; // when it last fired (see ProcessMessages)
};

struct UiState {
    std::mutex lock;
    // By handle value; handles only grow, so this is creation order.
    std::map<std::uintptr_t, std::shared_ptr<WindowRecord>> windows;
    std::uintptr_t nextHandle = 0x10010;
    std::map<std::string, ClassRecord> classes; // by lower-case name
    ATOM nextAtom = 0xC000;
    std::map<DWORD, std::deque<MSG>> queues; // by thread id
    std::vector<TimerRecord> timers;
    std::uint64_t nextTimerOrder = 1;
    std::uint64_t fireSerial = 0;
    UINT_PTR nextThreadTimerId = 1;
};

// The process's tables.
UiState& State();

// The live window of a handle, or null. Needs the lock.
std::shared_ptr<WindowRecord> FindLocked(UiState& s, HWND hwnd);

// Calls the window's procedure (or method) without the lock.
LRESULT CallWindow(const std::shared_ptr<WindowRecord>& window, UINT message, WPARAM wParam,
                   LPARAM lParam);

// The earliest due timer of a thread that matches the window filter and did
// not fire after cutoff, or null; with take, it is re-armed and marked. Needs
// the lock.
const TimerRecord* NextDueTimerLocked(UiState& s, DWORD threadId, HWND filter, ULONGLONG now,
                                      std::uint64_t cutoff, bool take);
// Stops every timer of a window. Needs the lock.
void KillWindowTimersLocked(UiState& s, HWND hwnd);

} // namespace platform::ui
