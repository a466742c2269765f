// The host wrappers' connection and version.
#include "framework/hosts/HostApplications.h"

#include "platform/com/LateBound.h"
#include "platform/com/OleError.h"
#include "platform/com/Variant.h"

void TadxHostApplication::ConnectTo(IUnknown* Server) {
    Disconnect();
    ComPtr<IDispatch> dispatch = ComQuery<IDispatch>(Server);
    if (!dispatch)
        throw EOleSysError(SysErrorMessage(E_NOINTERFACE), E_NOINTERFACE);
    server_ = std::move(dispatch);
}

void TadxHostApplication::Disconnect() {
    DisconnectEvents();
    server_ = nullptr;
}

std::u16string TadxHostApplication::Version() {
    if (!server_)
        throw EOleSysError(SysErrorMessage(E_POINTER), E_POINTER);
    return dispGet(server_, "Version").AsWide();
}

std::u16string TExcelApplication::Version(LCID lcid) {
    if (!server_)
        throw EOleSysError(SysErrorMessage(E_POINTER), E_POINTER);
    // Excel's Version is a property with the locale id as its argument.
    return dispGet(server_, "Version", static_cast<int32_t>(lcid)).AsWide();
}
