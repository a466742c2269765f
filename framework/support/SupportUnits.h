// What the framework's support units hold between start-up and shut-down:
// the cursor holder, the behaviour of the framework's application window,
// and the binding of the visual-styles library, which no system here offers,
// so its entry points stay empty as on a system without it. Start-up
// registers the framework's window messages (and the Outlook forms' ones);
// shut-down, when the library ends, lets go of the log and frees what
// start-up made.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>

// Two cursors of the framework's windows, destroyed with the holder when set.
class TadxCursors {
public:
    TadxCursors() = default;
    ~TadxCursors();
    TadxCursors(const TadxCursors&) = delete;
    TadxCursors& operator=(const TadxCursors&) = delete;

    HANDLE First = nullptr;
    HANDLE Second = nullptr;
};

// The window an application window behaviour serves.
struct TAppWindowOwner {
    // The form's own window.
    HWND Window = nullptr;
    // The window of the container holding the form.
    HWND ContainerWindow = nullptr;
    // The form's identifier, as log lines give it.
    std::string FormId;
};

// How the framework's application window reacts to its destruction and to
// its children's; each reaction writes a log line first.
class TAppWindowBehaviour {
public:
    // The form served (nullptr: none; reading it then logs "TAppWindow.FOwner = nil").
    void SetOwner(const TAppWindowOwner* owner) { owner_ = owner; }
    const TAppWindowOwner* Owner() const;
    // WM_DESTROY: tells the container that the embedded window goes.
    void WMDestroy();
    // A child was destroyed: a hidden form tells its container to hide the
    // reading pane's form.
    void ParentNotifyDestroy();
    // Position changes and hiding need nothing.
    void WindowPosChanging() {}
    void Hide() {}

private:
    const TAppWindowOwner* owner_ = nullptr;
};

// The entry points of the visual-styles library (empty without it).
struct TadxThemeBinding {
    HMODULE Library = nullptr;
    void* OpenThemeData = nullptr;
    void* CloseThemeData = nullptr;
    void* DrawThemeBackground = nullptr;
    void* GetCurrentThemeName = nullptr;
};

// Start-up of the support units, once per library (a call while they run
// does nothing): clears the log, makes the cursor holder, registers the
// messages of the framework and of the Outlook forms, binds the
// visual-styles library. They stop when the library's static objects are
// destroyed.
void adxSupportUnitsStart();
// Shut-down now (nothing when not started): releases the log, frees the
// cursor holder, the behaviour singleton and the styles library. A later
// start starts them anew.
void adxSupportUnitsStop();
// The cursor holder while started, else nullptr.
TadxCursors* adxCursors();
// The application window behaviour (made on first use; freed at shut-down).
TAppWindowBehaviour& adxAppWindowBehaviour();
// The styles binding made at start-up.
const TadxThemeBinding& adxThemeBinding();
