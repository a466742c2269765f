// The debugger notes are one line each, under the add-in's name.
#include "addin/settings/ProductTrace.h"

#include "platform/win/DebugOutput.h"

void ProductTrace(const std::string& Text) noexcept {
    try {
        OutputDebugString(("LorvaneOL: " + Text).c_str());
    } catch (...) {
        // A note that cannot be made is not worth a failure.
    }
}

std::string Quoted(std::string_view Text) {
    return "\"" + std::string(Text) + "\"";
}
