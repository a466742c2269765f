// Ribbon pictures: a glyph or an image-list entry becomes a 32-bit bitmap
// whose transparent colour has alpha 0 (and whose other pixels are opaque
// unless the bitmap brought its own alpha); items become icons.
#include "RibbonTestSupport.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/Icons.h"
#include "platform/gfx/ImageList.h"
#include "platform/gfx/Picture.h"
#include "platform/gfx/SysColors.h"
#include "platform/sim/RibbonObjects.h"

#include <cstring>

namespace rbtest {
namespace {

// The pixels of a 32-bit section, top row first.
std::vector<uint32_t> Pixels(HBITMAP section) {
    BITMAP bm;
    EXPECT_EQ(GetObject(section, sizeof(bm), &bm), int(sizeof(bm)));
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_NE(bm.bmBits, nullptr);
    std::vector<uint32_t> pixels(size_t(bm.bmWidth) * size_t(std::abs(bm.bmHeight)));
    if (bm.bmBits)
        std::memcpy(pixels.data(), bm.bmBits, pixels.size() * 4);
    return pixels;
}

// A 3 x 2 bitmap of that format: navy, with magenta at the bottom left and top right.
std::unique_ptr<TBitmap> Sample(TPixelFormat format) {
    auto bitmap = std::make_unique<TBitmap>(3, 2);
    bitmap->SetPixelFormat(format);
    TCanvas* canvas = bitmap->Canvas();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            canvas->SetPixels(x, y, clNavy);
    canvas->SetPixels(0, 1, clFuchsia);
    canvas->SetPixels(2, 0, clFuchsia);
    return bitmap;
}

constexpr uint32_t kNavy = 0x000080; // 0xRRGGBB
constexpr uint32_t kMagenta = 0xFF00FF;

struct PictureInfo {
    SHORT Type = PICTYPE_UNINITIALIZED;
    HANDLE Handle = nullptr;
};

PictureInfo Inspect(const Variant& answer) {
    PictureInfo info;
    ComPtr<IPicture> picture = ComQuery<IPicture>(answer.AsDispatch().Get());
    if (!picture)
        return info;
    OLE_HANDLE handle = 0;
    picture->get_Type(&info.Type);
    picture->get_Handle(&handle);
    info.Handle = reinterpret_cast<HANDLE>(uintptr_t(handle));
    return info;
}

TEST(RibbonImages, Color32AlphaIsOpaqueRgbWithSystemColoursResolved) {
    EXPECT_EQ(Color32Alpha(0x00112233), 0xFF332211u);
    EXPECT_EQ(Color32Alpha(0x7F112233), 0xFF332211u); // the high byte of a plain colour is ignored
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(Color32Alpha(clBtnFace),
              0xFF000000u | ((face & 0xFF) << 16) | (face & 0xFF00) | (face >> 16 & 0xFF));
}

TEST(RibbonImages, A24BitGlyphIsOpaqueExceptItsTransparentColour) {
    auto glyph = Sample(pf24bit);
    glyph->SetTransparent(true);
    HBITMAP section = Create32BitWithAlpha(*glyph);
    ASSERT_TRUE(section != nullptr);
    std::vector<uint32_t> p = Pixels(section);
    ASSERT_EQ(p.size(), 6u);
    EXPECT_EQ(p, (std::vector<uint32_t>{0xFF000000 | kNavy, 0xFF000000 | kNavy, kMagenta, // top row
                                        kMagenta, 0xFF000000 | kNavy, 0xFF000000 | kNavy}));
    DeleteObject(section);
}

TEST(RibbonImages, AGlyphNotDrawnTransparentStaysOpaque) {
    auto glyph = Sample(pf24bit);
    HBITMAP section = Create32BitWithAlpha(*glyph);
    for (uint32_t pixel : Pixels(section))
        EXPECT_EQ(pixel >> 24, 0xFFu);
    DeleteObject(section);
}

TEST(RibbonImages, A32BitGlyphKeepsItsAlphaExceptForItsTransparentColour) {
    TBitmap glyph(2, 2);
    glyph.SetPixelFormat(pf32bit);
    auto* top = static_cast<uint32_t*>(glyph.ScanLine(0));
    auto* bottom = static_cast<uint32_t*>(glyph.ScanLine(1));
    top[0] = 0x80000080;
    top[1] = 0x40FF00FF;    // the transparent colour with some alpha
    bottom[0] = 0xC0FF00FF; // the bottom-left pixel: the transparent colour
    bottom[1] = 0x00123456;
    glyph.SetTransparent(true);
    HBITMAP section = Create32BitWithAlpha(glyph);
    EXPECT_EQ(Pixels(section),
              (std::vector<uint32_t>{0x80000080, 0x00FF00FF, 0x00FF00FF, 0x00123456}));
    DeleteObject(section);
}

TEST(RibbonImages, ASystemColourAsTransparentColourIsResolvedFirst) {
    TBitmap glyph(2, 1);
    glyph.SetPixelFormat(pf24bit);
    glyph.Canvas()->SetPixels(0, 0, clBtnFace);
    glyph.Canvas()->SetPixels(1, 0, clNavy);
    glyph.SetTransparentColor(clBtnFace);
    glyph.SetTransparent(true);
    HBITMAP section = Create32BitWithAlpha(glyph);
    std::vector<uint32_t> p = Pixels(section);
    EXPECT_EQ(p[0] >> 24, 0u);
    EXPECT_EQ(p[1] >> 24, 0xFFu);
    DeleteObject(section);
}

TEST(RibbonImages, AnEmptyBitmapGivesNoSection) {
    TBitmap empty;
    EXPECT_TRUE(Create32BitWithAlpha(empty) == nullptr);
}

class RibbonPictures : public RibbonAddIn {
protected:
    void SetUp() override { Connect(SendActionsForm()); }

