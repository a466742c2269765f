// The local application data folder of the simulated machine.
#include "platform/win/ShellFolders.h"

#include "platform/win/Files.h"
#include "platform/win/PlatformHome.h"

#include <cstring>

namespace {
constexpr HRESULT okResult = 0;
constexpr HRESULT failResult = static_cast<HRESULT>(0x80004005);
constexpr HRESULT invalidArgument = static_cast<HRESULT>(0x80070057);
} // namespace

HRESULT SHGetFolderPath(HWND, int folder, HANDLE, DWORD, char* path) {
    if (!path || (folder & ~CSIDL_FLAG_CREATE) != CSIDL_LOCAL_APPDATA)
        return invalidArgument;
    // The folder is made whether or not CSIDL_FLAG_CREATE is given: it is
    // always there on Windows.
    std::string folderPath = platform::LocalAppDataFolder();
    if (folderPath.empty() || folderPath.size() >= static_cast<std::size_t>(MAX_PATH))
        return failResult;
    std::memcpy(path, folderPath.c_str(), folderPath.size() + 1);
    return okResult;
}

namespace platform {

std::string LocalAppDataFolder() {
    std::string folder = PlatformHome() + "/LocalAppData";
    return ForceDirectories(folder) ? folder : std::string();
}

} // namespace platform
