// The class library's byte streams: the abstract TStream with its seek origins,
// a growable TMemoryStream and a TFileStream over a file of the machine.
// The XML library reads and writes through them; any stream that can seek will do.
#pragma once

#include "platform/rtl/Exception.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Where a Seek offset counts from.
enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

// A seekable sequence of bytes.
class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to count bytes into buffer; returns how many were read (0 at the end).
    virtual size_t Read(void* buffer, size_t count) = 0;
    // Writes up to count bytes; returns how many were written.
    virtual size_t Write(const void* buffer, size_t count) = 0;
    // Moves the position and returns the new one.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    // The stream's length in bytes.
    virtual int64_t GetSize();
    // Cuts or extends the stream; streams that cannot raise EStreamError.
    virtual void SetSize(int64_t size);

    // The position of the next byte to read or write.
    int64_t GetPosition() { return Seek(0, soCurrent); }
    // Moves to an absolute position.
    void SetPosition(int64_t position) { Seek(position, soBeginning); }
    // Reads exactly count bytes or raises EReadError "Stream read error".
    void ReadBuffer(void* buffer, size_t count);
    // Writes exactly count bytes or raises EWriteError "Stream write error".
    void WriteBuffer(const void* buffer, size_t count);
    // Copies count bytes from source (the whole source from its start when count is 0).
    int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream held in memory; it grows as it is written.
class TMemoryStream : public TStream {
public:
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t GetSize() override { return static_cast<int64_t>(data_.size()); }
    void SetSize(int64_t size) override;
    // The bytes held; valid until the next write.
    const uint8_t* Memory() const { return data_.data(); }
    // Empties the stream.
    void Clear();

private:
    std::vector<uint8_t> data_;
    size_t position_ = 0;
};

// File open modes: one access mode, or fmCreate, combined with a sharing mode
// (sharing is advisory here and recorded only).
enum : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareDenyWrite = 0x0020,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

// A stream over a file; the file is closed when the stream is destroyed.
class TFileStream : public TStream {
public:
    // Opens or creates fileName; raises EFOpenError "Cannot open file \"%s\". %s".
    TFileStream(const std::string& fileName, unsigned mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;
    // The name the stream was opened with.
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
    int fd_ = -1;
};
