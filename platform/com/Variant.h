// Automation values: Variant (the class library's OleVariant) with the OLE
// type codes, BSTR text as std::u16string, by-reference values and checked
// coercions.
//
//   Variant v = 42;                     // VT_I4
//   Variant s = "text";                 // VT_BSTR (8-bit text is converted to UTF-16)
//   v.AsWide(), s.AsInteger()           // coerce or raise EOleSysError:
//                                       // DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW
//   VARIANT_BOOL cancel = VARIANT_FALSE;
//   Variant ref = Variant::ByRefBool(&cancel);   // VT_BYREF | VT_BOOL
//   ref.SetValue(true);                 // the callee writes through: cancel == VARIANT_TRUE
//
// A by-reference variant (VT_BYREF | t) points at storage owned by the caller:
// VT_I1..VT_UI8, VT_INT, VT_UINT at the integer of that size, VT_R4 float,
// VT_R8 and VT_DATE double, VT_CY int64_t (units of 1/10000), VT_BOOL
// VARIANT_BOOL, VT_ERROR HRESULT, VT_BSTR std::u16string, VT_DISPATCH
// ComPtr<IDispatch>, VT_UNKNOWN ComPtr<IUnknown>, VT_VARIANT Variant and
// VT_ARRAY | t SafeArray. Copying such a variant copies the reference.
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

using VARTYPE = uint16_t;

// The OLE type codes.
constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_NULL = 1;
constexpr VARTYPE VT_I2 = 2;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_R4 = 4;
constexpr VARTYPE VT_R8 = 5;
constexpr VARTYPE VT_CY = 6;
constexpr VARTYPE VT_DATE = 7;
constexpr VARTYPE VT_BSTR = 8;
constexpr VARTYPE VT_DISPATCH = 9;
constexpr VARTYPE VT_ERROR = 10;
constexpr VARTYPE VT_BOOL = 11;
constexpr VARTYPE VT_VARIANT = 12;
constexpr VARTYPE VT_UNKNOWN = 13;
constexpr VARTYPE VT_DECIMAL = 14;
constexpr VARTYPE VT_I1 = 16;
constexpr VARTYPE VT_UI1 = 17;
constexpr VARTYPE VT_UI2 = 18;
constexpr VARTYPE VT_UI4 = 19;
constexpr VARTYPE VT_I8 = 20;
constexpr VARTYPE VT_UI8 = 21;
constexpr VARTYPE VT_INT = 22;
constexpr VARTYPE VT_UINT = 23;
constexpr VARTYPE VT_ARRAY = 0x2000;
constexpr VARTYPE VT_BYREF = 0x4000;
constexpr VARTYPE VT_TYPEMASK = 0x0FFF;

// A Boolean in a variant: -1 is true, 0 false (the class library's WordBool).
using VARIANT_BOOL = int16_t;
using WordBool = VARIANT_BOOL;
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

// UTF-16 text exchanged with COM.
using BSTR = std::u16string;

// Flags of VariantChangeType (accepted for the real signature; the
// conversions here do not depend on them).
constexpr uint16_t VARIANT_NOVALUEPROP = 0x1;
constexpr uint16_t VARIANT_ALPHABOOL = 0x2;

class SafeArray;

class Variant {
public:
    // VT_EMPTY.
    Variant() noexcept {}
    Variant(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept;
    ~Variant();

    // VT_BOOL (-1 / 0).
    Variant(bool value) noexcept : vt_(VT_BOOL) { v_.i8 = value ? VARIANT_TRUE : VARIANT_FALSE; }
    // The integer type of T's size and signedness: int VT_I4, int16_t VT_I2,
    // uint8_t VT_UI1, int64_t VT_I8, ...
    template <class T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char> &&
             !std::is_same_v<T, char16_t> && !std::is_same_v<T, char32_t> &&
             !std::is_same_v<T, wchar_t> && !std::is_same_v<T, char8_t>) Variant(T value)
    noexcept : vt_(IntegerType<T>()) {
        if constexpr (std::is_signed_v<T>)
            v_.i8 = value;
        else
            v_.u8 = value;
    }
    // Enumerations are their ordinal, VT_I4.
    template <class T>
    requires std::is_enum_v<T> Variant(T value)
    noexcept : vt_(VT_I4) { v_.i8 = static_cast<int32_t>(value); }
    // VT_R4 and VT_R8.
    Variant(float value) noexcept : vt_(VT_R4) { v_.r4 = value; }
    Variant(double value) noexcept : vt_(VT_R8) { v_.r8 = value; }
    // VT_BSTR; 8-bit text is converted from the system code page.
    Variant(const char16_t* text);
    Variant(std::u16string text) noexcept;
    Variant(std::u16string_view text);
    Variant(const char* text);
    Variant(const std::string& text);
    Variant(std::string_view text);
    // VT_DISPATCH for IDispatch, interfaces derived from it and objects with
    // one IDispatch; VT_UNKNOWN for others. The variant holds its own
    // reference. A null pointer gives a variant of that type holding nothing
    // ("Nothing").
    template <class T>
    requires std::is_base_of_v<IUnknown, T> Variant(T* p)
    noexcept {
        if constexpr (std::is_convertible_v<T*, IDispatch*>)
            SetInterface(VT_DISPATCH, static_cast<IUnknown*>(static_cast<IDispatch*>(p)));
        else
            SetInterface(VT_UNKNOWN, static_cast<IUnknown*>(p));
    }
    template <class T>
    requires std::is_base_of_v<IUnknown, T> Variant(const ComPtr<T>& p)
    noexcept : Variant(p.Get()) {}
    Variant(std::nullptr_t) = delete;
    // VT_ARRAY | the array's element type.
    Variant(SafeArray array);

