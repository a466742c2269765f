// Numbers and Booleans to text and back, with the class library's rules and messages.
#include "tests/support/ExpectRaises.h"

#include "platform/rtl/Conversions.h"
#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(Conversions, IntegersToText) {
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(uint64_t(18446744073709551615ULL)), "18446744073709551615");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0x1234, 2), "1234"); // digits is a minimum
    EXPECT_EQ(IntToHex(-1, 1), "FFFFFFFF");
    EXPECT_EQ(IntToHex(int64_t(-1), 1), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToHex(int8_t(-1), 1), "FF");
}

TEST(Conversions, ValidIntegerTexts) {
    const std::pair<const char*, int> cases[] = {
        {"42", 42},
        {"  42", 42},
        {"-42", -42},
        {"+7", 7},
        {"$FF", 255},
        {"0x10", 16},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"007", 7},
    };
    for (auto [textValue, expected] : cases) {
        EXPECT_EQ(StrToInt(textValue), expected) << textValue;
        int value = 0;
        EXPECT_TRUE(TryStrToInt(textValue, value)) << textValue;
        EXPECT_EQ(value, expected);
    }
    EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64("4294967296"), 4294967296LL);
}

TEST(Conversions, InvalidIntegerTexts) {
    const char* cases[] = {"",  " ",  "42 ",        "4x",  "2147483648", "-2147483649", "--1",
                           "$", "0x", "$1FFFFFFFF", "1.0", "+-1",        "\t1"};
    for (const char* textValue : cases) {
        ExpectRaises<EConvertError>([&] { StrToInt(textValue); },
                                    std::string("'") + textValue +
                                        "' is not a valid integer value");
        int value = 99;
        EXPECT_FALSE(TryStrToInt(textValue, value));
        EXPECT_EQ(value, 99); // left alone
        EXPECT_EQ(StrToIntDef(textValue, -5), -5);
    }
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
    EXPECT_EQ(StrToInt64Def("x", 3), 3);
}

TEST(Conversions, FloatToStrIsShortestWithFifteenDigits) {
    const std::pair<double, const char*> cases[] = {
        {0.1, "0.1"},
        {100, "100"},
        {-1.5, "-1.5"},
        {0, "0"},
        {1e20, "1E20"},
        {1e-5, "1E-5"},
        {0.0001, "0.0001"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456789012345680.0, "1.23456789012346E17"},
        {999999999999999.0, "999999999999999"},
        {9999999999999999.0, "1E16"},
        {std::nan(""), "NAN"},
        {-INFINITY, "-INF"},
    };
    for (auto [value, expected] : cases)
        EXPECT_EQ(FloatToStr(value), expected);
    EXPECT_EQ(FloatToStrF(1234.5678, ffFixed, 15, 2), "1234.57");
    EXPECT_EQ(FloatToStrF(99.96, ffFixed, 15, 1), "100.0");
    EXPECT_EQ(FloatToStrF(1234.5678, ffExponent, 4, 2), "1.235E+03");
    EXPECT_EQ(FloatToStrF(-1234567.5, ffNumber, 15, 0), "-1,234,568");
}

TEST(Conversions, FloatTexts) {
    EXPECT_EQ(StrToFloat(" 1.5 "), 1.5);
    EXPECT_EQ(StrToFloat("-2E3"), -2000);
    EXPECT_EQ(StrToFloat(".5"), 0.5);
    EXPECT_EQ(StrToFloat("5."), 5);
    EXPECT_EQ(StrToFloat("+1e-2"), 0.01);
    for (const char* bad : {"", "-", "inf", "nan", "0x1p3", "1,5", "1e", "e5", "1.5x"}) {
        double value = 7;
        EXPECT_FALSE(TryStrToFloat(bad, value)) << bad;
        EXPECT_EQ(value, 7);
    }
    ExpectRaises<EConvertError>([] { StrToFloat("abc"); },
                                "'abc' is not a valid floating point value");
    EXPECT_EQ(StrToFloatDef("x", 2.5), 2.5);
}

TEST(Conversions, BooleansAsNumbersOrWords) {
    const std::pair<const char*, bool> cases[] = {
        {"-1", true},   {"0", false},     {"1", true},    {"2.5", true},
        {"TRUE", true}, {"false", false}, {"True", true}, {" 0 ", false},
    };
    for (auto [textValue, expected] : cases)
        EXPECT_EQ(StrToBool(textValue), expected) << textValue;
    ExpectRaises<EConvertError>([] { StrToBool("yes"); }, "'yes' is not a valid boolean value");
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_EQ(BoolToStr(false), "0");
    EXPECT_EQ(BoolToStr(true, true), "True");
}

} // namespace
