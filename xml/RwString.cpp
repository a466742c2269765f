// The growable character buffer of the XML library.
#include "xml/RwString.h"

#include "platform/text/Text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

TRwString::TRwString(uint16_t charSize) : ownsBuffer_(true), charSize_(charSize == 1 ? 1 : 2) {
    SetBufferSize(0);
}

TRwString::TRwString(uint16_t charSize, uint32_t length, void* foreign)
    : ownsBuffer_(false), charSize_(charSize == 1 ? 1 : 2), capacity_(length * charSize_),
      length_(length), buffer_(static_cast<uint8_t*>(foreign)), allocated_(capacity_) {}

TRwString::~TRwString() {
    if (ownsBuffer_)
        std::free(buffer_);
}

TRwString* TRwString::Wrap(uint16_t charSize, int32_t length, const void* pointer) {
    uint32_t count;
    if (length >= 0)
        count = static_cast<uint32_t>(length);
    else if (charSize == 1)
        count = static_cast<uint32_t>(std::strlen(static_cast<const char*>(pointer)));
    else
        count = static_cast<uint32_t>(
            std::char_traits<char16_t>::length(static_cast<const char16_t*>(pointer)));
    // The view never writes: every write first needs room, which it cannot get.
    return new TRwString(charSize, count, const_cast<void*>(pointer));
}

void TRwString::Reallocate(size_t bytes) {
    if (bytes <= allocated_)
        return;
    size_t grown = std::max(bytes, allocated_ + allocated_ / 2);
    void* memory = std::realloc(buffer_, grown);
    if (!memory)
        throw std::bad_alloc();
    buffer_ = static_cast<uint8_t*>(memory);
    allocated_ = grown;
}

void TRwString::SetBufferSize(uint32_t bytes) {
    if (bytes == capacity_ && buffer_)
        return;
    if (!ownsBuffer_)
        throw Exception("It is not possible to resize the buffer!");
    // The step above the largest sizes does not fit the 32-bit capacity.
    const uint64_t rounded = (uint64_t(bytes) / growthStep_ + 1) * growthStep_;
    if (rounded > UINT32_MAX)
        throw std::bad_alloc();
    const auto capacity = static_cast<uint32_t>(rounded);
    Reallocate(capacity);
    capacity_ = capacity;
    length_ = std::min(length_, capacity_ / charSize_);
}

void TRwString::CheckSize(uint32_t chars) {
    uint64_t needed = (uint64_t(length_) + chars) * charSize_;
    if (needed > capacity_) {
        if (needed > UINT32_MAX - growthStep_)
            throw std::bad_alloc();
        SetBufferSize(static_cast<uint32_t>(needed));
    }
}

void TRwString::SetContentSize(uint32_t chars) {
    const uint64_t bytes = uint64_t(chars) * charSize_;
    if (bytes > UINT32_MAX)
        throw std::bad_alloc();
    FlushPending();
    if (bytes > capacity_)
        SetBufferSize(static_cast<uint32_t>(bytes));
    length_ = chars;
}

void TRwString::Assign(const TRwString& source) {
    if (&source == this)
        return;
    charSize_ = source.charSize_;
    length_ = 0;
    pendingCount_ = 0;
    pendingHigh_ = 0;
    CheckSize(source.length_);
    std::memcpy(buffer_, source.buffer_, size_t(source.length_) * charSize_);
    length_ = source.length_;
}

void TRwString::AppendRaw(const void* bytes, size_t count) {
    CheckSize(static_cast<uint32_t>(count));
    std::memcpy(buffer_ + size_t(length_) * charSize_, bytes, count * charSize_);
    length_ += static_cast<uint32_t>(count);
}

void TRwString::AddCodePoint(char32_t c) {
    if (charSize_ == 2) {
        std::u16string units;
        text::AppendUtf16(units, c);
        AppendRaw(units.data(), units.size());
    } else {
        std::string bytes;
        text::AppendUtf8(bytes, c);
        AppendRaw(bytes.data(), bytes.size());
    }
}

