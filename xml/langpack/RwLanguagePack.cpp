// The XML library's English texts, by message group and id. The library asks
// for a text through Translate; an id the pack does not know gets the default
// format the library passes, filled with group and id ("<stringid 0,99>").
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <set>
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

// The text of group and id, valid while the pack is loaded. Filled defaults
// are kept once each (there are as few as the library's calls) rather than
// per thread: a library that is unloaded should own no thread-local storage,
// which the leak checker's scan of threads trips over after the unload.
__attribute__((visibility("default"))) const char* Translate(int32_t group, int32_t id,
                                                             const char* defaultFormat) {
    for (const Message& message : kMessages)
        if (message.group == group && message.id == id)
            return message.text;
    static std::mutex mutex;
    static std::set<std::string> filled;
    std::lock_guard<std::mutex> lock(mutex);
    return filled.insert(FillDefault(defaultFormat ? defaultFormat : "", group, id)).first->c_str();
}

// Called before the library is unloaded.
__attribute__((visibility("default"))) void FinalizeLanguageDll() {
    initialised = false;
}
}
