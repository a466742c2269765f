// The picture object behind OleCreatePictureIndirect: a bitmap or icon
// handle with its size, drawn by Render, late-bound through IPictureDisp.
#include "platform/gfx/Picture.h"

#include "platform/com/DispatchObject.h"
#include "platform/com/OutParam.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/GdiTable.h"
#include "platform/gfx/Icons.h"

namespace {

constexpr UINT PictDesc32BitSize = 20;

// HIMETRIC of a pixel count at the screen's 96 pixels per inch.
LONG Himetric(int pixels) {
    return MulDiv(pixels, 2540, ScreenPixelsPerInch);
}

// The size in pixels of a bitmap or icon handle; 0 x 0 when it names none.
SIZE PixelSize(SHORT type, void* handle) {
    std::lock_guard lock(gfx::detail::TableLock());
    if (type == PICTYPE_BITMAP) {
        if (gfx::Dib* pixels = gfx::detail::PixelsOf(static_cast<HBITMAP>(handle)))
            return SIZE{pixels->Width(), pixels->Height()};
    } else if (type == PICTYPE_ICON) {
        if (gfx::detail::IconObject* icon = gfx::detail::FindIcon(static_cast<HICON>(handle)))
            return SIZE{icon->Mask->Width(),
                        icon->Color ? icon->Color->Height() : icon->Mask->Height() / 2};
    }
    return SIZE{};
}

SIZE HimetricSize(SHORT type, void* handle) {
    SIZE size = PixelSize(type, handle);
    return SIZE{Himetric(size.cx), Himetric(size.cy)};
}

class OlePicture : public DispatchObject<IPictureDisp, IPicture> {
public:
    OlePicture(SHORT type, void* handle) : OlePicture(type, handle, HimetricSize(type, handle)) {}
    // A picture whose size (HIMETRIC) is given rather than taken from a handle.
    OlePicture(SHORT type, void* handle, SIZE himetric)
        : type_(type), handle_(handle), width_(himetric.cx), height_(himetric.cy) {
        Members.Get(
            "Handle", [this] { return int32_t(HandleValue()); }, DISPID_PICT_HANDLE);
        Members.Property(
            "hPal", [] { return int32_t(0); },
            [this](const Variant& v) { OleCheck(set_hPal(OLE_HANDLE(v.AsInteger()))); },
            DISPID_PICT_HPAL);
        Members.Get(
            "Type", [this] { return int16_t(type_); }, DISPID_PICT_TYPE);
        Members.Get(
            "Width", [this] { return int32_t(width_); }, DISPID_PICT_WIDTH);
        Members.Get(
            "Height", [this] { return int32_t(height_); }, DISPID_PICT_HEIGHT);
        Members.Add("Render", DISPID_PICT_RENDER)
            .Params({"hdc", "x", "y", "cx", "cy", "xSrc", "ySrc", "cxSrc", "cySrc", "prcWBounds"})
            .Call([this](DispCall& c) {
                c.ExpectCount(9, 10);
                OleCheck(Render(reinterpret_cast<HDC>(uintptr_t(uint32_t(c.Integer(0)))),
                                c.Integer(1), c.Integer(2), c.Integer(3), c.Integer(4),
                                c.Integer(5), c.Integer(6), c.Integer(7), c.Integer(8), nullptr));
            });
    }

    // Takes the handle over once the object is handed out.
    void Own() { own_ = true; }

    HRESULT get_Handle(OLE_HANDLE* handle) override { return OutValue(handle, HandleValue()); }
    HRESULT get_hPal(OLE_HANDLE* palette) override { return OutValue(palette, 0); }
    HRESULT get_Type(SHORT* type) override { return OutValue(type, type_); }
    HRESULT get_Width(OLE_XSIZE_HIMETRIC* width) override { return OutValue(width, width_); }
    HRESULT get_Height(OLE_YSIZE_HIMETRIC* height) override { return OutValue(height, height_); }
    HRESULT Render(HDC dc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc,
                   OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc,
                   const RECT*) override;
    HRESULT set_hPal(OLE_HANDLE palette) override { return palette ? E_INVALIDARG : S_OK; }
    HRESULT get_CurDC(HDC* dc) override { return OutValue(dc, curDc_); }
    HRESULT SelectPicture(HDC dcIn, HDC* dcOut, OLE_HANDLE* bitmapOut) override {
        if (type_ != PICTYPE_BITMAP)
            return E_FAIL;
        if (dcIn && !::SelectObject(dcIn, handle_))
            return E_FAIL;
        if (dcOut)
            *dcOut = curDc_;
        if (bitmapOut)
            *bitmapOut = HandleValue();
        curDc_ = dcIn;
        return S_OK;
    }
    HRESULT get_KeepOriginalFormat(BOOL* keep) override {
        return OutValue(keep, keepOriginalFormat_);
    }
    HRESULT put_KeepOriginalFormat(BOOL keep) override {
        keepOriginalFormat_ = keep;
        return S_OK;
    }
    HRESULT PictureChanged() override { return S_OK; }
    HRESULT SaveAsFile(IStream*, BOOL, LONG*) override { return E_NOTIMPL; }
    HRESULT get_Attributes(DWORD* attributes) override {
        return OutValue(attributes, type_ == PICTYPE_ICON ? PICTURE_TRANSPARENT : 0);
    }

private:
    friend struct ::ComMaker;
    ~OlePicture() override {
        if (!own_ || !handle_)
            return;
        if (type_ == PICTYPE_BITMAP)
            ::DeleteObject(handle_);
        else if (type_ == PICTYPE_ICON)
            ::DestroyIcon(static_cast<HICON>(handle_));
    }

