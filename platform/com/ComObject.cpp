// What the COM object helpers need out of line: the platform's own live
// object count and the COM identity comparison.

#include "platform/com/ComObject.h"

ComObjectCount& PlatformObjectCount() {
    return LibraryObjectCount();
}

bool IsSameObject(IUnknown* a, IUnknown* b) noexcept {
    if (a == b)
        return true;
    if (!a || !b)
        return false;
    ComPtr<IUnknown> ua = ComQuery<IUnknown>(a), ub = ComQuery<IUnknown>(b);
    return ua && ua == ub;
}
