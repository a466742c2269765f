// Reading and writing icon files, with every size checked before it is used.
#include "platform/gfx/IcoCodec.h"

#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/GraphicsErrors.h"
#include "platform/gfx/LittleEndian.h"
#include "platform/gfx/PngCodec.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace gfx {

namespace {

[[noreturn]] void Invalid(const std::string& reason) {
    throw EInvalidGraphic(std::string(GraphicsConsts::SInvalidIcon) + ": " + reason);
}

struct Entry {
    int Size = 0;     // the larger side the directory claims (0 there means 256)
    int BitCount = 0; // as the directory claims
    uint32_t Bytes = 0;
    uint32_t Offset = 0;
};

// An image stored as PNG: its colours with their alpha, and a mask that is
// transparent where the alpha is 0 (opaque throughout without alpha).
IconImage DecodePngEntry(const uint8_t* data, size_t size) {
    PngImage png;
    try {
        png = DecodePng(data, size);
    } catch (const EInvalidGraphic& e) {
        Invalid("the PNG image is broken: " + e.Message.substr(e.Message.find(':') + 2));
    }
    IconImage out;
    out.Color = std::move(png.Pixels);
    int w = out.Color->Width(), h = out.Color->Height();
    out.Mask = std::make_unique<Dib>(w, h, 1);
    if (png.HasAlpha)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                out.Mask->View().SetIndex(x, y, (out.Color->GetPixel(x, y) >> 24) == 0 ? 1 : 0);
    return out;
}

// One image: the header says twice the icon's height; the colour rows come
// first, then the mask rows of 1 bit.
IconImage DecodeEntry(const uint8_t* data, size_t size) {
    if (IsPng(data, size))
        return DecodePngEntry(data, size);
    if (size < 40)
        Invalid("the image header is cut short");
    uint32_t headerSize = ReadU32(data);
    if (headerSize < 40 || headerSize > size)
        Invalid("the image header is cut short");
    int32_t doubled = static_cast<int32_t>(ReadU32(data + 8));
    if (doubled <= 0 || doubled % 2)
        Invalid("the image height is not twice the icon's");
    std::vector<uint8_t> image(data, data + size);
    uint32_t height = uint32_t(doubled / 2);
    std::memcpy(image.data() + 8, &height, 4);
    IconImage out;
    size_t rowsEnd = 0;
    try {
        out.Color = DecodeDib(image.data(), image.size(), 0, &rowsEnd);
    } catch (const EInvalidGraphic& e) {
        Invalid(e.Message.substr(e.Message.find(':') + 2));
    }
    int w = out.Color->Width(), h = out.Color->Height();
    out.Mask = std::make_unique<Dib>(w, h, 1);
    uint32_t stride = DibStride(w, 1);
    // A missing mask (some 32-bit icons rely on their alpha alone) is opaque.
    if (rowsEnd && (size - rowsEnd) / stride >= size_t(h))
        for (int y = 0; y < h; ++y)
            std::memcpy(out.Mask->View().Row(h - 1 - y), data + rowsEnd + size_t(y) * stride,
                        stride);
    return out;
}

} // namespace

IconImage DecodeIco(const uint8_t* data, size_t size, int preferredSize) {
    if (size < 6)
        Invalid("the file is too short");
    uint16_t type = ReadU16(data + 2);
    if (ReadU16(data) != 0 || (type != 1 && type != 2))
        Invalid("the file is not an icon");
    size_t count = ReadU16(data + 4);
    if (count == 0)
        Invalid("the file holds no image");
    if (size < 6 + count * 16)
        Invalid("the directory is cut short");
    const Entry* best = nullptr;
    std::vector<Entry> entries(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = data + 6 + i * 16;
        Entry& entry = entries[i];
        int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
        entry.Size = w > h ? w : h;
        entry.BitCount = ReadU16(e + 6);
        entry.Bytes = ReadU32(e + 8);
        entry.Offset = ReadU32(e + 12);
        if (entry.Offset > size || entry.Bytes > size - entry.Offset)
            Invalid("image " + std::to_string(i + 1) + " lies beyond the data");
        if (!best) {
            best = &entry;
            continue;
        }
        int distance = std::abs(entry.Size - preferredSize);
        int bestDistance = std::abs(best->Size - preferredSize);
        if (distance < bestDistance ||
            (distance == bestDistance && entry.BitCount > best->BitCount))
            best = &entry;
    }
    return DecodeEntry(data + best->Offset, best->Bytes);
}

std::vector<uint8_t> EncodeIco(const Dib& color, const Dib& mask) {
    // The colour rows as a BMP file, whose header and rows are reused.
    std::vector<uint8_t> bmp = EncodeBmp(color);
    std::vector<uint8_t> image(bmp.begin() + 14, bmp.end());
    uint32_t doubled = uint32_t(color.Height()) * 2;
    std::memcpy(image.data() + 8, &doubled, 4);
    uint32_t imageBytes =
        uint32_t(color.ImageSize() + DibStride(color.Width(), 1) * color.Height());
    std::memcpy(image.data() + 20, &imageBytes, 4);
    uint32_t stride = DibStride(color.Width(), 1);
    for (int y = color.Height() - 1; y >= 0; --y) {
        const uint8_t* row = y < mask.Height() ? mask.View().Row(y) : nullptr;
        for (uint32_t i = 0; i < stride; ++i)
            image.push_back(row && i < mask.Stride() ? row[i] : 0);
    }
    std::vector<uint8_t> out;
    AppendU16(out, 0);
    AppendU16(out, 1);
    AppendU16(out, 1);
    out.push_back(uint8_t(color.Width() >= 256 ? 0 : color.Width()));
    out.push_back(uint8_t(color.Height() >= 256 ? 0 : color.Height()));
    out.push_back(uint8_t(color.BitCount() <= 4 ? 1 << color.BitCount() : 0));
    out.push_back(0);
    AppendU16(out, 1);
    AppendU16(out, uint32_t(color.BitCount()));
    AppendU32(out, uint32_t(image.size()));
    AppendU32(out, 6 + 16);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

} // namespace gfx
