// A server library's four exports, answered from its factories and its own
// live-object count.

#include "platform/com/ComServer.h"

#include "platform/com/OleError.h"
#include "platform/win/Library.h"

ComServer::ComServer(std::string serverName, ComObjectCount& count, const void* anchor)
    : serverName_(std::move(serverName)), count_(count), anchor_(anchor) {}

ComServer::~ComServer() = default;

ComClassFactory* ComServer::FindFactory(const GUID& clsid) const noexcept {
    for (const auto& factory : factories_)
        if (factory->ClassID() == clsid)
            return factory.get();
    return nullptr;
}

HRESULT ComServer::GetClassObject(const GUID& clsid, const GUID& iid, void** ppv) noexcept {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    ComClassFactory* factory = FindFactory(clsid);
    if (!factory)
        return CLASS_E_CLASSNOTAVAILABLE;
    return factory->QueryInterface(iid, ppv);
}

HRESULT ComServer::CanUnloadNow() const noexcept {
    return count_.CanUnloadNow() ? S_OK : S_FALSE;
}

HRESULT ComServer::RegisterServer() noexcept {
    return UpdateRegistry(true);
}
HRESULT ComServer::UnregisterServer() noexcept {
    return UpdateRegistry(false);
}

HRESULT ComServer::UpdateRegistry(bool doRegister) noexcept {
    return ComGuard([&] {
        for (const auto& factory : factories_)
            factory->UpdateRegistry(doRegister);
    });
}

std::string ComServer::LibraryPath() const {
    return platform::ModuleFileNameOf(anchor_);
}
