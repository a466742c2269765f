// What the add-in determines once about the machine it runs on: whether
// Windows is of the NT family (platform id 2) or the older family (1).
#pragma once

#include "platform/win/WinTypes.h"

// True for the NT family's platform id, false for the older family's; any
// other id raises EAssertionFailed "OSVersionInfo.dwPlatformId is invalid".
bool IsNTPlatform(DWORD platformId);
// Whether this machine's Windows is of the NT family; asked once, on first use
// (a failed check at library load would take Outlook down with it).
bool IsWinNT();
