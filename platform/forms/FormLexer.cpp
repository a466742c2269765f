// Tokens of the stored-form text.
#include "platform/forms/FormLexer.h"

#include "platform/forms/FormErrors.h"
#include "platform/text/Text.h"

#include <cerrno>
#include <cstdlib>

namespace forms {

namespace {

bool IsIdentStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentChar(char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Character codes are UTF-16 units, as the class library writes them; a
// surrogate pair written as two adjacent codes is one character.
class CodeUnitJoiner {
public:
    explicit CodeUnitJoiner(std::string& out) : out_(out) {}
    ~CodeUnitJoiner() { Flush(); }
    void Add(char32_t c) {
        if (c >= 0xD800 && c <= 0xDBFF) {
            Flush();
            high_ = c;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            if (high_ != 0) {
                text::AppendUtf8(out_, 0x10000 + ((high_ - 0xD800) << 10) + (c - 0xDC00));
                high_ = 0;
            } else {
                text::AppendUtf8(out_, 0xFFFD);
            }
        } else {
            Flush();
            text::AppendUtf8(out_, c);
        }
    }
    // A high surrogate without its partner becomes U+FFFD.
    void Flush() {
        if (high_ != 0)
            text::AppendUtf8(out_, 0xFFFD);
        high_ = 0;
    }

private:
    std::string& out_;
    char32_t high_ = 0;
};

} // namespace

std::string FormPosition(const std::string& formName, int line) {
    return " (form " + formName + ", line " + std::to_string(line) + ")";
}

FormLexer::FormLexer(std::string_view text, std::string formName)
    : text_(text), formName_(std::move(formName)) {}

void FormLexer::Fail(const std::string& message, int line) const {
    throw EParserError(message + FormPosition(formName_, line), formName_, line);
}

char FormLexer::Peek(size_t ahead) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
}

void FormLexer::SkipSpace() {
    while (!AtEnd()) {
        char c = text_[pos_];
        if (c == '\n') {
            ++line_;
        } else if (c != ' ' && c != '\t' && c != '\r' && c != '\f' && c != '\v') {
            return;
        }
        ++pos_;
    }
}

FormToken FormLexer::Next() {
    SkipSpace();
    FormToken token;
    token.Line = line_;
    if (AtEnd())
        return token;
    char c = text_[pos_];
    if (IsIdentStart(c))
        return ReadIdentifier();
    if (IsDigit(c) || c == '$' || (c == '-' && (IsDigit(Peek(1)) || Peek(1) == '$')))
        return ReadNumber();
    if (c == '\'' || c == '#')
        return ReadString();
    static constexpr std::string_view symbols = "=:[](){}<>,+.-";
    if (symbols.find(c) != std::string_view::npos) {
        ++pos_;
        token.Type = FormToken::Kind::Symbol;
        token.Text = std::string(1, c);
        return token;
    }
    unsigned char byte = static_cast<unsigned char>(c);
    Fail(byte >= 0x20 && byte < 0x7F ? std::string("Invalid character '") + c + "'"
                                     : "Invalid character code " + std::to_string(byte),
         line_);
}

FormToken FormLexer::ReadIdentifier() {
    FormToken token;
    token.Type = FormToken::Kind::Identifier;
    token.Line = line_;
    size_t start = pos_;
    while (!AtEnd() && IsIdentChar(text_[pos_]))
        ++pos_;
    token.Text = std::string(text_.substr(start, pos_ - start));
    return token;
}

FormToken FormLexer::ReadNumber() {
    FormToken token;
    token.Line = line_;
    size_t start = pos_;
    bool negative = Peek() == '-';
    if (negative)
        ++pos_;
    if (Peek() == '$') {
        ++pos_;
        uint64_t value = 0;
        size_t digits = 0;
        for (int h; (h = text::HexDigitValue(Peek())) >= 0; ++pos_, ++digits) {
            if (value > (UINT64_MAX >> 4))
                Fail("Hexadecimal number too large", line_);
            value = (value << 4) | static_cast<uint64_t>(h);
        }
        if (digits == 0)
            Fail("Hexadecimal digit expected after '$'", line_);
        if (IsIdentChar(Peek()))
            Fail("Invalid number", line_);
        // $FFFFFFFF-style values are bit patterns: read them as unsigned, then wrap.
        token.Type = FormToken::Kind::Integer;
        token.Integer = static_cast<int64_t>(negative ? 0 - value : value);
        return token;
    }
    while (IsDigit(Peek()))
        ++pos_;
    bool isFloat = false;
    if (Peek() == '.' && IsDigit(Peek(1))) {
        isFloat = true;
        ++pos_;
        while (IsDigit(Peek()))
            ++pos_;
    }
    if ((Peek() == 'E' || Peek() == 'e') &&
        (IsDigit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2))))) {
        isFloat = true;
        pos_ += 2;
        while (IsDigit(Peek()))
            ++pos_;
    }
    std::string literal(text_.substr(start, pos_ - start));
    // The class library marks single, currency and date floats with a letter.
    if (isFloat && (Peek() == 's' || Peek() == 'c' || Peek() == 'd') && !IsIdentChar(Peek(1)))
        ++pos_;
    if (IsIdentChar(Peek()))
        Fail("Invalid number", line_);
    errno = 0;
    if (isFloat) {
        token.Type = FormToken::Kind::Float;
        token.Float = std::strtod(literal.c_str(), nullptr);
        if (errno == ERANGE)
            Fail("Number out of range: " + literal, line_);
    } else {
        token.Type = FormToken::Kind::Integer;
        token.Integer = std::strtoll(literal.c_str(), nullptr, 10);
        if (errno == ERANGE)
            Fail("Number out of range: " + literal, line_);
    }
    return token;
}

