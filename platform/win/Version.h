// What the machine says it is when asked for the Windows version: the NT
// family, version 6.1. The framework picks its key-state reading and the
// visual-styles library by it.
#pragma once

#include "platform/win/WinTypes.h"

constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

// The version record; the caller sets dwOSVersionInfoSize to its size.
struct OSVERSIONINFO {
    DWORD dwOSVersionInfoSize = sizeof(OSVERSIONINFO);
    DWORD dwMajorVersion = 0;
    DWORD dwMinorVersion = 0;
    DWORD dwBuildNumber = 0;
    DWORD dwPlatformId = 0;
    char szCSDVersion[128] = {};
};

// Fills the record; FALSE when its size field is wrong.
BOOL GetVersionEx(OSVERSIONINFO* info);
