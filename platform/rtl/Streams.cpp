// Byte streams of the class library over memory and files of the machine.
#include "platform/rtl/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

int64_t TStream::GetSize() {
    int64_t position = Seek(0, soCurrent);
    int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::SetSize(int64_t) {
    throw EStreamError("Stream size cannot be changed");
}

void TStream::ReadBuffer(void* buffer, size_t count) {
    auto* bytes = static_cast<uint8_t*>(buffer);
    while (count > 0) {
        size_t got = Read(bytes, count);
        if (got == 0)
            throw EReadError("Stream read error");
        bytes += got;
        count -= got;
    }
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
    auto* bytes = static_cast<const uint8_t*>(buffer);
    while (count > 0) {
        size_t put = Write(bytes, count);
        if (put == 0)
            throw EWriteError("Stream write error");
        bytes += put;
        count -= put;
    }
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.GetSize();
    }
    uint8_t chunk[65536];
    int64_t left = count;
    while (left > 0) {
        size_t n = static_cast<size_t>(std::min<int64_t>(left, sizeof chunk));
        source.ReadBuffer(chunk, n);
        WriteBuffer(chunk, n);
        left -= static_cast<int64_t>(n);
    }
    return count;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
    if (position_ >= data_.size())
        return 0;
    size_t n = std::min(count, data_.size() - position_);
    std::memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    if (count == 0)
        return 0;
    if (position_ + count > data_.size())
        data_.resize(position_ + count);
    std::memcpy(data_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == soBeginning ? 0
                   : origin == soCurrent ? static_cast<int64_t>(position_)
                                         : static_cast<int64_t>(data_.size());
    // A position before the start stays at the start; one past the end is
    // allowed, as it is for files, and the next write fills the gap.
    position_ = static_cast<size_t>(std::max<int64_t>(0, base + offset));
    return static_cast<int64_t>(position_);
}

void TMemoryStream::SetSize(int64_t size) {
    data_.resize(static_cast<size_t>(std::max<int64_t>(0, size)));
    position_ = std::min(position_, data_.size());
}

void TMemoryStream::Clear() {
    data_.clear();
    position_ = 0;
}

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : fileName_(fileName) {
    int flags;
    if ((mode & 0xFF00) == fmCreate)
        flags = O_RDWR | O_CREAT | O_TRUNC;
    else if ((mode & 3) == fmOpenWrite)
        flags = O_WRONLY;
    else if ((mode & 3) == fmOpenReadWrite)
        flags = O_RDWR;
    else
        flags = O_RDONLY;
    fd_ = ::open(fileName.c_str(), flags | O_CLOEXEC, 0644);
    if (fd_ < 0)
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
}

TFileStream::~TFileStream() {
    if (fd_ >= 0)
        ::close(fd_);
}

size_t TFileStream::Read(void* buffer, size_t count) {
    for (;;) {
        ssize_t n = ::read(fd_, buffer, count);
        if (n >= 0)
            return static_cast<size_t>(n);
        if (errno != EINTR)
            return 0;
    }
}

size_t TFileStream::Write(const void* buffer, size_t count) {
    for (;;) {
        ssize_t n = ::write(fd_, buffer, count);
        if (n >= 0)
            return static_cast<size_t>(n);
        if (errno != EINTR)
            return 0;
    }
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    off_t result = ::lseek(fd_, offset, whence);
    return result < 0 ? -1 : static_cast<int64_t>(result);
}

void TFileStream::SetSize(int64_t size) {
    if (::ftruncate(fd_, size) != 0)
        throw EStreamError("Cannot set the size of \"" + fileName_ + "\"");
}
