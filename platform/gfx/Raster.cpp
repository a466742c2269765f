// Raster operations and the painter that draws on pixels inside a clip rectangle.
#include "platform/gfx/Raster.h"

#include "platform/gfx/FontMetrics.h"
#include "platform/gfx/GdiTable.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gfx {

uint32_t ApplyRop(DWORD rop, uint32_t p, uint32_t s, uint32_t d) {
    uint32_t code = (rop >> 16) & 0xFF;
    switch (code) {
    case 0xCC:
        return s;
    case 0xF0:
        return p;
    case 0x00:
        return 0;
    case 0xFF:
        return 0xFFFFFFFF;
    default:
        break;
    }
    // Bit i of the code is the result for (pattern, source, destination) =
    // (bit 2, bit 1, bit 0 of i).
    uint32_t r = 0;
    for (int i = 0; i < 8; ++i)
        if (code & (1u << i))
            r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    return r;
}

bool RopUsesSource(DWORD rop) {
    uint32_t code = (rop >> 16) & 0xFF;
    return (((code >> 2) ^ code) & 0x33) != 0;
}

uint32_t ApplyPenMode(TPenMode mode, uint32_t p, uint32_t d) {
    switch (mode) {
    case pmBlack:
        return 0;
    case pmWhite:
        return 0xFFFFFF;
    case pmNop:
        return d;
    case pmNot:
        return ~d;
    case pmCopy:
        return p;
    case pmNotCopy:
        return ~p;
    case pmMergePenNot:
        return p | ~d;
    case pmMaskPenNot:
        return p & ~d;
    case pmMergeNotPen:
        return ~p | d;
    case pmMaskNotPen:
        return ~p & d;
    case pmMerge:
        return p | d;
    case pmNotMerge:
        return ~(p | d);
    case pmMask:
        return p & d;
    case pmNotMask:
        return ~(p & d);
    case pmXor:
        return p ^ d;
    case pmNotXor:
        return ~(p ^ d);
    }
    return p;
}

Painter::Painter(const DibView& target, const RECT& clip) : target_(target) {
    clip_ =
        RECT{std::max<LONG>(clip.left, 0), std::max<LONG>(clip.top, 0),
             std::min<LONG>(clip.right, target.Width), std::min<LONG>(clip.bottom, target.Height)};
}

bool Painter::Inside(int x, int y) const {
    return x >= clip_.left && x < clip_.right && y >= clip_.top && y < clip_.bottom;
}

void Painter::Plot(int x, int y, uint32_t pixel, TPenMode mode) {
    if (!Inside(x, y))
        return;
    uint32_t value = mode == pmCopy ? pixel : ApplyPenMode(mode, pixel, target_.GetPixel(x, y));
    // Drawing leaves alpha 0 on 32-bit pixels, as drawing on Windows does.
    target_.SetPixel(x, y, value & 0xFFFFFF);
}

Painter Painter::Within(const RECT& rect) const {
    Painter narrowed(*this);
    narrowed.clip_ = RECT{std::max(clip_.left, rect.left), std::max(clip_.top, rect.top),
                          std::min(clip_.right, rect.right), std::min(clip_.bottom, rect.bottom)};
    return narrowed;
}

void Painter::Blend(int x, int y, uint32_t pixel, int coverage) {
    if (coverage <= 0 || !Inside(x, y))
        return;
    if (coverage >= 255) {
        target_.SetPixel(x, y, pixel & 0xFFFFFF);
        return;
    }
    uint32_t dest = target_.GetPixel(x, y), mixed = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int p = int((pixel >> shift) & 0xFF), d = int((dest >> shift) & 0xFF);
        int delta = (p - d) * coverage;
        mixed |= uint32_t(d + (delta + (delta >= 0 ? 127 : -127)) / 255) << shift;
    }
    target_.SetPixel(x, y, mixed);
}

bool Painter::Hatched(int x, int y, TBrushStyle style) const {
    switch (style) {
    case bsHorizontal:
        return y % 8 == 0;
    case bsVertical:
        return x % 8 == 0;
    case bsFDiagonal:
        return (x - y) % 8 == 0;
    case bsBDiagonal:
        return (x + y) % 8 == 0;
    case bsCross:
        return x % 8 == 0 || y % 8 == 0;
    case bsDiagCross:
        return (x - y) % 8 == 0 || (x + y) % 8 == 0;
    case bsClear:
        return false;
    default:
        return true;
    }
}

void Painter::Fill(const RECT& rect, uint32_t pixel, TBrushStyle style) {
    if (style == bsClear)
        return;
    int left = std::max(rect.left, clip_.left), right = std::min(rect.right, clip_.right);
    int top = std::max(rect.top, clip_.top), bottom = std::min(rect.bottom, clip_.bottom);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (Hatched(x, y, style))
                target_.SetPixel(x, y, pixel & 0xFFFFFF);
}

