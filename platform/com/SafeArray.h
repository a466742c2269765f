// One-dimensional safe arrays, as far as automation needs them here: arrays of
// variants or strings with a lower bound, and the custom array that
// IDTExtensibility2 passes by reference (VT_BYREF | VT_ARRAY | VT_VARIANT).
#pragma once

#include "platform/com/Variant.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class SafeArray {
public:
    // The largest element count an array may have; larger requests raise
    // E_OUTOFMEMORY before anything is allocated.
    static constexpr size_t MaxCount = size_t(1) << 24;

    // An empty array of variants with lower bound 0.
    SafeArray() = default;
    // count elements of elementType (VT_VARIANT, VT_BSTR, VT_I4, ...), each
    // the empty value of that type, indexed from lowerBound. Raises
    // DISP_E_BADVARTYPE for a type an array cannot hold.
    SafeArray(VARTYPE elementType, int32_t lowerBound, size_t count);
    // An array of variants holding items, indexed from lowerBound.
    static SafeArray OfVariants(std::vector<Variant> items, int32_t lowerBound = 0);
    // An array of strings (VT_BSTR) holding items, indexed from lowerBound.
    static SafeArray OfStrings(const std::vector<std::u16string>& items, int32_t lowerBound = 0);

    // The type of the elements (never VT_BYREF).
    VARTYPE ElementType() const noexcept { return elementType_; }
    // Number of dimensions: always 1 here.
    uint32_t Dims() const noexcept { return 1; }
    int32_t LowerBound() const noexcept { return lowerBound_; }
    // The highest valid index (LowerBound() - 1 for an empty array).
    int64_t UpperBound() const noexcept {
        return int64_t(lowerBound_) + int64_t(items_.size()) - 1;
    }
    size_t Count() const noexcept { return items_.size(); }

    // The element at index (SafeArrayGetElement); raises DISP_E_BADINDEX
    // outside the bounds.
    const Variant& Get(int64_t index) const;
    // Stores value at index, converted to the element type (SafeArrayPutElement);
    // raises DISP_E_BADINDEX outside the bounds, or the conversion's error.
    void Put(int64_t index, const Variant& value);
    // Changes the element count, keeping the lower bound (SafeArrayRedim).
    void Resize(size_t count);
    // The elements in index order.
    const std::vector<Variant>& Elements() const noexcept { return items_; }

    friend bool operator==(const SafeArray& a, const SafeArray& b) noexcept;

private:
    size_t Offset(int64_t index) const;

    VARTYPE elementType_ = VT_VARIANT;
    int32_t lowerBound_ = 0;
    std::vector<Variant> items_;
};
