// Format: placeholders, argument kinds, widths and precisions, and the
// errors for placeholders that do not fit their arguments.
#include "tests/support/ExpectRaises.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/RtlConsts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

enum TColour { clRed, clGreen, clBlue };

struct BadFormat {
    const char* format;
    std::vector<TVarRec> args;
};

TEST(Format, TextAndIntegerArguments) {
    EXPECT_EQ(Format("%s error: %d", {std::string("x"), 5}), "x error: 5");
    EXPECT_EQ(Format("The %s property cannot be empty.", {"AddInName"}),
              "The AddInName property cannot be empty.");
    EXPECT_EQ(Format("Software\\Microsoft\\Office\\%d.0\\Common", {12}),
              "Software\\Microsoft\\Office\\12.0\\Common");
    EXPECT_EQ(Format("no placeholders", {}), "no placeholders");
    EXPECT_EQ(Format("%s%s|%d", {'a', u"Grüße", clBlue}), "aGrüße|2");
}

TEST(Format, IndexedPlaceholdersPickArgumentsAndTheNextOneFollows) {
    EXPECT_EQ(
        Format("Cannot rename file from \"%0:s\" to \"%1:s\".", {"log.txt", "log.txt_Old.txt"}),
        "Cannot rename file from \"log.txt\" to \"log.txt_Old.txt\".");
    EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b"}), "b a b");
    EXPECT_EQ(Format("About %0:s, %0:s again", {"Lorvane", "unused", "NoValue"}),
              "About Lorvane, Lorvane again");
    EXPECT_EQ(Format("%2:s-%s", {"a", "b", "c", "d"}), "c-d");
}

TEST(Format, WidthJustificationAndPrecision) {
    EXPECT_EQ(Format("[%5d]", {42}), "[   42]");
    EXPECT_EQ(Format("[%-5d]", {42}), "[42   ]");
    EXPECT_EQ(Format("[%.3d]", {-5}), "[-005]");
    EXPECT_EQ(Format("[%6.3d]", {-5}), "[  -005]");
    EXPECT_EQ(Format("[%1d]", {12345}), "[12345]"); // width never truncates
    EXPECT_EQ(Format("[%.3s]", {"abcdef"}), "[abc]");
    EXPECT_EQ(Format("[%-6.2s]", {"abcdef"}), "[ab    ]");
    // Widths count characters, not bytes.
    EXPECT_EQ(Format("[%-3s]", {"é"}), "[é  ]");
    EXPECT_EQ(Format("[%.1s]", {"éa"}), "[é]");
}

TEST(Format, StarTakesWidthAndPrecisionFromTheArguments) {
    EXPECT_EQ(Format("[%*d]", {5, 42}), "[   42]");
    EXPECT_EQ(Format("[%-*.*f]", {8, 1, 2.25}), "[2.3     ]");
    EXPECT_EQ(Format("[%*d]", {-4, 7}), "[7   ]");
    EXPECT_EQ(Format("%*:s", {2, "a", "b"}), "b");
}

// A width or precision taken from an argument has the bound of one written
// in digits: a wild value raises instead of asking for gigabytes of padding
// (or, at the 32-bit minimum, negating past the range).
TEST(Format, StarValuesBeyondTheBoundRaiseConvertError) {
    const BadFormat cases[] = {
        {"%*d", {2000000000, 1}},         {"%*d", {-2000000000, 1}},
        {"%*d", {int32_t(INT32_MIN), 1}}, {"%*d", {int64_t(1) << 32 | 5, 1}},
        {"%.*d", {2000000000, 1}},        {"%.*s", {int64_t(-1) << 40, "abc"}},
    };
    for (const BadFormat& c : cases)
        EXPECT_THROW(Format(c.format, c.args), EConvertError) << c.format;
    EXPECT_EQ(Format("%*d", {-3, 1}), "1  ");
}

TEST(Format, PercentSign) {
    EXPECT_EQ(Format("100%%", {}), "100%");
    EXPECT_EQ(Format("%d%%", {50}), "50%");
    EXPECT_EQ(Format("%%d", {}), "%d");
}

