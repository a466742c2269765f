// Variant construction, checked coercions, by-reference values and safe arrays.
#include "platform/com/Com.h"

#include <gtest/gtest.h>

#include "tests/support/ComTestSupport.h"

#include <cmath>
#include <limits>

TEST(Variant, ConstructorsChooseTheOleType) {
    EXPECT_EQ(Variant().Type(), VT_EMPTY);
    EXPECT_EQ(Variant(true).Type(), VT_BOOL);
    EXPECT_EQ(Variant(42).Type(), VT_I4);
    EXPECT_EQ(Variant(int16_t(1)).Type(), VT_I2);
    EXPECT_EQ(Variant(uint8_t(1)).Type(), VT_UI1);
    EXPECT_EQ(Variant(int64_t(1)).Type(), VT_I8);
    EXPECT_EQ(Variant(1u).Type(), VT_UI4);
    EXPECT_EQ(Variant(1.5).Type(), VT_R8);
    EXPECT_EQ(Variant(1.5f).Type(), VT_R4);
    EXPECT_EQ(Variant("text").Type(), VT_BSTR);
    EXPECT_EQ(Variant(u"text").Type(), VT_BSTR);
    EXPECT_EQ(Variant(std::string("x")).Type(), VT_BSTR);
    EXPECT_EQ(Variant::Null().Type(), VT_NULL);
    EXPECT_EQ(Variant::Date(1).Type(), VT_DATE);
    EXPECT_EQ(Variant::Error(E_FAIL).Type(), VT_ERROR);
    EXPECT_TRUE(Variant::Missing().IsMissing());
    EXPECT_EQ(Variant(static_cast<IDispatch*>(nullptr)).Type(), VT_DISPATCH);
    EXPECT_TRUE(Variant(static_cast<IDispatch*>(nullptr)).IsEmptyOrNothing());
    EXPECT_EQ(Variant(SafeArray()).Type(), VT_ARRAY | VT_VARIANT);
    // 8-bit text is the system code page: UTF-8, invalid bytes as Windows-1252.
    EXPECT_EQ(Variant("caf\xC3\xA9").AsWide(), u"café");
    EXPECT_EQ(Variant("caf\xE9").AsWide(), u"café");
}

TEST(Variant, BooleansAreMinusOneAndZero) {
    EXPECT_EQ(Variant(true).AsInteger(), -1);
    EXPECT_EQ(Variant(false).AsInteger(), 0);
    EXPECT_EQ(Variant(true).AsWordBool(), VARIANT_TRUE);
    EXPECT_EQ(Variant(true).AsWide(), u"True");
    EXPECT_EQ(Variant(false).AsString(), "False");
    EXPECT_TRUE(Variant(u" true ").AsBool());
    EXPECT_FALSE(Variant(u"FALSE").AsBool());
    EXPECT_TRUE(Variant(u"-1").AsBool());
    EXPECT_TRUE(Variant(7).AsBool());
    EXPECT_FALSE(Variant(0.0).AsBool());
    EXPECT_FALSE(Variant().AsBool());
}

TEST(Variant, NumbersAndTextConvertBothWays) {
    EXPECT_EQ(Variant(u"  123 ").AsInteger(), 123);
    EXPECT_EQ(Variant(u"-7").AsInteger(), -7);
    EXPECT_EQ(Variant(u"&H1F").AsInteger(), 31);
    EXPECT_DOUBLE_EQ(Variant(u"1.5E3").AsDouble(), 1500.0);
    EXPECT_EQ(Variant(u"9223372036854775807").AsInt64(), INT64_MAX);
    EXPECT_EQ(Variant(42).AsWide(), u"42");
    EXPECT_EQ(Variant(-1.25).AsWide(), u"-1.25");
    EXPECT_EQ(Variant(0.1).AsWide(), u"0.1");
    EXPECT_EQ(Variant(1e20).AsWide(), u"1E+20");
    EXPECT_EQ(Variant(uint64_t(UINT64_MAX)).AsWide(), u"18446744073709551615");
    EXPECT_EQ(Variant::Currency(123450000).AsWide(), u"12345");
    EXPECT_EQ(Variant::Currency(-15000).AsWide(), u"-1.5");
    EXPECT_EQ(Variant().AsWide(), u"");
    EXPECT_EQ(Variant().AsInteger(), 0);
}

