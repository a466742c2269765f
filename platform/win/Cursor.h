// Cursors and the mouse pointer: the class library's cursor identifiers (the
// screen object of platform/forms holds the one the application shows) and
// the pointer's position. Nothing is drawn here; the values are kept so that
// the simulated hosts and tests can see them.
#pragma once

#include "platform/win/WinTypes.h"

// The class library's cursor identifiers, with its values.
using TCursor = short;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// The mouse pointer's position in screen coordinates.
BOOL GetCursorPos(POINT* point);
// Moves the mouse pointer.
BOOL SetCursorPos(int x, int y);
// Lets go of a cursor the program made. No cursor is drawn here, so there
// is nothing to free: TRUE for a handle, FALSE for 0.
BOOL DestroyCursor(HANDLE cursor);
