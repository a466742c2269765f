// Feeds arbitrary bytes to the stored-form reader as the form of a data
// module holding the platform's classes: any input must end in a module or an
// error, never in a crash, a hang or a leak.
#include "platform/forms/DataModule.h"
#include "platform/forms/FormClass.h"
#include "platform/forms/FormReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const forms::FormClassTable table;
    auto* module = new TDataModule(nullptr);
    try {
        forms::ReadComponentForm(
            *module, std::string_view(reinterpret_cast<const char*>(data), size), table, "TFuzz");
    } catch (const Exception&) {
    }
    module->Free();
    return 0;
}
