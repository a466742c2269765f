// TControlCanvas: the canvas a control paints on. While the control tree is
// painted it forwards every drawing operation to the canvas being painted
// (a recording canvas in tests, a bitmap for pictures), moved to the
// control's place and clipped to its bounds, with the tools in effect; at any
// other time it draws nothing. It always measures text on the fixed grid,
// whatever it paints on: a control may measure its text (auto-sizing, hit
// tests) whenever it likes, layout settles the same way in tests, scripts and
// pictures, and a picture drawn with real glyphs changes no control's size.
#pragma once

#include "platform/gfx/Canvas.h"

#include <optional>

class TControl;

class TControlCanvas : public TCanvas {
public:
    // The canvas of `control`.
    explicit TControlCanvas(TControl& control) : control_(control) {}

    // Sends drawing to `target`, the client area's top-left at `origin` of
    // the target, never beyond `limit` (target coordinates).
    void Attach(TCanvas& target, POINT origin, const RECT& limit);
    // Stops forwarding and gives the target its clip rectangle back.
    void Detach();
    // True while forwarding.
    bool Attached() const { return target_ != nullptr; }
    // A line of words on the target (its glyphs are placed there).
    void BeginTextLine(UINT alignment) override;
    void EndTextLine() override;

protected:
    RECT CanvasBounds() const override;
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
    TColor DoGetPixel(int x, int y) override;
    void DoSetPixel(int x, int y, TColor color) override;
    void ClipChanged() override;

private:
    // Gives the target this canvas's pen and brush.
    void SyncTools();
    RECT Moved(const RECT& r) const;
    std::vector<POINT> Moved(const std::vector<POINT>& points) const;

    TControl& control_;
    TCanvas* target_ = nullptr;
    POINT origin_;
    RECT limit_;
    std::optional<RECT> savedClip_;
    // The lines begun on the target and not yet ended.
    int textLines_ = 0;
};
