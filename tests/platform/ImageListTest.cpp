// The image list: images with masks from bitmaps and colours, out again as
// bitmaps, icons and drawings; change links; its stored-form data; and the
// drawing layer's classes read from stored forms.
#include "platform/gfx/ImageList.h"
#include "platform/forms/DataModule.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/forms/FormErrors.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/GraphicsClasses.h"
#include "platform/gfx/GraphicsErrors.h"
#include "platform/gfx/Icons.h"
#include "platform/gfx/RecordingCanvas.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

DWORD LiveGdi() {
    return GetGuiResources(nullptr, GR_GDIOBJECTS);
}
DWORD LiveIcons() {
    return GetGuiResources(nullptr, GR_USEROBJECTS);
}

// A strip of `count` 4 x 4 images: image i is filled with colours[i], its
// bottom-left pixel magenta.
std::unique_ptr<TBitmap> Strip(std::initializer_list<TColor> colours) {
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf24bit);
    b->SetSize(4 * int(colours.size()), 4);
    int i = 0;
    for (TColor c : colours) {
        b->Canvas()->Brush()->SetColor(c);
        b->Canvas()->FillRect(Bounds(4 * i, 0, 4, 4));
        b->Canvas()->SetPixels(4 * i, 3, clFuchsia);
        ++i;
    }
    return b;
}

TColor PixelOfBitmap(TBitmap& b, int x, int y) {
    return b.Canvas()->Pixels(x, y);
}

TEST(ImageList, AddMaskedSplitsTheStripAndMasksTheColour) {
    TImageList list(4, 4);
    auto strip = Strip({clBlue, clLime});
    EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2);
    TBitmap image, mask;
    list.GetImages(1, &image, &mask);
    EXPECT_EQ(PixelOfBitmap(image, 1, 1), clLime);
    EXPECT_EQ(PixelOfBitmap(image, 0, 3), clBlack); // blackened under the mask
    EXPECT_EQ(PixelOfBitmap(mask, 0, 3), clWhite);
    EXPECT_EQ(PixelOfBitmap(mask, 1, 1), clBlack);
}

TEST(ImageList, GetBitmapLeavesTheMaskedPartOfANewBitmapWhite) {
    TImageList list(4, 4);
    auto strip = Strip({clBlue});
    list.AddMasked(strip.get(), clFuchsia);
    TBitmap b;
    ASSERT_TRUE(list.GetBitmap(0, &b));
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(PixelOfBitmap(b, 1, 1), clBlue);
    EXPECT_EQ(PixelOfBitmap(b, 0, 3), clWhite);
    // So the bitmap's transparent colour, its bottom-left pixel, is white.
    EXPECT_EQ(b.TransparentColor(), clWhite);
    list.SetBkColor(clYellow);
    TBitmap withBackground;
    list.GetBitmap(0, &withBackground);
    EXPECT_EQ(PixelOfBitmap(withBackground, 0, 3), clYellow);
    EXPECT_FALSE(list.GetBitmap(1, &b));
    EXPECT_FALSE(list.GetBitmap(-1, &b));
    EXPECT_FALSE(list.GetBitmap(0, nullptr));
}

TEST(ImageList, AddTakesAMaskBitmapWhoseWhitePixelsAreTransparent) {
    TImageList list(4, 4);
    auto strip = Strip({clRed});
    TBitmap mask(4, 4);
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(Rect(0, 0, 4, 4));
    mask.Canvas()->SetPixels(2, 2, clWhite);
    EXPECT_EQ(list.Add(strip.get(), &mask), 0);
    TBitmap b;
    list.GetBitmap(0, &b);
    EXPECT_EQ(PixelOfBitmap(b, 2, 2), clWhite);
    EXPECT_EQ(PixelOfBitmap(b, 0, 3), clFuchsia); // not masked: the colour stays
    EXPECT_EQ(list.Add(nullptr, nullptr), -1);
    TBitmap small(2, 2);
    EXPECT_THROW(list.Add(&small, nullptr), EInvalidOperation);
    EXPECT_THROW(list.Add(strip.get(), &small), EInvalidOperation);
}

