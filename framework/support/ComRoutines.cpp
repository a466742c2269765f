// COM and window routines of registration and start-up.
#include "framework/support/ComRoutines.h"

#include "platform/com/ComClasses.h"
#include "platform/com/RunningObjects.h"
#include "platform/com/Variant.h"
#include "platform/text/Text.h"
#include "platform/win/Window.h"

#include <cstring>

bool _VarIsEmpty(const Variant& v) {
    return v.IsEmptyOrNothing();
}

ComPtr<IDispatch> adxCreateOleObject(std::string_view progId) {
    GUID clsid;
    if (FAILED(CLSIDFromProgID(text::Wide(progId), &clsid)))
        return nullptr;
    ComPtr<IDispatch> object;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                IID_IDispatch, object.ReceiveVoid())))
        return nullptr;
    return object;
}

ComPtr<IDispatch> adxGetActiveOleObject(std::string_view progId) {
    GUID clsid = ProgIDToClassID(progId);
    ComPtr<IUnknown> running;
    if (FAILED(GetActiveObject(clsid, nullptr, running.Receive())) || !running)
        return nullptr;
    return running.Query<IDispatch>();
}

BOOL adxDoEnumThreadWindowProc(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<TadxMainWindowSearch*>(lParam);
    if (!search || !search->ClassName)
        return FALSE;
    char className[257] = {};
    GetClassName(hwnd, className, sizeof className);
    if (std::strcmp(className, search->ClassName) != 0)
        return TRUE;
    search->Found = hwnd;
    return FALSE;
}
