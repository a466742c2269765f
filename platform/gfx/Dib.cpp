// Pixel buffers: reading and writing pixels in each format, copying between formats.
#include "platform/gfx/Dib.h"

#include "platform/gfx/GraphicsErrors.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace gfx {

namespace {

// The standard 16 colours, in the order of a 4-bit colour table.
constexpr RGBQUAD Standard16[16] = {
    {0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0},
};

uint32_t PixelOfQuad(const RGBQUAD& q) {
    return (uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
}

// One colour channel of a 16-bit pixel, widened to 8 bits.
uint32_t Channel(uint32_t value, uint32_t mask) {
    if (mask == 0)
        return 0;
    int shift = std::countr_zero(mask);
    uint32_t max = mask >> shift;
    return ((value & mask) >> shift) * 255 / max;
}

// An 8-bit channel narrowed into a 16-bit pixel's mask (low bits dropped).
uint32_t Narrow(uint32_t channel, uint32_t mask) {
    if (mask == 0)
        return 0;
    int shift = std::countr_zero(mask);
    int bits = std::popcount(mask);
    return ((channel >> (8 - std::min(bits, 8))) << shift) & mask;
}

void Masks16(const DibView& v, uint32_t& r, uint32_t& g, uint32_t& b) {
    if (v.RedMask == 0 && v.GreenMask == 0 && v.BlueMask == 0) {
        r = 0x7C00;
        g = 0x03E0;
        b = 0x001F;
    } else {
        r = v.RedMask;
        g = v.GreenMask;
        b = v.BlueMask;
    }
}

} // namespace

std::vector<RGBQUAD> HalftonePalette() {
    std::vector<RGBQUAD> table(std::begin(Standard16), std::end(Standard16));
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                table.push_back(RGBQUAD{BYTE(b * 51), BYTE(g * 51), BYTE(r * 51), 0});
    for (int i = 0; i < 24; ++i) {
        BYTE v = BYTE(8 + i * 10);
        table.push_back(RGBQUAD{v, v, v, 0});
    }
    return table;
}

bool ValidBitmapSize(int64_t width, int64_t height, int bitCount) {
    if (width <= 0 || height <= 0 || width > MaxBitmapSide || height > MaxBitmapSide)
        return false;
    if (width * height > MaxBitmapPixels)
        return false;
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

uint32_t DibStride(int width, int bitCount) {
    return static_cast<uint32_t>(((int64_t(width) * bitCount + 31) / 32) * 4);
}

int DibView::GetIndex(int x, int y) const {
    const uint8_t* row = Row(y);
    switch (BitCount) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default:
        return row[x];
    }
}

void DibView::SetIndex(int x, int y, int index) const {
    uint8_t* row = Row(y);
    switch (BitCount) {
    case 1: {
        uint8_t bit = uint8_t(0x80 >> (x & 7));
        if (index & 1)
            row[x >> 3] |= bit;
        else
            row[x >> 3] &= uint8_t(~bit);
        break;
    }
    case 4: {
        uint8_t& b = row[x >> 1];
        b = (x & 1) ? uint8_t((b & 0xF0) | (index & 0x0F))
                    : uint8_t((b & 0x0F) | ((index & 0x0F) << 4));
        break;
    }
    default:
        row[x] = uint8_t(index);
        break;
    }
}

uint32_t DibView::GetPixel(int x, int y) const {
    const uint8_t* row = Row(y);
    switch (BitCount) {
    case 1:
    case 4:
    case 8: {
        int index = GetIndex(x, y);
        return index < PaletteSize ? PixelOfQuad(Palette[index]) : 0;
    }
    case 16: {
        uint32_t value = row[2 * x] | (uint32_t(row[2 * x + 1]) << 8);
        uint32_t r, g, b;
        Masks16(*this, r, g, b);
        return (Channel(value, r) << 16) | (Channel(value, g) << 8) | Channel(value, b);
    }
    case 24: {
        const uint8_t* p = row + 3 * x;
        return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    }
    default: {
        const uint8_t* p = row + 4 * x;
        return (uint32_t(p[3]) << 24) | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    }
    }
}

void DibView::SetPixel(int x, int y, uint32_t pixel) const {
    uint8_t* row = Row(y);
    switch (BitCount) {
    case 1:
    case 4:
    case 8:
        SetIndex(x, y, NearestIndex(pixel));
        break;
    case 16: {
        uint32_t r, g, b;
        Masks16(*this, r, g, b);
        uint32_t value = Narrow((pixel >> 16) & 0xFF, r) | Narrow((pixel >> 8) & 0xFF, g) |
                         Narrow(pixel & 0xFF, b);
        row[2 * x] = uint8_t(value);
        row[2 * x + 1] = uint8_t(value >> 8);
        break;
    }
    case 24: {
        uint8_t* p = row + 3 * x;
        p[0] = uint8_t(pixel);
        p[1] = uint8_t(pixel >> 8);
        p[2] = uint8_t(pixel >> 16);
        break;
    }
    default: {
        uint8_t* p = row + 4 * x;
        p[0] = uint8_t(pixel);
        p[1] = uint8_t(pixel >> 8);
        p[2] = uint8_t(pixel >> 16);
        p[3] = uint8_t(pixel >> 24);
        break;
    }
    }
}

int DibView::NearestIndex(uint32_t pixel) const {
    int best = 0;
    int64_t bestDistance = INT64_MAX;
    int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    int entries = std::min(PaletteSize, 1 << BitCount);
    for (int i = 0; i < entries; ++i) {
        int dr = Palette[i].rgbRed - r, dg = Palette[i].rgbGreen - g, db = Palette[i].rgbBlue - b;
        int64_t distance = int64_t(dr) * dr + int64_t(dg) * dg + int64_t(db) * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
            if (distance == 0)
                break;
        }
    }
    return best;
}

