// TRwXmlStringBuffer: the 16-bit character buffer the reader collects names,
// values and texts in. The library works in 16-bit string mode only.
#pragma once

#include "xml/RwString.h"

#include <string>

// Whether the library's strings are 16-bit (the only mode it selects).
inline constexpr bool RwWideStringMode = true;

class TRwXmlStringBuffer : public TRwString {
public:
    TRwXmlStringBuffer() : TRwString(2) {}
    // Appends count characters at chars.
    void Append(const char16_t* chars, size_t count) { AddChars(chars, count); }
    // Appends one character.
    void Append(char16_t c) { AddChar(c); }
    // The content.
    std::u16string Content() const { return GetWideString(); }
    // count characters from the zero-based start (cut at the end); raises
    // "Copy not allowed" when the buffer does not hold 16-bit characters.
    std::u16string Copy(uint32_t start, uint32_t count) const;
};
