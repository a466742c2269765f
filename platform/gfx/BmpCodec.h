// The BMP file format: reading any common variant (1, 4, 8, 16, 24 and 32
// bits; uncompressed, run-length encoded at 4 and 8 bits, or with bit-field
// masks; bottom-up or top-down rows; the core, info and later headers) and
// writing the plain form (an info header of 40 bytes, bottom-up rows).
//
// Files are untrusted input: every size and offset is checked against the
// data and the image size against the drawing layer's limits (Dib.h) before
// anything is allocated; a malformed file raises EInvalidGraphic "Bitmap
// image is not valid" with the reason after a colon.
#pragma once

#include "platform/gfx/Dib.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace gfx {

// The largest BMP file a reader takes in: the largest image of 32 bits with
// the largest headers and colour table.
inline constexpr size_t MaxBmpFileBytes = size_t(MaxBitmapPixels) * 4 + 14 + 124 + 1024 + 64;

// The pixels of a BMP file (starting with "BM").
std::unique_ptr<Dib> DecodeBmp(const uint8_t* data, size_t size);
// The pixels of a device-independent bitmap in memory: a header, its colour
// table or masks and the rows, with no file header (the clipboard's CF_DIB,
// an icon's image). pixelOffset, when not 0, is where the rows start;
// rowsEnd, when given, receives where they end (uncompressed formats).
std::unique_ptr<Dib> DecodeDib(const uint8_t* data, size_t size, size_t pixelOffset = 0,
                               size_t* rowsEnd = nullptr);
// A BMP file of the pixels: a 40-byte info header (BI_BITFIELDS with the masks
// for 16 bits other than 5-5-5), the colour table, bottom-up rows.
std::vector<uint8_t> EncodeBmp(const Dib& pixels);

} // namespace gfx
