// The out-parameter of a COM getter: a null one is the caller's mistake and
// answers E_POINTER instead of being written through; otherwise the getter
// fills it and succeeds. An interface handed out carries a reference of the
// caller's own.
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/com/HResult.h"

#include <utility>

// *out = value and S_OK; E_POINTER when out is null.
template <class T, class V> HRESULT OutValue(T* out, V&& value) {
    if (!out)
        return E_POINTER;
    *out = std::forward<V>(value);
    return S_OK;
}

// *out = value with a reference added (null stays null) and S_OK; E_POINTER
// when out is null.
template <class I> HRESULT OutInterface(I** out, const ComPtr<I>& value) {
    if (!out)
        return E_POINTER;
    *out = ComPtr<I>(value).Detach();
    return S_OK;
}
