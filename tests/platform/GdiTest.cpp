// The drawing layer's bitmaps and contexts: sections, selection, transfers
// with raster operations, pixel rows in and out, and the live-object count.
#include "platform/gfx/Gdi.h"
#include "platform/gfx/Icons.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Live drawing objects of the process now.
DWORD LiveGdi() {
    return GetGuiResources(nullptr, GR_GDIOBJECTS);
}

BITMAPINFO Header(int width, int height, int bitCount) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bitCount);
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A top-down 32-bit section and its pixels.
struct Section {
    Section(int width, int height) {
        BITMAPINFO info = Header(width, -height, 32);
        void* bits = nullptr;
        handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        pixels = static_cast<uint32_t*>(bits);
        this->width = width;
    }
    ~Section() { DeleteObject(handle); }
    uint32_t& At(int x, int y) { return pixels[y * width + x]; }
    HBITMAP handle;
    uint32_t* pixels;
    int width;
};

// A memory context with a bitmap selected, put back and freed at the end.
struct MemoryDc {
    explicit MemoryDc(HBITMAP bitmap) : dc(CreateCompatibleDC(nullptr)) {
        old = SelectObject(dc, bitmap);
    }
    ~MemoryDc() {
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    HDC dc;
    HGDIOBJ old;
};

TEST(Gdi, TopDownSectionGivesRowsFromTheTopAndIsDescribedByGetObject) {
    DWORD before = LiveGdi();
    {
        BITMAPINFO info = Header(3, -2, 32);
        void* bits = nullptr;
        HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(section, nullptr);
        ASSERT_NE(bits, nullptr);
        EXPECT_EQ(LiveGdi(), before + 1);

        DIBSECTION ds;
        ASSERT_EQ(GetObject(section, sizeof ds, &ds), int(sizeof ds));
        EXPECT_EQ(ds.dsBm.bmWidth, 3);
        EXPECT_EQ(ds.dsBm.bmHeight, 2);
        EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
        EXPECT_EQ(ds.dsBm.bmWidthBytes, 12);
        EXPECT_EQ(ds.dsBm.bmBits, bits);
        EXPECT_EQ(ds.dsBmih.biHeight, -2);
        BITMAP bm;
        EXPECT_EQ(GetObject(section, sizeof bm, &bm), int(sizeof bm));
        EXPECT_EQ(bm.bmBits, bits);

        // Row 0 in memory is the top row.
        static_cast<uint32_t*>(bits)[0] = 0x00112233;
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, section);
        EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0x11, 0x22, 0x33));
        SelectObject(dc, old);
        DeleteDC(dc);
        EXPECT_TRUE(DeleteObject(section));
    }
    EXPECT_EQ(LiveGdi(), before);
}

TEST(Gdi, BottomUpSectionKeepsTheBottomRowFirstInMemory) {
    BITMAPINFO info = Header(2, 2, 24);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    uint8_t* firstRow = static_cast<uint8_t*>(bits);
    firstRow[0] = 0x30; // blue
    firstRow[1] = 0x20; // green
    firstRow[2] = 0x10; // red
    MemoryDc m(section);
    EXPECT_EQ(GetPixel(m.dc, 0, 1), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(GetPixel(m.dc, 0, 0), RGB(0, 0, 0));
    SelectObject(m.dc, m.old);
    DeleteObject(section);
}

TEST(Gdi, RefusedHeadersGiveNoSectionAndNoPixels) {
    struct Case {
        const char* why;
        LONG width, height;
        WORD planes, bitCount;
        DWORD compression;
        DWORD size;
    };
    const Case cases[] = {
        {"zero width", 0, 4, 1, 32, BI_RGB, 40},
        {"zero height", 4, 0, 1, 32, BI_RGB, 40},
        {"negative width", -4, 4, 1, 32, BI_RGB, 40},
        {"two planes", 4, 4, 2, 32, BI_RGB, 40},
        {"odd bit count", 4, 4, 1, 12, BI_RGB, 40},
        {"compressed", 4, 4, 1, 8, BI_RLE8, 40},
        {"short header", 4, 4, 1, 32, BI_RGB, 12},
        {"too wide", 100000, 1, 1, 32, BI_RGB, 40},
        {"too many pixels", 16384, -16384, 1, 32, BI_RGB, 40},
        {"most negative height", 4, INT32_MIN, 1, 32, BI_RGB, 40},
    };
    DWORD before = LiveGdi();
    for (const Case& c : cases) {
        BITMAPINFO info = Header(c.width, c.height, c.bitCount);
        info.bmiHeader.biPlanes = c.planes;
        info.bmiHeader.biCompression = c.compression;
        info.bmiHeader.biSize = c.size;
        void* bits = &info;
        EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr)
            << c.why;
        EXPECT_EQ(bits, nullptr) << c.why;
    }
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(LiveGdi(), before);
}

