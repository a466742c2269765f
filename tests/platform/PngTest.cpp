// PNG files: a bitmap of every depth written and read back is the same
// bitmap, alpha survives where the image has it, and broken files (a huge
// claimed size, every truncation, a wrong signature) are refused without
// crashing or allocating what they claim.
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/GraphicsErrors.h"
#include "platform/gfx/PngCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using gfx::Dib;

namespace {

// A small picture in eight colours, with a different pixel in each corner so
// that a flipped or shifted image shows.
void PaintSample(TBitmap& bitmap) {
    const TColor colors[] = {clRed, clLime, clBlue, clYellow, clFuchsia, clAqua, clBlack, clGray};
    TCanvas* c = bitmap.Canvas();
    for (int i = 0; i < 8; ++i) {
        c->Brush()->SetColor(colors[i]);
        c->FillRect(Rect(i * 2, 0, i * 2 + 2, bitmap.Height()));
    }
    c->SetPixels(0, 0, clWhite);
    c->SetPixels(bitmap.Width() - 1, bitmap.Height() - 1, clNavy);
}

std::vector<uint32_t> PixelWords(const Dib& pixels) {
    std::vector<uint32_t> words;
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x)
            words.push_back(pixels.GetPixel(x, y));
    return words;
}

std::vector<uint32_t> PixelWords(TBitmap& bitmap) {
    std::vector<uint32_t> words;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            words.push_back(gfx::PixelOf(ColorToRGB(bitmap.Canvas()->Pixels(x, y))));
    return words;
}

uint32_t Crc(const std::vector<uint8_t>& bytes, size_t from) {
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = from; i < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

// A PNG signature and a header chunk claiming that size, then (withData) an
// empty data chunk, where the reader stops to look at the header.
std::vector<uint8_t> HeaderOnly(uint32_t width, uint32_t height, bool withData = false) {
    std::vector<uint8_t> f = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutBig32(f, 13);
    size_t chunk = f.size();
    f.insert(f.end(), {'I', 'H', 'D', 'R'});
    PutBig32(f, width);
    PutBig32(f, height);
    f.insert(f.end(), {8, 6, 0, 0, 0});
    PutBig32(f, Crc(f, chunk));
    if (withData) {
        PutBig32(f, 0);
        chunk = f.size();
        f.insert(f.end(), {'I', 'D', 'A', 'T'});
        PutBig32(f, Crc(f, chunk));
    }
    return f;
}

} // namespace

TEST(Png, EveryDepthWrittenAndReadBackIsTheSameBitmap) {
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf16bit, pf24bit, pf32bit, pfDevice}) {
        TBitmap bitmap(16, 5);
        bitmap.SetPixelFormat(format);
        PaintSample(bitmap);
        std::vector<uint8_t> file = gfx::EncodePng(bitmap);
        ASSERT_TRUE(gfx::IsPng(file.data(), file.size())) << format;
        gfx::PngImage image = gfx::DecodePng(file.data(), file.size());
        ASSERT_TRUE(image.Pixels) << format;
        EXPECT_FALSE(image.HasAlpha) << format;
        EXPECT_EQ(image.Pixels->Width(), 16);
        EXPECT_EQ(image.Pixels->Height(), 5);
        EXPECT_EQ(PixelWords(*image.Pixels), PixelWords(bitmap)) << format;
    }
}

TEST(Png, AlphaSurvivesTheRoundTripAndLoadsIntoABitmap) {
    Dib pixels(3, 2, 32);
    const uint32_t words[] = {0xFF0000FF, 0x80FF0000, 0x00000000,
                              0x4000FF00, 0xFFFFFFFF, 0x01020304};
    for (int i = 0; i < 6; ++i)
        pixels.SetPixel(i % 3, i / 3, words[i]);
    std::vector<uint8_t> file = gfx::EncodePng(pixels.View());
    gfx::PngImage image = gfx::DecodePng(file.data(), file.size());
    EXPECT_TRUE(image.HasAlpha);
    EXPECT_EQ(PixelWords(*image.Pixels), PixelWords(pixels));

    TBitmap bitmap;
    gfx::LoadPng(bitmap, file.data(), file.size());
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clBlue);
}

TEST(Png, BrokenFilesAreRefused) {
    TBitmap bitmap(16, 5);
    PaintSample(bitmap);
    std::vector<uint8_t> good = gfx::EncodePng(bitmap);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* message;
    };
    std::vector<uint8_t> badCrc = good;
    badCrc[20] ^= 0x55;
    const Case cases[] = {
        {"huge", HeaderOnly(100000, 100000, true), "PNG image is not valid: Invalid IHDR data"},
        {"too many pixels", HeaderOnly(16384, 16384, true),
         "PNG image is not valid: the image is too large"},
        {"not png",
         {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0},
         "PNG image is not valid: no PNG signature"},
        {"bad crc", badCrc, "PNG image is not valid: IHDR: CRC error"},
        {"header only", HeaderOnly(4, 4), "PNG image is not valid: the file ends early"},
    };
    for (const Case& c : cases) {
        try {
            gfx::DecodePng(c.bytes.data(), c.bytes.size());
            ADD_FAILURE() << c.name << ": nothing raised";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message, c.message) << c.name;
        }
    }
}

// Every prefix of a good file is an error or a picture, never a crash.
TEST(Png, EveryTruncationIsAnErrorOrAPicture) {
    TBitmap bitmap(16, 5);
    PaintSample(bitmap);
    std::vector<uint8_t> good = gfx::EncodePng(bitmap);
    for (size_t size = 0; size < good.size(); ++size) {
        try {
            gfx::PngImage image = gfx::DecodePng(good.data(), size);
            EXPECT_EQ(image.Pixels->Width(), 16);
        } catch (const EInvalidGraphic&) {
        }
    }
}

TEST(Png, AnEmptyBitmapHasNoFile) {
    TBitmap empty;
    EXPECT_TRUE(gfx::EncodePng(empty).empty());
    EXPECT_THROW(gfx::SavePngFile(empty, "/nonexistent/x.png"), EInvalidGraphic);
}
