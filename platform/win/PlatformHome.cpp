// The simulated machine's folder: $PLATFORM_HOME, or the default below the
// user's home, settable by tests and lorvane-host.

#include "platform/win/PlatformHome.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace platform {
namespace {

std::mutex homeLock;
std::string homeFolder; // empty until first asked or set
bool homeMade = false;  // whether homeFolder was made (asked once per folder)

std::string DefaultHome() {
    if (const char* env = std::getenv("PLATFORM_HOME"); env && *env)
        return env;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/share/lorvane-platform";
}

} // namespace

std::string PlatformHome() {
    std::lock_guard<std::mutex> lock(homeLock);
    if (homeFolder.empty())
        homeFolder = DefaultHome();
    if (!homeMade) {
        std::error_code ec;
        std::filesystem::create_directories(homeFolder, ec);
        homeMade = !ec;
    }
    return homeFolder;
}

void SetPlatformHome(const std::string& folder) {
    std::lock_guard<std::mutex> lock(homeLock);
    homeFolder = folder;
    homeMade = false;
    setenv("PLATFORM_HOME", folder.c_str(), 1); // child processes share the machine
}

} // namespace platform
