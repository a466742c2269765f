// Bitmaps and device contexts: creation, selection, description and deletion.
// Transfers between them are in GdiTransfer.cpp.
#include "platform/gfx/Gdi.h"

#include "platform/gfx/GdiInfo.h"
#include "platform/gfx/GdiTable.h"
#include "platform/win/Clipboard.h"

#include <algorithm>
#include <atomic>
#include <cstring>

using namespace gfx;
using namespace gfx::detail;

namespace {

// The clipboard lies below this layer and owns the bitmaps it is given: it
// frees them through the releaser registered here when the library loads.
struct ClipboardBitmaps {
    ClipboardBitmaps() {
        RegisterClipboardReleaser(CF_BITMAP, [](HANDLE data) { DeleteObject(data); });
    }
} clipboardBitmaps;

// The context of a window or of the screen: what is drawn on it is not kept.
class ScreenSink : public DcSink {
public:
    void DrawBits(const RECT&, const Dib&, DWORD) override {}
};

ScreenSink TheScreen;

} // namespace

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset) {
    if (bits)
        *bits = nullptr;
    if (usage != DIB_RGB_COLORS || section || offset)
        return nullptr;
    std::unique_ptr<Dib> pixels = NewDibOfInfo(info);
    if (!pixels)
        return nullptr;
    void* memory = pixels->Bits();
    HBITMAP bitmap = AddBitmap(std::move(pixels), true);
    if (bitmap && bits)
        *bits = memory;
    return bitmap;
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits) {
    if (width == 0 || height == 0)
        return StockBitmap();
    if (planes != 1 || !ValidBitmapSize(width, height, static_cast<int>(bitCount)))
        return nullptr;
    auto pixels = std::make_unique<Dib>(width, height, static_cast<int>(bitCount));
    if (bits) {
        // Rows of the caller's data are padded to 2 bytes, ours to 4.
        size_t rowBytes = (size_t(width) * bitCount + 15) / 16 * 2;
        size_t used = (size_t(width) * bitCount + 7) / 8;
        for (int y = 0; y < height; ++y)
            std::memcpy(pixels->View().Row(y), static_cast<const uint8_t*>(bits) + y * rowBytes,
                        used);
    }
    return AddBitmap(std::move(pixels), false);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    std::unique_ptr<Dib> pixels;
    {
        std::lock_guard lock(TableLock());
        DcObject* d = FindDc(dc);
        Dib* selected = d ? PixelsOf(d->Bitmap) : nullptr;
        if (dc && !d)
            return nullptr;
        if (width == 0 || height == 0)
            return StockBitmap();
        int bitCount = selected ? selected->BitCount() : ScreenBitsPerPixel;
        if (!ValidBitmapSize(width, height, bitCount))
            return nullptr;
        pixels = std::make_unique<Dib>(width, height, bitCount);
        if (selected) {
            pixels->SetPalette(selected->Palette());
            const DibView& v = selected->View();
            pixels->SetMasks(v.RedMask, v.GreenMask, v.BlueMask);
        }
    }
    return AddBitmap(std::move(pixels), false);
}

HDC CreateCompatibleDC(HDC) {
    DcObject dc;
    dc.Bitmap = StockBitmap();
    return AddDc(std::move(dc));
}

HDC GetDC(HWND) {
    return CreateSinkDc(&TheScreen);
}

int ReleaseDC(HWND, HDC dc) {
    std::lock_guard lock(TableLock());
    DcObject* d = FindDc(dc);
    if (!d || d->Sink != &TheScreen)
        return 0;
    return RemoveDc(dc) ? 1 : 0;
}

BOOL DeleteDC(HDC dc) {
    std::lock_guard lock(TableLock());
    DcObject* d = FindDc(dc);
    if (!d)
        return FALSE;
    if (BitmapObject* b = FindBitmap(d->Bitmap); b && !b->Stock)
        b->SelectedInto = nullptr;
    return RemoveDc(dc) ? TRUE : FALSE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    std::lock_guard lock(TableLock());
    DcObject* d = FindDc(dc);
    BitmapObject* b = FindBitmap(object);
    if (!d || !b || d->Sink)
        return nullptr;
    if (!b->Stock && b->SelectedInto && b->SelectedInto != dc)
        return nullptr;
    HBITMAP previous = d->Bitmap;
    if (BitmapObject* old = FindBitmap(previous); old && !old->Stock)
        old->SelectedInto = nullptr;
    if (!b->Stock)
        b->SelectedInto = dc;
    d->Bitmap = static_cast<HBITMAP>(object);
    return previous;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
    std::lock_guard lock(TableLock());
    DcObject* d = FindDc(dc);
    if (!d || type != OBJ_BITMAP)
        return nullptr;
    return d->Bitmap;
}

BOOL DeleteObject(HGDIOBJ object) {
    std::lock_guard lock(TableLock());
    BitmapObject* b = FindBitmap(object);
    if (!b || (!b->Stock && b->SelectedInto))
        return FALSE;
    return RemoveBitmap(static_cast<HBITMAP>(object)) ? TRUE : FALSE;
}