    OLE_HANDLE HandleValue() const { return OLE_HANDLE(reinterpret_cast<uintptr_t>(handle_)); }

    SHORT type_;
    void* handle_;
    bool own_ = false;
    LONG width_ = 0;
    LONG height_ = 0;
    HDC curDc_ = nullptr;
    BOOL keepOriginalFormat_ = TRUE;
};

HRESULT OlePicture::Render(HDC dc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc,
                           OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc,
                           OLE_YSIZE_HIMETRIC cySrc, const RECT*) {
    if (!dc)
        return E_INVALIDARG;
    if (!handle_ || width_ == 0 || height_ == 0)
        return S_OK;
    if (type_ == PICTYPE_ICON)
        return ::DrawIconEx(dc, x, y, static_cast<HICON>(handle_), cx, cy, 0, nullptr, DI_NORMAL)
                   ? S_OK
                   : E_FAIL;
    if (type_ != PICTYPE_BITMAP)
        return S_OK;
    // The caller's rectangles must have their far edges in the int range
    // too: the edges are what the drawing works with.
    auto fits = [](int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; };
    if (!fits(int64_t(x) + cx) || !fits(int64_t(y) + cy) || !fits(int64_t(xSrc) + cxSrc) ||
        !fits(int64_t(height_) - ySrc) || !fits(int64_t(height_) - ySrc - cySrc))
        return E_INVALIDARG;
    SIZE size = PixelSize(type_, handle_);
    // HIMETRIC counts y up from the bottom; pixels count down from the top.
    int left = MulDiv(xSrc, size.cx, width_);
    int right = MulDiv(xSrc + cxSrc, size.cx, width_);
    int top = MulDiv(height_ - ySrc, size.cy, height_);
    int bottom = MulDiv(height_ - (ySrc + cySrc), size.cy, height_);
    bool flipX = right < left, flipY = bottom < top;
    if (flipX)
        std::swap(left, right);
    if (flipY)
        std::swap(top, bottom);
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(memory, handle_);
    // A mirrored source is drawn as a mirrored destination (counted back from its far edge).
    BOOL done = old && ::StretchBlt(dc, flipX ? x + cx - 1 : x, flipY ? y + cy - 1 : y,
                                    flipX ? -cx : cx, flipY ? -cy : cy, memory, left, top,
                                    right - left, bottom - top, SRCCOPY);
    if (old)
        ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return done ? S_OK : E_FAIL;
}

} // namespace

HRESULT OleCreatePictureIndirect(PICTDESC* desc, const GUID& riid, BOOL own, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    SHORT type = PICTYPE_UNINITIALIZED;
    void* handle = nullptr;
    if (desc) {
        if (desc->cbSizeofstruct != sizeof(PICTDESC) && desc->cbSizeofstruct != PictDesc32BitSize)
            return E_INVALIDARG;
        switch (SHORT(desc->picType)) {
        case PICTYPE_NONE:
            type = PICTYPE_NONE;
            break;
        case PICTYPE_BITMAP:
            type = PICTYPE_BITMAP;
            handle = desc->bmp.hbitmap;
            break;
        case PICTYPE_ICON:
            type = PICTYPE_ICON;
            handle = desc->icon.hicon;
            break;
        default:
            return E_INVALIDARG;
        }
    }
    try {
        ComPtr<OlePicture> picture = MakeComObject<OlePicture>(type, handle);
        HRESULT hr = picture->QueryInterface(riid, out);
        if (SUCCEEDED(hr) && own)
            picture->Own();
        return hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

namespace gfx::detail {

HRESULT NewMetafilePicture(SHORT type, LONG width, LONG height, const GUID& riid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (type != PICTYPE_METAFILE && type != PICTYPE_ENHMETAFILE)
        return E_INVALIDARG;
    try {
        ComPtr<OlePicture> picture = MakeComObject<OlePicture>(type, nullptr, SIZE{width, height});
        return picture->QueryInterface(riid, out);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // namespace gfx::detail