TEST(ImageList, GetIconGivesTheImageWithItsMask) {
    DWORD icons = LiveIcons(), gdi = LiveGdi();
    {
        TImageList list(4, 4);
        auto strip = Strip({clBlue});
        list.AddMasked(strip.get(), clFuchsia);
        TIcon icon;
        list.GetIcon(0, &icon);
        ASSERT_FALSE(icon.Empty());
        EXPECT_EQ(icon.Width(), 4);
        EXPECT_EQ(icon.Height(), 4);
        EXPECT_EQ(LiveIcons(), icons + 1);

        ICONINFO parts;
        ASSERT_TRUE(GetIconInfo(icon.Handle(), &parts));
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, parts.hbmMask);
        EXPECT_EQ(GetPixel(dc, 0, 3), RGB(255, 255, 255));
        EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 0));
        SelectObject(dc, parts.hbmColor);
        EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 255));
        EXPECT_EQ(GetPixel(dc, 0, 3), RGB(0, 0, 0));
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(parts.hbmMask);
        DeleteObject(parts.hbmColor);

        // Drawn, the masked pixel shows what was there.
        TBitmap target(4, 4);
        target.Canvas()->Brush()->SetColor(clLime);
        target.Canvas()->FillRect(Rect(0, 0, 4, 4));
        target.Canvas()->Draw(0, 0, &icon);
        EXPECT_EQ(PixelOfBitmap(target, 0, 3), clLime);
        EXPECT_EQ(PixelOfBitmap(target, 1, 1), clBlue);
    }
    EXPECT_EQ(LiveIcons(), icons);
    EXPECT_EQ(LiveGdi(), gdi);
}

TEST(ImageList, AnIconHandleReleasedFromItsHolderOutlivesIt) {
    TImageList list(4, 4);
    auto strip = Strip({clBlue});
    list.AddMasked(strip.get(), clFuchsia);
    HICON handle;
    {
        TIcon holder;
        list.GetIcon(0, &holder);
        handle = holder.ReleaseHandle();
    }
    ICONINFO parts;
    ASSERT_TRUE(GetIconInfo(handle, &parts));
    DeleteObject(parts.hbmMask);
    DeleteObject(parts.hbmColor);
    EXPECT_TRUE(DestroyIcon(handle));
}

TEST(ImageList, DrawingStylesAndTypesOnACanvas) {
    TImageList list(4, 4);
    auto strip = Strip({clBlue});
    list.AddMasked(strip.get(), clFuchsia);
    TBitmap target(4, 4);
    list.Draw(target.Canvas(), 0, 0, 0, dsNormal, itMask);
    EXPECT_EQ(PixelOfBitmap(target, 0, 3), clWhite);
    EXPECT_EQ(PixelOfBitmap(target, 1, 1), clBlack);
    list.SetBkColor(clYellow);
    list.Draw(target.Canvas(), 0, 0, 0, dsTransparent, itImage);
    EXPECT_EQ(PixelOfBitmap(target, 0, 3), clWhite);
    EXPECT_EQ(PixelOfBitmap(target, 1, 1), clBlue);
    list.Draw(target.Canvas(), 0, 0, 0, false);
    TColor gray = PixelOfBitmap(target, 1, 1);
    EXPECT_EQ(gray & 0xFF, (gray >> 8) & 0xFF);
    TRecordingCanvas recording;
    list.Draw(&recording, 5, 6, 0);
    list.Draw(&recording, 5, 6, 7); // no such image: nothing
    EXPECT_EQ(recording.Lines(), std::vector<std::string>{"Bits 4x4 (5,6)-(9,10) rop=blend"});
}

TEST(ImageList, EditingKeepsOrderAndRefusesBadIndices) {
    TImageList list(4, 4);
    auto strip = Strip({clRed, clLime, clBlue});
    list.AddMasked(strip.get(), clFuchsia);
    list.Move(0, 2);
    TBitmap b;
    list.GetBitmap(2, &b);
    EXPECT_EQ(PixelOfBitmap(b, 1, 1), clRed);
    list.Delete(0);
    list.GetBitmap(0, &b);
    EXPECT_EQ(PixelOfBitmap(b, 1, 1), clBlue);
    auto one = Strip({clYellow});
    list.InsertMasked(0, one.get(), clFuchsia);
    list.GetBitmap(0, &b);
    EXPECT_EQ(PixelOfBitmap(b, 1, 1), clYellow);
    list.ReplaceMasked(2, one.get(), clFuchsia);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_THROW(list.Delete(3), EInvalidOperation);
    EXPECT_THROW(list.Move(0, 3), EInvalidOperation);
    EXPECT_THROW(list.Insert(4, one.get(), nullptr), EInvalidOperation);
    list.Delete(-1);
    EXPECT_EQ(list.Count(), 0);
    list.AddMasked(strip.get(), clFuchsia);
    list.SetWidth(8); // a new size removes the images
    EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, ChangeLinksHearOfChangesAndSurviveEitherSideGoingFirst) {
    auto list = std::make_unique<TImageList>(4, 4);
    int heard = 0;
    auto link = std::make_unique<TChangeLink>();
    link->OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, list.get());
        ++heard;
    };
    list->RegisterChanges(link.get());
    EXPECT_EQ(link->Sender, list.get());
    auto strip = Strip({clRed, clBlue});
    list->AddMasked(strip.get(), clFuchsia);
    EXPECT_EQ(heard, 1);
    list->BeginUpdate();
    list->Delete(0);
    list->Delete(0);
    EXPECT_EQ(heard, 1);
    list->EndUpdate();
    EXPECT_EQ(heard, 2);
    link.reset(); // the link leaves the list
    list->Clear();
    EXPECT_EQ(heard, 2);

    TChangeLink survivor;
    list->RegisterChanges(&survivor);
    list.reset();
    EXPECT_EQ(survivor.Sender, nullptr);
}

