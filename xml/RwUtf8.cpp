// UTF-8 encoding and the UTF-8 reading stream.
#include "xml/RwUtf8.h"

#include "platform/rtl/Exception.h"
#include "xml/RwCharScan.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Encodes s[i] (and s[i + 1] when they form a pair) into out; returns the
// bytes written and the characters consumed.
size_t EncodeAt(const char16_t* s, size_t length, size_t& i, uint8_t out[4]) {
    char16_t c = s[i++];
    if (c < 0x80) {
        out[0] = static_cast<uint8_t>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<uint8_t>(0xC0 | (c >> 6));
        out[1] = static_cast<uint8_t>(0x80 | (c & 0x3F));
        return 2;
    }
    if (IsHighSurrogate(c) && i < length && IsLowSurrogate(s[i])) {
        char32_t full = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (s[i++] - 0xDC00);
        out[0] = static_cast<uint8_t>(0xF0 | (full >> 18));
        out[1] = static_cast<uint8_t>(0x80 | ((full >> 12) & 0x3F));
        out[2] = static_cast<uint8_t>(0x80 | ((full >> 6) & 0x3F));
        out[3] = static_cast<uint8_t>(0x80 | (full & 0x3F));
        return 4;
    }
    // A surrogate half without its partner has no UTF-8 form: encoded as it
    // stands it would make bytes that other readers reject, so it becomes the
    // replacement character.
    if (IsHighSurrogate(c) || IsLowSurrogate(c))
        c = 0xFFFD;
    out[0] = static_cast<uint8_t>(0xE0 | (c >> 12));
    out[1] = static_cast<uint8_t>(0x80 | ((c >> 6) & 0x3F));
    out[2] = static_cast<uint8_t>(0x80 | (c & 0x3F));
    return 3;
}

// The character of a two-, three- or four-byte sequence. Continuation bytes
// are taken for their low six bits without a check of their pattern, as this
// stream always has.
char16_t DecodeTwo(const uint8_t* b) {
    return static_cast<char16_t>(((b[0] & 0x1F) << 6) | (b[1] & 0x3F));
}
char16_t DecodeThree(const uint8_t* b) {
    return static_cast<char16_t>(((b[0] & 0x0F) << 12) | ((b[1] & 0x3F) << 6) | (b[2] & 0x3F));
}
char32_t DecodeFour(const uint8_t* b) {
    return (char32_t(b[0] & 0x07) << 18) | (char32_t(b[1] & 0x3F) << 12) |
           (char32_t(b[2] & 0x3F) << 6) | (b[3] & 0x3F);
}

// The fast path of reading: decodes while at least four bytes and room for two
// characters remain, so that no sequence needs a check of its own, and stops
// before anything that needs care (a fault, the end of either buffer), which
// the careful path then takes. Returns the characters written; used receives
// the bytes they took.
size_t DecodeWhileRoomy(const uint8_t* in, size_t inCount, char16_t* out, size_t outCount,
                        size_t& used) {
    size_t i = 0;
    size_t o = 0;
    while (inCount - i >= 4 && outCount - o >= 2) {
        uint8_t first = in[i];
        if (first < 0x80) {
            size_t run = RwWidenAscii(in + i, std::min(inCount - i, outCount - o), out + o);
            i += run;
            o += run;
        } else if ((first & 0x40) == 0) {
            break;
        } else if ((first & 0x20) == 0) {
            out[o++] = DecodeTwo(in + i);
            i += 2;
        } else if ((first & 0xF8) != 0xF0) {
            out[o++] = DecodeThree(in + i);
            i += 3;
        } else {
            char32_t full = DecodeFour(in + i);
            if (full > 0x10FFFF)
                break;
            if (full < 0x10000) {
                out[o++] = static_cast<char16_t>(full);
            } else {
                full -= 0x10000;
                out[o++] = static_cast<char16_t>(0xD800 + (full >> 10));
                out[o++] = static_cast<char16_t>(0xDC00 + (full & 0x3FF));
            }
            i += 4;
        }
    }
    used = i;
    return o;
}

constexpr const char* kInvalidUtf8 = "The stream does not contain valid UTF-8 code!";
constexpr size_t kChunk = 64 * 1024;

} // namespace

size_t UnicodeToUtf8(char* dest, size_t size, const char16_t* source, size_t sourceLength) {
    size_t written = 0;
    uint8_t sequence[4];
    for (size_t i = 0; i < sourceLength;) {
        size_t before = i;
        size_t n = EncodeAt(source, sourceLength, i, sequence);
        if (written + n > size) {
            i = before;
            break;
        }
        std::memcpy(dest + written, sequence, n);
        written += n;
    }
    if (written < size)
        dest[written] = 0;
    return written;
}