Dib::Dib(int width, int height, int bitCount, bool topDown) {
    if (!ValidBitmapSize(width, height, bitCount))
        throw EInvalidGraphicOperation(GraphicsConsts::SInvalidImageSize);
    view_.Width = width;
    view_.Height = height;
    view_.BitCount = bitCount;
    view_.Stride = DibStride(width, bitCount);
    view_.TopDown = topDown;
    bits_ = std::make_unique<uint8_t[]>(ImageSize());
    view_.Bits = bits_.get();
    if (bitCount == 1) {
        SetPalette({RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}});
    } else if (bitCount == 4) {
        SetPalette(std::vector<RGBQUAD>(std::begin(Standard16), std::end(Standard16)));
    } else if (bitCount == 8) {
        SetPalette(HalftonePalette());
    }
}

Dib::Dib(const Dib& other)
    : view_(other.view_), bits_(std::make_unique<uint8_t[]>(other.ImageSize())),
      palette_(other.palette_) {
    std::memcpy(bits_.get(), other.bits_.get(), other.ImageSize());
    view_.Bits = bits_.get();
    view_.Palette = palette_.data();
}

uint32_t BlendPixel(uint32_t src, uint32_t dst) {
    uint32_t a = src >> 24;
    auto mix = [a](uint32_t s, uint32_t d) { return (s * a + d * (255 - a) + 127) / 255; };
    uint32_t outA = a + ((dst >> 24) * (255 - a) + 127) / 255;
    return (outA << 24) | (mix((src >> 16) & 0xFF, (dst >> 16) & 0xFF) << 16) |
           (mix((src >> 8) & 0xFF, (dst >> 8) & 0xFF) << 8) | mix(src & 0xFF, dst & 0xFF);
}

void Dib::SetPalette(const std::vector<RGBQUAD>& palette) {
    if (view_.BitCount > 8)
        return;
    palette_.assign(size_t(1) << view_.BitCount, RGBQUAD{});
    std::copy_n(palette.begin(), std::min(palette.size(), palette_.size()), palette_.begin());
    view_.Palette = palette_.data();
    view_.PaletteSize = static_cast<int>(palette_.size());
}

void Dib::SetMasks(uint32_t red, uint32_t green, uint32_t blue) {
    view_.RedMask = red;
    view_.GreenMask = green;
    view_.BlueMask = blue;
}

void Dib::Fill(uint32_t pixel) {
    for (int x = 0; x < Width(); ++x)
        SetPixel(x, 0, pixel);
    for (int y = 1; y < Height(); ++y)
        std::memcpy(view_.Row(y), view_.Row(0), view_.Stride);
}

namespace {

bool SameFormat(const DibView& a, const DibView& b) {
    if (a.BitCount != b.BitCount)
        return false;
    if (a.BitCount == 16)
        return a.RedMask == b.RedMask && a.GreenMask == b.GreenMask && a.BlueMask == b.BlueMask;
    if (a.BitCount == 8) {
        if (a.PaletteSize != b.PaletteSize)
            return false;
        return std::memcmp(a.Palette, b.Palette, sizeof(RGBQUAD) * a.PaletteSize) == 0;
    }
    return a.BitCount >= 24;
}

} // namespace

void CopyPixels(const DibView& dest, int x, int y, const DibView& source, const RECT& from) {
    int left = std::max<LONG>(from.left, 0), top = std::max<LONG>(from.top, 0);
    int right = std::min<LONG>(from.right, source.Width);
    int bottom = std::min<LONG>(from.bottom, source.Height);
    x += left - from.left;
    y += top - from.top;
    if (x < 0)
        left -= x, x = 0;
    if (y < 0)
        top -= y, y = 0;
    right = std::min(right, left + (dest.Width - x));
    bottom = std::min(bottom, top + (dest.Height - y));
    if (right <= left || bottom <= top)
        return;
    if (SameFormat(dest, source)) {
        size_t bytes = size_t(right - left) * (source.BitCount / 8);
        for (int row = top; row < bottom; ++row)
            std::memmove(dest.Row(y + row - top) + size_t(x) * (dest.BitCount / 8),
                         source.Row(row) + size_t(left) * (source.BitCount / 8), bytes);
        return;
    }
    for (int row = top; row < bottom; ++row)
        for (int col = left; col < right; ++col)
            dest.SetPixel(x + col - left, y + row - top, source.GetPixel(col, row));
}

} // namespace gfx
