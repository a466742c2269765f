// The PNG file format, through libpng: writing any bitmap so that a person can
// look at what was drawn (a form, a label, a sample of text), and reading
// PNG files (an icon's entries may hold one).
//
// Files are untrusted input: the size in the header is checked against the
// drawing layer's limits (Dib.h) before any row is allocated, and a broken or
// truncated file raises EInvalidGraphic "PNG image is not valid" with the
// reason after a colon, never more.
#pragma once

#include "platform/gfx/Dib.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TBitmap;

namespace gfx {

// The pixels of a PNG file and whether they carry their own transparency.
struct PngImage {
    // 32 bits per pixel, top-down: straight alpha when HasAlpha, else alpha
    // 0 (the machine's way of saying "no alpha", as a 24-bit bitmap reads).
    std::unique_ptr<Dib> Pixels;
    // True when the file has an alpha channel or a transparent colour.
    bool HasAlpha = false;
};

// True when the bytes start with the PNG signature.
bool IsPng(const uint8_t* data, size_t size);
// Decodes a PNG file of any colour type and depth (palettes, grays, 16-bit
// channels and interlacing are converted); the first image only.
PngImage DecodePng(const uint8_t* data, size_t size);
// A PNG file of the pixels (any format a Dib holds). A 32-bit image with any
// alpha other than 0 is written with its alpha (straight, as icons keep it);
// any other image is written opaque, RGB.
std::vector<uint8_t> EncodePng(const DibView& pixels);

// The PNG file of a bitmap's image (empty for an empty bitmap).
std::vector<uint8_t> EncodePng(TBitmap& bitmap);
// Writes a bitmap's image to a PNG file; EInvalidGraphic when the file
// cannot be written or the bitmap is empty.
void SavePngFile(TBitmap& bitmap, const std::string& fileName);
// Replaces a bitmap's image by a PNG file's pixels (a 32-bit bitmap).
void LoadPng(TBitmap& bitmap, const uint8_t* data, size_t size);

} // namespace gfx
