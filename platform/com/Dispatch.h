// IDispatch: late-bound calls by name and DISPID, as Office hosts use for the
// add-in's ribbon callbacks and event sinks and as the add-in uses to drive
// Outlook. DispParams, ExcepInfo and the argument helpers are in DispParams.h.
#pragma once

#include "platform/com/Unknown.h"

#include <string>

#include <cstdint>

class Variant;
struct DispParams;
struct ExcepInfo;

using DISPID = int32_t;
using LCID = uint32_t;

// Reserved DISPIDs.
constexpr DISPID DISPID_VALUE = 0;
constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_PROPERTYPUT = -3;
constexpr DISPID DISPID_NEWENUM = -4;
constexpr DISPID DISPID_EVALUATE = -5;

// Kinds of Invoke call (wFlags); a caller may combine METHOD and PROPERTYGET.
constexpr uint16_t DISPATCH_METHOD = 0x1;
constexpr uint16_t DISPATCH_PROPERTYGET = 0x2;
constexpr uint16_t DISPATCH_PROPERTYPUT = 0x4;
constexpr uint16_t DISPATCH_PROPERTYPUTREF = 0x8;

// The user's default locale, which every caller here passes.
constexpr LCID LOCALE_USER_DEFAULT = 0x0400;

// {00020400-0000-0000-C000-000000000046}
constexpr GUID IID_IDispatch = MakeGuid("{00020400-0000-0000-C000-000000000046}");
// {00020401-0000-0000-C000-000000000046}
constexpr GUID IID_ITypeInfo = MakeGuid("{00020401-0000-0000-C000-000000000046}");

struct ITypeLib;

// The kinds of type a type library describes (those this platform makes).
enum TYPEKIND : int32_t { TKIND_DISPATCH = 4, TKIND_COCLASS = 5 };

// What GetTypeAttr tells of a type.
struct TypeAttr {
    GUID Guid;
    TYPEKIND TypeKind = TKIND_DISPATCH;
    // Interfaces a coclass implements (0 for an interface).
    uint16_t ImplTypes = 0;
};

// Type information of an automation object or class: the small part of the
// platform's interface that its own type libraries answer (TypeLib.h).
struct ITypeInfo : IUnknown {
    static constexpr GUID Iid = IID_ITypeInfo;

    // The type's identity and kind.
    virtual HRESULT GetTypeAttr(TypeAttr* attr) = 0;
    // The type's name and help string (memberId -1: the type itself).
    virtual HRESULT GetDocumentation(DISPID memberId, std::u16string* name,
                                     std::u16string* docString) = 0;
    // The library that holds the type, and the type's index in it.
    virtual HRESULT GetContainingTypeLib(ITypeLib** typeLib, uint32_t* index) = 0;
    // A coclass's implemented interface number index.
    virtual HRESULT GetImplTypeInfo(uint32_t index, ITypeInfo** typeInfo) = 0;
};

struct IDispatch : IUnknown {
    static constexpr GUID Iid = IID_IDispatch;

    // Number of type information interfaces (0 or 1).
    virtual HRESULT GetTypeInfoCount(uint32_t* count) = 0;
    // Type information number index.
    virtual HRESULT GetTypeInfo(uint32_t index, LCID lcid, ITypeInfo** typeInfo) = 0;
    // DISPIDs of a member (names[0]) and of its named parameters (names[1..]);
    // riid is reserved and must be GUID_NULL. Unknown names get DISPID_UNKNOWN
    // and the call answers DISP_E_UNKNOWNNAME.
    virtual HRESULT GetIDsOfNames(const GUID& riid, const char16_t* const* names, uint32_t count,
                                  LCID lcid, DISPID* dispIds) = 0;
    // Calls member dispId. params holds the arguments in reverse order
    // (rgvarg[0] is the last one), named arguments first; result may be null;
    // excepInfo is filled when the call answers DISP_E_EXCEPTION; argErr gets
    // the rgvarg index of an argument that was wrong.
    virtual HRESULT Invoke(DISPID dispId, const GUID& riid, LCID lcid, uint16_t flags,
                           DispParams* params, Variant* result, ExcepInfo* excepInfo,
                           uint32_t* argErr) = 0;
};
