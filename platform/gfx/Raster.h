// Drawing on pixels: the raster operations, and a painter that draws points,
// lines, fills, polygons, ellipses, images, the coverage of glyphs and
// placeholder glyphs (where no font is installed) on a pixel buffer inside a
// clip rectangle. The block transfers of Gdi.h and the
// canvas of a bitmap both draw through it.
#pragma once

#include "platform/gfx/Dib.h"
#include "platform/gfx/GraphicsObjects.h"

#include <string_view>
#include <vector>

struct TEXTMETRIC;

namespace gfx {

// The result of a ternary raster operation (SRCCOPY, SRCAND, PATCOPY, ...)
// on pattern, source and destination pixel words.
uint32_t ApplyRop(DWORD rop, uint32_t pattern, uint32_t source, uint32_t dest);
// True when the raster operation reads its source.
bool RopUsesSource(DWORD rop);
// The result of a pen mode (a binary raster operation) on pen and destination.
uint32_t ApplyPenMode(TPenMode mode, uint32_t pen, uint32_t dest);

class Painter {
public:
    // Draws on target, never outside clip (nor outside the target).
    Painter(const DibView& target, const RECT& clip);

    // One pixel, combined with what is there by the pen mode.
    void Plot(int x, int y, uint32_t pixel, TPenMode mode = pmCopy);
    // A rectangle of one colour, or of a hatch pattern in that colour.
    void Fill(const RECT& rect, uint32_t pixel, TBrushStyle style = bsSolid);
    // A line from a to b, b left out, with a square pen of that width and
    // the dash pattern of style (for one-pixel pens).
    void Line(POINT a, POINT b, uint32_t pixel, int width, TPenStyle style, TPenMode mode);
    // The inside of a polygon (even-odd rule).
    void FillPolygon(const std::vector<POINT>& points, uint32_t pixel, TBrushStyle style);
    // The inside and the outline of the ellipse in rect.
    void FillEllipse(const RECT& rect, uint32_t pixel, TBrushStyle style);
    void OutlineEllipse(const RECT& rect, uint32_t pixel, TPenMode mode);
    // Every other pixel of the frame inverted (the focus rectangle).
    void FocusFrame(const RECT& rect);
    // An image stretched into dest (nearest pixel) with a raster operation
    // and brush pattern, or blended by its alpha (rop BlendBits of GdiTable.h).
    void Blit(const RECT& dest, const Dib& image, DWORD rop, uint32_t pattern);
    // One pixel mixed with what is there by coverage (0: untouched, 255:
    // the pixel itself): how glyphs' smoothed edges are laid on.
    void Blend(int x, int y, uint32_t pixel, int coverage);
    // Text on the fixed grid, each character that is not a blank drawn as a
    // solid block of its cell (from the ascent's quarter to the baseline):
    // enough to show where text is, until a canvas draws real glyphs.
    // Underline and strike-out are lines across the run.
    void Glyphs(int x, int y, std::string_view text, const TEXTMETRIC& metrics, uint32_t pixel,
                TFontStyles style);

    // A painter on the same pixels whose clip is narrowed to rect.
    Painter Within(const RECT& rect) const;

private:
    bool Inside(int x, int y) const;
    bool Hatched(int x, int y, TBrushStyle style) const;

    DibView target_;
    RECT clip_;
};

} // namespace gfx