TEST(Gdi, PlainCopyOfA24BitBitmapOntoA32BitSectionLeavesAlphaZero) {
    HBITMAP source = CreateBitmap(2, 1, 1, 24, nullptr);
    ASSERT_NE(source, nullptr);
    Section dest(2, 1);
    dest.At(0, 0) = 0xFF123456;
    dest.At(1, 0) = 0xFF123456;
    {
        MemoryDc s(source), d(dest.handle);
        SetPixel(s.dc, 0, 0, RGB(255, 0, 255));
        SetPixel(s.dc, 1, 0, RGB(1, 2, 3));
        EXPECT_TRUE(BitBlt(d.dc, 0, 0, 2, 1, s.dc, 0, 0, SRCCOPY));
    }
    EXPECT_EQ(dest.At(0, 0), 0x00FF00FFu);
    EXPECT_EQ(dest.At(1, 0), 0x00010203u);
    DeleteObject(source);
}

TEST(Gdi, PlainCopyBetween32BitSectionsKeepsAlpha) {
    Section source(2, 2), dest(2, 2);
    source.At(1, 1) = 0x80FF0000;
    {
        MemoryDc s(source.handle), d(dest.handle);
        EXPECT_TRUE(BitBlt(d.dc, 0, 0, 2, 2, s.dc, 0, 0, SRCCOPY));
    }
    EXPECT_EQ(dest.At(1, 1), 0x80FF0000u);
}

TEST(Gdi, ColourToMonochromeMakesTheSourceBackgroundColourWhite) {
    Section colour(3, 1);
    colour.At(0, 0) = 0x00FF00FF; // magenta
    colour.At(1, 0) = 0x00FFFFFF; // white, not the key
    colour.At(2, 0) = 0x00FF00FF;
    HBITMAP mask = CreateBitmap(3, 1, 1, 1, nullptr);
    {
        MemoryDc s(colour.handle), m(mask);
        SetBkColor(s.dc, RGB(255, 0, 255));
        EXPECT_TRUE(BitBlt(m.dc, 0, 0, 3, 1, s.dc, 0, 0, SRCCOPY));
        EXPECT_EQ(GetPixel(m.dc, 0, 0), RGB(255, 255, 255));
        EXPECT_EQ(GetPixel(m.dc, 1, 0), RGB(0, 0, 0));
        EXPECT_EQ(GetPixel(m.dc, 2, 0), RGB(255, 255, 255));
    }
    DeleteObject(mask);
}

TEST(Gdi, MonochromeToColourUsesTheDestinationTextAndBackgroundColours) {
    const uint8_t row[2] = {0x80, 0}; // first pixel 1, second 0; rows padded to 2 bytes
    HBITMAP mono = CreateBitmap(2, 1, 1, 1, row);
    Section dest(2, 1);
    {
        MemoryDc s(mono), d(dest.handle);
        SetTextColor(d.dc, RGB(255, 0, 0));
        SetBkColor(d.dc, RGB(0, 0, 255));
        EXPECT_TRUE(BitBlt(d.dc, 0, 0, 2, 1, s.dc, 0, 0, SRCCOPY));
    }
    EXPECT_EQ(dest.At(0, 0), 0x000000FFu); // 1: background (blue)
    EXPECT_EQ(dest.At(1, 0), 0x00FF0000u); // 0: text (red)
    DeleteObject(mono);
}

