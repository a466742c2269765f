// Round trips: a tree written and read again is the same tree, for written
// documents of every kind of node and for generated trees, through UTF-16
// text, through UTF-8 bytes and in the configuration file's format.
#include "DomTestSupport.h"
#include "DomTreeCompare.h"

#include "platform/rtl/Streams.h"
#include "platform/text/Text.h"
#include "xml/DomLoad.h"
#include "xml/RwSaxReader.h"

#include <random>

using domtest::DomTest;
using domtest::FirstDifference;

namespace {

// Both read at every chunk size too, expecting the same tree.
ComPtr<IRwDOMDocument> ParseText(std::u16string_view text) {
    ComPtr<IRwDOMDocument> document;
    RwGetDOMDocumentFromString(text, document);
    domtest::ExpectSameTreeAtEveryChunkSize(domtest::TextBytes(text));
    return document;
}

ComPtr<IRwDOMDocument> ParseBytes(const std::string& bytes) {
    ComPtr<IRwDOMDocument> document;
    RwGetDOMDocument(new ChunkedStream(bytes, bytes.size()), true, document);
    domtest::ExpectSameTreeAtEveryChunkSize(bytes);
    return document;
}

// The ways a tree goes to text and back.
enum class Route { Text, FormattedText, UTF8, FormattedUTF8 };

ComPtr<IRwDOMDocument> WrittenAndRead(IRwDOMDocument* document, Route route) {
    switch (route) {
    case Route::Text:
        return ParseText(document->GetXML());
    case Route::FormattedText:
        return ParseText(document->GetFormatXML("\r\n", "", "  "));
    case Route::UTF8:
        return ParseBytes(document->GetUTF8XML());
    case Route::FormattedUTF8:
        return ParseBytes(document->GetUTF8FormatXML("\r\n", "", "  "));
    }
    return nullptr;
}

const char* NameOf(Route route) {
    switch (route) {
    case Route::Text:
        return "text";
    case Route::FormattedText:
        return "formatted text";
    case Route::UTF8:
        return "UTF-8";
    case Route::FormattedUTF8:
        return "formatted UTF-8";
    }
    return "";
}

constexpr Route kAllRoutes[] = {Route::Text, Route::FormattedText, Route::UTF8,
                                Route::FormattedUTF8};

class DomRoundTrip : public DomTest {
protected:
    // Checks that document survives each route unchanged.
    void ExpectRoundTrips(IRwDOMDocument* document, const std::string& what,
                          bool mixedContent = false) {
        for (Route route : kAllRoutes) {
            // Formatting adds the children's indent to a text in front of
            // them, so mixed content keeps its text through unformatted routes only.
            if (mixedContent && (route == Route::FormattedText || route == Route::FormattedUTF8))
                continue;
            auto again = WrittenAndRead(document, route);
            ASSERT_TRUE(again) << what;
            EXPECT_EQ(FirstDifference(*document->GetSelf(), *again->GetSelf()), "")
                << what << " through " << NameOf(route);
        }
    }
};

TEST_F(DomRoundTrip, DocumentsOfEveryKindOfNodeReadBackTheSame) {
    const struct {
        const char* what;
        std::u16string text;
        bool mixed;
    } documents[] = {
        {"configuration",
         u"<?xml version=\"1.0\"?><!--saved--><settings id=\"3\" name=\"Zub\">"
         u"<folder store=\"0000ABCD\" path=\"\\\\Inbox\\Fa&amp;lt;ctures\">"
         u"a&lt;b &amp; &quot;c&quot;</folder><mru count=\"2\"><entry>\u00e4\u00f6"
         u"\u20ac</entry><entry>\U0001F600 \u4e2d\u6587</entry></mru>"
         u"<empty/><blank>  </blank></settings>",
         false},
        {"namespaces",
         u"<p:root xmlns:p=\"urn:p\" xmlns=\"urn:d\"><p:child p:a=\"1\"/>"
         u"<plain/><p:x xmlns:p=\"urn:inner\"/></p:root>",
         false},
        {"comments and CDATA",
         u"<!-- lead --><a><!--x--y--><![CDATA[<b>\t&amp;\r\n]]]>"
         u"<![CDATA[]]><b/></a>",
         false},
        {"mixed content", u"<a>text<b>inner<c/></b>tail</a>", true},
        {"duplicates and odd names", u"<a b=\"1\" b=\"2\" c.d-e_f=\"3\"><x.y/></a>", false},
        {"references", u"<a v=\"&#65;&#x42;\">&#65;&#$42;&unknown;</a>", false},
    };
    for (const auto& d : documents) {
        auto document = ParseText(d.text);
        ASSERT_TRUE(document) << d.what;
        ExpectRoundTrips(document.Get(), d.what, d.mixed);
    }
}

TEST_F(DomRoundTrip, AnUndeclaredPrefixIsDroppedAndTheDefaultNamespaceAppliesWhenReadAgain) {
    auto document = ParseText(u"<r xmlns=\"urn:d\"><q:e/></r>");
    auto e = document->GetLastChild()->getFirstChild();
    EXPECT_EQ(e->GetNodeName(), u"e");
    EXPECT_EQ(e->GetNamespaceURI(), u"");
    auto again = ParseText(document->GetXML());
    EXPECT_EQ(again->GetLastChild()->getFirstChild()->GetNamespaceURI(), u"urn:d");
    EXPECT_EQ(again->GetXML(), document->GetXML());
}

TEST_F(DomRoundTrip, TheDeepestDocumentTheReaderTakesReadsBackTheSame) {
    std::u16string text;
    for (int32_t i = 0; i < RwMaxElementDepth; ++i)
        text += u"<d>";
    for (int32_t i = 0; i < RwMaxElementDepth; ++i)
        text += u"</d>";
    auto document = ParseText(text);
    ExpectRoundTrips(document.Get(), "deep");
}

// Builds random trees through the tree's own operations, in the dialect the
// reader reads back: names of letters, values set escaped, comments that
// neither start with a blank or "-" nor hold ">", CDATA without "]]>".
class TreeGenerator {
public:
    explicit TreeGenerator(unsigned seed) : random_(seed) {}

