// File names and file operations.
#include "platform/rtl/FileUtils.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/RtlConsts.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Index of the last delimiter, or npos.
size_t LastDelimiterIndex(std::string_view s) {
    return s.find_last_of("/\\");
}

// Index of the extension's dot in the name part, or npos.
size_t ExtensionDot(std::string_view s) {
    size_t dot = s.rfind('.');
    size_t delimiter = LastDelimiterIndex(s);
    if (dot == std::string_view::npos || (delimiter != std::string_view::npos && dot < delimiter))
        return std::string_view::npos;
    return dot;
}

bool Stat(std::string_view name, struct stat& st) {
    return ::stat(NativePath(name).c_str(), &st) == 0;
}

// Writes everything, retrying short writes; false on an error.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Makes a rename in the folder durable.
void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// What a save names its temporary file: the file's name, this suffix and
// six characters that make it unique.
constexpr std::string_view TemporarySuffix = ".tmp-";
constexpr size_t TemporaryUniqueLength = 6;

// Removes the temporary files that earlier saves of path left when they
// were killed half way. Only those older than TemporaryLeftoverAge: a younger
// one may belong to another process saving the same file right now. File
// times come from the system's clock, so they are compared with it, not
// with the platform's clock (which a test may hold still).
void RemoveLeftoverTemporaries(const std::string& path) {
    const std::string folder = ExtractFileDir(path);
    const std::string prefix = ExtractFileName(path) + std::string(TemporarySuffix);
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        std::string_view name = entry->d_name;
        if (name.size() != prefix.size() + TemporaryUniqueLength || name.rfind(prefix, 0) != 0)
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode) && now - st.st_mtime > TemporaryLeftoverAge)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

[[noreturn]] void CreateError(std::string_view fileName, int error) {
    throw EFCreateError(RtlConsts::SFCreateErrorEx, {fileName, std::strerror(error)});
}

} // namespace

std::string NativePath(std::string_view path) {
    std::string out(path);
    for (char& c : out)
        if (c == '\\')
            c = '/';
    return out;
}

std::string ExtractFilePath(std::string_view fileName) {
    size_t d = LastDelimiterIndex(fileName);
    return d == std::string_view::npos ? std::string() : std::string(fileName.substr(0, d + 1));
}

std::string ExtractFileDir(std::string_view fileName) {
    size_t d = LastDelimiterIndex(fileName);
    if (d == std::string_view::npos)
        return "";
    if (d > 0 && !IsPathDelimiterChar(fileName[d - 1]))
        return std::string(fileName.substr(0, d));
    return std::string(fileName.substr(0, d + 1)); // the root keeps its delimiter
}

std::string ExtractFileName(std::string_view fileName) {
    size_t d = LastDelimiterIndex(fileName);
    return std::string(d == std::string_view::npos ? fileName : fileName.substr(d + 1));
}

std::string ExtractFileExt(std::string_view fileName) {
    size_t dot = ExtensionDot(fileName);
    return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension) {
    size_t dot = ExtensionDot(fileName);
    std::string out(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
    return out.append(extension);
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string out(path);
    if (out.empty() || !IsPathDelimiterChar(out.back()))
        out.push_back(PathDelim);
    return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
    std::string out(path);
    if (out.size() > 1 && IsPathDelimiterChar(out.back()))
        out.pop_back();
    return out;
}

bool FileExists(std::string_view fileName) {
    struct stat st {};
    return !fileName.empty() && Stat(fileName, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view dir) {
    struct stat st {};
    return !dir.empty() && Stat(dir, st) && S_ISDIR(st.st_mode);
}

bool CreateDir(std::string_view dir) {
    return ::mkdir(NativePath(dir).c_str(), 0777) == 0;
}

bool ForceDirectories(std::string_view dir) {
    std::string path = ExcludeTrailingPathDelimiter(NativePath(dir));
    if (path.empty())
        return false;
    if (DirectoryExists(path))
        return true;
    std::string parent = ExtractFileDir(path);
    if (!parent.empty() && parent != path && !ForceDirectories(parent))
        return false;
    return CreateDir(path) || DirectoryExists(path); // another process may have made it
}

bool DeleteFile(std::string_view fileName) {
    return !DirectoryExists(fileName) && ::unlink(NativePath(fileName).c_str()) == 0;
}

bool RenameFile(std::string_view oldName, std::string_view newName) {
    std::string from = NativePath(oldName), to = NativePath(newName);
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the no-replace flag: check, then rename.
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0)
        return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

std::string ReadFileBytes(std::string_view fileName) {
    std::string path = NativePath(fileName);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode))) {
        ::close(fd);
        fd = -1;
        errno = EISDIR;
    }
    if (fd < 0)
        throw EFOpenError(RtlConsts::SFOpenErrorEx, {fileName, std::strerror(errno)});
    std::string bytes;
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int error = errno;
            ::close(fd);
            throw EFOpenError(RtlConsts::SFOpenErrorEx, {fileName, std::strerror(error)});
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return bytes;
}

void WriteFileAtomic(std::string_view fileName, std::string_view bytes) {
    std::string path = NativePath(fileName);
    RemoveLeftoverTemporaries(path);
    // Beside the file, so that the rename stays on one file system and is atomic.
    std::string temp =
        path + std::string(TemporarySuffix) + std::string(TemporaryUniqueLength, 'X');
    int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        CreateError(fileName, errno);
    // The new file keeps the old one's permissions (mkostemp's are private).
    struct stat old {};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && ::rename(temp.c_str(), path.c_str()) == 0) {
        SyncFolder(ExtractFileDir(path));
        return;
    }
    if (written)
        error = errno;
    ::unlink(temp.c_str());
    CreateError(fileName, error);
}
