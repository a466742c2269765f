// The add-in object's answers to the host's ribbon and task-pane interfaces
// and to its late-bound calls.
//
// The ribbon document and the ribbon callbacks are built from the module's
// ribbon tabs and controls (framework/ribbon). The add-in object's own type
// library describes no members, so every name and DISPID the host asks for
// is looked up in the ribbon's callback table.
#include "framework/AddInFactory.h"
#include "framework/AddInModule.h"
#include "framework/AddInObject.h"
#include "framework/panes/OpenWindowPanes.h"
#include "framework/ribbon/RibbonCallbacks.h"
#include "framework/ribbon/RibbonDocument.h"
#include "platform/com/DispatchTable.h"
#include "platform/com/OleError.h"

HRESULT TadxAddin::GetCustomUI(const BSTR& ribbonId, BSTR* ribbonXml) {
    if (!ribbonXml)
        return E_POINTER;
    ribbonXml->clear();
    return ComGuard([&] { *ribbonXml = adxGetCustomUI(RequireModule(), ribbonId); });
}

HRESULT TadxAddin::CTPFactoryAvailable(ICTPFactory* factory) {
    // A null factory is no factory: the one the module holds (if any) stays.
    if (!factory)
        return E_POINTER;
    return ComGuard([&] {
        TadxCOMAddInModule& module = RequireModule();
        module.CTPFactory = ComPtr<ICTPFactory>::Share(factory);
        if (module.StartCounter > 0)
            adxMakeFactoryPanes(module);
    });
}

// The type information of the add-in's dispatch interface, from the type
// library its factory describes (none without one).
// A null out pointer is an invalid argument, as for every dispatch object here.
HRESULT TadxAddin::GetTypeInfoCount(uint32_t* count) {
    if (!count)
        return E_INVALIDARG;
    *count = factory_ && factory_->TypeLibrary() ? 1 : 0;
    return S_OK;
}

HRESULT TadxAddin::GetTypeInfo(uint32_t index, LCID, ITypeInfo** typeInfo) {
    if (!typeInfo)
        return E_INVALIDARG;
    *typeInfo = nullptr;
    ComPtr<ITypeLib> library = factory_ ? factory_->LoadTypeLibrary() : nullptr;
    if (!library)
        return DispatchTable::NoTypeInfo(index, typeInfo);
    if (index != 0)
        return DISP_E_BADINDEX;
    return library->GetTypeInfoOfGuid(factory_->TypeLibrary()->InterfaceId, typeInfo);
}

HRESULT TadxAddin::GetIDsOfNames(const GUID& riid, const char16_t* const* names, uint32_t count,
                                 LCID, DISPID* dispIds) {
    // The reserved IID must be null, as for every dispatch object here.
    if (riid != GUID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    return adxRibbonGetIDsOfNames(names, count, dispIds);
}

HRESULT TadxAddin::Invoke(DISPID dispId, const GUID& riid, LCID, uint16_t flags, DispParams* params,
                          Variant* result, ExcepInfo* excepInfo, uint32_t* argErr) {
    if (riid != GUID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    return adxRibbonInvoke(module_, dispId, params, result, argErr);
}
