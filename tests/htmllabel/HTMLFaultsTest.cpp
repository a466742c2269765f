// Inputs that once went wrong in the renderer: entities decoded twice or
// inside attribute values, pictures looked up by an upper-cased path,
// background pictures without area, image numbers and sizes out of range,
// unmatched closing tags, lines that could not make progress, and pictures
// that fail to load.
#include "htmllabel/HTMLDraw.h"
#include "htmllabel/HTMLHelpers.h"
#include "htmllabel/PictureContainer.h"
#include "platform/gfx/ImageList.h"
#include "platform/text/Text.h"
#include "tests/htmllabel/HTMLDrawSupport.h"
#include "tests/htmllabel/PictureTestSupport.h"
#include "tests/support/TempPlatformHome.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace htmltest;

namespace {

using Lines = std::vector<std::string>;

// A placeable metafile one twip square: its size in pixels is 0 x 0.
std::vector<uint8_t> TinyMetafile() {
    std::vector<uint8_t> bytes(22, 0);
    const uint8_t header[] = {0xD7, 0xCD, 0xC6, 0x9A};
    std::copy(std::begin(header), std::end(header), bytes.begin());
    bytes[10] = 1;    // right
    bytes[12] = 1;    // bottom
    bytes[14] = 0xA0; // 1440 units an inch
    bytes[15] = 0x05;
    return bytes;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace

TEST(HTMLFaults, EntitiesAreDecodedOnceAndValuesKeepTheirAmpersand) {
    TDrawn d = Draw("&amp;lt;b&amp;gt; x", Rect(0, 0, 200, 50));
    EXPECT_EQ(TextLines(d)[0],
              R"(Text (1,0) "&lt;b&gt; " font="Tahoma"/8/clWindowText clip=(1,0)-(200,11))");
    EXPECT_EQ(d.Result.StripVal, "&lt;b&gt; x");
    THTMLDrawParams p;
    p.X = 3;
    p.Y = 3;
    p.CheckOnly = true;
    TDrawn link = Draw("<a href=\"a&amp;b&quot;c\">go</a>", Rect(0, 0, 200, 50), p);
    EXPECT_EQ(link.Result.AnchorVal, "a&b\"c");
    // "&lt;" and "&gt;" make no tag.
    TDrawn shown = Draw("&lt;b&gt;x", Rect(0, 0, 200, 50));
    EXPECT_EQ(TextLines(shown)[0],
              R"(Text (1,0) "<b>x" font="Tahoma"/8/clWindowText clip=(1,0)-(200,11))");
}

TEST(HTMLFaults, PicturesAreFoundByTheirPathAsWritten) {
    TempPlatformHome home;
    std::filesystem::create_directories(home.path + "/Pics");
    std::string path = home.path + "/Pics/Logo.Gif";
    WriteFile(path, picturetest::ThreeFrameGif());
    THTMLPictureCache cache;
    THTMLDrawParams p;
    p.PictureCache = &cache;
    TDrawn d = Draw("<img src=\"File://" + path + "\">", Rect(0, 0, 200, 50), p);
    ASSERT_EQ(cache.Count(), 1);
    EXPECT_FALSE(cache.GetPicture(0)->Empty());
    EXPECT_EQ(cache.GetPicture(0)->ID(), "FILE://" + text::AsciiUpperCase(path));
    ASSERT_EQ(d.Lines.size(), 1u);
    EXPECT_EQ(d.Lines[0].rfind("Draw THTMLPicture", 0), 0u) << d.Lines[0];
    // The second paint finds it in the cache.
    Draw("<IMG SRC=\"file://" + path + "\">", Rect(0, 0, 200, 50), p);
    EXPECT_EQ(cache.Count(), 1);
}

TEST(HTMLFaults, APictureThatFailsIsKeptEmptyAndDrawsNothing) {
    TempPlatformHome home;
    WriteFile(home.path + "/bad.gif", {'G', 'I', 'F', '8', '9', 'a', 1, 2});
    THTMLPictureCache cache;
    THTMLDrawParams p;
    p.PictureCache = &cache;
    for (int paint = 0; paint < 2; ++paint) {
        TDrawn d;
        EXPECT_NO_THROW(d = Draw("a<img src=\"FILE://" + home.path + "/missing.gif\">" +
                                     "<img src=\"FILE://" + home.path + "/bad.gif\">b",
                                 Rect(0, 0, 200, 50), p));
        EXPECT_EQ(TextLines(d).size(), 2u);
        EXPECT_EQ(d.Result.XSize, 12);
        EXPECT_EQ(d.Lines.size(), 2u);
    }
    ASSERT_EQ(cache.Count(), 2);
    EXPECT_TRUE(cache.GetPicture(0)->Empty());
    EXPECT_TRUE(cache.GetPicture(1)->Empty());
}

TEST(HTMLFaults, ABackgroundWithoutAreaIsNotTiled) {
    TPictureContainer container(nullptr);
    TPictureItem* item = container.Items()->Add();
    item->SetName("Tiny");
    picturetest::LoadBytes(*item->Picture(), TinyMetafile());
    ASSERT_FALSE(item->Picture()->Empty());
    ASSERT_EQ(item->Picture()->Width(), 0);
    THTMLDrawParams p;
    p.PictureContainer = &container;
    TDrawn d = Draw("<body background=\"tiny\">a", Rect(0, 0, 100, 50), p);
    EXPECT_EQ(d.Lines.size(), 1u);
    // A picture with area is tiled over the visible part only.
    TPictureItem* logo = container.Items()->Add();
    logo->SetName("Logo");
    logo->Picture()->LoadFromURL("RES://LOGO");
    TDrawn tiled = Draw("<body background=\"logo\">", Rect(0, 0, 12, 8), p);
    EXPECT_EQ(tiled.Lines, (Lines{
                               "Clip (0,0)-(12,8)",
                               "Draw THTMLPicture 6x4 (0,0)-(6,4)",
                               "Draw THTMLPicture 6x4 (6,0)-(12,4)",
                               "Draw THTMLPicture 6x4 (0,4)-(6,8)",
                               "Draw THTMLPicture 6x4 (6,4)-(12,8)",
                               "Clip none",
                           }));
}

TEST(HTMLFaults, ImageNumbersSizesAndIndentsStayInRange) {
    TImageList list(16, 16);
    TBitmap strip(32, 16);
    list.Add(&strip, nullptr);
    THTMLDrawParams p;
    p.Images = &list;
    for (const char* src : {"IDX:-1", "IDX:2", "IDX:99999999999", "IDX:-99999999999"}) {
        TDrawn d = Draw(std::string("a<img src=\"") + src + "\">", Rect(0, 0, 100, 50), p);
        EXPECT_EQ(d.Lines.size(), 1u) << src;
        EXPECT_EQ(d.Result.XSize, 6) << src;
    }
    TDrawn huge =
        Draw("<font size=\"99999999999\">a</font><font size=\"-4\">b", Rect(0, 0, 100, 50));
    EXPECT_EQ(TextLines(huge)[0].find("font=\"Tahoma\"/500/"), 15u) << TextLines(huge)[0];
    EXPECT_NE(TextLines(huge)[1].find("font=\"Tahoma\"/8/"), std::string::npos);
    TDrawn far = Draw("<ind x=\"99999999999\">a", Rect(0, 0, 100, 50));
    EXPECT_EQ(TextLines(far)[0].rfind("Text (32768,0)", 0), 0u) << TextLines(far)[0];
    TDrawn indented = Draw("<p indent=\"-5\">a", Rect(0, 0, 100, 50));
    EXPECT_EQ(TextLines(indented)[0].rfind("Text (1,0)", 0), 0u);
}

TEST(HTMLFaults, AnImageWiderThanTheLineAfterAnIndentStillEnds) {
    // 30 wide on a line of 39: after the indent of 20 the first image
    // cannot fit, yet the line takes it, having nothing else; the second
    // goes to the next line.
    TImageList list(30, 16);
    TBitmap strip(30, 16);
    list.Add(&strip, nullptr);
    THTMLDrawParams p;
    p.Images = &list;
    for (bool checkHeight : {false, true}) {
        p.CheckHeight = checkHeight;
        TDrawn d =
            Draw("<ind x=\"20\"><img src=\"IDX:0\"><img src=\"IDX:0\">", Rect(0, 0, 40, 500), p);
        EXPECT_EQ(d.Result.YSize, 32) << checkHeight;
        EXPECT_EQ(d.Result.XSize, 50) << checkHeight;
        // Wider than the line, it stays on its line whatever comes before.
        TDrawn wide =
            Draw("<ind x=\"20\">a<img src=\"IDX:0\" width=\"1\">", Rect(0, 0, 20, 500), p);
        EXPECT_EQ(wide.Result.YSize, 16) << checkHeight;
    }
}

TEST(HTMLFaults, UnmatchedClosingTagsRestoreDefinedValues) {
    TDrawn d = Draw("</r></font></hi></a></p></b></ul>x", Rect(0, 0, 100, 50));
    EXPECT_EQ(TextLines(d),
              (Lines{
                  R"(Text (1,0) "x" font="Tahoma"/8/clWindowText clip=(1,0)-(100,11))",
              }));
    TDrawn hi = Draw("<font color=\"clRed\"></hi>x", Rect(0, 0, 100, 50));
    EXPECT_EQ(TextLines(hi)[0],
              R"(Text (1,0) "x" font="Tahoma"/8/clWindowText clip=(1,0)-(100,11))");
    // An R left open is undone at the end: the canvas keeps no angle.
    auto canvas = MakeCanvas();
    THTMLDrawResult result;
    HTMLDrawEx(*canvas, std::string(200, ' ') + "<r a=\"90\"><r a=\"9\">", Rect(0, 0, 100, 50),
               THTMLDrawParams(), result);
    EXPECT_EQ(canvas->Font()->Orientation(), 0);
}

TEST(HTMLFaults, ALessThanNearTheEndDropsTheRest) {
    TDrawn d = Draw("ab<c", Rect(0, 0, 100, 50));
    EXPECT_EQ(TextLines(d).size(), 1u);
    EXPECT_EQ(d.Result.StripVal, "ab");
    TDrawn open = Draw("ab<b", Rect(0, 0, 100, 50));
    EXPECT_EQ(open.Result.StripVal, "ab");
}
