// The block-wise scanning loops give the answer of a plain loop over one
// character at a time, wherever in a block the interesting character stands.
#include "xml/RwCharScan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

size_t PlainAsciiPrefix(const std::vector<uint8_t>& bytes) {
    size_t i = 0;
    while (i < bytes.size() && bytes[i] < 0x80)
        ++i;
    return i;
}

size_t PlainStopOrControl(const std::u16string& units, char16_t stop) {
    size_t i = 0;
    while (i < units.size() && units[i] != stop && units[i] >= 0x20)
        ++i;
    return i;
}

} // namespace

TEST(RwCharScan, WidenAsciiStopsAtTheFirstHighByteAtEveryPosition) {
    for (uint8_t high : {uint8_t(0x80), uint8_t(0xC3), uint8_t(0xFF)}) {
        for (size_t length = 0; length <= 40; ++length) {
            for (size_t at = 0; at <= length; ++at) {
                std::vector<uint8_t> bytes;
                for (size_t i = 0; i < length; ++i)
                    bytes.push_back(static_cast<uint8_t>(i == at ? high : 0x01 + (i * 37) % 0x7F));
                std::u16string out(length, u'?');
                size_t run = RwWidenAscii(bytes.data(), bytes.size(), out.data());
                ASSERT_EQ(run, PlainAsciiPrefix(bytes)) << length << " " << at;
                for (size_t i = 0; i < run; ++i)
                    ASSERT_EQ(out[i], bytes[i]) << length << " " << at << " " << i;
            }
        }
    }
}

TEST(RwCharScan, FindStopOrControlFindsEitherAtEveryPosition) {
    // Neighbours of the boundaries: a stop, controls, the first printable
    // characters and characters whose sign bit is set as 16-bit numbers.
    const char16_t found[] = {u'<', 0x00, 0x01, 0x0A, 0x1F};
    const char16_t passed[] = {u' ', u'!', u'=', 0x7F, 0x8000, 0xD83D, 0xFFFF};
    for (char16_t special : found) {
        for (size_t length = 0; length <= 30; ++length) {
            for (size_t at = 0; at <= length; ++at) {
                std::u16string units;
                for (size_t i = 0; i < length; ++i)
                    units += i == at ? special : passed[i % std::size(passed)];
                const char16_t* end = units.data() + units.size();
                const char16_t* hit = RwFindStopOrControl(units.data(), end, u'<');
                ASSERT_EQ(size_t(hit - units.data()), PlainStopOrControl(units, u'<'))
                    << int(special) << " " << length << " " << at;
            }
        }
    }
}
