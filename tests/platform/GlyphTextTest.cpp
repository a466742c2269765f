// Text in real glyphs on a bitmap's canvas, checked by where its ink falls
// (never by comparing pixels, which would tie the tests to one version of
// one font): ink stays inside the measured extent, letters have their own
// widths and shapes, bold inks more, a turned run inks along its angle,
// underline spans the run, the clip holds, and sizes follow the canvas's
// resolution. One test writes a picture of every style for a person.
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/FontMatch.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/GlyphFont.h"
#include "platform/gfx/PngCodec.h"
#include "platform/win/DebugOutput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <thread>

namespace {

// Where a bitmap holds anything but white.
struct Ink {
    int Count = 0;
    // Darkness summed over the pixels (255 per black pixel).
    long Weight = 0;
    RECT Box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    double SumX = 0, SumY = 0;
};

int Darkness(TColor color) {
    COLORREF c = ColorToRGB(color);
    return 255 - std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
}

Ink InkOf(TBitmap& bitmap, const RECT& area) {
    Ink ink;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            int dark = Darkness(bitmap.Canvas()->Pixels(x, y));
            if (dark == 0)
                continue;
            ++ink.Count;
            ink.Weight += dark;
            ink.SumX += x;
            ink.SumY += y;
            ink.Box.left = std::min<LONG>(ink.Box.left, x);
            ink.Box.top = std::min<LONG>(ink.Box.top, y);
            ink.Box.right = std::max<LONG>(ink.Box.right, x + 1);
            ink.Box.bottom = std::max<LONG>(ink.Box.bottom, y + 1);
        }
    return ink;
}

