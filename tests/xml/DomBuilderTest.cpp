// Building trees from XML text: what the builder keeps of each event, the
// entry points, and the written form of what was read.
#include "DomTestSupport.h"

#include "platform/rtl/Streams.h"
#include "platform/text/Text.h"
#include "xml/DomLoad.h"
#include "xml/SaxErrors.h"

#include <fstream>
#include <sstream>

using domtest::DomTest;

namespace {

class DomBuilder : public DomTest {
protected:
    // The document read from text (a new one each time).
    ComPtr<IRwDOMDocument> Parse(std::u16string_view text) {
        ComPtr<IRwDOMDocument> document;
        RwGetDOMDocumentFromString(text, document);
        domtest::ExpectSameTreeAtEveryChunkSize(domtest::TextBytes(text));
        return document;
    }
    // The text of text after reading it, written with CR LF, no indent and two blanks.
    std::string Formatted(std::u16string_view text) {
        return Parse(text)->GetUTF8FormatXML("\r\n", "", "  ");
    }
    // A stream holding bytes, positioned at its start.
    // (The bytes are read at every chunk size too, expecting the same tree.)
    static TMemoryStream* StreamOf(std::string_view bytes) {
        domtest::ExpectSameTreeAtEveryChunkSize(std::string(bytes));
        auto* stream = new TMemoryStream();
        stream->WriteBuffer(bytes.data(), bytes.size());
        stream->Seek(0, TSeekOrigin::soBeginning);
        return stream;
    }
};

TEST_F(DomBuilder, EmptyTextGivesNoDocumentAndNoError) {
    ComPtr<IRwDOMDocument> document = TRwDOMDocument::Create();
    RwGetDOMDocumentFromString(u"", document);
    EXPECT_EQ(document, nullptr);
}

TEST_F(DomBuilder, DeclarationAloneGivesTheVersionInstruction) {
    auto document = Parse(u"<?xml version=\"1.0\"?>");
    ASSERT_TRUE(document);
    ASSERT_EQ(document->GetChildNodes()->GetLength(), 1);
    auto version = document->getFirstChild().Query<IRwProcessingInstruction>();
    ASSERT_TRUE(version);
    EXPECT_EQ(version->GetTarget(), u"version");
    EXPECT_EQ(version->GetData(), u"1.0");
    EXPECT_EQ(document->GetUTF8FormatXML("\r\n", "", "  "), "<?xml version=\"1.0\"?>\r\n");
}

TEST_F(DomBuilder, DeclarationKeepsOnlyTheVersion) {
    EXPECT_EQ(Formatted(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>"),
              "<?xml version=\"1.0\"?>\r\n<a/>\r\n");
    EXPECT_EQ(Formatted(u"<?XML version=\"1.1\"?><a/>"), "<?xml version=\"1.0\"?>\r\n<a/>\r\n");
}

TEST_F(DomBuilder, DocumentWithoutDeclarationIsWrittenWithOne) {
    EXPECT_EQ(Formatted(u"<a/>"), "<?xml version=\"1.0\"?>\r\n<a/>\r\n");
}

TEST_F(DomBuilder, OtherProcessingInstructionsAreDropped) {
    EXPECT_EQ(Parse(u"<?style x?><a><?app y?></a>")->GetXML(), u"<?xml version=\"1.0\"?><a/>");
}

TEST_F(DomBuilder, OnlyTheTextRightAfterAStartTagIsKept) {
    EXPECT_EQ(Parse(u"<a>x<b/>y</a>")->GetUTF8FormatXML("\r\n", "", ""),
              "<?xml version=\"1.0\"?>\r\n<a>x<b/>\r\n</a>\r\n");
}

TEST_F(DomBuilder, BlankTextBeforeChildrenIsWrittenAsALineBreak) {
    EXPECT_EQ(Formatted(u"<a> <b> </b></a>"),
              "<?xml version=\"1.0\"?>\r\n<a>\r\n  <b> </b>\r\n</a>\r\n");
}

TEST_F(DomBuilder, EntityReferencesStayAsTheyStoodAndReadResolved) {
    auto document = Parse(u"<a t=\"x&amp;y\">p&lt;q</a>");
    auto a = document->GetLastChild().Query<IRwDOMElement>();
    ASSERT_TRUE(a);
    EXPECT_EQ(a->GetNodeValue(), u"p<q");
    EXPECT_EQ(a->GetAttribute(u"t"), u"x&y");
    EXPECT_EQ(a->GetXML(), u"<a t=\"x&amp;y\">p&lt;q</a>");
}

TEST_F(DomBuilder, CommentsAndCDataSectionsBecomeNodesWhereTheyStand) {
    auto document = Parse(u"<!-- before --><a><!--in--><![CDATA[<raw> & \"]]></a>");
    EXPECT_EQ(document->GetXML(), u"<?xml version=\"1.0\"?><!--before --><a><!--in-->"
                                  u"<![CDATA[<raw> & \"]]></a>");
    auto a = document->GetLastChild();
    auto cdata = a->GetLastChild().Query<IRwDOMCDataSection>();
    ASSERT_TRUE(cdata);
    EXPECT_EQ(cdata->GetData(), u"<raw> & \"");
}

TEST_F(DomBuilder, AttributesKeepTheirOrderAndDuplicates) {
    auto a = Parse(u"<a z=\"1\" y=\"2\" z=\"3\"/>")->GetLastChild();
    EXPECT_EQ(a->GetAttributes()->GetLength(), 3);
    EXPECT_EQ(a->GetXML(), u"<a z=\"1\" y=\"2\" z=\"3\"/>");
}

TEST_F(DomBuilder, DeclaredPrefixesAreKeptAndUndeclaredOnesDropped) {
    auto document = Parse(u"<p:a xmlns:p=\"urn:x\"><p:b/><q:c/></p:a>");
    auto a = document->GetLastChild();
    EXPECT_EQ(a->GetNodeName(), u"p:a");
    EXPECT_EQ(a->GetLocalName(), u"a");
    EXPECT_EQ(a->GetNamespaceURI(), u"urn:x");
    auto declaration = a->GetAttributes()->Item(0);
    EXPECT_EQ(declaration->GetPrefix(), u"xmlns");
    EXPECT_EQ(declaration->GetLocalName(), u"p");
    EXPECT_EQ(a->getFirstChild()->GetNodeName(), u"p:b");
    EXPECT_EQ(a->GetLastChild()->GetNodeName(), u"c");
    EXPECT_EQ(a->GetXML(), u"<p:a xmlns:p=\"urn:x\"><p:b/><c/></p:a>");
}

TEST_F(DomBuilder, ParsingIntoADocumentAddsAfterItsChildren) {
    ComPtr<IRwDOMDocument> document;
    RwGetDOMDocumentFromString(u"<?xml version=\"1.0\"?><a/>", document);
    RwGetDOMDocumentFromString(u"<b/>", document);
    EXPECT_EQ(document->GetXML(), u"<?xml version=\"1.0\"?><a/><b/>");
}

TEST_F(DomBuilder, ContentCanBeAddedBelowAGivenNode) {
    auto document = Parse(u"<settings><folders/></settings>");
    auto folders = document->GetLastChild()->getFirstChild();
    std::unique_ptr<TMemoryStream> stream(StreamOf("<folder id=\"1\"/>"));
    RwAddXMLToDOMDocument(stream.get(), document, folders.Get(), false);
    EXPECT_EQ(document->GetXML(),
              u"<?xml version=\"1.0\"?><settings><folders><folder id=\"1\"/></folders></settings>");
}

TEST_F(DomBuilder, ContentAddedBelowANodeOfAnotherDocumentBelongsToThatOne) {
    auto target = Parse(u"<a/>");
    auto a = target->GetLastChild();
    ComPtr<IRwDOMDocument> other = TRwDOMDocument::Create();
    std::unique_ptr<TMemoryStream> stream(StreamOf("<b><c/></b>"));
    RwAddXMLToDOMDocument(stream.get(), other, a.Get(), false);
    other = nullptr;
    EXPECT_EQ(a->getFirstChild()->GetOwnerObject(), target->GetSelf());
    EXPECT_EQ(target->GetXML(), u"<?xml version=\"1.0\"?><a><b><c/></b></a>");
}

TEST_F(DomBuilder, AFatalErrorRaisesAndLeavesWhatWasBuilt) {
    ComPtr<IRwDOMDocument> document;
    try {
        RwGetDOMDocumentFromString(u"<a><b>text", document);
        FAIL() << "no exception";
    } catch (const ESAXException& e) {
        EXPECT_EQ(e.Message, "Unexptected End Of Document!");
    }
    ASSERT_TRUE(document);
    EXPECT_EQ(document->GetXML(), u"<?xml version=\"1.0\"?><a><b/></a>");
}

TEST_F(DomBuilder, WhatAnInterruptedWriteLeavesAfterTheRootIsNotRead) {
    const std::string saved = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><settings id=\"3\">"
                              "<folder>Inbox</folder></settings>";
    for (const std::string& tail :
         {std::string(512, '\0'), std::string("\r\n\xFF"), std::string("<")}) {
        ComPtr<IRwDOMDocument> document;
        RwGetDOMDocument(StreamOf(saved + tail), true, document);
        EXPECT_EQ(document->GetXML(),
                  u"<?xml version=\"1.0\"?><settings id=\"3\"><folder>Inbox</folder></settings>");
    }
}

TEST_F(DomBuilder, TextThatIsNoXMLRaises) {
    ComPtr<IRwDOMDocument> document;
    EXPECT_THROW(RwGetDOMDocumentFromString(u"no markup at all", document), ESAXException);
}

TEST_F(DomBuilder, AnOwnedStreamIsFreedAlsoWhenTheParseFails) {
    ComPtr<IRwDOMDocument> document;
    RwGetDOMDocument(StreamOf("<a/>"), true, document);
    EXPECT_EQ(document->GetXML(), u"<?xml version=\"1.0\"?><a/>");
    document = nullptr;
    EXPECT_THROW(RwGetDOMDocumentEx(StreamOf("<a"), true, document), ESAXException);
}

TEST_F(DomBuilder, TextIsReadWhateverItsFirstCharacter) {
    EXPECT_EQ(Parse(u"\u01FF<a/>")->GetXML(), u"<?xml version=\"1.0\"?><a/>");
    EXPECT_EQ(Parse(u"\u3C00<a/>")->GetXML(), u"<?xml version=\"1.0\"?><a/>");
    EXPECT_EQ(Parse(u"\uFEFF<a/>")->GetXML(), u"<?xml version=\"1.0\"?><a/>");
}

TEST_F(DomBuilder, CharactersAboveTheBasicPlaneReadAndWriteAsFourByteUTF8) {
    const std::string utf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a t=\"\xF0\x9F\x98\x80\">"
                             "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80</a>";
    ComPtr<IRwDOMDocument> document;
    RwGetDOMDocument(StreamOf(utf8), true, document);
    EXPECT_EQ(document->GetLastChild()->GetNodeValue(), u"\u00e4\u20ac\U0001F600");
    EXPECT_EQ(document->GetUTF8XML(), "<?xml version=\"1.0\"?><a t=\"\xF0\x9F\x98\x80\">"
                                      "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80</a>");
    EXPECT_EQ(Parse(u"<a>\U0001F600</a>")->GetUTF8XML(),
              "<?xml version=\"1.0\"?><a>\xF0\x9F\x98\x80</a>");
}

TEST_F(DomBuilder, ALoneSurrogateHalfIsWrittenAsTheReplacementCharacter) {
    // Text cut inside a pair holds half of it; UTF-8 has no form for a half.
    const std::u16string text =
        std::u16string(u"<a t=\"") + char16_t(0xDE00) + u"\">x" + char16_t(0xD83D) + u"y</a>";
    auto document = Parse(text);
    const std::string written = document->GetUTF8XML();
    EXPECT_EQ(written, "<?xml version=\"1.0\"?><a t=\"\xEF\xBF\xBD\">x\xEF\xBF\xBDy</a>");
    EXPECT_TRUE(text::IsValidUtf8(written));
    ComPtr<IRwDOMDocument> reread;
    RwGetDOMDocument(StreamOf("<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + written.substr(21)),
                     true, reread);
    EXPECT_EQ(reread->GetLastChild()->GetNodeValue(), u"x\uFFFDy");
}

TEST_F(DomBuilder, ValuesSpelledLikeEntitiesInAnotherCaseReadBackAsSet) {
    // (The five as spelled stay as they are: escaping leaves escaped text alone.)
    const std::u16string value = u"&AMP; &Lt; &QUOT &gT; &Apos;";
    auto a = doc_->CreateElement(u"a");
    doc_->AppendChild(a.Get());
    a->SetNodeValue(value);
    a->SetAttribute(u"v", value);
    EXPECT_EQ(a->GetNodeValue(), value);
    EXPECT_EQ(a->GetAttribute(u"v"), value);
    auto reread = Parse(doc_->GetXML())->GetLastChild().Query<IRwDOMElement>();
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->GetNodeValue(), value);
    EXPECT_EQ(reread->GetAttribute(u"v"), value);
}

TEST_F(DomBuilder, WorkedExampleStartedFromTheDeclarationMatchesTheGoldenFile) {
    ComPtr<IRwDOMDocument> document;
    RwGetDOMDocumentFromString(u"<?xml version=\"1.0\"?>", document);
    document->AppendChild(document->CreateComment(u"saved").Get());
    auto settings = document->CreateElement(u"settings");
    document->AppendChild(settings.Get());
    settings->SetAttribute(u"id", u"3");
    auto folder = document->CreateElement(u"folder");
    settings->AppendChild(folder.Get());
    folder->SetNodeValue(u"a<b");
    settings->AppendChild(document->CreateElement(u"mru").Get());

    std::ifstream in(LORVANE_TEST_DATA "/dom-writer-example.xml", std::ios::binary);
    std::ostringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(document->GetUTF8FormatXML("\r\n", "", "  "), golden.str());

    // Read back, it gives the same tree and the same text.
    auto reread = Parse(document->GetFormatXML("\r\n", "", "  "));
    EXPECT_EQ(reread->GetUTF8FormatXML("\r\n", "", "  "), golden.str());
    EXPECT_EQ(reread->GetLastChild()->getFirstChild()->GetNodeValue(), u"a<b");
}

TEST_F(DomBuilder, TreesBuiltWhileOthersComeAndGoKeepTheirOwnContent) {
    // Enough nodes for more memory than a freed tree leaves behind for the next ones.
    auto manyItems = [](char16_t letter, int count) {
        std::u16string text = u"<list>";
        for (int i = 0; i < count; ++i)
            text += std::u16string(u"<item n=\"") + letter + u"\">" + letter + u"</item>";
        return text + u"</list>";
    };
    ComPtr<IRwDOMDocument> kept = Parse(u"<kept a=\"1\">text</kept>");
    const std::string keptText = kept->GetUTF8FormatXML("\r\n", "", "  ");
    for (char16_t letter : {u'a', u'b', u'c'}) {
        // Read once: the test is of the memory the trees share, and a read
        // of each chunk size would only repeat it.
        ComPtr<IRwDOMDocument> big;
        RwGetDOMDocumentFromString(manyItems(letter, 40000), big);
        ComPtr<IRwDOMNode> list = big->GetLastChild();
        ASSERT_EQ(list->GetChildNodes()->GetLength(), 40000);
        EXPECT_EQ(list->GetLastChild()->GetNodeValue(), std::u16string(1, letter));
        ComPtr<IRwDOMDocument> small = Parse(manyItems(letter, 3));
        big = nullptr;
        list = nullptr;
        EXPECT_EQ(small->GetUTF8FormatXML("", "", ""),
                  text::Narrow(u"<?xml version=\"1.0\"?>" + manyItems(letter, 3)));
    }
    EXPECT_EQ(kept->GetUTF8FormatXML("\r\n", "", "  "), keptText);
}

} // namespace
