// How a simulated host application's class is installed on the simulated
// machine: its ProgID with its class and current version, the versioned
// ProgID, and the class key with its ProgIDs (and its local server, when
// given), all under HKEY_CLASSES_ROOT; then the ProgID names the class.
#pragma once

#include "platform/com/Guid.h"

#include <string>

namespace sim {

// What installs one host application class.
struct HostClassInstall {
    std::string ProgId;
    GUID ClassId;
    // The keys' default value ("Outlook Application").
    std::string Title;
    int MajorVersion = 12;
    // The class's LocalServer32; none when empty.
    std::string LocalServer;
};

// Writes the class's keys; raises ERegistryException.
void InstallHostClass(const HostClassInstall& install);
// Removes the keys InstallHostClass wrote for that ProgID and class.
void UninstallHostClass(const std::string& progId, const GUID& classId);
// True when the ProgID names the class.
bool IsHostClassInstalled(const std::string& progId, const GUID& classId);

} // namespace sim
