// The start-up steps of the add-in object that need more than a line: the
// host's main window, the add-in key and the start mode, and hooking the
// host's events.
#include "framework/AddInFactory.h"
#include "framework/AddInModule.h"
#include "framework/AddInObject.h"
#include "framework/support/ComRoutines.h"
#include "platform/forms/Application.h"
#include "platform/win/Process.h"
#include "platform/win/Registry.h"
#include "platform/win/Window.h"

void TadxAddin::FindHostMainWindow() {
    TadxMainWindowSearch search;
    search.ClassName = adxHostInfo(hostType_).MainWindowClass;
    EnumThreadWindows(GetCurrentThreadId(), adxDoEnumThreadWindowProc,
                      reinterpret_cast<LPARAM>(&search));
    if (search.Found)
        Application().SetHandle(search.Found);
}

void TadxAddin::OpenAddInKey() {
    const std::string key = GetFactory().GetRegKey(hostType_);
    if (key.empty())
        return;
    try {
        module_->Registry->OpenKey(key, true);
    } catch (const ERegistryException&) {
        // The module goes on without its key, as with a key that will not open.
    }
}

namespace {

// Runs use with a registry object open at key under HKEY_CURRENT_USER
// (created when missing). A key that cannot be opened or used leaves things
// as they were: start-up goes on.
template <class F> void WithUserKey(const std::string& key, F use) {
    if (key.empty())
        return;
    try {
        TRegistry registry;
        if (registry.OpenKey(key, true))
            use(registry);
    } catch (const ERegistryException&) {
    }
}

} // namespace

void TadxAddin::ReadStartMode() {
    WithUserKey(GetFactory().GetRegKey(hostType_), [&](TRegistry& registry) {
        module_->StartMode = registry.ValueExists(adxStartModeValueName)
                                 ? adxStartMode(registry.ReadString(adxStartModeValueName))
                                 : adxStartModeFirstStart;
    });
}

void TadxAddin::WriteNormalStartMode() {
    WithUserKey(GetFactory().GetRegKey(hostType_), [](TRegistry& registry) {
        registry.WriteString(adxStartModeValueName, adxStartModeNames[adxStartModeNormal]);
    });
}

void TadxAddin::HookHostEvents() {
    if (hostType_ == ohaOutlook)
        HookOutlookEvents();
    else
        HookOfficeEvents();
}

void TadxAddin::HookOfficeEvents() {
    // Word, Excel, InfoPath and Visio relay their window events to the
    // module through their wrappers' events, chained to the handlers
    // assigned before.
    officeRelays_ = std::make_unique<TadxOfficeRelays>([this] { return module_; });
    officeRelays_->Hook();
}
