// TBitmap: the class library's bitmap. Its image is a bitmap of the drawing
// layer (a device-independent section, Handle) of the chosen PixelFormat;
// pfDevice, the format of a new bitmap, is the screen's 32 bits. It has a
// canvas that draws into its pixels (and whose Handle has the bitmap
// selected, so block transfers reach it), rows reachable through ScanLine,
// a transparent colour (the bottom-left pixel unless fixed) with the
// monochrome mask made from it, BMP loading and saving, and the "Data" of a
// stored form (a 4-byte little-endian size followed by the BMP file).
//
// Setting a size keeps the image's top-left part and paints what is new
// white; changing the pixel format converts the pixels.
#pragma once

#include "platform/gfx/Canvas.h"
#include "platform/gfx/GlyphLine.h"
#include "platform/gfx/Graphic.h"

#include <memory>

enum TPixelFormat {
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom
};
enum TTransparentMode { tmAuto, tmFixed };
enum TBitmapHandleType { bmDIB, bmDDB };

class TBitmap;

// How a bitmap canvas measures text. Either way it draws real glyphs of the
// installed fonts (GlyphFont.h), or blocks where no font is installed.
enum TTextMetricsMode {
    // On the fixed grid of FontMetrics.h, as every canvas measures: forms
    // and labels lay themselves out the same on any machine, and their
    // golden transcripts never depend on the installed fonts. Each run is
    // drawn on the grid's baseline with the grid's height as its em, the
    // words of a line at their letters' advances and evenly apart
    // (GlyphLine.h).
    tmmFixedGrid,
    // With the fonts' own metrics, whole-pixel advances, so what is
    // measured is what is drawn: for pictures of free text, where the
    // layout need not be the same on every machine.
    tmmFontMetrics
};

// The canvas of a bitmap: draws into the bitmap's pixels, text in real
// glyphs measured as TextMetricsMode says; tells the bitmap of every change.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}

    // How text is measured (tmmFixedGrid unless set).
    TTextMetricsMode TextMetricsMode() const { return textMetricsMode_; }
    void SetTextMetricsMode(TTextMetricsMode value) { textMetricsMode_ = value; }
    // Gathers the runs of a line laid out on the fixed grid and draws them
    // together when the line ends (GlyphLine.h).
    void BeginTextLine(UINT alignment) override;
    void EndTextLine() override;

protected:
    RECT CanvasBounds() const override;
    SIZE MeasureText(std::string_view text, const TFont& font) override;
    TEXTMETRIC MeasureFont(const TFont& font) override;
    void DoPolyline(const std::vector<POINT>& points) override;
    void DoPolygon(const std::vector<POINT>& points) override;
    void DoRectangle(const RECT& rect) override;
    void DoEllipse(const RECT& rect) override;
    void DoFillRect(const RECT& rect) override;
    void DoFrameRect(const RECT& rect) override;
    void DoFocusRect(const RECT& rect) override;
    void DoText(int x, int y, std::string_view text, const TFont& font, const RECT* clip,
                bool opaque) override;
    void DoDrawBits(const RECT& dest, const gfx::Dib& bits, DWORD rop) override;
    TColor DoGetPixel(int x, int y) override;
    void DoSetPixel(int x, int y, TColor color) override;
    HDC CreateHandle() override;
    void Changed() override;

private:
    friend class TBitmap;
    // Runs draw(painter) on the bitmap's pixels inside the clip rectangle
    // (narrowed to `limit` when given); nothing when the bitmap is empty.
    template <class F> void Paint(F draw, const RECT* limit = nullptr);
    // Runs draw(painter) inside clip, whatever the clip rectangle is now.
    template <class F> void PaintIn(const RECT& clip, F draw);
    // Draws the runs gathered so far.
    void DrawGatheredText();
    // Adds a run laid out on the grid to the line gathered, drawing that
    // line first where the run does not go on from it.
    void GatherRun(int x, int y, std::string_view text, std::shared_ptr<gfx::GlyphFont> glyphs,
                   const gfx::GlyphPaint& paint, const RECT* clip);
    // Lets go of the device context before the bitmap's handle changes.
    void Release() { FreeHandle(); }

    TBitmap& bitmap_;
    TTextMetricsMode textMetricsMode_ = tmmFixedGrid;
    // The lines begun and not yet ended, the alignment of the outermost,
    // and the runs gathered along one baseline.
    int textLines_ = 0;
    UINT lineAlignment_ = 0;
    std::unique_ptr<gfx::GlyphLine> gathered_;
};

