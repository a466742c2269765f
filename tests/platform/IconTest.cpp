// TIcon and icon files: handles owned and released, size rules, round trips
// through icon files, and malformed files refused.
#include "platform/gfx/Icon.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/GraphicsErrors.h"
#include "platform/gfx/IcoCodec.h"
#include "platform/gfx/Icons.h"
#include "platform/gfx/PngCodec.h"
#include "platform/gfx/RecordingCanvas.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

namespace {

DWORD LiveIcons() {
    return GetGuiResources(nullptr, GR_USEROBJECTS);
}

// An icon of 3 x 2: colour 32-bit with one alpha value, the top-left pixel masked.
HICON MakeIcon() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = 3;
    info.bmiHeader.biHeight = -2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    uint32_t* pixels = static_cast<uint32_t*>(bits);
    for (int i = 0; i < 6; ++i)
        pixels[i] = 0x000000FF;
    pixels[0] = 0;
    pixels[5] = 0x80FF0000;
    const uint8_t maskRows[4] = {0x80, 0, 0, 0};
    HBITMAP mask = CreateBitmap(3, 2, 1, 1, maskRows);
    ICONINFO parts;
    parts.hbmColor = colour;
    parts.hbmMask = mask;
    HICON icon = CreateIconIndirect(&parts);
    DeleteObject(colour);
    DeleteObject(mask);
    return icon;
}

TEST(Icon, OwnsItsHandleUntilReleased) {
    DWORD before = LiveIcons();
    {
        TIcon icon;
        EXPECT_TRUE(icon.Empty());
        EXPECT_TRUE(icon.Transparent());
        icon.SetHandle(MakeIcon());
        EXPECT_EQ(icon.Width(), 3);
        EXPECT_EQ(icon.Height(), 2);
        EXPECT_THROW(icon.SetWidth(5), EInvalidGraphicOperation);
        TIcon copy;
        copy.Assign(&icon);
        EXPECT_NE(copy.Handle(), icon.Handle());
        EXPECT_EQ(LiveIcons(), before + 2);
    }
    EXPECT_EQ(LiveIcons(), before);
    TIcon icon;
    icon.SetHandle(MakeIcon());
    HICON kept = icon.ReleaseHandle();
    EXPECT_TRUE(icon.Empty());
    EXPECT_TRUE(DestroyIcon(kept));
    icon.SetWidth(16); // an empty icon takes the size it is to have
    EXPECT_EQ(icon.Width(), 16);
}

TEST(Icon, FileRoundTripKeepsColoursAlphaAndMask) {
    TIcon icon;
    icon.SetHandle(MakeIcon());
    TMemoryStream file;
    icon.SaveToStream(file);
    EXPECT_EQ(file.Memory()[2], 1); // an icon file
    file.SetPosition(0);
    TIcon read;
    read.LoadFromStream(file);
    ICONINFO a, b;
    ASSERT_TRUE(GetIconInfo(icon.Handle(), &a));
    ASSERT_TRUE(GetIconInfo(read.Handle(), &b));
    for (HBITMAP* pair : {&a.hbmColor, &a.hbmMask}) {
        HBITMAP other = pair == &a.hbmColor ? b.hbmColor : b.hbmMask;
        BITMAPINFO info{};
        info.bmiHeader.biSize = 40;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biHeight = -2;
        std::vector<uint32_t> x(6), y(6);
        GetDIBits(nullptr, *pair, 0, 2, x.data(), &info, DIB_RGB_COLORS);
        GetDIBits(nullptr, other, 0, 2, y.data(), &info, DIB_RGB_COLORS);
        EXPECT_EQ(x, y);
    }
    for (HBITMAP h : {a.hbmColor, a.hbmMask, b.hbmColor, b.hbmMask})
        DeleteObject(h);
}

TEST(Icon, DrawsThroughItsMaskAndIsRecordedAsAGraphic) {
    TIcon icon;
    icon.SetHandle(MakeIcon());
    TRecordingCanvas recording;
    recording.Draw(1, 2, &icon);
    EXPECT_EQ(recording.Lines(),
              std::vector<std::string>{"Draw TIcon 3x2 (1,2)-(4,4) transparent"});
}

TEST(Icon, ImageStoredAsPngGivesItsColoursAndAlphaAsMask) {
    gfx::Dib pixels(2, 1, 32);
    pixels.SetPixel(0, 0, 0xFF112233); // opaque
    pixels.SetPixel(1, 0, 0x00445566); // transparent
    std::vector<uint8_t> png = gfx::EncodePng(pixels.View());
    // A directory of one 2 x 1 entry of 32 bits, its image right after it.
    std::vector<uint8_t> file = {0, 0, 1, 0, 1, 0, 2, 1, 0, 0, 1, 0, 32, 0};
    for (uint32_t v : {uint32_t(png.size()), 22u})
        for (int i = 0; i < 4; ++i)
            file.push_back(uint8_t(v >> (8 * i)));
    file.insert(file.end(), png.begin(), png.end());
    gfx::IconImage image = gfx::DecodeIco(file.data(), file.size());
    ASSERT_EQ(image.Color->Width(), 2);
    EXPECT_EQ(image.Color->GetPixel(0, 0) & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(image.Mask->View().GetIndex(0, 0), 0);
    EXPECT_EQ(image.Mask->View().GetIndex(1, 0), 1);
}

TEST(Icon, MalformedFilesAreRefused) {
    TIcon icon;
    icon.SetHandle(MakeIcon());
    TMemoryStream good;
    icon.SaveToStream(good);
    std::vector<uint8_t> bytes(good.Memory(), good.Memory() + good.GetSize());
    struct Case {
        const char* why;
        size_t at;
        uint8_t value;
        size_t cut;
        const char* reason;
    };
    const Case cases[] = {
        {"too short", 0, 0, 4, "too short"},
        {"not an icon", 2, 7, 0, "not an icon"},
        {"no images", 4, 0, 0, "no image"},
        {"directory cut", 0, 0, 12, "directory is cut short"},
        {"image beyond the data", 18, 0xFF, 0, "beyond the data"},
        {"odd height", 22 + 8, 5, 0, "twice the icon's"},
        {"bad bit count", 22 + 14, 7, 0, "bit count 7"},
        {"png", 22, 0x89, 0, "PNG"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = bytes;
        bad[c.at] = c.value;
        if (std::string(c.why) == "png")
            std::copy_n("\x89PNG\r\n\x1A\n", 8, bad.begin() + 22);
        if (c.cut)
            bad.resize(c.cut);
        try {
            gfx::DecodeIco(bad.data(), bad.size());
            ADD_FAILURE() << c.why;
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message.find("Icon image is not valid"), std::string::npos);
            EXPECT_NE(e.Message.find(c.reason), std::string::npos) << c.why << ": " << e.Message;
        }
    }
}

} // namespace
