// A full disk for one scope: no file of this process may grow past a given
// size while it lasts (the write that would fails with EFBIG instead of
// killing the process), and the old limit comes back when it ends, also
// when an assertion leaves the scope early.
#pragma once

#include <csignal>
#include <cstddef>
#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(size_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit small = saved_;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
};
