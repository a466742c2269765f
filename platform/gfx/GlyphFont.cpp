// FreeType behind GlyphFont: one library and every face used under one lock
// (FreeType's objects are not for two threads at once), the fonts made so
// far kept by face, size and the styles drawn by hand.
#include "platform/gfx/GlyphFont.h"

#include "platform/gfx/FontMatch.h"
#include "platform/gfx/GraphicsObjects.h"
#include "platform/text/Text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

namespace gfx {

namespace {

// Glyphs beyond this em would cost more memory than a picture is worth: a
// size read from a stored form is capped here.
constexpr long MaxEm64 = 1024 * 64;
// The fonts kept at once; past this the table starts again.
constexpr size_t MaxKeptFonts = 64;
// The slant of an italic drawn by hand (about 12 degrees), in 16.16.
constexpr FT_Fixed SlantShear = 0x0366A;

std::recursive_mutex& FreeTypeLock() {
    static std::recursive_mutex lock;
    return lock;
}

// The process's FreeType library, made on first use and kept (lock held).
FT_Library Library() {
    static FT_Library library = nullptr;
    if (!library && FT_Init_FreeType(&library) != 0)
        library = nullptr;
    return library;
}

using Key = std::tuple<std::string, int, long, bool, long, bool, bool>;

std::map<Key, std::shared_ptr<GlyphFont>>& KeptFonts() {
    static std::map<Key, std::shared_ptr<GlyphFont>> fonts;
    return fonts;
}

long Ceil64(long v) {
    return (v + 63) >> 6;
}

long Round64(long v) {
    return (v + 32) >> 6;
}

// The face's ascent and descent in font units: the Windows metrics of its
// OS/2 table, which is what a line of text on the face's own system holds,
// else the horizontal header's.
std::pair<long, long> FaceExtent(FT_Face face) {
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0)
        return {os2->usWinAscent, os2->usWinDescent};
    return {face->ascender, -face->descender};
}

// Fills the rectangle (left..right along the baseline, top..bottom across
// it, from the run's top-left corner at (x, y)) turned by the run's angle.
void FillTurned(Painter& painter, int x, int y, double cosA, double sinA, int left, int right,
                int top, int bottom, uint32_t pixel) {
    if (right <= left || bottom <= top)
        return;
    if (sinA == 0 && cosA == 1) {
        painter.Fill(RECT{x + left, y + top, x + right, y + bottom}, pixel);
        return;
    }
    auto corner = [&](int s, int t) {
        return POINT{LONG(std::lround(x + s * cosA + t * sinA)),
                     LONG(std::lround(y - s * sinA + t * cosA))};
    };
    painter.FillPolygon(
        {corner(left, top), corner(right, top), corner(right, bottom), corner(left, bottom)}, pixel,
        bsSolid);
}

// Turns (counter-clockwise), squeezes and slants, in FreeType's y-up space.
FT_Matrix Transform(double cosA, double sinA, double squeeze, bool slant) {
    double shear = slant ? SlantShear / 65536.0 : 0;
    return FT_Matrix{FT_Fixed(std::lround(cosA * squeeze * 65536)),
                     FT_Fixed(std::lround((cosA * squeeze * shear - sinA) * 65536)),
                     FT_Fixed(std::lround(sinA * squeeze * 65536)),
                     FT_Fixed(std::lround((sinA * squeeze * shear + cosA) * 65536))};
}

} // namespace

std::shared_ptr<GlyphFont> GlyphFont::Find(const TFont& font, int pixelsPerInch) {
    long height = std::max(1L, std::labs(long(font.Height())));
    long fontPpi = std::max(1, font.PixelsPerInch());
    long size64 = (height * 64 * std::max(1, pixelsPerInch) + fontPpi / 2) / fontPpi;
    return Make(font, Size{size64, font.Height() > 0, 0});
}

std::shared_ptr<GlyphFont> GlyphFont::FindOnGrid(const TFont& font, int gridHeight,
                                                 int gridAscent) {
    return Make(
        font, Size{long(std::max(1, gridHeight)) * 64, false, long(std::max(1, gridAscent)) * 64});
}

long GlyphFont::EmOf(FT_FaceRec_* face, Size size) {
    long em64 = size.Size64;
    if (size.Cell) {
        auto [ascent, descent] = FaceExtent(face);
        if (ascent + descent > 0)
            em64 = size.Size64 * face->units_per_EM / (ascent + descent);
    }
    if (size.Ascent64 > 0) {
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        long letters = os2 && os2->version != 0xFFFF && os2->sTypoAscender > 0 ? os2->sTypoAscender
                                                                               : face->ascender;
        if (letters > 0)
            em64 = std::min(em64, size.Ascent64 * face->units_per_EM / letters);
    }
    return std::clamp(em64, 64L, MaxEm64);
}

