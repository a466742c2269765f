// The running-object table: registration, revocation and look-up by CLSID
// or ProgID.

#include "platform/com/RunningObjects.h"

#include "platform/com/ComClasses.h"
#include "platform/com/CookieTable.h"
#include "platform/com/OleError.h"

namespace {

struct RunningEntry {
    GUID clsid;
    ComPtr<IUnknown> strong;
    IUnknown* weak;
    IUnknown* Object() const { return strong ? strong.Get() : weak; }
};

CookieTable<RunningEntry>& Table() {
    static CookieTable<RunningEntry> table;
    return table;
}

} // namespace

HRESULT RegisterActiveObject(IUnknown* object, const GUID& clsid, uint32_t flags,
                             uint32_t* cookie) noexcept {
    if (!object || !cookie)
        return E_INVALIDARG;
    return ComGuard([&] {
        bool weak = (flags & ACTIVEOBJECT_WEAK) != 0;
        *cookie = Table().Add({clsid, weak ? ComPtr<IUnknown>() : ComPtr<IUnknown>::Share(object),
                               weak ? object : nullptr});
    });
}

HRESULT RevokeActiveObject(uint32_t cookie, void*) noexcept {
    return Table().Remove(cookie) ? S_OK : E_INVALIDARG;
}

HRESULT GetActiveObject(const GUID& clsid, void*, IUnknown** object) noexcept {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    auto entry = Table().FindFirst([&](const RunningEntry& e) { return e.clsid == clsid; });
    if (!entry)
        return MK_E_UNAVAILABLE;
    *object = entry->Object();
    (*object)->AddRef();
    return S_OK;
}

ComPtr<IDispatch> GetActiveOleObject(std::string_view progId) {
    GUID clsid = ProgIDToClassID(progId);
    ComPtr<IUnknown> running;
    OleCheck(GetActiveObject(clsid, nullptr, running.Receive()));
    ComPtr<IDispatch> disp;
    OleCheck(running->QueryInterface(IID_IDispatch, disp.ReceiveVoid()));
    return disp;
}
