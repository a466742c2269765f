// The icon file format (.ico, and .cur read alike): a directory of images,
// each a device-independent bitmap of twice the icon's height holding the
// image rows and then the monochrome transparency mask, or a PNG file whose
// alpha gives the mask.
//
// Like BMP files, icon files are untrusted: the directory and every image are
// checked against the data and the size limits before anything is allocated;
// a malformed file raises EInvalidGraphic "Icon image is not valid" with the
// reason after a colon.
#pragma once

#include "platform/gfx/Dib.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace gfx {

// One image of an icon: its colours and its mask (1 = transparent).
struct IconImage {
    std::unique_ptr<Dib> Color;
    std::unique_ptr<Dib> Mask;
};

// The image of an icon file nearest to preferredSize pixels square (the
// deepest of those), as the class library picks the screen's icon size.
IconImage DecodeIco(const uint8_t* data, size_t size, int preferredSize = 32);
// An icon file of one image: the colours in their own depth (32-bit kept
// with alpha), then the mask.
std::vector<uint8_t> EncodeIco(const Dib& color, const Dib& mask);

} // namespace gfx
