// Escaping, unescaping and the typed value conversions to and from XML text.
#include "xml/RwXmlConvert.h"

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

TEST(Convert, StrToXmlEscapesAndIsIdempotent) {
    EXPECT_EQ(RwStrToXML(std::u16string(u"a\tb\r\nc\0d", 8)), u"a&#9;b&#13;&#10;cd");
    EXPECT_EQ(RwStrToXML(u"a &amp; b & c"), u"a &amp; b &amp; c");
    EXPECT_EQ(RwStrToXML(u"&lt;&gt;&quot;&apos;"), u"&lt;&gt;&quot;&apos;");
    // Only the spellings that unescaping knows are left alone: any other
    // letter case is text, and reads back as written.
    for (std::u16string_view text : {u"&AMP;", u"&Lt;", u"&QUOT;", u"&Apos;", u"&gT;", u"&amp"}) {
        std::u16string escaped = RwStrToXML(text);
        EXPECT_EQ(escaped, u"&amp;" + std::u16string(text.substr(1)));
        EXPECT_EQ(RwXMLToStr(escaped), text);
    }
    EXPECT_EQ(RwStrToXML(u"<\"'>"), u"&lt;&quot;&apos;&gt;");
    EXPECT_EQ(RwStrToXML(u"\u00E4\U0001F600"), u"\u00E4\U0001F600");
}

TEST(Convert, XmlToStrResolvesEntitiesAndReferences) {
    EXPECT_EQ(RwXMLToStr(u"&#65;&#$42;"), u"AB");
    EXPECT_EQ(RwXMLToStr(u"&lt;&gt;&quot;&apos;&amp;"), u"<>\"'&");
    EXPECT_EQ(RwXMLToStr(u"x&nbsp;y"), u"xy");
    EXPECT_EQ(RwXMLToStr(u"&#x41;&#128512;&#x1F600;"), u"A\U0001F600\U0001F600");
    try {
        RwXMLToStr(u"&lt");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Invalid XML entity reference : l");
    }
    EXPECT_THROW(RwXMLToStr(u"&#zz;"), Exception);
    EXPECT_THROW(RwXMLToStr(u"&ampx;"), Exception);
}

TEST(Convert, BooleansIntegersAndDoubles) {
    EXPECT_TRUE(RwXMLToBool(u"TRUE"));
    EXPECT_TRUE(RwXMLToBool(u"1"));
    EXPECT_FALSE(RwXMLToBool(u"yes"));
    EXPECT_EQ(RwBoolToXML(true), u"true");
    EXPECT_EQ(RwIntToXML(-42), u"-42");
    EXPECT_EQ(RwXMLToInt(u"17"), 17);
    EXPECT_THROW(RwXMLToInt(u"x"), EConvertError);
    EXPECT_EQ(RwDoubleToXML(1.5), u"1.5");
    EXPECT_DOUBLE_EQ(RwXMLToDouble(u"2.25"), 2.25);
    EXPECT_EQ(PadLeft(7, 3, u'0'), u"007");
    EXPECT_EQ(PadLeft(7, 3, 0), u"  7");
}

TEST(Convert, DatesAndTimesRoundTrip) {
    TDateTime moment = EncodeDate(2024, 2, 29) + EncodeTime(13, 5, 9, 45);
    EXPECT_EQ(RwDateToXML(moment), u"2024-02-29");
    EXPECT_EQ(RwTimeToXML(moment), u"13:05:09.045");
    EXPECT_EQ(RwDateTimeToXML(moment), u"2024-02-29T13:05:09.045");
    EXPECT_DOUBLE_EQ(RwXMLToDateTime(u"2024-02-29T13:05:09.045+01:00"), moment);
    EXPECT_DOUBLE_EQ(RwXMLToDate(u"2024-02-29"), EncodeDate(2024, 2, 29));
    EXPECT_DOUBLE_EQ(RwXMLToTime(u"13:05:09"), EncodeTime(13, 5, 9, 0));
    EXPECT_THROW(RwXMLToDate(u"2023-02-29"), EConvertError);
}
