// BITMAPINFO headers: checking them and turning them into pixel buffers and views.
#include "platform/gfx/GdiInfo.h"

#include <cstring>

namespace gfx::detail {

bool ReadInfo(const BITMAPINFO* info, InfoFormat& format) {
    if (!info)
        return false;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biWidth <= 0 ||
        h.biHeight == 0 || h.biHeight == INT32_MIN)
        return false;
    int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (!ValidBitmapSize(h.biWidth, height, h.biBitCount))
        return false;
    format = InfoFormat{};
    format.Width = h.biWidth;
    format.Height = height;
    format.BitCount = h.biBitCount;
    format.TopDown = h.biHeight < 0;
    const uint8_t* behind = reinterpret_cast<const uint8_t*>(info) + h.biSize;
    if (h.biCompression == BI_BITFIELDS) {
        // The masks follow a 40-byte header and are the next fields of a longer one.
        uint32_t masks[3];
        std::memcpy(masks, reinterpret_cast<const uint8_t*>(info) + sizeof(BITMAPINFOHEADER),
                    sizeof masks);
        if (h.biBitCount == 32) {
            if (masks[0] != 0xFF0000 || masks[1] != 0xFF00 || masks[2] != 0xFF)
                return false;
        } else if (h.biBitCount == 16) {
            if (!masks[0] || !masks[1] || !masks[2] || (masks[0] | masks[1] | masks[2]) > 0xFFFF)
                return false;
            format.RedMask = masks[0];
            format.GreenMask = masks[1];
            format.BlueMask = masks[2];
        } else {
            return false;
        }
        return true;
    }
    if (h.biCompression != BI_RGB)
        return false;
    if (h.biBitCount <= 8) {
        int entries = 1 << h.biBitCount;
        format.PaletteSize =
            (h.biClrUsed && h.biClrUsed < DWORD(entries)) ? int(h.biClrUsed) : entries;
        format.Palette = reinterpret_cast<const RGBQUAD*>(behind);
    }
    return true;
}

std::unique_ptr<Dib> NewDibOfInfo(const BITMAPINFO* info) {
    InfoFormat f;
    if (!ReadInfo(info, f))
        return nullptr;
    auto pixels = std::make_unique<Dib>(f.Width, f.Height, f.BitCount, f.TopDown);
    if (f.Palette)
        pixels->SetPalette(std::vector<RGBQUAD>(f.Palette, f.Palette + f.PaletteSize));
    pixels->SetMasks(f.RedMask, f.GreenMask, f.BlueMask);
    return pixels;
}

DibView ViewOfInfo(const InfoFormat& format, const void* bits, int rows) {
    DibView v;
    v.Width = format.Width;
    v.Height = rows;
    v.BitCount = format.BitCount;
    v.Stride = DibStride(format.Width, format.BitCount);
    v.TopDown = format.TopDown;
    v.Bits = static_cast<uint8_t*>(const_cast<void*>(bits));
    v.Palette = format.Palette;
    v.PaletteSize = format.PaletteSize;
    v.RedMask = format.RedMask;
    v.GreenMask = format.GreenMask;
    v.BlueMask = format.BlueMask;
    return v;
}

BITMAPINFOHEADER HeaderOf(const Dib& pixels) {
    BITMAPINFOHEADER h;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = pixels.Width();
    h.biHeight = pixels.TopDown() ? -pixels.Height() : pixels.Height();
    h.biPlanes = 1;
    h.biBitCount = WORD(pixels.BitCount());
    const DibView& v = pixels.View();
    bool custom16 = pixels.BitCount() == 16 && !v.Is555();
    h.biCompression = custom16 ? BI_BITFIELDS : BI_RGB;
    h.biSizeImage = DWORD(pixels.ImageSize());
    h.biClrUsed = DWORD(pixels.Palette().size());
    return h;
}

} // namespace gfx::detail