Ink InkOf(TBitmap& bitmap) {
    return InkOf(bitmap, Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

// A white bitmap whose canvas writes black text on a clear background.
struct Page {
    TBitmap Bitmap;
    Page(int width, int height, TTextMetricsMode layout = tmmFontMetrics) : Bitmap(width, height) {
        Canvas().SetTextMetricsMode(layout);
        Canvas().Font()->SetColor(clBlack);
        Canvas().Brush()->SetStyle(bsClear);
    }
    TBitmapCanvas& Canvas() { return static_cast<TBitmapCanvas&>(*Bitmap.Canvas()); }
};

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

} // namespace

// Under both layouts, in several faces, sizes and styles: the ink of a run
// lies inside the extent the canvas measured for it.
TEST(GlyphText, InkStaysInsideTheMeasuredExtent) {
    struct Case {
        TTextMetricsMode layout;
        const char* face;
        int size;
        TFontStyles style;
        const char* text;
    };
    const Case cases[] = {
        {tmmFontMetrics, "Tahoma", 8, {}, "Hello, World"},
        {tmmFontMetrics, "Tahoma", 24, {}, "Quick brown fox jumps"},
        {tmmFontMetrics, "MS Sans Serif", 10, TFontStyles{fsBold}, "Bold text here"},
        {tmmFontMetrics, "Courier New", 12, TFontStyles{fsUnderline}, "Mono, underlined"},
        {tmmFontMetrics, "Tahoma", 12, TFontStyles{fsStrikeOut}, "struck out"},
        // On the grid, wide letters are squeezed into the grid's cells.
        {tmmFixedGrid, "Tahoma", 8, {}, "WWW MMM Hello"},
        {tmmFixedGrid, "Tahoma", 12, TFontStyles{fsBold, fsUnderline}, "Wide Bold Words"},
        {tmmFixedGrid, "Tahoma", 18, {}, "THE TITLE"},
    };
    for (const Case& c : cases) {
        Page page(600, 80, c.layout);
        TCanvas& canvas = page.Canvas();
        canvas.Font()->SetName(c.face);
        canvas.Font()->SetSize(c.size);
        canvas.Font()->SetStyle(c.style);
        SIZE extent = canvas.TextExtent(c.text);
        canvas.TextOut(20, 10, c.text);
        Ink ink = InkOf(page.Bitmap);
        RECT measured = Rect(20, 10, 20 + extent.cx, 10 + extent.cy);
        EXPECT_GT(ink.Count, 0) << c.text;
        EXPECT_TRUE(Inside(ink.Box, measured))
            << c.text << ": ink " << Describe(ink.Box) << " measured " << Describe(measured);
        // The run fills its extent: no empty tail where glyphs were expected.
        EXPECT_GE(ink.Box.right, measured.right - extent.cx / std::max(1, int(strlen(c.text))))
            << c.text;
    }
}

TEST(GlyphText, LettersHaveTheirOwnWidthsAndShapes) {
    Page page(200, 200);
    TCanvas& canvas = page.Canvas();
    canvas.Font()->SetSize(12);
    EXPECT_LT(canvas.TextWidth("i"), canvas.TextWidth("W"));
    EXPECT_EQ(canvas.TextWidth("iW"), canvas.TextWidth("i") + canvas.TextWidth("W"));

    // A large 'O' is a ring: ink around, none in the middle.
    canvas.Font()->SetHeight(-120);
    canvas.TextOut(10, 10, "O");
    Ink ink = InkOf(page.Bitmap);
    ASSERT_GT(ink.Count, 0);
    int midX = (ink.Box.left + ink.Box.right) / 2, midY = (ink.Box.top + ink.Box.bottom) / 2;
    EXPECT_EQ(InkOf(page.Bitmap, Rect(midX - 5, midY - 5, midX + 5, midY + 5)).Count, 0);
    EXPECT_GT(InkOf(page.Bitmap, Rect(ink.Box.left, midY - 2, ink.Box.left + 10, midY + 2)).Count,
              0);
    EXPECT_GT(InkOf(page.Bitmap, Rect(midX - 2, ink.Box.top, midX + 2, ink.Box.top + 10)).Count, 0);
}

TEST(GlyphText, BoldInksMoreThanRegular) {
    for (const char* face : {"Tahoma", "Times New Roman"}) {
        long weights[2] = {};
        for (int bold = 0; bold < 2; ++bold) {
            Page page(400, 60);
            page.Canvas().Font()->SetName(face);
            page.Canvas().Font()->SetSize(14);
            page.Canvas().Font()->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
            page.Canvas().TextOut(5, 5, "Heavy and light");
            weights[bold] = InkOf(page.Bitmap).Weight;
        }
        EXPECT_GT(weights[1], weights[0] * 11 / 10) << face;
    }
}

// Turned by 90 degrees the run goes up from its corner and its letters lie
// to the right of it; by 45 degrees its ink rises as it goes right; the
// turned run leaves as much ink as the straight one, give or take.
TEST(GlyphText, ATurnedRunInksAlongItsAngle) {
    const char* text = "Turned text run";
    Page straight(400, 400);
    straight.Canvas().Font()->SetSize(12);
    SIZE extent = straight.Canvas().TextExtent(text);
    straight.Canvas().TextOut(200, 200, text);
    long straightWeight = InkOf(straight.Bitmap).Weight;

    Page up(400, 400);
    up.Canvas().Font()->SetSize(12);
    up.Canvas().Font()->SetOrientation(900);
    up.Canvas().TextOut(200, 200, text);
    Ink ink = InkOf(up.Bitmap);
    EXPECT_TRUE(Inside(ink.Box, Rect(200, 200 - extent.cx - 1, 200 + extent.cy, 201)))
        << Describe(ink.Box);
    EXPECT_GT(ink.Box.bottom - ink.Box.top, 3 * (ink.Box.right - ink.Box.left));
    EXPECT_NEAR(double(ink.Weight), double(straightWeight), straightWeight * 0.25);

    for (int angle : {450, 1350, 3150}) {
        Page turned(400, 400);
        turned.Canvas().Font()->SetSize(12);
        turned.Canvas().Font()->SetOrientation(angle);
        turned.Canvas().TextOut(200, 200, text);
        // The ink's direction, from the centres of its first and last thirds.
        Ink all = InkOf(turned.Bitmap);
        ASSERT_GT(all.Count, 0) << angle;
        double theta = angle * M_PI / 1800;
        double dx = std::cos(theta), dy = -std::sin(theta);
        double head[2] = {}, tail[2] = {};
        int heads = 0, tails = 0;
        for (int y = all.Box.top; y < all.Box.bottom; ++y)
            for (int x = all.Box.left; x < all.Box.right; ++x) {
                if (Darkness(turned.Bitmap.Canvas()->Pixels(x, y)) == 0)
                    continue;
                double along = (x - 200) * dx + (y - 200) * dy;
                if (along < extent.cx / 3.0)
                    head[0] += x, head[1] += y, ++heads;
                else if (along > extent.cx * 2 / 3.0)
                    tail[0] += x, tail[1] += y, ++tails;
            }
        ASSERT_GT(heads, 0);
        ASSERT_GT(tails, 0);
        double found =
            std::atan2(-(tail[1] / tails - head[1] / heads), tail[0] / tails - head[0] / heads) *
            1800 / M_PI;
        double difference = std::remainder(found - angle, 3600.0);
        EXPECT_LT(std::abs(difference), 50) << angle << " drawn at " << found;
    }
}

TEST(GlyphText, UnderlineAndStrikeOutSpanTheRun) {
    for (TFontStyle style : {fsUnderline, fsStrikeOut}) {
        for (TTextMetricsMode layout : {tmmFontMetrics, tmmFixedGrid}) {
            Page page(300, 60, layout);
            page.Canvas().Font()->SetSize(10);
            page.Canvas().Font()->SetStyle(TFontStyles{style});
            SIZE extent = page.Canvas().TextExtent("a line, spanned");
            page.Canvas().TextOut(10, 10, "a line, spanned");
            // Some row of the extent is inked from the first to the last pixel.
            bool spanned = false;
            for (int y = 10; y < 10 + extent.cy && !spanned; ++y)
                spanned = InkOf(page.Bitmap, Rect(10, y, 10 + extent.cx, y + 1)).Count == extent.cx;
            EXPECT_TRUE(spanned) << style << " " << layout;
        }
    }
}

TEST(GlyphText, TextIsClippedAndFilledWhenOpaque) {
    Page page(300, 60);
    TCanvas& canvas = page.Canvas();
    canvas.Font()->SetSize(14);
    canvas.TextRect(Rect(10, 10, 40, 30), 10, 10, "Clipped text run");
    EXPECT_TRUE(Inside(InkOf(page.Bitmap).Box, Rect(10, 10, 40, 30)));

    Page opaque(300, 60);
    opaque.Canvas().Brush()->SetColor(clYellow);
    SIZE extent = opaque.Canvas().TextExtent("On yellow");
    opaque.Canvas().TextOut(5, 5, "On yellow");
    EXPECT_EQ(opaque.Canvas().Pixels(5, 5), clYellow);
    EXPECT_EQ(opaque.Canvas().Pixels(5 + extent.cx - 1, 5 + extent.cy - 1), clYellow);
    EXPECT_EQ(opaque.Canvas().Pixels(5 + extent.cx, 5), clWhite);
}

// A face that is not installed is drawn by what is, and the stand-in is
// written to the debugger's output once, however often it is used.
TEST(GlyphText, AMissingFaceFallsBackAndTheMatchIsLoggedOnce) {
    platform::TakeDebugOutput();
    for (int i = 0; i < 3; ++i) {
        Page page(200, 40);
        page.Canvas().Font()->SetName("No Such Face Anywhere");
        page.Canvas().TextOut(2, 2, "Fallback");
        EXPECT_GT(InkOf(page.Bitmap).Count, 0);
    }
    int lines = 0;
    for (const std::string& line : platform::TakeDebugOutput())
        if (line.find("\"No Such Face Anywhere\": drawn with ") != std::string::npos)
            ++lines;
    EXPECT_EQ(lines, 1);
}

// At 144 pixels per inch text is half as large again as at 96, on the grid
// as with the fonts' own metrics; a font made while the screen has 144
// pixels per inch has the height of its points there.
TEST(GlyphText, SizesFollowTheCanvasAndTheScreenResolution) {
    for (TTextMetricsMode layout : {tmmFixedGrid, tmmFontMetrics}) {
        Page at96(100, 100, layout), at144(100, 100, layout);
        at144.Canvas().SetPixelsPerInch(144);
        EXPECT_EQ(at144.Canvas().PixelsPerInch(), 144);
        SIZE small = at96.Canvas().TextExtent("Scale me");
        SIZE large = at144.Canvas().TextExtent("Scale me");
        EXPECT_NEAR(large.cy, small.cy * 1.5, 1.5) << layout;
        EXPECT_NEAR(large.cx, small.cx * 1.5, small.cx * 0.15) << layout;
    }
    EXPECT_EQ(GetScreenPixelsPerInch(), 96);
    SetScreenPixelsPerInch(144);
    TFont font;
    TBitmap bitmap(10, 10);
    EXPECT_EQ(GetDeviceCaps(bitmap.Canvas()->Handle(), LOGPIXELSX), 144);
    EXPECT_EQ(bitmap.Canvas()->PixelsPerInch(), 144);
    SetScreenPixelsPerInch(96);
    EXPECT_EQ(font.Height(), -16);
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.PixelsPerInch(), 144);
    // A font keeps its height when its resolution changes; its points follow.
    TFont copy;
    copy.Assign(&font);
    EXPECT_EQ(copy.PixelsPerInch(), 144);
    copy.SetPixelsPerInch(96);
    EXPECT_EQ(copy.Height(), -16);
    EXPECT_EQ(copy.Size(), 12);
    EXPECT_FALSE(copy.SameAs(font));
}

