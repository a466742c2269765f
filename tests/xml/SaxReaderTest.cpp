// The SAX reader: its event order, its forgiving readings, warnings, fatal
// errors, encodings and the failure flow.
#include "SaxRecorder.h"

#include "platform/text/Text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

using Events = std::vector<std::string>;

const Events kPrologEnd = {"startDocument", "endProlog"};

Events Doc(std::initializer_list<std::string> body) {
    Events events = kPrologEnd;
    events.insert(events.end(), body);
    events.push_back("endDocument");
    return events;
}

// The problems (warnings, errors, fatal errors) reported for bytes.
std::vector<std::string> ProblemsOf(const std::string& bytes) {
    ComPtr<SaxRecorder> recorder = SaxRecorder::Create();
    ParseWith(recorder.Get(), bytes);
    return recorder->Problems;
}

// The first fatal error's message, without its position.
std::string FatalOf(const std::string& bytes) {
    for (const std::string& problem : ProblemsOf(bytes))
        if (problem.rfind("fatal ", 0) == 0)
            return problem.substr(problem.find(' ', 6) + 1);
    return "none";
}

} // namespace

TEST(SaxReader, ReportsEventsInDocumentOrder) {
    std::string xml = "<?xml version=\"1.0\"?><!-- c --><root a=\"1\" b=\"2\">text"
                      "<child/><?pi data?><![CDATA[x<y]]></root>";
    EXPECT_EQ(EventsOf(xml), Events({"startDocument", "pi xml|version=\"1.0\"", "comment c ",
                                     "endProlog", "start root [a=1] [b=2]", "chars text",
                                     "start child", "end child", "pi pi|data", "startCDATA",
                                     "chars x<y", "endCDATA", "end root", "endDocument"}));
}

TEST(SaxReader, CharactersSplitAcrossReadsArriveWhole) {
    // EventsOf reads at every chunk size too: each split of the signature,
    // the declaration and the multi-byte sequences gives the same events.
    std::string xml = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r x=\"\xC3\xA4\">"
                      "gr\xC3\xBC\xC3\x9F\xF0\x9F\x98\x80<c>\xE2\x82\xAC</c></r>";
    EXPECT_THAT(EventsOf(xml), ::testing::Contains("chars gr\xC3\xBC\xC3\x9F\xF0\x9F\x98\x80"));
}

TEST(SaxReader, KeepsItsForgivingReadings) {
    // Text before the first "<" is skipped; only the text right after a start tag counts.
    EXPECT_EQ(EventsOf("junk<a>x<b/>y</a>"),
              Doc({"start a", "chars x", "start b", "end b", "end a"}));
    // End tags are not matched with start tags.
    EXPECT_EQ(EventsOf("<a></b>"), Doc({"start a", "chars ", "end b"}));
    // Tab, CR and LF vanish from text and values; references stay as written.
    EXPECT_EQ(EventsOf("<a v=\"1\t2\">a&amp;\r\nb</a>"),
              Doc({"start a [v=12]", "chars a&amp;b", "end a"}));
    // Single quotes are not recognised: the value starts at the next double quote.
    EXPECT_EQ(EventsOf("<a x='1' y=\"2\"/>"), Doc({"start a [x=2]", "end a"}));
    // A DOCTYPE name runs to the next blank; the internal subset is skipped.
    EXPECT_EQ(EventsOf("<!DOCTYPE root [ <!ELEMENT root ANY> ]><root/>"),
              Events({"startDocument", "startDTD root", "endDTD", "endProlog", "start root",
                      "end root", "endDocument"}));
    EXPECT_EQ(EventsOf("<!DOCTYPE r><r/> >"),
              Events({"startDocument", "startDTD r><r/>", "endDTD", "endProlog", "endDocument"}));
    // Nothing after the root element is read.
    EXPECT_EQ(EventsOf("<a/><b/><!--x-->"), Doc({"start a", "end a"}));
}

