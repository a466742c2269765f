// The canvas: tools, state, locking, the device context, and the drawing
// operations that pass straight to a kind of canvas. DrawText's layout is in
// DrawText.cpp.
#include "platform/gfx/Canvas.h"

#include "platform/gfx/Gdi.h"
#include "platform/gfx/GdiTable.h"
#include "platform/gfx/Graphic.h"

#include <algorithm>

namespace gfx::detail {

// The device context of a canvas that keeps no bitmap: what is drawn on it
// through the drawing layer arrives in the canvas's DoDrawBits.
class CanvasSink : public DcSink {
public:
    explicit CanvasSink(TCanvas& canvas) : canvas_(canvas) {}
    void DrawBits(const RECT& dest, const Dib& bits, DWORD rop) override {
        canvas_.Changing();
        canvas_.DoDrawBits(dest, bits, rop);
        canvas_.Changed();
    }

private:
    TCanvas& canvas_;
};

} // namespace gfx::detail

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), pen_(std::make_unique<TPen>()),
      brush_(std::make_unique<TBrush>()), pixelsPerInch_(GetScreenPixelsPerInch()) {
    auto changed = [this](TObject* sender) { ToolChanged(sender); };
    font_->OnChange = changed;
    pen_->OnChange = changed;
    brush_->OnChange = changed;
}

TCanvas::~TCanvas() {
    FreeHandle();
}

void TCanvas::SetPixelsPerInch(int value) {
    pixelsPerInch_ = std::clamp(value, 24, 960);
}

int TCanvas::BkMode() const {
    return handle_ ? ::GetBkMode(handle_) : bkMode_;
}

void TCanvas::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE)
        return;
    bkMode_ = mode;
    if (handle_)
        ::SetBkMode(handle_, mode);
}

void TCanvas::ToolChanged(TObject* sender) {
    // As in the class library, the brush decides whether text cells are filled.
    if (sender == brush_.get())
        SetBkMode(brush_->Style() == bsClear ? TRANSPARENT : OPAQUE);
    if (handle_)
        SyncHandle();
}

void TCanvas::SyncHandle() {
    ::SetTextColor(handle_, ColorToRGB(font_->Color()));
    ::SetBkColor(handle_, ColorToRGB(brush_->Color()));
    ::SetDCBrushColor(handle_, ColorToRGB(brush_->Color()));
    ::SetBkMode(handle_, bkMode_);
}

HDC TCanvas::Handle() {
    if (!handle_) {
        handle_ = CreateHandle();
        if (handle_)
            SyncHandle();
    }
    return handle_;
}

HDC TCanvas::CreateHandle() {
    if (!sink_)
        sink_ = std::make_unique<gfx::detail::CanvasSink>(*this);
    return gfx::detail::CreateSinkDc(sink_.get());
}

void TCanvas::FreeHandle() {
    if (!handle_)
        return;
    bkMode_ = ::GetBkMode(handle_);
    ::DeleteDC(handle_);
    handle_ = nullptr;
}

void TCanvas::Changing() {
    if (OnChanging)
        OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange)
        OnChange(this);
}

void TCanvas::MoveTo(int x, int y) {
    penPos_ = POINT{x, y};
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    DoPolyline({penPos_, POINT{x, y}});
    penPos_ = POINT{x, y};
    Changed();
}

void TCanvas::Polyline(const std::vector<POINT>& points) {
    if (points.size() < 2)
        return;
    Changing();
    DoPolyline(points);
    Changed();
}

void TCanvas::Polygon(const std::vector<POINT>& points) {
    if (points.size() < 2)
        return;
    Changing();
    DoPolygon(points);
    Changed();
}

void TCanvas::Rectangle(const RECT& rect) {
    Changing();
    DoRectangle(rect);
    Changed();
}

void TCanvas::Ellipse(const RECT& rect) {
    Changing();
    DoEllipse(rect);
    Changed();
}

void TCanvas::FillRect(const RECT& rect) {
    Changing();
    DoFillRect(rect);
    Changed();
}

void TCanvas::FrameRect(const RECT& rect) {
    Changing();
    DoFrameRect(rect);
    Changed();
}

void TCanvas::DrawFocusRect(const RECT& rect) {
    Changing();
    DoFocusRect(rect);
    Changed();
}

TColor TCanvas::Pixels(int x, int y) {
    return DoGetPixel(x, y);
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    Changing();
    DoSetPixel(x, y, color);
    Changed();
}

TColor TCanvas::DoGetPixel(int, int) {
    return clNone;
}

void TCanvas::DoSetPixel(int, int, TColor) {}

SIZE TCanvas::MeasureText(std::string_view text, const TFont& font) {
    return gfx::FixedTextExtent(text, font, pixelsPerInch_);
}

TEXTMETRIC TCanvas::MeasureFont(const TFont& font) {
    return gfx::FixedTextMetrics(font, pixelsPerInch_);
}

SIZE TCanvas::TextExtent(std::string_view text) {
    return MeasureText(text, *font_);
}

TEXTMETRIC TCanvas::TextMetrics() {
    return MeasureFont(*font_);
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    Changing();
    DoText(x, y, text, *font_, nullptr, BkMode() == OPAQUE);
    penPos_ = POINT{x + MeasureText(text, *font_).cx, y};
    Changed();
}

void TCanvas::TextRect(const RECT& rect, int x, int y, std::string_view text) {
    Changing();
    if (brush_->Style() != bsClear)
        DoFillRect(rect);
    DoText(x, y, text, *font_, &rect, false);
    Changed();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty())
        return;
    Changing();
    DoDrawGraphic(Bounds(x, y, graphic->Width(), graphic->Height()), *graphic, false);
    Changed();
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic* graphic) {
    if (!graphic || graphic->Empty())
        return;
    Changing();
    DoDrawGraphic(rect, *graphic, true);
    Changed();
}

void TCanvas::DoDrawGraphic(const RECT& dest, TGraphic& graphic, bool) {
    graphic.Draw(*this, dest);
}

void TCanvas::DrawBits(const RECT& dest, const gfx::Dib& bits, DWORD rop) {
    Changing();
    DoDrawBits(dest, bits, rop);
    Changed();
}

void TCanvas::CopyRect(const RECT& dest, TCanvas* source, const RECT& sourceRect) {
    if (!source)
        return;
    Changing();
    ::StretchBlt(Handle(), dest.left, dest.top, dest.Width(), dest.Height(), source->Handle(),
                 sourceRect.left, sourceRect.top, sourceRect.Width(), sourceRect.Height(),
                 static_cast<DWORD>(copyMode_));
    Changed();
}

void TCanvas::BeginTextLine(UINT) {}

void TCanvas::EndTextLine() {}

RECT TCanvas::ClipRect() const {
    return clip_ ? *clip_ : CanvasBounds();
}

void TCanvas::IntersectClipRect(const RECT& rect) {
    clip_ = IntersectRect(ClipRect(), rect);
    ClipChanged();
}

void TCanvas::SelectClipRect(const RECT* rect) {
    if (rect)
        clip_ = *rect;
    else
        clip_.reset();
    ClipChanged();
}

void TCanvas::Lock() {
    lock_.lock();
    ++lockCount_;
}

bool TCanvas::TryLock() {
    if (!lock_.try_lock())
        return false;
    ++lockCount_;
    return true;
}

void TCanvas::Unlock() {
    --lockCount_;
    lock_.unlock();
}

RECT IntersectRect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (IsRectEmpty(r))
        return RECT{};
    return r;
}
