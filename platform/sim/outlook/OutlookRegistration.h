// How the simulated Outlook is known to the machine: installed in the
// registry (the "Outlook.Application" ProgID and its class, so that add-in
// registration finds Outlook installed), and, while one runs, its application
// in the running-object table and its class object registered, so that
// GetActiveOleObject and CreateOleObject("Outlook.Application") reach the
// running Outlook, as they reach the one instance of the real one.
#pragma once

#include "platform/com/Com.h"

#include <cstdint>

namespace sim {

// The ProgID under which Outlook is registered.
inline constexpr const char* OutlookProgId = "Outlook.Application";

// Writes Outlook's class registration for that major version into the
// registry (HKEY_CLASSES_ROOT: the ProgID with its CLSID and current version,
// the CLSID with its ProgIDs and local server). Raises ERegistryException.
void InstallOutlook(int majorVersion);
// Removes what InstallOutlook wrote.
void UninstallOutlook();
// True when the ProgID names Outlook's class.
bool IsOutlookInstalled();

// An application's entries as the running Outlook: in the running-object
// table and as the class object of Outlook's class. Withdrawn by Revoke or
// when it ends.
class RunningOutlook {
public:
    RunningOutlook() = default;
    ~RunningOutlook() { Revoke(); }
    RunningOutlook(const RunningOutlook&) = delete;
    RunningOutlook& operator=(const RunningOutlook&) = delete;

    // Registers app (replacing an earlier registration of this object).
    void Register(IDispatch* app);
    // Withdraws the registration, if any.
    void Revoke();
    bool IsRegistered() const noexcept { return tableCookie_ != 0; }

private:
    uint32_t tableCookie_ = 0;
    uint32_t classCookie_ = 0;
    ComPtr<IUnknown> classObject_;
};

} // namespace sim
