// The scroll bar of the classic look that a list or a tree shows beside its
// rows when they do not fit, and the memo beside its lines: where its parts
// lie, how it is drawn (two arrow buttons, the track, and a thumb whose size
// and place tell which part of the rows shows), and where a click on each
// part takes the first row shown. The controls keep the first row shown
// themselves and ask these functions, so that every scrolling control moves
// the same way for the mouse, the wheel and the keys.
#pragma once

#include "platform/gfx/Canvas.h"

#include <algorithm>
#include <string>

namespace controls {

// The width of a vertical scroll bar (the height of a horizontal one).
inline constexpr int kScrollBarSize = 16;
// One notch of the mouse wheel (the system's WHEEL_DELTA).
inline constexpr int kWheelDelta = 120;
// How many rows one notch of the wheel scrolls (the system's default).
inline constexpr int kWheelRows = 3;

// Which rows of a scrolling control show: the first one shown, how many fit
// whole, and how many there are.
struct ScrollRange {
    int Top = 0;
    int Page = 1;
    int Count = 0;

    // The last first row that leaves no empty room below the last row.
    int MaxTop() const { return std::max(0, Count - Page); }
    // True when the rows do not fit, so a bar shows.
    bool Needed() const { return Count > Page; }
    // A first row brought inside 0..MaxTop.
    int Clamp(int top) const { return std::clamp(top, 0, MaxTop()); }
    // The first row that shows row `index` whole, moving the view as little as possible.
    int TopShowing(int index) const;
};

// While it lives, drawing is limited to the rows' area (when `clip`), so
// that a row cut by the bottom edge does not reach the bar or the frame.
class ClippedRows {
public:
    ClippedRows(TCanvas& canvas, const RECT& rows, bool clip);
    ~ClippedRows() { End(); }
    ClippedRows(const ClippedRows&) = delete;
    ClippedRows& operator=(const ClippedRows&) = delete;
    // Gives the canvas its clip rectangle back now.
    void End();

private:
    TCanvas* canvas_ = nullptr;
    bool hadClip_ = false;
    RECT saved_{};
};

// Which rows show, for a text dump: "rows 4-31 of 45".
std::string DescribeRows(const ScrollRange& range);

// The rows of a control `height` pixels high inside a two-pixel frame, the
// first `above` pixels below the frame taken by a header: `count` rows of
// rowHeight, the first shown being `top` brought into range.
ScrollRange RowsRange(int top, int count, int height, int above, int rowHeight);
// The vertical bar at the right, inside the frame, of a control of that size;
// empty when the rows fit.
RECT VerticalBarRect(int width, int height, const ScrollRange& range);
// The part of a control of that size that shows rows: inside the frame,
// below the `above` pixels of a header, left of the bar when it shows.
RECT RowsArea(int width, int height, int above, const ScrollRange& range);
// The row a navigation key moves the selection to from `row` (-1: none):
// the arrows a row, Page Down to the last row shown and from there a page
// further (Page Up likewise), Home and End to the ends; -1 for other keys.
int RowForKey(const ScrollRange& range, int row, WORD key);

// The parts of a vertical bar a click can land on.
enum class ScrollPart { None, LineUp, LineDown, PageUp, PageDown, Thumb };

// Draws a bar in rect; with a range the thumb shows which rows show (the
// memo, which does not scroll, passes none).
void PaintScrollBar(TCanvas& canvas, RECT rect, bool vertical, const ScrollRange* range = nullptr);
// The thumb of a vertical bar in rect.
RECT ScrollThumbRect(const RECT& rect, const ScrollRange& range);
// The part of a vertical bar in rect under a point.
ScrollPart ScrollPartAt(const RECT& rect, const ScrollRange& range, POINT point);
// The first row shown after a click on part.
int ScrolledTop(const ScrollRange& range, ScrollPart part);
// The rows the wheel scrolls for delta (positive: away from the user, up),
// adding it to what is left over from turns smaller than a notch.
int WheelRows(int delta, int& leftOver);

} // namespace controls
