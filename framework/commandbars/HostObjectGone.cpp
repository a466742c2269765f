// Telling the host's "the object is gone" from its other failures.
#include "framework/commandbars/HostObjectGone.h"

#include "platform/com/HResult.h"
#include "platform/com/LateBound.h"
#include "platform/com/OleError.h"

namespace {

// RPC_E_DISCONNECTED: the object invoked has disconnected from its clients.
constexpr HRESULT kObjectDisconnected = MakeHResult(0x80010108u);

} // namespace

bool adxHostObjectGone(const Exception& E) {
    const auto* ole = dynamic_cast<const EOleSysError*>(&E);
    return ole && ole->ErrorCode == kObjectDisconnected;
}

Variant adxFrameworkRead(IDispatch* Host, const char* Name, const Variant& Stored,
                         const std::function<void()>& LetGo) {
    if (!Host)
        return Stored;
    try {
        return dispGet(Host, Name);
    } catch (const Exception& e) {
        if (!adxHostObjectGone(e))
            throw;
        LetGo();
        return Stored;
    }
}
