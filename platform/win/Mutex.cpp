// Mutex objects and their handles. Within the process a mutex is a condition
// variable with an owner thread and a recursion count; a named one also holds
// an exclusive flock on its lock file while owned, which excludes the other
// processes. The lock file says who owns it ("pid tid"): a waiter that finds
// it filled in after getting the lock knows the owner ended without releasing.
#include "platform/win/Synch.h"

#include "platform/text/Text.h"
#include "platform/win/LastError.h"
#include "platform/win/PlatformHome.h"
#include "platform/win/Process.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

using SteadyClock = std::chrono::steady_clock;

struct MutexObject {
    std::string name; // empty for an unnamed mutex
    int fd = -1;      // the lock file of a named mutex
    std::mutex lock;
    std::condition_variable released;
    DWORD owner = 0;    // the owning thread, also while it waits for the file lock
    unsigned count = 0; // levels of ownership; 0 while the owner waits for the file lock
    std::size_t handles = 0;
};

struct MutexTable {
    std::mutex lock;
    pid_t pid = 0; // the process these objects belong to
    std::map<std::string, std::shared_ptr<MutexObject>> named;
    std::map<std::uintptr_t, std::shared_ptr<MutexObject>> handles;
    std::uintptr_t nextHandle = 0x30010;
};

MutexTable& Table() {
    static MutexTable* table = new MutexTable;
    return *table;
}

// A forked child inherits the parent's lock file descriptions, which share
// the parent's flock: it must open its own. Needs the table lock.
void ForgetParentObjectsLocked(MutexTable& t) {
    if (t.pid == getpid())
        return;
    for (auto& [name, object] : t.named)
        if (object->fd >= 0)
            close(object->fd);
    t.named.clear();
    t.handles.clear();
    t.pid = getpid();
}

// Lock file names keep letters, digits, '-' and '_'; every other byte is
// written as %XX, so that any mutex name is a safe file name.
std::string LockFileName(const std::string& name) {
    std::string out;
    for (unsigned char c : name) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '_';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += text::HexDigit(c >> 4);
            out += text::HexDigit(c);
        }
    }
    return out;
}

std::string LockFolder() {
    return platform::PlatformHome() + "/mutex";
}

int OpenLockFile(const std::string& name, bool create) {
    std::error_code ec;
    if (create)
        std::filesystem::create_directories(LockFolder(), ec);
    std::string path = LockFolder() + "/" + LockFileName(name);
    int flags = O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0);
    return open(path.c_str(), flags, 0666);
}

HANDLE AddHandleLocked(MutexTable& t, const std::shared_ptr<MutexObject>& object) {
    std::uintptr_t value = t.nextHandle;
    t.nextHandle += 4;
    t.handles[value] = object;
    ++object->handles;
    return reinterpret_cast<HANDLE>(value);
}

// The handle's entry, or the end with the last error set. Needs the lock.
std::map<std::uintptr_t, std::shared_ptr<MutexObject>>::iterator FindHandleLocked(MutexTable& t,
                                                                                  HANDLE handle) {
    ForgetParentObjectsLocked(t);
    auto it = t.handles.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == t.handles.end())
        SetLastError(ERROR_INVALID_HANDLE);
    return it;
}

std::shared_ptr<MutexObject> Lookup(HANDLE handle) {
    MutexTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = FindHandleLocked(t, handle);
    return it == t.handles.end() ? nullptr : it->second;
}

// Takes the file lock of a named mutex before the deadline (none: wait as long
// as it takes). flock has no timeout, so a timed wait polls, backing off from
// 1 to 20 ms.
bool LockFile(int fd, bool timed, SteadyClock::time_point deadline) {
    if (!timed) {
        while (flock(fd, LOCK_EX) != 0)
            if (errno != EINTR)
                return false;
        return true;
    }
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        auto now = SteadyClock::now();
        if (now >= deadline)
            return false;
        std::this_thread::sleep_for(std::min<SteadyClock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}

// After taking the file lock: whether the previous owner left its mark, then
// this owner's own mark.
bool TakeOverLockFile(int fd) {
    char probe = 0;
    bool abandoned = pread(fd, &probe, 1, 0) == 1;
    std::string mark = std::to_string(getpid()) + " " + std::to_string(GetCurrentThreadId()) + "\n";
    if (ftruncate(fd, 0) == 0 && pwrite(fd, mark.data(), mark.size(), 0) < 0) {
        // The mark only serves abandonment; the lock is held either way.
    }
    return abandoned;
}

void ReleaseLockFile(int fd) {
    if (ftruncate(fd, 0) != 0) {
        // An unremoved mark makes the next owner think this one died: harmless.
    }
    flock(fd, LOCK_UN);
}

} // namespace

