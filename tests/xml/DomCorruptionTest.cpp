// Hostile input: a thousand seeded random corruptions of a valid document,
// each read into a tree. Every one must end in a document or in an error of
// the library, never in a crash, a hang or another kind of failure; what was
// read must then write and read back the same.
#include "DomTestSupport.h"

#include "platform/rtl/Streams.h"
#include "xml/DomLoad.h"

#include <random>

using domtest::DomTest;

namespace {

const std::u16string kValid =
    u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    u"<!DOCTYPE settings [ <!ENTITY x \"y\"> ]>\n"
    u"<!-- saved by the add-in -->\n"
    u"<settings version=\"2\" xmlns:p=\"urn:p\">\n"
    u"  <defaults file=\"1\" category=\"Work &amp; life\" maintain=\"true\"/>\n"
    u"  <folder store=\"0000ABCD\" path=\"\\\\Inbox\\Fa&lt;ctures\">Inbox "
    u"\u00e4\u20ac\U0001F600</folder>\n"
    u"  <p:mru count=\"3\"><p:entry>One</p:entry><entry>Two<sub/>tail</entry><entry/></p:mru>\n"
    u"  <![CDATA[ <raw> & ]] ]]>\n"
    u"  <?app data?>\n"
    u"  <!-- note -- inside -->\n"
    u"</settings>\n";

// Characters that corruptions bring in: markup, quotes, NUL, surrogate
// halves, the byte-order mark, a character above U+FFFF.
const char16_t kSpecial[] = {u'<',  u'>',  u'/',   u'!',   u'?',   u'-',   u'[', u']',
                             u'"',  u'\'', u'=',   u'&',   u';',   u':',   u' ', u'\n',
                             u'\t', 0,     0xD800, 0xDC00, 0xFEFF, 0xFFFF, u'x'};

std::u16string Corrupt(std::u16string text, std::mt19937& random) {
    auto below = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
    for (size_t edits = 1 + below(8); edits > 0 && !text.empty(); --edits) {
        size_t at = below(text.size());
        switch (below(6)) {
        case 0: // replace a character
            text[at] = kSpecial[below(std::size(kSpecial))];
            break;
        case 1: // insert a character
            text.insert(text.begin() + static_cast<ptrdiff_t>(at),
                        kSpecial[below(std::size(kSpecial))]);
            break;
        case 2: // delete a run
            text.erase(at, 1 + below(20));
            break;
        case 3: // repeat a run
            text.insert(at, text.substr(at, 1 + below(40)));
            break;
        case 4: // cut the end
            text.resize(at);
            break;
        case 5: // flip bits of a character
            text[at] = static_cast<char16_t>(text[at] ^ (1u << below(16)));
            break;
        }
    }
    return text;
}

class DomCorruption : public DomTest {};

// The outcome of reading text: a document, or the library's error. An empty
// text gives no document and no error.
enum class Outcome { Tree, Error, Empty, Foreign };

Outcome Read(std::u16string_view text, ComPtr<IRwDOMDocument>& document) {
    domtest::ExpectSameTreeAtEveryChunkSize(domtest::TextBytes(text));
    try {
        RwGetDOMDocumentFromString(text, document);
    } catch (const Exception&) {
        return Outcome::Error;
    } catch (...) {
        return Outcome::Foreign;
    }
    return document ? Outcome::Tree : Outcome::Empty;
}

TEST_F(DomCorruption, EveryCorruptedDocumentGivesATreeOrAnError) {
    int trees = 0, errors = 0, unchanged = 0;
    for (unsigned seed = 1; seed <= 1000; ++seed) {
        std::mt19937 random(seed);
        const std::u16string text = Corrupt(kValid, random);
        ComPtr<IRwDOMDocument> first;
        Outcome outcome = Read(text, first);
        ASSERT_NE(outcome, Outcome::Foreign) << "seed " << seed << ": no error of the library";
        ASSERT_EQ(outcome == Outcome::Empty, text.empty()) << "seed " << seed;
        if (outcome != Outcome::Tree) {
            errors += outcome == Outcome::Error;
            continue;
        }
        ++trees;
        // What was read is written, and what was written reads as a tree or
        // an error too. It need not read back the same: the reader takes names
        // that the writer cannot give back (an element ":?x" keeps "?x",
        // written as "<?x"); documents of the library's dialect do, as the
        // round-trip tests show.
        (void)first->GetUTF8FormatXML("\r\n", "", "  ");
        const std::u16string written = first->GetXML();
        ComPtr<IRwDOMDocument> second;
        outcome = Read(written, second);
        ASSERT_NE(outcome, Outcome::Foreign) << "seed " << seed << ": no error of the library";
        unchanged += outcome == Outcome::Tree && second->GetXML() == written;
    }
    // Both outcomes occur, so the corruptions reach past the first error.
    EXPECT_GT(trees, 100);
    EXPECT_GT(errors, 100);
    std::printf("corruptions: %d read as trees (%d written back unchanged), %d rejected\n", trees,
                unchanged, errors);
}

TEST_F(DomCorruption, CorruptedUTF8BytesGiveATreeOrAnError) {
    std::string valid;
    for (char16_t c : kValid)
        valid += static_cast<char>(c < 0x80 ? c : 'a');
    valid += "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80";
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        std::string bytes = valid;
        for (int edits = 1 + static_cast<int>(random() % 6); edits > 0 && !bytes.empty(); --edits) {
            size_t at = random() % bytes.size();
            switch (random() % 3) {
            case 0:
                bytes[at] = static_cast<char>(random());
                break;
            case 1:
                bytes.erase(at, 1 + random() % 8);
                break;
            case 2:
                bytes.resize(at);
                break;
            }
        }
        domtest::ExpectSameTreeAtEveryChunkSize(bytes);
        ComPtr<IRwDOMDocument> document;
        try {
            RwGetDOMDocument(new ChunkedStream(bytes, bytes.size()), true, document);
            ASSERT_TRUE(document) << "seed " << seed;
        } catch (const Exception&) {
        } catch (...) {
            ADD_FAILURE() << "seed " << seed << ": an exception of no library class";
        }
    }
}

} // namespace
