// Small COM and window routines of registration and start-up: whether a
// variant holds anything, creating a host application by ProgID or finding
// the running one, and the window walk that finds a host's main window.
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"
#include "platform/win/WinTypes.h"

#include <string_view>

class Variant;

// True when v is empty or holds an IDispatch or IUnknown that is nil.
bool _VarIsEmpty(const Variant& v);
// A new object of the ProgID (in-process or local server) as IDispatch; nil
// when it cannot be created, without an error.
ComPtr<IDispatch> adxCreateOleObject(std::string_view progId);
// The running object of the ProgID as IDispatch; nil when none runs. A ProgID
// that is not registered raises EOleSysError.
ComPtr<IDispatch> adxGetActiveOleObject(std::string_view progId);

// What adxDoEnumThreadWindowProc looks for (the class of a host's main
// window) and what it found.
struct TadxMainWindowSearch {
    const char* ClassName = nullptr;
    HWND Found = nullptr;
};

// The EnumThreadWindows callback of start-up; lParam points at a
// TadxMainWindowSearch. Stops (FALSE) at the first window of that class.
BOOL adxDoEnumThreadWindowProc(HWND hwnd, LPARAM lParam);