    Variant Ask(const char16_t* name, std::vector<Variant> args) {
        DispArgs dispArgs(std::move(args));
        Variant result;
        EXPECT_EQ(InvokeByName(name, dispArgs, &result), S_OK);
        return result;
    }
    Variant Control(const std::u16string& id) {
        return Variant(sim::SimulatedRibbonControl::Create(id, u"", nullptr));
    }
    TadxRibbonCustomControl& Find(const std::u16string& id) {
        return *dynamic_cast<TadxRibbonCustomControl*>(Module().FindRibbonControl(id));
    }
};

TEST_F(RibbonPictures, AGlyphBecomesABitmapPictureWithItsMagentaRowTransparent) {
    // The picture owns its bitmap: keep it while the pixels are read.
    Variant answer = Ask(u"GetImage_Callback", {Control(kMenuButtonIds[0])});
    PictureInfo info = Inspect(answer);
    EXPECT_EQ(info.Type, PICTYPE_BITMAP);
    ASSERT_TRUE(info.Handle != nullptr);
    std::vector<uint32_t> p = Pixels(static_cast<HBITMAP>(info.Handle));
    ASSERT_EQ(p.size(), 256u);
    EXPECT_EQ(p[0], 0xFF000000 | kNavy);
    EXPECT_EQ(p[15 * 16], kMagenta);
    // The inner button and loadImage answer the split button's glyph.
    EXPECT_EQ(
        Inspect(Ask(u"GetImage_Callback", {Control(std::u16string(kSplitButtonId) + u"wrapped")}))
            .Type,
        PICTYPE_BITMAP);
    EXPECT_EQ(Inspect(Ask(u"GetImages_Callback", {Variant(std::u16string(kSplitButtonId))})).Type,
              PICTYPE_BITMAP);
}

TEST_F(RibbonPictures, WithoutAGlyphTheTabsImageListGivesThePicture) {
    auto* images = static_cast<TImageList*>(Module().FindComponent("ImageList1"));
    ASSERT_NE(images, nullptr);
    TBitmap strip(32, 16);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(RECT{0, 0, 32, 16});
    images->AddMasked(&strip, clFuchsia);
    TadxRibbonCustomControl& about = Find(kAboutId);
    about.SetGlyph(nullptr);
    about.SetImageIndex(1);
    Variant answer = Ask(u"GetImage_Callback", {Control(kAboutId)});
    PictureInfo info = Inspect(answer);
    EXPECT_EQ(info.Type, PICTYPE_BITMAP);
    EXPECT_EQ(Pixels(static_cast<HBITMAP>(info.Handle))[0] & 0xFFFFFF, 0xFF0000u);
    about.SetImageIndex(2); // the list's count: no picture
    EXPECT_FALSE(Ask(u"GetImage_Callback", {Control(kAboutId)}).AsDispatch());
    EXPECT_TRUE(Ask(u"GetShowImage_Callback", {Control(kAboutId)}).AsBool());
    about.SetImageIndex(-1);
    EXPECT_FALSE(Ask(u"GetShowImage_Callback", {Control(kAboutId)}).AsBool());
}

TEST_F(RibbonPictures, AnItemBecomesAnIconThePictureOwns) {
    auto* drop =
        static_cast<TadxRibbonDropDown*>(Find(kGroupId).GetControls()->Add(adxRibbonTypeDropDown));
    drop->SetID(u"Drop");
    TadxRibbonCustomControl* item = drop->Items()->Add();
    TBitmap glyph(16, 16);
    item->SetGlyph(&glyph);
    drop->Items()->Add();
    Variant answer = Ask(u"GetItemImage_Callback", {Control(u"Drop"), Variant(0)});
    PictureInfo info = Inspect(answer);
    EXPECT_EQ(info.Type, PICTYPE_ICON);
    ICONINFO parts;
    EXPECT_TRUE(GetIconInfo(static_cast<HICON>(info.Handle), &parts)); // still alive
    if (parts.hbmColor)
        DeleteObject(parts.hbmColor);
    if (parts.hbmMask)
        DeleteObject(parts.hbmMask);
    EXPECT_TRUE(Ask(u"GetShowItemImage_Callback", {Control(u"Drop"), Variant(0)}).AsBool());
    EXPECT_FALSE(Ask(u"GetItemImage_Callback", {Control(u"Drop"), Variant(1)}).AsDispatch());
}

TEST_F(RibbonPictures, AHandlerMayAnswerWithAPictureOfItsOwn) {
    ComPtr<IDispatch> own = fwtest::FakeHost::Create(IID_IDispatch, u"");
    auto& button = Find(kMenuButtonIds[0]);
    button.OnPropertyChanging = [&](TObject*, TadxRibbonControlPropertyType kind, Variant& value,
                                    IDispatch*) {
        EXPECT_EQ(kind, rcptGlyph);
        EXPECT_TRUE(value.IsEmpty());
        value = Variant(own);
    };
    EXPECT_EQ(Ask(u"GetImage_Callback", {Control(kMenuButtonIds[0])}).AsDispatch().Get(),
              own.Get());
}

// A picture handler may turn the add-in off (the host disconnects it at once
// when its COM add-ins entry is set to not connected, which frees the module
// and its controls), and may raise after that: the callback then answers no
// picture and touches neither the control nor the module again.
class TurnedOffFromAPictureHandler : public RibbonPictures,
                                     public ::testing::WithParamInterface<std::tuple<bool, bool>> {
protected:
    void TurnOff(bool raises) {
        EXPECT_EQ(addIn->OnDisconnection(ext_dm_UserClosed, nullptr), S_OK);
        if (raises)
            throw Exception("The licence has expired");
    }
};

TEST_P(TurnedOffFromAPictureHandler, AnswersNoPicture) {
    const bool item = std::get<0>(GetParam());
    const bool raises = std::get<1>(GetParam());
    Variant answer;
    if (item) {
        auto* drop = static_cast<TadxRibbonDropDown*>(
            Find(kGroupId).GetControls()->Add(adxRibbonTypeDropDown));
        drop->SetID(u"Drop");
        TBitmap glyph(16, 16);
        drop->Items()->Add()->SetGlyph(&glyph);
        drop->OnItemPropertyChanging = [this, raises](TObject*, TadxRibbonControlPropertyType kind,
                                                      Variant&, IDispatch*, int32_t) {
            EXPECT_EQ(kind, rcptItemGlyph);
            TurnOff(raises);
        };
        answer = Ask(u"GetItemImage_Callback", {Control(u"Drop"), Variant(0)});
    } else {
        Find(kMenuButtonIds[0]).OnPropertyChanging =
            [this, raises](TObject*, TadxRibbonControlPropertyType kind, Variant&, IDispatch*) {
                EXPECT_EQ(kind, rcptGlyph);
                TurnOff(raises);
            };
        answer = Ask(u"GetImage_Callback", {Control(kMenuButtonIds[0])});
    }
    EXPECT_EQ(static_cast<TadxAddin*>(addIn.Get())->Module(), nullptr);
    EXPECT_FALSE(answer.AsDispatch());
    EXPECT_TRUE(user.Shown().empty());
    // Every later callback answers as for a control the module does not know.
    EXPECT_FALSE(Ask(u"GetImage_Callback", {Control(kMenuButtonIds[0])}).AsDispatch());
}

INSTANTIATE_TEST_SUITE_P(RibbonPictures, TurnedOffFromAPictureHandler,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()));

} // namespace
} // namespace rbtest
