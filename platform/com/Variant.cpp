// Variant's storage, copies and comparisons; the coercions between type
// codes live in VariantChange.cpp.

#include "platform/com/Variant.h"

#include "platform/com/OleError.h"
#include "platform/com/SafeArray.h"
#include "platform/com/VariantAccess.h"
#include "platform/text/Text.h"

#include <cstdio>
#include <limits>
#include <ostream>

namespace {

[[noreturn]] void RaiseMismatch() {
    throw EOleSysError(SysErrorMessage(DISP_E_TYPEMISMATCH), DISP_E_TYPEMISMATCH);
}

// The by-reference storage as T, checking the type code first.
template <class T> T& Storage(const Variant& v, VARTYPE a, VARTYPE b = VT_EMPTY) {
    VARTYPE base = v.BaseType();
    if (!v.IsByRef() || (base != a && (b == VT_EMPTY || base != b)))
        RaiseMismatch();
    if (!v.RefStorage())
        throw EOleSysError(SysErrorMessage(E_POINTER), E_POINTER);
    return *static_cast<T*>(v.RefStorage());
}

} // namespace

void Variant::ArrayDeleter::operator()(SafeArray* a) const noexcept {
    delete a;
}

bool IsScalarVarType(VARTYPE vt) noexcept {
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_BOOL:
    case VT_UNKNOWN:
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
        return true;
    default:
        return false;
    }
}

Variant::Variant(const Variant& other)
    : vt_(other.vt_), v_(other.v_), bstr_(other.bstr_), unk_(other.unk_),
      array_(other.array_ ? new SafeArray(*other.array_) : nullptr) {}

Variant::Variant(Variant&& other) noexcept
    : vt_(std::exchange(other.vt_, VT_EMPTY)), v_(other.v_), bstr_(std::move(other.bstr_)),
      unk_(std::move(other.unk_)), array_(std::move(other.array_)) {
    other.v_.i8 = 0;
}

