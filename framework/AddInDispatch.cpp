// The add-in object's answers to the host's ribbon and task-pane interfaces
// and to its late-bound calls.
//
// The ribbon document and the ribbon callbacks are built from the module's
// ribbon tabs and controls; until the ribbon classes exist a module has
// none, so the document is empty (the add-in adds nothing to any ribbon) and
// no callback name is known.
#include "framework/AddInModule.h"
#include "framework/AddInObject.h"
#include "framework/OpenWindowPanes.h"
#include "platform/com/DispatchTable.h"
#include "platform/com/OleError.h"

HRESULT TadxAddin::GetCustomUI(const BSTR& ribbonId, BSTR* ribbonXml) {
    if (!ribbonXml)
        return E_POINTER;
    ribbonXml->clear();
    return ComGuard([&] {
        RequireModule();
        // The document of the module's ribbon tabs for ribbonId is written
        // into *ribbonXml here once the ribbon classes exist.
    });
}

HRESULT TadxAddin::CTPFactoryAvailable(ICTPFactory* factory) {
    return ComGuard([&] {
        TadxCOMAddInModule& module = RequireModule();
        module.CTPFactory = ComPtr<ICTPFactory>::Share(factory);
        if (module.StartCounter > 0)
            adxMakeFactoryPanes(module);
    });
}

HRESULT TadxAddin::GetTypeInfoCount(uint32_t* count) {
    return DispatchTable::NoTypeInfoCount(count);
}

HRESULT TadxAddin::GetTypeInfo(uint32_t index, LCID, ITypeInfo** typeInfo) {
    return DispatchTable::NoTypeInfo(index, typeInfo);
}

HRESULT TadxAddin::GetIDsOfNames(const GUID& riid, const char16_t* const* names, uint32_t count,
                                 LCID, DISPID* dispIds) {
    if (!dispIds || (count > 0 && !names))
        return E_POINTER;
    for (uint32_t i = 0; i < count; ++i)
        dispIds[i] = DISPID_UNKNOWN;
    // The ribbon callbacks' names are answered here once the ribbon classes exist.
    return DISP_E_UNKNOWNNAME;
}

HRESULT TadxAddin::Invoke(DISPID dispId, const GUID& riid, LCID, uint16_t flags, DispParams* params,
                          Variant* result, ExcepInfo* excepInfo, uint32_t* argErr) {
    // The ribbon callbacks are called here once the ribbon classes exist.
    return DISP_E_MEMBERNOTFOUND;
}
