// Automation pictures: the IPicture and IPictureDisp interfaces of a picture
// object holding a bitmap or an icon, and OleCreatePictureIndirect, which
// makes one from a handle, owned by the picture (freed when its last
// reference goes) or not. The ribbon's picture callbacks answer with them.
//
// Sizes are HIMETRIC (hundredths of a millimetre): pixels x 2540 / 96.
// IPictureDisp answers its properties late-bound at the standard DISPIDs:
// Handle (0, VT_I4), hPal (2, VT_I4), Type (3, VT_I2), Width (4, VT_I4),
// Height (5, VT_I4), and the method Render (6).
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/com/Stream.h"
#include "platform/gfx/GdiTypes.h"

// {7BF80980-BF32-101A-8BBB-00AA00300CAB}
constexpr GUID IID_IPicture = MakeGuid("{7BF80980-BF32-101A-8BBB-00AA00300CAB}");
// {7BF80981-BF32-101A-8BBB-00AA00300CAB}
constexpr GUID IID_IPictureDisp = MakeGuid("{7BF80981-BF32-101A-8BBB-00AA00300CAB}");

// A handle as automation carries it: 32 bits.
using OLE_HANDLE = UINT;
using OLE_XPOS_HIMETRIC = LONG;
using OLE_YPOS_HIMETRIC = LONG;
using OLE_XSIZE_HIMETRIC = LONG;
using OLE_YSIZE_HIMETRIC = LONG;

// The answer of OleLoadPicture for data that is no picture it can read.
constexpr HRESULT CTL_E_INVALIDPICTURE = MakeHResult(0x800A01E1);

// Kinds of picture.
constexpr SHORT PICTYPE_UNINITIALIZED = -1;
constexpr SHORT PICTYPE_NONE = 0;
constexpr SHORT PICTYPE_BITMAP = 1;
constexpr SHORT PICTYPE_METAFILE = 2;
constexpr SHORT PICTYPE_ICON = 3;
constexpr SHORT PICTYPE_ENHMETAFILE = 4;

// Attributes of a picture (get_Attributes).
constexpr DWORD PICTURE_SCALABLE = 0x1;
constexpr DWORD PICTURE_TRANSPARENT = 0x2;

// The standard DISPIDs of IPictureDisp.
constexpr DISPID DISPID_PICT_HANDLE = 0;
constexpr DISPID DISPID_PICT_HPAL = 2;
constexpr DISPID DISPID_PICT_TYPE = 3;
constexpr DISPID DISPID_PICT_WIDTH = 4;
constexpr DISPID DISPID_PICT_HEIGHT = 5;
constexpr DISPID DISPID_PICT_RENDER = 6;

// What OleCreatePictureIndirect makes a picture of. cbSizeofstruct is
// sizeof(PICTDESC), or 20, the size of the structure in 32-bit code, which
// callers that follow the documented value pass.
struct PICTDESC {
    struct Bitmap {
        HBITMAP hbitmap;
        HPALETTE hpal;
    };
    struct Metafile {
        HANDLE hmeta;
        int xExt;
        int yExt;
    };
    struct Icon {
        HICON hicon;
    };
    struct EnhMetafile {
        HANDLE hemf;
    };

    UINT cbSizeofstruct = sizeof(PICTDESC);
    UINT picType = 0;
    union {
        Bitmap bmp;
        Metafile wmf;
        Icon icon;
        EnhMetafile emf;
    };

    PICTDESC() : bmp{nullptr, nullptr} {}
};

struct IPicture : IUnknown {
    static constexpr GUID Iid = IID_IPicture;

