// Block transfers with raster operations, and pixel rows in and out of bitmaps.
#include "platform/gfx/Gdi.h"

#include "platform/gfx/GdiInfo.h"
#include "platform/gfx/GdiTable.h"
#include "platform/gfx/Raster.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

using namespace gfx;
using namespace gfx::detail;

namespace {

constexpr uint32_t White = 0xFFFFFF;

// The raw bit of a monochrome pixel (1 reads as white).
bool MonoBit(const DibView& v, int x, int y) {
    return v.GetIndex(x, y) != 0;
}

void SetMonoBit(const DibView& v, int x, int y, bool on) {
    v.SetIndex(x, y, on ? 1 : 0);
}

// One side of a transfer: a rectangle given as origin and signed extent. A
// negative extent counts back from the origin, the origin included (so
// x = width - 1, extent -width mirrors a bitmap onto itself).
// Both are read in 64 bits, so that extents at the ends of the int range
// overflow nothing.
struct Span {
    int Origin, Extent;
    int64_t Low() const { return Extent < 0 ? int64_t(Origin) + Extent + 1 : Origin; }
    int64_t Size() const { return Extent < 0 ? -int64_t(Extent) : Extent; }
    // The steps [first, last) of this span that land in [0, limit): a
    // transfer far larger than its bitmap visits only the pixels it reaches.
    void Within(int64_t limit, int64_t& first, int64_t& last) const {
        first = std::max<int64_t>(0, -Low());
        last = std::min<int64_t>(Size(), limit - Low());
    }
};

// Which source coordinate feeds destination step i (of `dest` steps); the
// product stays below 2^63 for any pair of int extents.
int64_t SourceStep(int64_t i, const Span& dest, const Span& source, bool mirror) {
    int64_t steps = source.Size();
    int64_t k = ((2 * i + 1) * steps) / (2 * dest.Size());
    return source.Low() + (mirror ? steps - 1 - k : k);
}

// A coordinate of 64-bit arithmetic as a RECT holds it.
LONG Clamped(int64_t value) {
    return static_cast<LONG>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// The transfer itself, into the bitmap of a memory context. The lock is held.
void Transfer(const DcObject& d, const DibView& dest, Span dx, Span dy, const DcObject* s,
              const DibView* source, Span sx, Span sy, DWORD rop) {
    bool monoDest = dest.BitCount == 1;
    uint32_t pattern = PixelOf(d.BrushColor);
    if (monoDest)
        pattern = dest.NearestIndex(pattern) ? White : 0;
    bool mirrorX = (dx.Extent < 0) != (sx.Extent < 0);
    bool mirrorY = (dy.Extent < 0) != (sy.Extent < 0);
    int64_t firstJ, lastJ, firstI, lastI;
    dy.Within(dest.Height, firstJ, lastJ);
    dx.Within(dest.Width, firstI, lastI);
    for (int64_t j = firstJ; j < lastJ; ++j) {
        int y = static_cast<int>(dy.Low() + j);
        int64_t srcY = source ? SourceStep(j, dy, sy, mirrorY) : 0;
        if (source && (srcY < 0 || srcY >= source->Height))
            continue;
        for (int64_t i = firstI; i < lastI; ++i) {
            int x = static_cast<int>(dx.Low() + i);
            uint32_t src = 0;
            if (source) {
                int64_t srcX = SourceStep(i, dx, sx, mirrorX);
                if (srcX < 0 || srcX >= source->Width)
                    continue;
                if (source->BitCount == 1) {
                    bool on = MonoBit(*source, int(srcX), int(srcY));
                    src = monoDest ? (on ? White : 0) : PixelOf(on ? d.BkColor : d.TextColor);
                } else {
                    src = source->GetPixel(int(srcX), int(srcY));
                    // Rows of the caller's own (StretchDIBits) are keyed on the destination.
                    if (monoDest)
                        src = ColorOf(src) == (s ? s : &d)->BkColor ? White : 0;
                }
            }
            uint32_t old = monoDest ? (MonoBit(dest, x, y) ? White : 0) : dest.GetPixel(x, y);
            uint32_t result = ApplyRop(rop, pattern, src, old);
            if (monoDest)
                SetMonoBit(dest, x, y, (result & White) != 0);
            else
                dest.SetPixel(x, y, result);
        }
    }
}

// The source rectangle as 32-bit pixels, for a context that draws on a sink;
// monochrome sources take the destination's text and background colours.
Dib SinkImage(const DcObject& d, const DibView* source, Span sx, Span sy) {
    if (!source) {
        Dib one(1, 1, 32);
        one.Fill(PixelOf(d.BrushColor));
        return one;
    }
    // The caller checked the size against the bitmap limits.
    int width = static_cast<int>(sx.Size()), height = static_cast<int>(sy.Size());
    Dib image(std::max(1, width), std::max(1, height), 32);
    for (int y = 0; y < height; ++y) {
        int64_t srcY = sy.Low() + y;
        if (srcY < 0 || srcY >= source->Height)
            continue;
        for (int x = 0; x < width; ++x) {
            int64_t srcX = sx.Low() + x;
            if (srcX < 0 || srcX >= source->Width)
                continue;
            uint32_t pixel =
                source->BitCount == 1
                    ? PixelOf(MonoBit(*source, int(srcX), int(srcY)) ? d.BkColor : d.TextColor)
                    : source->GetPixel(int(srcX), int(srcY));
            image.SetPixel(sx.Extent < 0 ? image.Width() - 1 - x : x,
                           sy.Extent < 0 ? image.Height() - 1 - y : y, pixel);
        }
    }
    return image;
}

// A transfer from a view (or none) into a context, to its bitmap or its sink.
BOOL TransferInto(HDC dest, Span dx, Span dy, HDC source, const DibView* view, Span sx, Span sy,
                  DWORD rop) {
    DcSink* sink = nullptr;
    std::optional<Dib> image;
    RECT target;
    {
        std::lock_guard lock(TableLock());
        DcObject* d = FindDc(dest);
        if (!d)
            return FALSE;
        const DcObject* s = nullptr;
        if (RopUsesSource(rop)) {
            if (!view) {
                s = FindDc(source);
                Dib* pixels = s ? PixelsOf(s->Bitmap) : nullptr;
                if (!pixels)
                    return FALSE;
                view = &pixels->View();
            }
            if (sx.Size() == 0 || sy.Size() == 0)
                return FALSE;
        } else {
            view = nullptr;
        }
        if (dx.Size() == 0 || dy.Size() == 0)
            return TRUE;
        if (d->Sink) {
            // The source goes to the sink as one image: one past the size
            // limits cannot be made, and the transfer fails.
            if (view && !ValidBitmapSize(std::max<int64_t>(1, sx.Size()),
                                         std::max<int64_t>(1, sy.Size()), 32))
                return FALSE;
            sink = d->Sink;
            image.emplace(SinkImage(*d, view, sx, sy));
            target = RECT{Clamped(dx.Low()), Clamped(dy.Low()), Clamped(dx.Low() + dx.Size()),
                          Clamped(dy.Low() + dy.Size())};
            if (dx.Extent < 0 && sx.Extent >= 0)
                std::swap(target.left, target.right);
            if (dy.Extent < 0 && sy.Extent >= 0)
                std::swap(target.top, target.bottom);
        } else {
            Dib* pixels = PixelsOf(d->Bitmap);
            if (!pixels)
                return FALSE;
            if (!view)
                sx = dx, sy = dy;
            Transfer(*d, pixels->View(), dx, dy, s, view, sx, sy, rop);
            return TRUE;
        }
    }
    sink->DrawBits(target, *image, rop);
    return TRUE;
}

} // namespace

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc,
            DWORD rop) {
    if (rop == SRCCOPY && width > 0 && height > 0) {
        // The common plain copy between bitmaps of colour formats goes row by row.
        std::lock_guard lock(TableLock());
        DcObject* d = FindDc(dest);
        DcObject* s = FindDc(source);
        Dib* to = d && !d->Sink ? PixelsOf(d->Bitmap) : nullptr;
        Dib* from = s && !s->Sink ? PixelsOf(s->Bitmap) : nullptr;
        if (to && from && to->BitCount() != 1 && from->BitCount() != 1) {
            gfx::CopyPixels(to->View(), x, y, from->View(),
                            RECT{xSrc, ySrc, xSrc + width, ySrc + height});
            return TRUE;
        }
    }
    return TransferInto(dest, {x, width}, {y, height}, source, nullptr, {xSrc, width},
                        {ySrc, height}, rop);
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc,
                int srcWidth, int srcHeight, DWORD rop) {
    return TransferInto(dest, {x, width}, {y, height}, source, nullptr, {xSrc, srcWidth},
                        {ySrc, srcHeight}, rop);
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    if (RopUsesSource(rop))
        return FALSE;
    return TransferInto(dc, {x, width}, {y, height}, nullptr, nullptr, {0, 0}, {0, 0}, rop);
}