FormToken FormLexer::ReadString() {
    FormToken token;
    token.Type = FormToken::Kind::String;
    token.Line = line_;
    CodeUnitJoiner codes(token.Text);
    while (Peek() == '\'' || Peek() == '#') {
        if (Peek() == '\'') {
            codes.Flush();
            ReadQuoted(token.Text);
        } else {
            codes.Add(ReadCharCode());
        }
    }
    codes.Flush();
    return token;
}

void FormLexer::ReadQuoted(std::string& out) {
    ++pos_;
    for (;;) {
        if (AtEnd() || Peek() == '\n' || Peek() == '\r')
            Fail("Unterminated string", line_);
        char c = text_[pos_++];
        if (c == '\'') {
            if (Peek() != '\'')
                return;
            ++pos_;
        }
        out += c;
    }
}

char32_t FormLexer::ReadCharCode() {
    ++pos_;
    uint32_t value = 0;
    size_t digits = 0;
    if (Peek() == '$') {
        ++pos_;
        for (int h; (h = text::HexDigitValue(Peek())) >= 0 && digits < 8; ++pos_, ++digits)
            value = (value << 4) | static_cast<uint32_t>(h);
    } else {
        for (; IsDigit(Peek()) && digits < 8; ++pos_, ++digits)
            value = value * 10 + static_cast<uint32_t>(Peek() - '0');
    }
    if (digits == 0)
        Fail("Character code expected after '#'", line_);
    if (value > 0x10FFFF || text::HexDigitValue(Peek()) >= 0)
        Fail("Invalid character code", line_);
    return value;
}

std::vector<uint8_t> FormLexer::ReadBinary(size_t maxBytes) {
    std::vector<uint8_t> bytes;
    int startLine = line_;
    for (;;) {
        SkipSpace();
        if (AtEnd())
            Fail("'}' expected: binary data not closed", startLine);
        if (Peek() == '}') {
            ++pos_;
            return bytes;
        }
        int high = text::HexDigitValue(Peek());
        int low = text::HexDigitValue(Peek(1));
        if (high < 0 || low < 0)
            Fail("Invalid binary value: hexadecimal digit pairs expected", line_);
        if (bytes.size() >= maxBytes)
            Fail("Binary value too large", line_);
        bytes.push_back(static_cast<uint8_t>((high << 4) | low));
        pos_ += 2;
    }
}

} // namespace forms
