// BMP files: round trips of every depth and row order, the variants readers
// meet (colour tables, bit fields, run-length encoding, core headers), and
// malformed files refused without crashing or allocating their claimed size.
#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/GraphicsErrors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using gfx::Dib;

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// A BMP file of a 40-byte header and what follows it.
std::vector<uint8_t> File(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
                          const std::vector<uint8_t>& tableAndRows, uint32_t colorsUsed = 0) {
    std::vector<uint8_t> f = {'B', 'M'};
    Put32(f, uint32_t(14 + 40 + tableAndRows.size()));
    Put32(f, 0);
    Put32(f, 0); // no pixel offset: the rows follow the colour table
    Put32(f, 40);
    Put32(f, uint32_t(width));
    Put32(f, uint32_t(height));
    Put16(f, 1);
    Put16(f, bitCount);
    Put32(f, compression);
    Put32(f, 0);
    Put32(f, 0);
    Put32(f, 0);
    Put32(f, colorsUsed);
    Put32(f, 0);
    f.insert(f.end(), tableAndRows.begin(), tableAndRows.end());
    return f;
}

std::unique_ptr<Dib> Decode(const std::vector<uint8_t>& file) {
    return gfx::DecodeBmp(file.data(), file.size());
}

// A test image with a different colour in every pixel (and alpha in 32 bits).
Dib Pattern(int width, int height, int bitCount, bool topDown) {
    Dib d(width, height, bitCount, topDown);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            d.SetPixel(x, y,
                       (uint32_t(x * 40) << 16) | (uint32_t(y * 50) << 8) | uint32_t(x + y) |
                           (bitCount == 32 ? uint32_t(x * 60) << 24 : 0));
    return d;
}

void ExpectSamePixels(const Dib& a, const Dib& b) {
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    ASSERT_EQ(a.BitCount(), b.BitCount());
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            ASSERT_EQ(a.GetPixel(x, y), b.GetPixel(x, y)) << x << "," << y;
}

TEST(Bmp, RoundTripKeepsEveryPixelOfEveryDepthAndRowOrder) {
    for (int bitCount : {24, 32}) {
        for (bool topDown : {false, true}) {
            Dib original = Pattern(5, 3, bitCount, topDown);
            std::vector<uint8_t> file = gfx::EncodeBmp(original);
            std::unique_ptr<Dib> read = gfx::DecodeBmp(file.data(), file.size());
            ExpectSamePixels(original, *read);
            // Written once more, the file is the same byte for byte.
            EXPECT_EQ(gfx::EncodeBmp(*read), file) << bitCount << " " << topDown;
        }
    }
}

TEST(Bmp, RoundTripKeepsColourTablesAndSixteenBitMasks) {
    Dib indexed(3, 2, 8);
    indexed.SetPalette({RGBQUAD{1, 2, 3, 0}, RGBQUAD{4, 5, 6, 0}});
    indexed.SetPixel(1, 1, 0x00060504);
    std::vector<uint8_t> file = gfx::EncodeBmp(indexed);
    std::unique_ptr<Dib> read = Decode(file);
    ExpectSamePixels(indexed, *read);

    Dib rgb565(2, 2, 16);
    rgb565.SetMasks(0xF800, 0x07E0, 0x001F);
    rgb565.SetPixel(0, 0, 0x00F8FC00);
    read = Decode(gfx::EncodeBmp(rgb565));
    EXPECT_EQ(read->View().GreenMask, 0x07E0u);
    EXPECT_EQ(read->GetPixel(0, 0), rgb565.GetPixel(0, 0));
}

TEST(Bmp, EncodedFileHasThePlainHeaderAndBottomUpRows) {
    Dib d(1, 2, 24, true);
    d.SetPixel(0, 0, 0x00112233); // top
    d.SetPixel(0, 1, 0x00445566); // bottom
    std::vector<uint8_t> f = gfx::EncodeBmp(d);
    // clang-format off
    const std::vector<uint8_t> expected = {
        'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,   // file header
        40, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, // size, width, height, planes, bits
        0, 0, 0, 0, 8, 0, 0, 0, 0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0x66, 0x55, 0x44, 0, 0x33, 0x22, 0x11, 0, // bottom row first, padded to 4 bytes
    };
    // clang-format on
    EXPECT_EQ(f, expected);
}

