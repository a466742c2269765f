// The recording canvas: each operation becomes a record, and each record a line.
#include "platform/gfx/RecordingCanvas.h"

#include "platform/gfx/GdiTable.h"
#include "platform/gfx/Graphic.h"

#include <cstdio>

namespace {

const char* const PenStyles[] = {"psSolid",      "psDash",  "psDot",        "psDashDot",
                                 "psDashDotDot", "psClear", "psInsideFrame"};
const char* const PenModes[] = {"pmBlack",       "pmWhite",      "pmNop",         "pmNot",
                                "pmCopy",        "pmNotCopy",    "pmMergePenNot", "pmMaskPenNot",
                                "pmMergeNotPen", "pmMaskNotPen", "pmMerge",       "pmNotMerge",
                                "pmMask",        "pmNotMask",    "pmXor",         "pmNotXor"};
const char* const BrushStyles[] = {"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                   "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};

std::string PointText(POINT p) {
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

std::string RectText(const RECT& r) {
    return PointText(POINT{r.left, r.top}) + "-" + PointText(POINT{r.right, r.bottom});
}

std::string PenText(const CanvasRecord& r) {
    std::string s = " pen=" + ColorToString(r.PenColor) + "/" + std::to_string(r.PenWidth) + "/" +
                    PenStyles[r.PenStyle];
    if (r.PenMode != pmCopy)
        s += std::string("/") + PenModes[r.PenMode];
    return s;
}

std::string BrushText(const CanvasRecord& r) {
    return " brush=" + ColorToString(r.BrushColor) + "/" + BrushStyles[r.BrushStyle];
}

std::string FontText(const CanvasRecord& r) {
    std::string s = " font=\"" + r.FontName + "\"/" + std::to_string(r.FontSize) + "/" +
                    ColorToString(r.FontColor);
    std::string styles;
    const char* const names[] = {"bold", "italic", "underline", "strikeout"};
    for (int i = 0; i < 4; ++i)
        if (r.FontStyle.Contains(TFontStyle(i)))
            styles += (styles.empty() ? "" : ",") + std::string(names[i]);
    if (!styles.empty())
        s += "/" + styles;
    if (r.FontOrientation)
        s += "/angle=" + std::to_string(r.FontOrientation);
    return s;
}

std::string SizeText(SIZE s) {
    return std::to_string(s.cx) + "x" + std::to_string(s.cy);
}

std::string PointsText(const std::vector<POINT>& points) {
    std::string s;
    for (POINT p : points)
        s += " " + PointText(p);
    return s;
}

} // namespace

std::string CanvasRecord::ToString() const {
    using K = Kind;
    switch (Type) {
    case K::Polyline:
        return "Polyline" + PointsText(Points) + PenText(*this);
    case K::Polygon:
        return "Polygon" + PointsText(Points) + PenText(*this) + BrushText(*this);
    case K::Rectangle:
        return "Rectangle " + RectText(Rect) + PenText(*this) + BrushText(*this);
    case K::Ellipse:
        return "Ellipse " + RectText(Rect) + PenText(*this) + BrushText(*this);
    case K::FillRect:
        return "FillRect " + RectText(Rect) + BrushText(*this);
    case K::FrameRect:
        return "FrameRect " + RectText(Rect) + BrushText(*this);
    case K::FocusRect:
        return "FocusRect " + RectText(Rect);
    case K::Text: {
        std::string s = "Text " + PointText(Points.at(0)) + " \"" + Text + "\"" + FontText(*this);
        if (Opaque)
            s += " opaque=" + ColorToString(Color);
        if (Clipped)
            s += " clip=" + RectText(Rect);
        return s;
    }
    case K::Draw: {
        std::string s = "Draw " + Text + " " + SizeText(ImageSize) + " " + RectText(Rect);
        if (Stretch)
            s += " stretch";
        if (Transparent)
            s += " transparent";
        return s;
    }
    case K::Bits: {
        char rop[16];
        std::snprintf(rop, sizeof rop, "$%.8X", static_cast<unsigned>(Rop));
        return "Bits " + SizeText(ImageSize) + " " + RectText(Rect) +
               " rop=" + (Rop == gfx::detail::BlendBits ? std::string("blend") : std::string(rop));
    }
    case K::Pixel:
        return "Pixel " + PointText(Points.at(0)) + " " + ColorToString(Color);
    case K::Clip:
        return Clipped ? "Clip " + RectText(Rect) : std::string("Clip none");
    }
    return {};
}

TRecordingCanvas::TRecordingCanvas(int width, int height) : width_(width), height_(height) {}

void TRecordingCanvas::SetSize(int width, int height) {
    width_ = width;
    height_ = height;
}

std::vector<std::string> TRecordingCanvas::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(records_.size());
    for (const CanvasRecord& r : records_)
        lines.push_back(r.ToString());
    return lines;
}

