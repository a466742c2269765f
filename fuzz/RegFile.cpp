// Feeds arbitrary bytes to the registry file reader: any input must end in a
// tree (with its bad lines reported), never in a crash or a hang, and the
// tree must survive being written and read again unchanged.
#include "platform/win/RegistryTree.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    platform::RegTree tree;
    platform::ParseRegText(text, tree);
    std::string written = platform::WriteRegText(tree);
    platform::RegTree again;
    platform::RegParseReport report = platform::ParseRegText(written, again);
    if (!report.Ok() || !(again == tree))
        std::abort();
    return 0;
}