namespace {

// How far right the ink of the top third of a tall letter lies from that of
// its bottom third.
double Lean(TBitmap& bitmap) {
    Ink all = InkOf(bitmap);
    int third = (all.Box.bottom - all.Box.top) / 3;
    Ink top = InkOf(bitmap, Rect(0, all.Box.top, bitmap.Width(), all.Box.top + third));
    Ink bottom = InkOf(bitmap, Rect(0, all.Box.bottom - third, bitmap.Width(), all.Box.bottom));
    return top.SumX / std::max(1, top.Count) - bottom.SumX / std::max(1, bottom.Count);
}

} // namespace

// Italic leans to the right and bold inks more, whether the family has its
// own designs for them or they are made from the upright outlines (the
// family of the last row has neither; its lines are very tall, as a
// mathematical face's are).
TEST(GlyphText, ItalicLeansAndBoldThickensWithOrWithoutTheirOwnDesigns) {
    for (const char* face : {"Tahoma", "Times New Roman", "DejaVu Math TeX Gyre"}) {
        gfx::FontFile italic = gfx::MatchFont(face, false, true);
        gfx::FontFile bold = gfx::MatchFont(face, true, false);
        double lean[2] = {};
        long weight[2] = {};
        for (int styled = 0; styled < 2; ++styled) {
            Page slanted(200, 400), heavy(400, 300);
            slanted.Canvas().Font()->SetName(face);
            slanted.Canvas().Font()->SetHeight(-60);
            slanted.Canvas().Font()->SetStyle(styled ? TFontStyles{fsItalic} : TFontStyles{});
            slanted.Canvas().TextOut(40, 20, "l");
            lean[styled] = Lean(slanted.Bitmap);
            heavy.Canvas().Font()->SetName(face);
            heavy.Canvas().Font()->SetSize(14);
            heavy.Canvas().Font()->SetStyle(styled ? TFontStyles{fsBold} : TFontStyles{});
            heavy.Canvas().TextOut(5, 5, "Heavy and light");
            weight[styled] = InkOf(heavy.Bitmap).Weight;
        }
        EXPECT_GT(lean[1] - lean[0], 3) << face << (italic.Italic ? " (own design)" : " (slanted)");
        EXPECT_GT(weight[1], weight[0] * 11 / 10) << face << (bold.Bold ? " (own)" : " (made)");
    }
}

