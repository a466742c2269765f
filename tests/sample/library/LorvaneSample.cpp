// LorvaneSample.so's entry points, the only symbols the library exports. Its
// class factory is made as the library loads, before any host asks for it.
#include "tests/sample/LorvaneSample.h"

namespace {

[[maybe_unused]] const bool factoryMade = (SampleServer(), true);

} // namespace

COM_SERVER_EXPORT HRESULT DllGetClassObject(const GUID& clsid, const GUID& iid, void** ppv) {
    return SampleServer().GetClassObject(clsid, iid, ppv);
}

COM_SERVER_EXPORT HRESULT DllCanUnloadNow() {
    return SampleServer().CanUnloadNow();
}

COM_SERVER_EXPORT HRESULT DllRegisterServer() {
    return SampleServer().RegisterServer();
}

COM_SERVER_EXPORT HRESULT DllUnregisterServer() {
    return SampleServer().UnregisterServer();
}
