// The canvas through the recording canvas: the fixed text metrics, what each
// operation writes down, DrawText's layout flags, clipping, and what reaches
// the canvas through its device context.
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/GdiTable.h"
#include "platform/gfx/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

TEST(Canvas, FontSizesAndHeightsConvertAtNinetySixPixelsPerInch) {
    TFont font;
    EXPECT_EQ(font.Name(), "Tahoma");
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Height(), -11);
    struct Case {
        int size, height;
    };
    for (Case c : {Case{8, -11}, Case{9, -12}, Case{10, -13}, Case{12, -16}, Case{20, -27}}) {
        font.SetSize(c.size);
        EXPECT_EQ(font.Height(), c.height);
        EXPECT_EQ(font.Size(), c.size);
    }
}

TEST(Canvas, ACopyOfACanvasToolDoesNotTellTheCanvas) {
    TRecordingCanvas canvas;
    int changes = 0;
    canvas.Font()->OnChange = [&](TObject*) { ++changes; };
    TFont saved(*canvas.Font());
    saved.SetSize(20);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(canvas.Font()->Size(), 8);
    canvas.Font()->Assign(&saved);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(canvas.Font()->Size(), 20);
}

TEST(Canvas, RecordingCanvasMeasuresTextOnTheFixedGrid) {
    TRecordingCanvas canvas;
    struct Case {
        int size, charWidth, height;
    };
    for (Case c : {Case{8, 6, 11}, Case{9, 6, 12}, Case{10, 7, 13}, Case{12, 8, 16}}) {
        canvas.Font()->SetSize(c.size);
        EXPECT_EQ(canvas.TextWidth("Hello"), 5 * c.charWidth) << c.size;
        EXPECT_EQ(canvas.TextHeight("gh"), c.height) << c.size;
        EXPECT_EQ(canvas.TextExtent(""), (SIZE{0, c.height})) << c.size;
    }
    canvas.Font()->SetSize(8);
    canvas.Font()->SetStyle({fsBold, fsItalic});
    EXPECT_EQ(canvas.TextWidth("ab"), 12);
    // One character per code point; a byte that is not UTF-8 counts once.
    EXPECT_EQ(canvas.TextWidth("\xC3\xA9t\xE9"), 18);
    TEXTMETRIC tm = canvas.TextMetrics();
    EXPECT_EQ(tm.tmHeight, 11);
    EXPECT_EQ(tm.tmAscent, 9);
    EXPECT_EQ(tm.tmDescent, 2);
    EXPECT_EQ(tm.tmAveCharWidth, 6);
}

TEST(Canvas, EachOperationIsRecordedWithItsTools) {
    TRecordingCanvas canvas;
    canvas.Pen()->SetColor(clRed);
    canvas.Pen()->SetWidth(2);
    canvas.MoveTo(1, 2);
    canvas.LineTo(10, 2);
    EXPECT_EQ(canvas.PenPos().x, 10);
    canvas.Pen()->SetMode(pmXor);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.Rectangle(0, 0, 5, 5);
    canvas.Polygon({Point(0, 0), Point(4, 0), Point(2, 3)});
    canvas.Ellipse(Rect(1, 1, 3, 3));
    canvas.FillRect(Rect(0, 0, 2, 2));
    canvas.FrameRect(Rect(0, 0, 2, 2));
    canvas.DrawFocusRect(Rect(1, 1, 4, 4));
    canvas.SetPixels(3, 4, TColor(0x123456));
    canvas.Brush()->SetStyle(bsClear);
    canvas.FillRect(Rect(0, 0, 9, 9)); // a clear brush fills nothing
    const Lines expected = {
        "Polyline (1,2) (10,2) pen=clRed/2/psSolid",
        "Rectangle (0,0)-(5,5) pen=clRed/2/psSolid/pmXor brush=clBtnFace/bsSolid",
        "Polygon (0,0) (4,0) (2,3) pen=clRed/2/psSolid/pmXor brush=clBtnFace/bsSolid",
        "Ellipse (1,1)-(3,3) pen=clRed/2/psSolid/pmXor brush=clBtnFace/bsSolid",
        "FillRect (0,0)-(2,2) brush=clBtnFace/bsSolid",
        "FrameRect (0,0)-(2,2) brush=clBtnFace/bsSolid",
        "FocusRect (1,1)-(4,4)",
        "Pixel (3,4) $00123456",
    };
    EXPECT_EQ(canvas.Lines(), expected);
}

