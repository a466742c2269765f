// One-dimensional safe arrays: creation from variants or strings, bounds
// checked element access.

#include "platform/com/SafeArray.h"

#include "platform/com/OleError.h"
#include "platform/com/VariantAccess.h"

namespace {

// The empty value of each element type an array can hold.
Variant EmptyOf(VARTYPE vt) {
    switch (vt) {
    case VT_VARIANT:
        return Variant();
    case VT_BSTR:
        return Variant(u"");
    case VT_BOOL:
        return Variant(false);
    case VT_DISPATCH:
        return Variant(static_cast<IDispatch*>(nullptr));
    case VT_UNKNOWN:
        return Variant(static_cast<IUnknown*>(nullptr));
    case VT_R4:
        return Variant(0.0f);
    case VT_R8:
        return Variant(0.0);
    case VT_DATE:
        return Variant::Date(0);
    case VT_CY:
        return Variant::Currency(0);
    case VT_ERROR:
        return Variant::Error(S_OK);
    default:
        return Variant::OfIntegerType(vt, 0); // raises DISP_E_BADVARTYPE for the rest
    }
}

} // namespace

SafeArray::SafeArray(VARTYPE elementType, int32_t lowerBound, size_t count)
    : elementType_(elementType), lowerBound_(lowerBound) {
    if (elementType == VT_EMPTY || elementType == VT_NULL || (elementType & (VT_BYREF | VT_ARRAY)))
        throw EOleSysError(SysErrorMessage(DISP_E_BADVARTYPE), DISP_E_BADVARTYPE);
    Resize(count);
}

SafeArray SafeArray::OfVariants(std::vector<Variant> items, int32_t lowerBound) {
    SafeArray a(VT_VARIANT, lowerBound, 0);
    if (items.size() > MaxCount)
        throw EOleSysError(SysErrorMessage(E_OUTOFMEMORY), E_OUTOFMEMORY);
    for (Variant& item : items)
        item = item.Deref();
    a.items_ = std::move(items);
    return a;
}

SafeArray SafeArray::OfStrings(const std::vector<std::u16string>& items, int32_t lowerBound) {
    SafeArray a(VT_BSTR, lowerBound, 0);
    if (items.size() > MaxCount)
        throw EOleSysError(SysErrorMessage(E_OUTOFMEMORY), E_OUTOFMEMORY);
    a.items_.reserve(items.size());
    for (const auto& s : items)
        a.items_.emplace_back(s);
    return a;
}

size_t SafeArray::Offset(int64_t index) const {
    int64_t offset = index - lowerBound_;
    if (offset < 0 || offset >= int64_t(items_.size()))
        throw EOleSysError(SysErrorMessage(DISP_E_BADINDEX), DISP_E_BADINDEX);
    return static_cast<size_t>(offset);
}

const Variant& SafeArray::Get(int64_t index) const {
    return items_[Offset(index)];
}

void SafeArray::Put(int64_t index, const Variant& value) {
    size_t offset = Offset(index);
    items_[offset] = elementType_ == VT_VARIANT ? value.Deref() : value.ConvertTo(elementType_);
}

void SafeArray::Resize(size_t count) {
    if (count > MaxCount)
        throw EOleSysError(SysErrorMessage(E_OUTOFMEMORY), E_OUTOFMEMORY);
    if (count > items_.size()) {
        Variant empty = EmptyOf(elementType_);
        items_.resize(count, empty);
    } else {
        items_.resize(count);
    }
}

bool operator==(const SafeArray& a, const SafeArray& b) noexcept {
    return a.elementType_ == b.elementType_ && a.lowerBound_ == b.lowerBound_ &&
           a.items_ == b.items_;
}