std::string UTF8Encode(std::u16string_view s) {
    // Three bytes a character are always enough: a pair of two takes four.
    std::string result(s.size() * 3, '\0');
    size_t written = 0;
    uint8_t sequence[4];
    for (size_t i = 0; i < s.size();) {
        if (s[i] < 0x80) {
            result[written++] = static_cast<char>(s[i++]);
            continue;
        }
        size_t n = EncodeAt(s.data(), s.size(), i, sequence);
        std::memcpy(&result[written], sequence, n);
        written += n;
    }
    result.resize(written);
    return result;
}

TStream* RwWideStringToUTF8Stream(std::u16string_view s, TStream* stream) {
    if (!stream)
        stream = new TMemoryStream();
    std::string bytes = UTF8Encode(s);
    stream->WriteBuffer(bytes.data(), bytes.size());
    return stream;
}

TRwUTF8ConvertStream::TRwUTF8ConvertStream(TStream* stream, bool ownsStream)
    : stream_(stream), ownsStream_(ownsStream) {}

TRwUTF8ConvertStream::~TRwUTF8ConvertStream() {
    if (ownsStream_)
        delete stream_;
}

bool TRwUTF8ConvertStream::Fill(size_t want) {
    while (tail_ - head_ < want && !streamEnded_) {
        if (head_ > 0) {
            std::memmove(bytes_.data(), bytes_.data() + head_, tail_ - head_);
            tail_ -= head_;
            head_ = 0;
        }
        if (bytes_.size() < kChunk)
            bytes_.resize(kChunk);
        size_t got = stream_->Read(bytes_.data() + tail_, bytes_.size() - tail_);
        if (got == 0)
            streamEnded_ = true;
        tail_ += got;
    }
    return tail_ - head_ >= want;
}

void TRwUTF8ConvertStream::RaiseInvalid(const char* detail) {
    throw Exception(detail ? std::string(kInvalidUtf8) + "\r\n" + detail
                           : std::string(kInvalidUtf8));
}

size_t TRwUTF8ConvertStream::Read(void* buffer, size_t count) {
    auto* out = static_cast<char16_t*>(buffer);
    size_t wanted = count / 2;
    size_t produced = 0;
    if (pendingLow_ && wanted > 0) {
        out[produced++] = pendingLow_;
        pendingLow_ = 0;
    }
    while (produced < wanted) {
        if (head_ == tail_ && !Fill(1))
            break;
        size_t used = 0;
        produced += DecodeWhileRoomy(bytes_.data() + head_, tail_ - head_, out + produced,
                                     wanted - produced, used);
        head_ += used;
        if (produced == wanted || head_ == tail_)
            continue;
        // The careful path: one character near the end of a buffer, or a fault.
        uint8_t first = bytes_[head_];
        if (first < 0x80) {
            out[produced++] = first;
            head_++;
            continue;
        }
        // A fault is raised only when nothing precedes it in this call: the
        // characters before it are delivered first and the next call raises.
        if ((first & 0x40) == 0) {
            if (produced > 0)
                break;
            RaiseInvalid(nullptr);
        }
        size_t length = (first & 0x20) == 0 ? 2 : (first & 0xF8) == 0xF0 ? 4 : 3;
        if (tail_ - head_ < length && !Fill(length)) {
            if (produced > 0)
                break;
            size_t missing = length - (tail_ - head_);
            if (length == 4)
                RaiseInvalid(missing == 1   ? "There is 1 byte missing!"
                             : missing == 2 ? "There are 2 bytes missing!"
                                            : "There are 3 bytes missing!");
            RaiseInvalid(missing == 1 && length == 3 ? "There is 1 byte missing!"
                                                     : "There are 1 or 2 bytes missing!");
        }
        const uint8_t* bytes = bytes_.data() + head_;
        if (length == 2) {
            out[produced++] = DecodeTwo(bytes);
        } else if (length == 3) {
            out[produced++] = DecodeThree(bytes);
        } else {
            char32_t full = DecodeFour(bytes);
            if (full > 0x10FFFF) {
                if (produced > 0)
                    break;
                RaiseInvalid(nullptr);
            }
            if (full < 0x10000) {
                out[produced++] = static_cast<char16_t>(full);
            } else {
                full -= 0x10000;
                out[produced++] = static_cast<char16_t>(0xD800 + (full >> 10));
                char16_t low = static_cast<char16_t>(0xDC00 + (full & 0x3FF));
                if (produced < wanted)
                    out[produced++] = low;
                else
                    pendingLow_ = low;
            }
        }
        head_ += length;
    }
    return produced * 2;
}

size_t TRwUTF8ConvertStream::Write(const void*, size_t) {
    return 0;
}

int64_t TRwUTF8ConvertStream::Seek(int64_t offset, TSeekOrigin origin) {
    // Bytes read ahead are given back first, so that the underlying stream
    // stands where the characters delivered so far end.
    if (tail_ > head_)
        stream_->Seek(-static_cast<int64_t>(tail_ - head_), soCurrent);
    head_ = tail_ = 0;
    streamEnded_ = false;
    pendingLow_ = 0;
    return stream_->Seek(offset / 2, origin) * 2;
}
