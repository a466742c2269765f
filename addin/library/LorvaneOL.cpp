// LorvaneOL.so's entry points, the only symbols the library exports. Its
// class factory is made as the library loads, before any host asks for it.
#include "addin/LorvaneOL_IMPL.h"

namespace {

[[maybe_unused]] const bool factoryMade = (LorvaneServer(), true);

} // namespace

COM_SERVER_EXPORT HRESULT DllGetClassObject(const GUID& clsid, const GUID& iid, void** ppv) {
    return LorvaneServer().GetClassObject(clsid, iid, ppv);
}

COM_SERVER_EXPORT HRESULT DllCanUnloadNow() {
    return LorvaneServer().CanUnloadNow();
}

COM_SERVER_EXPORT HRESULT DllRegisterServer() {
    return LorvaneServer().RegisterServer();
}

COM_SERVER_EXPORT HRESULT DllUnregisterServer() {
    return LorvaneServer().UnregisterServer();
}