// Bytes of an unfinished 8-bit sequence that will not be completed any more
// are single Windows-1252 characters; a lone high surrogate is U+FFFD.
void TRwString::FlushPending() {
    uint8_t count = pendingCount_;
    pendingCount_ = 0;
    for (uint8_t i = 0; i < count; ++i)
        AddCodePoint(text::Cp1252ToUnicode(pending_[i]));
    if (pendingHigh_) {
        pendingHigh_ = 0;
        AddCodePoint(0xFFFD);
    }
}

void TRwString::AddChar(char c) {
    auto byte = static_cast<uint8_t>(c);
    if (charSize_ == 1) {
        AppendRaw(&byte, 1);
        return;
    }
    if (pendingCount_ == 0 && byte < 0x80) {
        char16_t unit = byte;
        AppendRaw(&unit, 1);
        return;
    }
    // Collect a multi-byte sequence and decode it once it is complete; a byte
    // that cannot continue it turns the collected bytes into Windows-1252.
    pending_[pendingCount_++] = byte;
    std::string_view bytes(reinterpret_cast<const char*>(pending_), pendingCount_);
    size_t expected = pending_[0] >= 0xF0 ? 4 : pending_[0] >= 0xE0 ? 3 : 2;
    if (pending_[0] < 0xC2 || pending_[0] > 0xF4) {
        FlushPending();
        return;
    }
    if (pendingCount_ < expected) {
        if ((byte & 0xC0) != 0x80 && pendingCount_ > 1) {
            pendingCount_--;
            FlushPending();
            AddChar(c);
        }
        return;
    }
    if (text::IsValidUtf8(bytes)) {
        size_t pos = 0;
        pendingCount_ = 0;
        AddCodePoint(text::DecodeAnsiChar(bytes, pos));
    } else {
        pendingCount_--;
        FlushPending();
        AddChar(c);
    }
}

void TRwString::AddCharCarefully(char16_t c) {
    if (charSize_ == 2) {
        if (pendingCount_)
            FlushPending();
        AppendRaw(&c, 1);
        return;
    }
    if (c >= 0xD800 && c <= 0xDBFF) {
        if (pendingHigh_)
            FlushPending();
        pendingHigh_ = c;
        return;
    }
    if (c >= 0xDC00 && c <= 0xDFFF && pendingHigh_) {
        char32_t full = 0x10000 + ((char32_t(pendingHigh_) - 0xD800) << 10) + (c - 0xDC00);
        pendingHigh_ = 0;
        AddCodePoint(full);
        return;
    }
    FlushPending();
    AddCodePoint(c);
}

void TRwString::AddChars(const char16_t* chars, size_t count) {
    if (charSize_ == 2 && pendingCount_ == 0) {
        AppendRaw(chars, count);
        return;
    }
    for (size_t i = 0; i < count; ++i)
        AddChar(chars[i]);
}

void TRwString::WriteEOF() {
    FlushPending();
    uint64_t needed = uint64_t(length_) * charSize_ + 2;
    if (needed > capacity_)
        SetBufferSize(static_cast<uint32_t>(needed));
    std::memset(buffer_ + size_t(length_) * charSize_, 0, 2);
}

void TRwString::IncCurPos() {
    CheckSize(1);
    length_++;
}

// An unfinished sequence at the end reads as what it will become if nothing
// completes it: its bytes as Windows-1252, a lone high surrogate as U+FFFD.
std::string TRwString::GetString() const {
    std::string result = charSize_ == 1
                             ? std::string(reinterpret_cast<const char*>(buffer_), length_)
                             : text::Utf16ToUtf8(WideView());
    if (pendingHigh_)
        text::AppendUtf8(result, 0xFFFD);
    return result;
}

std::u16string TRwString::GetWideString() const {
    std::u16string result =
        charSize_ == 2
            ? std::u16string(WideView())
            : text::Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(buffer_), length_));
    for (uint8_t i = 0; i < pendingCount_; ++i)
        text::AppendUtf16(result, text::Cp1252ToUnicode(pending_[i]));
    return result;
}

TStream* RwStringToStream(const std::string& s, TStream* stream) {
    if (!stream)
        stream = new TMemoryStream();
    stream->WriteBuffer(s.data(), s.size());
    return stream;
}
