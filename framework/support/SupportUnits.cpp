// Start-up and shut-down of the framework's support units, the cursor
// holder, the application window behaviour and the styles binding. The
// units start once per library, with its first module, and stay until the
// library's static objects go: an add-in turned off and on again in one
// host session finds its log as it left it.
#include "framework/support/SupportUnits.h"

#include "framework/support/FrameworkLog.h"
#include "framework/support/RegisteredMessages.h"
#include "platform/win/Cursor.h"
#include "platform/win/Library.h"
#include "platform/win/Version.h"
#include "platform/win/Window.h"

#include <memory>
#include <mutex>
#include <utility>

namespace {

struct Units {
    std::mutex lock;
    bool started = false;
    std::unique_ptr<TadxCursors> cursors;
    std::unique_ptr<TAppWindowBehaviour> behaviour;
    TadxThemeBinding theme;
};

// A static object, not a heap one: the add-in library that holds the
// framework may be unloaded, and its heap objects would be lost with it.
Units& State() {
    static Units units;
    return units;
}

// Visual styles exist from version 5.1 on; a missing library or entry
// leaves its pointer empty.
TadxThemeBinding BindThemes() {
    TadxThemeBinding binding;
    OSVERSIONINFO version;
    if (!GetVersionEx(&version))
        return binding;
    const bool styles =
        version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1);
    if (!styles || !(binding.Library = LoadLibrary("uxtheme.dll")))
        return binding;
    auto bind = [&](const char* name) {
        return reinterpret_cast<void*>(GetProcAddress(binding.Library, name));
    };
    binding.OpenThemeData = bind("OpenThemeData");
    binding.CloseThemeData = bind("CloseThemeData");
    binding.DrawThemeBackground = bind("DrawThemeBackground");
    binding.GetCurrentThemeName = bind("GetCurrentThemeName");
    return binding;
}

} // namespace

TadxCursors::~TadxCursors() {
    if (First)
        DestroyCursor(First);
    if (Second)
        DestroyCursor(Second);
}

const TAppWindowOwner* TAppWindowBehaviour::Owner() const {
    if (!owner_)
        Log()->AddMessage("TAppWindow.FOwner = nil");
    return owner_;
}

void TAppWindowBehaviour::WMDestroy() {
    Log()->AddMessage("TAppWindowBehaviour.WM_DESTROY");
    const TAppWindowOwner* owner = Owner();
    if (!owner)
        return;
    Log()->AddMessage("TAppWindow.WndProc.WM_DESTROY send WM_ADX_DESTROY_EMBEDED_WINDOW " +
                      owner->FormId);
    SendMessage(owner->ContainerWindow,
                adxRegisteredMessage(Globals::WM_ADX_DESTROY_EMBEDED_WINDOW()),
                reinterpret_cast<WPARAM>(owner->Window), 0);
}

void TAppWindowBehaviour::ParentNotifyDestroy() {
    const TAppWindowOwner* owner = Owner();
    if (!owner || IsWindowVisible(owner->Window))
        return;
    Log()->AddMessage(
        "AppWindow.wndproc: WM_PARENTNOTIFY - SendMessage(WM_ADX_READING_PANE_HIDE_FROM_SBCLS) " +
        owner->FormId);
    SendMessage(owner->ContainerWindow,
                adxRegisteredMessage(Globals::WM_ADX_READING_PANE_HIDE_FROM_SBCLS()),
                reinterpret_cast<WPARAM>(owner->Window), 10);
}

namespace {

// Stops the units when the library's static objects are destroyed. It is
// made by the first start, after everything the units use, so it goes
// before them.
struct UnitsOwner {
    ~UnitsOwner() { adxSupportUnitsStop(); }
};

} // namespace

void adxSupportUnitsStart() {
    Units& units = State();
    {
        std::lock_guard<std::mutex> guard(units.lock);
        if (units.started)
            return;
        units.started = true;
        adxReleaseLog();
        units.cursors = std::make_unique<TadxCursors>();
        adxRegisterMessages(adxGlobalMessageNames());
        adxRegisterMessages(adxOutlookMessageNames());
        units.theme = BindThemes();
    }
    static UnitsOwner owner;
}

void adxSupportUnitsStop() {
    Units& units = State();
    std::lock_guard<std::mutex> guard(units.lock);
    if (!std::exchange(units.started, false))
        return;
    adxReleaseLog();
    units.cursors.reset();
    units.behaviour.reset();
    if (units.theme.Library)
        FreeLibrary(units.theme.Library);
    units.theme = TadxThemeBinding();
}

TadxCursors* adxCursors() {
    Units& units = State();
    std::lock_guard<std::mutex> guard(units.lock);
    return units.cursors.get();
}

TAppWindowBehaviour& adxAppWindowBehaviour() {
    Units& units = State();
    std::lock_guard<std::mutex> guard(units.lock);
    if (!units.behaviour)
        units.behaviour = std::make_unique<TAppWindowBehaviour>();
    return *units.behaviour;
}

const TadxThemeBinding& adxThemeBinding() {
    return State().theme;
}
