// Identities of the running process and thread. Thread ids are the system's
// own, so that they are distinct across the threads of every process, as on
// Windows, and stay stable for a thread's life.
#pragma once

#include "platform/win/WinTypes.h"

// The calling thread's id; never 0.
DWORD GetCurrentThreadId();
// The calling process's id.
DWORD GetCurrentProcessId();