TEST(Canvas, TextOutRecordsTheRunAndMovesThePen) {
    TRecordingCanvas canvas;
    canvas.Font()->SetColor(clNavy);
    canvas.Font()->SetStyle({fsBold, fsUnderline});
    canvas.TextOut(4, 5, "Hi");
    EXPECT_EQ(canvas.PenPos().x, 4 + 12);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetOrientation(900);
    canvas.TextOut(0, 0, "Up");
    canvas.Brush()->SetColor(clYellow);
    canvas.TextRect(Rect(0, 0, 20, 10), 1, 1, "Clip");
    const Lines expected = {
        "Text (4,5) \"Hi\" font=\"Tahoma\"/8/clNavy/bold,underline opaque=clWhite",
        "Text (0,0) \"Up\" font=\"Tahoma\"/8/clNavy/bold,underline/angle=900",
        "FillRect (0,0)-(20,10) brush=clYellow/bsSolid",
        "Text (1,1) \"Clip\" font=\"Tahoma\"/8/clNavy/bold,underline/angle=900 clip=(0,0)-(20,10)",
    };
    EXPECT_EQ(canvas.Lines(), expected);
}

TEST(Canvas, BackgroundModeFollowsTheBrushAndTheContext) {
    TRecordingCanvas canvas;
    EXPECT_EQ(canvas.BkMode(), OPAQUE);
    canvas.Brush()->SetStyle(bsClear);
    EXPECT_EQ(canvas.BkMode(), TRANSPARENT);
    canvas.Brush()->SetColor(clRed); // a colour makes a clear brush solid again
    EXPECT_EQ(canvas.Brush()->Style(), bsSolid);
    EXPECT_EQ(canvas.BkMode(), OPAQUE);
    ::SetBkMode(canvas.Handle(), TRANSPARENT);
    EXPECT_EQ(canvas.BkMode(), TRANSPARENT);
    canvas.TextOut(0, 0, "x");
    EXPECT_FALSE(canvas.Records().back().Opaque);
}

// DrawText into a 60 x 30 rectangle at (10, 20), 8 points (6 x 11 per character).
struct DrawCase {
    const char* name;
    const char* text;
    UINT format;
    int result;
    Lines lines;
};

std::string TextLine(int x, int y, const std::string& run, const std::string& style = "") {
    return "Text (" + std::to_string(x) + "," + std::to_string(y) + ") \"" + run +
           "\" font=\"Tahoma\"/8/clWindowText" + style;
}

TEST(Canvas, DrawTextLaysTextOutAsItsFlagsSay) {
    const UINT T = DT_NOCLIP; // keeps the lines short; clipping has its own test
    const DrawCase cases[] = {
        {"left", "abc", T, 11, {TextLine(10, 20, "abc")}},
        {"centre", "abc", T | DT_CENTER, 11, {TextLine(31, 20, "abc")}},
        {"right", "abc", T | DT_RIGHT, 11, {TextLine(52, 20, "abc")}},
        {"vcentre", "abc", T | DT_SINGLELINE | DT_VCENTER, 9 + 11, {TextLine(10, 29, "abc")}},
        {"bottom", "abc", T | DT_SINGLELINE | DT_BOTTOM, 30, {TextLine(10, 39, "abc")}},
        {"vcentre needs single line", "abc", T | DT_VCENTER, 11, {TextLine(10, 20, "abc")}},
        {"line breaks",
         "ab\r\ncd\ne",
         T,
         33,
         {TextLine(10, 20, "ab"), TextLine(10, 31, "cd"), TextLine(10, 42, "e")}},
        {"single line drops breaks", "ab\r\ncd", T | DT_SINGLELINE, 11, {TextLine(10, 20, "abcd")}},
        {"word break",
         "one two three",
         T | DT_WORDBREAK,
         22,
         {TextLine(10, 20, "one two"), TextLine(10, 31, "three")}},
        {"word break drops the blank at the break",
         "a b c d e f g",
         T | DT_WORDBREAK,
         22,
         {TextLine(10, 20, "a b c d e"), TextLine(10, 31, "f g")}},
        {"long word stays whole",
         "abcdefghijkl",
         T | DT_WORDBREAK,
         11,
         {TextLine(10, 20, "abcdefghijkl")}},
        {"edit control breaks it",
         "abcdefghijkl",
         T | DT_WORDBREAK | DT_EDITCONTROL,
         22,
         {TextLine(10, 20, "abcdefghij"), TextLine(10, 31, "kl")}},
        {"prefix", "&File", T, 11, {TextLine(10, 20, "F", "/underline"), TextLine(16, 20, "ile")}},
        {"double ampersand", "a&&b", T, 11, {TextLine(10, 20, "a&b")}},
        {"no prefix", "a&b", T | DT_NOPREFIX, 11, {TextLine(10, 20, "a&b")}},
        {"hidden prefix",
         "&ab",
         T | DT_HIDEPREFIX,
         11,
         {TextLine(10, 20, "a"), TextLine(16, 20, "b")}},
        {"tabs", "a\tb", T | DT_EXPANDTABS, 11, {TextLine(10, 20, "a       b")}},
        // The tab size takes the place of the flags in bits 8 to 15 (DT_NOCLIP among them).
        {"tab stops",
         "a\tb",
         DT_EXPANDTABS | DT_TABSTOP | (4 << 8),
         11,
         {TextLine(10, 20, "a   b", " clip=(10,20)-(70,50)")}},
        {"end ellipsis",
         "abcdefghijklmn",
         T | DT_SINGLELINE | DT_END_ELLIPSIS,
         11,
         {TextLine(10, 20, "abcdefg...")}},
        {"word ellipsis",
         "abc defgh ijklmn",
         T | DT_SINGLELINE | DT_WORD_ELLIPSIS,
         11,
         {TextLine(10, 20, "abc def...")}},
        {"fits without ellipsis", "abc", T | DT_END_ELLIPSIS, 11, {TextLine(10, 20, "abc")}},
        {"empty", "", T, 11, {}},
    };
    for (const DrawCase& c : cases) {
        TRecordingCanvas canvas;
        canvas.Brush()->SetStyle(bsClear);
        RECT r = Rect(10, 20, 70, 50);
        EXPECT_EQ(canvas.DrawText(c.text, r, c.format), c.result) << c.name;
        EXPECT_EQ(canvas.Lines(), c.lines) << c.name;
        EXPECT_EQ(r, Rect(10, 20, 70, 50)) << c.name;
    }
}

