// The base interface of every COM object: identity, interface navigation and
// reference counting.
//
// An interface is a struct of pure virtual methods deriving from IUnknown (or
// from another interface) that declares its IID as `static constexpr GUID Iid`
// and, when it derives from an interface other than IUnknown, names it as
// `using BaseInterface = ...;` so that implementations answer its IID too.
#pragma once

#include "platform/com/Guid.h"
#include "platform/com/HResult.h"

#include <cstdint>

using ULONG = uint32_t;

// {00000000-0000-0000-C000-000000000046}
constexpr GUID IID_IUnknown = MakeGuid("{00000000-0000-0000-C000-000000000046}");

struct IUnknown {
    static constexpr GUID Iid = IID_IUnknown;

    // Stores in *ppv the object's interface iid, with one reference added;
    // E_NOINTERFACE (and *ppv = nullptr) when the object does not implement it.
    virtual HRESULT QueryInterface(const GUID& iid, void** ppv) = 0;
    // Adds a reference; returns the new count (for diagnostics only).
    virtual ULONG AddRef() = 0;
    // Drops a reference; returns the new count (for diagnostics only).
    virtual ULONG Release() = 0;

protected:
    // Objects are never deleted through an interface: Release or the owner does it.
    virtual ~IUnknown() = default;
};

// The IID of interface type I.
template <class I> constexpr const GUID& IidOf() {
    return I::Iid;
}
