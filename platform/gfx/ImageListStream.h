// The image list stream format, in which a stored form keeps an image list's
// images (its "Bitmap" property, hex in braces):
//
//   28-byte header, little-endian: "IL", version 0x0101, image count,
//     capacity, growth, image width, image height, background colour
//     (0xFFFFFFFF for none), flags (bit 0: masked; bits 1-7: the colour
//     depth, 4, 8, 16, 24 or 32, or 0xFE for the device's), four overlay
//     indices (-1);
//   a BMP file of the images, laid out left to right and top to bottom in
//     rows of four (any whole number of images per row is read);
//   for a masked list, a BMP file of the masks in the same layout (white
//     where transparent).
//
// Reading checks the header and every BMP file against the data and the size
// limits before it allocates anything.
#pragma once

#include "platform/gfx/Dib.h"

#include <cstdint>
#include <vector>

class TStream;

namespace gfx {

// One image list as the stream holds it.
struct ImageListData {
    int Width = 16;
    int Height = 16;
    int Grow = 4;
    uint32_t BkColor = 0xFFFFFFFF;
    bool Masked = true;
    // The colour depth flag bits (0xFE: the device's).
    int Depth = 0xFE;
    // Each image's colours (32 bits) and mask (1 bit, 1 = transparent).
    std::vector<Dib> Colors;
    std::vector<Dib> Masks;
};

// Reads an image list from the stream's position on; EReadError "Failed to
// read ImageList data from stream" with the reason after a colon.
ImageListData ReadImageListStream(TStream& stream);
// Writes an image list (colours at 32 bits when Depth is 32, else 24).
void WriteImageListStream(TStream& stream, const ImageListData& data);

} // namespace gfx
