// Automation pictures: made from bitmap and icon handles, owned or not,
// read late-bound through IPictureDisp and rendered; nothing leaks.
#include "platform/gfx/Picture.h"
#include "platform/com/ComObject.h"
#include "platform/com/LateBound.h"
#include "platform/com/OleError.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/Icons.h"
#include "platform/gfx/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

DWORD LiveGdi() {
    return GetGuiResources(nullptr, GR_GDIOBJECTS);
}
DWORD LiveIcons() {
    return GetGuiResources(nullptr, GR_USEROBJECTS);
}

// A 32-bit top-down section of 16 x 8 with one known pixel.
HBITMAP Section(uint32_t** pixels = nullptr) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -8;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    static_cast<uint32_t*>(bits)[3 * 16 + 5] = 0x80FF0000;
    if (pixels)
        *pixels = static_cast<uint32_t*>(bits);
    return h;
}

PICTDESC BitmapDesc(HBITMAP h, UINT size = sizeof(PICTDESC)) {
    PICTDESC d;
    d.cbSizeofstruct = size;
    d.picType = PICTYPE_BITMAP;
    d.bmp.hbitmap = h;
    d.bmp.hpal = nullptr;
    return d;
}

ComPtr<IPictureDisp> MakePicture(HBITMAP h, BOOL own, UINT size = sizeof(PICTDESC)) {
    PICTDESC d = BitmapDesc(h, size);
    ComPtr<IPictureDisp> picture;
    EXPECT_EQ(OleCreatePictureIndirect(&d, IID_IPictureDisp, own, picture.ReceiveVoid()), S_OK);
    return picture;
}

TEST(Picture, AnOwnedBitmapIsFreedWithThePicture) {
    DWORD gdi = LiveGdi();
    long objects = PlatformObjectCount().Objects();
    HBITMAP h = Section();
    ComPtr<IPictureDisp> picture = MakePicture(h, TRUE);
    ASSERT_TRUE(picture);
    EXPECT_EQ(PlatformObjectCount().Objects(), objects + 1);
    picture.Reset();
    EXPECT_EQ(LiveGdi(), gdi);
    EXPECT_FALSE(DeleteObject(h));
    EXPECT_EQ(PlatformObjectCount().Objects(), objects);
}

TEST(Picture, ABitmapNotOwnedOutlivesThePicture) {
    DWORD gdi = LiveGdi();
    HBITMAP h = Section();
    MakePicture(h, FALSE).Reset();
    EXPECT_EQ(LiveGdi(), gdi + 1);
    EXPECT_TRUE(DeleteObject(h));
    EXPECT_EQ(LiveGdi(), gdi);
}

TEST(Picture, PropertiesAreReadLateBoundAtTheirStandardIds) {
    HBITMAP h = Section();
    ComPtr<IPictureDisp> picture = MakePicture(h, TRUE, 20);
    ASSERT_TRUE(picture);
    Variant handle = dispGet(picture, "Handle");
    EXPECT_EQ(handle.Type(), VT_I4);
    EXPECT_EQ(uint32_t(handle.AsInteger()), uint32_t(reinterpret_cast<uintptr_t>(h)));
    Variant type = dispGet(picture, "Type");
    EXPECT_EQ(type.Type(), VT_I2);
    EXPECT_EQ(type.AsInteger(), PICTYPE_BITMAP);
    EXPECT_EQ(dispGet(picture, "Width").AsInteger(), 423);  // 16 px
    EXPECT_EQ(dispGet(picture, "Height").AsInteger(), 212); // 8 px
    EXPECT_EQ(dispGet(picture, "hPal").AsInteger(), 0);
    EXPECT_EQ(dispGetId(picture, DISPID_PICT_HANDLE).AsInteger(), handle.AsInteger());
    EXPECT_EQ(dispGetId(picture, DISPID_PICT_TYPE).AsInteger(), PICTYPE_BITMAP);
    EXPECT_EQ(dispGetId(picture, DISPID_PICT_WIDTH).AsInteger(), 423);
    EXPECT_EQ(dispGetId(picture, DISPID_PICT_HEIGHT).AsInteger(), 212);
    EXPECT_EQ(dispId(picture, "Render"), DISPID_PICT_RENDER);

    // The same through IPicture.
    ComPtr<IPicture> p = picture.Query<IPicture>();
    ASSERT_TRUE(p);
    SHORT t = 0;
    OLE_XSIZE_HIMETRIC w = 0;
    DWORD attributes = 9;
    EXPECT_EQ(p->get_Type(&t), S_OK);
    EXPECT_EQ(p->get_Width(&w), S_OK);
    EXPECT_EQ(p->get_Attributes(&attributes), S_OK);
    EXPECT_EQ(t, PICTYPE_BITMAP);
    EXPECT_EQ(w, 423);
    EXPECT_EQ(attributes, 0u);
    EXPECT_TRUE(IsSameObject(p.Get(), picture.Get()));
}

