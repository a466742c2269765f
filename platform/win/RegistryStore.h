// The machine's registry: one tree per process, kept in
// PlatformHome()/registry.reg. The file is read when the registry is first
// used and again whenever it changed on disk (another process of this
// machine wrote it) or the machine's folder moved (a test set a new
// $PLATFORM_HOME); every change rewrites it atomically. Each registry call
// looks at the file once (one stat, when it takes the lock), and reads it
// again only when its size, time or identity differ from what was last read
// or written.
#pragma once

#include "platform/win/RegistryTree.h"

#include <mutex>
#include <string>
#include <vector>

namespace platform {

class RegistryStore {
public:
    // The process's registry.
    static RegistryStore& Instance();

    // Holds the registry for a sequence of reads and changes; brings the tree
    // up to date with the file first.
    std::unique_lock<std::recursive_mutex> Lock();
    // The tree (call with the lock held).
    RegTree& Tree() noexcept { return tree_; }
    // Writes the tree to the file (call with the lock held, after a change),
    // or marks it for writing when a RegistryBatch is open. Raises
    // ERegistryException when the file cannot be replaced; the old file then
    // stays as it was.
    void Save();
    // Batches (see RegistryBatch in Registry.h): with one open, changes are
    // written once, when the outermost ends.
    void BeginBatch();
    // Ends a batch; writes pending changes when it was the outermost (raising
    // as Save does when commit, else recording the failure as a problem).
    void EndBatch(bool commit);

    // The registry file's path.
    std::string FilePath();
    // Forgets the tree and reads the file again.
    void Reload();
    // The problems met in the file when it was last read (bad lines skipped).
    std::vector<std::string> LoadProblems();
    // How many times this process has written the file.
    unsigned long Writes();
    // A count of the tree's changes: this process's and the file's, checked now.
    unsigned long long Changes();

private:
    RegistryStore() = default;
    void Refresh();
    void Load(const std::string& home);
    // Identity of the file as last read or written (0 when absent).
    struct Stamp {
        unsigned long long device = 0, inode = 0, size = 0;
        long long seconds = 0, nanoseconds = 0;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp StampOf(const std::string& path);

    std::recursive_mutex mutex_;
    RegTree tree_;
    std::string home_;
    std::string path_; // home_/registry.reg
    Stamp stamp_;
    std::vector<std::string> problems_;
    int batchDepth_ = 0;
    bool pending_ = false;
    unsigned long writes_ = 0;
    unsigned long long changes_ = 0;
};

} // namespace platform
