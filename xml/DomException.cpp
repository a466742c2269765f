// Texts of the DOM error codes and the "not implemented" failure.
#include "xml/DomException.h"

#include <iterator>
#include <string>

namespace {
// Indexed by code - 1; the texts are the library's own, spelling included,
// since callers show and compare them.
// clang-format off
constexpr const char* kErrorTexts[] = {
    "Index out of range %d",
    "DOM String size wrong",
    "Hierarchy request error",
    "Wrong Document error",
    "Invalid character",
    "No Data alowed error",
    "No modification alowed",
    "Not found error",
    "Not supported error",
    "Attribute in use",
    "Invalid state",
    "Syntax error on Line:%d Pos:%d    : %s",
    "Invalid modification",
    "Namespace error",
    "Invalid access error",
};
// clang-format on
} // namespace

const char* RwDOMErrorText(int code) {
    if (code < 1 || code > static_cast<int>(std::size(kErrorTexts)))
        return "";
    return kErrorTexts[code - 1];
}

ERwDOMException::ERwDOMException(int code, std::initializer_list<TVarRec> args)
    : Exception(Format(RwDOMErrorText(code), args)), Code(code) {}

void RwRaiseNotImplemented(const char* operation) {
    throw Exception(std::string(operation) + " is not implemented!");
}
