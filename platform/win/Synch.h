// Mutexes, as Windows gives them: owned by a thread, re-entrant for it, and,
// when named, shared by every thread and process of the machine. A named
// mutex is a lock file under $PLATFORM_HOME/mutex/ held with flock, so
// processes that use the same machine folder exclude each other. Timed waits
// run on the real monotonic clock, never on a manual one: another process
// cannot follow it.
//
// A waiter is told WAIT_ABANDONED when the previous owner ended without
// releasing the mutex (its process ended, or it closed its last handle while
// owning it); it owns the mutex then, as on Windows. A thread that ends while
// owning a mutex without closing it is not noticed within its own process.
#pragma once

#include "platform/win/WinTypes.h"

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
constexpr DWORD WAIT_ABANDONED = 0x00000080;
constexpr DWORD WAIT_TIMEOUT = 0x00000102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;

constexpr DWORD SYNCHRONIZE = 0x00100000;
constexpr DWORD MUTEX_ALL_ACCESS = 0x001F0001;

// Security descriptors do not exist here; callers pass null.
struct SECURITY_ATTRIBUTES;

// Creates a mutex, or opens the one of that name; an unnamed mutex is private
// to the process. initialOwner makes the calling thread its owner when the
// mutex is new. The last error is ERROR_ALREADY_EXISTS when this process had
// the name open already. 0 on failure.
HANDLE CreateMutex(SECURITY_ATTRIBUTES* attributes, BOOL initialOwner, const char* name);
// Opens a named mutex that this or another process created; 0 when there is none.
HANDLE OpenMutex(DWORD desiredAccess, BOOL inheritHandle, const char* name);
// Waits until the calling thread owns the mutex (at once when it owns it
// already: each wait then needs its own release), at most ms milliseconds.
// WAIT_OBJECT_0, WAIT_ABANDONED (owned, previous owner gone), WAIT_TIMEOUT,
// or WAIT_FAILED for a bad handle.
DWORD WaitForSingleObject(HANDLE handle, DWORD ms);
// Gives up one level of ownership; FALSE when the thread does not own it.
BOOL ReleaseMutex(HANDLE mutex);
// Closes a handle; the mutex goes when its last handle does.
BOOL CloseHandle(HANDLE handle);
