// Feeds arbitrary bytes to the SAX reader with handlers that touch every event
// argument: any input must end in events or an error, never in a crash, a
// hang or a leak.
#include "xml/uRwXmlParser.h"

#include <cstddef>
#include <cstdint>

namespace {

class Sink : public ComObject<IRwBufferedContentHandlerEx, IBufferedLexicalHandler, IErrorHandler> {
    friend struct ::ComMaker;

public:
    static ComPtr<Sink> Create() { return ComPtr<Sink>::Adopt(ComMaker::New<Sink>()); }
    size_t Total = 0;

    void Touch(PSAXChar p, int32_t n) {
        for (int32_t i = 0; i < n; ++i)
            Total += p[i];
    }
    void setDocumentLocator(ILocator*) override {}
    void startDocument() override {}
    void endDocument() override {}
    void startPrefixMapping(PSAXChar p, int32_t pn, PSAXChar u, int32_t un) override {
        Touch(p, pn), Touch(u, un);
    }
    void endPrefixMapping(PSAXChar p, int32_t pn) override { Touch(p, pn); }
    void startElement(PSAXChar u, int32_t un, PSAXChar l, int32_t ln, PSAXChar q, int32_t qn,
                      IBufferedAttributes* atts) override {
        Touch(u, un), Touch(l, ln), Touch(q, qn);
        for (int32_t i = 0; i < atts->getLength(); ++i) {
            PSAXChar name, value;
            int32_t nameLength, valueLength;
            atts->getLocalName(i, name, nameLength);
            atts->getValue(i, value, valueLength);
            Touch(name, nameLength), Touch(value, valueLength);
        }
    }
    void endElement(PSAXChar u, int32_t un, PSAXChar l, int32_t ln, PSAXChar q,
                    int32_t qn) override {
        Touch(u, un), Touch(l, ln), Touch(q, qn);
    }
    void characters(PSAXChar ch, int32_t n) override { Touch(ch, n); }
    void ignorableWhitespace(PSAXChar, int32_t) override {}
    void processingInstruction(PSAXChar t, int32_t tn, PSAXChar d, int32_t dn) override {
        Touch(t, tn), Touch(d, dn);
    }
    void skippedEntity(PSAXChar, int32_t) override {}
    void EndProlog() override {}
    void startDTD(PSAXChar n, int32_t nn, PSAXChar, int32_t, PSAXChar, int32_t) override {
        Touch(n, nn);
    }
    void EndDTD() override {}
    void StartEntity(PSAXChar, int32_t) override {}
    void EndEntity(PSAXChar, int32_t) override {}
    void StartCDATA() override {}
    void EndCDATA() override {}
    void Comment(PSAXChar ch, int32_t n) override { Touch(ch, n); }
    void warning(ISAXParseError* e) override { Total += e->getMessage().size(); }
    void Error(ISAXParseError* e) override { Total += e->getMessage().size(); }
    void fatalError(ISAXParseError* e) override { Total += e->getMessage().size(); }

protected:
    Sink() = default;
    ~Sink() override = default;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ComPtr<Sink> sink = Sink::Create();
    ComPtr<TRwSAXXMLReader> reader = TRwSAXXMLReader::Create();
    reader->setContentHandler(sink.Get());
    reader->setLexicalHandler(sink.Get());
    reader->setErrorHandler(sink.Get());
    auto* stream = new TMemoryStream();
    stream->WriteBuffer(data, size);
    stream->SetPosition(0);
    try {
        reader->Parse(stream, true);
    } catch (const Exception&) {
    }
    // The plain entity resolution the tree applies to values must not crash either.
    try {
        RwXMLToStr(std::u16string(reinterpret_cast<const char16_t*>(data), size / 2));
    } catch (const Exception&) {
    }
    return 0;
}
