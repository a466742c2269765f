// The failures of the simulated hosts.
#pragma once

#include "platform/com/HResult.h"
#include "platform/rtl/Exception.h"

#include <string>
#include <utility>

namespace sim {

// A failure of a simulated host: an unreadable document, an add-in that
// answered a call with a failure code, a missing library or entry point.
class EHostFailure : public Exception {
public:
    explicit EHostFailure(std::string message, HRESULT hresult = S_OK)
        : Exception(std::move(message)), ErrorCode(hresult) {}
    // The failure code the add-in answered with; 0 when the failure has none.
    HRESULT ErrorCode;
};

} // namespace sim
