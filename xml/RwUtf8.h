// UTF-8 for the XML library: the encoder the writer uses for its UTF-8 output,
// and TRwUTF8ConvertStream, which the character reader puts over UTF-8 input
// so that it reads UTF-16LE characters.
//
// Characters above U+FFFF are written as one four-byte sequence and read back
// as a surrogate pair. A surrogate half without its partner is written as
// U+FFFD, since it has no valid UTF-8 form; a three-byte sequence of a half,
// which earlier versions wrote, still reads back as that half.
#pragma once

#include "platform/rtl/Streams.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Encodes sourceLength UTF-16 characters of source into at most size bytes of
// dest, writing no partial sequence; adds a zero byte when there is room.
// Returns the number of bytes encoded, the zero not counted.
size_t UnicodeToUtf8(char* dest, size_t size, const char16_t* source, size_t sourceLength);

// s as UTF-8 (no byte-order signature).
std::string UTF8Encode(std::u16string_view s);

// Writes UTF8Encode(s) to stream and returns it; creates a TMemoryStream,
// which the caller then owns, when stream is null.
TStream* RwWideStringToUTF8Stream(std::u16string_view s, TStream* stream = nullptr);

// A read-only stream of UTF-16LE characters decoded from a UTF-8 stream.
// Faults raise Exception "The stream does not contain valid UTF-8 code!"
// (with what is missing when the input ends inside a sequence); the faulty
// bytes stay unread, and characters before them are delivered first.
class TRwUTF8ConvertStream : public TStream {
public:
    // Reads from stream, which it frees when ownsStream is set.
    TRwUTF8ConvertStream(TStream* stream, bool ownsStream);
    ~TRwUTF8ConvertStream() override;
    TRwUTF8ConvertStream(const TRwUTF8ConvertStream&) = delete;
    TRwUTF8ConvertStream& operator=(const TRwUTF8ConvertStream&) = delete;

    // Produces count div 2 characters (fewer at the end); returns the bytes produced.
    size_t Read(void* buffer, size_t count) override;
    // Writes nothing.
    size_t Write(const void* buffer, size_t count) override;
    // Moves the underlying stream by half the offset; returns twice its new position.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

private:
    // Makes at least `want` unread bytes available if the stream has them.
    bool Fill(size_t want);
    // Decodes the sequence at the read position; false when it is faulty and
    // nothing has been delivered yet in this call.
    [[noreturn]] void RaiseInvalid(const char* detail);

    TStream* stream_;
    bool ownsStream_;
    std::vector<uint8_t> bytes_;
    size_t head_ = 0;
    size_t tail_ = 0;
    bool streamEnded_ = false;
    // The low half of a pair whose high half filled the caller's last slot.
    char16_t pendingLow_ = 0;
};