    // VT_NULL.
    static Variant Null() noexcept;
    // VT_ERROR with code.
    static Variant Error(HRESULT code) noexcept;
    // An omitted optional argument: VT_ERROR with DISP_E_PARAMNOTFOUND.
    static Variant Missing() noexcept { return Error(DISP_E_PARAMNOTFOUND); }
    // VT_DATE with an OLE date (days since 1899-12-30, time as fraction).
    static Variant Date(double oleDate) noexcept;
    // VT_CY with an amount in units of 1/10000.
    static Variant Currency(int64_t scaled) noexcept;
    // A value of the integer type vt (VT_I1..VT_UINT) or VT_ERROR; raises
    // DISP_E_OVERFLOW when value does not fit, DISP_E_BADVARTYPE for other vt.
    static Variant OfIntegerType(VARTYPE vt, int64_t value);

    // VT_BYREF | vt pointing at storage (see the table at the top of the file).
    static Variant ByRef(VARTYPE vt, void* storage) noexcept;
    static Variant ByRef(int8_t* p) noexcept { return ByRef(VT_I1, p); }
    static Variant ByRef(uint8_t* p) noexcept { return ByRef(VT_UI1, p); }
    static Variant ByRef(int16_t* p) noexcept { return ByRef(VT_I2, p); }
    static Variant ByRef(uint16_t* p) noexcept { return ByRef(VT_UI2, p); }
    static Variant ByRef(int32_t* p) noexcept { return ByRef(VT_I4, p); }
    static Variant ByRef(uint32_t* p) noexcept { return ByRef(VT_UI4, p); }
    static Variant ByRef(int64_t* p) noexcept { return ByRef(VT_I8, p); }
    static Variant ByRef(uint64_t* p) noexcept { return ByRef(VT_UI8, p); }
    static Variant ByRef(float* p) noexcept { return ByRef(VT_R4, p); }
    static Variant ByRef(double* p) noexcept { return ByRef(VT_R8, p); }
    static Variant ByRef(std::u16string* p) noexcept { return ByRef(VT_BSTR, p); }
    static Variant ByRef(ComPtr<IDispatch>* p) noexcept { return ByRef(VT_DISPATCH, p); }
    static Variant ByRef(ComPtr<IUnknown>* p) noexcept { return ByRef(VT_UNKNOWN, p); }
    static Variant ByRef(Variant* p) noexcept { return ByRef(VT_VARIANT, p); }
    static Variant ByRef(SafeArray* p) noexcept;
    // VARIANT_BOOL is a 16-bit integer, so Booleans, dates, currency and
    // error codes by reference have their own names.
    static Variant ByRefBool(VARIANT_BOOL* p) noexcept { return ByRef(VT_BOOL, p); }
    static Variant ByRefDate(double* p) noexcept { return ByRef(VT_DATE, p); }
    static Variant ByRefCurrency(int64_t* p) noexcept { return ByRef(VT_CY, p); }
    static Variant ByRefError(HRESULT* p) noexcept { return ByRef(VT_ERROR, p); }

    // The type code, with VT_BYREF and VT_ARRAY bits.
    VARTYPE Type() const noexcept { return vt_; }
    // The type code without the VT_BYREF bit.
    VARTYPE BaseType() const noexcept { return vt_ & ~VT_BYREF; }
    bool IsByRef() const noexcept { return (vt_ & VT_BYREF) != 0; }
    bool IsArray() const noexcept { return (vt_ & VT_ARRAY) != 0; }
    bool IsEmpty() const noexcept { return vt_ == VT_EMPTY; }
    bool IsNull() const noexcept { return vt_ == VT_NULL; }
    // True for an omitted optional argument (VT_ERROR DISP_E_PARAMNOTFOUND).
    bool IsMissing() const noexcept;
    // True when the variant is empty, or holds an interface that is nil.
    bool IsEmptyOrNothing() const noexcept;

    // The value a by-reference variant points at, as a by-value variant (a
    // VT_BYREF | VT_VARIANT is followed to the variant it points at); a
    // by-value variant is copied.
    Variant Deref() const;
    // The storage of a by-reference variant; nullptr for a by-value one.
    void* RefStorage() const noexcept { return IsByRef() ? v_.ref : nullptr; }