TEST(Bmp, TopDownFileGivesItsFirstRowAtTheTop) {
    std::vector<uint8_t> rows = {0x03, 0x02, 0x01, 0, 0x06, 0x05, 0x04, 0};
    std::unique_ptr<Dib> d = Decode(File(1, -2, 24, 0, rows));
    EXPECT_EQ(d->GetPixel(0, 0), 0x00010203u);
    EXPECT_EQ(d->GetPixel(0, 1), 0x00040506u);
}

TEST(Bmp, IndexedFilesUseTheirColourTable) {
    // Four bits, two colours listed, pixels 1 and 0.
    std::vector<uint8_t> data = {0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0x10, 0, 0, 0};
    std::unique_ptr<Dib> d = Decode(File(2, 1, 4, 0, data, 2));
    EXPECT_EQ(d->BitCount(), 4);
    EXPECT_EQ(d->GetPixel(0, 0), 0x00FF00FFu);
    EXPECT_EQ(d->GetPixel(1, 0), 0u);
}

TEST(Bmp, CoreHeaderFilesAreRead) {
    std::vector<uint8_t> f = {'B', 'M'};
    Put32(f, 14 + 12 + 6 + 4);
    Put32(f, 0);
    Put32(f, 14 + 12 + 6);
    Put32(f, 12);
    Put16(f, 1);
    Put16(f, 1);
    Put16(f, 1);
    Put16(f, 1);
    f.insert(f.end(), {0, 0, 0, 0x10, 0x20, 0x30}); // black, then (0x30, 0x20, 0x10)
    f.insert(f.end(), {0x80, 0, 0, 0});
    std::unique_ptr<Dib> d = Decode(f);
    EXPECT_EQ(d->GetPixel(0, 0), 0x00302010u);
}

TEST(Bmp, ThirtyTwoBitFieldsInAnotherOrderBecomeBlueGreenRedAlpha) {
    // A 56-byte header with the masks red 0xFF, green 0xFF00, blue 0xFF0000, alpha 0xFF000000.
    std::vector<uint8_t> f = {'B', 'M'};
    Put32(f, 14 + 56 + 4);
    Put32(f, 0);
    Put32(f, 14 + 56);
    Put32(f, 56);
    Put32(f, 1);
    Put32(f, 1);
    Put16(f, 1);
    Put16(f, 32);
    Put32(f, 3);
    for (int i = 0; i < 5; ++i)
        Put32(f, 0);
    Put32(f, 0x000000FF);
    Put32(f, 0x0000FF00);
    Put32(f, 0x00FF0000);
    Put32(f, 0xFF000000);
    f.insert(f.end(), {0x11, 0x22, 0x33, 0x44}); // r, g, b, a
    std::unique_ptr<Dib> d = Decode(f);
    EXPECT_EQ(d->GetPixel(0, 0), 0x44112233u);
}

TEST(Bmp, RunLengthEncodedRowsAreExpanded) {
    std::vector<uint8_t> data(4 * 4, 0);
    data[4] = 0xFF; // colour 1 is red
    data[6] = 0xFF;
    data[1 * 4 + 2] = 0xFF;
    // Colour table of 4 entries: 0 black, 1 red... (index 1 = {0,0,FF}).
    std::vector<uint8_t> table = {0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0};
    std::vector<uint8_t> rle = {
        3, 1,             // three pixels of colour 1 (bottom row)
        0, 0,             // end of line
        0, 3, 2, 0, 1, 0, // three literal pixels 2, 0, 1, padded to a word
        0, 1,             // end of bitmap
    };
    table.insert(table.end(), rle.begin(), rle.end());
    std::unique_ptr<Dib> d = Decode(File(3, 2, 8, 1, table, 4));
    EXPECT_EQ(d->GetPixel(0, 1), 0x00FF0000u);
    EXPECT_EQ(d->GetPixel(2, 1), 0x00FF0000u);
    EXPECT_EQ(d->GetPixel(0, 0), 0x0000FF00u);
    EXPECT_EQ(d->GetPixel(1, 0), 0u);
    EXPECT_EQ(d->GetPixel(2, 0), 0x00FF0000u);
}

