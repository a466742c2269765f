// The local application data folder of the simulated machine.
#include "platform/win/ShellFolders.h"

#include "platform/win/Files.h"
#include "platform/win/HResult.h"
#include "platform/win/PlatformHome.h"

#include <cstring>

HRESULT SHGetFolderPath(HWND, int folder, HANDLE, DWORD, char* path) {
    if (!path || (folder & ~CSIDL_FLAG_CREATE) != CSIDL_LOCAL_APPDATA)
        return E_INVALIDARG;
    // The folder is made whether or not CSIDL_FLAG_CREATE is given: it is
    // always there on Windows.
    std::string folderPath = platform::LocalAppDataFolder();
    if (folderPath.empty() || folderPath.size() >= static_cast<std::size_t>(MAX_PATH))
        return E_FAIL;
    std::memcpy(path, folderPath.c_str(), folderPath.size() + 1);
    return S_OK;
}

namespace platform {

std::string LocalAppDataFolder() {
    std::string folder = PlatformHome() + "/LocalAppData";
    return ForceDirectories(folder) ? folder : std::string();
}

} // namespace platform
