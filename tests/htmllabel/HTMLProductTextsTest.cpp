// The product's own texts through the renderer: the configuration dialog's
// introduction, the information text of the category option, the about
// box's link and a message with bold text and line breaks. Each is laid
// out on the recording canvas and compared with its golden file in data/
// (LORVANE_UPDATE_GOLDEN=1 writes them anew), hit-tested, and painted with
// real glyphs into a PNG in the build tree for a person to look at.
#include "htmllabel/HTMLDraw.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/PngCodec.h"
#include "tests/htmllabel/HTMLDrawSupport.h"
#include "tests/htmllabel/ProductTexts.h"
#include "tests/support/FileLines.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

using namespace htmltest;
using namespace producttexts;

namespace {

struct TProductText {
    const char* Name;
    const char* Text;
    int Width;
};

const TProductText kTexts[] = {
    {"config-intro", kConfigIntro, 420},
    {"category-info", kCategoryInfo, 360},
    {"about-link", kAboutLink, 300},
    {"message", kMessage, 300},
};

// Compares the records with the golden file, or writes it when asked to.
void ExpectGolden(const std::string& name, const std::vector<std::string>& lines) {
    std::string path = std::string(LORVANE_TEST_DATA) + "/" + name + ".txt";
    if (std::getenv("LORVANE_UPDATE_GOLDEN")) {
        std::ofstream out(path, std::ios::binary);
        for (const std::string& line : lines)
            out << line << "\n";
    }
    std::vector<std::string> golden = FileLines(path);
    ASSERT_FALSE(golden.empty()) << path;
    EXPECT_EQ(lines, golden) << name;
}

// Paints the text with glyphs on white and writes the picture.
void WritePicture(const TProductText& text, int height) {
    TBitmap bitmap(text.Width + 8, height + 8);
    TCanvas& canvas = *bitmap.Canvas();
    canvas.SetPixelsPerInch(96);
    canvas.Font()->SetPixelsPerInch(96);
    canvas.Font()->SetSize(8);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
    THTMLDrawParams p;
    THTMLDrawResult result;
    HTMLDrawEx(canvas, text.Text, Rect(4, 4, 4 + text.Width, 4 + height), p, result);
    std::string path =
        std::string(LORVANE_BIN_DIR) + "/../htmllabel-" + std::string(text.Name) + ".png";
    gfx::SavePngFile(bitmap, path);
    EXPECT_EQ(result.YSize, height) << text.Name;
}

} // namespace

TEST(HTMLProductTexts, LaidOutAsTheGoldenFilesShowAndPainted) {
    for (const TProductText& text : kTexts) {
        TDrawn d = Draw(text.Text, Rect(0, 0, text.Width, 1000));
        ExpectGolden(text.Name, d.Lines);
        // Only the about box's text has an anchor; a point on the first word
        // of the others finds none.
        THTMLDrawParams p;
        p.CheckOnly = true;
        p.X = 3;
        p.Y = 3;
        TDrawn hit = Draw(text.Text, Rect(0, 0, text.Width, 1000), p);
        EXPECT_FALSE(hit.OnAnchor) << text.Name;
        EXPECT_EQ(hit.Result.MouseLink, -1) << text.Name;
        EXPECT_EQ(hit.Result.YSize, d.Result.YSize) << text.Name;
        EXPECT_LE(d.Result.XSize, text.Width) << text.Name;
        WritePicture(text, d.Result.YSize);
    }
}

TEST(HTMLProductTexts, EveryLookIsPaintedForAPersonToSee) {
    const TProductText sampler = {
        "every-tag",
        "<p align=\"center\"><font size=\"4\" color=\"clNavy\"><b>Every look</b></font></p>"
        "<b>bold</b> <i>italic</i> <u>underlined</u> <s>struck</s> <shad>shadowed</shad> "
        "<e>mispelt</e> x<sup>2</sup> a<sub>i</sub> <hi>highlighted</hi> "
        "<font bgcolor=\"clYellow\" color=\"#C00000\">on yellow</font> "
        "<a href=\"home\">a link</a> &amp; &lt;entities&gt; &copy; &euro; &trade;<hr>"
        "<ul><li>first level<ul><li>second level</li></ul></li><li>back again</li></ul>"
        "<p bgcolor=\"clSilver\">a paragraph on silver</p><p align=\"right\">right</p>"
        "<font face=\"Courier New\" size=\"3\">twelve points</font>",
        320};
    TDrawn d = Draw(sampler.Text, Rect(0, 0, sampler.Width, 1000));
    WritePicture(sampler, d.Result.YSize);
}

TEST(HTMLProductTexts, TheIntroductionBreaksWhereItsLinesEnd) {
    TDrawn d = Draw(kConfigIntro, Rect(0, 0, 420, 1000));
    // Each sentence wraps once before "sent." (at 397 + 30 > 419), "button"
    // and "pull-down", and an empty line stands between the second and the
    // third: seven lines of 11.
    EXPECT_EQ(d.Result.YSize, 77);
    EXPECT_EQ(d.Result.StripVal,
              "Here you can define one or more default actions for an item to be sent.\rThese "
              "default actions will be executed when clicking the 'Send' button to send the "
              "message.\r\rFor specific action(s) click the 'Track + Send' button or the "
              "pull-down button on the New Mail form.");
    EXPECT_EQ(d.Result.HyperLinks, 0);
}

TEST(HTMLProductTexts, TheAboutLinkIsFoundUnderTheMouse) {
    // "Visit our website at " is 21 characters (126 pixels): the link runs
    // from 127 for 28 characters.
    struct Case {
        int X;
        bool On;
    };
    for (Case c : {Case{126, false}, Case{127, true}, Case{294, true}, Case{295, false}}) {
        THTMLDrawParams p;
        p.X = c.X;
        p.Y = 5;
        p.CheckOnly = true;
        TDrawn d = Draw(kAboutLink, Rect(0, 0, 300, 100), p);
        EXPECT_EQ(d.OnAnchor, c.On) << c.X;
        EXPECT_EQ(d.Result.HyperLinks, 1);
        if (!c.On)
            continue;
        EXPECT_EQ(d.Result.AnchorVal, "home");
        EXPECT_EQ(d.Result.MouseLink, 1);
        EXPECT_EQ(d.Result.HoverRect, Rect(127, 0, 295, 11));
    }
}

TEST(HTMLProductTexts, TheMessageIsBoldWhereItSaysAndBreaksOnce) {
    TDrawn d = Draw(kMessage, Rect(0, 0, 300, 100));
    std::vector<std::string> bold;
    for (const std::string& line : TextLines(d))
        if (line.find("/bold") != std::string::npos)
            bold.push_back(line.substr(0, line.find(" font=")));
    // "The folder " (66) puts "Sent " at 67; " of " follows to 157.
    EXPECT_EQ(bold, (std::vector<std::string>{
                        R"(Text (67,0) "Sent ")",
                        R"(Text (97,0) "Items")",
                        R"(Text (151,0) "Personal ")",
                        R"(Text (205,0) "Folders")",
                    }));
    EXPECT_EQ(d.Result.YSize, 33);
}
