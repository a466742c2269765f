// The drawing layer of the machine as the Windows interface offers it:
// bitmaps (device-independent sections, compatible and monochrome bitmaps),
// memory device contexts that bitmaps are selected into, block transfers
// between them with raster operations, reading and writing pixel rows in any
// of the standard formats, and the system colours.
//
// Objects live in one table per process, guarded by a lock, so any thread may
// use them; a handle names one object and is never reused for another while
// a stale copy could still be around (a generation count is part of it). A
// device context that belongs to a canvas (TCanvas::Handle) passes what is
// drawn on it to that canvas, so a picture rendered on a recording canvas is
// recorded. The count of live objects (GetGuiResources) lets tests prove that
// nothing leaked.
#pragma once

#include "platform/gfx/GdiTypes.h"

// Raster operations of BitBlt, StretchBlt and PatBlt: the result for each
// combination of pattern (the context's brush colour), source and destination.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD NOTSRCERASE = 0x001100A6;
constexpr DWORD MERGECOPY = 0x00C000CA;
constexpr DWORD MERGEPAINT = 0x00BB0226;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATPAINT = 0x00FB0A09;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Kinds of object (GetObjectType, GetCurrentObject).
constexpr DWORD OBJ_BRUSH = 2;
constexpr DWORD OBJ_DC = 3;
constexpr DWORD OBJ_BITMAP = 7;
constexpr DWORD OBJ_MEMDC = 10;

// Indices of GetDeviceCaps.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// Background modes of text output.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// What GetGuiResources counts.
constexpr DWORD GR_GDIOBJECTS = 0;
constexpr DWORD GR_USEROBJECTS = 1;

// The screen of the machine: its size in pixels, depth and resolution.
constexpr int ScreenWidth = 1920;
constexpr int ScreenHeight = 1080;
constexpr int ScreenBitsPerPixel = 32;
// The resolution of a screen that nobody set otherwise.
constexpr int ScreenPixelsPerInch = 96;

// The screen's resolution now (ScreenPixelsPerInch until set): what
// GetDeviceCaps gives for LOGPIXELSX and LOGPIXELSY, and what new fonts and
// canvases take their size in points at.
int GetScreenPixelsPerInch();
// Sets the screen's resolution (kept between 24 and 960; fonts and canvases
// made before keep theirs). Used by a host or a test that draws for a
// screen of another scale.
void SetScreenPixelsPerInch(int value);

// A device-independent section: a bitmap whose pixels the caller reaches
// directly through *bits (rows as the header describes them: 1, 4, 8, 16, 24
// or 32 bits, top-down when biHeight is negative). Only DIB_RGB_COLORS,
// BI_RGB and BI_BITFIELDS (16 and 32 bits) are taken, and no file mapping
// (section must be 0). 0, with *bits null, when the header is refused.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);
// A bitmap of 1 bit (monochrome: 0 black, 1 white) or 32 bits per pixel,
// filled from bits (rows padded to 2 bytes, as Windows takes them) or zeros.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits);
// A bitmap of the format of the bitmap selected into dc (the screen's 32
// bits for a context without one of its own).
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);

// A memory device context with a 1x1 monochrome bitmap selected; dc is
// ignored (every context is compatible with the screen here).
HDC CreateCompatibleDC(HDC dc);
// The context of a window or, for 0, of the screen; nothing drawn on it is kept.
HDC GetDC(HWND window);
// Gives back a context from GetDC; 1 on success.
int ReleaseDC(HWND window, HDC dc);
// Frees a memory device context (its selected bitmap is left alive).
BOOL DeleteDC(HDC dc);

// Selects a bitmap into a memory device context and returns the one selected
// before; 0 when either handle is not valid or the bitmap is selected
// into another context.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// The bitmap selected into dc (type OBJ_BITMAP); 0 otherwise.
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
// Frees a bitmap; FALSE when the handle is not valid or the bitmap is still
// selected into a context. Stock objects are never freed.
BOOL DeleteObject(HGDIOBJ object);
// OBJ_BITMAP, OBJ_MEMDC, OBJ_DC, or 0 for a handle that names nothing.
DWORD GetObjectType(HGDIOBJ object);
// Describes a bitmap: a BITMAP (size == sizeof(BITMAP)) or, for a section, a
// DIBSECTION (size >= sizeof(DIBSECTION)). Returns the bytes written, the
// bytes needed when out is null, 0 when the handle is not a bitmap.
int GetObject(HGDIOBJ object, int size, void* out);

// Copies rows of a bitmap into bits in the format the header asks for (1, 4,
// 8, 24 or 32 bits, BI_RGB; 4 and 8 bits only from a bitmap of that depth),
// bottom-up or top-down by the sign of biHeight; start counts rows in the
// order of the output. With bits null it fills in the header (and, for a
// format with a colour table, the table) instead. Returns the rows copied
// (or 1 when only the header was asked for), 0 on failure.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage);
// Replaces rows of a bitmap from bits described by info (any format
// CreateDIBSection takes); returns the rows written, 0 on failure.
int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
              const BITMAPINFO* info, UINT usage);
// Draws device-independent rows stretched into a rectangle of dc.
int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop);

// Transfers a rectangle from source to dest with a raster operation. Colour
// to monochrome: pixels of the source context's background colour become
// white (1), all others black; monochrome to colour: 0 becomes the
// destination's text colour, 1 its background colour. 32-bit sources give
// their alpha byte; other formats give alpha 0.
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc,
            DWORD rop);
// BitBlt that scales (nearest pixel); a negative width or height mirrors.
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc,
                int srcWidth, int srcHeight, DWORD rop);
// A raster operation without source over a rectangle (PATCOPY fills with the
// brush colour, WHITENESS, BLACKNESS, DSTINVERT).
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);

// The colour of one pixel of the bitmap selected into dc; CLR_INVALID outside it.
COLORREF GetPixel(HDC dc, int x, int y);
// Sets one pixel; returns the colour set, or CLR_INVALID.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);

// The background colour (white at first): text background and colour-to-
// monochrome key. Returns the previous one, CLR_INVALID for a bad context.
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
// The text colour (black at first). Returns the previous one.
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
// The background mode, OPAQUE at first. Returns the previous one, 0 on failure.
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
// The brush colour the pattern operations use (white at first). Returns the previous one.
COLORREF SetDCBrushColor(HDC dc, COLORREF color);
COLORREF GetDCBrushColor(HDC dc);

// Facts about the device, which are the screen's for every context:
// HORZRES, VERTRES, BITSPIXEL, PLANES, NUMCOLORS, LOGPIXELSX, LOGPIXELSY.
int GetDeviceCaps(HDC dc, int index);

// The number of live drawing objects (GR_GDIOBJECTS: bitmaps and contexts)
// or icons (GR_USEROBJECTS) of the process; process is ignored.
DWORD GetGuiResources(HANDLE process, DWORD flags);