TEST(Format, IntegersInDecimalUnsignedAndHexadecimal) {
    EXPECT_EQ(Format("%x %X %.4x", {255, 255, 255}), "FF FF 00FF");
    EXPECT_EQ(Format("%x", {-1}), "FFFFFFFF");
    EXPECT_EQ(Format("%x", {int64_t(-1)}), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Format("%u", {-1}), "4294967295");
    EXPECT_EQ(Format("%u", {int64_t(-1)}), "18446744073709551615");
    EXPECT_EQ(Format("%d", {uint64_t(18446744073709551615ULL)}), "18446744073709551615");
    EXPECT_EQ(Format("%d", {int64_t(-9223372036854775807LL - 1)}), "-9223372036854775808");
    EXPECT_EQ(Format("%d %d", {uint32_t(4294967295u), int8_t(-3)}), "4294967295 -3");
}

TEST(Format, FloatingPointFormats) {
    EXPECT_EQ(Format("%e", {1234.5}), "1.23450000000000E+003");
    EXPECT_EQ(Format("%.3e", {-0.000123456}), "-1.23E-004");
    EXPECT_EQ(Format("%f", {3.14159}), "3.14");
    EXPECT_EQ(Format("%.0f", {2.5}), "3");
    EXPECT_EQ(Format("%.2f", {0.125}), "0.13"); // half away from zero
    EXPECT_EQ(Format("%.1f", {-0.04}), "0.0");  // no sign on a rounded zero
    EXPECT_EQ(Format("%.3f", {1e-10}), "0.000");
    EXPECT_EQ(Format("%g", {0.1}), "0.1");
    EXPECT_EQ(Format("%g", {1234567.0}), "1234567");
    EXPECT_EQ(Format("%g", {1e20}), "1E020");
    EXPECT_EQ(Format("%.3g", {3.14159f}), "3.14");
    EXPECT_EQ(Format("%n", {1234567.891}), "1,234,567.89");
    EXPECT_EQ(Format("%.0n", {-999.5}), "-1,000");
    EXPECT_EQ(Format("%m", {1234.5}), "$1,234.50");
    EXPECT_EQ(Format("%m", {-5.0}), "($5.00)");
    EXPECT_EQ(Format("%8.2f|", {-1.5}), "   -1.50|");
}

TEST(Format, PointersAreHexadecimalOfFullWidth) {
    EXPECT_EQ(Format("%p", {nullptr}), "0000000000000000");
    EXPECT_EQ(Format("%p", {reinterpret_cast<const void*>(0x1234ABCD)}), "000000001234ABCD");
}

TEST(Format, PlaceholderThatDoesNotFitItsArgumentRaisesConvertError) {
    const BadFormat cases[] = {
        {"%d", {1.5}},         {"%s", {5}},       {"%f", {5}},       {"%x", {"a"}},
        {"%p", {5}},           {"%u", {"5"}},     {"%k", {5}},       {"%", {5}},
        {"%5", {5}},           {"%*d", {"x", 5}}, {"%e", {nullptr}}, {"%.*f", {1.5, 1.5}},
        {"%s %d", {"a", "b"}},
    };
    for (const BadFormat& c : cases) {
        ExpectRaises<EConvertError>([&] { Format(c.format, c.args); },
                                    std::string("Format '") + c.format +
                                        "' invalid or incompatible with argument");
    }
}

TEST(Format, MissingArgumentRaisesConvertError) {
    ExpectRaises<EConvertError>([] { Format("%d and %d", {1}); },
                                "No argument for format '%d and %d'");
    EXPECT_THROW(Format("%3:s", {"a", "b"}), EConvertError);
    EXPECT_THROW(Format("%*d", {5}), EConvertError);
}

TEST(Format, ExceptionsFormatTheirMessage) {
    EConvertError e(RtlConsts::SInvalidInteger, {"abc"});
    EXPECT_EQ(e.Message, "'abc' is not a valid integer value");
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    Exception plain("100% literal");
    EXPECT_EQ(plain.Message, "100% literal");
    ExpectRaises<EAbort>([] { Abort(); }, "Operation aborted");
}

} // namespace
