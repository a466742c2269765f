// String routines: trimming, 1-based searching, replacing and quoting.
#include "platform/rtl/StrUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(StrUtils, TrimRemovesBlanksAndControlCharacters) {
    EXPECT_EQ(Trim("\t a b \r\n"), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a \x01"), "  a");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(Trim("\xC3\xA9"), "\xC3\xA9"); // bytes of letters above 127 stay
}

TEST(StrUtils, PositionsAreOneBasedAndZeroMeansNotFound) {
    EXPECT_EQ(Pos("b", "abcb"), 2);
    EXPECT_EQ(Pos("b", "abcb", 3), 4);
    EXPECT_EQ(Pos("x", "abcb"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(Pos("a", "abc", 0), 0);
    EXPECT_EQ(Pos("c", "abc", 4), 0);
    EXPECT_EQ(PosText("BC", "abcabc", 3), 5);
    EXPECT_EQ(LastDelimiter("\\", "Mailbox\\Inbox\\Sub"), 14);
    EXPECT_EQ(LastDelimiter("\\/", "plain"), 0);
}

TEST(StrUtils, ContainmentIgnoringLetterCase) {
    EXPECT_TRUE(ContainsText("Work, Private", "private"));
    EXPECT_TRUE(ContainsText("KEY-ÄBC", "äbc"));
    EXPECT_TRUE(ContainsText("anything", ""));
    EXPECT_FALSE(ContainsText("Work", "Works"));
    // ASCII beside other letters: positions stay in bytes, a letter that is
    // not ASCII never matches an ASCII one, and a byte that is not UTF-8
    // reads as Windows-1252.
    EXPECT_EQ(PosText("B", "\u00E4b"), 3);
    EXPECT_TRUE(ContainsText("\u00C4RGER-x", "\u00E4rger-X"));
    EXPECT_FALSE(ContainsText("L\u0131ST", "LIST"));
    EXPECT_TRUE(ContainsText("K\xC4Y-1", "k\u00C4y-1"));
    EXPECT_TRUE(ContainsStr("Work", "or"));
    EXPECT_FALSE(ContainsStr("Work", "OR"));
    EXPECT_TRUE(StartsText("open", "OPEN1"));
    EXPECT_FALSE(StartsText("OPEN1", "open"));
    EXPECT_TRUE(EndsText(".XML", "Zub.xml"));
    EXPECT_FALSE(EndsText("zub.xml", ".xml"));
}

TEST(StrUtils, StringReplaceFirstOrAllInEitherCase) {
    EXPECT_EQ(StringReplace("a-b-c", "-", "+"), "a+b-c");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", {rfReplaceAll}), "a+b+c");
    EXPECT_EQ(StringReplace("Ab ab AB", "ab", "x", {rfReplaceAll}), "Ab x AB");
    EXPECT_EQ(StringReplace("Ab ab AB", "ab", "x", {rfReplaceAll, rfIgnoreCase}), "x x x");
    EXPECT_EQ(StringReplace("Ärger ärger", "ä", "o", {rfReplaceAll, rfIgnoreCase}), "orger orger");
    EXPECT_EQ(StringReplace("aaa", "a", "aa", {rfReplaceAll}), "aaaaaa"); // no re-scan of output
    EXPECT_EQ(StringReplace("abc", "", "x", {rfReplaceAll}), "abc");
    EXPECT_EQ(StringReplace("abc", "abc", ""), "");
}

TEST(StrUtils, QuotingDoublesTheQuoteCharacter) {
    EXPECT_EQ(QuotedStr("O'Brien"), "'O''Brien'");
    EXPECT_EQ(QuotedStr(""), "''");
    EXPECT_EQ(AnsiQuotedStr("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(AnsiDequotedStr("\"say \"\"hi\"\"\"", '"'), "say \"hi\"");
    EXPECT_EQ(AnsiDequotedStr("plain", '"'), "plain");
    EXPECT_EQ(AnsiDequotedStr("\"unclosed", '"'), "\"unclosed");
    EXPECT_EQ(AnsiDequotedStr("\"\"", '"'), "");

    std::string_view rest = "'a''b' tail";
    EXPECT_EQ(AnsiExtractQuotedStr(rest, '\''), "a'b");
    EXPECT_EQ(rest, " tail");
    rest = "no quote";
    EXPECT_EQ(AnsiExtractQuotedStr(rest, '\''), "");
    EXPECT_EQ(rest, "no quote");
}

TEST(StrUtils, LetterCaseUnderTheClassLibraryNames) {
    EXPECT_EQ(UpperCase("ticket é"), "TICKET É");
    EXPECT_EQ(AnsiLowerCase("ÄB"), "äb");
    EXPECT_TRUE(SameText("UNINSTALL", "Uninstall"));
    EXPECT_EQ(AnsiCompareText("a", "B"), -1);
    EXPECT_LT(CompareStr("B", "a"), 0);
}

} // namespace
