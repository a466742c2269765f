// A SAX handler for tests that writes every event it receives as one line of
// text, so that a test compares a document's whole event list at once.
#pragma once

#include "ChunkedReads.h"
#include "platform/text/Text.h"
#include "xml/uRwXmlParser.h"

#include <string>
#include <vector>

class SaxRecorder
    : public ComObject<IRwBufferedContentHandlerEx, IBufferedLexicalHandler, IErrorHandler> {
    friend struct ComMaker;

public:
    static ComPtr<SaxRecorder> Create() {
        return ComPtr<SaxRecorder>::Adopt(ComMaker::New<SaxRecorder>());
    }

    // Events, one per line: "start a:b {x=1,y=2} uri=...", "chars ...", "end ...", ...
    std::vector<std::string> Events;
    // Warnings, errors and fatal errors with their position.
    std::vector<std::string> Problems;
    // Whether warnings go into Events too.
    bool RecordWarnings = false;

    static std::string T(PSAXChar p, int32_t n) { return text::Narrow(PSAXCharToSAXString(p, n)); }

    void setDocumentLocator(ILocator* locator) override { locator_ = locator; }
    void startDocument() override { Events.push_back("startDocument"); }
    void endDocument() override { Events.push_back("endDocument"); }
    void startPrefixMapping(PSAXChar p, int32_t pn, PSAXChar u, int32_t un) override {
        Events.push_back("startPrefix " + T(p, pn) + "=" + T(u, un));
    }
    void endPrefixMapping(PSAXChar p, int32_t pn) override {
        Events.push_back("endPrefix " + T(p, pn));
    }
    void startElement(PSAXChar u, int32_t un, PSAXChar l, int32_t ln, PSAXChar q, int32_t qn,
                      IBufferedAttributes* atts) override {
        std::string line = "start " + T(q, qn);
        if (T(l, ln) != T(q, qn))
            line += " local=" + T(l, ln);
        if (un > 0)
            line += " uri=" + T(u, un);
        for (int32_t i = 0; i < atts->getLength(); ++i) {
            PSAXChar name, value;
            int32_t nameLength, valueLength;
            atts->getQName(i, name, nameLength);
            atts->getValue(i, value, valueLength);
            line += " [" + T(name, nameLength) + "=" + T(value, valueLength) + "]";
        }
        Events.push_back(line);
    }
    void endElement(PSAXChar u, int32_t un, PSAXChar l, int32_t ln, PSAXChar q,
                    int32_t qn) override {
        std::string line = "end " + T(q, qn);
        if (un > 0)
            line += " uri=" + T(u, un);
        Events.push_back(line);
    }
    void characters(PSAXChar ch, int32_t n) override { Events.push_back("chars " + T(ch, n)); }
    void ignorableWhitespace(PSAXChar, int32_t) override {}
    void processingInstruction(PSAXChar t, int32_t tn, PSAXChar d, int32_t dn) override {
        Events.push_back("pi " + T(t, tn) + "|" + T(d, dn));
    }
    void skippedEntity(PSAXChar, int32_t) override {}
    void EndProlog() override { Events.push_back("endProlog"); }
    void startDTD(PSAXChar n, int32_t nn, PSAXChar, int32_t, PSAXChar, int32_t) override {
        Events.push_back("startDTD " + T(n, nn));
    }
    void EndDTD() override { Events.push_back("endDTD"); }
    void StartEntity(PSAXChar, int32_t) override {}
    void EndEntity(PSAXChar, int32_t) override {}
    void StartCDATA() override { Events.push_back("startCDATA"); }
    void EndCDATA() override { Events.push_back("endCDATA"); }
    void Comment(PSAXChar ch, int32_t n) override { Events.push_back("comment " + T(ch, n)); }
    void warning(ISAXParseError* e) override { Note("warning", e); }
    void Error(ISAXParseError* e) override { Note("error", e); }
    void fatalError(ISAXParseError* e) override { Note("fatal", e); }

    // The locator the reader handed over.
    ILocator* Locator() const { return locator_; }

protected:
    SaxRecorder() = default;
    ~SaxRecorder() override = default;

private:
    void Note(const char* kind, ISAXParseError* e) {
        std::string line = std::string(kind) + " " + std::to_string(e->getLineNumber()) + ":" +
                           std::to_string(e->getColumnNumber()) + " " +
                           text::Narrow(e->getMessage());
        Problems.push_back(line);
        if (RecordWarnings)
            Events.push_back(line);
    }
    ILocator* locator_ = nullptr;
};

// What a parse reported: its events, then its problems.
inline std::vector<std::string> ReportOf(const SaxRecorder& recorder) {
    std::vector<std::string> report = recorder.Events;
    report.push_back("-- problems:");
    report.insert(report.end(), recorder.Problems.begin(), recorder.Problems.end());
    return report;
}

// Parses bytes with recorder as content, lexical and error handler, then
// again with a recorder of its own at every chunk size, expecting the same
// events and problems each time.
inline void ParseWith(SaxRecorder* recorder, const std::string& bytes) {
    bool whole = true;
    ReadAtEveryChunkSize(bytes, [&](TStream* stream) {
        ComPtr<SaxRecorder> into = ComPtr<SaxRecorder>::Share(recorder);
        if (!whole) {
            into = SaxRecorder::Create();
            into->RecordWarnings = recorder->RecordWarnings;
        }
        whole = false;
        ComPtr<TRwSAXXMLReader> reader = TRwSAXXMLReader::Create();
        reader->setContentHandler(into.Get());
        reader->setLexicalHandler(into.Get());
        reader->setErrorHandler(into.Get());
        reader->Parse(stream, true);
        return ReportOf(*into);
    });
}

// The events of bytes, one string each.
inline std::vector<std::string> EventsOf(const std::string& bytes) {
    ComPtr<SaxRecorder> recorder = SaxRecorder::Create();
    ParseWith(recorder.Get(), bytes);
    return recorder->Events;
}
