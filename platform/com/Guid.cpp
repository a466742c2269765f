// GUIDs: parsing and formatting in the registry's text form, and new ones.

#include "platform/com/Guid.h"

#include "platform/com/OleError.h"
#include "platform/text/Text.h"

#include <cstdio>
#include <random>

std::optional<GUID> GUID::Parse(std::string_view text) {
    GUID g;
    if (!guid_detail::ParseGuid(text, g))
        return std::nullopt;
    return g;
}

std::optional<GUID> GUID::Parse(std::u16string_view text) {
    if (text.size() != 38)
        return std::nullopt;
    std::string narrow;
    for (char16_t c : text) {
        if (c > 0x7F)
            return std::nullopt;
        narrow += static_cast<char>(c);
    }
    return Parse(std::string_view(narrow));
}

GUID GUID::Create() {
    // One generator per thread, seeded from the system's entropy source.
    thread_local std::mt19937_64 engine{[] {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device(), device(), device()};
        return std::mt19937_64(seed);
    }()};
    uint64_t hi = engine(), lo = engine();
    GUID g;
    g.Data1 = static_cast<uint32_t>(hi >> 32);
    g.Data2 = static_cast<uint16_t>(hi >> 16);
    g.Data3 = static_cast<uint16_t>((hi & 0x0FFF) | 0x4000); // version 4
    for (int i = 0; i < 8; ++i)
        g.Data4[i] = static_cast<uint8_t>(lo >> (56 - 8 * i));
    g.Data4[0] = static_cast<uint8_t>((g.Data4[0] & 0x3F) | 0x80); // variant 10xx
    return g;
}

std::string GUID::ToString() const {
    char buf[39];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(Data1), static_cast<unsigned>(Data2),
                  static_cast<unsigned>(Data3), Data4[0], Data4[1], Data4[2], Data4[3], Data4[4],
                  Data4[5], Data4[6], Data4[7]);
    return buf;
}

std::u16string GUID::ToWide() const {
    return text::Wide(ToString());
}

std::string GUIDToString(const GUID& g) {
    return g.ToString();
}

GUID StringToGUID(std::string_view text) {
    if (auto g = GUID::Parse(text))
        return *g;
    throw EOleSysError("Invalid class string: \"" + std::string(text.substr(0, 80)) + "\"",
                       CO_E_CLASSSTRING);
}
