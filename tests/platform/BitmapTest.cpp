// TBitmap: size and format, the transparent colour and its mask, its canvas,
// BMP files and stored-form data, and copies onto device-independent sections.
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/GraphicsErrors.h"
#include "platform/gfx/SysColors.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

DWORD LiveGdi() {
    return GetGuiResources(nullptr, GR_GDIOBJECTS);
}

// A bitmap of that format painted with one colour, one corner pixel set apart.
std::unique_ptr<TBitmap> Glyph(TPixelFormat format, TColor fill, TColor bottomLeft) {
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(format);
    b->SetSize(4, 3);
    b->Canvas()->Brush()->SetColor(fill);
    b->Canvas()->FillRect(Rect(0, 0, 4, 3));
    b->Canvas()->SetPixels(0, 2, bottomLeft);
    return b;
}

TEST(Bitmap, NewBitmapIsEmptyUntilItHasASizeAndThenWhite) {
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Handle(), nullptr);
    EXPECT_EQ(b.PixelFormat(), pfDevice);
    b.SetWidth(2);
    EXPECT_TRUE(b.Empty());
    b.SetHeight(2);
    ASSERT_FALSE(b.Empty());
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clWhite);
    BITMAP bm;
    GetObject(b.Handle(), sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
}

TEST(Bitmap, ResizingKeepsTheTopLeftPartAndPaintsTheRestWhite) {
    TBitmap b(2, 2);
    b.Canvas()->SetPixels(1, 1, clRed);
    b.SetSize(3, 3);
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(2, 2), clWhite);
    b.SetSize(1, 1);
    EXPECT_EQ(b.Width(), 1);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clWhite);
}

TEST(Bitmap, TransparentColorIsTheBottomLeftPixelUnlessFixed) {
    auto b = Glyph(pf24bit, clBlue, clFuchsia);
    EXPECT_EQ(b->TransparentMode(), tmAuto);
    EXPECT_EQ(b->TransparentColor(), clFuchsia);
    b->SetTransparentColor(clRed);
    EXPECT_EQ(b->TransparentMode(), tmFixed);
    EXPECT_EQ(b->TransparentColor(), clRed);
    b->SetTransparentMode(tmAuto);
    EXPECT_EQ(b->TransparentColor(), clFuchsia);
    EXPECT_EQ(TBitmap().TransparentColor(), clNone);
}

TEST(Bitmap, AFixedSystemTransparentColourIsResolved) {
    platform::ResetSysColors();
    auto b = Glyph(pf24bit, clBlue, clFuchsia);
    b->SetTransparentColor(clBtnFace);
    EXPECT_EQ(b->TransparentColor(), TColor(GetSysColor(COLOR_BTNFACE)));
    const int element = COLOR_BTNFACE;
    const COLORREF value = RGB(1, 2, 3);
    SetSysColors(1, &element, &value);
    EXPECT_EQ(b->TransparentColor(), TColor(RGB(1, 2, 3)));
    platform::ResetSysColors();
}

TEST(Bitmap, MaskMarksThePixelsOfTheTransparentColour) {
    auto b = Glyph(pf24bit, clBlue, clFuchsia);
    b->Canvas()->SetPixels(3, 0, clFuchsia);
    HBITMAP mask = b->MaskHandle();
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(b->MaskHandle(), mask);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mask);
    EXPECT_EQ(GetPixel(dc, 0, 2), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 3, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    // Any change of the image makes a new mask.
    b->Canvas()->SetPixels(1, 1, clFuchsia);
    HDC dc2 = CreateCompatibleDC(nullptr);
    old = SelectObject(dc2, b->MaskHandle());
    EXPECT_EQ(GetPixel(dc2, 1, 1), RGB(255, 255, 255));
    SelectObject(dc2, old);
    DeleteDC(dc2);
}