// Whatever a font or a run asks for, drawing stays inside the bitmap and
// ends: sizes from nothing to absurd, any resolution, every byte, any angle.
TEST(GlyphText, OddFontsAndTextNeverBreakDrawing) {
    struct Case {
        const char* name;
        int height;
        int pixelsPerInch;
        int orientation;
        std::string text;
    };
    std::string everyByte;
    for (int b = 1; b < 256; ++b)
        everyByte += char(b);
    const Case cases[] = {
        {"zero height", 0, 96, 0, "Zero"},
        {"cell height", 20, 96, 0, "Positive height"},
        {"huge", -100000, 96, 0, "Huge"},
        {"huge cell", 100000, 960, 0, "H"},
        {"tiny resolution", -11, 1, 0, "Tiny"},
        {"every byte", -11, 96, 0, everyByte},
        {"bad utf-8", -11, 96, 0, "\xC3\x28 \xE2\x82 \xF0\x9F\x98\x80 end"},
        {"empty", -11, 96, 0, ""},
        {"backwards", -11, 96, -900, "Minus ninety"},
        {"many turns", -11, 96, 36450, "Wrapped angle"},
    };
    for (const Case& c : cases) {
        for (TTextMetricsMode layout : {tmmFontMetrics, tmmFixedGrid}) {
            Page page(120, 60, layout);
            page.Canvas().SetPixelsPerInch(c.pixelsPerInch);
            page.Canvas().Font()->SetHeight(c.height);
            page.Canvas().Font()->SetOrientation(c.orientation);
            SIZE extent = page.Canvas().TextExtent(c.text);
            EXPECT_GE(extent.cx, 0) << c.name;
            EXPECT_GT(extent.cy, 0) << c.name;
            page.Canvas().TextOut(10, 30, c.text);
            RECT r = Rect(0, 0, 120, 60);
            page.Canvas().DrawText(c.text, r, DT_WORDBREAK);
        }
    }
}