std::shared_ptr<GlyphFont> GlyphFont::Make(const TFont& font, Size size) {
    bool bold = font.Style().Contains(fsBold), italic = font.Style().Contains(fsItalic);
    FontFile file = MatchFont(font.Name(), bold, italic);
    if (file.Path.empty())
        return nullptr;
    Key key{file.Path,     file.Index,         std::min(size.Size64, MaxEm64), size.Cell,
            size.Ascent64, bold && !file.Bold, italic && !file.Italic};
    std::lock_guard guard(FreeTypeLock());
    auto& kept = KeptFonts();
    if (auto found = kept.find(key); found != kept.end())
        return found->second;
    FT_Library library = Library();
    FT_Face face = nullptr;
    if (!library || FT_New_Face(library, file.Path.c_str(), file.Index, &face) != 0)
        return nullptr;
    std::shared_ptr<GlyphFont> made(
        new GlyphFont(face, EmOf(face, size), bold && !file.Bold, italic && !file.Italic));
    if (kept.size() >= MaxKeptFonts)
        kept.clear();
    kept.emplace(key, made);
    return made;
}

GlyphFont::GlyphFont(FT_FaceRec_* face, long em64, bool embolden, bool slant)
    : face_(face), em64_(em64), embolden_(embolden), slant_(slant) {
    // The size is in pixels already (the canvas's resolution is in it):
    // points at 72 per inch are pixels.
    FT_Set_Char_Size(face_, 0, em64_, 72, 72);
    ReadMetrics();
}

GlyphFont::~GlyphFont() {
    std::lock_guard guard(FreeTypeLock());
    FT_Done_Face(face_);
}

void GlyphFont::ReadMetrics() {
    FT_Fixed yScale = face_->size->metrics.y_scale;
    auto [ascent, descent] = FaceExtent(face_);
    metrics_.tmAscent = Ceil64(FT_MulFix(ascent, yScale));
    metrics_.tmDescent = Ceil64(FT_MulFix(descent, yScale));
    metrics_.tmHeight = metrics_.tmAscent + metrics_.tmDescent;
    metrics_.tmInternalLeading = std::max(0L, long(metrics_.tmHeight) - Round64(em64_));
    if (embolden_)
        boldExtra_ = int(Ceil64(em64_ / 24));
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    metrics_.tmAveCharWidth =
        os2 && os2->version != 0xFFFF
            ? Round64(FT_MulFix(os2->xAvgCharWidth, face_->size->metrics.x_scale))
            : Advance(U'x');
    metrics_.tmMaxCharWidth = Ceil64(face_->size->metrics.max_advance) + boldExtra_;
    // Underline: the face's position is the middle of the stroke, below the
    // baseline; strike-out: the top of the stroke, above it.
    long thickness = std::max(64L, long(FT_MulFix(face_->underline_thickness, yScale)));
    underlineSize_ = int(std::max(1L, Round64(thickness)));
    long middle = -FT_MulFix(face_->underline_position, yScale);
    underlineTop_ = int(std::max(0L, Round64(middle - thickness / 2)));
    strikeSize_ = underlineSize_;
    long strike = os2 && os2->version != 0xFFFF && os2->yStrikeoutPosition > 0
                      ? FT_MulFix(os2->yStrikeoutPosition, yScale)
                      : em64_ * 3 / 10;
    strikeTop_ = int(std::max(1L, Round64(strike)));
}

int GlyphFont::Advance(char32_t c) const {
    std::lock_guard guard(FreeTypeLock());
    if (auto found = advances_.find(c); found != advances_.end())
        return found->second;
    FT_Set_Transform(face_, nullptr, nullptr);
    int advance = 0;
    if (FT_Load_Glyph(face_, FT_Get_Char_Index(face_, c), FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) == 0)
        advance = int(Round64(face_->glyph->advance.x)) + boldExtra_;
    advances_.emplace(c, advance);
    return advance;
}

GlyphFont::InkSpan GlyphFont::Ink(char32_t c) const {
    std::lock_guard guard(FreeTypeLock());
    if (auto found = inks_.find(c); found != inks_.end())
        return found->second;
    // Upright, with the slant drawn by hand (which leans the letter's top out).
    FT_Matrix matrix = Transform(1, 0, 1, slant_);
    FT_Set_Transform(face_, &matrix, nullptr);
    InkSpan ink;
    if (FT_Load_Glyph(face_, FT_Get_Char_Index(face_, c), FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) ==
            0 &&
        face_->glyph->format == FT_GLYPH_FORMAT_OUTLINE && face_->glyph->outline.n_points > 0) {
        FT_Outline& outline = face_->glyph->outline;
        if (embolden_)
            FT_Outline_Embolden(&outline, em64_ / 24);
        FT_BBox box;
        FT_Outline_Get_CBox(&outline, &box);
        // The pixels the rendered glyph covers at all.
        ink.Left = int(std::floor(box.xMin / 64.0));
        ink.Right = int(std::ceil(box.xMax / 64.0));
    }
    FT_Set_Transform(face_, nullptr, nullptr);
    inks_.emplace(c, ink);
    return ink;
}