class TBitmap : public TGraphic {
public:
    // An empty bitmap of format pfDevice.
    TBitmap();
    // A bitmap of that size, painted white.
    TBitmap(int width, int height);
    ~TBitmap() override;

    // Copies another bitmap's image, format and transparency settings;
    // nullptr empties the bitmap. Other sources go to TPersistent.
    void Assign(TPersistent* source) override;

    bool Empty() const override { return handle_ == nullptr; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int value) override { SetSize(value, height_); }
    void SetHeight(int value) override { SetSize(width_, value); }
    // Resizes; 0 in either size empties the image (the format is kept).
    void SetSize(int width, int height) override;

    // The format of the pixels (pfCustom for 16-bit masks other than 5-5-5
    // and 5-6-5).
    TPixelFormat PixelFormat() const;
    // Converts the pixels to a format; pfCustom raises EInvalidGraphic "Invalid pixel format".
    void SetPixelFormat(TPixelFormat value);
    // bmDDB for pfDevice, bmDIB otherwise.
    TBitmapHandleType HandleType() const { return format_ == pfDevice ? bmDDB : bmDIB; }
    // True for a 1-bit bitmap; setting it converts to pf1bit or back to pfDevice.
    bool Monochrome() const { return PixelFormat() == pf1bit; }
    void SetMonochrome(bool value);

    // The pixels of row `row` counted from the top; EInvalidGraphicOperation
    // "Scan line index out of range" outside the image.
    void* ScanLine(int row);
    // The canvas that draws on the bitmap, made on first use.
    TCanvas* Canvas();

    // The bitmap handle (0 when empty); owned by the TBitmap.
    HBITMAP Handle() const { return handle_; }
    // Takes over a bitmap handle (the old image is freed); the format follows it.
    void SetHandle(HBITMAP value);
    // Hands the handle to the caller, who must free it; the bitmap is empty after.
    HBITMAP ReleaseHandle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // A monochrome bitmap, 1 where a pixel has the transparent colour, 0
    // elsewhere; made on first use and kept, owned by the TBitmap, until the
    // image changes. 0 when the bitmap is empty.
    HBITMAP MaskHandle();
    // This machine has no palettes.
    HPALETTE Palette() const { return nullptr; }

    // The transparent colour as 0x00BBGGRR: the fixed one (system colours
    // resolved), else the colour of the bottom-left pixel; clNone when empty.
    TColor TransparentColor() const;
    // Fixes the transparent colour (clDefault returns to the bottom-left pixel).
    void SetTransparentColor(TColor value);
    // tmAuto takes the bottom-left pixel, tmFixed the colour set.
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode value);

    // Reads a BMP file from the stream's position on (at most
    // gfx::MaxBmpFileBytes); EInvalidGraphic when it is not a valid one.
    void LoadFromStream(TStream& stream) override;
    // Writes a BMP file (nothing for an empty bitmap).
    void SaveToStream(TStream& stream) override;
    // The stored form's data: a 4-byte little-endian size, then that many
    // bytes of BMP file (size 0 for an empty bitmap).
    void ReadData(TStream& stream) override;
    void WriteData(TStream& stream) override;

protected:
    // Draws the image stretched into rect: by CopyMode, or, when
    // Transparent, leaving out the pixels of the transparent colour.
    void Draw(TCanvas& canvas, const RECT& rect) override;
    // Drops the mask and notifies.
    void Changed() override;

private:
    friend class TBitmapCanvas;
    // Replaces the image by pixels (nullptr: empty), without notification.
    void Install(std::unique_ptr<gfx::Dib> pixels);
    void FreeImage();
    void FreeMask();
    // A new buffer of the format's depth for the current size.
    std::unique_ptr<gfx::Dib> NewPixels(int width, int height, TPixelFormat format) const;
    void LoadBytes(const std::vector<uint8_t>& bytes);

    HBITMAP handle_ = nullptr;
    HBITMAP mask_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = pfDevice;
    TColor transparentColor_ = clDefault;
    TTransparentMode transparentMode_ = tmAuto;
    std::unique_ptr<TBitmapCanvas> canvas_;
};