// Two threads drawing text at once each get the picture one thread alone
// gets: the fonts they share are used by one at a time.
TEST(GlyphText, ThreadsDrawingAtOnceGetTheSamePicture) {
    auto draw = [](TBitmap& bitmap) {
        auto& canvas = static_cast<TBitmapCanvas&>(*bitmap.Canvas());
        canvas.SetTextMetricsMode(tmmFontMetrics);
        canvas.Brush()->SetStyle(bsClear);
        for (int i = 0; i < 40; ++i) {
            canvas.Font()->SetSize(8 + i % 7);
            canvas.Font()->SetStyle(i % 2 ? TFontStyles{fsBold} : TFontStyles{fsItalic});
            canvas.Font()->SetOrientation(i % 3 * 450);
            canvas.TextOut(10 + i * 3, 100, "Shared fonts, one at a time");
        }
    };
    TBitmap alone(300, 200);
    draw(alone);
    std::vector<uint8_t> expected = gfx::EncodePng(alone);
    TBitmap first(300, 200), second(300, 200);
    std::thread other([&] { draw(second); });
    draw(first);
    other.join();
    EXPECT_EQ(gfx::EncodePng(first), expected);
    EXPECT_EQ(gfx::EncodePng(second), expected);
}

namespace {

// The widest runs of uninked columns between a run's first and last inked
// columns in rows [top, bottom): the gaps between its words, from the left.
std::vector<std::pair<int, int>> WordGaps(TBitmap& bitmap, int top, int bottom, size_t count) {
    Ink all = InkOf(bitmap, Rect(0, top, bitmap.Width(), bottom));
    std::vector<std::pair<int, int>> empty; // (first column, width)
    for (int x = all.Box.left; x < all.Box.right;) {
        if (InkOf(bitmap, Rect(x, top, x + 1, bottom)).Count > 0) {
            ++x;
            continue;
        }
        int start = x;
        while (InkOf(bitmap, Rect(x, top, x + 1, bottom)).Count == 0)
            ++x;
        empty.emplace_back(start, x - start);
    }
    std::stable_sort(empty.begin(), empty.end(),
                     [](auto& a, auto& b) { return a.second > b.second; });
    empty.resize(std::min(empty.size(), count));
    std::sort(empty.begin(), empty.end());
    return empty;
}

// Every pixel of column x equals that of column x + period, for x in [from, to).
bool Periodic(TBitmap& bitmap, int top, int bottom, int from, int to, int period) {
    for (int x = from; x < to; ++x)
        for (int y = top; y < bottom; ++y)
            if (bitmap.Canvas()->Pixels(x, y) != bitmap.Canvas()->Pixels(x + period, y))
                return false;
    return true;
}

// The advance of a letter in the glyphs drawn on the grid in the canvas's font.
int GridAdvance(TCanvas& canvas, char32_t c) {
    TEXTMETRIC tm = canvas.TextMetrics();
    return gfx::GlyphFont::FindOnGrid(*canvas.Font(), tm.tmHeight, tm.tmAscent)->Advance(c);
}

// Checks "a bb ccc dddd" drawn in rows [top, bottom) of a page: the gaps
// between the words inked apart and within a pixel of each other, and the
// letters of the longer words at their natural advances (the ink of a word
// of one letter repeated at a whole advance repeats column for column).
void ExpectEvenWordsAtNaturalAdvances(Page& page, int top, int bottom, const std::string& what) {
    std::vector<std::pair<int, int>> gaps = WordGaps(page.Bitmap, top, bottom, 3);
    ASSERT_EQ(gaps.size(), 3u) << what;
    int least = INT32_MAX, most = 0;
    for (auto [x, width] : gaps) {
        least = std::min(least, width);
        most = std::max(most, width);
    }
    EXPECT_GE(least, 1) << what;
    EXPECT_LE(most - least, 1) << what << ": gaps from " << least << " to " << most;
    struct Repeated {
        char32_t letter;
        int count, left;
    };
    for (Repeated word : {Repeated{U'c', 3, gaps[1].first + gaps[1].second},
                          Repeated{U'd', 4, gaps[2].first + gaps[2].second}}) {
        int advance = GridAdvance(page.Canvas(), word.letter);
        EXPECT_TRUE(Periodic(page.Bitmap, top, bottom, word.left + advance,
                             word.left + (word.count - 1) * advance, advance))
            << what << ": '" << char(word.letter) << "' every " << advance << " pixels";
    }
}

} // namespace