void Painter::Line(POINT a, POINT b, uint32_t pixel, int width, TPenStyle style, TPenMode mode) {
    if (style == psClear)
        return;
    // Dash patterns of one-pixel pens, as on and off lengths.
    static const std::vector<int> patterns[] = {
        {}, {18, 6}, {3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}, {}, {}};
    const std::vector<int>& pattern = width == 1 ? patterns[style] : patterns[0];
    size_t segment = 0;
    int left = pattern.empty() ? 0 : pattern[0];
    int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int error = dx + dy, x = a.x, y = a.y;
    while (x != b.x || y != b.y) {
        if (pattern.empty() || segment % 2 == 0) {
            int from = -(width / 2);
            for (int j = from; j < from + width; ++j)
                for (int i = from; i < from + width; ++i)
                    Plot(x + i, y + j, pixel, mode);
        }
        if (!pattern.empty() && --left == 0) {
            segment = (segment + 1) % pattern.size();
            left = pattern[segment];
        }
        int e2 = 2 * error;
        if (e2 >= dy)
            error += dy, x += sx;
        if (e2 <= dx)
            error += dx, y += sy;
    }
}

void Painter::FillPolygon(const std::vector<POINT>& points, uint32_t pixel, TBrushStyle style) {
    if (style == bsClear || points.size() < 3)
        return;
    int top = points[0].y, bottom = points[0].y;
    for (POINT p : points)
        top = std::min<int>(top, p.y), bottom = std::max<int>(bottom, p.y);
    std::vector<double> crossings;
    for (int y = std::max(top, int(clip_.top)); y < std::min(bottom, int(clip_.bottom)); ++y) {
        double sample = y + 0.5;
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            POINT p = points[i], q = points[(i + 1) % points.size()];
            if ((p.y <= sample) == (q.y <= sample))
                continue;
            crossings.push_back(p.x + (sample - p.y) * (q.x - p.x) / double(q.y - p.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Crossings lie between the points' x, so they fit an int; the
            // span is cut to the clip before it is walked.
            int from = std::max(int(std::ceil(crossings[i] - 0.5)), int(clip_.left));
            int to = std::min(int(std::ceil(crossings[i + 1] - 0.5)), int(clip_.right));
            for (int x = from; x < to; ++x)
                if (Inside(x, y) && Hatched(x, y, style))
                    target_.SetPixel(x, y, pixel & 0xFFFFFF);
        }
    }
}

namespace {

// The horizontal half-extent of an ellipse at row y, or -1 outside it.
double HalfWidth(double cy, double rx, double ry, int y) {
    double t = ry > 0 ? (y - cy) / ry : 0;
    if (t * t > 1.0)
        return -1;
    return rx * std::sqrt(1.0 - t * t);
}

} // namespace

// Shapes are measured in doubles (a rectangle may span the whole int range)
// and walked only over the rows and columns inside the clip: a shape far
// larger than the bitmap costs no more than the bitmap, and every pixel
// skipped is one the walk would have left alone.

void Painter::FillEllipse(const RECT& r, uint32_t pixel, TBrushStyle style) {
    double cx = (double(r.left) + r.right - 1) / 2.0, cy = (double(r.top) + r.bottom - 1) / 2.0;
    double rx = (double(r.right) - r.left - 1) / 2.0, ry = (double(r.bottom) - r.top - 1) / 2.0;
    int top = std::max(r.top, clip_.top), bottom = std::min(r.bottom, clip_.bottom);
    for (int y = top; y < bottom; ++y) {
        double half = HalfWidth(cy, rx, ry, y);
        if (half < 0)
            continue;
        int from = int(std::max(std::ceil(cx - half), double(clip_.left)));
        int to = int(std::min(std::floor(cx + half), double(clip_.right) - 1));
        for (int x = from; x <= to; ++x)
            if (Hatched(x, y, style))
                target_.SetPixel(x, y, pixel & 0xFFFFFF);
    }
}

void Painter::OutlineEllipse(const RECT& r, uint32_t pixel, TPenMode mode) {
    double cx = (double(r.left) + r.right - 1) / 2.0, cy = (double(r.top) + r.bottom - 1) / 2.0;
    double rx = (double(r.right) - r.left - 1) / 2.0, ry = (double(r.bottom) - r.top - 1) / 2.0;
    // The ends of every row's span and of every column's span close the curve.
    for (int y = std::max(r.top, clip_.top); y < std::min(r.bottom, clip_.bottom); ++y) {
        double half = HalfWidth(cy, rx, ry, y);
        if (half < 0)
            continue;
        Plot(int(std::lround(cx - half)), y, pixel, mode);
        if (std::lround(cx + half) != std::lround(cx - half))
            Plot(int(std::lround(cx + half)), y, pixel, mode);
    }
    for (int x = std::max(r.left, clip_.left); x < std::min(r.right, clip_.right); ++x) {
        double half = HalfWidth(cx, ry, rx, x);
        if (half < 0)
            continue;
        Plot(x, int(std::lround(cy - half)), pixel, mode);
        if (std::lround(cy + half) != std::lround(cy - half))
            Plot(x, int(std::lround(cy + half)), pixel, mode);
    }
}

void Painter::FocusFrame(const RECT& r) {
    auto invert = [this](int x, int y) {
        if (Inside(x, y))
            target_.SetPixel(x, y, ~target_.GetPixel(x, y) & 0xFFFFFF);
    };
    // The dots fall on every other pixel from the left corner: the walk
    // starts at the first of them inside the clip.
    int64_t first = std::max<int64_t>(r.left, clip_.left);
    first += (first - r.left) % 2;
    for (int64_t x = first; x < std::min<int64_t>(r.right, clip_.right); x += 2) {
        invert(int(x), r.top);
        if (int64_t(r.bottom) - 1 > r.top)
            invert(int(x), r.bottom - 1);
    }
    int64_t from = std::max<int64_t>(int64_t(r.top) + 1, clip_.top);
    int64_t to = std::min<int64_t>(int64_t(r.bottom) - 1, clip_.bottom);
    for (int64_t y = from; y < to; ++y)
        if ((y - r.top) % 2 == 0) {
            invert(r.left, int(y));
            if (int64_t(r.right) - 1 > r.left)
                invert(r.right - 1, int(y));
        }
}

void Painter::Blit(const RECT& dest, const Dib& image, DWORD rop, uint32_t pattern) {
    bool mirrorX = dest.right < dest.left, mirrorY = dest.bottom < dest.top;
    int64_t left = std::min(dest.left, dest.right), top = std::min(dest.top, dest.bottom);
    // In 64 bits: the rectangle may span the whole int range.
    int64_t width = std::abs(int64_t(dest.right) - dest.left);
    int64_t height = std::abs(int64_t(dest.bottom) - dest.top);
    if (width == 0 || height == 0)
        return;
    bool blend = rop == detail::BlendBits;
    // Only the rows and columns inside the clip are visited: a rectangle far
    // larger than the bitmap costs no more than the bitmap.
    int64_t firstJ = std::max<int64_t>(0, clip_.top - top);
    int64_t lastJ = std::min<int64_t>(height, clip_.bottom - top);
    int64_t firstI = std::max<int64_t>(0, clip_.left - left);
    int64_t lastI = std::min<int64_t>(width, clip_.right - left);
    for (int64_t j = firstJ; j < lastJ; ++j) {
        int y = static_cast<int>(top + j);
        int sy = int(((2 * j + 1) * image.Height()) / (2 * height));
        if (mirrorY)
            sy = image.Height() - 1 - sy;
        for (int64_t i = firstI; i < lastI; ++i) {
            int x = static_cast<int>(left + i);
            int sx = int(((2 * i + 1) * image.Width()) / (2 * width));
            if (mirrorX)
                sx = image.Width() - 1 - sx;
            uint32_t src = image.GetPixel(sx, sy), old = target_.GetPixel(x, y);
            target_.SetPixel(x, y, blend ? BlendPixel(src, old) : ApplyRop(rop, pattern, src, old));
        }
    }
}

void Painter::Glyphs(int x, int y, std::string_view text, const TEXTMETRIC& tm, uint32_t pixel,
                     TFontStyles style) {
    int cell = tm.tmAveCharWidth;
    int inset = cell >= 3 ? 1 : 0;
    int top = y + tm.tmAscent / 4, baseline = y + tm.tmAscent;
    int start = x;
    for (size_t pos = 0; pos < text.size();) {
        char32_t c = text::DecodeAnsiChar(text, pos);
        if (c != U' ' && c != U'\t' && c != 0xA0)
            Fill(RECT{x + inset, top, x + cell - inset, baseline}, pixel);
        x += cell;
    }
    if (style.Contains(fsUnderline))
        Fill(RECT{start, baseline, x, baseline + 1}, pixel);
    if (style.Contains(fsStrikeOut)) {
        int middle = y + tm.tmAscent / 2 + tm.tmAscent / 8;
        Fill(RECT{start, middle, x, middle + 1}, pixel);
    }
}

} // namespace gfx
