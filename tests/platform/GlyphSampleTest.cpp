// A picture of text in every style the bitmap canvas draws (faces, sizes,
// bold, italic, underline, strike-out, turned runs, both layouts, two
// resolutions), written as glyph-text-sample.png beside the test programs'
// folder for a person to look at. The test itself only checks that the
// file is a readable PNG of the picture.
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/PngCodec.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

class Sample {
public:
    Sample() : bitmap_(960, 760) { Canvas().Brush()->SetStyle(bsClear); }

    TBitmapCanvas& Canvas() { return static_cast<TBitmapCanvas&>(*bitmap_.Canvas()); }
    TBitmap& Bitmap() { return bitmap_; }

    // A caption in small grey letters, then the line below it.
    void Caption(int x, int y, const std::string& text) {
        Font("Tahoma", 8, {}, clGray);
        Canvas().TextOut(x, y, text);
    }
    void Font(const char* face, int size, TFontStyles style, TColor color = clBlack) {
        TFont* font = Canvas().Font();
        font->SetName(face);
        font->SetSize(size);
        font->SetStyle(style);
        font->SetColor(color);
        font->SetOrientation(0);
    }
    // Writes text at (x, y) and frames its measured extent in light blue.
    int Boxed(int x, int y, const std::string& text) {
        SIZE extent = Canvas().TextExtent(text);
        TColor saved = Canvas().Font()->Color();
        Canvas().Brush()->SetColor(TColor(0xF0D8B0));
        Canvas().FrameRect(Rect(x - 1, y - 1, x + extent.cx + 1, y + extent.cy + 1));
        Canvas().Brush()->SetStyle(bsClear);
        Canvas().Font()->SetColor(saved);
        Canvas().TextOut(x, y, text);
        return extent.cy;
    }

private:
    TBitmap bitmap_;
};

void DrawFaces(Sample& s, int& y) {
    s.Caption(10, y, "Faces at 10 points (each falls back to an installed one):");
    y += 16;
    for (const char* face : {"Tahoma", "MS Sans Serif", "Arial", "Times New Roman", "Courier New",
                             "Symbol", "Verdana"}) {
        s.Font(face, 10, {});
        y += s.Boxed(20, y,
                     std::string(face) +
                         ": The quick brown fox jumps over the lazy dog 0123456789") +
             4;
    }
}

void DrawSizes(Sample& s, int& y) {
    s.Caption(10, y, "Sizes 8, 9, 10, 12, 14, 18, 24, 36 points:");
    y += 16;
    int x = 20;
    for (int size : {8, 9, 10, 12, 14, 18, 24, 36}) {
        s.Font("Tahoma", size, {});
        std::string text = "Ag" + std::to_string(size);
        s.Boxed(x, y, text);
        x += s.Canvas().TextWidth(text) + 14;
    }
    s.Font("Tahoma", 36, {});
    y += s.Canvas().TextHeight("A") + 8;
}

void DrawStyles(Sample& s, int& y) {
    s.Caption(10, y, "Styles at 12 points:");
    y += 16;
    struct Style {
        const char* name;
        TFontStyles style;
    };
    const Style styles[] = {{"Regular", {}},
                            {"Bold", TFontStyles{fsBold}},
                            {"Italic", TFontStyles{fsItalic}},
                            {"Bold italic", TFontStyles{fsBold, fsItalic}},
                            {"Underline", TFontStyles{fsUnderline}},
                            {"Strike-out", TFontStyles{fsStrikeOut}},
                            {"All four", TFontStyles{fsBold, fsItalic, fsUnderline, fsStrikeOut}}};
    int x = 20;
    for (const Style& style : styles) {
        s.Font("Tahoma", 12, style.style);
        s.Boxed(x, y, style.name);
        x += s.Canvas().TextWidth(style.name) + 16;
    }
    y += 26;
    s.Font("Times New Roman", 12, TFontStyles{fsItalic}, clNavy);
    s.Boxed(20, y, "Serif italic in navy, ");
    s.Font("Tahoma", 12, TFontStyles{fsBold}, clMaroon);
    s.Boxed(220, y, "bold in maroon, ");
    s.Canvas().Brush()->SetColor(clYellow);
    s.Canvas().Font()->SetColor(clBlack);
    s.Canvas().TextOut(380, y, "opaque on yellow");
    s.Canvas().Brush()->SetStyle(bsClear);
    y += 28;
}

void DrawTurned(Sample& s, int& y) {
    s.Caption(10, y, "Turned runs about one corner (0 to 315 degrees) and a clipped run:");
    y += 16;
    int cx = 150, cy = y + 110;
    for (int angle = 0; angle < 3600; angle += 450) {
        s.Font("Tahoma", 10, angle == 900 ? TFontStyles{fsUnderline} : TFontStyles{});
        s.Canvas().Font()->SetOrientation(angle);
        s.Canvas().TextOut(cx, cy, "   " + std::to_string(angle / 10) + " degrees");
    }
    s.Font("Tahoma", 14, TFontStyles{fsBold});
    s.Canvas().Brush()->SetColor(TColor(0xE0E0E0));
    s.Canvas().FillRect(Rect(400, y + 40, 520, y + 70));
    s.Canvas().Brush()->SetStyle(bsClear);
    s.Canvas().TextRect(Rect(400, y + 40, 520, y + 70), 380, y + 44, "Clipped to the grey box");
    y += 230;
}

void DrawLayouts(Sample& s, int& y) {
    s.Caption(10, y,
              "The same runs laid out on the fixed grid (left) and on the fonts' metrics "
              "(right), boxes showing what was measured:");
    y += 16;
    const char* lines[] = {"Name: Ivy Wells", "WWW.MIMI.COM", "illicit little lilies"};
    for (const char* line : lines) {
        s.Font("Tahoma", 10, {});
        s.Canvas().SetTextMetricsMode(tmmFixedGrid);
        int h = s.Boxed(20, y, line);
        s.Canvas().SetTextMetricsMode(tmmFontMetrics);
        h = std::max(h, s.Boxed(400, y, line));
        y += h + 6;
    }
    s.Canvas().SetTextMetricsMode(tmmFontMetrics);
}

void DrawResolutions(Sample& s, int& y) {
    s.Caption(10, y, "8 points at 96 and at 144 pixels per inch:");
    y += 16;
    s.Font("Tahoma", 8, {});
    s.Boxed(20, y, "Eight points at 96 pixels per inch");
    s.Canvas().SetPixelsPerInch(144);
    s.Boxed(320, y, "Eight points at 144 pixels per inch");
    s.Canvas().SetPixelsPerInch(96);
    y += 30;
}

} // namespace

TEST(GlyphSample, WritesAPictureOfEveryStyle) {
    Sample sample;
    sample.Canvas().SetTextMetricsMode(tmmFontMetrics);
    int y = 8;
    DrawFaces(sample, y);
    DrawSizes(sample, y);
    DrawStyles(sample, y);
    DrawTurned(sample, y);
    DrawLayouts(sample, y);
    DrawResolutions(sample, y);
    EXPECT_LE(y, sample.Bitmap().Height());

    std::string path = std::string(LORVANE_BIN_DIR) + "/../glyph-text-sample.png";
    gfx::SavePngFile(sample.Bitmap(), path);
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    gfx::PngImage image = gfx::DecodePng(bytes.data(), bytes.size());
    EXPECT_EQ(image.Pixels->Width(), 960);
    EXPECT_EQ(image.Pixels->Height(), 760);
}