// On the grid a run of words keeps its letters at their natural advances
// and shares the room left over evenly between the blanks, whether it is
// drawn as one run or, as a label draws it, word by word in one line.
TEST(GlyphText, WordsOnTheGridStandEvenlyApartAtTheirNaturalAdvances) {
    const std::string text = "a bb ccc dddd";
    for (int size : {8, 10}) {
        Page whole(400, 60, tmmFixedGrid);
        whole.Canvas().Font()->SetSize(size);
        whole.Canvas().TextOut(10, 10, text);
        ExpectEvenWordsAtNaturalAdvances(whole, 0, 60, "one run at " + std::to_string(size));

        Page words(400, 60, tmmFixedGrid);
        TCanvas& canvas = words.Canvas();
        canvas.Font()->SetSize(size);
        {
            TTextLine line(canvas, DT_LEFT);
            int x = 10;
            for (const char* word : {"a ", "bb ", "ccc ", "dddd"}) {
                canvas.TextRect(Rect(x, 0, 400, 60), x, 10, word);
                x += canvas.TextWidth(word);
            }
        }
        ExpectEvenWordsAtNaturalAdvances(words, 0, 60, "word by word at " + std::to_string(size));
    }
}

// A word wider than its cells keeps its letters' natural advances where the
// rectangle it is drawn in has room for it (the last word of a label's line,
// say, drawn as large as the line above it), and is squeezed only where the
// room ends, each word within its own room and inked apart from the next.
TEST(GlyphText, AWordWiderThanItsCellsUsesTheRoomItHasAndIsSqueezedOnlyPastIt) {
    Page page(400, 80, tmmFixedGrid);
    TCanvas& canvas = page.Canvas();
    canvas.Font()->SetSize(10);
    int advance = GridAdvance(canvas, U'm');
    ASSERT_GT(advance * 4, canvas.TextWidth("mmmm")) << "'m' is wider than its cell";
    RECT wide = Rect(10, 0, 390, 40);
    canvas.DrawText("mmmm", wide, DT_LEFT | DT_SINGLELINE);
    Ink word = InkOf(page.Bitmap, Rect(0, 0, 400, 40));
    EXPECT_TRUE(Periodic(page.Bitmap, 0, 40, word.Box.left + advance, word.Box.left + 3 * advance,
                         advance));

    RECT tight = Rect(10, 40, 10 + canvas.TextWidth("mmmm mmmm mmmm"), 80);
    canvas.DrawText("mmmm mmmm mmmm", tight, DT_LEFT | DT_SINGLELINE);
    Ink squeezed = InkOf(page.Bitmap, Rect(0, 40, 400, 80));
    EXPECT_TRUE(Inside(squeezed.Box, tight)) << Describe(squeezed.Box);
    std::vector<std::pair<int, int>> gaps = WordGaps(page.Bitmap, 40, 80, 2);
    ASSERT_EQ(gaps.size(), 2u);
    EXPECT_GE(std::min(gaps[0].second, gaps[1].second), 1);
    EXPECT_LE(std::abs(gaps[0].second - gaps[1].second), 1);
}
