// The shell's special folders. Only the local application data folder exists
// on this machine: $PLATFORM_HOME/LocalAppData, made when first asked for.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>

constexpr int CSIDL_LOCAL_APPDATA = 0x001C;
constexpr int CSIDL_FLAG_CREATE = 0x8000;
constexpr int MAX_PATH = 260;

// Writes the folder's path (at most MAX_PATH characters with the terminating
// zero) to path and answers S_OK (0); E_INVALIDARG for any folder but the
// local application data, E_FAIL when it cannot be made or does not fit.
HRESULT SHGetFolderPath(HWND owner, int folder, HANDLE token, DWORD flags, char* path);

namespace platform {

// The local application data folder, created when missing.
std::string LocalAppDataFolder();

} // namespace platform
