// Where a vertical scroll bar's parts lie and what a click on them does.
#include "platform/controls/ScrollBar.h"

#include "platform/controls/Paint3D.h"
#include "platform/win/Hook.h"

namespace controls {

namespace {

// The track between the two arrow buttons of a vertical bar.
RECT Track(const RECT& rect) {
    int size = rect.right - rect.left;
    return Rect(rect.left, rect.top + size, rect.right,
                std::max(rect.top + size, rect.bottom - size));
}

} // namespace

ClippedRows::ClippedRows(TCanvas& canvas, const RECT& rows, bool clip) {
    if (!clip)
        return;
    canvas_ = &canvas;
    hadClip_ = canvas.HasClip();
    saved_ = canvas.ClipRect();
    canvas.IntersectClipRect(rows);
}

void ClippedRows::End() {
    if (!canvas_)
        return;
    canvas_->SelectClipRect(hadClip_ ? &saved_ : nullptr);
    canvas_ = nullptr;
}

int ScrollRange::TopShowing(int index) const {
    if (index < Top)
        return Clamp(index);
    if (index >= Top + Page)
        return Clamp(index - Page + 1);
    return Clamp(Top);
}

ScrollRange RowsRange(int top, int count, int height, int above, int rowHeight) {
    ScrollRange range;
    range.Page = std::max(1, (height - 4 - above) / std::max(1, rowHeight));
    range.Count = count;
    range.Top = range.Clamp(top);
    return range;
}

RECT VerticalBarRect(int width, int height, const ScrollRange& range) {
    if (!range.Needed())
        return Rect(0, 0, 0, 0);
    return Rect(width - 2 - kScrollBarSize, 2, width - 2, height - 2);
}

RECT RowsArea(int width, int height, int above, const ScrollRange& range) {
    RECT bar = VerticalBarRect(width, height, range);
    return Rect(2, 2 + above, IsRectEmpty(bar) ? width - 2 : bar.left, height - 2);
}

int RowForKey(const ScrollRange& range, int row, WORD key) {
    int last = range.Count - 1;
    if (last < 0)
        return -1;
    int pageEnd = std::min(last, range.Top + range.Page - 1);
    switch (key) {
    case VK_DOWN:
        return std::min(row + 1, last);
    case VK_UP:
        return row > 0 ? row - 1 : -1;
    case VK_NEXT:
        return row < pageEnd ? pageEnd : std::min(last, row + range.Page - 1);
    case VK_PRIOR:
        return row > range.Top ? range.Top : std::max(0, row - range.Page + 1);
    case VK_HOME:
        return 0;
    case VK_END:
        return last;
    default:
        return -1;
    }
}

std::string DescribeRows(const ScrollRange& range) {
    int last = std::min(range.Count, range.Top + range.Page);
    return "rows " + std::to_string(range.Top + 1) + "-" + std::to_string(last) + " of " +
           std::to_string(range.Count);
}

RECT ScrollThumbRect(const RECT& rect, const ScrollRange& range) {
    RECT track = Track(rect);
    int length = track.bottom - track.top;
    if (!range.Needed() || length <= 0)
        return Rect(track.left, track.top, track.right, track.top);
    // The thumb's share of the track is the page's share of the rows, but
    // never so small that it cannot be seen.
    int thumb = std::clamp(length * range.Page / std::max(1, range.Count), 8, length);
    int offset = (length - thumb) * range.Top / std::max(1, range.MaxTop());
    return Rect(track.left, track.top + offset, track.right, track.top + offset + thumb);
}

ScrollPart ScrollPartAt(const RECT& rect, const ScrollRange& range, POINT point) {
    if (!PtInRect(rect, point))
        return ScrollPart::None;
    RECT track = Track(rect);
    if (point.y < track.top)
        return ScrollPart::LineUp;
    if (point.y >= track.bottom)
        return ScrollPart::LineDown;
    RECT thumb = ScrollThumbRect(rect, range);
    if (point.y < thumb.top)
        return ScrollPart::PageUp;
    if (point.y >= thumb.bottom)
        return ScrollPart::PageDown;
    return ScrollPart::Thumb;
}

int ScrolledTop(const ScrollRange& range, ScrollPart part) {
    switch (part) {
    case ScrollPart::LineUp:
        return range.Clamp(range.Top - 1);
    case ScrollPart::LineDown:
        return range.Clamp(range.Top + 1);
    case ScrollPart::PageUp:
        return range.Clamp(range.Top - range.Page);
    case ScrollPart::PageDown:
        return range.Clamp(range.Top + range.Page);
    default:
        return range.Clamp(range.Top);
    }
}

int WheelRows(int delta, int& leftOver) {
    leftOver += delta;
    int notches = leftOver / kWheelDelta;
    leftOver -= notches * kWheelDelta;
    return -notches * kWheelRows;
}

void PaintScrollBar(TCanvas& c, RECT rect, bool vertical, const ScrollRange* range) {
    c.Brush()->SetColor(clScrollBar);
    c.FillRect(rect);
    int size = vertical ? rect.right - rect.left : rect.bottom - rect.top;
    RECT first = vertical ? Rect(rect.left, rect.top, rect.right, rect.top + size)
                          : Rect(rect.left, rect.top, rect.left + size, rect.bottom);
    RECT last = vertical ? Rect(rect.left, rect.bottom - size, rect.right, rect.bottom)
                         : Rect(rect.right - size, rect.top, rect.right, rect.bottom);
    for (int i = 0; i < 2; ++i) {
        RECT face = i == 0 ? first : last;
        RaisedEdge(c, face);
        c.Brush()->SetColor(clBtnFace);
        c.FillRect(face);
        ArrowDirection direction = vertical
                                       ? (i == 0 ? ArrowDirection::Up : ArrowDirection::Down)
                                       : (i == 0 ? ArrowDirection::Left : ArrowDirection::Right);
        Arrow(c, face, direction, clBtnText);
    }
    if (!vertical || !range || !range->Needed())
        return;
    RECT thumb = ScrollThumbRect(rect, *range);
    if (IsRectEmpty(thumb))
        return;
    RaisedEdge(c, thumb);
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(thumb);
}

} // namespace controls
