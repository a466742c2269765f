// Reading a host window's handle.
#include "platform/office/OleWindow.h"

#include "platform/com/ComPtr.h"

HWND OleWindowHandle(IUnknown* object) noexcept {
    ComPtr<IOleWindow> window = ComQuery<IOleWindow>(object);
    HWND handle = nullptr;
    if (!window || FAILED(window->GetWindow(&handle)))
        return nullptr;
    return handle;
}
