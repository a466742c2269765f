// Drawing helpers of the classic look shared by the controls and the form
// pictures: three-dimensional frames and edges, check marks and arrows.
#pragma once

#include "platform/gfx/Canvas.h"

namespace controls {

// A frame `width` pixels wide: top and left in topColor, bottom and right in
// bottomColor; rect shrinks by the width (the class library's Frame3D).
void Frame3D(TCanvas& canvas, RECT& rect, TColor topColor, TColor bottomColor, int width);
// The raised edge of a button or caption box (two pixels); rect shrinks by 2.
void RaisedEdge(TCanvas& canvas, RECT& rect);
// The sunken edge of an edit, list or check box (two pixels); rect shrinks by 2.
void SunkenEdge(TCanvas& canvas, RECT& rect);
// A check mark inside a 13 x 13 box whose top-left corner is (x, y).
void CheckMark(TCanvas& canvas, int x, int y, TColor color);
// Where an arrow points.
enum class ArrowDirection { Up, Down, Left, Right };
// A small solid triangle centred in rect, as on scroll bar buttons.
void Arrow(TCanvas& canvas, const RECT& rect, ArrowDirection direction, TColor color);

} // namespace controls