TEST(Canvas, DrawTextCalcRectMeasuresWithoutDrawing) {
    TRecordingCanvas canvas;
    RECT r = Rect(10, 20, 70, 50);
    EXPECT_EQ(canvas.DrawText("one two three", r, DT_CALCRECT | DT_WORDBREAK), 22);
    EXPECT_EQ(r, Rect(10, 20, 52, 42));
    r = Rect(0, 0, 5, 5);
    EXPECT_EQ(canvas.DrawText("&Wide text", r, DT_CALCRECT | DT_SINGLELINE), 11);
    EXPECT_EQ(r, Rect(0, 0, 54, 11));
    EXPECT_TRUE(canvas.Records().empty());
}

TEST(Canvas, DrawTextClipsToItsRectangleAndFillsCellsWhenOpaque) {
    TRecordingCanvas canvas;
    RECT r = Rect(0, 0, 30, 11);
    canvas.DrawText("abc", r, DT_SINGLELINE);
    EXPECT_EQ(canvas.Lines(), Lines{TextLine(0, 0, "abc", " opaque=clWhite clip=(0,0)-(30,11)")});
}

TEST(Canvas, ClipRectangleIsNarrowedReplacedAndRecorded) {
    TRecordingCanvas canvas(100, 50);
    EXPECT_FALSE(canvas.HasClip());
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 100, 50));
    canvas.IntersectClipRect(Rect(10, 10, 200, 20));
    EXPECT_EQ(canvas.ClipRect(), Rect(10, 10, 100, 20));
    canvas.IntersectClipRect(Rect(0, 30, 5, 40));
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 0, 0));
    canvas.SelectClipRect(nullptr);
    EXPECT_FALSE(canvas.HasClip());
    EXPECT_EQ(canvas.Lines(), (Lines{"Clip (10,10)-(100,20)", "Clip (0,0)-(0,0)", "Clip none"}));
}

TEST(Canvas, GraphicsAndTransfersThroughTheHandleAreRecorded) {
    TRecordingCanvas canvas;
    TBitmap glyph(16, 16);
    glyph.SetTransparent(true);
    canvas.Draw(4, 4, &glyph);
    canvas.StretchDraw(Rect(0, 0, 32, 32), &glyph);
    TBitmap empty;
    canvas.Draw(0, 0, &empty); // an empty graphic draws nothing
    canvas.Draw(0, 0, nullptr);
    EXPECT_TRUE(BitBlt(canvas.Handle(), 1, 2, 16, 16, glyph.Canvas()->Handle(), 0, 0, SRCCOPY));
    const Lines expected = {
        "Draw TBitmap 16x16 (4,4)-(20,20) transparent",
        "Draw TBitmap 16x16 (0,0)-(32,32) stretch transparent",
        "Bits 16x16 (1,2)-(17,18) rop=$00CC0020",
    };
    EXPECT_EQ(canvas.Lines(), expected);
}

