// The types of the drawing layer as the Windows interface spells them: the
// handles of bitmaps, device contexts, icons and palettes, colour references,
// rectangles and the headers that describe device-independent bitmaps.
//
// Handles are opaque values naming entries of the drawing layer's object table
// (Gdi.h); like Windows' own they fit in 32 bits, so that they travel in the
// 32-bit handle properties of automation pictures. The header structures keep
// their Windows layout and sizes (BITMAPINFOHEADER is 40 bytes), since callers
// fill them in by field and pass their size.
#pragma once

#include "platform/win/WinTypes.h"

// Any object of the drawing layer (bitmap, device context).
using HGDIOBJ = void*;
struct HBITMAP__;
// A bitmap; 0 when none.
using HBITMAP = HBITMAP__*;
struct HDC__;
// A device context; 0 when none.
using HDC = HDC__*;
struct HICON__;
// An icon (a colour bitmap with a mask); 0 when none.
using HICON = HICON__*;
struct HPALETTE__;
// A logical palette; this machine has none, so it is always 0.
using HPALETTE = HPALETTE__*;

// A colour 0x00BBGGRR.
using COLORREF = DWORD;

// The colour reference of red, green and blue.
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
           (static_cast<COLORREF>(b) << 16);
}
// The red, green and blue parts of a colour reference.
constexpr BYTE GetRValue(COLORREF c) {
    return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
    return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
    return static_cast<BYTE>((c >> 16) & 0xFF);
}
// What colour functions answer when they fail.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// A rectangle: left and top inside, right and bottom just outside.
struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;

    // right - left and bottom - top.
    constexpr LONG Width() const { return right - left; }
    constexpr LONG Height() const { return bottom - top; }
    constexpr bool operator==(const RECT&) const = default;
};
// The class library's name for a rectangle.
using TRect = RECT;
// The class library's name for a point.
using TPoint = POINT;

// A width and a height.
struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    constexpr bool operator==(const SIZE&) const = default;
};

// number * numerator / denominator rounded half away from zero, with a
// 64-bit intermediate; -1 when denominator is 0 or the result overflows.
constexpr int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    long long product = static_cast<long long>(number) * numerator;
    bool negative = (product < 0) != (denominator < 0);
    unsigned long long p = product < 0 ? 0ULL - static_cast<unsigned long long>(product)
                                       : static_cast<unsigned long long>(product);
    unsigned long long d = denominator < 0 ? 0ULL - static_cast<unsigned long long>(denominator)
                                           : static_cast<unsigned long long>(denominator);
    unsigned long long q = (p + d / 2) / d;
    if (q > 0x7FFFFFFFULL)
        return -1;
    return negative ? -static_cast<int>(q) : static_cast<int>(q);
}

// The rectangle with those edges (the class library's Rect).
constexpr RECT Rect(LONG left, LONG top, LONG right, LONG bottom) {
    return RECT{left, top, right, bottom};
}
// The rectangle at (left, top) of that size (the class library's Bounds).
constexpr RECT Bounds(LONG left, LONG top, LONG width, LONG height) {
    return RECT{left, top, left + width, top + height};
}
// The point (x, y) (the class library's Point).
constexpr POINT Point(LONG x, LONG y) {
    return POINT{x, y};
}

// One colour of a bitmap's colour table.
struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};

// The header of a device-independent bitmap. A negative biHeight means the
// rows are stored top-down; positive, bottom-up (the first row in memory is
// the bottom one).
struct BITMAPINFOHEADER {
    DWORD biSize = 0;
    LONG biWidth = 0;
    LONG biHeight = 0;
    WORD biPlanes = 0;
    WORD biBitCount = 0;
    DWORD biCompression = 0;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

// A header followed by its colour table (or, for BI_BITFIELDS, three masks).
// Callers that need more than one colour allocate room for them behind it.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

// Compression codes of BITMAPINFOHEADER::biCompression.
constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;

// How the colour table of a BITMAPINFO is read.
constexpr UINT DIB_RGB_COLORS = 0;
constexpr UINT DIB_PAL_COLORS = 1;

// What GetObject tells about a bitmap. bmBits is set for device-independent
// sections only.
struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 0;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr;
};

// What GetObject tells about a device-independent section.
struct DIBSECTION {
    BITMAP dsBm;
    BITMAPINFOHEADER dsBmih;
    DWORD dsBitfields[3] = {0, 0, 0};
    HANDLE dshSection = nullptr;
    DWORD dsOffset = 0;
};

// An icon's parts as CreateIconIndirect takes them and GetIconInfo gives them.
// The mask is a monochrome bitmap (1 = transparent); hbmColor 0 makes a
// monochrome icon whose mask holds the image below the transparency mask.
struct ICONINFO {
    BOOL fIcon = TRUE;
    DWORD xHotspot = 0;
    DWORD yHotspot = 0;
    HBITMAP hbmMask = nullptr;
    HBITMAP hbmColor = nullptr;
};
