// The process's one registry tree, loaded from registry.reg when first used
// or changed on disk, and saved atomically after every change.

#include "platform/win/RegistryStore.h"

#include "platform/win/PlatformHome.h"
#include "platform/win/Registry.h"

#include "platform/rtl/FileUtils.h"

#include <sys/stat.h>

namespace platform {
namespace {

constexpr const char* FileName = "registry.reg";
// A larger file is not a registry this machine wrote; it is left alone.
constexpr unsigned long long MaxFileSize = 64 << 20;

} // namespace

RegistryStore& RegistryStore::Instance() {
    static RegistryStore store;
    return store;
}

RegistryStore::Stamp RegistryStore::StampOf(const std::string& path) {
    struct stat st {};
    Stamp s;
    if (::stat(path.c_str(), &st) != 0)
        return s;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = static_cast<unsigned long long>(st.st_size);
    s.seconds = st.st_mtim.tv_sec;
    s.nanoseconds = st.st_mtim.tv_nsec;
    return s;
}

std::unique_lock<std::recursive_mutex> RegistryStore::Lock() {
    std::unique_lock<std::recursive_mutex> lock(mutex_);
    Refresh();
    return lock;
}

void RegistryStore::Refresh() {
    if (batchDepth_ > 0)
        return; // the batch's changes are not written yet
    std::string home = PlatformHome();
    if (home != home_ || !(StampOf(path_) == stamp_))
        Load(home);
}

void RegistryStore::Load(const std::string& home) {
    home_ = home;
    path_ = home + "/" + FileName;
    tree_ = RegTree();
    problems_.clear();
    ++changes_;
    stamp_ = StampOf(path_);
    if (stamp_ == Stamp())
        return; // no registry yet
    if (stamp_.size > MaxFileSize) {
        problems_.push_back(path_ + " is too large to be a registry file");
        return;
    }
    try {
        problems_ = ParseRegText(ReadFileBytes(path_), tree_).Problems;
    } catch (const Exception& e) {
        problems_.push_back(e.Message);
    }
}

void RegistryStore::Save() {
    ++changes_;
    if (batchDepth_ > 0) {
        pending_ = true;
        return;
    }
    pending_ = false;
    try {
        WriteFileAtomic(path_, WriteRegText(tree_));
    } catch (const Exception& e) {
        throw ERegistryException("Failed to save the registry: " + e.Message);
    }
    stamp_ = StampOf(path_);
    ++writes_;
}

void RegistryStore::BeginBatch() {
    mutex_.lock();
    if (batchDepth_ == 0)
        Refresh();
    ++batchDepth_;
}

void RegistryStore::EndBatch(bool commit) {
    std::unique_lock<std::recursive_mutex> held(mutex_, std::adopt_lock);
    if (--batchDepth_ > 0 || !pending_)
        return;
    try {
        Save();
    } catch (const ERegistryException& e) {
        if (commit)
            throw;
        problems_.push_back(e.Message);
    }
}

std::string RegistryStore::FilePath() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return PlatformHome() + "/" + FileName;
}

void RegistryStore::Reload() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    Load(PlatformHome());
}

std::vector<std::string> RegistryStore::LoadProblems() {
    auto lock = Lock();
    return problems_;
}

unsigned long long RegistryStore::Changes() {
    auto lock = Lock();
    return changes_;
}

unsigned long RegistryStore::Writes() {
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return writes_;
}

} // namespace platform
