// TRwXmlBaseParser, the character reader under the SAX reader: it finds out
// how a stream is encoded, hands out one 16-bit character at a time, drops
// control characters on request and counts lines and columns for the locator.
//
// Input is decoded in bulk into a buffer of UTF-16 characters, so that reading
// a character is a few instructions and runs of text are copied at once.
//
// Encodings: a UTF-16 byte-order signature (FF FE, or FE FF for big-endian);
// UTF-16LE without signature ("<" followed by a zero byte; big-endian when a
// zero byte comes first); UTF-8 when the first tag names "UTF-8"; otherwise
// 8-bit text in the system code page, which is UTF-8 with every invalid byte
// taken as Windows-1252 (also after a UTF-8 signature, which is skipped).
#pragma once

#include "platform/com/ComObject.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"
#include "xml/RwXmlStringBuffer.h"
#include "xml/SaxInterfaces.h"

#include <cstdint>
#include <memory>
#include <string>

// Raised after a fatal error has been reported to the error handler; the SAX
// reader's Parse catches it and returns normally.
class ERwSaxHandledAbort : public EAbort {
public:
    using EAbort::EAbort;
};

// How the input is encoded.
enum class TRwXmlEncoding : uint8_t {
    Ansi = 0,    // 8-bit text in the system code page
    Utf16LE = 1, // after a byte-order signature, or without one
    Utf8 = 2,
    Utf16BE = 3,
};

// The most characters one document may have; a larger one is a fatal error,
// so that no input can make the reader or its users exhaust memory.
inline constexpr uint64_t RwMaxDocumentChars = uint64_t(1) << 28;

class TRwXmlBaseParser : public ComObject<ILocator> {
    friend struct ComMaker;

public:
    // Reads stream (freed with the reader when ownsStream is set) and detects
    // its encoding at once; an unusable stream is a fatal error. Raises
    // ESAXException when errorHandler or stream is missing.
    static ComPtr<TRwXmlBaseParser> Create(IErrorHandler* errorHandler, TStream* stream,
                                           bool ownsStream);

    // Reads the next character (control characters U+0001 to U+001F dropped
    // when skipControl is set) and returns the current character; at the end
    // of input the current character stays and Eof becomes true.
    char16_t ReadChar(bool skipControl) {
        for (;;) {
            if (pos_ == end_ && !Refill()) {
                atEnd_ = true;
                return current_;
            }
            char16_t c = units_[pos_++];
            if (c < 0x20 && !Control(c, skipControl))
                continue;
            atEnd_ = false;
            current_ = c;
            column_++;
            return c;
        }
    }
    // The current character.
    char16_t CurrChar() const { return current_; }
    // The current character as 8-bit: itself up to U+00FF, else 255.
    char CurrAnsiChar() const { return static_cast<char>(current_ <= 0xFF ? current_ : 0xFF); }
    // Reads the next character and returns it as 8-bit.
    char ReadAnsiChar(bool skipControl) {
        ReadChar(skipControl);
        return CurrAnsiChar();
    }
    // True once a read found no more input.
    bool Eof() const { return atEnd_; }

    // Reads characters with control characters dropped, appending them to out
    // (when given), until the character read is stop (true; stop becomes the
    // current character and is not appended) or the input ends (false). stop
    // must be U+0020 or above.
    bool ReadUntil(char16_t stop, TRwXmlStringBuffer* out);

    // Reads on while accept(c) holds for the next character c, appending what
    // it reads to out exactly as ReadChar would one at a time; it stops early
    // at the end of the decoded characters, so the caller reads on with
    // ReadChar after it. accept must refuse control characters.
    template <class Accept> void ReadWhile(Accept accept, TRwXmlStringBuffer& out) {
        const char16_t* begin = units_.get() + pos_;
        const char16_t* end = units_.get() + end_;
        const char16_t* p = begin;
        while (p < end && accept(*p))
            ++p;
        if (p == begin)
            return;
        size_t n = static_cast<size_t>(p - begin);
        out.Append(begin, n);
        pos_ += n;
        column_ += static_cast<int32_t>(n);
        current_ = p[-1];
        atEnd_ = false;
    }

    // Reports message as a fatal error to the error handler, then raises
    // ERwSaxHandledAbort "Abort".
    [[noreturn]] void RaiseFatalError(const std::u16string& message);

    // The encoding found.
    TRwXmlEncoding Encoding() const { return encoding_; }
    // Bytes read per character before decoding: 1 or 2.
    int CharWidth() const { return encoding_ == TRwXmlEncoding::Ansi ? 1 : 2; }

    // Frees the stream when it is owned and drops the error handler; the
    // locator keeps answering its last position.
    void Close();

    SAXString getPublicId() override { return {}; }
    SAXString getSystemId() override { return {}; }
    int32_t getLineNumber() override { return line_; }
    int32_t getColumnNumber() override { return column_; }

protected:
    TRwXmlBaseParser(IErrorHandler* errorHandler, TStream* stream, bool ownsStream);
    ~TRwXmlBaseParser() override;

private:
    void DetectEncoding();
    bool Refill();
    size_t DecodeAnsi(size_t limit);
    // Handles control character c: counts a line feed, raises for U+0000;
    // returns true when c is delivered.
    bool Control(char16_t c, bool skipControl);

    ComPtr<IErrorHandler> errorHandler_;
    TStream* stream_;
    bool ownsStream_;
    TRwXmlEncoding encoding_ = TRwXmlEncoding::Ansi;
    int32_t line_ = 1;
    int32_t column_ = 0;
    char16_t current_ = 0;
    bool atEnd_ = false;
    // Decoded characters not yet read.
    std::unique_ptr<char16_t[]> units_;
    size_t pos_ = 0;
    size_t end_ = 0;
    // Raw bytes not yet decoded (8-bit input and odd UTF-16 bytes).
    std::unique_ptr<uint8_t[]> bytes_;
    size_t bytesHead_ = 0;
    size_t bytesTail_ = 0;
    bool streamEnded_ = false;
    uint64_t decoded_ = 0;
};
