// The key of a message without conversation index: the MD5 digest of its
// subject and body without white space, as 32 upper-case hexadecimal digits.
#include "addin/send/MessageKey.h"
#include "platform/sim/outlook/OutlookSim.h"

#include <gtest/gtest.h>

TEST(MessageKey, TheDigestsOfTheStandardExamples) {
    struct Case {
        const char* text;
        const char* key;
    };
    // RFC 1321, appendix A.5.
    for (const Case& c :
         {Case{"", "D41D8CD98F00B204E9800998ECF8427E"},
          Case{"a", "0CC175B9C0F1B6A831C399E269772661"},
          Case{"abc", "900150983CD24FB0D6963F7D28E17F72"},
          Case{"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
          Case{"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
               "57EDF4A22BE3C955AC49DA2E2107B67A"}})
        EXPECT_EQ(MD5Key(c.text), c.key) << c.text;
}

TEST(MessageKey, OnlyTabsLineEndsAndBlanksAreWhiteSpace) {
    EXPECT_EQ(RemoveWhiteSpace(" a\tb\r\nc \x0B\x0C"
                               "d\xC2\xA0"
                               "e "),
              "abc\x0B\x0C"
              "d\xC2\xA0"
              "e");
    EXPECT_EQ(RemoveWhiteSpace(" \t\r\n"), "");
}

namespace {

// A mail item of the simulated Outlook with that subject and body.
ComPtr<sim::SimItem> Mail(sim::OutlookSim& outlook, std::u16string subject, std::u16string body) {
    sim::ItemData data;
    data.Subject = std::move(subject);
    data.Body = std::move(body);
    return outlook.NewItem(sim::ItemKind::Mail, data);
}

} // namespace

TEST(MessageKey, AMessageIsKeyedByItsSubjectAndBodyWithoutWhiteSpace) {
    sim::OutlookSim outlook;
    ComPtr<sim::SimItem> mail = Mail(outlook, u"a b", u"\tc\r\n");
    outlook::MailItem item(mail->DispRef());
    EXPECT_EQ(StrippedMessageText(item), "abc");
    EXPECT_EQ(MD5Key(StrippedMessageText(item)), "900150983CD24FB0D6963F7D28E17F72");
}

TEST(MessageKey, TextIsDigestedAsUtf8) {
    sim::OutlookSim outlook;
    ComPtr<sim::SimItem> mail = Mail(outlook, u"Gr\u00FC\u00DFe", u"\u65E5\u672C");
    outlook::MailItem item(mail->DispRef());
    EXPECT_EQ(StrippedMessageText(item), "Gr\xC3\xBC\xC3\x9F"
                                         "e\xE6\x97\xA5\xE6\x9C\xAC");
    EXPECT_EQ(MD5Key(StrippedMessageText(item)).size(), 32u);
}
