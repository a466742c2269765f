// Reading and writing the BITMAPINFO that callers pass with pixel rows, for
// the drawing layer's own files: which formats are taken, and how a header
// becomes a pixel buffer or a view over the caller's rows.
#pragma once

#include "platform/gfx/Dib.h"

#include <memory>

namespace gfx::detail {

// What a BITMAPINFO says, once checked.
struct InfoFormat {
    int Width = 0;
    int Height = 0;
    int BitCount = 0;
    bool TopDown = false;
    // The masks of a 16-bit format (0 for 5-5-5).
    uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0;
    // The colour table behind the header (formats of up to 8 bits).
    const RGBQUAD* Palette = nullptr;
    int PaletteSize = 0;
};

// Checks a header: size at least 40, one plane, 1, 4, 8, 16, 24 or 32 bits,
// BI_RGB (or BI_BITFIELDS with 16 bits, or with 32 bits and the standard
// masks), a size that ValidBitmapSize accepts. False for anything else.
bool ReadInfo(const BITMAPINFO* info, InfoFormat& format);
// A zero-filled buffer of the header's format, with its colour table and
// masks; nullptr when ReadInfo refuses the header.
std::unique_ptr<Dib> NewDibOfInfo(const BITMAPINFO* info);
// A view over `rows` rows of the caller's bits in the header's format (the
// header's width; rows in the order its height's sign says).
DibView ViewOfInfo(const InfoFormat& format, const void* bits, int rows);
// The header that describes a buffer (negative height when it is top-down;
// BI_BITFIELDS for 16 bits with masks other than 5-5-5).
BITMAPINFOHEADER HeaderOf(const Dib& pixels);

} // namespace gfx::detail
