// Telling the host's "the object is gone" from its other failures.
#include "framework/commandbars/HostObjectGone.h"

#include "platform/com/HResult.h"
#include "platform/com/LateBound.h"
#include "platform/com/OleError.h"

namespace {

// True when e is the host's answer for an object that is gone.
bool HostObjectGone(const Exception& e) {
    const auto* ole = dynamic_cast<const EOleSysError*>(&e);
    return ole && ole->ErrorCode == RPC_E_DISCONNECTED;
}

} // namespace

Variant adxFrameworkRead(IDispatch* Host, const char* Name, const Variant& Stored,
                         const std::function<void()>& LetGo) {
    if (!Host)
        return Stored;
    try {
        return dispGet(Host, Name);
    } catch (const Exception& e) {
        if (!HostObjectGone(e))
            throw;
        LetGo();
        return Stored;
    }
}
