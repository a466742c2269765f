// The standard interface through which an OLE object names its window. Host
// windows (Outlook's explorers and inspectors) answer it, and the framework
// compares their handles to recognise a window it has seen.
#pragma once

#include "platform/com/Unknown.h"
#include "platform/win/WinTypes.h"

// {00000114-0000-0000-C000-000000000046}
constexpr GUID IID_IOleWindow = MakeGuid("{00000114-0000-0000-C000-000000000046}");

struct IOleWindow : IUnknown {
    static constexpr GUID Iid = IID_IOleWindow;

    // The window's handle.
    virtual HRESULT GetWindow(HWND* window) = 0;
    // Enters or leaves context-sensitive help mode.
    virtual HRESULT ContextSensitiveHelp(BOOL enterMode) = 0;
};

// The window handle of object through IOleWindow; 0 when the object is nil,
// lacks the interface or the call fails.
HWND OleWindowHandle(IUnknown* object) noexcept;
