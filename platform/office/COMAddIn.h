// The host's entry for one COM add-in, which it passes to OnConnection. The
// add-in sets its Object property to itself, so that other programs reach
// the add-in object through the host's COM add-ins collection; setting
// Connect connects or disconnects the add-in, as the COM add-ins dialog does.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"

// {000C033A-0000-0000-C000-000000000046}
constexpr GUID IID_COMAddIn = MakeGuid("{000C033A-0000-0000-C000-000000000046}");
// {000C0339-0000-0000-C000-000000000046}: the host's collection of them.
constexpr GUID IID_COMAddIns = MakeGuid("{000C0339-0000-0000-C000-000000000046}");

struct COMAddIn : IDispatch {
    static constexpr GUID Iid = IID_COMAddIn;
    using BaseInterface = IDispatch;

    // The add-in's description (the add-in key's "Description").
    virtual HRESULT get_Description(BSTR* description) = 0;
    virtual HRESULT put_Description(const BSTR& description) = 0;
    // The add-in's ProgID.
    virtual HRESULT get_ProgId(BSTR* progId) = 0;
    // The add-in's CLSID in registry form.
    virtual HRESULT get_Guid(BSTR* guid) = 0;
    // Whether the add-in is connected; putting it connects or disconnects it.
    virtual HRESULT get_Connect(VARIANT_BOOL* connected) = 0;
    virtual HRESULT put_Connect(VARIANT_BOOL connect) = 0;
    // The object the add-in published (nil until it sets one).
    virtual HRESULT get_Object(IDispatch** object) = 0;
    virtual HRESULT put_Object(IDispatch* object) = 0;
};