TEST(Bitmap, PixelFormatChangesConvertThePixels) {
    auto b = Glyph(pf24bit, clLime, clRed);
    EXPECT_EQ(b->PixelFormat(), pf24bit);
    const uint8_t* row = static_cast<const uint8_t*>(b->ScanLine(2));
    EXPECT_EQ(row[2], 0xFF); // red of the bottom-left pixel
    b->SetPixelFormat(pf32bit);
    EXPECT_EQ(b->PixelFormat(), pf32bit);
    EXPECT_EQ(static_cast<const uint32_t*>(b->ScanLine(2))[0], 0x00FF0000u);
    EXPECT_EQ(static_cast<const uint32_t*>(b->ScanLine(0))[1], 0x0000FF00u);
    b->SetPixelFormat(pf1bit);
    EXPECT_TRUE(b->Monochrome());
    EXPECT_EQ(b->TransparentColor(), clWhite);
    EXPECT_THROW(b->SetPixelFormat(pfCustom), EInvalidGraphic);
    EXPECT_THROW(b->ScanLine(3), EInvalidGraphicOperation);
    EXPECT_THROW(b->ScanLine(-1), EInvalidGraphicOperation);
}

TEST(Bitmap, StreamRoundTripKeepsPixelsAndFormat) {
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        auto b = Glyph(format, clLime, clRed);
        if (format == pf32bit)
            static_cast<uint32_t*>(b->ScanLine(0))[0] = 0x80112233;
        TMemoryStream stream;
        b->SaveToStream(stream);
        stream.SetPosition(0);
        TBitmap read;
        read.LoadFromStream(stream);
        EXPECT_EQ(read.PixelFormat(), format);
        EXPECT_EQ(read.Width(), 4);
        EXPECT_EQ(read.Height(), 3);
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(std::memcmp(read.ScanLine(y), b->ScanLine(y), format == pf32bit ? 16 : 12),
                      0);
    }
}

TEST(Bitmap, StoredFormDataIsTheSizeFollowedByTheFile) {
    auto b = Glyph(pf24bit, clLime, clRed);
    TMemoryStream data, file;
    b->WriteData(data);
    b->SaveToStream(file);
    ASSERT_EQ(data.GetSize(), file.GetSize() + 4);
    uint32_t size;
    std::memcpy(&size, data.Memory(), 4);
    EXPECT_EQ(int64_t(size), file.GetSize());
    EXPECT_EQ(std::memcmp(data.Memory() + 4, file.Memory(), size), 0);

    data.SetPosition(0);
    TBitmap read;
    read.ReadData(data);
    EXPECT_EQ(read.Canvas()->Pixels(0, 2), clRed);
    EXPECT_EQ(data.GetPosition(), data.GetSize());
}

TEST(Bitmap, StoredFormDataOfOtherShapesIsReadOrRefused) {
    auto b = Glyph(pf24bit, clLime, clRed);
    // A bare file without the size in front.
    TMemoryStream bare;
    b->SaveToStream(bare);
    bare.SetPosition(0);
    TBitmap read;
    read.ReadData(bare);
    EXPECT_EQ(read.Width(), 4);
    // Size 0: an empty bitmap.
    TMemoryStream zero;
    const uint8_t nothing[4] = {0, 0, 0, 0};
    zero.WriteBuffer(nothing, 4);
    zero.SetPosition(0);
    read.ReadData(zero);
    EXPECT_TRUE(read.Empty());
    // A size beyond the data is refused before anything is read.
    TMemoryStream lying;
    const uint8_t huge[6] = {0xFF, 0xFF, 0xFF, 0x7F, 'B', 'M'};
    lying.WriteBuffer(huge, 6);
    lying.SetPosition(0);
    EXPECT_THROW(read.ReadData(lying), EInvalidGraphic);
    TMemoryStream tooShort;
    tooShort.WriteBuffer(huge, 2);
    tooShort.SetPosition(0);
    EXPECT_THROW(read.ReadData(tooShort), EReadError);
}

TEST(Bitmap, CanvasDrawingNotifiesTheBitmap) {
    TBitmap b(2, 2);
    int changes = 0;
    b.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &b);
        ++changes;
    };
    b.Canvas()->FillRect(Rect(0, 0, 1, 1));
    b.Canvas()->SetPixels(1, 1, clRed);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(b.Modified());
}

