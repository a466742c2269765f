// Window messages: the numbers Windows gives the ones this system sends or
// answers, the queued message record, and the class library's message record
// that its window methods receive.
#pragma once

#include "platform/win/WinTypes.h"

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUERYENDSESSION = 0x0011;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_SETTINGCHANGE = 0x001A;
constexpr UINT WM_NCCREATE = 0x0081;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_PARENTNOTIFY = 0x0210;
constexpr UINT WM_USER = 0x0400;
constexpr UINT WM_APP = 0x8000;

// A message taken from a thread's queue.
struct MSG {
    HWND hwnd = nullptr; // 0 for a message posted to the thread itself
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0; // tick count when it was posted (timers: when taken)
    POINT pt;
};

// The class library's message record, handed by reference to window methods;
// the method sets Result.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};
