// Icons of the machine: a colour bitmap with a monochrome mask (1 =
// transparent), made from bitmaps, taken apart again, drawn, copied and
// destroyed. Icons count as user objects (GetGuiResources, GR_USEROBJECTS).
#pragma once

#include "platform/gfx/GdiTypes.h"

// Flags of DrawIconEx: the mask, the image, or both (the usual drawing).
constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;

// An icon made from copies of the bitmaps in info: the mask (required) and
// the colour bitmap (the icon's size; without one, the mask is twice as high
// and holds the transparency mask above the image). 0 when a bitmap is not
// valid or the mask is smaller than the image.
HICON CreateIconIndirect(const ICONINFO* info);
// Describes an icon with new bitmaps that the caller frees with
// DeleteObject: a monochrome mask and a colour bitmap of the icon's depth
// (hbmColor 0 for a monochrome icon). FALSE for a handle that names no icon.
BOOL GetIconInfo(HICON icon, ICONINFO* info);
// Frees an icon; FALSE when the handle names none.
BOOL DestroyIcon(HICON icon);
// A new icon with the same image; 0 when the handle names none.
HICON CopyIcon(HICON icon);
// Draws an icon at (x, y), stretched to width x height (0 for the icon's own
// size). Where the mask is 1 the destination shows through (DI_NORMAL:
// destination AND mask, then XOR image); a 32-bit image with alpha values is
// blended by its alpha instead. step and brush are ignored (no animation, no
// flicker-free buffer).
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step, HANDLE brush,
                UINT flags);
// DrawIconEx at the icon's own size.
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
