// The XML library's English texts, by message group and id. The library asks
// for a text through Translate; an id the pack does not know gets the default
// format the library passes, filled with group and id ("<stringid 0,99>").
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

struct Message {
    int32_t group;
    int32_t id;
    const char* text;
};

// Group 0: the document tree.
constexpr Message kMessages[] = {
    {0, 22, "A node can only be created by a document: no owner document was given."},
    {0, 23, "A node list can only be created for a document: no owner document was given."},
};

bool initialised = false;

// Fills a "%d,%d" style default with group and id; only %d is understood.
std::string FillDefault(const char* format, int32_t group, int32_t id) {
    std::string out;
    int used = 0;
    for (const char* p = format; *p; ++p) {
        if (p[0] == '%' && p[1] == 'd' && used < 2) {
            out += std::to_string(used++ == 0 ? group : id);
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

} // namespace

extern "C" {

// Prepares the pack; false would tell the loader that it cannot be used.
__attribute__((visibility("default"))) bool InitLanguageDll() {
    initialised = true;
    return true;
}

// The text of group and id, valid until the next call on this thread.
__attribute__((visibility("default"))) const char* Translate(int32_t group, int32_t id,
                                                             const char* defaultFormat) {
    for (const Message& message : kMessages)
        if (message.group == group && message.id == id)
            return message.text;
    thread_local std::string fallback;
    fallback = FillDefault(defaultFormat ? defaultFormat : "", group, id);
    return fallback.c_str();
}

// Called before the library is unloaded.
__attribute__((visibility("default"))) void FinalizeLanguageDll() {
    initialised = false;
}
}
