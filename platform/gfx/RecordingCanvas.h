// TRecordingCanvas: a canvas that draws nothing and writes down every
// drawing operation with the tools in effect, for exact layout tests. Text is
// measured on the fixed grid of FontMetrics.h (every character (h + 1) / 2
// pixels wide, every line h pixels high, h = |Font.Height|: 8 points give 6 x
// 11), so a test can compute every position by hand.
//
// Each record also reads as one line of text (Lines(), Text()) for golden
// files. The forms, one per kind, with the tools after the geometry:
//   Polyline (0,0) (10,0) pen=clBlack/1/psSolid
//   Polygon (0,0) (10,0) (5,8) pen=clBlack/1/psSolid brush=clWhite/bsSolid
//   Rectangle (0,0)-(10,10) pen=clBlack/1/psSolid brush=clWhite/bsSolid
//   Ellipse (0,0)-(10,10) pen=clBlack/1/psSolid brush=clWhite/bsSolid
//   FillRect (0,0)-(10,10) brush=clBtnFace/bsSolid
//   FrameRect (0,0)-(10,10) brush=clBlack/bsSolid
//   FocusRect (0,0)-(10,10)
//   Text (2,3) "Hello" font="Tahoma"/8/clWindowText[/bold,italic,underline,strikeout][/angle=900]
//        [opaque=clWhite] [clip=(0,0)-(100,20)]
//   Draw TBitmap 16x16 (4,4)-(20,20) [stretch] [transparent]
//   Bits 16x16 (4,4)-(20,20) rop=$00CC0020 (or rop=blend)
//   Pixel (3,4) clRed
//   Clip (0,0)-(50,50)   or   Clip none
// A pen mode other than pmCopy is added to the pen as "/pmXor" and so on.
// Colours read as the class library names them, else as $ and 8 hex digits.
#pragma once

#include "platform/gfx/Canvas.h"

#include <string>
#include <vector>

// One operation written down by a TRecordingCanvas.
struct CanvasRecord {
    enum class Kind {
        Polyline,
        Polygon,
        Rectangle,
        Ellipse,
        FillRect,
        FrameRect,
        FocusRect,
        Text,
        Draw,
        Bits,
        Pixel,
        Clip
    };

    Kind Type = Kind::Polyline;
    // Polyline and Polygon: the points. Text and Pixel: the point.
    std::vector<POINT> Points;
    // Shapes, fills, Draw and Bits: the rectangle. Text: the clip rectangle
    // (when Clipped). Clip: the new clip rectangle (when Clipped).
    RECT Rect;
    bool Clipped = false;
    // Text: the run. Draw: the graphic's class name.
    std::string Text;
    // Draw and Bits: the image's own size.
    SIZE ImageSize;
    bool Stretch = false;
    bool Transparent = false;
    // Bits: the raster operation (gfx::detail::BlendBits for a blend).
    DWORD Rop = 0;
    // Pixel: the colour. Text: the fill colour when Opaque.
    TColor Color = clNone;
    bool Opaque = false;
    // The tools in effect.
    TColor PenColor = clBlack;
    int PenWidth = 1;
    TPenStyle PenStyle = psSolid;
    TPenMode PenMode = pmCopy;
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = bsSolid;
    std::string FontName;
    int FontSize = 0;
    TColor FontColor = clNone;
    TFontStyles FontStyle;
    int FontOrientation = 0;

    // The record as one line (the forms at the top of the file).
    std::string ToString() const;
};

class TRecordingCanvas : public TCanvas {
public:
    // A canvas of that extent (what ClipRect gives without a clip rectangle).
    explicit TRecordingCanvas(int width = 640, int height = 480);

    // Everything recorded so far, in order.
    const std::vector<CanvasRecord>& Records() const { return records_; }
    // The records as lines.
    std::vector<std::string> Lines() const;
    // The lines joined, each ended by "\n".
    std::string Text() const;
    // The text runs in order ("Text" records only), for quick checks.
    std::vector<std::string> TextRuns() const;
    // Forgets what was recorded.
    void Clear() { records_.clear(); }
    // Changes the extent.
    void SetSize(int width, int height);

protected:
    RECT CanvasBounds() const override { return Rect(0, 0, width_, height_); }
    void DoPolyline(const std::vector<POINT>& points) override;
    void DoPolygon(const std::vector<POINT>& points) override;
    void DoRectangle(const RECT& rect) override;
    void DoEllipse(const RECT& rect) override;
    void DoFillRect(const RECT& rect) override;
    void DoFrameRect(const RECT& rect) override;
    void DoFocusRect(const RECT& rect) override;
    void DoText(int x, int y, std::string_view text, const TFont& font, const RECT* clip,
                bool opaque) override;
    void DoDrawGraphic(const RECT& dest, TGraphic& graphic, bool stretch) override;
    void DoDrawBits(const RECT& dest, const gfx::Dib& bits, DWORD rop) override;
    void DoSetPixel(int x, int y, TColor color) override;
    void ClipChanged() override;

private:
    CanvasRecord& Add(CanvasRecord::Kind kind);

    int width_;
    int height_;
    std::vector<CanvasRecord> records_;
};