TEST(Gdi, RasterOperationsCombineSourceAndDestination) {
    struct Case {
        DWORD rop;
        uint32_t expected;
    };
    const uint32_t src = 0x00F0F0F0, dst = 0x00CCAA00;
    const Case cases[] = {
        {SRCCOPY, src},         {SRCAND, src & dst},           {SRCPAINT, src | dst},
        {SRCINVERT, src ^ dst}, {NOTSRCCOPY, ~src & 0xFFFFFF}, {BLACKNESS, 0},
        {WHITENESS, 0xFFFFFF},  {DSTINVERT, ~dst & 0xFFFFFF},  {SRCERASE, src & ~dst & 0xFFFFFF},
    };
    for (const Case& c : cases) {
        Section s(1, 1), d(1, 1);
        s.At(0, 0) = src;
        d.At(0, 0) = dst;
        {
            MemoryDc sdc(s.handle), ddc(d.handle);
            EXPECT_TRUE(BitBlt(ddc.dc, 0, 0, 1, 1, sdc.dc, 0, 0, c.rop)) << std::hex << c.rop;
        }
        EXPECT_EQ(d.At(0, 0) & 0xFFFFFF, c.expected) << std::hex << c.rop;
    }
}

TEST(Gdi, StretchBltScalesByTheNearestPixelAndMirrors) {
    Section source(2, 1), dest(4, 1);
    source.At(0, 0) = 0x000000FF;
    source.At(1, 0) = 0x0000FF00;
    {
        MemoryDc s(source.handle), d(dest.handle);
        EXPECT_TRUE(StretchBlt(d.dc, 0, 0, 4, 1, s.dc, 0, 0, 2, 1, SRCCOPY));
        EXPECT_EQ(dest.At(0, 0), 0x000000FFu);
        EXPECT_EQ(dest.At(1, 0), 0x000000FFu);
        EXPECT_EQ(dest.At(2, 0), 0x0000FF00u);
        EXPECT_EQ(dest.At(3, 0), 0x0000FF00u);
        EXPECT_TRUE(StretchBlt(d.dc, 3, 0, -4, 1, s.dc, 0, 0, 2, 1, SRCCOPY));
    }
    EXPECT_EQ(dest.At(0, 0), 0x0000FF00u);
    EXPECT_EQ(dest.At(3, 0), 0x000000FFu);
}