std::string TRecordingCanvas::Text() const {
    std::string all;
    for (const CanvasRecord& r : records_)
        all += r.ToString() + "\n";
    return all;
}

std::vector<std::string> TRecordingCanvas::TextRuns() const {
    std::vector<std::string> runs;
    for (const CanvasRecord& r : records_)
        if (r.Type == CanvasRecord::Kind::Text)
            runs.push_back(r.Text);
    return runs;
}

CanvasRecord& TRecordingCanvas::Add(CanvasRecord::Kind kind) {
    CanvasRecord& r = records_.emplace_back();
    r.Type = kind;
    r.PenColor = Pen()->Color();
    r.PenWidth = Pen()->Width();
    r.PenStyle = Pen()->Style();
    r.PenMode = Pen()->Mode();
    r.BrushColor = Brush()->Color();
    r.BrushStyle = Brush()->Style();
    return r;
}

void TRecordingCanvas::DoPolyline(const std::vector<POINT>& points) {
    Add(CanvasRecord::Kind::Polyline).Points = points;
}

void TRecordingCanvas::DoPolygon(const std::vector<POINT>& points) {
    Add(CanvasRecord::Kind::Polygon).Points = points;
}

void TRecordingCanvas::DoRectangle(const RECT& rect) {
    Add(CanvasRecord::Kind::Rectangle).Rect = rect;
}

void TRecordingCanvas::DoEllipse(const RECT& rect) {
    Add(CanvasRecord::Kind::Ellipse).Rect = rect;
}

void TRecordingCanvas::DoFillRect(const RECT& rect) {
    // A clear brush fills nothing, so nothing is written down.
    if (Brush()->Style() == bsClear)
        return;
    Add(CanvasRecord::Kind::FillRect).Rect = rect;
}

void TRecordingCanvas::DoFrameRect(const RECT& rect) {
    Add(CanvasRecord::Kind::FrameRect).Rect = rect;
}

void TRecordingCanvas::DoFocusRect(const RECT& rect) {
    Add(CanvasRecord::Kind::FocusRect).Rect = rect;
}

void TRecordingCanvas::DoText(int x, int y, std::string_view text, const TFont& font,
                              const RECT* clip, bool opaque) {
    CanvasRecord& r = Add(CanvasRecord::Kind::Text);
    r.Points = {POINT{x, y}};
    r.Text = std::string(text);
    r.FontName = font.Name();
    r.FontSize = font.Size();
    r.FontColor = font.Color();
    r.FontStyle = font.Style();
    r.FontOrientation = font.Orientation();
    r.Opaque = opaque;
    if (opaque)
        r.Color = Brush()->Color();
    if (clip) {
        r.Clipped = true;
        r.Rect = *clip;
    }
}

void TRecordingCanvas::DoDrawGraphic(const RECT& dest, TGraphic& graphic, bool stretch) {
    CanvasRecord& r = Add(CanvasRecord::Kind::Draw);
    r.Rect = dest;
    r.Text = graphic.ClassName();
    r.ImageSize = SIZE{graphic.Width(), graphic.Height()};
    r.Stretch = stretch;
    r.Transparent = graphic.Transparent();
}

void TRecordingCanvas::DoDrawBits(const RECT& dest, const gfx::Dib& bits, DWORD rop) {
    CanvasRecord& r = Add(CanvasRecord::Kind::Bits);
    r.Rect = dest;
    r.ImageSize = SIZE{bits.Width(), bits.Height()};
    r.Rop = rop;
}

void TRecordingCanvas::DoSetPixel(int x, int y, TColor color) {
    CanvasRecord& r = Add(CanvasRecord::Kind::Pixel);
    r.Points = {POINT{x, y}};
    r.Color = color;
}

void TRecordingCanvas::ClipChanged() {
    CanvasRecord& r = Add(CanvasRecord::Kind::Clip);
    if (HasClip()) {
        r.Clipped = true;
        r.Rect = ClipRect();
    }
}
