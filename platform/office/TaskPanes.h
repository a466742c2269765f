// Custom task panes: the host hands the add-in object a factory
// (ICustomTaskPaneConsumer::CTPFactoryAvailable), with which the add-in
// creates one pane per host window, each hosting a control named by its
// ProgID. A pane raises two events, VisibleStateChange and
// DockPositionStateChange, each with the pane as its argument.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"
#include "platform/office/OfficeConstants.h"

// {000C033E-0000-0000-C000-000000000046}
constexpr GUID IID_ICustomTaskPaneConsumer = MakeGuid("{000C033E-0000-0000-C000-000000000046}");
// {000C033D-0000-0000-C000-000000000046}
constexpr GUID IID_ICTPFactory = MakeGuid("{000C033D-0000-0000-C000-000000000046}");
// {000C033B-0000-0000-C000-000000000046}
constexpr GUID IID__CustomTaskPane = MakeGuid("{000C033B-0000-0000-C000-000000000046}");
// {000C033C-0000-0000-C000-000000000046}: the pane's event dispinterface.
constexpr GUID DIID__CustomTaskPaneEvents = MakeGuid("{000C033C-0000-0000-C000-000000000046}");
// {C5771BE5-A188-466B-AB31-00A6A32B1B1C}: the pane's class.
constexpr GUID CLSID_CustomTaskPane = MakeGuid("{C5771BE5-A188-466B-AB31-00A6A32B1B1C}");

struct ICTPFactory;
struct _CustomTaskPane;

// Implemented by the add-in object.
struct ICustomTaskPaneConsumer : IDispatch {
    static constexpr GUID Iid = IID_ICustomTaskPaneConsumer;
    using BaseInterface = IDispatch;

    // The host's task-pane factory is ready for use.
    virtual HRESULT CTPFactoryAvailable(ICTPFactory* factory) = 0;
};

// The host's task-pane factory.
struct ICTPFactory : IDispatch {
    static constexpr GUID Iid = IID_ICTPFactory;
    using BaseInterface = IDispatch;

    // A new pane hosting the control of ProgID axId, titled title, in the
    // host window parentWindow (a variant holding the window's IDispatch, or
    // an omitted argument for the host's active window).
    virtual HRESULT CreateCTP(const BSTR& axId, const BSTR& title, const Variant& parentWindow,
                              _CustomTaskPane** pane) = 0;
};

// One live task pane.
struct _CustomTaskPane : IDispatch {
    static constexpr GUID Iid = IID__CustomTaskPane;
    using BaseInterface = IDispatch;

    // The pane's title.
    virtual HRESULT get_Title(BSTR* title) = 0;
    // The host application.
    virtual HRESULT get_Application(IDispatch** application) = 0;
    // The host window the pane belongs to.
    virtual HRESULT get_Window(IDispatch** window) = 0;
    // Whether the pane is shown.
    virtual HRESULT get_Visible(VARIANT_BOOL* visible) = 0;
    virtual HRESULT put_Visible(VARIANT_BOOL visible) = 0;
    // The hosted control.
    virtual HRESULT get_ContentControl(IDispatch** control) = 0;
    // Height in pixels (meaningful when docked top or bottom, or floating).
    virtual HRESULT get_Height(int32_t* height) = 0;
    virtual HRESULT put_Height(int32_t height) = 0;
    // Width in pixels (meaningful when docked left or right, or floating).
    virtual HRESULT get_Width(int32_t* width) = 0;
    virtual HRESULT put_Width(int32_t width) = 0;
    // Where the pane docks.
    virtual HRESULT get_DockPosition(MsoCTPDockPosition* position) = 0;
    virtual HRESULT put_DockPosition(MsoCTPDockPosition position) = 0;
    // Which docking changes the user may make.
    virtual HRESULT get_DockPositionRestrict(MsoCTPDockPositionRestrict* restriction) = 0;
    virtual HRESULT put_DockPositionRestrict(MsoCTPDockPositionRestrict restriction) = 0;
    // Closes the pane for good.
    virtual HRESULT Delete() = 0;
};