TEST(ImageList, AddIconAndImagesOfAnotherList) {
    TImageList source(4, 4);
    auto strip = Strip({clBlue});
    source.AddMasked(strip.get(), clFuchsia);
    TIcon icon;
    source.GetIcon(0, &icon);
    TImageList target(8, 8);
    EXPECT_EQ(target.AddIcon(&icon), 0);
    target.AddImages(&source);
    EXPECT_EQ(target.Count(), 2);
    TBitmap b;
    for (int i = 0; i < 2; ++i) {
        target.GetBitmap(i, &b);
        EXPECT_EQ(PixelOfBitmap(b, 3, 3), clBlue) << i;
        EXPECT_EQ(PixelOfBitmap(b, 0, 7), clWhite) << i;
    }
    TImageList copy(nullptr);
    copy.Assign(&target);
    EXPECT_EQ(copy.Width(), 8);
    EXPECT_EQ(copy.Count(), 2);
}

TEST(ImageList, StoredDataRoundTripsImagesMasksAndSettings) {
    TImageList list(4, 4);
    list.SetBkColor(clAqua);
    list.SetColorDepth(cd32Bit);
    auto strip = Strip({clRed, clLime, clBlue, clYellow, clNavy});
    list.AddMasked(strip.get(), clFuchsia);
    TMemoryStream data;
    list.WriteData(data);
    const uint8_t* head = data.Memory();
    EXPECT_EQ(head[0], 'I');
    EXPECT_EQ(head[1], 'L');
    EXPECT_EQ(head[4], 5);     // count
    EXPECT_EQ(head[6], 8);     // capacity: two rows of four
    EXPECT_EQ(head[18], 0x21); // masked, 32 bits
    EXPECT_EQ(head[28], 'B');  // the images' bitmap follows the header

    data.SetPosition(0);
    TImageList read(nullptr);
    read.ReadData(data);
    EXPECT_EQ(data.GetPosition(), data.GetSize());
    EXPECT_EQ(read.Count(), 5);
    EXPECT_EQ(read.Width(), 4);
    EXPECT_EQ(read.BkColor(), clAqua);
    EXPECT_EQ(read.ColorDepth(), cd32Bit);
    EXPECT_TRUE(read.Masked());
    for (int i = 0; i < 5; ++i) {
        TBitmap a, b, ma, mb;
        list.GetImages(i, &a, &ma);
        read.GetImages(i, &b, &mb);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                ASSERT_EQ(PixelOfBitmap(a, x, y), PixelOfBitmap(b, x, y)) << i;
                ASSERT_EQ(PixelOfBitmap(ma, x, y), PixelOfBitmap(mb, x, y)) << i;
            }
    }
}

TEST(ImageList, MalformedStoredDataIsRefused) {
    TImageList list(4, 4);
    auto strip = Strip({clRed});
    list.AddMasked(strip.get(), clFuchsia);
    TMemoryStream good;
    list.WriteData(good);
    std::vector<uint8_t> bytes(good.Memory(), good.Memory() + good.GetSize());
    struct Case {
        const char* why;
        size_t at;
        uint8_t value;
        size_t cut;
        const char* reason;
    };
    const Case cases[] = {
        {"cut header", 0, 'I', 10, "header is cut short"},
        {"magic", 0, 'X', 0, "does not start with IL"},
        {"version", 2, 0x02, 0, "unknown version"},
        {"zero width", 10, 0, 0, "out of range"},
        {"more images than the bitmap holds", 4, 99, 0, "fewer than their count"},
        {"bitmap size beyond the data", 30, 0xFF, 0, "not a bitmap of the stated size"},
        {"masks missing", 0, 'I', 0, "masks are missing"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = bytes;
        bad[c.at] = c.value;
        if (c.cut)
            bad.resize(c.cut);
        if (std::string(c.why) == "masks missing")
            bad.resize(28 + (bytes[30] | bytes[31] << 8));
        TMemoryStream stream;
        stream.WriteBuffer(bad.data(), bad.size());
        stream.SetPosition(0);
        TImageList target(nullptr);
        try {
            target.ReadData(stream);
            ADD_FAILURE() << c.why;
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message.find("Failed to read ImageList data from stream"),
                      std::string::npos);
            EXPECT_NE(e.Message.find(c.reason), std::string::npos) << c.why << ": " << e.Message;
        }
    }
}

