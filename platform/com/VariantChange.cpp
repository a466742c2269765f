// Checked conversions between variant types (VariantChangeType).
//
// Numbers convert among themselves with range checks (DISP_E_OVERFLOW) and
// round half to even, as COM does; text converts to numbers, Booleans and
// dates when it reads as one (else DISP_E_TYPEMISMATCH); Booleans are -1 / 0
// as numbers and "True" / "False" as text; an object converts to a value
// through its default member (DISPID_VALUE). Null converts to nothing but
// itself, and errors, objects and arrays do not become numbers or text.
#include "platform/com/DispParams.h"
#include "platform/com/OleError.h"
#include "platform/com/SafeArray.h"
#include "platform/com/VariantAccess.h"
#include "platform/text/Text.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

using Number = long double;

constexpr double MinOleDate = -657434.0;        // 0100-01-01
constexpr double MaxOleDate = 2958465.99999999; // 9999-12-31 23:59:59
constexpr Number CurrencyScale = 10000;

bool IsIntegerType(VARTYPE vt) {
    switch (vt) {
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
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

bool IsSignedType(VARTYPE vt) {
    return vt == VT_I1 || vt == VT_I2 || vt == VT_I4 || vt == VT_I8 || vt == VT_INT;
}

// Reads a number written in text: optional blanks around it, a sign, decimal
// digits with an optional fraction and exponent, or "&H" hexadecimal and "&O"
// octal as automation clients write them.
bool ParseNumber(std::u16string_view wide, Number& out) {
    std::string s;
    for (char16_t c : wide) {
        if (c > 0x7F)
            return false;
        s += static_cast<char>(c);
    }
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return false;
    size_t e = s.find_last_not_of(" \t");
    std::string_view t(s.data() + b, e - b + 1);
    if (t.size() > 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h' || t[1] == 'O' || t[1] == 'o')) {
        int base = (t[1] == 'H' || t[1] == 'h') ? 16 : 8;
        uint64_t value = 0;
        auto r = std::from_chars(t.data() + 2, t.data() + t.size(), value, base);
        if (r.ec != std::errc() || r.ptr != t.data() + t.size())
            return false;
        out = static_cast<Number>(value);
        return true;
    }
    bool negative = false;
    std::string_view body = t;
    if (!body.empty() && (body[0] == '+' || body[0] == '-')) {
        negative = body[0] == '-';
        body.remove_prefix(1);
    }
    // Check the shape first: from_chars alone would accept "inf" and "nan".
    size_t i = 0, digits = 0;
    while (i < body.size() && body[i] >= '0' && body[i] <= '9')
        ++i, ++digits;
    bool integral = true;
    if (i < body.size() && body[i] == '.') {
        integral = false;
        ++i;
        while (i < body.size() && body[i] >= '0' && body[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
        integral = false;
        ++i;
        if (i < body.size() && (body[i] == '+' || body[i] == '-'))
            ++i;
        size_t expDigits = 0;
        while (i < body.size() && body[i] >= '0' && body[i] <= '9')
            ++i, ++expDigits;
        if (expDigits == 0)
            return false;
    }
    if (i != body.size())
        return false;
    if (integral) {
        uint64_t value = 0;
        auto r = std::from_chars(body.data(), body.data() + body.size(), value);
        if (r.ec == std::errc()) {
            out = negative ? -static_cast<Number>(value) : static_cast<Number>(value);
            return true;
        }
    }
    double value = 0;
    std::string copy(body);
    auto r = std::from_chars(copy.data(), copy.data() + copy.size(), value);
    if (r.ptr != copy.data() + copy.size())
        return false;
    if (r.ec == std::errc::result_out_of_range)
        value = std::numeric_limits<double>::infinity();
    out = negative ? -static_cast<Number>(value) : static_cast<Number>(value);
    return true;
}

// The value of the object's default member, for conversions of VT_DISPATCH.
HRESULT DefaultValue(const Variant& object, Variant& out) {
    IDispatch* disp = static_cast<IDispatch*>(VariantAccess::Interface(object));
    if (!disp)
        return DISP_E_TYPEMISMATCH;
    // A default member that answers another object would send us round in
    // circles; a few levels are all any object model uses.
    thread_local int depth = 0;
    if (depth >= 4)
        return DISP_E_TYPEMISMATCH;
    ++depth;
    DispParams none;
    Variant result;
    HRESULT hr = disp->Invoke(DISPID_VALUE, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                              &none, &result, nullptr, nullptr);
    --depth;
    if (FAILED(hr))
        return DISP_E_TYPEMISMATCH;
    out = std::move(result);
    return S_OK;
}

// The numeric value of a by-value variant.
HRESULT NumberOf(const Variant& v, Number& out, bool wantDate) {
    switch (v.Type()) {
    case VT_EMPTY:
        out = 0;
        return S_OK;
    case VT_BOOL:
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_I8:
    case VT_INT:
        out = static_cast<Number>(VariantAccess::Signed(v));
        return S_OK;
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UI8:
    case VT_UINT:
        out = static_cast<Number>(VariantAccess::Unsigned(v));
        return S_OK;
    case VT_R4:
        out = VariantAccess::Single(v);
        return S_OK;
    case VT_R8:
    case VT_DATE:
        out = VariantAccess::Double(v);
        return S_OK;
    case VT_CY:
        out = static_cast<Number>(VariantAccess::Signed(v)) / CurrencyScale;
        return S_OK;
    case VT_BSTR: {
        if (wantDate) {
            double date = 0;
            if (ParseOleDate(text::Narrow(VariantAccess::Text(v)), date)) {
                out = date;
                return S_OK;
            }
        }
        return ParseNumber(VariantAccess::Text(v), out) ? S_OK : DISP_E_TYPEMISMATCH;
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

// Range of each integer type.
void IntegerRange(VARTYPE vt, Number& lo, Number& hi) {
    switch (vt) {
    case VT_I1:
        lo = INT8_MIN;
        hi = INT8_MAX;
        return;
    case VT_UI1:
        lo = 0;
        hi = UINT8_MAX;
        return;
    case VT_I2:
        lo = INT16_MIN;
        hi = INT16_MAX;
        return;
    case VT_UI2:
        lo = 0;
        hi = UINT16_MAX;
        return;
    case VT_I4:
    case VT_INT:
        lo = INT32_MIN;
        hi = INT32_MAX;
        return;
    case VT_UI4:
    case VT_UINT:
        lo = 0;
        hi = UINT32_MAX;
        return;
    case VT_I8:
        lo = static_cast<Number>(INT64_MIN);
        hi = static_cast<Number>(INT64_MAX);
        return;
    default:
        lo = 0;
        hi = static_cast<Number>(UINT64_MAX);
        return;
    }
}

// Rounds half to even, whatever rounding mode the process runs in.
Number RoundEven(Number x) {
    Number r = std::round(x);
    if (std::fabs(x - std::trunc(x)) == 0.5L)
        r = 2 * std::round(x / 2);
    return r;
}

HRESULT ToNumberType(const Variant& src, VARTYPE vt, Variant& out) {
    Number x = 0;
    HRESULT hr = NumberOf(src, x, vt == VT_DATE);
    if (FAILED(hr))
        return hr;
    if (std::isnan(x))
        return DISP_E_OVERFLOW;
    if (IsIntegerType(vt)) {
        Number lo, hi;
        IntegerRange(vt, lo, hi);
        Number r = RoundEven(x);
        if (r < lo || r > hi)
            return DISP_E_OVERFLOW;
        if (IsSignedType(vt))
            out = Variant::OfIntegerType(vt, static_cast<int64_t>(r));
        else if (vt == VT_UI8)
            out = Variant(static_cast<uint64_t>(r));
        else
            out = Variant::OfIntegerType(vt, static_cast<int64_t>(r));
        return S_OK;
    }
    switch (vt) {
    case VT_R4:
        if (std::isfinite(x) && std::fabs(x) > std::numeric_limits<float>::max())
            return DISP_E_OVERFLOW;
        out = Variant(static_cast<float>(x));
        return S_OK;
    case VT_R8:
        out = Variant(static_cast<double>(x));
        return S_OK;
    case VT_DATE:
        if (!(x >= MinOleDate && x <= MaxOleDate))
            return DISP_E_OVERFLOW;
        out = Variant::Date(static_cast<double>(x));
        return S_OK;
    case VT_CY: {
        Number scaled = RoundEven(x * CurrencyScale);
        if (!(scaled >= static_cast<Number>(INT64_MIN) && scaled <= static_cast<Number>(INT64_MAX)))
            return DISP_E_OVERFLOW;
        out = Variant::Currency(static_cast<int64_t>(scaled));
        return S_OK;
    }
    default:
        return DISP_E_BADVARTYPE;
    }
}

std::string FormatDouble(double x, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, x);
    return buf;
}

std::string FormatCurrency(int64_t scaled) {
    bool negative = scaled < 0;
    uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    std::string out = std::to_string(magnitude / 10000);
    uint64_t fraction = magnitude % 10000;
    if (fraction) {
        char buf[8];
        std::snprintf(buf, sizeof buf, ".%04u", static_cast<unsigned>(fraction));
        std::string f = buf;
        while (f.back() == '0')
            f.pop_back();
        out += f;
    }
    return negative ? "-" + out : out;
}

HRESULT ToText(const Variant& src, Variant& out) {
    std::string s;
    switch (src.Type()) {
    case VT_EMPTY:
        out = Variant(u"");
        return S_OK;
    case VT_BOOL:
        out = Variant(VariantAccess::Signed(src) ? u"True" : u"False");
        return S_OK;
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_I8:
    case VT_INT:
        s = std::to_string(VariantAccess::Signed(src));
        break;
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UI8:
    case VT_UINT:
        s = std::to_string(VariantAccess::Unsigned(src));
        break;
    case VT_R4:
        s = FormatDouble(VariantAccess::Single(src), 7);
        break;
    case VT_R8:
        s = FormatDouble(VariantAccess::Double(src), 15);
        break;
    case VT_CY:
        s = FormatCurrency(VariantAccess::Signed(src));
        break;
    case VT_DATE: {
        // Only the calendar's dates have a text, as only they convert to a date.
        double date = VariantAccess::Double(src);
        if (!(date >= MinOleDate && date <= MaxOleDate))
            return DISP_E_OVERFLOW;
        s = FormatOleDate(date);
        break;
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
    out = Variant(text::Wide(s));
    return S_OK;
}

HRESULT ToBool(const Variant& src, Variant& out) {
    if (src.Type() == VT_BSTR) {
        const std::u16string& t = VariantAccess::Text(src);
        std::u16string trimmed = t;
        while (!trimmed.empty() && trimmed.back() == u' ')
            trimmed.pop_back();
        while (!trimmed.empty() && trimmed.front() == u' ')
            trimmed.erase(0, 1);
        if (text::SameText(trimmed, u"True")) {
            out = Variant(true);
            return S_OK;
        }
        if (text::SameText(trimmed, u"False")) {
            out = Variant(false);
            return S_OK;
        }
    }
    Number x = 0;
    HRESULT hr = NumberOf(src, x, false);
    if (FAILED(hr))
        return hr;
    out = Variant(x != 0);
    return S_OK;
}

HRESULT ToInterface(const Variant& src, VARTYPE vt, Variant& out) {
    switch (src.Type()) {
    case VT_EMPTY:
        out = vt == VT_DISPATCH ? Variant(static_cast<IDispatch*>(nullptr))
                                : Variant(static_cast<IUnknown*>(nullptr));
        return S_OK;
    case VT_DISPATCH:
        out = Variant(VariantAccess::Interface(src)); // an IDispatch is an IUnknown
        return S_OK;
    case VT_UNKNOWN: {
        IUnknown* unk = VariantAccess::Interface(src);
        if (!unk) {
            out = Variant(static_cast<IDispatch*>(nullptr));
            return S_OK;
        }
        ComPtr<IDispatch> disp = ComQuery<IDispatch>(unk);
        if (!disp)
            return E_NOINTERFACE;
        out = Variant(disp);
        return S_OK;
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

HRESULT Convert(const Variant& src, VARTYPE vt, Variant& out) {
    if (vt & VT_BYREF)
        return DISP_E_BADVARTYPE;
    if (vt == VT_VARIANT || src.Type() == vt) {
        out = src;
        return S_OK;
    }
    if (vt & VT_ARRAY) {
        if (!src.IsArray())
            return DISP_E_TYPEMISMATCH;
        // Arrays of variants take any array; their elements become variants.
        if ((vt & VT_TYPEMASK) != VT_VARIANT)
            return DISP_E_TYPEMISMATCH;
        const SafeArray& from = *VariantAccess::Array(src);
        SafeArray to(VT_VARIANT, from.LowerBound(), from.Count());
        for (size_t i = 0; i < from.Count(); ++i)
            to.Put(from.LowerBound() + int64_t(i), from.Elements()[i]);
        out = Variant(std::move(to));
        return S_OK;
    }
    if (!IsScalarVarType(vt))
        return DISP_E_BADVARTYPE;
    if (src.IsArray())
        return DISP_E_TYPEMISMATCH;
    if (src.Type() == VT_DISPATCH && vt != VT_UNKNOWN) {
        Variant value;
        HRESULT hr = DefaultValue(src, value);
        if (FAILED(hr))
            return hr;
        if (value.Type() == VT_DISPATCH)
            return DISP_E_TYPEMISMATCH;
        return Convert(value, vt, out);
    }
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_ERROR:
        return DISP_E_TYPEMISMATCH; // only from the same type, handled above
    case VT_BSTR:
        return ToText(src, out);
    case VT_BOOL:
        return ToBool(src, out);
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return ToInterface(src, vt, out);
    default:
        return ToNumberType(src, vt, out);
    }
}

} // namespace

HRESULT Variant::ChangeType(VARTYPE vt, Variant& out) const noexcept {
    try {
        Variant result;
        HRESULT hr = IsByRef() ? Convert(Deref(), vt, result) : Convert(*this, vt, result);
        if (SUCCEEDED(hr))
            out = std::move(result);
        return hr;
    } catch (...) {
        return HResultFromCurrentException();
    }
}

HRESULT VariantChangeType(Variant& dest, const Variant& src, uint16_t, VARTYPE vt) noexcept {
    return src.ChangeType(vt, dest);
}
