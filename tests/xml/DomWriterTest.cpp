// The writer's exact format: the configuration file is written with it, so
// its output is compared to the letter, against a golden file where the
// format's own worked example applies.
#include "DomTestSupport.h"

#include "platform/text/Text.h"

#include <fstream>
#include <sstream>

using domtest::DomTest;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot read " << path;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Text with its line breaks shown, so that a difference in them is visible.
std::string Visible(std::string_view text) {
    std::string shown;
    for (char c : text) {
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n\n";
        else
            shown += c;
    }
    return shown;
}

#define EXPECT_SAME_TEXT(expected, actual)                                                         \
    EXPECT_TRUE((expected) == (actual)) << "expected:\n"                                           \
                                        << Visible(expected) << "\nactual:\n"                      \
                                        << Visible(actual)

class DomWriter : public DomTest {
protected:
    // The document of the format's worked example, as the configuration file builds it.
    void BuildExample() {
        doc_->CreateProcessingInstruction(u"version", u"1.0");
        doc_->AppendChild(doc_->CreateComment(u"saved").Get());
        auto settings = AddElement(doc_.Get(), u"settings");
        settings->SetAttribute(u"id", u"3");
        AddElement(settings.Get(), u"folder")->SetNodeValue(u"a<b");
        AddElement(settings.Get(), u"mru");
    }
};

TEST_F(DomWriter, WorkedExampleMatchesTheGoldenFile) {
    BuildExample();
    const std::string golden = ReadFile(LORVANE_TEST_DATA "/dom-writer-example.xml");
    EXPECT_SAME_TEXT(golden, doc_->GetUTF8FormatXML("\r\n", "", "  "));
    EXPECT_SAME_TEXT(golden, text::Narrow(doc_->GetFormatXML("\r\n", "", "  ")));
}

TEST_F(DomWriter, GetXMLWritesTheSameWithoutBreaksOrIndent) {
    BuildExample();
    EXPECT_EQ(doc_->GetXML(), u"<?xml version=\"1.0\"?><!--saved--><settings id=\"3\">"
                              u"<folder>a&lt;b</folder><mru/></settings>");
    EXPECT_EQ(doc_->GetUTF8XML(), text::Narrow(doc_->GetXML()));
}

TEST_F(DomWriter, ElementsAreWrittenInTheirFourForms) {
    struct Case {
        const char* what;
        std::u16string value;
        bool children;
        std::string expected;
    } cases[] = {
        {"empty", u"", false, "<e/>|"},
        {"with a value", u"v", false, "<e>v</e>|"},
        {"blanks only", u"  ", false, "<e>  </e>|"},
        {"children, no value", u"", true, "<e>|..<c/>|</e>|"},
        {"children, blank value", u" \t ", true, "<e>|..<c/>|</e>|"},
        {"children and a value", u"x", true, "<e>x..<c/>|</e>|"},
    };
    for (const Case& c : cases) {
        auto element = doc_->CreateElement(u"e");
        element->SetInternalNodeValue(c.value);
        if (c.children)
            AddElement(element.Get(), u"c");
        EXPECT_EQ(element->GetUTF8FormatXML("|", "", ".."), c.expected) << c.what;
    }
}

TEST_F(DomWriter, IndentStartsAtTheGivenIndentAndGrowsByTheUnit) {
    auto a = doc_->CreateElement(u"a");
    auto b = AddElement(a.Get(), u"b");
    AddElement(b.Get(), u"c");
    b->AppendChild(doc_->CreateComment(u"note").Get());
    b->AppendChild(doc_->CreateCDataSection(u"<raw>").Get());
    EXPECT_EQ(a->GetUTF8FormatXML("\n", ">", "-"), "><a>\n"
                                                   ">-<b>\n"
                                                   ">--<c/>\n"
                                                   ">--<!--note-->\n"
                                                   ">--<![CDATA[<raw>]]>\n"
                                                   ">-</b>\n"
                                                   "></a>\n");
}

TEST_F(DomWriter, DocumentWithoutProcessingInstructionsHasNoDeclaration) {
    AddElement(doc_.Get(), u"root");
    EXPECT_EQ(doc_->GetUTF8FormatXML("\n", "", " "), "<root/>\n");
}

TEST_F(DomWriter, DocumentProcessingInstructionsShareTheDeclaration) {
    doc_->CreateProcessingInstruction(u"version", u"1.0");
    AddElement(doc_.Get(), u"root");
    doc_->CreateProcessingInstruction(u"encoding", u"UTF-8");
    EXPECT_EQ(doc_->GetUTF8FormatXML("\n", "", " "),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root/>\n");
}

TEST_F(DomWriter, DocumentWithOnlyTheDeclarationWritesOneLine) {
    doc_->CreateProcessingInstruction(u"version", u"1.0");
    EXPECT_EQ(doc_->GetUTF8FormatXML("\r\n", "", "  "), "<?xml version=\"1.0\"?>\r\n");
}

TEST_F(DomWriter, CommentAndAttributeTextsAreWrittenAsHeld) {
    auto element = AddElement(doc_.Get(), u"e");
    element->GetSelf()->SetPrefix(u"p");
    element->SetAttribute(u"q:a", u"1");
    element->AppendChild(doc_->CreateComment(u"x--y").Get());
    EXPECT_EQ(doc_->GetUTF8XML(), "<p:e q:a=\"1\"><!--x--y--></p:e>");
}

TEST_F(DomWriter, LeafNodesWriteTheirOwnForms) {
    auto pi = doc_->CreateProcessingInstruction(u"version", u"1.0");
    EXPECT_EQ(pi->GetUTF8FormatXML("\n", "  ", "  "), "version=\"1.0\"");
    auto element = doc_->CreateElement(u"e");
    element->SetAttribute(u"id", u"7");
    EXPECT_EQ(element->GetAttributeNode(u"id")->GetUTF8XML(), "id=\"7\"");
    EXPECT_EQ(doc_->CreateComment(u"c")->GetUTF8FormatXML("\n", " ", " "), " <!--c-->\n");
}

TEST_F(DomWriter, CharactersAboveTheBasicPlaneAreWrittenAsFourByteUTF8) {
    auto element = AddElement(doc_.Get(), u"e");
    element->SetInternalNodeValue(u"\u00e4\u20ac\U0001F600");
    EXPECT_EQ(element->GetUTF8XML(), "<e>\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80</e>");
    EXPECT_EQ(element->GetXML(), u"<e>\u00e4\u20ac\U0001F600</e>");
}

} // namespace
