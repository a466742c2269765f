// ComClassFactory: creating a COM class's objects for the host, counting
// server locks, and the class's registration keys (CLSID, ProgID,
// InprocServer32) written or removed for its server.

#include "platform/com/ClassFactory.h"

#include "platform/com/ComClasses.h"
#include "platform/com/ComServer.h"
#include "platform/com/OleError.h"

ComClassFactory::ComClassFactory(ComServer& server, const GUID& clsid, std::string className,
                                 std::string description, std::string threadingModel,
                                 Creator creator)
    : server_(server), clsid_(clsid), className_(std::move(className)),
      description_(std::move(description)), threadingModel_(std::move(threadingModel)),
      creator_(std::move(creator)) {}

HRESULT ComClassFactory::CreateInstance(IUnknown* outer, const GUID& iid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return ComGuard([&]() -> HRESULT {
        ComPtr<IUnknown> object = CreateComObject(nullptr);
        if (!object)
            return E_UNEXPECTED;
        return object->QueryInterface(iid, ppv);
    });
}

HRESULT ComClassFactory::LockServer(bool lock) {
    ComObjectCount& count = server_.ObjectCount();
    if (lock) {
        count.Lock();
    } else {
        if (count.Locks() <= 0)
            return E_UNEXPECTED; // more unlocks than locks
        count.Unlock();
    }
    return S_OK;
}

ComPtr<IUnknown> ComClassFactory::CreateComObject(IUnknown*) {
    if (!creator_)
        throw EOleSysError("The class " + className_ + " cannot create objects",
                           CLASS_E_CLASSNOTAVAILABLE);
    return creator_();
}

std::string ComClassFactory::GetProgID() const {
    const std::string& server = server_.ServerName();
    return server.empty() ? className_ : server + "." + className_;
}

void ComClassFactory::UpdateRegistry(bool doRegister) {
    if (doRegister)
        RegisterComClass(
            {clsid_, GetProgID(), description_, server_.LibraryPath(), threadingModel_});
    else
        UnregisterComClass(clsid_, GetProgID());
}
