// The running-object table: a running application registers its object under
// its CLSID so that others find it with GetActiveObject (the class library's
// GetActiveOleObject finds it by ProgID).
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"

#include <cstdint>
#include <string_view>

// The table holds a reference (strong) or only the pointer (weak: the object
// must revoke itself before it dies).
constexpr uint32_t ACTIVEOBJECT_STRONG = 0;
constexpr uint32_t ACTIVEOBJECT_WEAK = 1;

// Registers object as the running object of clsid; cookie identifies the entry.
HRESULT RegisterActiveObject(IUnknown* object, const GUID& clsid, uint32_t flags,
                             uint32_t* cookie) noexcept;
// Removes an entry (E_INVALIDARG for an unknown cookie).
HRESULT RevokeActiveObject(uint32_t cookie, void* reserved) noexcept;
// The running object of clsid (the first registered); MK_E_UNAVAILABLE when none runs.
HRESULT GetActiveObject(const GUID& clsid, void* reserved, IUnknown** object) noexcept;
// The running object of a ProgID as IDispatch: raises EOleSysError
// (CO_E_CLASSSTRING) for a ProgID that is not registered and (MK_E_UNAVAILABLE)
// when none runs.
ComPtr<IDispatch> GetActiveOleObject(std::string_view progId);