TEST(SaxReader, TheRootsEndTagEndsTheDocumentWhateverFollows) {
    // What an interrupted write leaves after a complete document: NUL bytes,
    // a stray byte, bytes that are not UTF-8, the start of another tag.
    const std::string tails[] = {std::string(1, '\0'),
                                 std::string(64, '\0'),
                                 "x",
                                 "\xFF",
                                 "\xC3",
                                 "<",
                                 "</",
                                 "<!--",
                                 "<?pi",
                                 "\n\t",
                                 "]]>"};
    const std::string heads[] = {"", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"};
    for (const std::string& head : heads) {
        for (std::string body : {"<a>x<b/></a>", "<a/>", "<p:a xmlns:p=\"urn:p\"></p:a >"}) {
            std::string document = head + body;
            Events whole = EventsOf(document);
            for (const std::string& tail : tails) {
                EXPECT_EQ(EventsOf(document + tail), whole) << document << tail;
                EXPECT_THAT(ProblemsOf(document + tail), ::testing::IsEmpty()) << document << tail;
            }
        }
    }
    // The same for UTF-16 text, where a NUL byte pair is the character U+0000.
    std::string le("\xFF\xFE", 2);
    for (char c : std::string("<a>x</a>"))
        le += c, le += '\0';
    EXPECT_EQ(EventsOf(le + std::string(8, '\0')), Doc({"start a", "chars x", "end a"}));
    // A NUL before the root has ended is still the end of the input.
    EXPECT_EQ(FatalOf(std::string("<a>x</a\0>", 9)), "Unexpected EOF!");
}

TEST(SaxReader, NamespacesAreMappedAndScoped) {
    std::string xml = "<p:a xmlns:p=\"urn:p\" xmlns=\"urn:d\"><b/><p:c/></p:a>";
    EXPECT_EQ(EventsOf(xml),
              Doc({"startPrefix p=urn:p", "startPrefix =urn:d",
                   "start p:a local=a uri=urn:p [xmlns:p=urn:p] [xmlns=urn:d]", "chars ",
                   "start b uri=urn:d", "end b uri=urn:d", "start p:c local=c uri=urn:p",
                   "end p:c uri=urn:p", "end p:a uri=urn:p", "endPrefix p", "endPrefix "}));
}

TEST(SaxReader, CommentsLoseLeadingBlanksAndEndAtTheFirstGreaterThan) {
    EXPECT_EQ(EventsOf("<!-- text --><r/>")[1], "comment text ");
    ComPtr<SaxRecorder> recorder = SaxRecorder::Create();
    ParseWith(recorder.Get(), "<r><!--x-></r>");
    EXPECT_THAT(recorder->Events, ::testing::Contains("comment "));
    EXPECT_THAT(recorder->Problems,
                ElementsAre(::testing::HasSubstr("A comment should end with -->")));
}

TEST(SaxReader, WarningsAndErrorsCarryTheirTexts) {
    EXPECT_THAT(ProblemsOf("<a=b/>"),
                ElementsAre("warning 1:3 The XML document is not wellformed!\r\nThe element name "
                            "contains an invalid character (=)!"));
    EXPECT_THAT(ProblemsOf("<a x\"y=\"1\"/>"),
                ElementsAre(::testing::HasSubstr("The attribute name contains an invalid "
                                                 "character (\")!")));
    EXPECT_THAT(ProblemsOf("<a x=\"1\"y=\"2\"/>"),
                ElementsAre(::testing::HasSubstr("however a y was found!")));
    EXPECT_THAT(ProblemsOf("<?pi x?x><r/>"),
                ElementsAre(::testing::HasSubstr("The closing (>) of the processing instruction "
                                                 "should be placed right after the question mark "
                                                 "(?)!")));
    EXPECT_THAT(ProblemsOf("<r><!-x--></r>"), ::testing::Contains(::testing::HasSubstr(
                                                  "After <!- should be followed by another - !")));
    EXPECT_THAT(ProblemsOf("<!DOCTYPX r ><r/>"),
                ElementsAre("error 1:9 <!DOCTYPE expected, but <!DOCTYPX found!"));
    EXPECT_THAT(ProblemsOf("<r><![CDATX[x]]></r>"),
                ElementsAre("error 1:12 <![CDATA[ expected, but <![CDATX[ found!"));
}

TEST(SaxReader, TruncatedInputIsFatalWithItsMessage) {
    struct Case {
        const char* input;
        const char* fatal;
    };
    const Case cases[] = {
        {"<a", "Unexptected End Of Document!"},
        {"<a x=\"1",
         "Unexptected End Of Document!\r\nThe attributes are not conform the XML standard!"},
        {"<a x",
         "Unexptected End Of Document!\r\nThe attributes are not conform the XML standard!"},
        {"<a>text", "Unexptected End Of Document!"},
        {"<a><!-- open", "Unexptected End Of Document!\r\nThe comment was not closed!"},
        {"<a><![CDATA[x]]", "Unexptected End Of Document!"},
        {"<?xml version",
         "Unexpected End Of Document!\r\nThe processing instruction was not closed!"},
        {"<?xml version=\"1.0\"?",
         "Unexpected End Of Document!\r\nThe processing instruction was not closed!"},
        {"<a><?pi data?",
         "Unexpected End Of Document!\r\nThe processing instruction was not closed!"},
        {"<!DOCTYPE r", "Unexptected End Of Document!"},
        {"<a></a", "Unexptected End Of Document!"},
        {"", "The sourcestream is empty!"},
        {"no xml here", "The sourcestream does not contain XML or is not positioned at the "
                        "beginning of an XML block!"},
    };
    // The character reader needs a first tag before the body can be truncated.
    for (const Case& c : cases) {
        std::string input = c.input;
        if (!input.empty() && input[0] == '<')
            input = "<?x?>" + input;
        EXPECT_EQ(FatalOf(input), c.fatal) << c.input;
    }
    EXPECT_EQ(FatalOf(std::string("<a>x\0y</a>", 9)), "Unexpected EOF!");
    EXPECT_EQ(FatalOf("<a"), "The sourcestream does not contain XML or is not positioned at the "
                             "beginning of an XML block!");
}

TEST(SaxReader, InputEndingAfterACompleteItemEndsQuietly) {
    EXPECT_EQ(EventsOf("<a>x<b/>"), Doc({"start a", "chars x", "start b", "end b"}));
    EXPECT_TRUE(ProblemsOf("<a>x<b/>").empty());
}

TEST(SaxReader, DetectsUtf16AndItsByteOrderMarks) {
    std::u16string text = u"<a>\u0100\U0001F600</a>";
    const std::vector<uint8_t> units = text::Utf16LeBytes(text);
    std::string plain(units.begin(), units.end());
    std::string le = std::string("\xFF\xFE", 2) + plain, be("\xFE\xFF", 2);
    for (char16_t c : text)
        be += static_cast<char>(c >> 8), be += static_cast<char>(c & 0xFF);
    Events expected = Doc({"start a", "chars \xC4\x80\xF0\x9F\x98\x80", "end a"});
    EXPECT_EQ(EventsOf(le), expected);
    EXPECT_EQ(EventsOf(plain), expected);
    EXPECT_EQ(EventsOf(be), expected);
    EXPECT_EQ(EventsOf(be.substr(2)), expected);
}

TEST(SaxReader, EightBitTextDecodesUtf8AndWindows1252) {
    // No declared encoding: UTF-8 where valid, Windows-1252 for other bytes.
    EXPECT_EQ(EventsOf("<a>\xC3\xA4 \x80 \xE9</a>"),
              Doc({"start a", "chars \xC3\xA4 \xE2\x82\xAC \xC3\xA9", "end a"}));
    // A declared UTF-8 document decodes four-byte sequences.
    EXPECT_EQ(EventsOf("<?xml version=\"1.0\" encoding=\"utf-8\"?><a>\xF0\x9F\x98\x80</a>")[4],
              "chars \xF0\x9F\x98\x80");
}

TEST(SaxReader, AUtf8SignatureWithoutADeclarationIsEightBitText) {
    // Only "UTF-8" in the first tag makes the text UTF-8; the signature alone
    // is skipped like any byte before the first "<", so a stray Windows-1252
    // byte still reads as its character instead of swallowing the markup.
    EXPECT_EQ(EventsOf("\xEF\xBB\xBF<a>caf\xE9</a>"),
              Doc({"start a", "chars caf\xC3\xA9", "end a"}));
    EXPECT_EQ(EventsOf("\xEF\xBB\xBF<a>\xC3\xA4\xF0\x9F\x98\x80</a>"),
              Doc({"start a", "chars \xC3\xA4\xF0\x9F\x98\x80", "end a"}));
}

TEST(SaxReader, LocatorCountsLinesAndColumns) {
    ComPtr<SaxRecorder> recorder = SaxRecorder::Create();
    ParseWith(recorder.Get(), "<r>\n<a=/>\n bc</r>");
    EXPECT_THAT(recorder->Problems, ElementsAre(::testing::StartsWith("warning 2:3 ")));
}

TEST(SaxReader, NamesAndPositionsSurviveTheEndOfTheDecodedBuffer) {
    // The reader decodes 32768 characters at a time and takes plain runs of
    // name characters in one piece; a name cut by that boundary, with a line
    // feed and a warned character in it, reads as one read character by
    // character. The document is 8-bit text, then UTF-8 after a declaration.
    const std::string heads[] = {"", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"};
    for (const std::string& head : heads) {
        for (size_t filler = 32740; filler <= 32780; ++filler) {
            std::string xml = head + "<r>" + std::string(filler, 'x') +
                              "<long-name\nmiddle-of-the-name$end.x/></r>";
            size_t lastLine = xml.rfind('\n');
            std::string where = "2:" + std::to_string(xml.find('$') - lastLine);
            ComPtr<SaxRecorder> recorder = SaxRecorder::Create();
            ParseWith(recorder.Get(), xml);
            EXPECT_EQ(recorder->Problems,
                      std::vector<std::string>({"warning " + where +
                                                " The XML document is not wellformed!\r\nThe "
                                                "element name contains an invalid character ($)!"}))
                << head << filler;
            EXPECT_THAT(recorder->Events,
                        ::testing::Contains("start long-namemiddle-of-the-name$end.x"))
                << head << filler;
        }
    }
}

TEST(SaxReader, DeepNestingIsFatalNotACrash) {
    std::string xml;
    for (int i = 0; i < 100000; ++i)
        xml += "<a>";
    EXPECT_EQ(FatalOf(xml), "The elements are nested deeper than 1024 levels!");
    std::string fine;
    for (int i = 0; i < 1000; ++i)
        fine += "<a>";
    for (int i = 0; i < 1000; ++i)
        fine += "</a>";
    EXPECT_EQ(FatalOf(fine), "none");
    EXPECT_EQ(EventsOf(fine).size(), 2u + 3 * 1000 + 1);
}

TEST(SaxReader, FeaturesAndUnsupportedOperations) {
    ComPtr<TRwSAXXMLReader> reader = TRwSAXXMLReader::Create();
    EXPECT_TRUE(reader->getFeature(SAXFeatureNamespaces));
    EXPECT_FALSE(reader->getFeature(SAXFeatureNamespacePrefixes));
    try {
        reader->getFeature(u"urn:unknown");
        FAIL();
    } catch (const ESAXNotSupportedException& e) {
        EXPECT_EQ(e.Message, "The Reedwing SAX parser does not support urn:unknown");
    }
    reader->setFeature(u"urn:unknown", true);
    EXPECT_TRUE(reader->getFeature(u"urn:unknown"));
    EXPECT_THROW(reader->setDTDHandler(nullptr), ESAXNotSupportedException);
    EXPECT_THROW(reader->setEntityResolver(nullptr), ESAXNotSupportedException);
    EXPECT_THROW(reader->parse(nullptr), ESAXNotSupportedException);
    EXPECT_FALSE(reader->getProperty(u"urn:other"));
    ComPtr<SaxRecorder> recorder = SaxRecorder::Create();
    ComPtr<IProperty> property = reader->getProperty(SAXPropertyLexicalHandler);
    ASSERT_TRUE(property);
    property.Query<IInterfaceProperty>()->setValue(
        static_cast<IBufferedLexicalHandler*>(recorder.Get()));
    EXPECT_EQ(reader->getLexicalHandler(), static_cast<IBufferedLexicalHandler*>(recorder.Get()));
}

TEST(SaxReader, TheLexicalHandlerPropertyMayOutliveItsReader) {
    // Setting the property installs the handler in its reader, so the
    // property keeps the reader it came from.
    ComPtr<TRwSAXXMLReader> reader = TRwSAXXMLReader::Create();
    ComPtr<IProperty> property = reader->getProperty(SAXPropertyLexicalHandler);
    ASSERT_TRUE(property);
    EXPECT_EQ(reader->RefCount(), 2u);
    TRwSAXXMLReader* kept = reader.Get();
    reader = nullptr;
    ComPtr<SaxRecorder> recorder = SaxRecorder::Create();
    property.Query<IInterfaceProperty>()->setValue(
        static_cast<IBufferedLexicalHandler*>(recorder.Get()));
    EXPECT_EQ(kept->getLexicalHandler(), static_cast<IBufferedLexicalHandler*>(recorder.Get()));
    property = nullptr;
}

TEST(SaxReader, DefaultErrorHandlerTurnsAFatalErrorIntoASaxException) {
    ComPtr<TRwSAXXMLReader> reader = TRwSAXXMLReader::Create();
    try {
        reader->Parse(new ChunkedStream("<a>text", 64), true);
        FAIL();
    } catch (const ESAXException& e) {
        EXPECT_EQ(e.Message, "Unexptected End Of Document!");
    }
    // With OnFatalError assigned the parse ends quietly.
    std::string seen;
    reader->OnFatalError = [&](TObject*, ISAXParseError* e) {
        seen = text::Narrow(e->getMessage());
    };
    reader->Parse(new ChunkedStream("<a>text", 64), true);
    EXPECT_EQ(seen, "Unexptected End Of Document!");
}

TEST(SaxReader, EventPropertiesReceiveTextsAndTheirErrorsAreWrapped) {
    ComPtr<TRwSAXXMLReader> reader = TRwSAXXMLReader::Create();
    std::vector<std::string> seen;
    reader->OnStartElement = [&](TObject* sender, TRwString*, TRwString* local, TRwString* q,
                                 IAttributes* atts) {
        EXPECT_EQ(sender, static_cast<TObject*>(reader.Get()));
        seen.push_back(local->GetString() + "/" + q->GetString() + "/" +
                       text::Narrow(atts->getValue(u"x")));
    };
    reader->OnCharacters = [&](TObject*, TRwString* t) {
        seen.push_back("text " + t->GetString());
    };
    reader->Parse(new ChunkedStream("<p:a x=\"1\">hi</p:a>", 64), true);
    EXPECT_THAT(seen, ElementsAre("a/p:a/1", "text hi"));
    reader->OnCharacters = [](TObject*, TRwString*) { throw Exception("boom"); };
    try {
        reader->Parse(new ChunkedStream("<a>hi</a>", 64), true);
        FAIL();
    } catch (const ESAXException& e) {
        EXPECT_EQ(e.Message, "Error evaluating the Characters event!\r\nboom");
    }
    // Handlers supplied for a parse are gone after it.
    EXPECT_EQ(reader->getContentHandler(), nullptr);
    EXPECT_EQ(reader->getErrorHandler(), nullptr);
}

TEST(SaxReader, OtherExceptionsReachTheErrorHandlerWithoutPosition) {
    // A handler whose fatalError returns: the parse ends with ERwSaxHandledAbort.
    ComPtr<SaxRecorder> recorder = SaxRecorder::Create();
    ComPtr<TRwSAXXMLReader> reader = TRwSAXXMLReader::Create();
    reader->setErrorHandler(recorder.Get());
    reader->OnStartElement = [](TObject*, TRwString*, TRwString*, TRwString*, IAttributes*) {
        throw Exception("no");
    };
    EXPECT_THROW(reader->Parse(new ChunkedStream("<a/>", 64), true), ERwSaxHandledAbort);
    EXPECT_THAT(recorder->Problems,
                ElementsAre("fatal -1:-1 Error evaluating the StartElement event!\r\nno"));
}

TEST(SaxReader, VendorMakesReedwingReaders) {
    TSAXVendor* vendor = GetSAXVendor(u"Reedwing");
    ASSERT_NE(vendor, nullptr);
    EXPECT_EQ(DefaultSAXVendor(), u"Reedwing");
    EXPECT_FALSE(vendor->XMLReader());
    auto* buffered = dynamic_cast<TBufferedSAXVendor*>(vendor);
    ASSERT_NE(buffered, nullptr);
    ComPtr<IBufferedXMLReader> reader = buffered->BufferedXMLReader();
    ASSERT_TRUE(reader);
    EXPECT_TRUE(reader->getFeature(SAXFeatureNamespaces));
}