    ComPtr<IRwDOMDocument> Generate() {
        auto document = TRwDOMDocument::Create();
        document->CreateProcessingInstruction(u"version", u"1.0");
        if (Chance(3))
            document->AppendChild(document->CreateComment(CommentText()).Get());
        auto root = document->CreateElement(Name());
        document->AppendChild(root.Get());
        Fill(document.Get(), root.Get(), 0);
        return document;
    }

private:
    void Fill(IRwDOMDocument* document, IRwDOMElement* element, int depth) {
        for (int i = Below(4); i > 0; --i)
            element->SetAttribute(Name(), Text());
        int children = depth < 6 ? Below(5) : 0;
        if (children == 0) {
            if (Chance(2))
                element->SetNodeValue(Text());
            return;
        }
        for (int i = 0; i < children; ++i) {
            switch (Below(6)) {
            case 0:
                element->AppendChild(document->CreateComment(CommentText()).Get());
                break;
            case 1:
                element->AppendChild(document->CreateCDataSection(CDataText()).Get());
                break;
            default: {
                auto child = document->CreateElement(Name());
                element->AppendChild(child.Get());
                Fill(document, child.Get(), depth + 1);
            }
            }
        }
    }

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool Chance(int n) { return Below(n) == 0; }

    std::u16string Name() {
        static const std::u16string letters = u"abcxyzABC\u00e4\u00df\u0436\u4e2d";
        std::u16string name;
        for (int i = 1 + Below(6); i > 0; --i)
            name += letters[static_cast<size_t>(Below(static_cast<int>(letters.size())))];
        return name;
    }
    // Any text: the tree escapes it.
    std::u16string Text() {
        static const std::u16string pieces[] = {
            u"a",  u" ",  u"<",      u">",      u"&",          u"\"",  u"'",   u"&amp;",
            u"\t", u"\n", u"\u00e9", u"\u20ac", u"\U0001F600", u"x y", u"]]>", u"--"};
        std::u16string text;
        for (int i = Below(8); i > 0; --i)
            text += pieces[Below(static_cast<int>(std::size(pieces)))];
        return text;
    }
    std::u16string CommentText() {
        static const std::u16string pieces[] = {u"note", u" ",      u"-",         u"<",
                                                u"&",    u"\u00e4", u"\U0001F600"};
        std::u16string text = u"c";
        for (int i = Below(6); i > 0; --i)
            text += pieces[Below(static_cast<int>(std::size(pieces)))];
        return text;
    }
    std::u16string CDataText() {
        static const std::u16string pieces[] = {u"<x>",  u"&",      u"]",          u"]]", u"\t",
                                                u"\r\n", u"\u00e4", u"\U0001F600", u" "};
        std::u16string text;
        for (int i = 1 + Below(6); i > 0; --i)
            text += pieces[Below(static_cast<int>(std::size(pieces)))];
        return text.find(u"]]>") == std::u16string::npos ? text : u"safe";
    }

    std::mt19937 random_;
};

TEST_F(DomRoundTrip, GeneratedTreesReadBackTheSame) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        auto document = TreeGenerator(seed).Generate();
        ExpectRoundTrips(document.Get(), "seed " + std::to_string(seed));
        if (HasFailure())
            return;
    }
}

TEST_F(DomRoundTrip, TextWrittenTwiceIsTheSame) {
    for (unsigned seed = 1; seed <= 50; ++seed) {
        auto document = TreeGenerator(seed).Generate();
        const std::string once = document->GetUTF8FormatXML("\r\n", "", "  ");
        EXPECT_EQ(ParseBytes(once)->GetUTF8FormatXML("\r\n", "", "  "), once) << seed;
    }
}

} // namespace
