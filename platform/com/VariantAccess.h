// Internal: raw access to a Variant's fields for the conversion code, which
// lives in its own file. Not for use outside platform/com.
#pragma once

#include "platform/com/SafeArray.h"
#include "platform/com/Variant.h"

class VariantAccess {
public:
    static int64_t Signed(const Variant& v) noexcept { return v.v_.i8; }
    static uint64_t Unsigned(const Variant& v) noexcept { return v.v_.u8; }
    static float Single(const Variant& v) noexcept { return v.v_.r4; }
    static double Double(const Variant& v) noexcept { return v.v_.r8; }
    static const std::u16string& Text(const Variant& v) noexcept { return v.bstr_; }
    static IUnknown* Interface(const Variant& v) noexcept { return v.unk_.Get(); }
    static const SafeArray* Array(const Variant& v) noexcept { return v.array_.get(); }
};

// True for the by-value types a variant can hold (arrays aside).
bool IsScalarVarType(VARTYPE vt) noexcept;