TEST(Bmp, MalformedFilesAreRefusedWithAReason) {
    struct Case {
        const char* why;
        std::vector<uint8_t> file;
        const char* reason;
    };
    std::vector<uint8_t> rows4x1(16, 0);
    std::vector<uint8_t> badPlanes = File(1, 1, 24, 0, {0, 0, 0, 0});
    badPlanes[14 + 12] = 2;
    std::vector<uint8_t> badHeaderSize = File(1, 1, 24, 0, {0, 0, 0, 0});
    badHeaderSize[14] = 64;
    std::vector<uint8_t> truncatedHeader = File(1, 1, 24, 0, {});
    truncatedHeader.resize(14 + 20);
    const Case cases[] = {
        {"empty", {}, "too short"},
        {"not BM",
         {'P', 'K', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         "does not start with BM"},
        {"header cut short", truncatedHeader, "header is cut short"},
        {"unknown header size", badHeaderSize, "unknown header size 64"},
        {"two planes", badPlanes, "plane count"},
        {"seven bits", File(1, 1, 7, 0, rows4x1), "bit count 7"},
        {"zero width", File(0, 1, 24, 0, rows4x1), "out of range"},
        {"negative width", File(-4, 1, 24, 0, rows4x1), "out of range"},
        {"huge height", File(1, 0x7FFFFFFF, 24, 0, rows4x1), "out of range"},
        {"too many pixels", File(16384, 16384, 32, 0, rows4x1), "out of range"},
        {"most negative height", File(1, INT32_MIN, 24, 0, rows4x1), "out of range"},
        {"RLE8 at 24 bits", File(1, 1, 24, 1, rows4x1), "RLE8 needs 8 bits"},
        {"RLE top-down", File(1, -1, 8, 1, std::vector<uint8_t>(1024 + 4)), "cannot be top-down"},
        {"unknown compression", File(1, 1, 24, 9, rows4x1), "unsupported compression 9"},
        {"bit fields at 8 bits", File(1, 1, 8, 3, rows4x1), "bit fields need"},
        {"colour table too long", File(1, 1, 8, 0, rows4x1, 100000), "colour table is too long"},
        {"colour table cut short", File(1, 1, 8, 0, {0, 0, 0, 0}), "colour table is cut short"},
        {"rows cut short", File(4, 4, 24, 0, rows4x1), "rows are cut short"},
        {"masks cut short", File(1, 1, 16, 3, {0, 0}), "masks are cut short"},
        {"gappy mask",
         File(1, 1, 16, 3, {0x05, 0, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0, 0, 0, 0, 0}),
         "not contiguous"},
    };
    for (const Case& c : cases) {
        try {
            Decode(c.file);
            ADD_FAILURE() << c.why << ": no error";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message.find("Bitmap image is not valid"), std::string::npos) << c.why;
            EXPECT_NE(e.Message.find(c.reason), std::string::npos) << c.why << ": " << e.Message;
        }
    }
}

TEST(Bmp, EveryTruncationOfAValidFileIsRefusedCleanly) {
    std::vector<uint8_t> file = gfx::EncodeBmp(Pattern(3, 3, 8, false));
    for (size_t n = 0; n < file.size(); ++n) {
        std::vector<uint8_t> part(file.begin(), file.begin() + long(n));
        EXPECT_THROW(Decode(part), EInvalidGraphic) << n;
    }
}

TEST(Bmp, RunLengthDataThatRunsOffTheImageIsClippedAndCutDataRefused) {
    std::vector<uint8_t> table(256 * 4, 0);
    std::vector<uint8_t> runs = {255, 1, 0, 2, 1, 0, 255, 1, 0, 2, 200, 200, 5, 1};
    std::vector<uint8_t> data = table;
    data.insert(data.end(), runs.begin(), runs.end());
    std::unique_ptr<Dib> d = Decode(File(2, 2, 8, 1, data));
    EXPECT_EQ(d->GetPixel(1, 1), d->Palette()[1].rgbRed << 16 | d->Palette()[1].rgbGreen << 8 |
                                     uint32_t(d->Palette()[1].rgbBlue));

    std::vector<uint8_t> cutLiteral = {0, 7, 1, 2};
    data = table;
    data.insert(data.end(), cutLiteral.begin(), cutLiteral.end());
    EXPECT_THROW(Decode(File(2, 2, 8, 1, data)), EInvalidGraphic);
    std::vector<uint8_t> cutDelta = {0, 2, 1};
    data = table;
    data.insert(data.end(), cutDelta.begin(), cutDelta.end());
    EXPECT_THROW(Decode(File(2, 2, 8, 1, data)), EInvalidGraphic);
}

} // namespace
