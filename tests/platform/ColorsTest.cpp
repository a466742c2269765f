// Colour values: system colours, their lookup through ColorToRGB, and the
// names and numbers stored forms use.
#include "platform/gfx/Colors.h"
#include "platform/gfx/SysColors.h"

#include <gtest/gtest.h>

namespace {

class SysColorsTest : public ::testing::Test {
protected:
    void TearDown() override { platform::ResetSysColors(); }
};

TEST_F(SysColorsTest, StandardSchemeAndChangesAreSeenByColorToRGB) {
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0, 120, 215));
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clHighlightText), GetSysColor(COLOR_HIGHLIGHTTEXT));

    const int elements[] = {COLOR_BTNFACE, COLOR_INFOBK};
    const COLORREF values[] = {RGB(1, 2, 3), RGB(4, 5, 6)};
    EXPECT_TRUE(SetSysColors(2, elements, values));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(4, 5, 6));
    platform::ResetSysColors();
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
}

TEST_F(SysColorsTest, IndicesOutsideTheTableAreRefused) {
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(COLOR_COUNT), 0u);
    const int elements[] = {COLOR_WINDOW, 99};
    const COLORREF values[] = {RGB(9, 9, 9), RGB(9, 9, 9)};
    EXPECT_FALSE(SetSysColors(2, elements, values));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
}

TEST(Colors, OnlyTheLowByteNamesTheSystemColour) {
    // 0xFF0000nn: any value with the top bit set is a system colour index.
    EXPECT_EQ(ColorToRGB(TColor(0xFF000F0F)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clRed), COLORREF(0x0000FF));
    EXPECT_EQ(ColorToRGB(clNone), COLORREF(0x1FFFFFFF));
}

TEST(Colors, NamesAndNumbersRoundTrip) {
    EXPECT_EQ(StringToColor("clBtnFace"), clBtnFace);
    EXPECT_EQ(StringToColor("CLRED"), clRed);
    EXPECT_EQ(StringToColor("$00FF00FF"), clFuchsia);
    EXPECT_EQ(StringToColor("$FF00000F"), clBtnFace);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_EQ(ColorToString(clWindowText), "clWindowText");
    EXPECT_EQ(ColorToString(clSilver), "clSilver"); // the first of two names for one value
    EXPECT_EQ(ColorToString(0x123456), "$00123456");
    EXPECT_EQ(ColorToString(clNone), "clNone");
    EXPECT_FALSE(IdentToColor("clNoSuchColour").has_value());
    EXPECT_ANY_THROW(StringToColor("clNoSuchColour"));
}

} // namespace
