// Calls from a simulated host into an add-in. A COM method answers with an
// HRESULT and never lets a C++ exception out; an add-in that breaks that rule
// would end a real host. The simulated hosts survive it instead and report
// it, so that a test names the method at fault.
#pragma once

#include "platform/com/HResult.h"

#include <exception>
#include <string>

namespace sim {

// The HRESULT of call(), or E_UNEXPECTED with escaped set to the message of
// the C++ exception that came out of it.
template <class F> HRESULT ShieldedCall(F&& call, std::string& escaped) noexcept {
    try {
        return call();
    } catch (const std::exception& e) {
        escaped = e.what();
    } catch (...) {
        escaped = "an exception of unknown type";
    }
    if (escaped.empty())
        escaped = "an exception without a message";
    return E_UNEXPECTED;
}

} // namespace sim
