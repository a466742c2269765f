// Where the simulated machine keeps its state: the registry file, the local
// application data folder and the lock files of named mutexes.
#pragma once

#include <string>

namespace platform {

// The machine's folder: $PLATFORM_HOME, else ~/.local/share/lorvane-platform.
// Created on first use (once: later calls do not look at the disk).
std::string PlatformHome();

// Points this process's machine at another folder (tests and the demo host use
// it before anything else touches the machine).
void SetPlatformHome(const std::string& folder);

} // namespace platform
