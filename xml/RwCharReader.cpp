// The character reader: encoding detection, bulk decoding, line and column.
#include "xml/RwCharReader.h"

#include "platform/text/Text.h"
#include "xml/RwCharScan.h"
#include "xml/RwUtf8.h"
#include "xml/SaxErrors.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kUnits = 32 * 1024;
constexpr size_t kBytes = 32 * 1024;

// Reads raw bytes one at a time during detection, remembering their positions.
class ByteProbe {
public:
    explicit ByteProbe(TStream& stream) : stream_(stream), position_(stream.GetPosition()) {}
    // The next byte, or -1 at the end.
    int Next() {
        if (head_ == tail_) {
            tail_ = stream_.Read(chunk_, sizeof chunk_);
            head_ = 0;
            if (tail_ == 0)
                return -1;
        }
        position_++;
        return chunk_[head_++];
    }
    // The stream position after the bytes taken so far.
    int64_t Position() const { return position_; }

private:
    TStream& stream_;
    int64_t position_;
    uint8_t chunk_[512];
    size_t head_ = 0;
    size_t tail_ = 0;
};

} // namespace

ComPtr<TRwXmlBaseParser> TRwXmlBaseParser::Create(IErrorHandler* errorHandler, TStream* stream,
                                                  bool ownsStream) {
    if (!errorHandler)
        throw ESAXException("You must assign an Errorhandler to the SAX Parser!");
    if (!stream)
        throw ESAXException("You must assign a SourceStream to the SAX Parser!");
    auto reader = ComPtr<TRwXmlBaseParser>::Adopt(
        ComMaker::New<TRwXmlBaseParser>(errorHandler, stream, ownsStream));
    // A failed detection releases the reader, and with it an owned stream.
    reader->DetectEncoding();
    return reader;
}

TRwXmlBaseParser::TRwXmlBaseParser(IErrorHandler* errorHandler, TStream* stream, bool ownsStream)
    : errorHandler_(ComPtr<IErrorHandler>::Share(errorHandler)), stream_(stream),
      ownsStream_(ownsStream), units_(new char16_t[kUnits]) {}

TRwXmlBaseParser::~TRwXmlBaseParser() {
    Close();
}

void TRwXmlBaseParser::Close() {
    if (ownsStream_)
        delete stream_;
    stream_ = nullptr;
    ownsStream_ = false;
    errorHandler_ = nullptr;
    pos_ = end_ = 0;
    streamEnded_ = true;
}

void TRwXmlBaseParser::RaiseFatalError(const std::u16string& message) {
    ComPtr<ISAXParseError> error = TSAXParseError::Create(message, line_, column_);
    if (errorHandler_)
        errorHandler_->fatalError(error.Get());
    throw ERwSaxHandledAbort("Abort");
}

void TRwXmlBaseParser::DetectEncoding() {
    int64_t start = stream_->GetPosition();
    int64_t size = stream_->GetSize();
    int first, second;
    {
        ByteProbe probe(*stream_);
        first = probe.Next();
        second = first < 0 ? -1 : probe.Next();
    }
    if (first < 0)
        RaiseFatalError(size == 0 ? u"The sourcestream is empty!"
                                  : u"The sourcestream is not positioned at the beginning of an "
                                    u"XML document!");
    // Byte-order signatures: only a whole signature counts, so that 8-bit text
    // that starts with the letter 0xFF is not taken for UTF-16.
    if ((first == 0xFF && second == 0xFE) || (first == 0xFE && second == 0xFF)) {
        encoding_ = first == 0xFF ? TRwXmlEncoding::Utf16LE : TRwXmlEncoding::Utf16BE;
        stream_->Seek(start + 2, soBeginning);
        return;
    }
    if (first == 0x00 && second == '<') {
        encoding_ = TRwXmlEncoding::Utf16BE;
        stream_->Seek(start, soBeginning);
        return;
    }
    stream_->Seek(start, soBeginning);
    ByteProbe probe(*stream_);
    // Bytes before the first "<" (blanks, a UTF-8 signature) are skipped. The
    // signature does not make the text UTF-8: only the first tag does, and
    // 8-bit text reads valid UTF-8 as such anyway, while a stray
    // Windows-1252 byte after a signature stays the character it is.
    const char16_t* noXml =
        u"The sourcestream does not contain XML or is not positioned at the beginning of an XML "
        u"block!";
    int b = probe.Next();
    while (b >= 0 && b != '<')
        b = probe.Next();
    if (b < 0)
        RaiseFatalError(noXml);
    int64_t ltPosition = probe.Position() - 1;
    b = probe.Next();
    if (b == 0) {
        encoding_ = TRwXmlEncoding::Utf16LE;
        stream_->Seek(ltPosition, soBeginning);
        return;
    }
    // The first tag runs to the next ">"; it decides between UTF-8 and 8-bit.
    char window[5] = {};
    bool namesUtf8 = false;
    while (b >= 0 && b != '>') {
        std::memmove(window, window + 1, 4);
        window[4] = text::AsciiUpper(static_cast<char>(b));
        namesUtf8 = namesUtf8 || std::memcmp(window, "UTF-8", 5) == 0;
        b = probe.Next();
    }
    if (b < 0)
        RaiseFatalError(noXml);
    stream_->Seek(ltPosition, soBeginning);
    if (namesUtf8) {
        encoding_ = TRwXmlEncoding::Utf8;
        // The wrapper takes over the stream; the reader owns the wrapper.
        stream_ = new TRwUTF8ConvertStream(stream_, ownsStream_);
        ownsStream_ = true;
    }
}

