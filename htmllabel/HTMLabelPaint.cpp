// THTMLabel's painting: the bevels and border, the inner rectangle the text
// goes into, vertical alignment, the drawing call of the renderer and
// auto-sizing, which measures the text in an endless area and sizes the
// label to it (6 pixels more each way) once the paint is done.
#include "htmllabel/HTMLabel.h"

#include "platform/controls/Paint3D.h"
#include "platform/gfx/Graphic.h"

namespace {

// How far the auto-sized rectangle reaches: far enough for any text.
constexpr int kEndless = 65535;
// What auto-sizing adds to the text's extent.
constexpr int kAutoSizeMargin = 6;

// A bevel's frame: light above and left, dark below and right; swapped when
// it is lowered.
void Bevel(TCanvas& canvas, RECT& rect, TBevelCut cut, int width) {
    if (cut == bvNone)
        return;
    TColor light = clBtnHighlight;
    TColor dark = clBtnShadow;
    if (cut == bvLowered)
        std::swap(light, dark);
    controls::Frame3D(canvas, rect, light, dark, width);
}

} // namespace

RECT THTMLabel::InnerRect() const {
    RECT r = ClientRect();
    if (bevelOuter_ != bvNone || bevelInner_ != bvNone)
        r = Rect(r.left + bevelWidth_, r.top + bevelWidth_, r.right - bevelWidth_,
                 r.bottom - bevelWidth_);
    if (borderStyle_ == bsSingle)
        r = Rect(r.left + borderWidth_, r.top + borderWidth_, r.right - borderWidth_,
                 r.bottom - borderWidth_);
    return r;
}

void THTMLabel::PaintFrames(TCanvas& canvas) {
    RECT r = ClientRect();
    Bevel(canvas, r, bevelOuter_, bevelWidth_);
    if (borderWidth_ > 0)
        controls::Frame3D(canvas, r, Color(), Color(), borderWidth_);
    Bevel(canvas, r, bevelInner_, bevelWidth_);
    if (borderStyle_ == bsSingle && borderWidth_ != 0) {
        // The single border is drawn in the system's frame colour, as the
        // borders of edits and lists are.
        canvas.Pen()->SetWidth(borderWidth_);
        canvas.Pen()->SetColor(clWindowFrame);
        canvas.Brush()->SetStyle(bsClear);
        canvas.Rectangle(ClientRect());
        canvas.Pen()->SetWidth(1);
    }
}

THTMLDrawParams THTMLabel::BaseParams() const {
    THTMLDrawParams p;
    p.Images = images_;
    p.URLColor = urlColor_;
    p.HoverColor = hoverColor_;
    p.HoverFontColor = hoverFontColor_;
    p.ShadowColor = shadowColor_;
    p.ShadowOffset = shadowOffset_;
    p.Hover = hover_;
    return p;
}

bool THTMLabel::HTMLPaint(TCanvas& canvas, const RECT& rect, THTMLDrawParams params,
                          THTMLDrawResult& result) {
    params.WordWrap = !ellipsis_;
    params.PictureCache = cache_.get();
    params.PictureContainer = pictureContainer_;
    bool onAnchor = HTMLDrawEx(canvas, GetDisplText(), rect, params, result);
    textWidth_ = result.XSize;
    return onAnchor;
}

void THTMLabel::AlignVertically(TCanvas& canvas, RECT& rect) {
    if (vAlignment_ == tvaTop)
        return;
    THTMLDrawParams p = BaseParams();
    p.CheckOnly = true;
    THTMLDrawResult measured;
    HTMLPaint(canvas, rect, p, measured);
    // The text's height is compared with the rectangle it goes into, not
    // the whole label, so that centred or bottom text never starts above
    // the bevels and border.
    int room = rect.bottom - rect.top;
    if (measured.YSize >= room)
        return;
    if (vAlignment_ == tvaCenter)
        rect.top += (room - measured.YSize) / 2;
    else
        rect.top = rect.bottom - measured.YSize;
}

void THTMLabel::ApplyAutoSize(const THTMLDrawResult& result) {
    if (GrowsDown() && Height() != result.YSize + kAutoSizeMargin)
        SetHeight(result.YSize + kAutoSizeMargin);
    if (GrowsRight() && Width() != result.XSize + kAutoSizeMargin)
        SetWidth(result.XSize + kAutoSizeMargin);
}

bool THTMLabel::GrowsRight() const {
    TAlign a = Align();
    return autoSizing_ && (a == alNone || a == alLeft || a == alRight) &&
           (autoSizeType_ == asHorizontal || autoSizeType_ == asBoth);
}

bool THTMLabel::GrowsDown() const {
    TAlign a = Align();
    return autoSizing_ && (a == alNone || a == alTop || a == alBottom) &&
           (autoSizeType_ == asVertical || autoSizeType_ == asBoth);
}

RECT THTMLabel::TextRect(TCanvas& canvas, bool painting) {
    RECT r = InnerRect();
    canvas.Font()->Assign(Font());
    if (painting && GrowsRight())
        r.right += kEndless;
    // A label that grows down to its text is as high as the text: there is
    // nothing to align, and the anchor test must find the text where the
    // paint put it.
    if (GrowsDown()) {
        if (painting)
            r.bottom += kEndless;
    } else {
        AlignVertically(canvas, r);
    }
    return r;
}

void THTMLabel::Paint() {
    TCanvas& canvas = *Canvas();
    // The inherited Transparent keeps its meaning: an opaque label fills
    // its background before the frames and text.
    if (!Transparent()) {
        canvas.Brush()->SetColor(Color());
        canvas.Brush()->SetStyle(bsSolid);
        canvas.FillRect(ClientRect());
    }
    PaintFrames(canvas);
    RECT r = TextRect(canvas, true);
    POINT cursor;
    GetCursorPos(&cursor);
    POINT hit = ScreenToClient(cursor);
    THTMLDrawParams p = BaseParams();
    p.X = hit.x;
    p.Y = hit.y;
    p.HoverLink = hoverLink_;
    p.FocusLink = -1;
    THTMLDrawResult result;
    canvas.Brush()->SetStyle(bsClear);
    HTMLPaint(canvas, r, p, result);
    if (autoSizing_)
        ApplyAutoSize(result);
}
