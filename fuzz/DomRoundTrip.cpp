// Reads arbitrary bytes into a document tree, writes it in every form and
// reads what was written, a few rounds over: any input must end in a tree or
// an error, never in a crash, a hang or a leak.
//
// The text is not required to settle. The reader takes names that the writer
// cannot give back whole: an element whose prefix was never declared keeps
// what follows the prefix, so a name with a ":" inside loses its front at
// each reading; an element ":?x" comes back as the instruction "<?x", one
// named ":" as the end tag "</>". Documents in the library's own dialect do
// read back the same; the round-trip tests hold them to it.
#include "xml/uRwXMLDOM.h"

#include <cstddef>
#include <cstdint>

namespace {

// The document read from text; nil when reading failed with the library's error.
ComPtr<IRwDOMDocument> Read(const std::u16string& text) {
    ComPtr<IRwDOMDocument> document;
    try {
        RwGetDOMDocumentFromString(text, document);
    } catch (const Exception&) {
        return nullptr;
    }
    return document;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto* stream = new TMemoryStream();
    stream->WriteBuffer(data, size);
    stream->SetPosition(0);
    ComPtr<IRwDOMDocument> first;
    try {
        RwGetDOMDocument(stream, true, first);
    } catch (const Exception&) {
    }
    if (!first)
        return 0;
    // Every writer runs, in the configuration file's format too.
    (void)first->GetUTF8FormatXML("\r\n", "", "  ");
    (void)first->GetUTF8XML();
    std::u16string written = first->GetXML();
    for (int round = 0; round < 3; ++round) {
        ComPtr<IRwDOMDocument> again = Read(written);
        if (!again)
            return 0;
        written = again->GetFormatXML("\n", " ", "\t");
    }
    return 0;
}