bool TRwXmlBaseParser::Control(char16_t c, bool skipControl) {
    if (c == 0x0A) {
        line_++;
        column_ = 0;
    }
    if (c == 0) {
        atEnd_ = false;
        current_ = 0;
        RaiseFatalError(u"Unexpected EOF!");
    }
    return !skipControl;
}

bool TRwXmlBaseParser::ReadUntil(char16_t stop, TRwXmlStringBuffer* out) {
    for (;;) {
        if (pos_ == end_ && !Refill()) {
            atEnd_ = true;
            return false;
        }
        const char16_t* begin = units_.get() + pos_;
        const char16_t* end = units_.get() + end_;
        const char16_t* p = RwFindStopOrControl(begin, end, stop);
        if (p > begin) {
            size_t n = static_cast<size_t>(p - begin);
            if (out)
                out->Append(begin, n);
            column_ += static_cast<int32_t>(n);
            current_ = p[-1];
            atEnd_ = false;
        }
        pos_ = static_cast<size_t>(p - units_.get());
        if (p == end)
            continue;
        char16_t c = units_[pos_++];
        if (c == stop) {
            current_ = c;
            column_++;
            atEnd_ = false;
            return true;
        }
        Control(c, true);
    }
}

bool TRwXmlBaseParser::Refill() {
    if (!stream_ || streamEnded_)
        return false;
    if (decoded_ > RwMaxDocumentChars)
        RaiseFatalError(u"The document is too large: it has more than " +
                        text::Wide(std::to_string(RwMaxDocumentChars)) + u" characters!");
    pos_ = end_ = 0;
    if (encoding_ == TRwXmlEncoding::Ansi) {
        end_ = DecodeAnsi(kUnits);
    } else {
        // UTF-16 arrives two bytes a character; an odd byte waits for its partner.
        auto* raw = reinterpret_cast<uint8_t*>(units_.get());
        size_t have = bytesTail_ - bytesHead_;
        if (have)
            raw[0] = bytes_[bytesHead_];
        bytesHead_ = bytesTail_ = 0;
        while (have < 2) {
            size_t got = stream_->Read(raw + have, kUnits * 2 - have);
            if (got == 0) {
                streamEnded_ = true;
                break;
            }
            have += got;
        }
        if (have & 1) {
            if (!bytes_)
                bytes_.reset(new uint8_t[kBytes]);
            bytes_[0] = raw[have - 1];
            bytesTail_ = 1;
        }
        end_ = have / 2;
        if (encoding_ == TRwXmlEncoding::Utf16BE)
            for (size_t i = 0; i < end_; ++i)
                units_[i] = static_cast<char16_t>((units_[i] << 8) | (units_[i] >> 8));
    }
    decoded_ += end_;
    return end_ > 0;
}

// 8-bit input: UTF-8 sequences are characters, every other byte is its
// Windows-1252 character. A sequence cut by the end of the byte buffer waits
// for the next read.
size_t TRwXmlBaseParser::DecodeAnsi(size_t limit) {
    if (!bytes_)
        bytes_.reset(new uint8_t[kBytes]);
    size_t produced = 0;
    while (produced + 2 <= limit) {
        // Keep at least four bytes ahead while more may come, so that no
        // sequence is judged before all of its bytes are there.
        if (bytesTail_ - bytesHead_ < 4 && !streamEnded_) {
            std::memmove(bytes_.get(), bytes_.get() + bytesHead_, bytesTail_ - bytesHead_);
            bytesTail_ -= bytesHead_;
            bytesHead_ = 0;
            size_t got = stream_->Read(bytes_.get() + bytesTail_, kBytes - bytesTail_);
            if (got == 0)
                streamEnded_ = true;
            bytesTail_ += got;
            continue;
        }
        if (bytesHead_ == bytesTail_)
            break;
        const uint8_t* b = bytes_.get();
        size_t asciiEnd = std::min(bytesTail_, bytesHead_ + (limit - produced));
        size_t run = RwWidenAscii(b + bytesHead_, asciiEnd - bytesHead_, units_.get() + produced);
        bytesHead_ += run;
        produced += run;
        if (bytesHead_ == bytesTail_ || b[bytesHead_] < 0x80 || produced + 2 > limit)
            continue;
        if (bytesTail_ - bytesHead_ < 4 && !streamEnded_)
            continue;
        std::string_view rest(reinterpret_cast<const char*>(b) + bytesHead_,
                              bytesTail_ - bytesHead_);
        size_t used = 0;
        char32_t c = text::DecodeAnsiChar(rest, used);
        bytesHead_ += used;
        if (c >= 0x10000) {
            c -= 0x10000;
            units_[produced++] = static_cast<char16_t>(0xD800 + (c >> 10));
            units_[produced++] = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            units_[produced++] = static_cast<char16_t>(c);
        }
    }
    return produced;
}