TEST(Canvas, LockIsRecursiveForItsThread) {
    TRecordingCanvas canvas;
    canvas.Lock();
    EXPECT_TRUE(canvas.TryLock());
    EXPECT_EQ(canvas.LockCount(), 2);
    canvas.Unlock();
    canvas.Unlock();
    EXPECT_EQ(canvas.LockCount(), 0);
}

TEST(Canvas, ChangeEventsSurroundEveryDrawingOperation) {
    TRecordingCanvas canvas;
    std::vector<std::string> events;
    canvas.OnChanging = [&](TObject*) { events.push_back("changing"); };
    canvas.OnChange = [&](TObject*) { events.push_back("change"); };
    canvas.FillRect(Rect(0, 0, 1, 1));
    RECT r = Rect(0, 0, 50, 50);
    canvas.DrawText("x", r, DT_CALCRECT);
    EXPECT_EQ(events, (std::vector<std::string>{"changing", "change"}));
}

TEST(Canvas, BitmapCanvasPaintsPixelsInsideItsClip) {
    TBitmap b(6, 6);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clRed);
    c->IntersectClipRect(Rect(0, 0, 3, 3));
    c->FillRect(Rect(0, 0, 6, 6));
    EXPECT_EQ(c->Pixels(2, 2), clRed);
    EXPECT_EQ(c->Pixels(3, 3), clWhite);
    c->SelectClipRect(nullptr);
    c->Pen()->SetColor(clBlue);
    c->MoveTo(0, 5);
    c->LineTo(6, 5);
    EXPECT_EQ(c->Pixels(5, 5), clBlue);
    c->Brush()->SetColor(clLime);
    c->Rectangle(Rect(3, 0, 6, 3));
    EXPECT_EQ(c->Pixels(3, 0), clBlue);
    EXPECT_EQ(c->Pixels(4, 1), clLime);
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    TBitmap text(20, 11);
    text.Canvas()->TextOut(0, 0, "ab");
    bool ink = false;
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 12; ++x)
            ink = ink || text.Canvas()->Pixels(x, y) != clWhite;
    EXPECT_TRUE(ink);
    EXPECT_EQ(text.Canvas()->Pixels(15, 5), clWhite);
}

// Shapes far larger than the bitmap cost no more than the bitmap: only the
// rows and columns inside it are visited.
TEST(Canvas, BitmapCanvasPaintsHugeShapesWithinItsPixels) {
    TBitmap b(4, 4);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clRed);
    c->Pen()->SetColor(clRed);
    c->Ellipse(Rect(-1000000000, -1000000000, 1000000000, 1000000000));
    EXPECT_EQ(c->Pixels(2, 2), clRed);
    c->Brush()->SetColor(clBlue);
    c->Pen()->SetColor(clBlue);
    c->Ellipse(Rect(INT32_MIN + 1, INT32_MIN + 1, INT32_MAX, INT32_MAX));
    EXPECT_EQ(c->Pixels(1, 1), clBlue);
    c->Brush()->SetColor(clLime);
    c->Pen()->SetStyle(psClear);
    c->Polygon({POINT{-2000000000, 0}, POINT{2000000000, 0}, POINT{0, 4}});
    EXPECT_EQ(c->Pixels(1, 0), clLime);
    // The focus frame's dots keep their places: every other pixel from its corner.
    TBitmap framed(4, 4);
    framed.Canvas()->DrawFocusRect(Rect(-1000000001, 0, 1000000000, 3));
    EXPECT_EQ(framed.Canvas()->Pixels(1, 0), clBlack);
    EXPECT_EQ(framed.Canvas()->Pixels(0, 0), clWhite);
}

// A copy stretched far beyond the bitmap paints only the pixels inside it.
TEST(Canvas, BitmapCanvasStretchesHugeCopiesWithinItsPixels) {
    TBitmap source(2, 2), b(2, 2);
    source.Canvas()->SetPixels(0, 0, clRed);
    source.Canvas()->SetPixels(1, 1, clBlue);
    b.Canvas()->CopyRect(Rect(0, 0, INT32_MAX, INT32_MAX), source.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clRed);
    // Mirrored (counted back from its origin, the origin included): the
    // pixels nearest the origin come from the source's first.
    TBitmap mirrored(2, 2);
    mirrored.Canvas()->CopyRect(Rect(1, 1, INT32_MIN + 2, INT32_MIN + 2), source.Canvas(),
                                Rect(0, 0, 2, 2));
    EXPECT_EQ(mirrored.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(mirrored.Canvas()->Pixels(1, 1), clRed);
}

} // namespace
