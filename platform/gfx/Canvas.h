// TCanvas: the one seam every drawing call of the controls and the label goes through. It
// holds the drawing tools (Font, Pen, Brush), the pen position, the copy mode,
// the clip rectangle and the background mode, and offers the class library's
// drawing operations: lines and shapes, text with its extent and DrawText's
// layout flags, pictures drawn or stretched, copies between canvases.
//
// A kind of canvas implements the protected Do* operations, which receive
// geometry in the canvas's coordinates and read the tools from the canvas:
//   TRecordingCanvas (RecordingCanvas.h) writes each one down, for exact
//     layout tests, and measures text on the fixed grid of FontMetrics.h;
//   TBitmap's canvas (Bitmap.h) draws into the bitmap's pixels, text in
//     the installed fonts' glyphs (GlyphFont.h); it measures on the same
//     fixed grid, so a form or label lays itself out alike on every canvas
//     and every machine and the glyphs only paint the settled layout, or,
//     when told to (TTextMetricsMode), on the fonts' own metrics for pictures of
//     free text. PngCodec.h writes its bitmap for a person to look at.
//
// Handle() gives a device context for the drawing layer's functions (Gdi.h):
// for a bitmap's canvas the bitmap is selected into it, for any other canvas
// what is drawn on it arrives in DoDrawBits. DrawText and the other text
// operations are laid out here, once, for every kind of canvas.
#pragma once

#include "platform/gfx/Dib.h"
#include "platform/gfx/FontMetrics.h"
#include "platform/gfx/GraphicsObjects.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

class TGraphic;

// DrawText's flags.
constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_TABSTOP = 0x00000080;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_EXTERNALLEADING = 0x00000200;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_INTERNAL = 0x00001000;
constexpr UINT DT_EDITCONTROL = 0x00002000;
constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_MODIFYSTRING = 0x00010000;
constexpr UINT DT_RTLREADING = 0x00020000;
constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;
constexpr UINT DT_PREFIXONLY = 0x00200000;

// The copy modes of Draw and CopyRect: the raster operations of Gdi.h.
using TCopyMode = int32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

