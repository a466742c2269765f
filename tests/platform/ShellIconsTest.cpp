// The shell's icons: SHGetFileInfo picks the image of a folder, of a kind of
// file by its extension, or of any document, from files that exist or from
// names and attributes alone; the system image lists draw them.
#include "platform/gfx/ShellIcons.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/Icons.h"
#include "tests/support/TempPlatformHome.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

TEST(SHGetFileInfo, PicksTheImageOfFolderAndKindOfFile) {
    TempPlatformHome home;
    std::string folder = home.path;
    std::ofstream(folder + "/notes.TXT") << "x";
    struct Case {
        std::string Path;
        DWORD Attributes;
        UINT Flags;
        int Index; // -1: no answer
        const char* TypeName;
    };
    const UINT byName = SHGFI_USEFILEATTRIBUTES;
    Case cases[] = {
        {folder, 0, 0, 1, "File folder"},
        {folder, 0, SHGFI_OPENICON, 2, "File folder"},
        {folder + "/notes.TXT", 0, 0, 3, "Text Document"},
        {folder + "/missing.txt", 0, 0, -1, ""},
        {"C:\\Files\\photo.JpG", FILE_ATTRIBUTE_NORMAL, byName, 4, "Picture"},
        {"report.zip", FILE_ATTRIBUTE_NORMAL, byName, 7, "Compressed Archive"},
        {"Archive.zip", FILE_ATTRIBUTE_DIRECTORY, byName, 1, "File folder"},
        {"data.xyz", FILE_ATTRIBUTE_NORMAL, byName, 0, "XYZ File"},
        {"README", FILE_ATTRIBUTE_NORMAL, byName, 0, "File"},
    };
    for (const Case& c : cases) {
        SHFILEINFO info;
        DWORD_PTR answer = SHGetFileInfo(c.Path.c_str(), c.Attributes, &info, sizeof info,
                                         c.Flags | SHGFI_SYSICONINDEX | SHGFI_TYPENAME);
        if (c.Index < 0) {
            EXPECT_EQ(answer, 0u) << c.Path;
            continue;
        }
        ASSERT_NE(answer, 0u) << c.Path;
        EXPECT_EQ(info.iIcon, c.Index) << c.Path;
        EXPECT_STREQ(info.szTypeName, c.TypeName) << c.Path;
    }
}

TEST(SHGetFileInfo, AnswersTheSmallOrLargeSystemList) {
    SHFILEINFO info;
    auto small = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfo("a.txt", 0, &info, sizeof info,
                      SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    auto large = reinterpret_cast<HIMAGELIST>(SHGetFileInfo(
        "a.txt", 0, &info, sizeof info, SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX));
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(small, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    ASSERT_TRUE(ImageList_GetIconSize(large, &cx, &cy));
    EXPECT_EQ(cx, 32);
    EXPECT_GT(ImageList_GetImageCount(large), 8);
    EXPECT_FALSE(ImageList_GetIconSize(nullptr, &cx, &cy));
    EXPECT_FALSE(ImageList_Draw(large, 99, nullptr, 0, 0, ILD_TRANSPARENT));
}

TEST(SHGetFileInfo, DrawsTheImageThroughItsTransparency) {
    TBitmap target(40, 40);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 40, 40));
    SHFILEINFO info;
    auto large = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfo("x", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                      SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX));
    ASSERT_TRUE(
        ImageList_Draw(large, info.iIcon, target.Canvas()->Handle(), 4, 4, ILD_TRANSPARENT));
    EXPECT_EQ(target.Canvas()->Pixels(4 + 16, 4 + 18), TColor(RGB(0xF6, 0xD4, 0x77)))
        << "the folder's face";
    EXPECT_EQ(target.Canvas()->Pixels(4, 4), clWhite) << "its transparent corner";
}

TEST(SHGetFileInfo, GivesAnIconTheCallerDestroys) {
    DWORD before = GetGuiResources(nullptr, GR_USEROBJECTS);
    SHFILEINFO info;
    ASSERT_NE(
        SHGetFileInfo("page.htm", 0, &info, sizeof info,
                      SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON | SHGFI_DISPLAYNAME),
        0u);
    ASSERT_NE(info.hIcon, nullptr);
    EXPECT_STREQ(info.szDisplayName, "page.htm");
    EXPECT_EQ(GetGuiResources(nullptr, GR_USEROBJECTS), before + 1);
    EXPECT_TRUE(DestroyIcon(info.hIcon));
    EXPECT_EQ(GetGuiResources(nullptr, GR_USEROBJECTS), before);
}

} // namespace
