// Text in real glyphs: a font of the machine at one size, measured and drawn
// through FreeType. The face comes from fontconfig (FontMatch.h); glyphs are
// hinted at the size in pixels and every advance is a whole pixel, so the
// width a layout measured is the width that is drawn. Bold and italic come
// from the installed bold and italic designs, or, where a family has none,
// from emboldened or slanted outlines; underline and strike-out are drawn
// from the face's own positions; a run can be turned by its font's angle.
//
// The bitmap canvas (Bitmap.h) is the one user: it measures with these
// metrics or, for layouts that must not depend on the installed fonts, on
// the fixed grid, and then places the glyphs in the grid's lines
// (GlyphLine.h).
#pragma once

#include "platform/gfx/FontMetrics.h"
#include "platform/gfx/Raster.h"

#include <memory>
#include <string_view>
#include <unordered_map>

class TFont;
struct FT_FaceRec_;

namespace gfx {

// How one run of glyphs is drawn.
struct GlyphPaint {
    // The text's colour as a pixel word.
    uint32_t Pixel = 0;
    bool Underline = false;
    bool StrikeOut = false;
    // The angle of the baseline in tenths of a degree, counter-clockwise;
    // the run turns about its top-left corner.
    int Orientation = 0;
    // The run's laid-out extent: glyphs wider than Width are squeezed into
    // it, and underline, strike-out and background span it. 0: the run's
    // own width and height.
    int Width = 0;
    int Height = 0;
    // How far below the run's top the baseline lies (0: the font's ascent).
    int Ascent = 0;
    // When set, the extent is first filled with this pixel word.
    bool Opaque = false;
    uint32_t Background = 0;
};

// A font of the machine at one size in pixels.
class GlyphFont {
public:
    // The glyphs of a font on a canvas of that resolution: the font's
    // height is taken at its own PixelsPerInch and scaled to the canvas's.
    // Null when no installed font can draw it.
    static std::shared_ptr<GlyphFont> Find(const TFont& font, int pixelsPerInch);
    // The face for a run laid out on the fixed grid, of a line gridHeight
    // pixels high with its baseline gridAscent below the top: the em is the
    // grid's height, made smaller where the face's letters (its typographic
    // ascent) would rise above the line.
    static std::shared_ptr<GlyphFont> FindOnGrid(const TFont& font, int gridHeight, int gridAscent);

    ~GlyphFont();
    GlyphFont(const GlyphFont&) = delete;
    GlyphFont& operator=(const GlyphFont&) = delete;

    // The font's metrics in whole pixels.
    TEXTMETRIC Metrics() const { return metrics_; }
    // One line of text: the sum of its advances, and the font's height.
    SIZE Extent(std::string_view text) const;
    // Draws one run with its top-left corner at (x, y), squeezed into its
    // extent where it is wider.
    void Draw(Painter& painter, int x, int y, std::string_view text, const GlyphPaint& paint) const;
    // The whole-pixel advance of a character (kept once measured).
    int Advance(char32_t c) const;
    // Columns [Left, Right) from a character's origin.
    struct InkSpan {
        int Left = 0;
        int Right = 0;
    };
    // The columns a character inks when drawn unturned at a whole pixel
    // (empty for a blank; kept once measured).
    InkSpan Ink(char32_t c) const;
    // Draws one upright letter with its origin at (x, baseline), its
    // advance squeezed by `squeeze` (1: its natural width).
    void DrawLetter(Painter& painter, char32_t c, double x, double baseline, double squeeze,
                    uint32_t pixel) const;
    // Draws the underline and strike-out that paint asks for along an
    // upright extent `width` wide, its top-left corner at (x, y).
    void DrawStrokes(Painter& painter, int x, int y, int width, const GlyphPaint& paint) const;

private:
    // Takes over an opened face and sizes it (em in 1/64 pixels).
    GlyphFont(FT_FaceRec_* face, long em64, bool embolden, bool slant);
    // A size asked for, in 1/64 pixels: the em, or (Cell) the height of a
    // line that the face's ascent and descent fill; an em no larger than
    // lets the typographic ascent fit in Ascent64 (when not 0).
    struct Size {
        long Size64 = 0;
        bool Cell = false;
        long Ascent64 = 0;
    };
    static std::shared_ptr<GlyphFont> Make(const TFont& font, Size size);
    // The em in 1/64 pixels of a size in a face.
    static long EmOf(FT_FaceRec_* face, Size size);
    void ReadMetrics();
    // Renders one glyph with its origin at (x, y) in the canvas.
    void DrawGlyph(Painter& painter, char32_t c, double x, double y, const void* matrix,
                   uint32_t pixel) const;
    // Underline and strike-out along a run turned by (cosA, sinA).
    void DrawStrokes(Painter& painter, int x, int y, double cosA, double sinA, int width,
                     int height, int ascent, const GlyphPaint& paint) const;

    FT_FaceRec_* face_;
    long em64_;
    // Bold or italic asked for where the face is not: drawn by emboldening
    // or slanting the outlines.
    bool embolden_;
    bool slant_;
    int boldExtra_ = 0;
    TEXTMETRIC metrics_;
    mutable std::unordered_map<char32_t, int> advances_;
    mutable std::unordered_map<char32_t, InkSpan> inks_;
    int underlineTop_ = 1, underlineSize_ = 1;
    int strikeTop_ = 0, strikeSize_ = 1;
};

} // namespace gfx
