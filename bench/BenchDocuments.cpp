// Generated benchmark documents.
#include "BenchDocuments.h"

#include <cstdint>

namespace {

std::string ConfigDocument() {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- saved settings -->\n"
                      "<settings version=\"3\" owner=\"user\">\n";
    uint32_t seed = 12345;
    for (int i = 0; xml.size() < 4 * 1024 * 1024; ++i) {
        seed = seed * 1103515245 + 12345;
        xml += "  <folder id=\"" + std::to_string(i) + "\" store=\"0000000038A1BB1005E5101AA1BB08" +
               std::to_string(seed % 100000) + "\" name=\"Projects " + std::to_string(seed % 977) +
               "\" default=\"" + (i % 3 ? "false" : "true") + "\">\n";
        xml += "    <path>\\\\Mailbox\\Inbox\\Projects\\Item " + std::to_string(i) + "</path>\n";
        xml += "    <category color=\"" + std::to_string(seed % 25) + "\">Follow-up</category>\n";
        xml += "    <mru/>\n  </folder>\n";
    }
    return xml + "</settings>\n";
}

std::string TextDocument() {
    static const char* words[] = {"the",
                                  "message",
                                  "was",
                                  "filed",
                                  "after",
                                  "sending",
                                  "Gr\xC3\xBC\xC3\x9F"
                                  "e",
                                  "\xE2\x82\xAC",
                                  "caf\xC3\xA9",
                                  "\xF0\x9F\x98\x80",
                                  "categories",
                                  "appointment"};
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<book>\n";
    uint32_t seed = 777;
    while (xml.size() < 4 * 1024 * 1024) {
        xml += "<para>";
        for (int w = 0; w < 400; ++w) {
            seed = seed * 1103515245 + 12345;
            xml += words[(seed >> 16) % 12];
            xml += ' ';
        }
        xml += "</para>\n";
    }
    return xml + "</book>\n";
}

} // namespace

const std::vector<BenchDocument>& BenchDocuments() {
    static const std::vector<BenchDocument> documents = {{"config", ConfigDocument()},
                                                         {"text", TextDocument()}};
    return documents;
}
