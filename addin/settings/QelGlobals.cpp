// The machine's Windows family, from the version record.
#include "addin/settings/QelGlobals.h"

#include "platform/rtl/Exception.h"
#include "platform/win/Version.h"

bool IsNTPlatform(DWORD platformId) {
    switch (platformId) {
    case VER_PLATFORM_WIN32_NT:
        return true;
    case VER_PLATFORM_WIN32_WINDOWS:
        return false;
    default:
        throw EAssertionFailed("OSVersionInfo.dwPlatformId is invalid");
    }
}

bool IsWinNT() {
    static const bool nt = [] {
        OSVERSIONINFO info;
        info.dwOSVersionInfoSize = sizeof(info);
        GetVersionEx(&info);
        return IsNTPlatform(info.dwPlatformId);
    }();
    return nt;
}
