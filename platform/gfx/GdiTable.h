// The object table behind the drawing layer's handles, for the drawing layer's
// own files (bitmaps, icons, canvases, pictures); code above platform/gfx uses
// Gdi.h and Icons.h.
//
// A handle is a 31-bit value: the slot in bits 0-15 (from 1), a generation in
// bits 16-27 that changes whenever the slot is reused, and the kind of object
// in bits 28-30. A handle whose slot was freed, or that names another kind,
// finds nothing. One recursive lock guards the table; the helpers below take it.
#pragma once

#include "platform/gfx/Dib.h"

#include <memory>
#include <mutex>
#include <optional>

namespace gfx::detail {

// The operation a sink receives for 32-bit bits with straight alpha that are
// to be blended (icons, transparent images), rather than a raster operation.
inline constexpr DWORD BlendBits = 0xFFFFFFFF;

// Something drawn on that is not a bitmap: a canvas, or the screen.
class DcSink {
public:
    virtual ~DcSink() = default;
    // Draws the whole of bits stretched into dest (logical coordinates of the
    // target) with a raster operation; called without the table's lock.
    virtual void DrawBits(const RECT& dest, const Dib& bits, DWORD rop) = 0;
};

// A bitmap: its pixels, and the context it is selected into.
struct BitmapObject {
    std::unique_ptr<Dib> Pixels;
    // Made by CreateDIBSection: GetObject reports its pixel pointer.
    bool Section = false;
    // The default bitmap of memory contexts: never freed, never counted.
    bool Stock = false;
    HDC SelectedInto = nullptr;
};

// A device context: a memory context with its bitmap, or one that passes
// what is drawn to a sink.
struct DcObject {
    HBITMAP Bitmap = nullptr;
    DcSink* Sink = nullptr;
    COLORREF BkColor = RGB(255, 255, 255);
    COLORREF TextColor = RGB(0, 0, 0);
    COLORREF BrushColor = RGB(255, 255, 255);
    int BkMode = 2; // OPAQUE
};

// An icon: its colour pixels (none for a monochrome icon) and its mask.
struct IconObject {
    std::unique_ptr<Dib> Color;
    std::unique_ptr<Dib> Mask;
    bool IsIcon = true;
    // A shared icon of the machine (LoadIcon): never freed, never counted.
    bool Stock = false;
    DWORD HotspotX = 0;
    DWORD HotspotY = 0;
};

// The table's lock; hold it while using what the lookups below return.
std::recursive_mutex& TableLock();

// Adds an object and returns its handle; 0 when the table is full.
HBITMAP AddBitmap(std::unique_ptr<Dib> pixels, bool section);
HDC AddDc(DcObject dc);
HICON AddIcon(IconObject icon);
// Adds a shared icon, which DestroyIcon leaves and GetGuiResources does not count.
HICON AddStockIcon(IconObject icon);

// The object a handle names, or nullptr; the lock must be held.
BitmapObject* FindBitmap(HGDIOBJ handle);
DcObject* FindDc(HDC handle);
IconObject* FindIcon(HICON handle);

// The pixels of a bitmap, or nullptr; the lock must be held.
inline Dib* PixelsOf(HBITMAP bitmap) {
    BitmapObject* b = FindBitmap(bitmap);
    return b ? b->Pixels.get() : nullptr;
}

// Removes a bitmap, context or icon from the table; false when the handle
// names none (the lock must be held). Stock objects stay.
bool RemoveBitmap(HBITMAP handle);
bool RemoveDc(HDC handle);
bool RemoveIcon(HICON handle);

// The 1x1 monochrome bitmap that memory contexts start with.
HBITMAP StockBitmap();
// Live bitmaps and contexts (GR_GDIOBJECTS) or icons (GR_USEROBJECTS).
DWORD LiveObjects(DWORD flags);

// A context that passes what is drawn on it to sink (a canvas's Handle).
HDC CreateSinkDc(DcSink* sink);

// An icon's image as 32-bit straight alpha (its own alpha, or opaque where
// its mask is 0), or nothing when the handle names no icon.
std::optional<Dib> IconBlendImage(HICON icon);

// A copy of a bitmap's pixels, or nothing when the handle names none.
std::optional<Dib> SnapshotBitmap(HBITMAP bitmap);

} // namespace gfx::detail