TEST(Variant, DoublesRoundHalfToEven) {
    EXPECT_EQ(Variant(2.5).AsInteger(), 2);
    EXPECT_EQ(Variant(3.5).AsInteger(), 4);
    EXPECT_EQ(Variant(-2.5).AsInteger(), -2);
    EXPECT_EQ(Variant(2.6).AsInteger(), 3);
    EXPECT_EQ(Variant(u"2.5").AsInteger(), 2);
}

TEST(Variant, ConversionFailuresRaiseMismatchOrOverflow) {
    struct Case {
        Variant value;
        VARTYPE to;
        HRESULT expected;
    };
    const Case cases[] = {
        {Variant(u"abc"), VT_I4, DISP_E_TYPEMISMATCH},
        {Variant(u""), VT_I4, DISP_E_TYPEMISMATCH},
        {Variant(u"12abc"), VT_R8, DISP_E_TYPEMISMATCH},
        {Variant(u"inf"), VT_R8, DISP_E_TYPEMISMATCH},
        {Variant(u"1e"), VT_R8, DISP_E_TYPEMISMATCH},
        {Variant(u"maybe"), VT_BOOL, DISP_E_TYPEMISMATCH},
        {Variant::Null(), VT_I4, DISP_E_TYPEMISMATCH},
        {Variant::Null(), VT_BSTR, DISP_E_TYPEMISMATCH},
        {Variant::Error(E_FAIL), VT_I4, DISP_E_TYPEMISMATCH},
        {Variant(SafeArray()), VT_BSTR, DISP_E_TYPEMISMATCH},
        {Variant(42), VT_DISPATCH, DISP_E_TYPEMISMATCH},
        {Variant(static_cast<IDispatch*>(nullptr)), VT_I4, DISP_E_TYPEMISMATCH},
        {Variant(3e10), VT_I4, DISP_E_OVERFLOW},
        {Variant(70000), VT_I2, DISP_E_OVERFLOW},
        {Variant(-1), VT_UI4, DISP_E_OVERFLOW},
        {Variant(256), VT_UI1, DISP_E_OVERFLOW},
        {Variant(u"99999999999"), VT_I4, DISP_E_OVERFLOW},
        {Variant(1e40), VT_R4, DISP_E_OVERFLOW},
        {Variant(std::nan("")), VT_I4, DISP_E_OVERFLOW},
        {Variant(3e6), VT_DATE, DISP_E_OVERFLOW},
        {Variant(1e300), VT_CY, DISP_E_OVERFLOW},
        {Variant(1), VT_DECIMAL, DISP_E_BADVARTYPE},
        {Variant(1), VT_I4 | VT_BYREF, DISP_E_BADVARTYPE},
    };
    for (const Case& c : cases) {
        Variant out(u"untouched");
        EXPECT_EQ(c.value.ChangeType(c.to, out), c.expected) << c.value << " to " << c.to;
        EXPECT_EQ(out, Variant(u"untouched"));
        EXPECT_EQ(CodeOf([&] { c.value.ConvertTo(c.to); }), c.expected);
    }
    EXPECT_EQ(CodeOf([] { Variant(u"x").AsInteger(); }), DISP_E_TYPEMISMATCH);
}

TEST(Variant, IntegerLimitsConvertExactly) {
    EXPECT_EQ(Variant(32767).ConvertTo(VT_I2), Variant(int16_t(32767)));
    EXPECT_EQ(Variant(-128).ConvertTo(VT_I1), Variant(int8_t(-128)));
    EXPECT_EQ(Variant(u"4294967295").ConvertTo(VT_UI4), Variant(4294967295u));
    EXPECT_EQ(Variant(u"18446744073709551615").ConvertTo(VT_UI8), Variant(uint64_t(UINT64_MAX)));
    EXPECT_EQ(Variant(INT32_MIN).ConvertTo(VT_INT).Type(), VT_INT);
    EXPECT_EQ(Variant(1.5).ConvertTo(VT_CY), Variant::Currency(15000));
}

