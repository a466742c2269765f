// Window classes and windows: creation, destruction, their values and the
// walks over them.
#include "platform/text/Text.h"
#include "platform/win/LastError.h"
#include "platform/win/Process.h"
#include "platform/win/UiState.h"

#include <algorithm>
#include <cstring>

namespace platform::ui {

UiState& State() {
    static UiState* state = new UiState; // never destroyed: callbacks may run at exit
    return *state;
}

std::shared_ptr<WindowRecord> FindLocked(UiState& s, HWND hwnd) {
    auto it = s.windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
    return it == s.windows.end() ? nullptr : it->second;
}

LRESULT CallWindow(const std::shared_ptr<WindowRecord>& window, UINT message, WPARAM wParam,
                   LPARAM lParam) {
    WNDPROC proc = nullptr;
    {
        std::lock_guard<std::mutex> guard(State().lock);
        proc = window->proc;
    }
    return proc ? proc(window->handle, message, wParam, lParam) : 0;
}

} // namespace platform::ui

using namespace platform::ui;

namespace {

// Copies text as the Windows getters do: at most maxCount - 1 characters.
int CopyOut(const std::string& text, char* buffer, int maxCount) {
    if (!buffer || maxCount <= 0)
        return 0;
    std::size_t n = std::min(text.size(), static_cast<std::size_t>(maxCount - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

std::shared_ptr<WindowRecord> FindOrFail(HWND hwnd) {
    UiState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    auto window = FindLocked(s, hwnd);
    if (!window)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return window;
}

// The top-level windows of one thread (or all when threadId is 0), topmost
// first: a new window goes on top of the others.
std::vector<HWND> TopLevelWindows(DWORD threadId) {
    UiState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    std::vector<HWND> out;
    for (auto it = s.windows.rbegin(); it != s.windows.rend(); ++it) {
        const WindowRecord& w = *it->second;
        if (!w.parent && !w.destroying && (threadId == 0 || w.threadId == threadId))
            out.push_back(w.handle);
    }
    return out;
}

BOOL Enumerate(const std::vector<HWND>& handles, WNDENUMPROC proc, LPARAM lParam) {
    if (!proc || handles.empty())
        return FALSE;
    for (HWND h : handles) {
        if (!IsWindow(h)) // destroyed by an earlier callback
            continue;
        if (!proc(h, lParam))
            return FALSE;
    }
    return TRUE;
}

// Dispatches the messages of an AllocateHWnd window to its method.
LRESULT UtilWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TWndMethod method;
    {
        UiState& s = State();
        std::lock_guard<std::mutex> guard(s.lock);
        if (auto w = FindLocked(s, hwnd))
            method = w->method;
    }
    if (!method)
        return DefWindowProc(hwnd, message, wParam, lParam);
    TMessage m{message, wParam, lParam, 0};
    method(m);
    return m.Result;
}

const char* const utilWindowClass = "UtilWindow";

// A registered class by name, or the end with the last error set.
std::map<std::string, ClassRecord>::iterator FindClassLocked(UiState& s, const char* className) {
    auto it = className ? s.classes.find(text::AsciiLowerCase(className)) : s.classes.end();
    if (it == s.classes.end())
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return it;
}

} // namespace

ATOM RegisterClass(const WNDCLASS* windowClass) {
    if (!windowClass || !windowClass->lpszClassName || !*windowClass->lpszClassName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    UiState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    std::string key = text::AsciiLowerCase(windowClass->lpszClassName);
    if (s.classes.count(key)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    ClassRecord& c = s.classes[key];
    c.name = windowClass->lpszClassName;
    c.info = *windowClass;
    c.info.lpszClassName = c.name.c_str();
    c.atom = s.nextAtom++;
    return c.atom;
}

BOOL GetClassInfo(HINSTANCE, const char* className, WNDCLASS* info) {
    UiState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    auto it = FindClassLocked(s, className);
    if (it == s.classes.end())
        return FALSE;
    if (info)
        *info = it->second.info;
    return TRUE;
}

BOOL UnregisterClass(const char* className, HINSTANCE) {
    UiState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    auto it = FindClassLocked(s, className);
    if (it == s.classes.end())
        return FALSE;
    for (const auto& [handle, w] : s.windows)
        if (text::AsciiLowerCase(w->className) == it->first) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS); // Windows: class still has windows
            return FALSE;
        }
    s.classes.erase(it);
    return TRUE;
}

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, void*, HINSTANCE instance,
                    void* param) {
    auto window = std::make_shared<WindowRecord>();
    {
        UiState& s = State();
        std::lock_guard<std::mutex> guard(s.lock);
        auto cls = className ? s.classes.find(text::AsciiLowerCase(className)) : s.classes.end();
        if (cls == s.classes.end()) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        if (parent && !FindLocked(s, parent)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        window->handle = reinterpret_cast<HWND>(s.nextHandle);
        s.nextHandle += 4;
        window->className = cls->second.name;
        window->text = windowName ? windowName : "";
        window->style = style;
        window->exStyle = exStyle;
        window->parent = parent;
        window->instance = instance;
        window->threadId = GetCurrentThreadId();
        window->proc = cls->second.info.lpfnWndProc;
        s.windows[reinterpret_cast<std::uintptr_t>(window->handle)] = window;
    }
    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hwndParent = parent;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = window->text.c_str();
    cs.lpszClass = window->className.c_str();
    cs.dwExStyle = exStyle;
    LPARAM csParam = reinterpret_cast<LPARAM>(&cs);
    if (!CallWindow(window, WM_NCCREATE, 0, csParam) ||
        CallWindow(window, WM_CREATE, 0, csParam) == -1) {
        DestroyWindow(window->handle);
        return nullptr;
    }
    return window->handle;
}

BOOL DestroyWindow(HWND hwnd) {
    UiState& s = State();
    std::shared_ptr<WindowRecord> window;
    std::vector<HWND> children;
    {
        std::lock_guard<std::mutex> guard(s.lock);
        window = FindLocked(s, hwnd);
        if (!window || window->destroying) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        if (window->threadId != GetCurrentThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        window->destroying = true;
        KillWindowTimersLocked(s, hwnd);
    }
    CallWindow(window, WM_DESTROY, 0, 0);
    {
        std::lock_guard<std::mutex> guard(s.lock);
        for (const auto& [handle, w] : s.windows)
            if (w->parent == hwnd && !w->destroying)
                children.push_back(w->handle);
    }
    for (HWND child : children)
        DestroyWindow(child);
    CallWindow(window, WM_NCDESTROY, 0, 0);
    std::lock_guard<std::mutex> guard(s.lock);
    s.windows.erase(reinterpret_cast<std::uintptr_t>(hwnd));
    KillWindowTimersLocked(s, hwnd); // WM_DESTROY handlers may have set new ones
    for (auto& [thread, queue] : s.queues)
        queue.erase(std::remove_if(queue.begin(), queue.end(),
                                   [hwnd](const MSG& m) { return m.hwnd == hwnd; }),
                    queue.end());
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    UiState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    auto w = FindLocked(s, hwnd);
    return w && !w->destroying;
}

BOOL ShowWindow(HWND hwnd, int command) {
    auto w = FindOrFail(hwnd);
    if (!w)
        return FALSE;
    std::lock_guard<std::mutex> guard(State().lock);
    BOOL wasVisible = (w->style & WS_VISIBLE) != 0;
    w->style = command == SW_HIDE ? (w->style & ~WS_VISIBLE) : (w->style | WS_VISIBLE);
    return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) {
    return (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

HWND GetParent(HWND hwnd) {
    auto w = FindOrFail(hwnd);
    return w ? w->parent : nullptr;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
    auto w = FindOrFail(hwnd);
    if (!w)
        return 0;
    if (processId)
        *processId = GetCurrentProcessId();
    return w->threadId;
}

int GetClassName(HWND hwnd, char* buffer, int maxCount) {
    auto w = FindOrFail(hwnd);
    return w ? CopyOut(w->className, buffer, maxCount) : 0;
}

int GetWindowText(HWND hwnd, char* buffer, int maxCount) {
    auto w = FindOrFail(hwnd);
    if (!w)
        return 0;
    std::lock_guard<std::mutex> guard(State().lock);
    return CopyOut(w->text, buffer, maxCount);
}

int GetWindowTextLength(HWND hwnd) {
    auto w = FindOrFail(hwnd);
    if (!w)
        return 0;
    std::lock_guard<std::mutex> guard(State().lock);
    return static_cast<int>(w->text.size());
}

BOOL SetWindowText(HWND hwnd, const char* text) {
    auto w = FindOrFail(hwnd);
    if (!w)
        return FALSE;
    std::lock_guard<std::mutex> guard(State().lock);
    w->text = text ? text : "";
    return TRUE;
}

HWND FindWindow(const char* className, const char* windowName) {
    std::string wantClass = className ? text::AsciiLowerCase(className) : "";
    std::string wantName = windowName ? text::AsciiLowerCase(windowName) : "";
    UiState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    for (auto it = s.windows.rbegin(); it != s.windows.rend(); ++it) {
        const WindowRecord& w = *it->second;
        if (w.parent || w.destroying)
            continue;
        if (className && text::AsciiLowerCase(w.className) != wantClass)
            continue;
        if (windowName && text::AsciiLowerCase(w.text) != wantName)
            continue;
        return w.handle;
    }
    return nullptr;
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM lParam) {
    if (threadId == 0)
        return FALSE;
    return Enumerate(TopLevelWindows(threadId), proc, lParam);
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
    return Enumerate(TopLevelWindows(0), proc, lParam);
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    auto w = FindOrFail(hwnd);
    if (!w)
        return 0;
    std::lock_guard<std::mutex> guard(State().lock);
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_USERDATA:
        return w->userData;
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_STYLE:
        return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(w->exStyle);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    auto w = FindOrFail(hwnd);
    if (!w)
        return 0;
    std::lock_guard<std::mutex> guard(State().lock);
    LONG_PTR old = 0;
    switch (index) {
    case GWLP_WNDPROC:
        if (w->threadId != GetCurrentThreadId()) { // Windows refuses to subclass across threads
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
        old = reinterpret_cast<LONG_PTR>(w->proc);
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_USERDATA:
        old = w->userData;
        w->userData = value;
        return old;
    case GWLP_HINSTANCE:
        old = reinterpret_cast<LONG_PTR>(w->instance);
        w->instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWL_STYLE:
        old = static_cast<LONG_PTR>(w->style);
        w->style = static_cast<DWORD>(value);
        return old;
    case GWL_EXSTYLE:
        old = static_cast<LONG_PTR>(w->exStyle);
        w->exStyle = static_cast<DWORD>(value);
        return old;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_NCCREATE:
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    default:
        return 0;
    }
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

HWND AllocateHWnd(TWndMethod method) {
    WNDCLASS cls;
    if (!GetClassInfo(nullptr, utilWindowClass, &cls)) {
        cls.lpfnWndProc = DefWindowProc;
        cls.lpszClassName = utilWindowClass;
        RegisterClass(&cls); // another thread may have won the race: harmless
    }
    HWND hwnd = CreateWindowEx(WS_EX_TOOLWINDOW, utilWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, nullptr, nullptr);
    if (!hwnd)
        return nullptr;
    UiState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    if (auto w = FindLocked(s, hwnd)) {
        w->method = std::move(method);
        w->proc = UtilWindowProc;
    }
    return hwnd;
}

void DeallocateHWnd(HWND hwnd) {
    DestroyWindow(hwnd);
}
