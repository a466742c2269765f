// The generated documents every XML benchmark reads, a few MB each, and the
// naming rule of the benchmarks: "<document>/<implementation>", so that the
// closing table can set each figure against expat's on the same document.
#pragma once

#include <string>
#include <vector>

struct BenchDocument {
    // "config" or "text".
    std::string name;
    // The document as UTF-8 bytes with an XML declaration.
    std::string bytes;
};

// A configuration-like document (many small elements with attributes) and a
// text-heavy one (long text runs with non-ASCII characters), built once.
const std::vector<BenchDocument>& BenchDocuments();
