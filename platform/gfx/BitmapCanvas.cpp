// The canvas of a bitmap: every operation paints the bitmap's pixels; text
// goes to the installed fonts' glyphs (GlyphFont.h), measured on the fixed
// grid or on the fonts' own metrics as TextMetricsMode says.
#include "platform/gfx/Bitmap.h"

#include "platform/gfx/Gdi.h"
#include "platform/gfx/GdiTable.h"
#include "platform/gfx/GlyphFont.h"
#include "platform/gfx/Raster.h"

using namespace gfx;
using namespace gfx::detail;

namespace {

uint32_t PixelOfColor(TColor color) {
    return PixelOf(ColorToRGB(color));
}

} // namespace

template <class F> void TBitmapCanvas::PaintIn(const RECT& clip, F draw) {
    std::lock_guard lock(TableLock());
    Dib* pixels = PixelsOf(bitmap_.Handle());
    if (!pixels)
        return;
    Painter painter(pixels->View(), clip);
    draw(painter);
}

template <class F> void TBitmapCanvas::Paint(F draw, const RECT* limit) {
    // What is drawn next goes over the text gathered so far.
    DrawGatheredText();
    RECT clip = ClipRect();
    if (limit)
        clip = IntersectRect(clip, *limit);
    PaintIn(clip, draw);
}

void TBitmapCanvas::BeginTextLine(UINT alignment) {
    if (textLines_++ == 0)
        lineAlignment_ = alignment;
}

void TBitmapCanvas::EndTextLine() {
    if (textLines_ == 0 || --textLines_ > 0)
        return;
    if (!gathered_ || gathered_->Empty())
        return;
    Changing();
    DrawGatheredText();
    Changed();
}

void TBitmapCanvas::DrawGatheredText() {
    if (!gathered_)
        return;
    std::unique_ptr<GlyphLine> line = std::move(gathered_);
    PaintIn(line->Clip(), [&](Painter& p) { line->Draw(p); });
}

RECT TBitmapCanvas::CanvasBounds() const {
    return Rect(0, 0, bitmap_.Width(), bitmap_.Height());
}

void TBitmapCanvas::DoPolyline(const std::vector<POINT>& points) {
    const TPen& pen = *Pen();
    Paint([&](Painter& p) {
        for (size_t i = 0; i + 1 < points.size(); ++i)
            p.Line(points[i], points[i + 1], PixelOfColor(pen.Color()), pen.Width(), pen.Style(),
                   pen.Mode());
    });
}

void TBitmapCanvas::DoPolygon(const std::vector<POINT>& points) {
    const TPen& pen = *Pen();
    Paint([&](Painter& p) {
        p.FillPolygon(points, PixelOfColor(Brush()->Color()), Brush()->Style());
        for (size_t i = 0; i < points.size(); ++i)
            p.Line(points[i], points[(i + 1) % points.size()], PixelOfColor(pen.Color()),
                   pen.Width(), pen.Style(), pen.Mode());
    });
}

void TBitmapCanvas::DoRectangle(const RECT& r) {
    const TPen& pen = *Pen();
    Paint([&](Painter& p) {
        p.Fill(r, PixelOfColor(Brush()->Color()), Brush()->Style());
        std::vector<POINT> corners = {POINT{r.left, r.top}, POINT{r.right - 1, r.top},
                                      POINT{r.right - 1, r.bottom - 1},
                                      POINT{r.left, r.bottom - 1}};
        for (size_t i = 0; i < 4; ++i)
            p.Line(corners[i], corners[(i + 1) % 4], PixelOfColor(pen.Color()), pen.Width(),
                   pen.Style(), pen.Mode());
    });
}

void TBitmapCanvas::DoEllipse(const RECT& r) {
    const TPen& pen = *Pen();
    Paint([&](Painter& p) {
        p.FillEllipse(r, PixelOfColor(Brush()->Color()), Brush()->Style());
        if (pen.Style() != psClear)
            p.OutlineEllipse(r, PixelOfColor(pen.Color()), pen.Mode());
    });
}

void TBitmapCanvas::DoFillRect(const RECT& r) {
    Paint([&](Painter& p) { p.Fill(r, PixelOfColor(Brush()->Color()), Brush()->Style()); });
}

void TBitmapCanvas::DoFrameRect(const RECT& r) {
    if (Brush()->Style() == bsClear)
        return;
    uint32_t pixel = PixelOfColor(Brush()->Color());
    Paint([&](Painter& p) {
        p.Fill(RECT{r.left, r.top, r.right, r.top + 1}, pixel);
        p.Fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, pixel);
        p.Fill(RECT{r.left, r.top, r.left + 1, r.bottom}, pixel);
        p.Fill(RECT{r.right - 1, r.top, r.right, r.bottom}, pixel);
    });
}