    // The bitmap or icon handle (0 when none).
    virtual HRESULT get_Handle(OLE_HANDLE* handle) = 0;
    // The palette (always 0 here).
    virtual HRESULT get_hPal(OLE_HANDLE* palette) = 0;
    // PICTYPE_BITMAP, PICTYPE_ICON, PICTYPE_NONE or PICTYPE_UNINITIALIZED.
    virtual HRESULT get_Type(SHORT* type) = 0;
    // The size in HIMETRIC.
    virtual HRESULT get_Width(OLE_XSIZE_HIMETRIC* width) = 0;
    virtual HRESULT get_Height(OLE_YSIZE_HIMETRIC* height) = 0;
    // Draws the part (xSrc, ySrc, cxSrc, cySrc) of the picture, in HIMETRIC
    // with y counted up from the bottom (so the whole picture, upright, is
    // 0, Height, Width, -Height), stretched into (x, y, cx, cy) of dc.
    virtual HRESULT Render(HDC dc, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc,
                           OLE_YPOS_HIMETRIC ySrc, OLE_XSIZE_HIMETRIC cxSrc,
                           OLE_YSIZE_HIMETRIC cySrc, const RECT* metafileBounds) = 0;
    // Sets the palette (only 0 is taken).
    virtual HRESULT set_hPal(OLE_HANDLE palette) = 0;
    // The context the picture is selected into (SelectPicture), or 0.
    virtual HRESULT get_CurDC(HDC* dc) = 0;
    // Selects a bitmap picture into dcIn; gives the context it was in before
    // and the bitmap handle.
    virtual HRESULT SelectPicture(HDC dcIn, HDC* dcOut, OLE_HANDLE* bitmapOut) = 0;
    // Whether the picture keeps the format it was loaded from.
    virtual HRESULT get_KeepOriginalFormat(BOOL* keep) = 0;
    virtual HRESULT put_KeepOriginalFormat(BOOL keep) = 0;
    // Tells the picture its image changed.
    virtual HRESULT PictureChanged() = 0;
    // Writes the picture to a stream (E_NOTIMPL on this machine).
    virtual HRESULT SaveAsFile(IStream* stream, BOOL saveMemCopy, LONG* size) = 0;
    // PICTURE_TRANSPARENT for icons, 0 for bitmaps.
    virtual HRESULT get_Attributes(DWORD* attributes) = 0;
};

// The automation face of a picture: IDispatch with the properties above.
struct IPictureDisp : IDispatch {
    static constexpr GUID Iid = IID_IPictureDisp;
    using BaseInterface = IDispatch;
};

// Makes a picture object from desc (nullptr: an uninitialised picture) and
// stores its interface riid (IPicture, IPictureDisp, IDispatch, IUnknown) in
// *out. With own TRUE the picture frees the handle when its last reference
// goes; else the caller keeps it. E_POINTER for a null out, E_INVALIDARG for
// a size or picture type it does not take (metafiles do not exist here),
// E_NOINTERFACE for another riid; on failure the caller keeps the handle.
// A bitmap picture with handle 0 is a picture of no bitmap.
HRESULT OleCreatePictureIndirect(PICTDESC* desc, const GUID& riid, BOOL own, void** out);

// Reads a picture file from the stream's position: size bytes (0 or less:
// the rest of the stream), and makes a picture object of it, stored as riid
// in *out. BMP and JPEG files become bitmap pictures, GIF files a bitmap of
// their first image on the logical screen, icon files an icon picture (the
// image nearest 32 x 32). Placeable WMF and EMF files become metafile
// pictures that have the size their header gives and draw nothing: this
// machine does not play metafile records. runMode is ignored. E_POINTER for
// a null stream or out, CTL_E_INVALIDPICTURE for data of another kind, cut
// short or too large, E_OUTOFMEMORY when the pixels cannot be had.
HRESULT OleLoadPicture(IStream* stream, LONG size, BOOL runMode, const GUID& riid, void** out);

namespace gfx::detail {

// A metafile picture (PICTYPE_METAFILE or PICTYPE_ENHMETAFILE) of that size
// in HIMETRIC, holding no handle and drawing nothing; for the picture loader.
HRESULT NewMetafilePicture(SHORT type, LONG width, LONG height, const GUID& riid, void** out);

} // namespace gfx::detail
