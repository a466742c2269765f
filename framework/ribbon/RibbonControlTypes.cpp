// Reading and writing a container's "ControlTypes".
#include "framework/ribbon/RibbonControlTypes.h"

#include "platform/rtl/Exception.h"

#include <string>

namespace {

void PutInt32(std::vector<uint8_t>& out, int32_t value) {
    uint32_t bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(bits >> shift));
}

int32_t GetInt32(const std::vector<uint8_t>& data, size_t at) {
    uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = (bits << 8) | data[at + static_cast<size_t>(i)];
    return static_cast<int32_t>(bits);
}

} // namespace

std::vector<uint8_t> adxWriteControlTypes(const std::vector<int32_t>& codes) {
    std::vector<uint8_t> out;
    out.reserve(4 + 4 * codes.size());
    PutInt32(out, static_cast<int32_t>(codes.size()));
    for (int32_t code : codes)
        PutInt32(out, code);
    return out;
}

std::vector<int32_t> adxReadControlTypes(const std::vector<uint8_t>& data) {
    if (data.size() < 4)
        throw EReadError("ControlTypes: the data holds no count");
    int32_t count = GetInt32(data, 0);
    // The count comes from the form: check it against the bytes before using it.
    if (count < 0 || (data.size() - 4) / 4 != static_cast<size_t>(count) || data.size() % 4 != 0)
        throw EReadError("ControlTypes: the count " + std::to_string(count) + " does not match " +
                         std::to_string(data.size()) + " bytes of data");
    std::vector<int32_t> codes;
    codes.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
        codes.push_back(GetInt32(data, 4 + 4 * static_cast<size_t>(i)));
    return codes;
}