int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop) {
    InfoFormat format;
    if (!bits || usage != DIB_RGB_COLORS || !ReadInfo(info, format))
        return 0;
    DibView view = ViewOfInfo(format, bits, format.Height);
    BOOL done = TransferInto(dc, {xDest, destWidth}, {yDest, destHeight}, nullptr, &view,
                             {xSrc, srcWidth}, {ySrc, srcHeight}, rop);
    return done ? std::abs(srcHeight) : 0;
}

int SetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage) {
    InfoFormat format;
    if (!bits || usage != DIB_RGB_COLORS || !ReadInfo(info, format))
        return 0;
    std::lock_guard lock(TableLock());
    Dib* pixels = PixelsOf(bitmap);
    if (!pixels || start >= UINT(format.Height))
        return 0;
    int rows = int(std::min<UINT>(lines, UINT(format.Height) - start));
    if (rows <= 0)
        return 0;
    DibView view = ViewOfInfo(format, bits, rows);
    // Scan lines count from the bottom of a bottom-up image.
    int top = format.TopDown ? int(start) : format.Height - int(start) - rows;
    gfx::CopyPixels(pixels->View(), 0, top, view, RECT{0, 0, format.Width, rows});
    return rows;
}

int GetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage) {
    if (!info || usage != DIB_RGB_COLORS || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
        return 0;
    std::lock_guard lock(TableLock());
    Dib* pixels = PixelsOf(bitmap);
    if (!pixels)
        return 0;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (!bits && h.biBitCount == 0) {
        h = HeaderOf(*pixels);
        if (h.biHeight < 0)
            h.biHeight = -h.biHeight;
        h.biClrUsed = 0;
        return 1;
    }
    int bitCount = h.biBitCount;
    bool sameDepth = bitCount == pixels->BitCount();
    if (bitCount != 1 && bitCount != 24 && bitCount != 32 && !(sameDepth && bitCount <= 8))
        return 0;
    h.biWidth = pixels->Width();
    h.biHeight = h.biHeight < 0 ? -pixels->Height() : pixels->Height();
    h.biPlanes = 1;
    h.biCompression = BI_RGB;
    h.biSizeImage = DibStride(pixels->Width(), bitCount) * DWORD(pixels->Height());
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(reinterpret_cast<uint8_t*>(info) + h.biSize);
    if (bitCount <= 8) {
        if (sameDepth)
            std::copy(pixels->Palette().begin(), pixels->Palette().end(), table);
        else
            table[0] = RGBQUAD{0, 0, 0, 0}, table[1] = RGBQUAD{255, 255, 255, 0};
        h.biClrUsed = 0;
    }
    if (!bits)
        return 1;
    if (start >= UINT(pixels->Height()))
        return 0;
    int rows = int(std::min<UINT>(lines, UINT(pixels->Height()) - start));
    InfoFormat format;
    format.Width = pixels->Width();
    format.Height = pixels->Height();
    format.BitCount = bitCount;
    format.TopDown = h.biHeight < 0;
    format.Palette = bitCount <= 8 ? table : nullptr;
    format.PaletteSize = bitCount <= 8 ? 1 << bitCount : 0;
    DibView out = ViewOfInfo(format, bits, rows);
    int top = format.TopDown ? int(start) : format.Height - int(start) - rows;
    if (sameDepth && bitCount <= 8) {
        for (int y = 0; y < rows; ++y)
            std::memcpy(out.Row(y), pixels->View().Row(top + y), out.Stride);
    } else {
        gfx::CopyPixels(out, 0, 0, pixels->View(), RECT{0, top, format.Width, top + rows});
    }
    return rows;
}
