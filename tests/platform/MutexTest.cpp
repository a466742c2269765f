// Mutexes within a process and named mutexes between processes. The waits
// between processes run on real time (short bounds); the other process is a
// forked child that reports back through a pipe and its exit status.
#include "tests/support/TempPlatformHome.h"

#include "platform/win/Clock.h"
#include "platform/win/LastError.h"
#include "platform/win/Synch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sched.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Appends lines to a file under the named mutex, each written in pieces so
// that another writer without the mutex would cut in between.
bool AppendLines(const char* mutexName, const std::string& file, const std::string& who,
                 int lines) {
    HANDLE mutex = CreateMutex(nullptr, FALSE, mutexName);
    if (!mutex)
        return false;
    for (int i = 0; i < lines; ++i) {
        DWORD wait = WaitForSingleObject(mutex, INFINITE);
        if (wait != WAIT_OBJECT_0)
            return false;
        int fd = open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0644);
        std::string pieces[] = {who, " line ", std::to_string(i), " end\n"};
        for (const std::string& piece : pieces) {
            if (write(fd, piece.data(), piece.size()) != static_cast<ssize_t>(piece.size()))
                return false;
            sched_yield();
        }
        close(fd);
        if (!ReleaseMutex(mutex))
            return false;
    }
    return CloseHandle(mutex) != FALSE;
}

// Runs body in a forked child; its answer becomes the exit status.
pid_t Fork(const std::function<bool()>& body) {
    pid_t pid = fork();
    if (pid == 0)
        _exit(body() ? 0 : 1);
    return pid;
}

bool ChildSucceeded(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct Pipe {
    int fds[2] = {-1, -1};
    Pipe() { EXPECT_EQ(pipe(fds), 0); }
    ~Pipe() {
        close(fds[0]);
        close(fds[1]);
    }
    bool Send() { return write(fds[1], "x", 1) == 1; }
    bool Receive() {
        char c;
        return read(fds[0], &c, 1) == 1;
    }
};

class Mutexes : public ::testing::Test {
protected:
    TempPlatformHome home;
};

} // namespace

TEST_F(Mutexes, OwnerMayWaitAgainAndReleasesEachLevel) {
    HANDLE mutex = CreateMutex(nullptr, FALSE, "Reentrant");
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_FALSE(ReleaseMutex(mutex));
    EXPECT_EQ(GetLastError(), ERROR_NOT_OWNER);
    EXPECT_TRUE(CloseHandle(mutex));
    EXPECT_FALSE(CloseHandle(mutex));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(Mutexes, AnotherThreadCannotTakeItUntilReleased) {
    HANDLE mutex = CreateMutex(nullptr, TRUE, nullptr); // unnamed, owned at once
    DWORD whileOwned = 0, afterRelease = 0;
    BOOL releasedByOther = TRUE;
    std::thread([&] {
        whileOwned = WaitForSingleObject(mutex, 0);
        releasedByOther = ReleaseMutex(mutex);
    }).join();
    EXPECT_EQ(whileOwned, WAIT_TIMEOUT);
    EXPECT_FALSE(releasedByOther);
    EXPECT_TRUE(ReleaseMutex(mutex));
    std::thread([&] {
        afterRelease = WaitForSingleObject(mutex, 0);
        ReleaseMutex(mutex);
    }).join();
    EXPECT_EQ(afterRelease, WAIT_OBJECT_0);
    CloseHandle(mutex);
}

TEST_F(Mutexes, SameNameInOneProcessIsOneMutex) {
    HANDLE first = CreateMutex(nullptr, FALSE, "Local\\Shared name");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    HANDLE second = CreateMutex(nullptr, FALSE, "Local\\Shared name");
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    HANDLE opened = OpenMutex(SYNCHRONIZE, FALSE, "Local\\Shared name");
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(WaitForSingleObject(first, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0) << "same owner, same mutex";
    EXPECT_TRUE(ReleaseMutex(opened));
    EXPECT_TRUE(ReleaseMutex(first));
    EXPECT_TRUE(std::filesystem::exists(home.path + "/mutex/Local%5CShared%20name"));
    for (HANDLE h : {first, second, opened})
        EXPECT_TRUE(CloseHandle(h));
    EXPECT_EQ(OpenMutex(SYNCHRONIZE, FALSE, "Never created"), nullptr);
}

TEST_F(Mutexes, TwoProcessesAppendWholeLinesUnderOneName) {
    const std::string file = home.path + "/log.txt";
    const int lines = 150;
    // The parent has the mutex open before forking: the child must not share
    // its lock through the inherited descriptor.
    HANDLE held = CreateMutex(nullptr, FALSE, "TestLogging");
    pid_t child = Fork([&] { return AppendLines("TestLogging", file, "child", lines); });
    ASSERT_GT(child, 0);
    EXPECT_TRUE(AppendLines("TestLogging", file, "parent", lines));
    EXPECT_TRUE(ChildSucceeded(child));
    CloseHandle(held);

    std::ifstream in(file);
    std::regex whole("(parent|child) line ([0-9]+) end");
    int count = 0;
    for (std::string line; std::getline(in, line); ++count)
        EXPECT_TRUE(std::regex_match(line, whole)) << "interleaved: " << line;
    EXPECT_EQ(count, 2 * lines);
}

TEST_F(Mutexes, TimedWaitGivesUpWhileAnotherProcessHoldsIt) {
    Pipe locked, release;
    pid_t child = Fork([&] {
        HANDLE mutex = CreateMutex(nullptr, FALSE, "Held elsewhere");
        return WaitForSingleObject(mutex, INFINITE) == WAIT_OBJECT_0 && locked.Send() &&
               release.Receive() && ReleaseMutex(mutex);
    });
    ASSERT_TRUE(locked.Receive());
    HANDLE mutex = CreateMutex(nullptr, FALSE, "Held elsewhere");
    // A manual clock must not shorten or stretch a wait between processes.
    platform::ManualClockScope manual(45351.0);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitForSingleObject(mutex, 200), WAIT_TIMEOUT);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    // After the child lets go, a wait well within its bound succeeds.
    ASSERT_TRUE(release.Send());
    EXPECT_EQ(WaitForSingleObject(mutex, 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_TRUE(ChildSucceeded(child));
    CloseHandle(mutex);
}

TEST_F(Mutexes, OwnerThatEndsWithoutReleasingLeavesItAbandoned) {
    pid_t child = Fork([] {
        HANDLE mutex = CreateMutex(nullptr, FALSE, "Abandoned");
        return WaitForSingleObject(mutex, INFINITE) == WAIT_OBJECT_0; // and ends holding it
    });
    ASSERT_TRUE(ChildSucceeded(child));
    HANDLE mutex = CreateMutex(nullptr, FALSE, "Abandoned");
    EXPECT_EQ(WaitForSingleObject(mutex, 10000), WAIT_ABANDONED);
    EXPECT_TRUE(ReleaseMutex(mutex)) << "an abandoned mutex is owned by the waiter";
    EXPECT_EQ(WaitForSingleObject(mutex, 10000), WAIT_OBJECT_0) << "released properly this time";
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

TEST_F(Mutexes, WaitOnAnUnknownHandleFails) {
    EXPECT_EQ(WaitForSingleObject(reinterpret_cast<HANDLE>(0x999), 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}
