// SAX error objects, text helper, the do-nothing handler and the vendor registry.
#include "xml/uRwXmlSax.h"

#include <gtest/gtest.h>

namespace {

// A vendor that records its own destruction.
class CountingVendor : public TBufferedSAXVendor {
public:
    CountingVendor(SAXString name, int& destroyed)
        : name_(std::move(name)), destroyed_(destroyed) {}
    ~CountingVendor() override { ++destroyed_; }
    SAXString Description() override { return name_; }
    ComPtr<IXMLReader> XMLReader() override { return nullptr; }
    ComPtr<IBufferedXMLReader> BufferedXMLReader() override { return nullptr; }

private:
    SAXString name_;
    int& destroyed_;
};

} // namespace

TEST(SaxBase, PSAXCharToSAXStringTakesLengthOrRunsToTheZero) {
    const char16_t* text = u"abc";
    EXPECT_EQ(PSAXCharToSAXString(text, 0), u"");
    EXPECT_EQ(PSAXCharToSAXString(text, 2), u"ab");
    EXPECT_EQ(PSAXCharToSAXString(text, -1), u"abc");
    EXPECT_EQ(PSAXCharToSAXString(nullptr, 5), u"");
}

TEST(SaxBase, ParseErrorCarriesMessageLineAndColumn) {
    ComPtr<ISAXParseError> error = TSAXParseError::Create(u"bad", 3, 7);
    EXPECT_EQ(error->getMessage(), u"bad");
    EXPECT_EQ(error->getLineNumber(), 3);
    EXPECT_EQ(error->getColumnNumber(), 7);
    EXPECT_EQ(error->getPublicId(), u"");
    EXPECT_EQ(error->getSystemId(), u"");
    EXPECT_EQ(error->getNativeError(), nullptr);
    ComPtr<ISAXError> base = error.Query<ISAXError>();
    ASSERT_TRUE(base);
    EXPECT_EQ(base->getMessage(), u"bad");
}

TEST(SaxBase, NotSupportedIsASaxException) {
    try {
        throw ESAXNotSupportedException("no");
    } catch (const ESAXException& e) {
        EXPECT_EQ(e.Message, "no");
    }
}

TEST(SaxBase, SharedDefaultHandlerAnswersEveryPlainInterface) {
    TDefaultHandler* handler = DefaultHandler();
    ASSERT_NE(handler, nullptr);
    EXPECT_EQ(handler, DefaultHandler());
    auto unknown = ComPtr<IContentHandler>::Share(handler);
    EXPECT_TRUE(unknown.Query<IErrorHandler>());
    EXPECT_TRUE(unknown.Query<IDTDHandler>());
    EXPECT_TRUE(unknown.Query<IEntityResolver>());
    EXPECT_FALSE(handler->resolveEntity(u"", u""));
    handler->startElement(u"", u"a", u"a", nullptr);
}

TEST(SaxBase, SecondVendorOfTheSameDescriptionReplacesAndFreesTheFirst) {
    int destroyed = 0;
    auto* first = new CountingVendor(u"Test vendor", destroyed);
    auto* second = new CountingVendor(u"Test vendor", destroyed);
    RegisterSAXVendor(first);
    RegisterSAXVendor(second);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(GetSAXVendor(u"Test vendor"), second);
    UnregisterSAXVendor(second);
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(GetSAXVendor(u"Test vendor"), nullptr);
}

TEST(SaxBase, RegisteringTheSameVendorTwiceKeepsItAlive) {
    int destroyed = 0;
    auto* vendor = new CountingVendor(u"Twice", destroyed);
    RegisterSAXVendor(vendor);
    RegisterSAXVendor(vendor);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(GetSAXVendor(u"Twice")->Description(), u"Twice");
    UnregisterSAXVendor(vendor);
    EXPECT_EQ(destroyed, 1);
}

TEST(SaxBase, UnregisterByDescriptionAndDefaultVendor) {
    int destroyed = 0;
    RegisterSAXVendor(new CountingVendor(u"Kept", destroyed));
    CountingVendor stranger(u"Kept", destroyed); // not registered, same name
    UnregisterSAXVendor(&stranger);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(GetSAXVendor(u"Kept"), nullptr);
    UnregisterSAXVendor(&stranger); // nothing left: nothing happens
    EXPECT_EQ(destroyed, 1);
    SAXString before = DefaultSAXVendor();
    RegisterSAXVendor(new CountingVendor(u"Mine", destroyed));
    SetDefaultSAXVendor(u"Mine");
    EXPECT_EQ(GetSAXVendor()->Description(), u"Mine");
    SetDefaultSAXVendor(before);
    UnregisterSAXVendor(GetSAXVendor(u"Mine"));
}
