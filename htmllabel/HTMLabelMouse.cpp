// THTMLabel and the mouse: the anchor test (a measuring call of the renderer
// at the mouse point), the hand cursor and the enter and exit events while
// the mouse moves over anchors, the repaint of the hovered anchor, clicks
// that open web and mail links or go to OnAnchorClick, and hints that show
// an anchor's href or the whole text.
//
// Every event here may free the label (a click on "home" that closes its
// dialog): each is fired through the lifetime rule and nothing of the label
// is touched after a handler that freed it.
#include "htmllabel/HTMLabel.h"

#include "htmllabel/HTMLHelpers.h"
#include "platform/controls/UserInput.h"
#include "platform/win/DebugOutput.h"
#include "platform/win/Shell.h"

#include <cstdint>

namespace {

// How far from the pointer an anchor's hint appears: right and up.
constexpr int kAnchorHintShift = 10;

// True for an href the label opens itself rather than handing it on.
bool OpensItself(const std::string& href) {
    return href.find("://") != std::string::npos || href.find("mailto:") != std::string::npos;
}

} // namespace

bool THTMLabel::AnchorAt(int X, int Y, TAnchorHit& hit) {
    TCanvas& canvas = *Canvas();
    RECT r = TextRect(canvas, false);
    THTMLDrawParams p = BaseParams();
    p.CheckOnly = true;
    p.X = X;
    p.Y = Y;
    p.HoverLink = -1;
    p.Selected = false;
    p.URLColor = clNone;
    p.HoverColor = clNone;
    p.HoverFontColor = clNone;
    THTMLDrawResult result;
    if (!HTMLPaint(canvas, r, p, result)) {
        hoverLink_ = -1;
        return false;
    }
    hit.Href = result.AnchorVal;
    hit.Index = result.MouseLink;
    hit.Rect = result.HoverRect;
    return true;
}

void THTMLabel::InvalidateHover(const RECT& rect) {
    // The rectangle is the label's; its parent repaints that part of itself.
    if (!Parent())
        return;
    Parent()->InvalidateRect(
        Rect(rect.left + Left(), rect.top + Top(), rect.right + Left(), rect.bottom + Top()));
}

void THTMLabel::EnterAnchor(const TAnchorHit& hit) {
    if (hit.Href != anchor_ || hit.Rect != hoverRect_ || hoverLink_ == -1) {
        OutputDebugString(std::to_string(hit.Index).c_str());
        if (hover_ && hit.Rect.left != -1)
            InvalidateHover(hoverRect_);
    }
    if (Cursor() == crDefault || hit.Href != anchor_ || hit.Index != hoverLink_) {
        if (anchorHint_)
            controls::CancelHint();
        SetCursor(crHandPoint);
        if (!rtl::FireSurvives(liveness_, OnAnchorEnter, this, hit.Href))
            return;
        if (hover_) {
            if (hit.Rect.left == -1)
                Invalidate();
            else
                InvalidateHover(hoverRect_);
        }
    }
    anchor_ = hit.Href;
    hoverLink_ = hit.Index;
    hoverRect_ = hit.Rect;
    if (hover_)
        InvalidateHover(hoverRect_);
}

void THTMLabel::LeaveAnchors() {
    if (Cursor() != crHandPoint)
        return;
    SetCursor(crDefault);
    RECT old = hoverRect_;
    if (!rtl::FireSurvives(liveness_, OnAnchorExit, this, std::string()))
        return;
    if (!hover_)
        return;
    if (old.left == -1)
        Invalidate();
    else
        InvalidateHover(old);
}

void THTMLabel::MouseMove(TShiftState Shift, int X, int Y) {
    rtl::TLifeWatch alive = Watch();
    TAnchorHit hit;
    if (AnchorAt(X, Y, hit))
        EnterAnchor(hit);
    else
        LeaveAnchors();
    if (alive)
        TCustomLabel::MouseMove(Shift, X, Y);
}

void THTMLabel::OpenLink(const std::string& href) {
    HINSTANCE answer = ShellExecute(nullptr, "open", href.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    auto code = reinterpret_cast<std::intptr_t>(answer);
    if (code <= 32)
        OutputDebugString(
            ("The link " + href + " was not opened (error " + std::to_string(code) + ")").c_str());
}

void THTMLabel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    rtl::TLifeWatch alive = Watch();
    TCustomLabel::MouseDown(Button, Shift, X, Y);
    if (!alive)
        return;
    TAnchorHit hit;
    if (!AnchorAt(X, Y, hit) || hit.Href.empty())
        return;
    if (OpensItself(hit.Href))
        OpenLink(hit.Href);
    else
        rtl::FireSurvives(liveness_, OnAnchorClick, this, hit.Href);
}

void THTMLabel::MouseLeave() {
    if (hover_ && hoverLink_ != -1)
        InvalidateHover(hoverRect_);
    hoverLink_ = -1;
    TCustomLabel::MouseLeave();
}

bool THTMLabel::HintShow(THintInfo& HintInfo) {
    bool onAnchor = false;
    if (anchorHint_) {
        TAnchorHit hit;
        if (AnchorAt(HintInfo.CursorPos.x, HintInfo.CursorPos.y, hit)) {
            std::string href = hit.Href;
            if (!rtl::FireSurvives(liveness_, OnAnchorHint, this, href))
                return false;
            POINT screen = ClientToScreen(HintInfo.CursorPos);
            HintInfo.HintPos = POINT{screen.x + kAnchorHintShift, screen.y - kAnchorHintShift};
            HintInfo.HintStr = href;
            onAnchor = true;
        }
    }
    if (hintShowFull_ && !onAnchor)
        HintInfo.HintStr = htmlHint_ ? GetDisplText() : HTMLStrip(GetDisplText());
    return true;
}
