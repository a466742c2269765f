// SAX parsing speed: the Reedwing reader, expat, libxml2's SAX interface and
// pugixml (which always builds its tree) on the same documents. Each handler
// does the least work a user would: it looks at every text it is given.
#include "BenchDocuments.h"

#include "xml/uRwXmlParser.h"

#include <benchmark/benchmark.h>
#include <expat.h>
#include <libxml/parser.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cstring>

namespace {

class CountingHandler : public ComObject<IBufferedContentHandler> {
    friend struct ::ComMaker;

public:
    static ComPtr<CountingHandler> Create() {
        return ComPtr<CountingHandler>::Adopt(ComMaker::New<CountingHandler>());
    }
    size_t Count = 0;
    void setDocumentLocator(ILocator*) override {}
    void startDocument() override {}
    void endDocument() override {}
    void startPrefixMapping(PSAXChar, int32_t, PSAXChar, int32_t) override {}
    void endPrefixMapping(PSAXChar, int32_t) override {}
    void startElement(PSAXChar, int32_t, PSAXChar, int32_t, PSAXChar, int32_t qn,
                      IBufferedAttributes* atts) override {
        Count += qn + atts->getLength();
    }
    void endElement(PSAXChar, int32_t, PSAXChar, int32_t, PSAXChar, int32_t qn) override {
        Count += qn;
    }
    void characters(PSAXChar, int32_t n) override { Count += n; }
    void ignorableWhitespace(PSAXChar, int32_t) override {}
    void processingInstruction(PSAXChar, int32_t, PSAXChar, int32_t) override {}
    void skippedEntity(PSAXChar, int32_t) override {}

protected:
    CountingHandler() = default;
    ~CountingHandler() override = default;
};

// A stream over the benchmark document, without copying it.
class ViewStream : public TStream {
public:
    explicit ViewStream(const std::string& bytes) : bytes_(bytes) {}
    size_t Read(void* buffer, size_t count) override {
        size_t n = std::min(count, bytes_.size() - position_);
        std::memcpy(buffer, bytes_.data() + position_, n);
        position_ += n;
        return n;
    }
    size_t Write(const void*, size_t) override { return 0; }
    int64_t Seek(int64_t offset, TSeekOrigin origin) override {
        int64_t base = origin == soBeginning ? 0
                       : origin == soCurrent ? int64_t(position_)
                                             : int64_t(bytes_.size());
        position_ = static_cast<size_t>(std::clamp<int64_t>(base + offset, 0, bytes_.size()));
        return static_cast<int64_t>(position_);
    }

private:
    const std::string& bytes_;
    size_t position_ = 0;
};

void ReedwingSax(benchmark::State& state, const BenchDocument* document) {
    ComPtr<CountingHandler> handler = CountingHandler::Create();
    ComPtr<TRwSAXXMLReader> reader = TRwSAXXMLReader::Create();
    reader->setContentHandler(handler.Get());
    for (auto _ : state) {
        reader->Parse(new ViewStream(document->bytes), true);
        benchmark::DoNotOptimize(handler->Count);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(document->bytes.size()));
}

void Expat(benchmark::State& state, const BenchDocument* document) {
    size_t count = 0;
    for (auto _ : state) {
        XML_Parser parser = XML_ParserCreate(nullptr);
        XML_SetUserData(parser, &count);
        XML_SetElementHandler(
            parser,
            [](void* data, const XML_Char* name, const XML_Char** atts) {
                size_t n = 0;
                while (atts[n])
                    ++n;
                *static_cast<size_t*>(data) += std::strlen(name) + n / 2;
            },
            [](void* data, const XML_Char* name) {
                *static_cast<size_t*>(data) += std::strlen(name);
            });
        XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char*, int len) {
            *static_cast<size_t*>(data) += len;
        });
        XML_Parse(parser, document->bytes.data(), static_cast<int>(document->bytes.size()), 1);
        XML_ParserFree(parser);
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(document->bytes.size()));
}

void Libxml2Sax(benchmark::State& state, const BenchDocument* document) {
    size_t count = 0;
    xmlSAXHandler sax{};
    sax.initialized = XML_SAX2_MAGIC;
    sax.startElementNs = [](void* data, const xmlChar* local, const xmlChar*, const xmlChar*, int,
                            const xmlChar**, int attributes, int, const xmlChar**) {
        *static_cast<size_t*>(data) += xmlStrlen(local) + attributes;
    };
    sax.endElementNs = [](void* data, const xmlChar* local, const xmlChar*, const xmlChar*) {
        *static_cast<size_t*>(data) += xmlStrlen(local);
    };
    sax.characters = [](void* data, const xmlChar*, int len) {
        *static_cast<size_t*>(data) += len;
    };
    for (auto _ : state) {
        xmlSAXUserParseMemory(&sax, &count, document->bytes.data(),
                              static_cast<int>(document->bytes.size()));
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(document->bytes.size()));
}

void Pugixml(benchmark::State& state, const BenchDocument* document) {
    for (auto _ : state) {
        pugi::xml_document tree;
        tree.load_buffer(document->bytes.data(), document->bytes.size());
        benchmark::DoNotOptimize(tree.first_child());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(document->bytes.size()));
}

const bool registered = [] {
    for (const BenchDocument& document : BenchDocuments()) {
        benchmark::RegisterBenchmark((document.name + "/expat").c_str(), Expat, &document);
        benchmark::RegisterBenchmark((document.name + "/Reedwing SAX").c_str(), ReedwingSax,
                                     &document);
        benchmark::RegisterBenchmark((document.name + "/libxml2 SAX").c_str(), Libxml2Sax,
                                     &document);
        benchmark::RegisterBenchmark((document.name + "/pugixml tree").c_str(), Pugixml, &document);
    }
    return true;
}();

} // namespace