// A module of a stored form with an image list and a button with a glyph.
class TGlyphButton : public TComponent {
public:
    using TComponent::TComponent;
    TBitmap* Glyph() { return &glyph_; }
    TFont* Font() { return &font_; }
    TCustomImageList* Images = nullptr;
    void SetImages(TCustomImageList* value) { Images = value; }

private:
    TBitmap glyph_;
    TFont font_;
};

class TGlyphModule : public TDataModule {
public:
    using TDataModule::TDataModule;
};

std::string Hex(TStream& stream) {
    std::string out;
    stream.SetPosition(0);
    uint8_t b;
    char digits[3];
    while (stream.Read(&b, 1) == 1) {
        std::snprintf(digits, sizeof digits, "%02X", b);
        out += digits;
    }
    return out;
}

// A glyph's data as a stored form keeps it: the size (58), then the BMP file
// of one magenta pixel.
const char* kOnePixelGlyph = "3A000000424D3A000000000000003600000028000000010000000100000001001800"
                             "000000000400000000000000000000000000000000000000FF00FF00";

TEST(ImageList, StoredFormsReadImageListsGlyphsAndFonts) {
    TImageList source(4, 4);
    auto strip = Strip({clBlue, clLime});
    source.AddMasked(strip.get(), clFuchsia);
    TMemoryStream data;
    source.WriteData(data);

    forms::FormClassTable table;
    gfx::RegisterGraphicsClasses(table);
    gfx::RegisterGraphicsClasses(table); // twice does no harm
    table.Register<TGlyphButton, TComponent>()
        .Object("Glyph", [](TGlyphButton& b) { return b.Glyph(); })
        .Object("Font", [](TGlyphButton& b) { return b.Font(); })
        .Reference("Images", &TGlyphButton::SetImages);
    std::string form = "object Module: TGlyphModule\n"
                       "  object ImageList1: TImageList\n"
                       "    Height = 4\n"
                       "    Width = 4\n"
                       "    BkColor = clNone\n"
                       "    DrawingStyle = dsTransparent\n"
                       "    Bitmap = {\n      " +
                       Hex(data) +
                       "}\n"
                       "  end\n"
                       "  object Button: TGlyphButton\n"
                       "    Images = ImageList1\n"
                       "    Font.Charset = DEFAULT_CHARSET\n"
                       "    Font.Color = clHighlightText\n"
                       "    Font.Height = -12\n"
                       "    Font.Name = 'Segoe UI'\n"
                       "    Font.Style = [fsBold, fsUnderline]\n"
                       "    Glyph.Data = {\n      " +
                       std::string(kOnePixelGlyph) +
                       "}\n"
                       "  end\n"
                       "end\n";
    table.Register<TGlyphModule, TDataModule>().StoredForm(form);
    TGlyphModule* module = table.Create<TGlyphModule>(nullptr);
    auto* images = dynamic_cast<TImageList*>(module->FindComponent("ImageList1"));
    auto* button = dynamic_cast<TGlyphButton*>(module->FindComponent("Button"));
    ASSERT_TRUE(images && button);
    EXPECT_EQ(images->Count(), 2);
    EXPECT_EQ(images->DrawingStyle(), dsTransparent);
    EXPECT_EQ(button->Images, images);
    EXPECT_EQ(button->Font()->Name(), "Segoe UI");
    EXPECT_EQ(button->Font()->Size(), 9);
    EXPECT_EQ(button->Font()->Color(), clHighlightText);
    EXPECT_EQ(button->Font()->Style(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(button->Font()->Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(button->Glyph()->Width(), 1);
    EXPECT_EQ(button->Glyph()->PixelFormat(), pf24bit);
    EXPECT_EQ(button->Glyph()->TransparentColor(), clFuchsia);
    TBitmap b;
    images->GetBitmap(1, &b);
    EXPECT_EQ(PixelOfBitmap(b, 1, 1), clLime);
    module->Free();

    // A bad glyph names the property and the form.
    forms::FormClassTable other;
    gfx::RegisterGraphicsClasses(other);
    other.Register<TGlyphButton, TComponent>().Object("Glyph",
                                                      [](TGlyphButton& b) { return b.Glyph(); });
    other.Register<TGlyphModule, TDataModule>().StoredForm(
        "object Module: TGlyphModule\n  object Button: TGlyphButton\n    Glyph.Data = "
        "{08000000424D}\n  end\nend\n");
    try {
        other.Create<TGlyphModule>(nullptr);
        ADD_FAILURE() << "a bad glyph was read";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message.find("Glyph.Data"), std::string::npos) << e.Message;
        EXPECT_NE(e.Message.find("Bitmap image is not valid"), std::string::npos) << e.Message;
    }
}

} // namespace
