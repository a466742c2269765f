// Every reading of the XML tests is repeated with its input handed out a few
// bytes at a time, so that the reader meets every split of a character, a
// name, a tag and a byte-order mark: a memory stream that gives short reads,
// and a check that each chunk size gives what the whole input gives.
#pragma once

#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

// The chunk sizes every reading is repeated at: 1 to kLastChunk bytes a read.
inline constexpr size_t kLastChunk = 7;

// A memory stream that hands out at most `chunk` bytes per read.
class ChunkedStream : public TMemoryStream {
public:
    ChunkedStream(const std::string& bytes, size_t chunk) : chunk_(chunk) {
        WriteBuffer(bytes.data(), bytes.size());
        SetPosition(0);
    }
    size_t Read(void* buffer, size_t count) override {
        return TMemoryStream::Read(buffer, std::min(count, chunk_));
    }

private:
    size_t chunk_;
};

// The start of bytes, for a failure message.
inline std::string Excerpt(const std::string& bytes) {
    return testing::PrintToString(bytes.substr(0, 80)) + (bytes.size() > 80 ? "..." : "");
}

// Reads bytes with read (which takes a new stream and owns it) whole, then at
// every chunk size, expects each chunked result to equal the whole one and
// returns that.
template <class Read> auto ReadAtEveryChunkSize(const std::string& bytes, Read read) {
    auto whole = read(new ChunkedStream(bytes, bytes.size() + 1));
    for (size_t chunk = 1; chunk <= kLastChunk; ++chunk)
        EXPECT_EQ(read(new ChunkedStream(bytes, chunk)), whole)
            << "read " << chunk << " bytes at a time: " << Excerpt(bytes);
    return whole;
}
