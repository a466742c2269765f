// Reading and writing BMP files, with every size checked before it is used.
#include "platform/gfx/BmpCodec.h"

#include "platform/gfx/GraphicsErrors.h"
#include "platform/gfx/LittleEndian.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

namespace gfx {

namespace {

[[noreturn]] void Invalid(const std::string& reason) {
    throw EInvalidGraphic(std::string(GraphicsConsts::SInvalidBitmap) + ": " + reason);
}

int32_t I32(const uint8_t* p) {
    return static_cast<int32_t>(ReadU32(p));
}

// What the header of a device-independent bitmap says.
struct Header {
    uint32_t Size = 0;
    int64_t Width = 0;
    int64_t Height = 0; // as stored: negative for top-down rows
    int BitCount = 0;
    uint32_t Compression = 0;
    uint32_t ImageSize = 0;
    uint32_t ColorsUsed = 0;
    uint32_t Masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
    bool Core = false;
};

constexpr uint32_t BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3;

Header ReadHeader(const uint8_t* data, size_t size) {
    if (size < 4)
        Invalid("the header is cut short");
    Header h;
    h.Size = ReadU32(data);
    if (h.Size == 12) {
        if (size < 12)
            Invalid("the header is cut short");
        h.Core = true;
        h.Width = ReadU16(data + 4);
        h.Height = ReadU16(data + 6);
        if (ReadU16(data + 8) != 1)
            Invalid("the plane count is not 1");
        h.BitCount = ReadU16(data + 10);
        return h;
    }
    if (h.Size != 40 && h.Size != 52 && h.Size != 56 && h.Size != 108 && h.Size != 124)
        Invalid("unknown header size " + std::to_string(h.Size));
    if (size < h.Size)
        Invalid("the header is cut short");
    h.Width = I32(data + 4);
    h.Height = I32(data + 8);
    if (ReadU16(data + 12) != 1)
        Invalid("the plane count is not 1");
    h.BitCount = ReadU16(data + 14);
    h.Compression = ReadU32(data + 16);
    h.ImageSize = ReadU32(data + 20);
    h.ColorsUsed = ReadU32(data + 32);
    if (h.Size >= 52)
        for (int i = 0; i < 3; ++i)
            h.Masks[i] = ReadU32(data + 40 + 4 * i);
    if (h.Size >= 56)
        h.Masks[3] = ReadU32(data + 52);
    return h;
}

void CheckFormat(const Header& h) {
    int64_t height = h.Height < 0 ? -h.Height : h.Height;
    switch (h.BitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        Invalid("unsupported bit count " + std::to_string(h.BitCount));
    }
    bool rle = h.Compression == BiRle8 || h.Compression == BiRle4;
    if (h.Compression == BiRle8 && h.BitCount != 8)
        Invalid("RLE8 needs 8 bits per pixel");
    if (h.Compression == BiRle4 && h.BitCount != 4)
        Invalid("RLE4 needs 4 bits per pixel");
    if (h.Compression == BiBitfields && h.BitCount != 16 && h.BitCount != 32)
        Invalid("bit fields need 16 or 32 bits per pixel");
    if (h.Compression > BiBitfields)
        Invalid("unsupported compression " + std::to_string(h.Compression));
    if (rle && h.Height < 0)
        Invalid("compressed rows cannot be top-down");
    if (!ValidBitmapSize(h.Width, height, h.BitCount))
        Invalid("the size " + std::to_string(h.Width) + " x " + std::to_string(height) +
                " is out of range");
}

// True when the masks are contiguous runs of bits.
bool ContiguousMask(uint32_t mask) {
    if (mask == 0)
        return false;
    uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

void DecodeRle(const uint8_t* p, size_t n, const Dib& out, bool four) {
    const DibView& v = out.View();
    int x = 0, y = 0; // y counts rows from the bottom
    auto put = [&](int index) {
        if (x < v.Width && y < v.Height)
            v.SetIndex(x, v.Height - 1 - y, index);
        ++x;
    };
    size_t i = 0;
    while (i + 1 < n) {
        uint8_t count = p[i], value = p[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k)
                put(four ? ((k & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            return;
        } else if (value == 2) { // delta
            if (i + 1 >= n)
                Invalid("the compressed data is cut short");
            x += p[i];
            y += p[i + 1];
            i += 2;
        } else { // a run of literal pixels, padded to a word
            size_t bytes = four ? (value + 1) / 2 : value;
            if (i + bytes > n)
                Invalid("the compressed data is cut short");
            for (int k = 0; k < value; ++k)
                put(four ? ((k & 1) ? p[i + k / 2] & 0x0F : p[i + k / 2] >> 4) : p[i + k]);
            i += (bytes + 1) & ~size_t(1);
        }
        if (y >= v.Height)
            return;
    }
}

// Reads the bit-field masks that follow a 40-byte header and the colour
// table from pos on, and moves pos past them; the palette is empty for
// formats deeper than 8 bits, whose listed colours are skipped.
std::vector<RGBQUAD> ReadColourTable(const uint8_t* data, size_t size, Header& h, size_t& pos) {
    if (h.Compression == BiBitfields && h.Size == 40) {
        if (size < pos + 12)
            Invalid("the bit-field masks are cut short");
        for (int i = 0; i < 3; ++i)
            h.Masks[i] = ReadU32(data + pos + 4 * i);
        pos += 12;
    }
    size_t entrySize = h.Core ? 3 : 4;
    size_t tableEntries = h.ColorsUsed;
    if (h.BitCount <= 8 && tableEntries == 0)
        tableEntries = size_t(1) << h.BitCount;
    if (tableEntries > 256)
        Invalid("the colour table is too long");
    if (size < pos + tableEntries * entrySize)
        Invalid("the colour table is cut short");
    std::vector<RGBQUAD> palette;
    for (size_t i = 0; i < tableEntries && h.BitCount <= 8; ++i) {
        const uint8_t* e = data + pos + i * entrySize;
        palette.push_back(RGBQUAD{e[0], e[1], e[2], 0});
    }
    pos += tableEntries * entrySize;
    return palette;
}

// True for 32-bit pixels already in blue, green, red, alpha order.
bool IsStandard32(const Header& h) {
    return h.BitCount == 32 &&
           (h.Compression != BiBitfields ||
            (h.Masks[0] == 0xFF0000 && h.Masks[1] == 0xFF00 && h.Masks[2] == 0xFF));
}

// Refuses bit-field masks that are not one run of bits or are wider than the pixel.
void CheckMasks(const Header& h) {
    for (int i = 0; i < 3; ++i)
        if (!ContiguousMask(h.Masks[i]))
            Invalid("a bit-field mask is not contiguous");
    if (h.BitCount == 16 && (h.Masks[0] | h.Masks[1] | h.Masks[2]) > 0xFFFF)
        Invalid("a bit-field mask is wider than the pixel");
}

// Turns 32-bit rows of another layout into blue, green, red, alpha.
void ConvertMasked32(const uint8_t* rows, uint32_t stride, const Header& h, Dib& out) {
    auto channel = [](uint32_t value, uint32_t mask) -> uint32_t {
        if (!mask)
            return 0;
        uint32_t shifted = (value & mask) >> std::countr_zero(mask);
        uint32_t max = mask >> std::countr_zero(mask);
        return uint32_t(uint64_t(shifted) * 255 / max);
    };
    const DibView& v = out.View();
    int width = v.Width, height = v.Height;
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = rows + size_t(y) * stride;
        int target = h.Height < 0 ? y : height - 1 - y;
        for (int x = 0; x < width; ++x) {
            uint32_t value = ReadU32(src + 4 * x);
            v.SetPixel(x, target,
                       (channel(value, h.Masks[3]) << 24) | (channel(value, h.Masks[0]) << 16) |
                           (channel(value, h.Masks[1]) << 8) | channel(value, h.Masks[2]));
        }
    }
}

} // namespace

std::unique_ptr<Dib> DecodeDib(const uint8_t* data, size_t size, size_t pixelOffset,
                               size_t* rowsEnd) {
    Header h = ReadHeader(data, size);
    CheckFormat(h);
    int width = int(h.Width);
    int height = int(h.Height < 0 ? -h.Height : h.Height);
    size_t pos = h.Size;
    std::vector<RGBQUAD> palette = ReadColourTable(data, size, h, pos);
    // An offset into the header is wrong; the rows then follow the colour table.
    if (pixelOffset >= h.Size) {
        if (pixelOffset > size)
            Invalid("the pixel offset lies beyond the data");
        pos = pixelOffset;
    }
    bool standard32 = IsStandard32(h);
    if (h.Compression == BiBitfields && !standard32)
        CheckMasks(h);

    bool rle = h.Compression == BiRle8 || h.Compression == BiRle4;
    auto out = std::make_unique<Dib>(width, height, h.BitCount, !rle && h.Height < 0);
    if (h.BitCount <= 8)
        out->SetPalette(palette);
    if (rle) {
        // The stored size, when given, bounds the data; else the rest of it.
        size_t n = size - pos;
        if (h.ImageSize && h.ImageSize < n)
            n = h.ImageSize;
        DecodeRle(data + pos, n, *out, h.Compression == BiRle4);
        return out;
    }
    uint32_t stride = out->Stride();
    if ((size - pos) / stride < size_t(height))
        Invalid("the pixel rows are cut short");
    const uint8_t* rows = data + pos;
    if (rowsEnd)
        *rowsEnd = pos + size_t(stride) * size_t(height);
    if (h.BitCount == 16 && h.Compression == BiBitfields)
        out->SetMasks(h.Masks[0], h.Masks[1], h.Masks[2]);
    if (h.BitCount != 32 || standard32)
        std::memcpy(out->Bits(), rows, out->ImageSize());
    else
        ConvertMasked32(rows, stride, h, *out);
    return out;
}

std::unique_ptr<Dib> DecodeBmp(const uint8_t* data, size_t size) {
    if (size < 14 + 12)
        Invalid("the file is too short");
    if (data[0] != 'B' || data[1] != 'M')
        Invalid("the file does not start with BM");
    uint32_t offBits = ReadU32(data + 10);
    // A pixel offset that points past the end is ignored; the rows then
    // follow the colour table.
    size_t offset = 0;
    if (offBits > 14 && offBits < size)
        offset = offBits - 14;
    return DecodeDib(data + 14, size - 14, offset);
}

std::vector<uint8_t> EncodeBmp(const Dib& pixels) {
    const DibView& v = pixels.View();
    bool masks16 = v.BitCount == 16 && !v.Is555();
    uint32_t tableBytes = uint32_t(pixels.Palette().size()) * 4 + (masks16 ? 12 : 0);
    uint32_t offBits = 14 + 40 + tableBytes;
    uint32_t imageSize = uint32_t(pixels.ImageSize());
    std::vector<uint8_t> out;
    out.reserve(offBits + imageSize);
    out.push_back('B');
    out.push_back('M');
    AppendU32(out, offBits + imageSize);
    AppendU32(out, 0);
    AppendU32(out, offBits);
    AppendU32(out, 40);
    AppendU32(out, uint32_t(v.Width));
    AppendU32(out, uint32_t(v.Height));
    AppendU16(out, 1);
    AppendU16(out, uint32_t(v.BitCount));
    AppendU32(out, masks16 ? BiBitfields : BiRgb);
    AppendU32(out, imageSize);
    AppendU32(out, 3780); // 96 pixels per inch
    AppendU32(out, 3780);
    AppendU32(out, uint32_t(pixels.Palette().size()));
    AppendU32(out, 0);
    for (const RGBQUAD& q : pixels.Palette()) {
        out.push_back(q.rgbBlue);
        out.push_back(q.rgbGreen);
        out.push_back(q.rgbRed);
        out.push_back(0);
    }
    if (masks16) {
        AppendU32(out, v.RedMask);
        AppendU32(out, v.GreenMask);
        AppendU32(out, v.BlueMask);
    }
    for (int y = v.Height - 1; y >= 0; --y) {
        const uint8_t* row = v.Row(y);
        out.insert(out.end(), row, row + v.Stride);
    }
    return out;
}

} // namespace gfx