TEST(Picture, PixelsCanBeReadBackFromTheHandle) {
    ComPtr<IPictureDisp> picture = MakePicture(Section(), TRUE);
    HBITMAP h =
        reinterpret_cast<HBITMAP>(uintptr_t(uint32_t(dispGet(picture, "Handle").AsInteger())));
    DIBSECTION ds;
    ASSERT_EQ(GetObject(h, sizeof ds, &ds), int(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
    EXPECT_EQ(ds.dsBmih.biHeight, -8);
    EXPECT_EQ(static_cast<const uint32_t*>(ds.dsBm.bmBits)[3 * 16 + 5], 0x80FF0000u);
    BITMAPINFO info{};
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biHeight = -8;
    std::vector<uint32_t> copy(16 * 8);
    ASSERT_EQ(GetDIBits(nullptr, h, 0, 8, copy.data(), &info, DIB_RGB_COLORS), 8);
    EXPECT_EQ(copy[3 * 16 + 5], 0x80FF0000u);
}

TEST(Picture, AFailedCreationLeavesTheHandleToTheCaller) {
    DWORD gdi = LiveGdi();
    HBITMAP h = Section();
    PICTDESC d = BitmapDesc(h);
    void* out = &d;
    EXPECT_EQ(OleCreatePictureIndirect(&d, IID_IDispatch, TRUE, nullptr), E_POINTER);
    EXPECT_EQ(OleCreatePictureIndirect(&d, MakeGuid("{11111111-2222-3333-4444-555555555555}"), TRUE,
                                       &out),
              E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    d.cbSizeofstruct = 12;
    EXPECT_EQ(OleCreatePictureIndirect(&d, IID_IPictureDisp, TRUE, &out), E_INVALIDARG);
    d.cbSizeofstruct = sizeof(PICTDESC);
    d.picType = PICTYPE_METAFILE;
    EXPECT_EQ(OleCreatePictureIndirect(&d, IID_IPictureDisp, TRUE, &out), E_INVALIDARG);
    EXPECT_TRUE(DeleteObject(h));
    EXPECT_EQ(LiveGdi(), gdi);
}

TEST(Picture, APictureOfNoBitmapHasNoSize) {
    ComPtr<IPictureDisp> picture = MakePicture(nullptr, TRUE);
    ASSERT_TRUE(picture);
    EXPECT_EQ(dispGet(picture, "Handle").AsInteger(), 0);
    EXPECT_EQ(dispGet(picture, "Width").AsInteger(), 0);
    ComPtr<IPicture> empty;
    EXPECT_EQ(OleCreatePictureIndirect(nullptr, IID_IPicture, FALSE, empty.ReceiveVoid()), S_OK);
    SHORT type = 0;
    empty->get_Type(&type);
    EXPECT_EQ(type, PICTYPE_UNINITIALIZED);
}

TEST(Picture, IconPicturesAreTransparentAndOwnedOnlyWhenAsked) {
    DWORD icons = LiveIcons(), gdi = LiveGdi();
    HBITMAP mask = CreateBitmap(4, 4, 1, 1, nullptr);
    HBITMAP colour = CreateBitmap(4, 4, 1, 32, nullptr);
    ICONINFO info;
    info.hbmMask = mask;
    info.hbmColor = colour;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    for (BOOL own : {FALSE, TRUE}) {
        PICTDESC d;
        d.picType = PICTYPE_ICON;
        d.icon.hicon = icon;
        ComPtr<IPicture> picture;
        ASSERT_EQ(OleCreatePictureIndirect(&d, IID_IPicture, own, picture.ReceiveVoid()), S_OK);
        DWORD attributes = 0;
        picture->get_Attributes(&attributes);
        EXPECT_EQ(attributes, PICTURE_TRANSPARENT);
        OLE_YSIZE_HIMETRIC height = 0;
        picture->get_Height(&height);
        EXPECT_EQ(height, 106);
        picture.Reset();
        EXPECT_EQ(LiveIcons(), own ? icons : icons + 1) << own;
    }
    EXPECT_EQ(LiveGdi(), gdi);
}

TEST(Picture, RenderDrawsTheWholePictureUprightOntoACanvas) {
    ComPtr<IPictureDisp> disp = MakePicture(Section(), TRUE);
    ComPtr<IPicture> picture = disp.Query<IPicture>();
    TRecordingCanvas recording;
    EXPECT_EQ(picture->Render(recording.Handle(), 2, 3, 32, 16, 0, 212, 423, -212, nullptr), S_OK);
    EXPECT_EQ(recording.Lines(), std::vector<std::string>{"Bits 16x8 (2,3)-(34,19) rop=$00CC0020"});

    TBitmap target(16, 8);
    EXPECT_EQ(picture->Render(target.Canvas()->Handle(), 0, 0, 16, 8, 0, 212, 423, -212, nullptr),
              S_OK);
    EXPECT_EQ(static_cast<const uint32_t*>(target.ScanLine(3))[5], 0x80FF0000u);
    // Drawn with y counted upwards, the picture comes out upside down.
    EXPECT_EQ(picture->Render(target.Canvas()->Handle(), 0, 0, 16, 8, 0, 0, 423, 212, nullptr),
              S_OK);
    EXPECT_EQ(static_cast<const uint32_t*>(target.ScanLine(4))[5], 0x80FF0000u);
    // A caller's size far beyond the canvas draws only what the canvas holds;
    // rectangles whose far edges leave the int range are refused.
    EXPECT_EQ(picture->Render(target.Canvas()->Handle(), 0, 0, INT32_MAX, INT32_MAX, 0, 212, 423,
                              -212, nullptr),
              S_OK);
    EXPECT_EQ(static_cast<const uint32_t*>(target.ScanLine(4))[5], 0u); // the source's corner
    const LONG wild[][8] = {
        {1, 0, INT32_MAX, 8, 0, 212, 423, -212},
        {0, 0, 16, 8, INT32_MAX, 212, INT32_MAX, -212},
        {0, 0, 16, 8, 0, INT32_MIN, 423, -212},
        {0, 0, 16, 8, 0, 0, 423, INT32_MIN},
    };
    for (const auto& w : wild)
        EXPECT_EQ(picture->Render(target.Canvas()->Handle(), w[0], w[1], w[2], w[3], w[4], w[5],
                                  w[6], w[7], nullptr),
                  E_INVALIDARG);
    // Late-bound, as a script would.
    dispCall(disp, "Render", int32_t(reinterpret_cast<uintptr_t>(recording.Handle())), 0, 0, 16, 8,
             0, 212, 423, -212);
    EXPECT_EQ(recording.Records().size(), 2u);
}

} // namespace
