// What the HTML renderer draws besides text: the shell's icons of files and
// folders (SSYS: and LSYS: pictures), bitmaps sent to a printer at the
// print scale, and text turned by an angle (the R tag).
#pragma once

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

#include <string_view>

// The shell's icon for name, small or large: a number is an index of the
// system image list; else the icon of the file, of the folder, or of a file
// of that name's kind. With draw it is drawn at (x, y) (when printing,
// through a bitmap scaled by resFactor). Returns the icon's size.
SIZE SysImage(TCanvas& canvas, int x, int y, bool large, std::string_view name, bool draw,
              bool print, double resFactor);
// Draws the bitmap's pixels stretched into rect (a copy, as for a printer).
void PrintBitmap(TCanvas& canvas, const RECT& rect, TBitmap& bitmap);
// Turns the canvas font by angle degrees (counter-clockwise) and returns the
// orientation it had, for EndRotated.
int StartRotated(TCanvas& canvas, int angle);
// Gives the canvas font back the orientation StartRotated returned.
void EndRotated(TCanvas& canvas, int previous);
