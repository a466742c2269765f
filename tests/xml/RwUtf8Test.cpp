// UTF-8 encoding and the UTF-8 reading stream, including characters above U+FFFF.
#include "xml/RwUtf8.h"

#include "ChunkedReads.h"
#include "platform/text/Text.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// Reads every character of source (which it frees) through a convert
// stream, `chunk` at a time.
std::u16string DecodeStream(TStream* source, size_t chunk) {
    TRwUTF8ConvertStream stream(source, true);
    std::u16string out;
    std::u16string buffer(chunk, u'\0');
    for (;;) {
        size_t n = stream.Read(buffer.data(), chunk * 2);
        if (n == 0)
            break;
        out.append(buffer.data(), n / 2);
    }
    return out;
}

// Reads every character of bytes through a convert stream, `chunk` at a
// time, and raises the stream's error. The bytes are also read from a source
// that hands them out 1 to 7 at a time, which must give the same.
std::u16string Decode(const std::string& bytes, size_t chunk = 4096) {
    auto outcome = [chunk](TStream* source) {
        try {
            return std::make_pair(DecodeStream(source, chunk), std::string());
        } catch (const Exception& e) {
            return std::make_pair(std::u16string(), e.Message);
        }
    };
    auto [text, error] = ReadAtEveryChunkSize(bytes, outcome);
    if (!error.empty())
        throw Exception(error);
    return text;
}

std::string DecodeError(const std::string& bytes) {
    try {
        Decode(bytes);
    } catch (const Exception& e) {
        return e.Message;
    }
    return "no error";
}

} // namespace

TEST(Utf8Encode, EncodesOneTwoThreeAndFourByteCharacters) {
    EXPECT_EQ(UTF8Encode(u"a"), "a");
    EXPECT_EQ(UTF8Encode(u"\u00E4"), "\xC3\xA4");
    EXPECT_EQ(UTF8Encode(u"\u20AC"), "\xE2\x82\xAC");
    EXPECT_EQ(UTF8Encode(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(UTF8Encode(u""), "");
}

TEST(Utf8Encode, LoneSurrogateHalvesAreWrittenAsTheReplacementCharacter) {
    // A half has no UTF-8 form of its own; the pair around it still encodes.
    const std::string fffd = "\xEF\xBF\xBD";
    struct Case {
        std::u16string text;
        std::string bytes;
    };
    const Case cases[] = {
        {{0xD83D, u'x', 0xDE00}, fffd + "x" + fffd},
        {{0xD83D}, fffd},
        {{0xDE00, 0xD83D}, fffd + fffd},
        {{0xD83D, 0xD83D, 0xDE00}, fffd + "\xF0\x9F\x98\x80"},
        {{u'a', 0xDBFF}, "a" + fffd},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UTF8Encode(c.text), c.bytes);
        char dest[16] = {};
        EXPECT_EQ(UnicodeToUtf8(dest, sizeof dest, c.text.data(), c.text.size()), c.bytes.size());
        EXPECT_EQ(std::string(dest), c.bytes);
        EXPECT_TRUE(text::IsValidUtf8(UTF8Encode(c.text)));
    }
}

TEST(Utf8Encode, UnicodeToUtf8StopsBeforeASequenceThatDoesNotFit) {
    char dest[8] = {};
    std::u16string s = u"ab\u20AC";
    EXPECT_EQ(UnicodeToUtf8(dest, 4, s.data(), s.size()), 2u);
    EXPECT_EQ(std::string(dest), "ab");
    EXPECT_EQ(UnicodeToUtf8(dest, 8, s.data(), s.size()), 5u);
    EXPECT_EQ(std::string(dest), "ab\xE2\x82\xAC");
}

TEST(Utf8Encode, WideStringToUtf8StreamWritesNoSignature) {
    std::unique_ptr<TStream> stream(RwWideStringToUTF8Stream(u"\u00E4"));
    EXPECT_EQ(stream->GetSize(), 2);
}

TEST(Utf8ConvertStream, DecodesTwoThreeAndFourByteSequences) {
    EXPECT_EQ(Decode("\xC3\xA4"), u"\u00E4");
    EXPECT_EQ(Decode("\xE2\x82\xAC"), u"\u20AC");
    EXPECT_EQ(Decode("<a>\xF0\x9F\x98\x80</a>"), u"<a>\U0001F600</a>");
}

TEST(Utf8ConvertStream, SurrogateHalvesWrittenEarlierReadAsAPair) {
    EXPECT_EQ(Decode("\xED\xA0\xBD\xED\xB8\x80"), u"\U0001F600");
}

TEST(Utf8ConvertStream, EverySplitOfTheOutputGivesTheSameText) {
    std::string bytes = "x\xC3\xA4\xF0\x9F\x98\x80y\xE2\x82\xAC\xF0\x9F\x98\x81";
    for (size_t chunk = 1; chunk <= 5; ++chunk)
        EXPECT_EQ(Decode(bytes, chunk), u"x\u00E4\U0001F600y\u20AC\U0001F601") << chunk;
}

TEST(Utf8ConvertStream, FaultsRaiseTheStreamMessages) {
    const std::string invalid = "The stream does not contain valid UTF-8 code!";
    EXPECT_EQ(DecodeError("\x80"), invalid);
    EXPECT_EQ(DecodeError("\xC3"), invalid + "\r\nThere are 1 or 2 bytes missing!");
    EXPECT_EQ(DecodeError("\xE2\x82"), invalid + "\r\nThere is 1 byte missing!");
    EXPECT_EQ(DecodeError("\xE2"), invalid + "\r\nThere are 1 or 2 bytes missing!");
    EXPECT_EQ(DecodeError("\xF0\x9F\x98"), invalid + "\r\nThere is 1 byte missing!");
    EXPECT_EQ(DecodeError("\xF7\xBF\xBF\xBF"), invalid);
}

TEST(Utf8ConvertStream, CharactersBeforeAFaultAreDeliveredFirst) {
    auto* source = new TMemoryStream();
    source->WriteBuffer("ab\x80", 3);
    source->SetPosition(0);
    TRwUTF8ConvertStream stream(source, true);
    char16_t buffer[8];
    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 4u);
    EXPECT_EQ(std::u16string(buffer, 2), u"ab");
    EXPECT_THROW(stream.Read(buffer, sizeof buffer), Exception);
    EXPECT_THROW(stream.Read(buffer, sizeof buffer), Exception);
}

