// The text metrics of the machine's fonts. Every face is drawn on one fixed
// grid, so that a layout can be worked out by hand in a test:
//
//   h      = |Font.Height|, at least 1 (8 points: 11, 9: 12, 10: 13, 12: 16)
//   height = h               every line of text, whatever its characters
//   width  = (h + 1) / 2     every character, blanks included (8 points: 6)
//   ascent = h - h / 4, descent = h / 4, no leading
//
// Style and face do not change the metrics; a character is one code point of
// the 8-bit text (a byte that is not UTF-8 counts as one). On a canvas of
// another resolution than the font's, h is scaled by the ratio of the two
// (rounded): 8 points on a canvas of 144 pixels per inch have h = 17. The
// recording canvas, and the bitmap canvas unless told to measure its glyphs,
// measure this way, so layouts never depend on the installed fonts.
#pragma once

#include "platform/gfx/GdiTypes.h"

#include <string_view>

class TFont;

// Metrics of a font, as GetTextMetrics gives them.
struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
};

namespace gfx {

// The number of characters of 8-bit text.
int CharacterCount(std::string_view text);
// The metrics of a font on the fixed grid, on a canvas of that resolution
// (0: the font's own).
TEXTMETRIC FixedTextMetrics(const TFont& font, int pixelsPerInch = 0);
// The extent of one line of text on the fixed grid (height even when empty).
SIZE FixedTextExtent(std::string_view text, const TFont& font, int pixelsPerInch = 0);

} // namespace gfx
