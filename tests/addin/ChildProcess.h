// Another process for the tests of what processes share (the log's mutex): a
// forked child that runs a function and reports its answer as its exit
// status, and a one-way signal between the two.
#pragma once

#include <csignal>
#include <functional>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

// A forked child running body; it ends with _exit, so nothing of the test
// program's teardown runs twice.
class ChildProcess {
public:
    explicit ChildProcess(const std::function<bool()>& body) {
        pid_ = fork();
        if (pid_ == 0)
            _exit(body() ? 0 : 1);
    }
    // A child still running when the test ends (a failed test) is stopped.
    ~ChildProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Waits for the child; true when it was started and its body answered true.
    bool Succeeded() {
        if (pid_ <= 0)
            return false;
        int status = 0;
        pid_t ended = waitpid(pid_, &status, 0);
        pid_ = -1;
        return ended > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    pid_t pid_ = -1;
};

// One process tells the other that a moment has come; made before the fork.
class ProcessSignal {
public:
    ProcessSignal() {
        if (pipe(fds_) != 0)
            fds_[0] = fds_[1] = -1;
    }
    ~ProcessSignal() {
        close(fds_[0]);
        close(fds_[1]);
    }
    ProcessSignal(const ProcessSignal&) = delete;
    ProcessSignal& operator=(const ProcessSignal&) = delete;

    bool Raise() { return write(fds_[1], "!", 1) == 1; }
    // Blocks until the other side raised the signal (false when it ended first).
    bool Await() {
        char c = 0;
        return read(fds_[0], &c, 1) == 1;
    }

private:
    int fds_[2];
};
