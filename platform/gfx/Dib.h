// Pixel buffers of the drawing layer. Every bitmap of the machine, whether a
// device-independent section, a compatible bitmap or an icon's part, keeps
// its pixels in a Dib: rows of 1, 4, 8, 16, 24 or 32 bits per pixel with the
// Windows layout (rows padded to 4 bytes, blue before green before red, a
// colour table for up to 8 bits). A DibView looks at such rows without owning
// them, so callers' own memory (SetDIBits, StretchDIBits) is read the same way.
//
// Pixels are exchanged as 32-bit words 0xAARRGGBB (the byte order blue, green,
// red, alpha in memory). Reading a format without alpha gives alpha 0, which
// is what a plain copy of such a bitmap onto a 32-bit one leaves there.
#pragma once

#include "platform/gfx/GdiTypes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace gfx {

// The largest side and the most pixels a bitmap may have. Sizes read from
// files and streams are checked against them before anything is allocated.
inline constexpr int MaxBitmapSide = 16384;
inline constexpr int64_t MaxBitmapPixels = int64_t(1) << 24;

// True when a bitmap of that size and depth may be made (both sides above 0,
// within the limits above, and a bit count of 1, 4, 8, 16, 24 or 32).
bool ValidBitmapSize(int64_t width, int64_t height, int bitCount);
// Bytes per row of a bitmap, padded to 4 bytes.
uint32_t DibStride(int width, int bitCount);

// The 32-bit pixel word of a colour reference, with alpha 0.
constexpr uint32_t PixelOf(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
// The colour reference of a pixel word (its alpha dropped).
constexpr COLORREF ColorOf(uint32_t pixel) {
    return ((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16);
}

// Rows of pixels owned by somebody else.
struct DibView {
    int Width = 0;
    int Height = 0;
    int BitCount = 32;
    // Bytes from one row to the next in memory.
    uint32_t Stride = 0;
    // True when the first row in memory is the top row.
    bool TopDown = true;
    uint8_t* Bits = nullptr;
    // The colour table of a format of up to 8 bits.
    const RGBQUAD* Palette = nullptr;
    int PaletteSize = 0;
    // The masks of a 16-bit format (5-5-5 when all are 0).
    uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0;

    // The row y counted from the top.
    uint8_t* Row(int y) const {
        return Bits + static_cast<size_t>(TopDown ? y : Height - 1 - y) * Stride;
    }
    // True when (x, y) lies inside.
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
    // The pixel at (x, y) as 0xAARRGGBB (alpha 0 unless the format has 32 bits).
    uint32_t GetPixel(int x, int y) const;
    // The colour table index at (x, y) of a format of up to 8 bits, and
    // storing one (cut to the format's bits).
    int GetIndex(int x, int y) const;
    void SetIndex(int x, int y, int index) const;
    // Stores a pixel word: 32 bits keep its alpha; 24 and 16 bits its colour;
    // formats with a colour table take the nearest entry.
    void SetPixel(int x, int y, uint32_t pixel) const;
    // True for a 16-bit format of 5-5-5 masks (given or left at 0).
    bool Is555() const {
        return (RedMask == 0 && GreenMask == 0 && BlueMask == 0) ||
               (RedMask == 0x7C00 && GreenMask == 0x03E0 && BlueMask == 0x001F);
    }
    // The index of the colour table entry nearest to a pixel word.
    int NearestIndex(uint32_t pixel) const;
};

// A pixel buffer that owns its rows (zero-filled when made) and its colour
// table. Its memory never moves, so a section's pixel pointer stays valid.
class Dib {
public:
    // A buffer of that size and depth; raises EInvalidGraphicOperation
    // "Invalid image size" when ValidBitmapSize refuses it. A format
    // of up to 8 bits gets a colour table of 2^bitCount entries: black and
    // white for 1 bit, the standard 16 colours for 4 bits, HalftonePalette for 8.
    Dib(int width, int height, int bitCount, bool topDown = true);
    Dib(const Dib& other);
    Dib(Dib&&) noexcept = default;
    Dib& operator=(const Dib& other) { return *this = Dib(other); }
    Dib& operator=(Dib&&) noexcept = default;

    int Width() const { return view_.Width; }
    int Height() const { return view_.Height; }
    int BitCount() const { return view_.BitCount; }
    uint32_t Stride() const { return view_.Stride; }
    bool TopDown() const { return view_.TopDown; }
    // Total bytes of the rows.
    size_t ImageSize() const { return static_cast<size_t>(view_.Stride) * view_.Height; }
    uint8_t* Bits() const { return view_.Bits; }
    // The view over this buffer.
    const DibView& View() const { return view_; }

    // The colour table (empty above 8 bits).
    const std::vector<RGBQUAD>& Palette() const { return palette_; }
    // Replaces the colour table; entries beyond 2^bitCount are dropped and
    // missing ones are black.
    void SetPalette(const std::vector<RGBQUAD>& palette);
    // Sets the masks of a 16-bit format (5-5-5 or 5-6-5).
    void SetMasks(uint32_t red, uint32_t green, uint32_t blue);

    uint32_t GetPixel(int x, int y) const { return view_.GetPixel(x, y); }
    void SetPixel(int x, int y, uint32_t pixel) const { view_.SetPixel(x, y, pixel); }
    // Fills every pixel with a pixel word.
    void Fill(uint32_t pixel);

private:
    DibView view_;
    std::unique_ptr<uint8_t[]> bits_;
    std::vector<RGBQUAD> palette_;
};

// A colour table of 256 entries for 8-bit images made from colour ones: the
// standard 16 colours, a 6 x 6 x 6 colour cube and a ramp of 24 grays.
std::vector<RGBQUAD> HalftonePalette();

// A straight-alpha pixel word laid over another by its alpha.
uint32_t BlendPixel(uint32_t source, uint32_t dest);

// Copies a rectangle of source onto dest at (x, y), both clipped to their
// bitmaps, converting pixel by pixel (same formats copy bytes).
void CopyPixels(const DibView& dest, int x, int y, const DibView& source, const RECT& from);

} // namespace gfx
