// Errors of the stored-form reader. Every one names the form and the line of
// the text where reading stopped; errors about a property also name the object
// and the property, as the class library's reader does ("Error reading
// Timer1.Interval: ..."). An exception raised by a property setter is not
// replaced: it keeps its class and code and only gains the same prefix and
// position in its message.
#pragma once

#include "platform/rtl/Exception.h"

#include <string>

// Base of the form reader's own errors: the class library's read error,
// with the position.
class EFormReadError : public EReadError {
public:
    EFormReadError(std::string message, std::string formName, int line)
        : EReadError(std::move(message)), FormName(std::move(formName)), Line(line) {}
    // The form being read (its class name).
    std::string FormName;
    // The line of its text; 0 when the error concerns the class, not a line.
    int Line;
};

// The text of a form is not well formed.
class EParserError : public EFormReadError {
public:
    using EFormReadError::EFormReadError;
};

// The form names a class that the library did not register.
class EClassNotFound : public EFormReadError {
public:
    using EFormReadError::EFormReadError;
};

namespace forms {

// " (form <name>, line <n>)": the position suffix of every reader message.
std::string FormPosition(const std::string& formName, int line);

} // namespace forms