TEST(Variant, DatesAreOleDatesWithAReadableTextForm) {
    EXPECT_EQ(Variant::Date(0).AsWide(), u"00:00:00");
    EXPECT_EQ(Variant::Date(2).AsString(), "1900-01-01");
    EXPECT_EQ(Variant::Date(45352.5).AsString(), "2024-03-01 12:00:00");
    EXPECT_EQ(Variant::Date(0.25).AsString(), "06:00:00");
    EXPECT_EQ(Variant::Date(-1.25).AsString(), "1899-12-29 06:00:00");
    EXPECT_DOUBLE_EQ(Variant(u"2024-03-01 12:00").AsDate(), 45352.5);
    EXPECT_DOUBLE_EQ(Variant(u"2024-03-01T12:00:00").AsDate(), 45352.5);
    EXPECT_DOUBLE_EQ(Variant(u"3/1/2024 12:00 PM").AsDate(), 45352.5);
    EXPECT_DOUBLE_EQ(Variant(u"1899-12-29 06:00").AsDate(), -1.25);
    EXPECT_DOUBLE_EQ(Variant(u"18:00").AsDate(), 0.75);
    EXPECT_DOUBLE_EQ(Variant(u"45352.5").AsDate(), 45352.5);
    EXPECT_EQ(CodeOf([] { Variant(u"2024-02-30").AsDate(); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(CodeOf([] { Variant(u"25:00").AsDate(); }), DISP_E_TYPEMISMATCH);
    // Text and dates round trip.
    for (double d : {1.0, 36526.75, 2958465.0, -657434.0, -700.5}) {
        double back = 0;
        ASSERT_TRUE(ParseOleDate(FormatOleDate(d), back)) << FormatOleDate(d);
        EXPECT_DOUBLE_EQ(back, d);
    }
}

// A date outside the calendar the dates cover (a caller's garbage, an
// infinity) has no text: it fails as a number that does not fit a date does,
// instead of reading as an empty text or a year out of range.
TEST(Variant, ADateOutsideTheCalendarHasNoText) {
    const double outside[] = {1e300,
                              -1e300,
                              2958466.0,
                              -657435.0,
                              std::numeric_limits<double>::infinity(),
                              std::numeric_limits<double>::quiet_NaN()};
    for (double d : outside)
        EXPECT_EQ(CodeOf([d] { Variant::Date(d).AsString(); }), DISP_E_OVERFLOW) << d;
    EXPECT_EQ(Variant::Date(2958465.5).AsString(), "9999-12-31 12:00:00");
}

TEST(Variant, ByReferenceValuesReadAndWriteTheCallersStorage) {
    VARIANT_BOOL cancel = VARIANT_FALSE;
    Variant ref = Variant::ByRefBool(&cancel);
    EXPECT_EQ(ref.Type(), VT_BYREF | VT_BOOL);
    EXPECT_TRUE(ref.IsByRef());
    EXPECT_FALSE(ref.AsBool());
    ref.SetValue(true);
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_TRUE(ref.AsBool());
    ref.BoolRef() = VARIANT_FALSE;
    EXPECT_EQ(cancel, VARIANT_FALSE);

    // A copy of a by-reference variant refers to the same storage.
    Variant copy = ref;
    copy.SetValue(Variant(u"True"));
    EXPECT_EQ(cancel, VARIANT_TRUE);

    std::u16string text = u"before";
    Variant textRef = Variant::ByRef(&text);
    EXPECT_EQ(textRef.AsWide(), u"before");
    textRef.SetValue(12);
    EXPECT_EQ(text, u"12");
    textRef.BstrRef() += u"!";
    EXPECT_EQ(textRef.Deref(), Variant(u"12!"));

    int32_t number = 5;
    Variant numberRef = Variant::ByRef(&number);
    EXPECT_EQ(numberRef.AsInteger(), 5);
    EXPECT_EQ(CodeOf([&] { numberRef.SetValue(u"not a number"); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(number, 5);
    EXPECT_EQ(CodeOf([&] { numberRef.SetValue(1e12); }), DISP_E_OVERFLOW);
    EXPECT_EQ(CodeOf([&] { numberRef.BoolRef(); }), DISP_E_TYPEMISMATCH);

    Variant target(1);
    Variant variantRef = Variant::ByRef(&target);
    variantRef.SetValue(u"now text");
    EXPECT_EQ(target, Variant(u"now text"));
    EXPECT_EQ(variantRef.AsWide(), u"now text");

    double date = 0;
    Variant dateRef = Variant::ByRefDate(&date);
    dateRef.SetValue(u"2024-03-01 12:00");
    EXPECT_DOUBLE_EQ(date, 45352.5);

    // A by-value variant simply takes the value.
    Variant plain(3);
    plain.SetValue(u"x");
    EXPECT_EQ(plain, Variant(u"x"));
}

TEST(Variant, ReferencesToReferencesAndNullStorageAreRefused) {
    Variant inner = Variant::ByRef(static_cast<int32_t*>(nullptr));
    EXPECT_EQ(CodeOf([&] { inner.AsInteger(); }), E_POINTER);
    Variant self;
    self = Variant::ByRef(&self);
    EXPECT_EQ(CodeOf([&] { self.AsInteger(); }), DISP_E_BADVARTYPE);
}

TEST(SafeArray, OneDimensionalArraysKeepBoundsAndElementType) {
    SafeArray names(VT_BSTR, 1, 2);
    EXPECT_EQ(names.LowerBound(), 1);
    EXPECT_EQ(names.UpperBound(), 2);
    EXPECT_EQ(names.Get(1), Variant(u""));
    names.Put(2, 7);
    EXPECT_EQ(names.Get(2), Variant(u"7"));
    EXPECT_EQ(CodeOf([&] { names.Get(0); }), DISP_E_BADINDEX);
    EXPECT_EQ(CodeOf([&] { names.Put(3, u"x"); }), DISP_E_BADINDEX);
    EXPECT_EQ(CodeOf([] { SafeArray(VT_EMPTY, 0, 1); }), DISP_E_BADVARTYPE);
    EXPECT_EQ(CodeOf([] { SafeArray(VT_VARIANT, 0, SafeArray::MaxCount + 1); }), E_OUTOFMEMORY);

    Variant v(SafeArray::OfStrings({u"a", u"b"}));
    EXPECT_EQ(v.Type(), VT_ARRAY | VT_BSTR);
    EXPECT_EQ(v.AsArray().Get(1), Variant(u"b"));
    Variant asVariants = v.ConvertTo(VT_ARRAY | VT_VARIANT);
    EXPECT_EQ(asVariants.AsArray().ElementType(), VT_VARIANT);
    EXPECT_EQ(asVariants.AsArray().Count(), 2u);
}

TEST(SafeArray, TheCustomArrayPassedByReferenceCanBeReplacedByTheCallee) {
    SafeArray custom; // what a host passes: an empty array of variants
    Variant ref = Variant::ByRef(&custom);
    EXPECT_EQ(ref.Type(), VT_BYREF | VT_ARRAY | VT_VARIANT);
    EXPECT_EQ(ref.AsArray().Count(), 0u);
    ref.ArrayRef().Resize(1);
    ref.ArrayRef().Put(0, u"hello");
    EXPECT_EQ(custom.Get(0), Variant(u"hello"));
    ref.SetValue(Variant(SafeArray::OfVariants({Variant(1), Variant(2)})));
    EXPECT_EQ(custom.Count(), 2u);
}

namespace {

constexpr GUID IID_IOther = MakeGuid("{0C0FFEE0-0000-4000-8000-0000000000F1}");
struct IOther : IUnknown {
    static constexpr GUID Iid = IID_IOther;
};

// An automation object with a second, non-dispatch interface.
class TwoFaced : public DispatchObject<IDispatch, IOther> {
    friend struct ::ComMaker;
    TwoFaced() = default;
};

} // namespace

TEST(Variant, HoldsObjectsWithTheirReference) {
    auto obj = MakeComObject<TwoFaced>();
    {
        Variant v(obj);
        EXPECT_EQ(v.Type(), VT_DISPATCH);
        EXPECT_EQ(obj->RefCount(), 2u);
        Variant copy = v;
        EXPECT_EQ(obj->RefCount(), 3u);
        EXPECT_TRUE(IsSameObject(copy.AsUnknown().Get(), obj->UnknownSelf()));
        Variant unknown(obj->UnknownSelf());
        EXPECT_EQ(unknown.Type(), VT_UNKNOWN);
        EXPECT_EQ(unknown.AsDispatch().Get(), v.AsDispatch().Get()); // queried for IDispatch
    }
    EXPECT_EQ(obj->RefCount(), 1u);
    Variant noDispatch(static_cast<IOther*>(obj.Get()));
    EXPECT_EQ(noDispatch.Type(), VT_UNKNOWN);
}
