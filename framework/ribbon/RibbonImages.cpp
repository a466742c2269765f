// Making the pictures of ribbon controls and items.
#include "framework/ribbon/RibbonImages.h"

#include "framework/ribbon/RibbonAttributes.h"
#include "framework/ribbon/RibbonCollections.h"
#include "framework/ribbon/RibbonTab.h"
#include "framework/ribbon/adxRibbonComponent.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/OleError.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/Icon.h"
#include "platform/gfx/Icons.h"
#include "platform/gfx/ImageList.h"
#include "platform/gfx/Picture.h"
#include "platform/gfx/SysColors.h"
#include "platform/text/Text.h"

namespace {

// The size of the picture description as the ribbon code fills it in (the
// structure's size in 32-bit code).
constexpr UINT kPictDescSize = 20;

ComPtr<IDispatch> MakePicture(PICTDESC& desc) {
    void* out = nullptr;
    OleCheck(OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, &out));
    return ComPtr<IDispatch>::Adopt(static_cast<IPictureDisp*>(out));
}

// A bitmap picture that owns the handle (0: a picture of no bitmap).
ComPtr<IDispatch> BitmapPicture(TBitmap& bitmap) {
    bitmap.SetTransparent(true);
    PICTDESC desc;
    desc.cbSizeofstruct = kPictDescSize;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = Create32BitWithAlpha(bitmap);
    desc.bmp.hpal = nullptr;
    try {
        return MakePicture(desc);
    } catch (...) {
        if (desc.bmp.hbitmap)
            DeleteObject(desc.bmp.hbitmap);
        throw;
    }
}

// An icon picture of image index of list. The picture owns the icon: the
// holder that made it goes away at once, and an icon it destroyed would
// leave the host a dead handle.
ComPtr<IDispatch> IconPicture(TCustomImageList& list, int index) {
    TIcon icon;
    list.GetIcon(index, &icon);
    PICTDESC desc;
    desc.cbSizeofstruct = kPictDescSize;
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = icon.ReleaseHandle();
    try {
        return MakePicture(desc);
    } catch (...) {
        if (desc.icon.hicon)
            DestroyIcon(desc.icon.hicon);
        throw;
    }
}

bool HoldsImage(TCustomImageList* list, int index) {
    return list && index >= 0 && list->Count() > 0 && index < list->Count();
}

} // namespace

TCustomImageList* GetImageList(TadxModuleServices& Module, const std::u16string& Id) {
    TStringList* keys = Module.KeyList.get();
    if (!keys)
        return nullptr;
    int index = keys->IndexOf(text::Narrow(Id));
    auto* control =
        index >= 0 ? dynamic_cast<TadxRibbonCustomControl*>(keys->Objects(index)) : nullptr;
    TadxRibbonTab* tab = control ? control->GetRoot() : nullptr;
    return tab ? tab->Images() : nullptr;
}

ComPtr<IDispatch> adxGetImage(IadxRibbonComponent& Component, TadxModuleServices& Module) {
    TBitmap bitmap;
    if (adxHasGlyph(Component)) {
        bitmap.Assign(Component.GetGlyph());
        return BitmapPicture(bitmap);
    }
    int index = Component.GetImageIndex();
    TCustomImageList* list = GetImageList(Module, Component.GetID());
    if (!HoldsImage(list, index))
        return nullptr;
    list->GetBitmap(index, &bitmap);
    return BitmapPicture(bitmap);
}

ComPtr<IDispatch> adxGetItemImage(IadxRibbonComponent& Component, int32_t Index,
                                  TadxModuleServices& Module) {
    TadxRibbonControls* items = Component.GetItems();
    if (!items)
        throw EOleSysError("The control has no items", E_INVALIDARG);
    TadxRibbonCustomControl& item = *items->GetItem(Index);
    TBitmap* glyph = item.GetGlyph();
    if (glyph && !glyph->Empty()) {
        TCustomImageList list(glyph->Width(), glyph->Height());
        // The glyph's bottom-left pixel is its transparent colour.
        list.AddMasked(glyph, glyph->Canvas()->Pixels(0, glyph->Height() - 1));
        return IconPicture(list, 0);
    }
    int index = item.GetImageIndex();
    TCustomImageList* list = GetImageList(Module, Component.GetID());
    if (!HoldsImage(list, index))
        return nullptr;
    return IconPicture(*list, index);
}

void SetAlpha(uint8_t Alpha, void* Bits, size_t PixelCount) {
    auto* bytes = static_cast<uint8_t*>(Bits);
    for (size_t i = 0; i < PixelCount; ++i)
        bytes[i * 4 + 3] = Alpha;
}

uint32_t Color32Alpha(TColor Color) {
    COLORREF rgb = Color < 0 ? GetSysColor(Color & 0xFF) : static_cast<COLORREF>(Color) & 0xFFFFFF;
    uint32_t red = rgb & 0xFF, green = (rgb >> 8) & 0xFF, blue = (rgb >> 16) & 0xFF;
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

HBITMAP Create32BitWithAlpha(TBitmap& Bitmap) {
    int width = Bitmap.Width(), height = Bitmap.Height();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section || !bits) {
        if (section)
            DeleteObject(section);
        return nullptr;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) {
        DeleteObject(section);
        return nullptr;
    }
    HGDIOBJ old = SelectObject(dc, section);
    if (!old) {
        DeleteDC(dc);
        DeleteObject(section);
        return nullptr;
    }
    TCanvas* canvas = Bitmap.Canvas();
    canvas->Lock();
    BitBlt(dc, 0, 0, width, height, canvas->Handle(), 0, 0, SRCCOPY);
    canvas->Unlock();
    size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (Bitmap.PixelFormat() != pf32bit)
        SetAlpha(255, bits, pixels);
    if (Bitmap.Transparent()) {
        uint32_t key = Color32Alpha(Bitmap.TransparentColor()) & 0xFFFFFF;
        auto* pixel = static_cast<uint32_t*>(bits);
        for (size_t i = 0; i < pixels; ++i)
            if ((pixel[i] & 0xFFFFFF) == key)
                pixel[i] &= 0x00FFFFFF;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return section;
}