DWORD GetObjectType(HGDIOBJ object) {
    std::lock_guard lock(TableLock());
    if (FindBitmap(object))
        return OBJ_BITMAP;
    if (DcObject* d = FindDc(static_cast<HDC>(object)))
        return d->Sink ? OBJ_DC : OBJ_MEMDC;
    return 0;
}

int GetObject(HGDIOBJ object, int size, void* out) {
    std::lock_guard lock(TableLock());
    BitmapObject* b = FindBitmap(object);
    if (!b)
        return 0;
    const Dib& p = *b->Pixels;
    bool wantSection = b->Section && size >= int(sizeof(DIBSECTION));
    if (!out)
        return b->Section ? int(sizeof(DIBSECTION)) : int(sizeof(BITMAP));
    if (size < int(sizeof(BITMAP)))
        return 0;
    BITMAP bm;
    bm.bmWidth = p.Width();
    bm.bmHeight = p.Height();
    bm.bmPlanes = 1;
    bm.bmBitsPixel = WORD(p.BitCount());
    // Sections report their own row size; other bitmaps the 2-byte padding of Windows.
    bm.bmWidthBytes =
        b->Section ? LONG(p.Stride()) : LONG((p.Width() * p.BitCount() + 15) / 16 * 2);
    bm.bmBits = b->Section ? p.Bits() : nullptr;
    if (!wantSection) {
        std::memcpy(out, &bm, sizeof bm);
        return sizeof(BITMAP);
    }
    DIBSECTION ds;
    ds.dsBm = bm;
    ds.dsBmih = HeaderOf(p);
    const DibView& v = p.View();
    if (ds.dsBmih.biCompression == BI_BITFIELDS) {
        ds.dsBitfields[0] = v.RedMask;
        ds.dsBitfields[1] = v.GreenMask;
        ds.dsBitfields[2] = v.BlueMask;
    }
    std::memcpy(out, &ds, sizeof ds);
    return sizeof(DIBSECTION);
}

COLORREF GetPixel(HDC dc, int x, int y) {
    std::lock_guard lock(TableLock());
    DcObject* d = FindDc(dc);
    Dib* p = d ? PixelsOf(d->Bitmap) : nullptr;
    if (!p || !p->View().Contains(x, y))
        return CLR_INVALID;
    return ColorOf(p->GetPixel(x, y));
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    std::lock_guard lock(TableLock());
    DcObject* d = FindDc(dc);
    Dib* p = d ? PixelsOf(d->Bitmap) : nullptr;
    if (!p || !p->View().Contains(x, y))
        return CLR_INVALID;
    p->SetPixel(x, y, PixelOf(color));
    return ColorOf(p->GetPixel(x, y));
}

namespace {

// Replaces one colour setting of a context and returns the old one.
template <class T> T Exchange(HDC dc, T DcObject::*field, T value, T failure) {
    std::lock_guard lock(TableLock());
    DcObject* d = FindDc(dc);
    if (!d)
        return failure;
    T old = d->*field;
    d->*field = value;
    return old;
}

template <class T> T Read(HDC dc, T DcObject::*field, T failure) {
    std::lock_guard lock(TableLock());
    DcObject* d = FindDc(dc);
    return d ? d->*field : failure;
}

} // namespace

COLORREF SetBkColor(HDC dc, COLORREF color) {
    return Exchange(dc, &DcObject::BkColor, color, CLR_INVALID);
}
COLORREF GetBkColor(HDC dc) {
    return Read(dc, &DcObject::BkColor, CLR_INVALID);
}
COLORREF SetTextColor(HDC dc, COLORREF color) {
    return Exchange(dc, &DcObject::TextColor, color, CLR_INVALID);
}
COLORREF GetTextColor(HDC dc) {
    return Read(dc, &DcObject::TextColor, CLR_INVALID);
}
int SetBkMode(HDC dc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return Exchange(dc, &DcObject::BkMode, mode, 0);
}
int GetBkMode(HDC dc) {
    return Read(dc, &DcObject::BkMode, 0);
}
COLORREF SetDCBrushColor(HDC dc, COLORREF color) {
    return Exchange(dc, &DcObject::BrushColor, color, CLR_INVALID);
}
COLORREF GetDCBrushColor(HDC dc) {
    return Read(dc, &DcObject::BrushColor, CLR_INVALID);
}

int GetDeviceCaps(HDC dc, int index) {
    {
        std::lock_guard lock(TableLock());
        if (!FindDc(dc))
            return 0;
    }
    switch (index) {
    case HORZRES:
        return ScreenWidth;
    case VERTRES:
        return ScreenHeight;
    case BITSPIXEL:
        return ScreenBitsPerPixel;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return GetScreenPixelsPerInch();
    default:
        return 0;
    }
}

namespace {

std::atomic<int>& ScreenResolution() {
    static std::atomic<int> pixelsPerInch{ScreenPixelsPerInch};
    return pixelsPerInch;
}

} // namespace

int GetScreenPixelsPerInch() {
    return ScreenResolution().load();
}

void SetScreenPixelsPerInch(int value) {
    ScreenResolution().store(std::clamp(value, 24, 960));
}

DWORD GetGuiResources(HANDLE, DWORD flags) {
    return LiveObjects(flags);
}
