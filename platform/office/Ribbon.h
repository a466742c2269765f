// The ribbon interfaces between a host and an add-in.
//
// The host asks the add-in object (IRibbonExtensibility) for the custom UI
// document of one kind of window, named by a ribbon identifier such as
// "Microsoft.Outlook.Mail.Compose"; it then calls the callbacks that the
// document names, by name, through the add-in object's IDispatch
// (GetIDsOfNames, then Invoke), passing an IRibbonControl first. The onLoad
// callback receives the ribbon itself (IRibbonUI), through which the add-in
// makes the host ask its callbacks again.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"

// {000C0396-0000-0000-C000-000000000046}
constexpr GUID IID_IRibbonExtensibility = MakeGuid("{000C0396-0000-0000-C000-000000000046}");
// {000C03A7-0000-0000-C000-000000000046}
constexpr GUID IID_IRibbonUI = MakeGuid("{000C03A7-0000-0000-C000-000000000046}");
// {000C0395-0000-0000-C000-000000000046}
constexpr GUID IID_IRibbonControl = MakeGuid("{000C0395-0000-0000-C000-000000000046}");

// Implemented by the add-in object.
struct IRibbonExtensibility : IDispatch {
    static constexpr GUID Iid = IID_IRibbonExtensibility;
    using BaseInterface = IDispatch;

    // The custom UI document for the windows of ribbonId (empty text: the
    // add-in has nothing for them).
    virtual HRESULT GetCustomUI(const BSTR& ribbonId, BSTR* ribbonXml) = 0;
};

// One loaded ribbon, handed to the document's onLoad callback.
struct IRibbonUI : IDispatch {
    static constexpr GUID Iid = IID_IRibbonUI;
    using BaseInterface = IDispatch;

    // Every control of the add-in's document asks its callbacks again when
    // it is next shown.
    virtual HRESULT Invalidate() = 0;
    // The control with that id asks its callbacks again.
    virtual HRESULT InvalidateControl(const BSTR& controlId) = 0;
};

// The control a callback is about, passed as its first argument.
struct IRibbonControl : IDispatch {
    static constexpr GUID Iid = IID_IRibbonControl;
    using BaseInterface = IDispatch;

    // The control's id (its "id", "idMso" or the local part of its "idQ").
    virtual HRESULT get_Id(BSTR* id) = 0;
    // The window the control is shown in (an explorer or inspector in
    // Outlook); may be nil.
    virtual HRESULT get_Context(IDispatch** context) = 0;
    // The control's "tag" attribute.
    virtual HRESULT get_Tag(BSTR* tag) = 0;
};
