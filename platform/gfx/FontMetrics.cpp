// The fixed text metrics of the machine's fonts.
#include "platform/gfx/FontMetrics.h"

#include "platform/gfx/GraphicsObjects.h"
#include "platform/text/Text.h"

#include <cstdlib>

namespace gfx {

int CharacterCount(std::string_view text) {
    int count = 0;
    for (size_t pos = 0; pos < text.size(); ++count)
        text::DecodeAnsiChar(text, pos);
    return count;
}

TEXTMETRIC FixedTextMetrics(const TFont& font, int pixelsPerInch) {
    int h = std::abs(font.Height());
    if (pixelsPerInch > 0 && pixelsPerInch != font.PixelsPerInch())
        h = MulDiv(h, pixelsPerInch, font.PixelsPerInch());
    if (h < 1)
        h = 1;
    TEXTMETRIC tm;
    tm.tmHeight = h;
    tm.tmDescent = h / 4;
    tm.tmAscent = h - tm.tmDescent;
    tm.tmAveCharWidth = (h + 1) / 2;
    tm.tmMaxCharWidth = tm.tmAveCharWidth;
    return tm;
}

SIZE FixedTextExtent(std::string_view text, const TFont& font, int pixelsPerInch) {
    TEXTMETRIC tm = FixedTextMetrics(font, pixelsPerInch);
    return SIZE{tm.tmAveCharWidth * CharacterCount(text), tm.tmHeight};
}

} // namespace gfx
