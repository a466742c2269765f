// Conversation index blocks, laid out as Outlook lays them out.
#include "platform/sim/outlook/ConversationIndex.h"

#include "platform/text/Text.h"

namespace sim {
namespace {

// 100-nanosecond units per day, and days from 1601-01-01 (the FILETIME epoch)
// to 1899-12-30 (the OLE date epoch).
constexpr double FileTimeUnitsPerDay = 864000000000.0;
constexpr double FileTimeEpochToOleEpochDays = 109205.0;

uint64_t FileTimeOf(TDateTime when) {
    double units = (when + FileTimeEpochToOleEpochDays) * FileTimeUnitsPerDay;
    return units <= 0 ? 0 : static_cast<uint64_t>(units);
}

// The header keeps bits 63..16 of the FILETIME; its first byte, "reserved",
// is 1, which is also what the top byte of every FILETIME since 1601 + 2^56
// units (the year 1829) is.
uint64_t HeaderTime(const std::vector<uint8_t>& index) {
    uint64_t bits = 0;
    for (size_t i = 0; i < 6; ++i)
        bits = (bits << 8) | index[i];
    return bits << 16;
}

} // namespace

std::vector<uint8_t> NewConversationIndex(TDateTime when, const GUID& id) {
    std::vector<uint8_t> index(ConversationHeaderSize);
    uint64_t time = FileTimeOf(when);
    index[0] = 1;
    for (size_t i = 1; i < 6; ++i)
        index[i] = static_cast<uint8_t>(time >> (8 * (7 - i)));
    for (size_t i = 0; i < 4; ++i)
        index[6 + i] = static_cast<uint8_t>(id.Data1 >> (8 * (3 - i)));
    index[10] = static_cast<uint8_t>(id.Data2 >> 8);
    index[11] = static_cast<uint8_t>(id.Data2);
    index[12] = static_cast<uint8_t>(id.Data3 >> 8);
    index[13] = static_cast<uint8_t>(id.Data3);
    for (size_t i = 0; i < 8; ++i)
        index[14 + i] = id.Data4[i];
    return index;
}

std::vector<uint8_t> ChildConversationIndex(const std::vector<uint8_t>& parent, TDateTime when,
                                            uint8_t random) {
    if (parent.size() < ConversationHeaderSize)
        return NewConversationIndex(when, GUID::Create());
    uint64_t now = FileTimeOf(when);
    uint64_t start = HeaderTime(parent);
    uint64_t delta = now > start ? now - start : 0;
    // Short delays keep finer bits (code 0); long ones drop five more (code 1).
    uint32_t block;
    if ((delta & 0x00FE000000000000ull) == 0)
        block = static_cast<uint32_t>((delta >> 18) & 0x7FFFFFFF);
    else
        block = 0x80000000u | static_cast<uint32_t>((delta >> 23) & 0x7FFFFFFF);
    size_t children = (parent.size() - ConversationHeaderSize) / ConversationChildSize;
    std::vector<uint8_t> index = parent;
    for (int shift = 24; shift >= 0; shift -= 8)
        index.push_back(static_cast<uint8_t>(block >> shift));
    index.push_back(static_cast<uint8_t>(((random & 0x0F) << 4) | ((children + 1) & 0x0F)));
    return index;
}

std::u16string ConversationIndexText(const std::vector<uint8_t>& bytes) {
    std::u16string digits;
    digits.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        digits.push_back(static_cast<char16_t>(text::HexDigit(b >> 4)));
        digits.push_back(static_cast<char16_t>(text::HexDigit(b)));
    }
    return digits;
}

std::vector<uint8_t> ConversationIndexBytes(std::u16string_view text) {
    auto value = [](char16_t c) {
        return c < 0x80 ? text::HexDigitValue(static_cast<char>(c)) : -1;
    };
    std::vector<uint8_t> bytes;
    if (text.size() % 2 != 0)
        return bytes;
    bytes.reserve(text.size() / 2);
    for (size_t i = 0; i < text.size(); i += 2) {
        int hi = value(text[i]), lo = value(text[i + 1]);
        if (hi < 0 || lo < 0)
            return {};
        bytes.push_back(static_cast<uint8_t>(hi * 16 + lo));
    }
    return bytes;
}

} // namespace sim