HANDLE CreateMutex(SECURITY_ATTRIBUTES*, BOOL initialOwner, const char* name) {
    MutexTable& t = Table();
    HANDLE handle = nullptr;
    bool created = true;
    {
        std::lock_guard<std::mutex> guard(t.lock);
        ForgetParentObjectsLocked(t);
        std::shared_ptr<MutexObject> object;
        if (name && *name) {
            auto it = t.named.find(name);
            if (it != t.named.end()) {
                object = it->second;
                created = false;
            } else {
                object = std::make_shared<MutexObject>();
                object->name = name;
                object->fd = OpenLockFile(name, true);
                if (object->fd < 0) {
                    SetLastError(ERROR_PATH_NOT_FOUND);
                    return nullptr;
                }
                t.named[name] = object;
            }
        } else {
            object = std::make_shared<MutexObject>();
        }
        handle = AddHandleLocked(t, object);
    }
    // Windows ignores initialOwner for a mutex that exists already; one that
    // another process holds is not waited for either.
    if (initialOwner && created)
        WaitForSingleObject(handle, 0);
    SetLastError(created ? ERROR_SUCCESS : ERROR_ALREADY_EXISTS);
    return handle;
}

HANDLE OpenMutex(DWORD, BOOL, const char* name) {
    if (!name || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    MutexTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    ForgetParentObjectsLocked(t);
    auto it = t.named.find(name);
    if (it != t.named.end())
        return AddHandleLocked(t, it->second);
    int fd = OpenLockFile(name, false);
    if (fd < 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    auto object = std::make_shared<MutexObject>();
    object->name = name;
    object->fd = fd;
    t.named[name] = object;
    return AddHandleLocked(t, object);
}

DWORD WaitForSingleObject(HANDLE handle, DWORD ms) {
    std::shared_ptr<MutexObject> object = Lookup(handle);
    if (!object)
        return WAIT_FAILED;
    DWORD self = GetCurrentThreadId();
    bool timed = ms != INFINITE;
    SteadyClock::time_point deadline =
        SteadyClock::now() + std::chrono::milliseconds(timed ? ms : 0);

    std::unique_lock<std::mutex> lock(object->lock);
    if (object->owner == self && object->count > 0) {
        ++object->count;
        return WAIT_OBJECT_0;
    }
    auto isFree = [&] { return object->owner == 0; };
    if (!timed)
        object->released.wait(lock, isFree);
    else if (!object->released.wait_until(lock, deadline, isFree))
        return WAIT_TIMEOUT;
    object->owner = self; // claimed within the process; count stays 0 until the file is ours
    lock.unlock();

    bool abandoned = false;
    if (object->fd >= 0) {
        if (!LockFile(object->fd, timed, deadline)) {
            lock.lock();
            object->owner = 0;
            object->released.notify_one();
            return timed ? WAIT_TIMEOUT : WAIT_FAILED;
        }
        abandoned = TakeOverLockFile(object->fd);
    }
    lock.lock();
    object->count = 1;
    return abandoned ? WAIT_ABANDONED : WAIT_OBJECT_0;
}

BOOL ReleaseMutex(HANDLE mutex) {
    std::shared_ptr<MutexObject> object = Lookup(mutex);
    if (!object)
        return FALSE;
    std::lock_guard<std::mutex> guard(object->lock);
    if (object->owner != GetCurrentThreadId() || object->count == 0) {
        SetLastError(ERROR_NOT_OWNER);
        return FALSE;
    }
    if (--object->count > 0)
        return TRUE;
    if (object->fd >= 0)
        ReleaseLockFile(object->fd);
    object->owner = 0;
    object->released.notify_one();
    return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
    MutexTable& t = Table();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = FindHandleLocked(t, handle);
    if (it == t.handles.end())
        return FALSE;
    std::shared_ptr<MutexObject> object = it->second;
    t.handles.erase(it);
    if (--object->handles > 0)
        return TRUE;
    // The last handle: an owner's mark stays in the lock file, so the next
    // owner in another process learns that this one gave up without releasing.
    if (!object->name.empty()) {
        t.named.erase(object->name);
        close(object->fd);
        object->fd = -1;
    }
    return TRUE;
}