    // Checked coercions (VariantChangeType), following by-reference values.
    // They raise EOleSysError: DISP_E_TYPEMISMATCH when the value has no
    // form of that type, DISP_E_OVERFLOW when it does not fit.
    int32_t AsInteger() const;
    int64_t AsInt64() const;
    double AsDouble() const;
    bool AsBool() const;
    // The Boolean as -1 / 0.
    VARIANT_BOOL AsWordBool() const { return AsBool() ? VARIANT_TRUE : VARIANT_FALSE; }
    // An OLE date (strings in the forms of FormatOleDate are read).
    double AsDate() const;
    std::u16string AsWide() const;
    // The text as 8-bit text (UTF-8).
    std::string AsString() const;
    // The interface held (an empty variant gives nil; VT_UNKNOWN is queried
    // for IDispatch, E_NOINTERFACE when it has none).
    ComPtr<IDispatch> AsDispatch() const;
    ComPtr<IUnknown> AsUnknown() const;
    // The array held (VT_ARRAY, by value or by reference); DISP_E_TYPEMISMATCH otherwise.
    const SafeArray& AsArray() const;

    // This value converted to type vt into out (VariantChangeType); returns
    // S_OK or the failure code, never raises. out is untouched on failure.
    HRESULT ChangeType(VARTYPE vt, Variant& out) const noexcept;
    // Raising form: this value converted to vt.
    Variant ConvertTo(VARTYPE vt) const;

    // Assigns through a by-reference variant: value is converted to the
    // referenced type and stored in the caller's storage (a VT_BYREF |
    // VT_VARIANT receives value itself). A by-value variant becomes value.
    void SetValue(const Variant& value);

    // The caller's storage of a by-reference variant of that exact type;
    // raise DISP_E_TYPEMISMATCH for any other type.
    VARIANT_BOOL& BoolRef() const;
    int32_t& IntegerRef() const; // VT_I4 or VT_INT
    double& DoubleRef() const;   // VT_R8 or VT_DATE
    std::u16string& BstrRef() const;
    Variant& VariantRef() const;
    SafeArray& ArrayRef() const;
    ComPtr<IDispatch>& DispatchRef() const;

    // Same type and same value (text compared exactly, interfaces by
    // pointer, by-reference variants by their storage address).
    friend bool operator==(const Variant& a, const Variant& b) noexcept;

    // Type code and value, for test messages and logs.
    std::string DebugText() const;

    void swap(Variant& other) noexcept;

private:
    template <class T> static constexpr VARTYPE IntegerType() {
        if constexpr (sizeof(T) == 1)
            return std::is_signed_v<T> ? VT_I1 : VT_UI1;
        else if constexpr (sizeof(T) == 2)
            return std::is_signed_v<T> ? VT_I2 : VT_UI2;
        else if constexpr (sizeof(T) == 4)
            return std::is_signed_v<T> ? VT_I4 : VT_UI4;
        else
            return std::is_signed_v<T> ? VT_I8 : VT_UI8;
    }
    void SetInterface(VARTYPE vt, IUnknown* p) noexcept;
    static Variant Scalar(VARTYPE vt, int64_t value) noexcept;
    void Clear() noexcept;

    friend class VariantAccess;

    VARTYPE vt_ = VT_EMPTY;
    union Scalar {
        int64_t i8;  // every signed integer type, VT_BOOL, VT_ERROR, VT_CY
        uint64_t u8; // every unsigned integer type
        float r4;
        double r8; // VT_R8 and VT_DATE
        void* ref; // by-reference storage
    } v_{0};
    std::u16string bstr_;  // VT_BSTR
    ComPtr<IUnknown> unk_; // VT_DISPATCH (an IDispatch*) and VT_UNKNOWN
    struct ArrayDeleter {
        void operator()(SafeArray* a) const noexcept;
    };
    std::unique_ptr<SafeArray, ArrayDeleter> array_; // VT_ARRAY
};

// The class library's name for it.
using OleVariant = Variant;

// VariantChangeType: src converted to vt into dest (dest may be src).
HRESULT VariantChangeType(Variant& dest, const Variant& src, uint16_t flags, VARTYPE vt) noexcept;

// An OLE date as text: "yyyy-mm-dd", "yyyy-mm-dd hh:nn:ss" or "hh:nn:ss"
// (the date is left out for day 0, the time for midnight).
std::string FormatOleDate(double oleDate);
// Reads "yyyy-mm-dd[( |T)hh:nn[:ss]]", "hh:nn[:ss]" or "m/d/yyyy[ hh:nn[:ss]]"
// (with an optional AM/PM); false when text is none of them or out of range.
bool ParseOleDate(std::string_view text, double& oleDate);

std::ostream& operator<<(std::ostream& out, const Variant& v);

inline void swap(Variant& a, Variant& b) noexcept {
    a.swap(b);
}
