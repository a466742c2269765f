// The stored form of a ribbon container's child classes ("ControlTypes"):
// a container's children may be of any control class, so its form keeps,
// before the children themselves ("Controls_"), the type code of each child
// in collection order. The binary layout is a 32-bit little-endian signed
// count N followed by N 32-bit little-endian codes (4 + 4N bytes).
#pragma once

#include <cstdint>
#include <vector>

// The "ControlTypes" bytes of the codes given.
std::vector<uint8_t> adxWriteControlTypes(const std::vector<int32_t>& codes);
// The codes of "ControlTypes" bytes; raises EReadError when the data is not
// exactly a count followed by that many codes (a negative count included).
std::vector<int32_t> adxReadControlTypes(const std::vector<uint8_t>& data);
