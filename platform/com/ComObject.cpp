#include "platform/com/ComObject.h"

ComObjectCount& PlatformObjectCount() { return LibraryObjectCount(); }

bool IsSameObject(IUnknown* a, IUnknown* b) noexcept {
    if (a == b) return true;
    if (!a || !b) return false;
    ComPtr<IUnknown> ua = ComQuery<IUnknown>(a), ub = ComQuery<IUnknown>(b);
    return ua && ua == ub;
}
