// Resources embedded by the build: found in their own module by name,
// letter case ignored, with their bytes and size; other modules do not see
// them; icon resources and stock icons come from LoadIcon.
#include "platform/win/Resources.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/GdiTable.h"
#include "platform/gfx/Icons.h"
#include "platform/gfx/StockIcons.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/LastError.h"
#include "platform/win/Library.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Resources, FindsAResourceByNameWhateverItsCase) {
    std::string expected = FileBytes(LORVANE_TEST_DATA "/resources/Logo.bmp");
    for (const char* name : {"Logo", "LOGO", "logo"}) {
        HRSRC found = FindResource(nullptr, name, RT_RCDATA);
        ASSERT_NE(found, nullptr) << name;
        HGLOBAL data = LoadResource(nullptr, found);
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(SizeofResource(nullptr, found), expected.size());
        EXPECT_EQ(std::string(static_cast<const char*>(LockResource(data)), expected.size()),
                  expected);
    }
    EXPECT_NE(FindResource(GetModuleHandle(nullptr), "logo", MAKEINTRESOURCE(10)), nullptr);
    EXPECT_NE(FindResource(nullptr, "logo", "#10"), nullptr);
}

TEST(Resources, FindsNothingOfAnotherNameTypeOrModule) {
    struct Case {
        const char* Name;
        const char* Type;
    };
    for (Case c : {Case{"Missing", RT_RCDATA}, Case{"Logo", RT_GROUP_ICON}, Case{"Log", RT_RCDATA},
                   Case{"#1", RT_RCDATA}}) {
        SetLastError(0);
        EXPECT_EQ(FindResource(nullptr, c.Name, c.Type), nullptr) << c.Name;
        EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
    }
    HMODULE companion = LoadLibrary("libPlatformTestCompanion.so");
    ASSERT_NE(companion, nullptr);
    EXPECT_EQ(FindResource(companion, "Logo", RT_RCDATA), nullptr)
        << "a library sees only its own resources";
    FreeLibrary(companion);
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
    EXPECT_EQ(LockResource(nullptr), nullptr);
}

TEST(LoadIcon, GivesTheModulesIconResource) {
    HICON icon = LoadIcon(GetModuleHandle(nullptr), "mainicon");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIcon(GetModuleHandle(nullptr), "MainIcon"), icon) << "shared, read once";
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObject(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(LoadIcon(GetModuleHandle(nullptr), "Logo"), nullptr) << "not an icon resource";
}

// The colour at (x, y) of an icon's image as 0xAARRGGBB.
uint32_t IconPixel(HICON icon, int x, int y) {
    std::lock_guard lock(gfx::detail::TableLock());
    return gfx::detail::FindIcon(icon)->Color->GetPixel(x, y);
}

TEST(LoadIcon, PaintsTheFourStockIconsOfMessageBoxes) {
    struct Case {
        const char* Id;
        const char* Name;
        int X, Y;      // a point of the background shape, away from the sign
        uint32_t Main; // the background shape's colour
    };
    Case cases[] = {{IDI_WARNING, "warning", 11, 22, 0xFFC83D},
                    {IDI_ERROR, "error", 16, 6, 0xE0302A},
                    {IDI_INFORMATION, "information", 8, 16, 0x1E7AD8},
                    {IDI_QUESTION, "question", 8, 16, 0x1E7AD8}};
    for (const Case& c : cases) {
        DWORD before = GetGuiResources(nullptr, GR_USEROBJECTS);
        HICON icon = LoadIcon(nullptr, c.Id);
        ASSERT_NE(icon, nullptr) << c.Name;
        EXPECT_EQ(LoadIcon(nullptr, c.Id), icon) << c.Name;
        EXPECT_EQ(GetGuiResources(nullptr, GR_USEROBJECTS), before)
            << "shared icons are not counted";
        EXPECT_TRUE(DestroyIcon(icon));
        EXPECT_EQ(LoadIcon(nullptr, c.Id), icon) << "a shared icon outlives DestroyIcon";
        std::lock_guard lock(gfx::detail::TableLock());
        gfx::Dib& image = *gfx::detail::FindIcon(icon)->Color;
        EXPECT_EQ(image.Width(), 32);
        EXPECT_EQ(image.Height(), 32);
        EXPECT_EQ(image.GetPixel(0, 0) >> 24, 0u) << c.Name << ": the corner is transparent";
        EXPECT_EQ(image.GetPixel(c.X, c.Y), 0xFF000000 | c.Main) << c.Name;
    }
    EXPECT_NE(IconPixel(LoadIcon(nullptr, IDI_ERROR), 16, 16), 0xFFE0302Au)
        << "the cross crosses the centre";
    EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(1)), nullptr);
}

} // namespace