TEST(Bitmap, TransparentDrawLeavesTheTransparentColourOut) {
    auto glyph = Glyph(pf24bit, clBlue, clFuchsia);
    glyph->SetTransparent(true);
    TBitmap target(4, 3);
    target.Canvas()->Brush()->SetColor(clLime);
    target.Canvas()->FillRect(Rect(0, 0, 4, 3));
    target.Canvas()->Draw(0, 0, glyph.get());
    EXPECT_EQ(target.Canvas()->Pixels(0, 2), clLime);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clBlue);
    glyph->SetTransparent(false);
    target.Canvas()->Draw(0, 0, glyph.get());
    EXPECT_EQ(target.Canvas()->Pixels(0, 2), clFuchsia);
}

TEST(Bitmap, AssignCopiesTheImageAndTransparencySettings) {
    auto source = Glyph(pf24bit, clBlue, clFuchsia);
    source->SetTransparentColor(clBlue);
    TBitmap copy;
    copy.Assign(source.get());
    EXPECT_EQ(copy.PixelFormat(), pf24bit);
    EXPECT_EQ(copy.TransparentColor(), clBlue);
    EXPECT_NE(copy.Handle(), source->Handle());
    source->Canvas()->SetPixels(1, 1, clRed);
    EXPECT_EQ(copy.Canvas()->Pixels(1, 1), clBlue);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

// The ribbon's conversion: a 32-bit top-down section, a memory context, a
// plain copy from the locked canvas; alpha then set by the caller.
TEST(Bitmap, PlainCopyOfTheCanvasOntoASectionGivesItsPixels) {
    DWORD before = LiveGdi();
    {
        auto glyph = Glyph(pf24bit, clBlue, clFuchsia);
        BITMAPINFO info{};
        info.bmiHeader.biSize = 40;
        info.bmiHeader.biWidth = glyph->Width();
        info.bmiHeader.biHeight = -glyph->Height();
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(bits, nullptr);
        HDC dc = CreateCompatibleDC(nullptr);
        ASSERT_NE(SelectObject(dc, section), nullptr);
        glyph->Canvas()->Lock();
        EXPECT_TRUE(BitBlt(dc, 0, 0, glyph->Width(), glyph->Height(), glyph->Canvas()->Handle(), 0,
                           0, SRCCOPY));
        glyph->Canvas()->Unlock();
        DeleteDC(dc);
        const uint32_t* pixels = static_cast<const uint32_t*>(bits);
        EXPECT_EQ(pixels[0], 0x000000FFu);         // blue, alpha 0
        EXPECT_EQ(pixels[2 * 4 + 0], 0x00FF00FFu); // bottom-left: magenta
        EXPECT_TRUE(DeleteObject(section));
    }
    EXPECT_EQ(LiveGdi(), before);
}

TEST(Bitmap, FreedBitmapsLeaveNoDrawingObjectsBehind) {
    DWORD before = LiveGdi();
    {
        TBitmap b(3, 3);
        b.Canvas()->Handle();
        b.MaskHandle();
        b.SetSize(5, 5);
        b.Canvas()->Handle();
        TBitmap c;
        c.Assign(&b);
    }
    EXPECT_EQ(LiveGdi(), before);
    TBitmap d(2, 2);
    HBITMAP released = d.ReleaseHandle();
    EXPECT_TRUE(d.Empty());
    EXPECT_TRUE(DeleteObject(released));
    EXPECT_EQ(LiveGdi(), before);
}

TEST(Bitmap, SetHandleTakesOverABitmapAndItsFormat) {
    TBitmap b;
    b.SetHandle(CreateBitmap(3, 2, 1, 24, nullptr));
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    b.SetHandle(CreateBitmap(3, 2, 1, 32, nullptr));
    EXPECT_EQ(b.PixelFormat(), pfDevice);
    HBITMAP section = nullptr;
    {
        TBitmap temp(1, 1);
        section = temp.ReleaseHandle();
    }
    DeleteObject(section);
    EXPECT_THROW(b.SetHandle(section), EInvalidGraphic);
    EXPECT_EQ(b.Width(), 3);
}

} // namespace
