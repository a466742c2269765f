// Running out of memory while a document is read or built: every allocation
// of a document's memory (its arena and its name pool) fails in turn, and
// each time the operation raises one clean error, the tree it leaves is whole
// (it writes, and what it writes reads back the same), the nodes that were
// there before are still there, and no node is left alive once the document
// goes. The sanitizer build finds any memory left behind as well.
#include "DomTestSupport.h"

#include "xml/DomArena.h"
#include "xml/SaxErrors.h"

#include <functional>
#include <new>

namespace {

// An operation that may run out of memory, on a document made for it.
struct Case {
    const char* name;
    // The document before the operation (nil: the operation makes it).
    std::function<ComPtr<IRwDOMDocument>()> prepare;
    // The operation.
    std::function<void(ComPtr<IRwDOMDocument>& document)> run;
    // The characters at the end of the prepared document's text before which
    // the operation adds: the text before them stays after any failure.
    size_t addsBeforeLast;
};

const std::u16string kDocument =
    u"<?xml version=\"1.0\"?><!--saved--><p:settings xmlns:p=\"urn:p\" id=\"3\">first"
    u"<folder name=\"a\" path=\"x&amp;y\">Inbox</folder><![CDATA[<raw> & ]]><p:mru n=\"2\">"
    u"<entry>One</entry><entry k=\"v\">Two</entry><other/></p:mru></p:settings>";

ComPtr<IRwDOMDocument> Loaded(std::u16string_view text) {
    ComPtr<IRwDOMDocument> document;
    RwGetDOMDocumentFromString(text, document);
    return document;
}

const Case kCases[] = {
    {"a document read from text", [] { return ComPtr<IRwDOMDocument>(); },
     [](ComPtr<IRwDOMDocument>& document) { RwGetDOMDocumentFromString(kDocument, document); }, 0},
    {"content read below a node of a document",
     [] { return Loaded(u"<settings><kept a=\"1\">x</kept><folders/></settings>"); },
     [](ComPtr<IRwDOMDocument>& document) {
         auto folders = document->GetLastChild()->GetLastChild();
         std::string bytes = text::Narrow(kDocument);
         RwAddXMLToDOMDocument(new ChunkedStream(bytes, bytes.size()), document, folders.Get(),
                               true);
     },
     13},
    {"a tree made through the document's interface", [] { return TRwDOMDocument::Create(); },
     [](ComPtr<IRwDOMDocument>& document) {
         document->CreateProcessingInstruction(u"version", u"1.0");
         auto settings = document->CreateElement(u"settings");
         document->AppendChild(settings.Get());
         settings->SetAttribute(u"id", u"3");
         settings->AppendChild(document->CreateComment(u"note").Get());
         for (const char16_t* name : {u"folder", u"mru", u"entry"}) {
             auto element = document->CreateElement(name);
             settings->AppendChild(element.Get());
             element->SetAttribute(u"name", name);
             element->SetNodeValue(u"a<b");
         }
         settings->AppendChild(document->CreateCDataSection(u"raw").Get());
     },
     0},
    {"a tree of another document moved into it",
     [] { return Loaded(u"<settings><a/></settings>"); },
     [](ComPtr<IRwDOMDocument>& document) {
         ComPtr<IRwDOMDocument> other = Loaded(kDocument);
         document->GetLastChild()->AppendChild(other->GetLastChild().Get());
     },
     11},
};

// The error of the operation, or "" when it succeeded. Out of memory raises
// std::bad_alloc, or, from inside the reader, the reader's ESAXException
// with its message; anything else goes on to fail the test.
std::string ErrorOf(const Case& c, ComPtr<IRwDOMDocument>& document) {
    try {
        c.run(document);
    } catch (const std::bad_alloc&) {
        return "out of memory";
    } catch (const ESAXException& e) {
        return e.Message == std::bad_alloc().what() ? "out of memory"
                                                    : "ESAXException " + e.Message;
    }
    return "";
}

class DomAllocationFailure : public ::testing::TestWithParam<Case> {};

TEST_P(DomAllocationFailure, EachAllocationFailingInTurnLeavesAWholeTreeAndNoLeak) {
    const Case& c = GetParam();
    // The text of the operation's result when no allocation fails.
    ComPtr<IRwDOMDocument> reference = c.prepare();
    ASSERT_EQ(ErrorOf(c, reference), "");
    const std::u16string complete = reference->GetXML();
    reference = nullptr;

    std::u16string kept;
    if (ComPtr<IRwDOMDocument> prepared = c.prepare())
        kept = prepared->GetXML().substr(0, prepared->GetXML().size() - c.addsBeforeLast);

    long failures = 0;
    for (;; ++failures) {
        const long before = TRwDOMBase::InstanceCount();
        ComPtr<IRwDOMDocument> document = c.prepare();
        TRwDOMAllocationFault::Arm(failures);
        std::string error = ErrorOf(c, document);
        const bool failed = TRwDOMAllocationFault::Disarm();
        if (!failed) {
            EXPECT_EQ(error, "");
            ASSERT_TRUE(document);
            EXPECT_EQ(document->GetXML(), complete);
            document = nullptr;
            EXPECT_EQ(TRwDOMBase::InstanceCount(), before);
            break;
        }
        EXPECT_EQ(error, "out of memory") << "allocation " << failures;
        if (document) {
            const std::u16string written = document->GetXML();
            EXPECT_TRUE(written.starts_with(kept))
                << "allocation " << failures << ": " << text::Narrow(written);
            ComPtr<IRwDOMDocument> reread = Loaded(written);
            EXPECT_EQ(reread ? reread->GetXML() : u"", written) << "allocation " << failures;
        }
        document = nullptr;
        EXPECT_EQ(TRwDOMBase::InstanceCount(), before) << "allocation " << failures;
        if (::testing::Test::HasFailure())
            break;
    }
    // Every node, list, value and name is an allocation of its own.
    EXPECT_GT(failures, 5);
    std::printf("%s: %ld allocations failed in turn\n", c.name, failures);
}

INSTANTIATE_TEST_SUITE_P(Operations, DomAllocationFailure, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return "Case" + std::to_string(info.index);
                         });

TEST(DomAllocationFault, IsInertUntilArmedAndFiresOnce) {
    EXPECT_FALSE(TRwDOMAllocationFault::Disarm());
    ComPtr<IRwDOMDocument> document = TRwDOMDocument::Create();
    TRwDOMAllocationFault::Arm(0);
    EXPECT_THROW(document->CreateElement(u"a"), std::bad_alloc);
    // Fired, it is spent: the next allocations succeed.
    EXPECT_NO_THROW(document->CreateElement(u"b"));
    EXPECT_TRUE(TRwDOMAllocationFault::Disarm());
    EXPECT_FALSE(TRwDOMAllocationFault::Disarm());
}

} // namespace
