// The host event sink: argument layout, delivery to the component, error
// report and write-back.
#include "framework/EventDispatch.h"

#include "framework/AddInModule.h"
#include "framework/adxCustomEvents.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"

#include <algorithm>
#include <exception>
#include <memory>

TadxEventArguments adxLayOutArguments(const DispParams* params) {
    TadxEventArguments arguments;
    if (!params || !params->rgvarg || params->cArgs == 0)
        return arguments;
    const uint32_t count = params->cArgs;
    const uint32_t named = params->rgdispidNamedArgs ? std::min(params->cNamedArgs, count) : 0;
    arguments.Values.resize(count);
    arguments.Slots.assign(count, -1);
    std::vector<int> filledFrom(count, -1); // position -> rgvarg index
    // Positional arguments follow the named ones in rgvarg, last one first.
    for (uint32_t i = named; i < count; ++i)
        filledFrom[count - 1 - i] = int(i);
    // Only the first cNamedArgs entries of rgdispidNamedArgs exist. A named
    // DISPID outside the argument array has no place and is left out; one
    // that names a position a positional argument took wins it.
    for (uint32_t i = 0; i < named; ++i) {
        DISPID at = params->rgdispidNamedArgs[i];
        if (at >= 0 && uint32_t(at) < count)
            filledFrom[size_t(at)] = int(i);
    }
    for (uint32_t position = 0; position < count; ++position) {
        int from = filledFrom[position];
        if (from < 0)
            continue;
        arguments.Values[position] = params->rgvarg[from];
        arguments.Slots[size_t(from)] = int(position);
    }
    return arguments;
}

void adxWriteBackArguments(DispParams* params, const TadxEventArguments& arguments) noexcept {
    if (!params || !params->rgvarg)
        return;
    for (uint32_t i = 0; i < params->cArgs && i < arguments.Slots.size(); ++i) {
        Variant& given = params->rgvarg[i];
        if (!given.IsByRef() || arguments.Slots[i] < 0)
            continue;
        const Variant& value = arguments.Values[size_t(arguments.Slots[i])];
        // Still the host's own reference: a handler wrote through it already.
        if (value.Type() == given.Type() && value.RefStorage() == given.RefStorage())
            continue;
        try {
            given.SetValue(value.IsByRef() ? value.Deref() : value);
        } catch (...) {
            // A value of no form the host's storage can take stays unwritten.
        }
    }
}

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
    if (count)
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
                                  Variant*, ExcepInfo*, uint32_t*) {
    // The sink outlives the call even when the component frees itself in it.
    ComPtr<TadxEventDispatch> self = ComPtr<TadxEventDispatch>::Share(this);
    try {
        TadxEventArguments arguments = adxLayOutArguments(params);
        Deliver(dispId, arguments.Values);
        adxWriteBackArguments(params, arguments);
    } catch (...) {
        // Nothing the sink does may fail the host's call.
    }
    return S_OK;
}

void TadxEventDispatch::Deliver(DISPID dispId, std::vector<Variant>& arguments) noexcept {
    TadxCustomEvents* owner = owner_;
    if (!owner)
        return;
    // Found before the call: the component may be gone after it.
    TadxCOMAddInModule* module = owner->Module();
    std::shared_ptr<bool> alive = owner->alive_;
    ++owner->eventDepth_;
    try {
        try {
            owner->InvokeEvent(dispId, arguments);
        } catch (const Exception& e) {
            if (module)
                module->DoError(e);
        } catch (const std::exception& e) {
            if (module)
                module->DoError(Exception(e.what()));
        }
    } catch (...) {
        // An error handler that raises, or an exception of no known kind:
        // the event ends here.
    }
    // A component freed by other means during its event is not touched again.
    if (!*alive)
        return;
    if (--owner->eventDepth_ == 0 && owner->freePending_)
        owner->Free();
}