Variant& Variant::operator=(const Variant& other) {
    if (this != &other) {
        Variant copy(other);
        swap(copy);
    }
    return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept {
    if (this != &other) {
        Variant moved(std::move(other));
        swap(moved);
    }
    return *this;
}

Variant::~Variant() = default;

void Variant::swap(Variant& other) noexcept {
    std::swap(vt_, other.vt_);
    std::swap(v_, other.v_);
    bstr_.swap(other.bstr_);
    std::swap(unk_, other.unk_);
    array_.swap(other.array_);
}

void Variant::Clear() noexcept {
    vt_ = VT_EMPTY;
    v_.i8 = 0;
    bstr_.clear();
    unk_.Reset();
    array_.reset();
}

Variant::Variant(const char16_t* text) : vt_(VT_BSTR), bstr_(text ? text : u"") {}
Variant::Variant(std::u16string text) noexcept : vt_(VT_BSTR), bstr_(std::move(text)) {}
Variant::Variant(std::u16string_view text) : vt_(VT_BSTR), bstr_(text) {}
Variant::Variant(const char* text) : vt_(VT_BSTR), bstr_(text::Wide(text ? text : "")) {}
Variant::Variant(const std::string& text) : vt_(VT_BSTR), bstr_(text::Wide(text)) {}
Variant::Variant(std::string_view text) : vt_(VT_BSTR), bstr_(text::Wide(text)) {}

Variant::Variant(SafeArray array)
    : vt_(VT_ARRAY | array.ElementType()), array_(new SafeArray(std::move(array))) {}

void Variant::SetInterface(VARTYPE vt, IUnknown* p) noexcept {
    vt_ = vt;
    unk_ = ComPtr<IUnknown>::Share(p);
}

Variant Variant::Null() noexcept {
    return Scalar(VT_NULL, 0);
}
Variant Variant::Error(HRESULT code) noexcept {
    return Scalar(VT_ERROR, code);
}
Variant Variant::Currency(int64_t scaled) noexcept {
    return Scalar(VT_CY, scaled);
}

Variant Variant::Date(double oleDate) noexcept {
    Variant v = Scalar(VT_DATE, 0);
    v.v_.r8 = oleDate;
    return v;
}

Variant Variant::Scalar(VARTYPE vt, int64_t value) noexcept {
    Variant v;
    v.vt_ = vt;
    v.v_.i8 = value;
    return v;
}

Variant Variant::OfIntegerType(VARTYPE vt, int64_t value) {
    int64_t lo = 0;
    uint64_t hi = 0;
    switch (vt) {
    case VT_I1:
        lo = INT8_MIN;
        hi = INT8_MAX;
        break;
    case VT_UI1:
        hi = UINT8_MAX;
        break;
    case VT_I2:
        lo = INT16_MIN;
        hi = INT16_MAX;
        break;
    case VT_UI2:
        hi = UINT16_MAX;
        break;
    case VT_I4:
    case VT_INT:
    case VT_ERROR:
        lo = INT32_MIN;
        hi = INT32_MAX;
        break;
    case VT_UI4:
    case VT_UINT:
        hi = UINT32_MAX;
        break;
    case VT_I8:
        lo = INT64_MIN;
        hi = INT64_MAX;
        break;
    case VT_UI8:
        hi = UINT64_MAX;
        break;
    default:
        throw EOleSysError(SysErrorMessage(DISP_E_BADVARTYPE), DISP_E_BADVARTYPE);
    }
    if (value < lo || (value > 0 && uint64_t(value) > hi))
        throw EOleSysError(SysErrorMessage(DISP_E_OVERFLOW), DISP_E_OVERFLOW);
    return Scalar(vt, value);
}

Variant Variant::ByRef(VARTYPE vt, void* storage) noexcept {
    Variant v;
    v.vt_ = static_cast<VARTYPE>(vt | VT_BYREF);
    v.v_.ref = storage;
    return v;
}

Variant Variant::ByRef(SafeArray* p) noexcept {
    return ByRef(static_cast<VARTYPE>(VT_ARRAY | (p ? p->ElementType() : VT_VARIANT)), p);
}

bool Variant::IsMissing() const noexcept {
    return vt_ == VT_ERROR && v_.i8 == DISP_E_PARAMNOTFOUND;
}

bool Variant::IsEmptyOrNothing() const noexcept {
    return vt_ == VT_EMPTY || ((vt_ == VT_DISPATCH || vt_ == VT_UNKNOWN) && !unk_);
}

Variant Variant::Deref() const {
    if (!IsByRef())
        return *this;
    if (!v_.ref)
        throw EOleSysError(SysErrorMessage(E_POINTER), E_POINTER);
    void* p = v_.ref;
    VARTYPE base = BaseType();
    if (base & VT_ARRAY)
        return Variant(*static_cast<SafeArray*>(p));
    switch (base) {
    case VT_I1:
        return Variant(*static_cast<int8_t*>(p));
    case VT_UI1:
        return Variant(*static_cast<uint8_t*>(p));
    case VT_I2:
        return Variant(*static_cast<int16_t*>(p));
    case VT_UI2:
        return Variant(*static_cast<uint16_t*>(p));
    case VT_I4:
        return Variant(*static_cast<int32_t*>(p));
    case VT_UI4:
        return Variant(*static_cast<uint32_t*>(p));
    case VT_INT:
        return OfIntegerType(VT_INT, *static_cast<int32_t*>(p));
    case VT_UINT:
        return OfIntegerType(VT_UINT, *static_cast<uint32_t*>(p));
    case VT_I8:
        return Variant(*static_cast<int64_t*>(p));
    case VT_UI8:
        return Variant(*static_cast<uint64_t*>(p));
    case VT_R4:
        return Variant(*static_cast<float*>(p));
    case VT_R8:
        return Variant(*static_cast<double*>(p));
    case VT_DATE:
        return Date(*static_cast<double*>(p));
    case VT_CY:
        return Currency(*static_cast<int64_t*>(p));
    case VT_BOOL:
        return Variant(*static_cast<VARIANT_BOOL*>(p) != VARIANT_FALSE);
    case VT_ERROR:
        return Error(*static_cast<HRESULT*>(p));
    case VT_BSTR:
        return Variant(*static_cast<std::u16string*>(p));
    case VT_DISPATCH:
        return Variant(*static_cast<ComPtr<IDispatch>*>(p));
    case VT_UNKNOWN:
        return Variant(*static_cast<ComPtr<IUnknown>*>(p));
    case VT_VARIANT: {
        const Variant& inner = *static_cast<const Variant*>(p);
        // One level of indirection is what COM allows; a variant referring
        // to another reference (or to itself) is refused.
        if (inner.IsByRef())
            throw EOleSysError(SysErrorMessage(DISP_E_BADVARTYPE), DISP_E_BADVARTYPE);
        return inner;
    }
    default:
        throw EOleSysError(SysErrorMessage(DISP_E_BADVARTYPE), DISP_E_BADVARTYPE);
    }
}

Variant Variant::ConvertTo(VARTYPE vt) const {
    Variant out;
    HRESULT hr = ChangeType(vt, out);
    if (FAILED(hr))
        throw EOleSysError(SysErrorMessage(hr), hr);
    return out;
}

int32_t Variant::AsInteger() const {
    if (vt_ == VT_I4)
        return static_cast<int32_t>(v_.i8);
    return static_cast<int32_t>(VariantAccess::Signed(ConvertTo(VT_I4)));
}

int64_t Variant::AsInt64() const {
    return VariantAccess::Signed(ConvertTo(VT_I8));
}

double Variant::AsDouble() const {
    if (vt_ == VT_R8)
        return v_.r8;
    return VariantAccess::Double(ConvertTo(VT_R8));
}

bool Variant::AsBool() const {
    if (vt_ == VT_BOOL)
        return v_.i8 != 0;
    return VariantAccess::Signed(ConvertTo(VT_BOOL)) != 0;
}

double Variant::AsDate() const {
    return VariantAccess::Double(ConvertTo(VT_DATE));
}

std::u16string Variant::AsWide() const {
    if (vt_ == VT_BSTR)
        return bstr_;
    return VariantAccess::Text(ConvertTo(VT_BSTR));
}

std::string Variant::AsString() const {
    return text::Narrow(AsWide());
}

ComPtr<IDispatch> Variant::AsDispatch() const {
    Variant d = ConvertTo(VT_DISPATCH);
    return ComPtr<IDispatch>::Share(static_cast<IDispatch*>(d.unk_.Get()));
}

ComPtr<IUnknown> Variant::AsUnknown() const {
    return ConvertTo(VT_UNKNOWN).unk_;
}

const SafeArray& Variant::AsArray() const {
    if (!IsArray())
        RaiseMismatch();
    if (IsByRef())
        return ArrayRef();
    return *array_;
}

void Variant::SetValue(const Variant& value) {
    if (!IsByRef()) {
        *this = value;
        return;
    }
    if (!v_.ref)
        throw EOleSysError(SysErrorMessage(E_POINTER), E_POINTER);
    VARTYPE base = BaseType();
    void* p = v_.ref;
    if (base == VT_VARIANT) {
        *static_cast<Variant*>(p) = value.Deref();
        return;
    }
    Variant c = value.ConvertTo(base);
    if (base & VT_ARRAY) {
        *static_cast<SafeArray*>(p) = *c.array_;
        return;
    }
    switch (base) {
    case VT_I1:
        *static_cast<int8_t*>(p) = static_cast<int8_t>(c.v_.i8);
        break;
    case VT_UI1:
        *static_cast<uint8_t*>(p) = static_cast<uint8_t>(c.v_.u8);
        break;
    case VT_I2:
        *static_cast<int16_t*>(p) = static_cast<int16_t>(c.v_.i8);
        break;
    case VT_UI2:
        *static_cast<uint16_t*>(p) = static_cast<uint16_t>(c.v_.u8);
        break;
    case VT_I4:
    case VT_INT:
        *static_cast<int32_t*>(p) = static_cast<int32_t>(c.v_.i8);
        break;
    case VT_UI4:
    case VT_UINT:
        *static_cast<uint32_t*>(p) = static_cast<uint32_t>(c.v_.u8);
        break;
    case VT_I8:
    case VT_CY:
        *static_cast<int64_t*>(p) = c.v_.i8;
        break;
    case VT_UI8:
        *static_cast<uint64_t*>(p) = c.v_.u8;
        break;
    case VT_R4:
        *static_cast<float*>(p) = c.v_.r4;
        break;
    case VT_R8:
    case VT_DATE:
        *static_cast<double*>(p) = c.v_.r8;
        break;
    case VT_BOOL:
        *static_cast<VARIANT_BOOL*>(p) = static_cast<VARIANT_BOOL>(c.v_.i8);
        break;
    case VT_ERROR:
        *static_cast<HRESULT*>(p) = static_cast<HRESULT>(c.v_.i8);
        break;
    case VT_BSTR:
        *static_cast<std::u16string*>(p) = std::move(c.bstr_);
        break;
    case VT_DISPATCH:
        *static_cast<ComPtr<IDispatch>*>(p) =
            ComPtr<IDispatch>::Share(static_cast<IDispatch*>(c.unk_.Get()));
        break;
    case VT_UNKNOWN:
        *static_cast<ComPtr<IUnknown>*>(p) = c.unk_;
        break;
    default:
        throw EOleSysError(SysErrorMessage(DISP_E_BADVARTYPE), DISP_E_BADVARTYPE);
    }
}

VARIANT_BOOL& Variant::BoolRef() const {
    return Storage<VARIANT_BOOL>(*this, VT_BOOL);
}
int32_t& Variant::IntegerRef() const {
    return Storage<int32_t>(*this, VT_I4, VT_INT);
}
double& Variant::DoubleRef() const {
    return Storage<double>(*this, VT_R8, VT_DATE);
}
std::u16string& Variant::BstrRef() const {
    return Storage<std::u16string>(*this, VT_BSTR);
}
Variant& Variant::VariantRef() const {
    return Storage<Variant>(*this, VT_VARIANT);
}
ComPtr<IDispatch>& Variant::DispatchRef() const {
    return Storage<ComPtr<IDispatch>>(*this, VT_DISPATCH);
}
SafeArray& Variant::ArrayRef() const {
    if (!IsByRef() || !IsArray())
        RaiseMismatch();
    if (!v_.ref)
        throw EOleSysError(SysErrorMessage(E_POINTER), E_POINTER);
    return *static_cast<SafeArray*>(v_.ref);
}

bool operator==(const Variant& a, const Variant& b) noexcept {
    if (a.vt_ != b.vt_)
        return false;
    if (a.IsByRef())
        return a.v_.ref == b.v_.ref;
    if (a.IsArray())
        return *a.array_ == *b.array_;
    switch (a.vt_) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_R4:
        return a.v_.r4 == b.v_.r4;
    case VT_R8:
    case VT_DATE:
        return a.v_.r8 == b.v_.r8;
    case VT_BSTR:
        return a.bstr_ == b.bstr_;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return a.unk_ == b.unk_;
    default:
        return a.v_.i8 == b.v_.i8;
    }
}

std::string Variant::DebugText() const {
    char buf[64];
    std::snprintf(buf, sizeof buf, "vt=0x%04X", static_cast<unsigned>(vt_));
    std::string out = buf;
    if (IsByRef() || IsArray() || vt_ == VT_EMPTY || vt_ == VT_NULL)
        return out;
    if (vt_ == VT_DISPATCH || vt_ == VT_UNKNOWN)
        return out + (unk_ ? " (object)" : " (nothing)");
    Variant text;
    if (SUCCEEDED(ChangeType(VT_BSTR, text)))
        return out + " \"" + text::Narrow(text.bstr_) + "\"";
    std::snprintf(buf, sizeof buf, " 0x%llX", static_cast<unsigned long long>(v_.u8));
    return out + buf;
}

std::ostream& operator<<(std::ostream& out, const Variant& v) {
    return out << v.DebugText();
}
