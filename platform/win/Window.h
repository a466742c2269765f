// Windows of the user-interface thread: window classes, window handles with
// their procedures, and the messages sent and posted to them.
//
// A window belongs to the thread that created it; its messages are delivered
// on that thread only. Sending calls the window procedure at once (so a sent
// message overtakes everything posted before it); posting appends to the owner
// thread's queue, which platform::ProcessMessages drains in order. Posting is
// allowed from any thread; sending, creating and destroying belong on the
// window's own thread. Every function may be called again from inside a window
// procedure.
#pragma once

#include "platform/win/Messages.h"

#include <cstddef>
#include <functional>

// A window procedure.
using WNDPROC = LRESULT (*)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The callback of EnumThreadWindows and EnumWindows: FALSE stops the walk.
using WNDENUMPROC = BOOL (*)(HWND hwnd, LPARAM lParam);
// The class library's window method: a member that handles a TMessage.
using TWndMethod = std::function<void(TMessage& message)>;

// The message Windows sends to every top-level window when posted or sent here.
inline HWND const HWND_BROADCAST = reinterpret_cast<HWND>(0xFFFF);

constexpr int GWLP_WNDPROC = -4;
constexpr int GWLP_HINSTANCE = -6;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWLP_USERDATA = -21;

constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// A window class as RegisterClass takes it.
struct WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    HINSTANCE hInstance = nullptr;
    const char* lpszClassName = nullptr;
};

// What WM_NCCREATE and WM_CREATE carry in their LParam.
struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    HINSTANCE hInstance = nullptr;
    HWND hwndParent = nullptr;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    LONG style = 0;
    const char* lpszName = nullptr;
    const char* lpszClass = nullptr;
    DWORD dwExStyle = 0;
};

// Registers a window class for the process; class names ignore letter case.
// 0 when the name is empty or already registered.
ATOM RegisterClass(const WNDCLASS* windowClass);
// Fills info with a registered class; FALSE when there is none of that name.
BOOL GetClassInfo(HINSTANCE instance, const char* className, WNDCLASS* info);
// Removes a class; FALSE when it is unknown or windows of it still exist.
BOOL UnregisterClass(const char* className, HINSTANCE instance);

// Creates a window of a registered class on the calling thread. It receives
// WM_NCCREATE (0 refuses) and WM_CREATE (-1 refuses); 0 when refused or when
// the class is unknown.
HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, void* menu,
                    HINSTANCE instance, void* param);
// Destroys a window of the calling thread and its children: WM_DESTROY, the
// children, WM_NCDESTROY; its timers stop and its queued messages are dropped.
BOOL DestroyWindow(HWND hwnd);
// True while hwnd names a window that has not been destroyed.
BOOL IsWindow(HWND hwnd);
// Shows (any command but SW_HIDE) or hides a window; TRUE when it was visible
// before. Nothing is drawn: the WS_VISIBLE style records it.
BOOL ShowWindow(HWND hwnd, int command);
// True when the window has the WS_VISIBLE style.
BOOL IsWindowVisible(HWND hwnd);
// The window's parent or owner given at creation; 0 for a top-level window.
HWND GetParent(HWND hwnd);
// The thread that created the window (0 when there is none); *processId, when
// asked, is this process.
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);

// Copies the class name into buffer (at most maxCount - 1 characters and a
// terminating zero); the number of characters copied, 0 on failure.
int GetClassName(HWND hwnd, char* buffer, int maxCount);
// Copies the window's title as GetClassName copies the class name.
int GetWindowText(HWND hwnd, char* buffer, int maxCount);
// The length of the window's title.
int GetWindowTextLength(HWND hwnd);
// Changes the window's title.
BOOL SetWindowText(HWND hwnd, const char* text);
// The first top-level window (topmost first) whose class and title match,
// letter case ignored; a null class or title matches any.
HWND FindWindow(const char* className, const char* windowName);
// Calls proc for every top-level window of a thread, topmost (newest) first;
// TRUE when it went through all of them, FALSE when proc stopped it or the
// thread has none.
BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM lParam);
// Calls proc for every top-level window of the process, topmost first.
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);

// Reads a window value (GWLP_WNDPROC, GWLP_USERDATA, GWLP_HINSTANCE, GWL_STYLE,
// GWL_EXSTYLE).
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
// Changes a window value and returns the previous one; GWLP_WNDPROC installs a
// new window procedure (the way a window is subclassed).
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
// The default handling: WM_NCCREATE and WM_QUERYENDSESSION answer TRUE,
// WM_CLOSE destroys the window, everything else answers 0.
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Calls a window procedure (the previous one of a subclassed window).
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The class library's utility window: a hidden window whose messages go to a
// method, for components that need a handle (timers, hidden windows).
HWND AllocateHWnd(TWndMethod method);
// Destroys a window made by AllocateHWnd.
void DeallocateHWnd(HWND hwnd);

// The process-wide number of a named message: the same name (letter case
// ignored) always gives the same number, from 0xC000 up; 0 for an empty name.
UINT RegisterWindowMessage(const char* name);

// Calls the window procedure now and returns its answer; 0 for an invalid
// window. HWND_BROADCAST sends to every top-level window. Raises for a window
// of another thread (not supported here).
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Appends the message to the queue of the window's thread and returns at once;
// hwnd 0 posts to the calling thread itself; HWND_BROADCAST posts to every
// top-level window. FALSE for an invalid window.
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Posts a message with no window to a thread's queue.
BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
// Takes the calling thread's next message, if any: the oldest posted message
// that matches the filter (hwnd 0 any window, minMsg = maxMsg = 0 any number),
// else a due timer's WM_TIMER. PM_REMOVE takes it off the queue (and re-arms
// the timer). FALSE when there is nothing.
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT minMsg, UINT maxMsg, UINT removeFlags);
// Hands a message to its window procedure (or, for a timer with a callback, to
// the callback) and returns the answer; a thread message goes nowhere.
LRESULT DispatchMessage(const MSG* msg);
// Key translation is not needed here: the message is left as it is.
BOOL TranslateMessage(const MSG* msg);

namespace platform {

// Delivers every message of the calling thread's queue and every timer that is
// due, until none is left; the class library's Application.ProcessMessages.
// Within one call a timer fires at most once, so a handler slower than its
// interval cannot keep the loop going. Returns the number delivered.
std::size_t ProcessMessages();

} // namespace platform
