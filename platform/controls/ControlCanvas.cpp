// The canvas of a control: forwarding to the canvas being painted.
#include "platform/controls/ControlCanvas.h"

#include "platform/controls/Control.h"
#include "platform/gfx/Graphic.h"

void TControlCanvas::Attach(TCanvas& target, POINT origin, const RECT& limit) {
    for (; target_ && textLines_ > 0; --textLines_)
        target_->EndTextLine();
    textLines_ = 0;
    target_ = &target;
    origin_ = origin;
    limit_ = limit;
    savedClip_.reset();
    if (target.HasClip())
        savedClip_ = target.ClipRect();
    SelectClipRect(nullptr);
    ClipChanged();
}

void TControlCanvas::Detach() {
    if (!target_)
        return;
    for (; textLines_ > 0; --textLines_)
        target_->EndTextLine();
    TCanvas* target = target_;
    target_ = nullptr;
    if (savedClip_) {
        if (!target->HasClip() || !(target->ClipRect() == *savedClip_))
            target->SelectClipRect(&*savedClip_);
    } else if (target->HasClip()) {
        target->SelectClipRect(nullptr);
    }
}

void TControlCanvas::BeginTextLine(UINT alignment) {
    if (!target_)
        return;
    ++textLines_;
    target_->BeginTextLine(alignment);
}

void TControlCanvas::EndTextLine() {
    if (!target_ || textLines_ == 0)
        return;
    --textLines_;
    target_->EndTextLine();
}

RECT TControlCanvas::CanvasBounds() const {
    return Rect(0, 0, control_.Width(), control_.Height());
}

RECT TControlCanvas::Moved(const RECT& r) const {
    return Rect(r.left + origin_.x, r.top + origin_.y, r.right + origin_.x, r.bottom + origin_.y);
}

std::vector<POINT> TControlCanvas::Moved(const std::vector<POINT>& points) const {
    std::vector<POINT> moved = points;
    for (POINT& p : moved) {
        p.x += origin_.x;
        p.y += origin_.y;
    }
    return moved;
}

void TControlCanvas::SyncTools() {
    target_->SetPen(Pen());
    target_->SetBrush(Brush());
}

void TControlCanvas::DoPolyline(const std::vector<POINT>& points) {
    if (!target_)
        return;
    SyncTools();
    target_->Polyline(Moved(points));
}

void TControlCanvas::DoPolygon(const std::vector<POINT>& points) {
    if (!target_)
        return;
    SyncTools();
    target_->Polygon(Moved(points));
}

void TControlCanvas::DoRectangle(const RECT& rect) {
    if (!target_)
        return;
    SyncTools();
    target_->Rectangle(Moved(rect));
}

void TControlCanvas::DoEllipse(const RECT& rect) {
    if (!target_)
        return;
    SyncTools();
    target_->Ellipse(Moved(rect));
}

void TControlCanvas::DoFillRect(const RECT& rect) {
    if (!target_)
        return;
    SyncTools();
    target_->FillRect(Moved(rect));
}

void TControlCanvas::DoFrameRect(const RECT& rect) {
    if (!target_)
        return;
    SyncTools();
    target_->FrameRect(Moved(rect));
}

void TControlCanvas::DoFocusRect(const RECT& rect) {
    if (target_)
        target_->DrawFocusRect(Moved(rect));
}

void TControlCanvas::DoText(int x, int y, std::string_view text, const TFont& font,
                            const RECT* clip, bool opaque) {
    if (!target_)
        return;
    SyncTools();
    target_->SetFont(const_cast<TFont*>(&font));
    target_->SetBkMode(opaque ? 2 : 1);
    if (!clip) {
        target_->TextOut(x + origin_.x, y + origin_.y, text);
        return;
    }
    if (!opaque) {
        target_->Brush()->SetStyle(bsClear);
        target_->TextRect(Moved(*clip), x + origin_.x, y + origin_.y, text);
        return;
    }
    // An opaque clipped run: narrow the target's clip for it, then put it back.
    RECT saved = target_->ClipRect();
    target_->IntersectClipRect(Moved(*clip));
    target_->TextOut(x + origin_.x, y + origin_.y, text);
    target_->SelectClipRect(&saved);
}

void TControlCanvas::DoDrawGraphic(const RECT& dest, TGraphic& graphic, bool stretch) {
    if (!target_)
        return;
    if (stretch)
        target_->StretchDraw(Moved(dest), &graphic);
    else
        target_->Draw(dest.left + origin_.x, dest.top + origin_.y, &graphic);
}

void TControlCanvas::DoDrawBits(const RECT& dest, const gfx::Dib& bits, DWORD rop) {
    if (target_)
        target_->DrawBits(Moved(dest), bits, rop);
}

TColor TControlCanvas::DoGetPixel(int x, int y) {
    return target_ ? target_->Pixels(x + origin_.x, y + origin_.y) : clNone;
}

void TControlCanvas::DoSetPixel(int x, int y, TColor color) {
    if (target_)
        target_->SetPixels(x + origin_.x, y + origin_.y, color);
}

void TControlCanvas::ClipChanged() {
    if (!target_)
        return;
    RECT wanted = limit_;
    if (HasClip())
        wanted = IntersectRect(wanted, Moved(ClipRect()));
    // The same clip again would only add noise to a recording.
    if (target_->HasClip() && target_->ClipRect() == wanted)
        return;
    target_->SelectClipRect(&wanted);
}
