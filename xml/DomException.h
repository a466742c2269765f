// Failures of the document tree: ERwDOMException with its DOM error code, and
// the plain Exception that operations the tree does not offer raise.
#pragma once

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"

#include <initializer_list>

// The DOM error codes; each has a fixed format text (RwDOMErrorText).
namespace RwDOMError {
inline constexpr int IndexSize = 1;
inline constexpr int DomStringSize = 2;
inline constexpr int HierarchyRequest = 3;
inline constexpr int WrongDocument = 4;
inline constexpr int InvalidCharacter = 5;
inline constexpr int NoDataAllowed = 6;
inline constexpr int NoModificationAllowed = 7;
inline constexpr int NotFound = 8;
inline constexpr int NotSupported = 9;
inline constexpr int InuseAttribute = 10;
inline constexpr int InvalidState = 11;
inline constexpr int Syntax = 12;
inline constexpr int InvalidModification = 13;
inline constexpr int Namespace = 14;
inline constexpr int InvalidAccess = 15;
} // namespace RwDOMError

// The format text of a DOM error code; empty for an unknown code.
const char* RwDOMErrorText(int code);

// A DOM error: its Message is the code's format text filled with the arguments.
class ERwDOMException : public Exception {
public:
    ERwDOMException(int code, std::initializer_list<TVarRec> args = {});
    // The DOM error code (RwDOMError).
    int Code;
};

// Raises the plain Exception "<operation> is not implemented!".
[[noreturn]] void RwRaiseNotImplemented(const char* operation);
