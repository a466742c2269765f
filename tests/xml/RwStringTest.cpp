// The character buffer: growth rule, wrapping, width conversions, terminator.
#include "xml/RwString.h"

#include <gtest/gtest.h>
#include <memory>

TEST(RwString, NewBufferIsEmptyWithEightBytes) {
    TRwString s;
    EXPECT_EQ(s.Length(), 0u);
    EXPECT_EQ(s.Capacity(), 8u);
    EXPECT_EQ(s.CharSize(), 2);
    EXPECT_TRUE(s.OwnsBuffer());
}

TEST(RwString, NinthWideCharacterGrowsCapacityTo24Bytes) {
    TRwString s(2);
    for (int i = 0; i < 4; ++i)
        s.AddChar(char16_t(u'a' + i));
    EXPECT_EQ(s.Capacity(), 8u);
    s.AddChar(u'e');
    EXPECT_EQ(s.Capacity(), 16u);
    for (int i = 0; i < 3; ++i)
        s.AddChar(u'x');
    EXPECT_EQ(s.Capacity(), 16u);
    s.AddChar(u'9');
    EXPECT_EQ(s.Capacity(), 24u);
    EXPECT_EQ(s.GetWideString(), u"abcdexxx9");
}

TEST(RwString, SetBufferSizeRoundsUpToTheNextStepAndCutsTheLength) {
    TRwString s(1);
    for (char c : std::string("abcdefghij"))
        s.AddChar(c);
    s.SetBufferSize(3);
    EXPECT_EQ(s.Capacity(), 8u);
    EXPECT_EQ(s.Length(), 8u);
    EXPECT_EQ(s.GetString(), "abcdefgh");
    s.SetBufferSize(8); // equal to the capacity: nothing happens
    EXPECT_EQ(s.Capacity(), 8u);
}

TEST(RwString, LongTextsGrowWithoutLosingContent) {
    TRwString s;
    std::u16string expected;
    for (int i = 0; i < 100000; ++i) {
        char16_t c = char16_t(u'a' + i % 26);
        s.AddChar(c);
        expected += c;
    }
    EXPECT_EQ(s.GetWideString(), expected);
}

TEST(RwString, WrappedBufferReadsForeignMemoryAndCannotGrow) {
    const char16_t text[] = u"wrapped";
    std::unique_ptr<TRwString> s(TRwString::Wrap(2, -1, text));
    EXPECT_FALSE(s->OwnsBuffer());
    EXPECT_EQ(s->Length(), 7u);
    EXPECT_EQ(s->GetWideString(), u"wrapped");
    std::unique_ptr<TRwString> part(TRwString::Wrap(2, 4, text));
    EXPECT_EQ(part->GetString(), "wrap");
    try {
        s->AddChar(u'!');
        FAIL() << "a wrapped buffer grew";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "It is not possible to resize the buffer!");
    }
    EXPECT_EQ(s->GetWideString(), u"wrapped");
}

TEST(RwString, EightBitCharactersDecodeUtf8AndFallBackToWindows1252) {
    TRwString s(2);
    for (char c : std::string("\xC3\xA4-\x80-\xF0\x9F\x98\x80-\xE9"))
        s.AddChar(c);
    EXPECT_EQ(s.GetWideString(), u"ä-€-😀-é");
}

TEST(RwString, AWideCharacterEndsAnUnfinishedEightBitSequenceFirst) {
    // The bytes waiting for the rest of their sequence become Windows-1252
    // characters before the 16-bit character that cuts them short.
    TRwString s(2);
    s.AddChar(u'a');
    s.AddChar('\xE2');
    s.AddChar('\x82');
    s.AddChar(u'b');
    s.AddChar(u'c');
    EXPECT_EQ(s.GetWideString(), u"a\u00E2\u201Abc");
    s.Clear();
    s.AddChar('\xC3');
    s.Clear();
    s.AddChar(u'd');
    EXPECT_EQ(s.GetWideString(), u"d");
}

TEST(RwString, WideCharactersBecomeUtf8InAnEightBitBuffer) {
    TRwString s(1);
    for (char16_t c : std::u16string(u"ä€😀"))
        s.AddChar(c);
    EXPECT_EQ(s.GetString(), "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80");
}

TEST(RwString, WriteEofTerminatesWithoutCounting) {
    TRwString s(2);
    for (char16_t c : std::u16string(u"abcd"))
        s.AddChar(c);
    s.WriteEOF();
    EXPECT_EQ(s.Length(), 4u);
    EXPECT_GE(s.Capacity(), 10u);
    EXPECT_EQ(s.WideBuffer()[4], 0);
}

TEST(RwString, AssignCopiesWidthContentAndLength) {
    TRwString source(1);
    for (char c : std::string("narrow"))
        source.AddChar(c);
    TRwString target(2);
    target.AddChar(u'x');
    target.Assign(source);
    EXPECT_EQ(target.CharSize(), 1);
    EXPECT_EQ(target.Length(), 6u);
    EXPECT_EQ(target.GetString(), "narrow");
}

TEST(RwString, ClearAndContentSize) {
    TRwString s;
    for (char16_t c : std::u16string(u"abc"))
        s.AddChar(c);
    s.SetContentSize(2);
    EXPECT_EQ(s.GetWideString(), u"ab");
    s.Clear();
    EXPECT_EQ(s.Length(), 0u);
    EXPECT_EQ(s.GetWideString(), u"");
}

TEST(RwString, SizesBeyondWhatTheBufferCanCountRaiseAndChangeNothing) {
    // A content size whose bytes do not fit the 32-bit capacity would leave
    // the length counting characters that were never allocated.
    TRwString s;
    s.AddChar(u'a');
    EXPECT_THROW(s.SetContentSize(0x80000001u), std::bad_alloc);
    EXPECT_THROW(s.SetBufferSize(0xFFFFFFFFu), std::bad_alloc);
    EXPECT_EQ(s.Length(), 1u);
    EXPECT_EQ(s.Capacity(), 8u);
    EXPECT_EQ(s.GetWideString(), u"a");
}

TEST(RwString, StringToStreamWritesTheBytes) {
    std::unique_ptr<TStream> stream(RwStringToStream("abc"));
    EXPECT_EQ(stream->GetSize(), 3);
    TMemoryStream existing;
    EXPECT_EQ(RwStringToStream("xy", &existing), &existing);
    EXPECT_EQ(existing.GetSize(), 2);
}
