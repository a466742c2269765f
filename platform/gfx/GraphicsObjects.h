// The drawing tools of a canvas, as the class library has them: the font text
// is written in, the pen lines are drawn with and the brush areas are filled
// with. Each tells its OnChange handler when one of its properties changes,
// which is how a canvas learns that its tools changed.
#pragma once

#include "platform/gfx/Colors.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Set.h"

#include <string>

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle, uint8_t>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// How a pen's colour combines with what is there (the binary raster operations).
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

// Base of the drawing tools: change notification. A copy (a snapshot of a
// canvas's font, say) has the properties but not the handler; assigning one
// tool to another goes through Assign, which notifies.
class TGraphicsObject : public TPersistent {
public:
    TGraphicsObject() = default;
    TGraphicsObject(const TGraphicsObject&) : TPersistent() {}
    TGraphicsObject& operator=(const TGraphicsObject&) = delete;

    // Called with the object as Sender after any property changed.
    TNotifyEvent OnChange;

protected:
    // Fires OnChange.
    void Changed();
};

// A font: face name, size, colour, style, and the angle text is written at.
class TFont : public TGraphicsObject {
public:
    // The machine's default font: "Tahoma", 8 points at the screen's
    // resolution, clWindowText, no style.
    TFont();
    // Copies a TFont's properties (one change notification); anything else
    // goes to TPersistent.
    void Assign(TPersistent* source) override;

    // The face name.
    const std::string& Name() const { return name_; }
    void SetName(const std::string& value);
    // The size in points: -Height * 72 / PixelsPerInch, rounded.
    int Size() const;
    // Sets the size in points (Height becomes -Size * PixelsPerInch / 72, rounded).
    void SetSize(int value);
    // The height in pixels: negative for the character height, positive for
    // the cell height (the same here, the machine's fonts having no leading).
    int Height() const { return height_; }
    void SetHeight(int value);
    // The text colour.
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // Bold, italic, underline, strike-out.
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value);
    // The character set (DEFAULT_CHARSET).
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset value);
    // The pitch (fpDefault).
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch value);
    // The angle of the text's baseline in tenths of a degree, counter-clockwise.
    int Orientation() const { return orientation_; }
    void SetOrientation(int value);
    // The resolution the size is taken at: the screen's when the font was
    // made. Setting it keeps Height (the size in points follows); a canvas
    // of another resolution scales the height by the ratio of the two.
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value);

    // True when every property is equal.
    bool SameAs(const TFont& other) const;

private:
    std::string name_ = "Tahoma";
    int height_;
    TColor color_ = clWindowText;
    TFontStyles style_;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
    int orientation_ = 0;
    int pixelsPerInch_;
};

// A pen: colour, width, dash style and mode.
class TPen : public TGraphicsObject {
public:
    // Black, 1 pixel, solid, pmCopy.
    TPen() = default;
    void Assign(TPersistent* source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // The width in pixels (at least 1).
    int Width() const { return width_; }
    void SetWidth(int value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode value);

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

// A brush: colour and style; bsClear fills nothing.
class TBrush : public TGraphicsObject {
public:
    // White, solid.
    TBrush() = default;
    void Assign(TPersistent* source) override;

    TColor Color() const { return color_; }
    // Sets the colour; a clear brush becomes solid, as in the class library.
    void SetColor(TColor value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value);

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};
