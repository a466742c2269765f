// 8-bit text, UTF-16 and Windows-1252 conversions.
#include "platform/text/Text.h"

#include <gtest/gtest.h>

using namespace text;

TEST(Text, Utf8RoundTripsThroughUtf16IncludingAstralCharacters) {
    std::string s = "Grüße \xE2\x82\xAC \xF0\x9F\x98\x80 end";
    std::u16string w = Utf8ToUtf16(s);
    EXPECT_EQ(w, u"Grüße € 😀 end");
    EXPECT_EQ(Utf16ToUtf8(w), s);
}

TEST(Text, InvalidUtf8ByteReadsAsWindows1252) {
    // "caf\xE9" is Windows-1252 for café; 0x80 is the euro sign there.
    EXPECT_EQ(Utf8ToUtf16("caf\xE9"), u"café");
    EXPECT_EQ(Utf8ToUtf16("\x80"), u"€");
    // A valid sequence next to an invalid byte keeps its meaning.
    EXPECT_EQ(Utf8ToUtf16("\xC3\xA9\xE9"), u"éé");
    // Truncated and overlong sequences are single bytes too.
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"â‚");
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"À¯");
}

TEST(Text, UnpairedSurrogateBecomesReplacementCharacter) {
    std::u16string lone = u"a";
    lone += char16_t(0xD800);
    lone += u"b";
    EXPECT_EQ(Utf16ToUtf8(lone), "a\xEF\xBF\xBD"
                                 "b");
}

TEST(Text, Cp1252ConversionsBothWays) {
    EXPECT_EQ(Cp1252ToUtf16("\x93quoted\x94"), u"\u201Cquoted\u201D");
    EXPECT_EQ(Utf16ToCp1252(u"€ \u4E2D"), "\x80 ?");
    EXPECT_EQ(Latin1ToUtf16("\x80"), std::u16string(1, char16_t(0x80)));
}

TEST(Text, CaseInsensitiveComparisonCoversAccentedAndCyrillicLetters) {
    EXPECT_TRUE(SameText("Outlook.Application", "OUTLOOK.application"));
    EXPECT_TRUE(SameText(u"Привет Ärger", u"ПРИВЕТ äRGER"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
    EXPECT_EQ(UpperCase("straße é"), "STRAßE É");
    EXPECT_EQ(LowerCase(u"ÀŁ"), u"àł");
}

TEST(Text, AsciiRunsAndEightBitCharactersMeetInOneText) {
    // Where a run of ASCII meets UTF-8 or a Windows-1252 byte, both are read
    // as characters of their own.
    EXPECT_EQ(Utf8ToUtf32("ab\xC3\xA9"
                          "cd\xE9"
                          "e"),
              U"abécdée");
    EXPECT_EQ(UpperCase("ab\xC3\xA9"
                        "c"),
              "AB\xC3\x89"
              "C");
    // A Windows-1252 byte the case change leaves alone keeps its byte.
    EXPECT_EQ(UpperCase("x\xD7y"), "X\xD7Y");
    EXPECT_EQ(LowerCase("Caf\xC3\x89 AU LAIT"), "caf\xC3\xA9 au lait");
    EXPECT_TRUE(SameText("caf\xE9 Noir", "CAF\xC3\x89 noir"));
    EXPECT_LT(CompareText("Zeta", "\xC3\xA9"), 0);
    EXPECT_GT(CompareText("ab\xC3\xA9", "ABZ"), 0);
    EXPECT_LT(CompareText(u"Zeta", u"éclair"), 0);
    EXPECT_GT(CompareText(u"zz", u"ZY"), 0);
}

TEST(Text, ValidityCheckRejectsSurrogatesAndOutOfRange) {
    EXPECT_TRUE(IsValidUtf8("plain \xC3\xA9"));
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // encoded surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE9"));
}

TEST(Text, AsciiCaseChangesOnlyAsciiLetters) {
    // Every byte outside A-Z and a-z, the bytes of "é" among them, is kept.
    EXPECT_EQ(AsciiUpperCase("Grüße, @[`{ az AZ 09"), "GRüßE, @[`{ AZ AZ 09");
    EXPECT_EQ(AsciiLowerCase("GRÜSSE, @[`{ az AZ 09"), "grÜsse, @[`{ az az 09");
    const std::string lowers = "abcdefghijklmnopqrstuvwxyz";
    const std::string uppers = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (int c = 0; c < 256; ++c) {
        const char b = static_cast<char>(c);
        const size_t lower = lowers.find(b), upper = uppers.find(b);
        EXPECT_EQ(AsciiUpper(b), lower == std::string::npos ? b : uppers[lower]) << c;
        EXPECT_EQ(AsciiLower(b), upper == std::string::npos ? b : lowers[upper]) << c;
    }
}

TEST(Text, Utf16LeBytesPutTheLowByteFirst) {
    EXPECT_EQ(Utf16LeBytes(u""), std::vector<uint8_t>{});
    EXPECT_EQ(Utf16LeBytes(u"A\u20AC\U0001F600"),
              (std::vector<uint8_t>{0x41, 0x00, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE}));
}