void TBitmapCanvas::DoFocusRect(const RECT& r) {
    Paint([&](Painter& p) { p.FocusFrame(r); });
}

SIZE TBitmapCanvas::MeasureText(std::string_view text, const TFont& font) {
    if (textMetricsMode_ == tmmFontMetrics)
        if (auto glyphs = GlyphFont::Find(font, PixelsPerInch()))
            return glyphs->Extent(text);
    return TCanvas::MeasureText(text, font);
}

TEXTMETRIC TBitmapCanvas::MeasureFont(const TFont& font) {
    if (textMetricsMode_ == tmmFontMetrics)
        if (auto glyphs = GlyphFont::Find(font, PixelsPerInch()))
            return glyphs->Metrics();
    return TCanvas::MeasureFont(font);
}

void TBitmapCanvas::DoText(int x, int y, std::string_view text, const TFont& font, const RECT* clip,
                           bool opaque) {
    TEXTMETRIC tm = MeasureFont(font);
    SIZE extent = MeasureText(text, font);
    std::shared_ptr<GlyphFont> glyphs = textMetricsMode_ == tmmFontMetrics
                                            ? GlyphFont::Find(font, PixelsPerInch())
                                            : GlyphFont::FindOnGrid(font, tm.tmHeight, tm.tmAscent);
    GlyphPaint paint;
    paint.Pixel = PixelOfColor(font.Color());
    paint.Underline = font.Style().Contains(fsUnderline);
    paint.StrikeOut = font.Style().Contains(fsStrikeOut);
    paint.Orientation = font.Orientation();
    paint.Width = extent.cx;
    paint.Height = extent.cy;
    paint.Ascent = tm.tmAscent;
    paint.Opaque = opaque;
    paint.Background = PixelOfColor(Brush()->Color());
    // An upright run on the grid is placed with the rest of its line.
    if (glyphs && textMetricsMode_ == tmmFixedGrid && paint.Orientation % 3600 == 0) {
        GatherRun(x, y, text, glyphs, paint, clip);
        return;
    }
    Paint(
        [&](Painter& p) {
            if (glyphs) {
                glyphs->Draw(p, x, y, text, paint);
                return;
            }
            if (opaque)
                p.Fill(Bounds(x, y, extent.cx, extent.cy), paint.Background);
            p.Glyphs(x, y, text, tm, paint.Pixel, font.Style());
        },
        clip);
}

void TBitmapCanvas::GatherRun(int x, int y, std::string_view text,
                              std::shared_ptr<GlyphFont> glyphs, const GlyphPaint& paint,
                              const RECT* clip) {
    GlyphRun run;
    run.X = x;
    run.Y = y;
    run.Text = std::string(text);
    run.Font = std::move(glyphs);
    run.Paint = paint;
    run.Clip = clip ? IntersectRect(ClipRect(), *clip) : ClipRect();
    // Words that do not fit their cells may use the rest of a clip given
    // for the run (a DrawText rectangle), never more than its own cells else.
    run.RoomLeft = clip ? int(run.Clip.left) : x;
    run.RoomRight = clip ? int(run.Clip.right) : x + paint.Width;
    if (gathered_ && !gathered_->Continues(run))
        DrawGatheredText();
    if (!gathered_)
        gathered_ = std::make_unique<GlyphLine>(textLines_ > 0 ? lineAlignment_ : 0);
    gathered_->Add(std::move(run));
    if (textLines_ == 0)
        DrawGatheredText();
}

void TBitmapCanvas::DoDrawBits(const RECT& dest, const Dib& bits, DWORD rop) {
    Paint([&](Painter& p) { p.Blit(dest, bits, rop, PixelOfColor(Brush()->Color())); });
}

TColor TBitmapCanvas::DoGetPixel(int x, int y) {
    DrawGatheredText();
    std::lock_guard lock(TableLock());
    Dib* pixels = PixelsOf(bitmap_.Handle());
    if (!pixels || !pixels->View().Contains(x, y))
        return clNone;
    return static_cast<TColor>(ColorOf(pixels->GetPixel(x, y)));
}

void TBitmapCanvas::DoSetPixel(int x, int y, TColor color) {
    Paint([&](Painter& p) { p.Plot(x, y, PixelOfColor(color)); });
}

HDC TBitmapCanvas::CreateHandle() {
    DrawGatheredText();
    HDC dc = ::CreateCompatibleDC(nullptr);
    if (dc && bitmap_.Handle())
        ::SelectObject(dc, bitmap_.Handle());
    return dc;
}

void TBitmapCanvas::Changed() {
    TCanvas::Changed();
    bitmap_.Changed();
}
