// Tree building speed: the Reedwing tree (the reader driving the builder) and
// libxml2's tree on the same documents, each built and freed once per round;
// pugixml's tree stands beside them in the SAX benchmarks.
#include "BenchDocuments.h"

#include "xml/uRwXMLDOM.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>

namespace {

void ReedwingDom(benchmark::State& state, const BenchDocument* document) {
    TMemoryStream stream;
    stream.WriteBuffer(document->bytes.data(), document->bytes.size());
    for (auto _ : state) {
        stream.Seek(0, TSeekOrigin::soBeginning);
        ComPtr<IRwDOMDocument> tree;
        RwGetDOMDocument(&stream, false, tree);
        benchmark::DoNotOptimize(tree.Get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(document->bytes.size()));
}

void Libxml2Tree(benchmark::State& state, const BenchDocument* document) {
    for (auto _ : state) {
        xmlDocPtr tree =
            xmlReadMemory(document->bytes.data(), static_cast<int>(document->bytes.size()),
                          "bench.xml", nullptr, XML_PARSE_NONET);
        benchmark::DoNotOptimize(tree);
        xmlFreeDoc(tree);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(document->bytes.size()));
}

const bool registered = [] {
    for (const BenchDocument& document : BenchDocuments()) {
        benchmark::RegisterBenchmark((document.name + "/Reedwing DOM").c_str(), ReedwingDom,
                                     &document);
        benchmark::RegisterBenchmark((document.name + "/libxml2 tree").c_str(), Libxml2Tree,
                                     &document);
    }
    return true;
}();

} // namespace
