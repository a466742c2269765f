// Thread and process ids, and the per-thread last error.
#include "platform/win/Process.h"
#include "platform/win/LastError.h"

#include <sys/syscall.h>
#include <unistd.h>

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
} // namespace

DWORD GetLastError() {
    return lastError;
}

void SetLastError(DWORD code) {
    lastError = code;
}

// Asked of the system every time: a cached id would be wrong in a forked child.
DWORD GetCurrentThreadId() {
    return static_cast<DWORD>(syscall(SYS_gettid));
}

DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(getpid());
}
