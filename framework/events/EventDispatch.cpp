// The host event sink: argument layout, delivery to the component, error
// report and write-back.
#include "framework/events/EventDispatch.h"

#include "framework/events/adxCustomEvents.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"

#include <exception>
#include <memory>

HRESULT TadxEventDispatch::QueryInterface(const GUID& iid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || (owner_ && iid == owner_->EventIID()))
        *ppv = static_cast<IDispatch*>(this);
    if (!*ppv)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG TadxEventDispatch::AddRef() {
    if (owner_)
        owner_->_AddRef();
    return ++refCount_;
}

ULONG TadxEventDispatch::Release() {
    if (owner_)
        owner_->_Release();
    ULONG left = --refCount_;
    if (left == 0 && !owner_)
        delete this;
    return left;
}

HRESULT TadxEventDispatch::GetTypeInfoCount(uint32_t* count) {
    if (!count)
        return E_INVALIDARG;
    *count = 0;
    return S_OK;
}

HRESULT TadxEventDispatch::GetTypeInfo(uint32_t, LCID, ITypeInfo** typeInfo) {
    if (typeInfo)
        *typeInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT TadxEventDispatch::GetIDsOfNames(const GUID&, const char16_t* const*, uint32_t, LCID,
                                         DISPID*) {
    return E_NOTIMPL;
}

HRESULT TadxEventDispatch::Invoke(DISPID dispId, const GUID&, LCID, uint16_t, DispParams* params,
                                  Variant* result, ExcepInfo*, uint32_t*) {
    // The sink outlives the call even when the component frees itself in it.
    ComPtr<TadxEventDispatch> self = ComPtr<TadxEventDispatch>::Share(this);
    try {
        InvokeArguments arguments = LayOutInvokeArguments(params);
        // The answer lives here, so that a component freed by its own
        // handler still leaves it for the host.
        Variant answer;
        Deliver(dispId, arguments.Values, answer);
        WriteBackInvokeArguments(params, arguments);
        if (result && !answer.IsEmpty())
            *result = answer;
    } catch (...) {
        // Nothing the sink does may fail the host's call.
    }
    return S_OK;
}

void TadxEventDispatch::Deliver(DISPID dispId, std::vector<Variant>& arguments,
                                Variant& answer) noexcept {
    TadxCustomEvents* owner = owner_;
    if (!owner)
        return;
    // The component may be freed by its own event (a window sink closed with
    // its window) or with the module (the add-in turned off): nothing of it
    // is touched after the call, and an exception is reported only through a
    // module that lives on.
    try {
        adxFire(owner->Module(), owner->Liveness(), [owner, dispId, &arguments, &answer] {
            owner->InvokeEventWithResult(dispId, arguments, answer);
        });
    } catch (...) {
        // An error handler that raises, or an exception of no known kind:
        // the event ends here.
    }
}