SIZE GlyphFont::Extent(std::string_view text) const {
    int width = 0;
    for (size_t pos = 0; pos < text.size();)
        width += Advance(text::DecodeAnsiChar(text, pos));
    return SIZE{width, metrics_.tmHeight};
}

void GlyphFont::DrawGlyph(Painter& painter, char32_t c, double x, double y, const void* matrix,
                          uint32_t pixel) const {
    double ix = std::floor(x), iy = std::floor(y);
    // FreeType's y grows upwards: the fraction below the pixel's top is negative.
    FT_Vector delta{FT_Pos(std::lround((x - ix) * 64)), FT_Pos(-std::lround((y - iy) * 64))};
    FT_Set_Transform(face_, static_cast<FT_Matrix*>(const_cast<void*>(matrix)), &delta);
    if (FT_Load_Glyph(face_, FT_Get_Char_Index(face_, c), FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0)
        return;
    FT_GlyphSlot slot = face_->glyph;
    if (embolden_ && slot->format == FT_GLYPH_FORMAT_OUTLINE)
        FT_Outline_Embolden(&slot->outline, em64_ / 24);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return;
    const FT_Bitmap& bitmap = slot->bitmap;
    int left = int(ix) + slot->bitmap_left, top = int(iy) - slot->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* line = bitmap.buffer + long(row) * bitmap.pitch;
        for (unsigned col = 0; col < bitmap.width; ++col) {
            int coverage = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                               ? ((line[col / 8] >> (7 - col % 8)) & 1) * 255
                               : line[col];
            painter.Blend(left + int(col), top + int(row), pixel, coverage);
        }
    }
}

void GlyphFont::Draw(Painter& painter, int x, int y, std::string_view text,
                     const GlyphPaint& paint) const {
    std::lock_guard guard(FreeTypeLock());
    int natural = Extent(text).cx;
    int width = paint.Width > 0 ? paint.Width : natural;
    int height = paint.Height > 0 ? paint.Height : metrics_.tmHeight;
    int ascent = paint.Ascent > 0 ? paint.Ascent : metrics_.tmAscent;
    double squeeze = natural > width ? double(width) / natural : 1.0;
    bool turned = paint.Orientation % 3600 != 0;
    double angle = turned ? paint.Orientation * M_PI / 1800 : 0;
    double cosA = turned ? std::cos(angle) : 1, sinA = turned ? std::sin(angle) : 0;
    if (paint.Opaque)
        FillTurned(painter, x, y, cosA, sinA, 0, width, 0, height, paint.Background);

    FT_Matrix matrix = Transform(cosA, sinA, squeeze, slant_);
    double baseX = x + ascent * sinA, baseY = y + ascent * cosA;
    long pen = 0;
    for (size_t pos = 0; pos < text.size();) {
        char32_t c = text::DecodeAnsiChar(text, pos);
        double along = pen * squeeze;
        DrawGlyph(painter, c, baseX + along * cosA, baseY - along * sinA, &matrix, paint.Pixel);
        pen += Advance(c);
    }
    FT_Set_Transform(face_, nullptr, nullptr);
    DrawStrokes(painter, x, y, cosA, sinA, width, height, ascent, paint);
}

void GlyphFont::DrawStrokes(Painter& painter, int x, int y, double cosA, double sinA, int width,
                            int height, int ascent, const GlyphPaint& paint) const {
    // The lines stay inside the run's extent, however small the font.
    if (paint.Underline) {
        int top = std::min(ascent + underlineTop_, height - underlineSize_);
        FillTurned(painter, x, y, cosA, sinA, 0, width, top, top + underlineSize_, paint.Pixel);
    }
    if (paint.StrikeOut) {
        int top = std::max(0, ascent - strikeTop_);
        FillTurned(painter, x, y, cosA, sinA, 0, width, top, top + strikeSize_, paint.Pixel);
    }
}

void GlyphFont::DrawStrokes(Painter& painter, int x, int y, int width,
                            const GlyphPaint& paint) const {
    int height = paint.Height > 0 ? paint.Height : metrics_.tmHeight;
    int ascent = paint.Ascent > 0 ? paint.Ascent : metrics_.tmAscent;
    DrawStrokes(painter, x, y, 1, 0, width, height, ascent, paint);
}

void GlyphFont::DrawLetter(Painter& painter, char32_t c, double x, double baseline, double squeeze,
                           uint32_t pixel) const {
    std::lock_guard guard(FreeTypeLock());
    FT_Matrix matrix = Transform(1, 0, squeeze, slant_);
    DrawGlyph(painter, c, x, baseline, &matrix, pixel);
    FT_Set_Transform(face_, nullptr, nullptr);
}

} // namespace gfx