TEST(Gdi, TransfersOutsideTheBitmapsAreClipped) {
    Section source(2, 2), dest(2, 2);
    for (int i = 0; i < 4; ++i)
        source.pixels[i] = 0x00ABCDEF;
    MemoryDc s(source.handle), d(dest.handle);
    EXPECT_TRUE(BitBlt(d.dc, 1, 1, 5, 5, s.dc, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(d.dc, -3, -3, 2, 2, s.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dest.At(1, 1), 0x00ABCDEFu);
    EXPECT_EQ(dest.At(0, 0), 0u);
    EXPECT_EQ(dest.At(1, 0), 0u);
}

// Extents far beyond the bitmaps (a picture rendered at the size a host
// passed) are clipped first: the transfer covers only the pixels it can
// reach, instead of stepping through billions it cannot, and extents at the
// ends of the integer range are read without overflowing.
TEST(Gdi, TransfersOfHugeExtentsTouchOnlyThePixelsTheyReach) {
    Section source(2, 2), dest(2, 2);
    source.At(0, 0) = 0x000000FF;
    source.At(1, 1) = 0x0000FF00;
    {
        MemoryDc s(source.handle), d(dest.handle);
        SetDCBrushColor(d.dc, RGB(1, 2, 3));
        EXPECT_TRUE(PatBlt(d.dc, -1000000000, -1000000000, 2000000000, 2000000000, PATCOPY));
        EXPECT_EQ(dest.At(1, 1), 0x00010203u);
        EXPECT_TRUE(StretchBlt(d.dc, 0, 0, INT32_MAX, INT32_MAX, s.dc, 0, 0, 2, 2, SRCCOPY));
        EXPECT_EQ(dest.At(1, 1), 0x000000FFu);
        // Mirrored: the pixels nearest the origin come from the source's first.
        EXPECT_TRUE(PatBlt(d.dc, 0, 0, 2, 2, PATCOPY));
        EXPECT_TRUE(StretchBlt(d.dc, 1, 1, INT32_MIN, INT32_MIN, s.dc, 0, 0, 2, 2, SRCCOPY));
        EXPECT_EQ(dest.At(0, 0), 0x000000FFu);
        EXPECT_EQ(dest.At(1, 1), 0x000000FFu);
        EXPECT_TRUE(StretchBlt(d.dc, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, s.dc, 0, 0, 2, 2,
                               SRCCOPY));
        // A source beyond any bitmap's size: drawn on a window, refused.
        HDC screen = GetDC(nullptr);
        EXPECT_FALSE(StretchBlt(screen, 0, 0, 2, 2, s.dc, 0, 0, INT32_MAX, INT32_MAX, SRCCOPY));
        ReleaseDC(nullptr, screen);
    }
}

TEST(Gdi, PatBltFillsWithTheBrushColour) {
    Section dest(2, 1);
    MemoryDc d(dest.handle);
    SetDCBrushColor(d.dc, RGB(1, 2, 3));
    EXPECT_TRUE(PatBlt(d.dc, 0, 0, 2, 1, PATCOPY));
    EXPECT_EQ(dest.At(1, 0), 0x00010203u);
    EXPECT_FALSE(PatBlt(d.dc, 0, 0, 2, 1, SRCCOPY));
}

TEST(Gdi, GetDIBitsReadsRowsInTheAskedFormatAndOrder) {
    Section source(2, 2);
    source.At(0, 0) = 0x00010203;
    source.At(1, 1) = 0x80040506;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    // The header alone first.
    ASSERT_EQ(GetDIBits(nullptr, source.handle, 0, 2, nullptr, &info, DIB_RGB_COLORS), 1);
    EXPECT_EQ(info.bmiHeader.biWidth, 2);
    EXPECT_EQ(info.bmiHeader.biHeight, 2);
    EXPECT_EQ(info.bmiHeader.biBitCount, 32);

    std::vector<uint32_t> bottomUp(4);
    ASSERT_EQ(GetDIBits(nullptr, source.handle, 0, 2, bottomUp.data(), &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(bottomUp[1], 0x80040506u); // bottom row first, alpha kept
    EXPECT_EQ(bottomUp[2], 0x00010203u);

    info.bmiHeader.biHeight = -2;
    info.bmiHeader.biBitCount = 24;
    std::vector<uint8_t> topDown(8 * 2);
    ASSERT_EQ(GetDIBits(nullptr, source.handle, 0, 2, topDown.data(), &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(topDown[0], 0x03);
    EXPECT_EQ(topDown[2], 0x01);
    EXPECT_EQ(topDown[8 + 3], 0x06);
}

TEST(Gdi, SetDIBitsWritesRowsFromAnyFormat) {
    Section dest(2, 2);
    BITMAPINFO info = Header(2, 2, 24);
    // Bottom-up 24-bit rows, each padded to 8 bytes: bottom row first.
    const uint8_t rows[16] = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    EXPECT_EQ(SetDIBits(nullptr, dest.handle, 0, 2, rows, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(dest.At(0, 1), 0x00030201u);
    EXPECT_EQ(dest.At(1, 0), 0x000C0B0Au);
}

TEST(Gdi, ABitmapSelectedIntoAContextIsNotFreedAndCannotBeSelectedTwice) {
    Section s(1, 1);
    HDC first = CreateCompatibleDC(nullptr), second = CreateCompatibleDC(nullptr);
    HGDIOBJ stock = SelectObject(first, s.handle);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(GetObjectType(stock), OBJ_BITMAP);
    EXPECT_EQ(SelectObject(second, s.handle), nullptr);
    EXPECT_FALSE(DeleteObject(s.handle));
    EXPECT_EQ(GetCurrentObject(first, OBJ_BITMAP), s.handle);
    EXPECT_TRUE(DeleteDC(first));
    EXPECT_EQ(SelectObject(second, s.handle), stock);
    SelectObject(second, stock);
    DeleteDC(second);
}

TEST(Gdi, FreedHandlesNameNothingEvenWhenTheirSlotIsReused) {
    HBITMAP first = CreateBitmap(1, 1, 1, 32, nullptr);
    ASSERT_TRUE(DeleteObject(first));
    HBITMAP second = CreateBitmap(1, 1, 1, 32, nullptr);
    EXPECT_NE(first, second);
    EXPECT_FALSE(DeleteObject(first));
    BITMAP bm;
    EXPECT_EQ(GetObject(first, sizeof bm, &bm), 0);
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_TRUE(DeleteObject(second));
    // Handles fit in 32 bits, as automation pictures carry them.
    EXPECT_LE(reinterpret_cast<uintptr_t>(second), 0x7FFFFFFFu);
}

TEST(Gdi, CompatibleBitmapOfAFreshMemoryContextIsMonochrome) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(dc, 4, 4);
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, 4, 4);
    BITMAP bm;
    GetObject(mono, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    GetObject(colour, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmBits, nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
    DeleteObject(mono);
    DeleteObject(colour);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    DeleteDC(dc);
}

TEST(Gdi, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(8, 96, 72), 11);
    EXPECT_EQ(MulDiv(-11, 72, 96), -8);
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(INT32_MAX, 2, 1), -1);
}

TEST(Icons, AnIconKeepsItsOwnCopiesAndDrawsThroughItsMask) {
    DWORD gdiBefore = LiveGdi(), iconsBefore = GetGuiResources(nullptr, GR_USEROBJECTS);
    Section colour(2, 1);
    colour.At(0, 0) = 0x00FF0000;
    colour.At(1, 0) = 0x00000000;         // black under the transparent part
    const uint8_t maskRow[2] = {0x40, 0}; // second pixel transparent
    HBITMAP mask = CreateBitmap(2, 1, 1, 1, maskRow);
    ICONINFO info;
    info.hbmColor = colour.handle;
    info.hbmMask = mask;
    HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    DeleteObject(mask);
    EXPECT_EQ(GetGuiResources(nullptr, GR_USEROBJECTS), iconsBefore + 1);

    Section dest(2, 1);
    dest.At(0, 0) = dest.At(1, 0) = 0x0000FF00;
    {
        MemoryDc d(dest.handle);
        EXPECT_TRUE(DrawIcon(d.dc, 0, 0, icon));
    }
    EXPECT_EQ(dest.At(0, 0) & 0xFFFFFF, 0x00FF0000u);
    EXPECT_EQ(dest.At(1, 0) & 0xFFFFFF, 0x0000FF00u);

    ICONINFO parts;
    ASSERT_TRUE(GetIconInfo(icon, &parts));
    BITMAP bm;
    GetObject(parts.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    GetObject(parts.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 2);
    DeleteObject(parts.hbmMask);
    DeleteObject(parts.hbmColor);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_EQ(GetGuiResources(nullptr, GR_USEROBJECTS), iconsBefore);
    EXPECT_EQ(LiveGdi(), gdiBefore + 2); // the two sections of this test
}

} // namespace
