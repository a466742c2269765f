// The pictures of ribbon controls: a control's glyph, or the entry of its
// tab's image list that its ImageIndex names, becomes a 32-bit bitmap with
// an alpha channel in which the bitmap's transparent colour is fully
// transparent, handed to the host as an IPictureDisp; an item of a
// drop-down, gallery or combo box becomes an icon made with a mask.
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"
#include "platform/gfx/Colors.h"
#include "platform/gfx/GdiTypes.h"

#include <cstdint>
#include <string>

class TadxModuleServices;
class IadxRibbonComponent;
class TBitmap;
class TCustomImageList;

// The image list of the tab above the control registered under Id, or nullptr.
TCustomImageList* GetImageList(TadxModuleServices& Module, const std::u16string& Id);

// The picture of a control: its glyph, else its tab's image ImageIndex;
// nullptr when it has neither.
ComPtr<IDispatch> adxGetImage(IadxRibbonComponent& Component, TadxModuleServices& Module);
// The picture of item Index of the control's items: an icon of its glyph
// (masked by the glyph's bottom-left colour), else of its tab's image
// ImageIndex; nullptr when it has neither. Raises for a control without
// items or an index outside them.
ComPtr<IDispatch> adxGetItemImage(IadxRibbonComponent& Component, int32_t Index,
                                  TadxModuleServices& Module);

// A new 32-bit top-down device-independent bitmap of Bitmap: a bitmap of
// another depth is made opaque, a 32-bit one keeps its alpha, and when
// Bitmap is transparent every pixel of its transparent colour gets alpha 0.
// 0 when the section or its device context cannot be made.
HBITMAP Create32BitWithAlpha(TBitmap& Bitmap);
// Sets the alpha byte of PixelCount 32-bit pixels at Bits.
void SetAlpha(uint8_t Alpha, void* Bits, size_t PixelCount);
// A colour (system colours resolved) as a 32-bit pixel 0xAARRGGBB with alpha 255.
uint32_t Color32Alpha(TColor Color);
