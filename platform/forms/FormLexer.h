// Tokens of the stored-form text. The lexer knows the class library's form
// notation at the level of single tokens: identifiers, numbers, strings made of
// quoted pieces and #nn character codes written without space between them, and
// one-character symbols. Binary data in braces is read raw on request, since
// its hexadecimal digits are no tokens of their own ("0A" is not a number).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

struct FormToken {
    enum class Kind { End, Identifier, String, Integer, Float, Symbol };
    // The kind of token.
    Kind Type = Kind::End;
    // Identifier text, the string's UTF-8 text, or the symbol character.
    std::string Text;
    // A number's value.
    int64_t Integer = 0;
    double Float = 0;
    // The line where the token starts.
    int Line = 1;
};

class FormLexer {
public:
    // The lexer reads text; errors name formName.
    FormLexer(std::string_view text, std::string formName);

    // Reads the next token; raises EParserError on a character or literal it cannot read.
    FormToken Next();
    // After a "{": reads hexadecimal digit pairs, white space allowed, up to and
    // including the closing "}"; raises EParserError on anything else or on more than maxBytes.
    std::vector<uint8_t> ReadBinary(size_t maxBytes);
    // Line of the next character.
    int Line() const { return line_; }
    // Raises EParserError with the form's name and the given line.
    [[noreturn]] void Fail(const std::string& message, int line) const;

private:
    void SkipSpace();
    FormToken ReadIdentifier();
    FormToken ReadNumber();
    FormToken ReadString();
    void ReadQuoted(std::string& out);
    char32_t ReadCharCode();
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek(size_t ahead = 0) const;

    std::string_view text_;
    std::string formName_;
    size_t pos_ = 0;
    int line_ = 1;
};

} // namespace forms