TEST(Utf8ConvertStream, LongMixedTextReadsTheSameWholeAndInSmallPieces) {
    // Long runs go through the block-wise path, pieces of one or two
    // characters through the careful one; every length ends somewhere else.
    const std::u16string pieces[] = {u"plain text ",     u"\u00E4", u"\u20AC",
                                     u"\U0001F600",      u"x",      u"\u07FF\u0800",
                                     u"0123456789abcdef"};
    std::u16string text;
    for (int i = 0; i < 60; ++i) {
        text += pieces[(i * 5) % std::size(pieces)];
        std::string bytes = UTF8Encode(text);
        ASSERT_EQ(Decode(bytes), text) << i;
        for (size_t chunk = 1; chunk <= 3; ++chunk)
            ASSERT_EQ(Decode(bytes, chunk), text) << i << " " << chunk;
    }
}

TEST(Utf8ConvertStream, AFaultAfterALongRunStillComesAfterItsCharacters) {
    for (const char* fault : {"\x80", "\xF7\xBF\xBF\xBF"}) {
        for (size_t length = 0; length < 40; ++length) {
            std::string bytes =
                UTF8Encode(std::u16string(length, u'a') + u"\u00E4") + fault + "tail";
            auto* source = new TMemoryStream();
            source->WriteBuffer(bytes.data(), bytes.size());
            source->SetPosition(0);
            TRwUTF8ConvertStream stream(source, true);
            char16_t buffer[64];
            ASSERT_EQ(stream.Read(buffer, sizeof buffer), (length + 1) * 2) << length;
            EXPECT_THROW(stream.Read(buffer, sizeof buffer), Exception) << length;
        }
    }
}

TEST(Utf8ConvertStream, SeekMovesTheUnderlyingStreamByHalf) {
    auto* source = new TMemoryStream();
    source->WriteBuffer("abcdef", 6);
    source->SetPosition(0);
    TRwUTF8ConvertStream stream(source, true);
    char16_t buffer[2];
    stream.Read(buffer, sizeof buffer);
    EXPECT_EQ(stream.Seek(0, soCurrent), 4);
    EXPECT_EQ(stream.Seek(6, soBeginning), 6);
    stream.Read(buffer, 2);
    EXPECT_EQ(buffer[0], u'd');
    EXPECT_EQ(stream.Write("x", 1), 0u);
}
