// Conversation indexes as the simulated Outlook builds them: a 22-byte header
// for a new conversation, five more bytes for each answer, shown as hex text.
#include "platform/sim/outlook/ConversationIndex.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {
constexpr GUID Thread = MakeGuid("{01234567-89AB-CDEF-0123-456789ABCDEF}");
// 2024-03-01 12:00 as an OLE date.
constexpr TDateTime March = 45352.5;
} // namespace

TEST(ConversationIndex, HeaderHoldsTheTimeAndTheGuid) {
    std::vector<uint8_t> index = NewConversationIndex(March, Thread);
    ASSERT_EQ(index.size(), ConversationHeaderSize);
    EXPECT_EQ(index[0], 1); // every FILETIME since 1829 starts with 01
    std::u16string text = ConversationIndexText(index);
    EXPECT_EQ(text.substr(12), u"0123456789ABCDEF0123456789ABCDEF");
    // FILETIME of 2024-03-01 12:00 UTC is 0x01DA6BCFFC87A000: bits 63..16 kept.
    EXPECT_EQ(text.substr(0, 12), u"01DA6BCFFC87");
}

TEST(ConversationIndex, EachAnswerAppendsFiveBytesToItsParent) {
    std::vector<uint8_t> root = NewConversationIndex(March, Thread);
    std::vector<uint8_t> reply = ChildConversationIndex(root, March + 1.0 / 24, 0x7);
    std::vector<uint8_t> again = ChildConversationIndex(reply, March + 2.0 / 24, 0x3);
    ASSERT_EQ(reply.size(), 27u);
    ASSERT_EQ(again.size(), 32u);
    EXPECT_TRUE(std::equal(root.begin(), root.end(), reply.begin()));
    EXPECT_TRUE(std::equal(reply.begin(), reply.end(), again.begin()));
    // One hour is 36,000,000,000 units; shifted by 18 that is 137329 (0x21871).
    EXPECT_EQ(ConversationIndexText({reply.begin() + 22, reply.end()}), u"0002187171");
    // The last nibble counts the answers, the one before it is the random nibble.
    EXPECT_EQ(again.back(), 0x32);
}

TEST(ConversationIndex, LongDelaysUseTheCoarseCode) {
    std::vector<uint8_t> root = NewConversationIndex(March, Thread);
    std::vector<uint8_t> late = ChildConversationIndex(root, March + 4000, 0);
    EXPECT_EQ(late[22] & 0x80, 0x80);
}

TEST(ConversationIndex, AnAnswerToAMessageWithoutIndexStartsAConversation) {
    EXPECT_EQ(ChildConversationIndex({}, March, 0).size(), ConversationHeaderSize);
    EXPECT_EQ(ChildConversationIndex({1, 2, 3}, March, 0).size(), ConversationHeaderSize);
}

TEST(ConversationIndex, TextRoundTripsAndRejectsWhatIsNotHex) {
    std::vector<uint8_t> bytes{0x01, 0xAB, 0xFF, 0x00};
    EXPECT_EQ(ConversationIndexText(bytes), u"01ABFF00");
    EXPECT_EQ(ConversationIndexBytes(u"01abFF00"), bytes);
    EXPECT_TRUE(ConversationIndexBytes(u"01A").empty());
    EXPECT_TRUE(ConversationIndexBytes(u"01G0").empty());
    EXPECT_TRUE(ConversationIndexBytes(u"").empty());
}
