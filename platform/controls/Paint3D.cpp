// Classic-look drawing helpers.
#include "platform/controls/Paint3D.h"

namespace controls {

void Frame3D(TCanvas& canvas, RECT& rect, TColor topColor, TColor bottomColor, int width) {
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetStyle(psSolid);
    rect.bottom--;
    rect.right--;
    for (int i = 0; i < width; ++i) {
        canvas.Pen()->SetColor(topColor);
        canvas.Polyline({POINT{rect.left, rect.bottom}, POINT{rect.left, rect.top},
                         POINT{rect.right, rect.top}});
        canvas.Pen()->SetColor(bottomColor);
        canvas.Polyline({POINT{rect.right, rect.top}, POINT{rect.right, rect.bottom},
                         POINT{rect.left - 1, rect.bottom}});
        rect.left++;
        rect.top++;
        rect.right--;
        rect.bottom--;
    }
    rect.bottom++;
    rect.right++;
}

void RaisedEdge(TCanvas& canvas, RECT& rect) {
    Frame3D(canvas, rect, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(canvas, rect, cl3DLight, clBtnShadow, 1);
}

void SunkenEdge(TCanvas& canvas, RECT& rect) {
    Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, rect, cl3DDkShadow, cl3DLight, 1);
}

void CheckMark(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen()->SetColor(color);
    canvas.Pen()->SetWidth(1);
    // Three strokes of the classic mark, each one pixel lower than the last.
    for (int i = 0; i < 3; ++i)
        canvas.Polyline(
            {POINT{x + 3, y + 5 + i}, POINT{x + 5, y + 7 + i}, POINT{x + 10, y + 2 + i}});
}

void Arrow(TCanvas& canvas, const RECT& rect, ArrowDirection direction, TColor color) {
    int cx = (rect.left + rect.right) / 2;
    int cy = (rect.top + rect.bottom) / 2;
    canvas.Pen()->SetColor(color);
    canvas.Brush()->SetColor(color);
    canvas.Brush()->SetStyle(bsSolid);
    switch (direction) {
    case ArrowDirection::Up:
        canvas.Polygon({POINT{cx - 3, cy + 1}, POINT{cx + 3, cy + 1}, POINT{cx, cy - 2}});
        break;
    case ArrowDirection::Down:
        canvas.Polygon({POINT{cx - 3, cy - 1}, POINT{cx + 3, cy - 1}, POINT{cx, cy + 2}});
        break;
    case ArrowDirection::Left:
        canvas.Polygon({POINT{cx + 1, cy - 3}, POINT{cx + 1, cy + 3}, POINT{cx - 2, cy}});
        break;
    case ArrowDirection::Right:
        canvas.Polygon({POINT{cx - 1, cy - 3}, POINT{cx - 1, cy + 3}, POINT{cx + 2, cy}});
        break;
    }
}

} // namespace controls
