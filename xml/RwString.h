// TRwString: the growable character buffer under every name, value and text
// the XML library reads. It holds 8-bit or 16-bit characters, owns its memory
// or wraps somebody else's, and converts between the two widths through the
// system code page (UTF-8 here, invalid bytes read as Windows-1252).
#pragma once

#include "platform/rtl/Streams.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

class TRwString {
public:
    // An owned, empty buffer of 8 bytes for characters of charSize bytes (1 or 2).
    explicit TRwString(uint16_t charSize = 2);
    virtual ~TRwString();
    TRwString(const TRwString&) = delete;
    TRwString& operator=(const TRwString&) = delete;

    // A view on length characters of foreign memory (length -1: up to the
    // terminating zero); it cannot grow beyond them.
    static TRwString* Wrap(uint16_t charSize, int32_t length, const void* pointer);

    // Makes the capacity (n div 8 + 1) * 8 bytes; raises "It is not possible to
    // resize the buffer!" for a wrapping buffer. Nothing when n is the capacity.
    virtual void SetBufferSize(uint32_t bytes);
    // Sets the number of characters held, growing the buffer when needed.
    virtual void SetContentSize(uint32_t chars);
    // Empties the buffer; its capacity stays.
    virtual void Clear() {
        length_ = 0;
        pendingCount_ = 0;
        pendingHigh_ = 0;
    }
    // Copies character size, content and length of source.
    virtual void Assign(const TRwString& source);

    // Appends an 8-bit character; into 16-bit characters through the system code page.
    void AddChar(char c);
    // Appends a 16-bit character; into 8-bit characters through the system code page.
    void AddChar(char16_t c) {
        // The reader appends to 16-bit buffers with room far more often than not.
        if (charSize_ == 2 && pendingCount_ == 0 && (uint64_t(length_) + 1) * 2 <= capacity_) {
            std::memcpy(buffer_ + size_t(length_) * 2, &c, 2);
            length_++;
            return;
        }
        AddCharCarefully(c);
    }
    // Appends count 16-bit characters at once.
    void AddChars(const char16_t* chars, size_t count);
    // Writes a zero terminator behind the content without counting it.
    void WriteEOF();
    // Moves the write position one character on, counting the character that
    // the caller placed there.
    void IncCurPos();

    // The content as 8-bit text.
    std::string GetString() const;
    // The content as 16-bit text.
    std::u16string GetWideString() const;

    // Bytes per character: 1 or 2.
    uint16_t CharSize() const { return charSize_; }
    // Characters held.
    uint32_t Length() const { return length_; }
    // Bytes allocated, as the growth rule counts them.
    uint32_t Capacity() const { return capacity_; }
    // False for a buffer that wraps foreign memory.
    bool OwnsBuffer() const { return ownsBuffer_; }
    // The first character; valid until the buffer grows.
    const void* Buffer() const { return buffer_; }
    // The content of a 16-bit buffer.
    const char16_t* WideBuffer() const { return reinterpret_cast<const char16_t*>(buffer_); }
    // The content of a 16-bit buffer as a view; valid until the buffer changes.
    std::u16string_view WideView() const { return {WideBuffer(), length_}; }

protected:
    // Grows the buffer so that `chars` more characters fit.
    void CheckSize(uint32_t chars);

private:
    TRwString(uint16_t charSize, uint32_t length, void* foreign);
    void Reallocate(size_t bytes);
    void AppendRaw(const void* bytes, size_t count);
    void AddCharCarefully(char16_t c);
    void AddCodePoint(char32_t c);
    void FlushPending();

    bool ownsBuffer_;
    uint16_t charSize_;
    uint32_t growthStep_ = 8;
    uint32_t capacity_ = 0;
    uint32_t length_ = 0;
    uint8_t* buffer_ = nullptr;
    // Bytes really allocated: the buffer grows geometrically beneath the
    // capacity rule, so that a long text is not copied again every 8 bytes.
    size_t allocated_ = 0;
    // An 8-bit multi-byte sequence or a high surrogate still waiting for the
    // rest of its character.
    uint8_t pending_[4] = {};
    uint8_t pendingCount_ = 0;
    char16_t pendingHigh_ = 0;
};

// Writes the bytes of s to stream and returns it; creates a TMemoryStream,
// which the caller then owns, when stream is null.
TStream* RwStringToStream(const std::string& s, TStream* stream = nullptr);