namespace gfx::detail {
class CanvasSink;
}

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The drawing tools, owned by the canvas; the setters copy.
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* value) { font_->Assign(value); }
    TPen* Pen() const { return pen_.get(); }
    void SetPen(TPen* value) { pen_->Assign(value); }
    TBrush* Brush() const { return brush_.get(); }
    void SetBrush(TBrush* value) { brush_->Assign(value); }
    // The raster operation Draw (of an opaque image) and CopyRect use.
    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode value) { copyMode_ = value; }
    // The canvas's resolution: text is measured and drawn at its font's
    // size in points at this many pixels per inch (the screen's when the
    // canvas is made). Pictures and the renderer scale by it too.
    int PixelsPerInch() const { return pixelsPerInch_; }
    // Sets the resolution (kept between 24 and 960).
    void SetPixelsPerInch(int value);
    // Where the next LineTo starts.
    POINT PenPos() const { return penPos_; }
    void SetPenPos(POINT value) { penPos_ = value; }
    // The background mode of text: OPAQUE fills each text cell with the
    // brush colour, TRANSPARENT leaves it. A brush change sets it (clear:
    // TRANSPARENT, else OPAQUE); so does SetBkMode on Handle().
    int BkMode() const;
    void SetBkMode(int mode);

    // Moves the pen without drawing.
    void MoveTo(int x, int y);
    // Draws a line with the pen from PenPos to (x, y), that point left out,
    // and moves the pen there.
    void LineTo(int x, int y);
    // Lines through the points (the last point left out).
    void Polyline(const std::vector<POINT>& points);
    // A closed figure: filled with the brush, outlined with the pen.
    void Polygon(const std::vector<POINT>& points);
    // A rectangle (right and bottom edges outside): filled with the brush,
    // outlined with the pen.
    void Rectangle(int x1, int y1, int x2, int y2) { Rectangle(Rect(x1, y1, x2, y2)); }
    void Rectangle(const RECT& rect);
    // An ellipse inside the rectangle, filled and outlined.
    void Ellipse(int x1, int y1, int x2, int y2) { Ellipse(Rect(x1, y1, x2, y2)); }
    void Ellipse(const RECT& rect);
    // Fills a rectangle with the brush (nothing for a clear brush).
    void FillRect(const RECT& rect);
    // A one-pixel frame in the brush colour.
    void FrameRect(const RECT& rect);
    // The dotted frame of a focused item; drawing it again removes it.
    void DrawFocusRect(const RECT& rect);
    // The colour of one pixel (clNone where the canvas keeps no pixels).
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    // The size of one line of text in the current font.
    SIZE TextExtent(std::string_view text);
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }
    // The metrics of the current font.
    TEXTMETRIC TextMetrics();
    // Writes text with its top-left corner at (x, y) and moves the pen to its end.
    void TextOut(int x, int y, std::string_view text);
    // Writes text at (x, y) clipped to rect; unless the brush is clear the
    // rectangle is filled with it first.
    void TextRect(const RECT& rect, int x, int y, std::string_view text);
    // Lays text out in rect as the flags say (DT_*: alignment, word breaks,
    // tabs, "&" prefixes, ellipses, clipping, measuring with DT_CALCRECT) and
    // draws it. Returns the height of the text (from rect's top to the
    // text's bottom for DT_VCENTER and DT_BOTTOM); with DT_CALCRECT rect
    // receives the text's extent and nothing is drawn.
    int DrawText(std::string_view text, RECT& rect, UINT format);
    // The text written until the matching EndTextLine is one line of words
    // aligned as `alignment` says (DT_LEFT, DT_CENTER or DT_RIGHT): a canvas
    // that draws real glyphs into the fixed grid places the line's words
    // together. Calls nest; the outermost one counts. Nothing else changes.
    virtual void BeginTextLine(UINT alignment);
    virtual void EndTextLine();

    // Draws a graphic at its own size with its top-left corner at (x, y).
    void Draw(int x, int y, TGraphic* graphic);
    // Draws a graphic stretched into rect.
    void StretchDraw(const RECT& rect, TGraphic* graphic);
    // Draws pixels stretched into dest with a raster operation, or blended by
    // their alpha when rop is gfx::detail::BlendBits (how image lists draw).
    void DrawBits(const RECT& dest, const gfx::Dib& bits, DWORD rop);
    // Copies a rectangle of another canvas into dest (stretched) with CopyMode.
    void CopyRect(const RECT& dest, TCanvas* source, const RECT& sourceRect);

    // The rectangle drawing is limited to: the clip rectangle, or the whole
    // canvas when there is none.
    RECT ClipRect() const;
    // True when a clip rectangle is set.
    bool HasClip() const { return clip_.has_value(); }
    // Narrows the clip rectangle to its intersection with rect.
    void IntersectClipRect(const RECT& rect);
    // Sets the clip rectangle, or removes it (nullptr).
    void SelectClipRect(const RECT* rect);

    // Takes the canvas for the calling thread (recursively); others wait.
    void Lock();
    // Takes it only when nobody else holds it.
    bool TryLock();
    // Gives it back.
    void Unlock();
    // How many times the canvas is held now.
    int LockCount() const { return lockCount_; }

    // The device context behind the canvas, made on first use and kept; its
    // text and background colours and modes follow the tools.
    HDC Handle();
    // True once Handle was made.
    bool HandleAllocated() const { return handle_ != nullptr; }

    // Called before and after every drawing operation.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    // The canvas's extent (ClipRect without a clip rectangle).
    virtual RECT CanvasBounds() const = 0;
    // Text measures in a font (the fixed grid unless a canvas knows better).
    virtual SIZE MeasureText(std::string_view text, const TFont& font);
    virtual TEXTMETRIC MeasureFont(const TFont& font);

    // Lines through points with the pen (the last point left out).
    virtual void DoPolyline(const std::vector<POINT>& points) = 0;
    // A filled and outlined polygon, rectangle or ellipse.
    virtual void DoPolygon(const std::vector<POINT>& points) = 0;
    virtual void DoRectangle(const RECT& rect) = 0;
    virtual void DoEllipse(const RECT& rect) = 0;
    // A rectangle filled with the brush; a frame in the brush colour.
    virtual void DoFillRect(const RECT& rect) = 0;
    virtual void DoFrameRect(const RECT& rect) = 0;
    virtual void DoFocusRect(const RECT& rect) = 0;
    // One run of text with its top-left corner at (x, y) in `font`, clipped
    // to clip when given, on a cell filled with the brush colour when opaque.
    virtual void DoText(int x, int y, std::string_view text, const TFont& font, const RECT* clip,
                        bool opaque) = 0;
    // A graphic drawn into dest; the default lets the graphic draw itself
    // (which ends in DoDrawBits).
    virtual void DoDrawGraphic(const RECT& dest, TGraphic& graphic, bool stretch);
    // Pixels stretched into dest with a raster operation, or blended by
    // their alpha when rop is gfx::detail::BlendBits.
    virtual void DoDrawBits(const RECT& dest, const gfx::Dib& bits, DWORD rop) = 0;
    // One pixel; the defaults keep none.
    virtual TColor DoGetPixel(int x, int y);
    virtual void DoSetPixel(int x, int y, TColor color);
    // Makes the device context (default: one that passes drawing to DoDrawBits).
    virtual HDC CreateHandle();
    // Frees the device context (the next Handle() makes a new one).
    void FreeHandle();
    // Called when the clip rectangle changed.
    virtual void ClipChanged() {}

    // Fire OnChanging and OnChange around drawing.
    virtual void Changing();
    virtual void Changed();

private:
    friend class gfx::detail::CanvasSink;
    friend class TGraphic;
    void ToolChanged(TObject* sender);
    void SyncHandle();

    std::unique_ptr<TFont> font_;
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    TCopyMode copyMode_ = cmSrcCopy;
    POINT penPos_;
    int bkMode_ = 2; // OPAQUE
    int pixelsPerInch_;
    std::optional<RECT> clip_;
    HDC handle_ = nullptr;
    std::unique_ptr<gfx::detail::CanvasSink> sink_;
    std::recursive_mutex lock_;
    std::atomic<int> lockCount_{0};
};

// The intersection of two rectangles ((0, 0, 0, 0) when they do not meet).
RECT IntersectRect(const RECT& a, const RECT& b);

// One line of words on a canvas for as long as it lives (TCanvas::BeginTextLine).
class TTextLine {
public:
    TTextLine(TCanvas& canvas, UINT alignment) : canvas_(canvas) {
        canvas_.BeginTextLine(alignment);
    }
    ~TTextLine() { canvas_.EndTextLine(); }
    TTextLine(const TTextLine&) = delete;
    TTextLine& operator=(const TTextLine&) = delete;

private:
    TCanvas& canvas_;
};

// True when the rectangle has no area.
inline bool IsRectEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}
// True when the point lies in the rectangle.
inline bool PtInRect(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
