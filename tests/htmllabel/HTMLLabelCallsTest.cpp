// The calls the HTML label makes of the renderer, and the UTF-8 text it
// hands over: measuring for auto-size and vertical alignment, the anchor
// test under the mouse, drawing the hovered and the focused anchor, and a
// second paint that draws the same again.
#include "htmllabel/HTMLDraw.h"
#include "htmllabel/PictureContainer.h"
#include "tests/htmllabel/HTMLDrawSupport.h"

#include <gtest/gtest.h>

using namespace htmltest;

namespace {

const char* const kText = "Open <a href=\"home\">the home page</a> or "
                          "<a href=\"mailto:help@lorvane.example\">write to us</a>.";

} // namespace

TEST(HTMLLabelCalls, AutoSizeMeasuresTheTextInAnEndlessArea) {
    // The label grows its rectangle by 65535 to the right and down: the
    // text is one line, as wide as all of it, and nothing is drawn.
    THTMLDrawParams p;
    p.CheckOnly = true;
    TDrawn d = Draw(kText, Rect(2, 2, 2 + 50 + 65535, 2 + 20 + 65535), p);
    EXPECT_TRUE(d.Lines.empty());
    // 5 + 13 + 4 + 11 + 1 characters.
    EXPECT_EQ(d.Result.XSize, 34 * 6);
    EXPECT_EQ(d.Result.YSize, 11);
    // Only vertically: the width wraps the text.
    TDrawn vertical = Draw(kText, Rect(0, 0, 100, 65535), p);
    EXPECT_EQ(vertical.Result.YSize, 33);
}

TEST(HTMLLabelCalls, TheAnchorTestGivesHrefIndexAndRectangle) {
    THTMLDrawParams p;
    p.CheckOnly = true;
    p.HoverLink = -1;
    p.URLColor = p.HoverColor = p.HoverFontColor = clNone;
    p.X = 40;
    p.Y = 5;
    TDrawn first = Draw(kText, Rect(0, 0, 400, 50), p);
    EXPECT_TRUE(first.OnAnchor);
    EXPECT_EQ(first.Result.AnchorVal, "home");
    EXPECT_EQ(first.Result.MouseLink, 1);
    EXPECT_EQ(first.Result.HoverRect, Rect(31, 0, 109, 11));
    p.X = 150;
    TDrawn second = Draw(kText, Rect(0, 0, 400, 50), p);
    EXPECT_EQ(second.Result.AnchorVal, "mailto:help@lorvane.example");
    EXPECT_EQ(second.Result.MouseLink, 2);
    EXPECT_EQ(second.Result.HoverRect, Rect(133, 0, 199, 11));
    EXPECT_EQ(second.Result.HyperLinks, 2);
}

TEST(HTMLLabelCalls, OnlyTheHoveredAnchorGetsTheHoverLook) {
    THTMLDrawParams p;
    p.Hover = true;
    p.HoverLink = 2;
    p.HoverFontColor = clRed;
    TDrawn d = Draw(kText, Rect(0, 0, 400, 50), p);
    std::vector<std::string> lines = TextLines(d);
    EXPECT_NE(lines[1].find("\"the \" font=\"Tahoma\"/8/clBlue clip"), std::string::npos)
        << lines[1];
    EXPECT_NE(lines[6].find("\"write \" font=\"Tahoma\"/8/clRed/underline"), std::string::npos)
        << lines[6];
}

TEST(HTMLLabelCalls, ASecondPaintDrawsTheSame) {
    THTMLPictureCache cache;
    THTMLDrawParams p;
    p.PictureCache = &cache;
    p.FocusLink = 1;
    auto canvas = MakeCanvas();
    THTMLDrawResult first, second;
    HTMLDrawEx(*canvas, kText, Rect(0, 0, 120, 100), p, first);
    std::vector<std::string> once = canvas->Lines();
    canvas->Clear();
    HTMLDrawEx(*canvas, kText, Rect(0, 0, 120, 100), p, second);
    EXPECT_EQ(canvas->Lines(), once);
    EXPECT_EQ(second.FocusAnchor, "mailto:help@lorvane.example");
    EXPECT_EQ(first.YSize, second.YSize);
}

TEST(HTMLLabelCalls, Utf8TextKeepsItsCharactersAndCountsThemOnce) {
    // Five characters, seven bytes: 30 pixels.
    TDrawn d =
        Draw("<font face=\"Ärial\">Grüße</font> <a href=\"/Bücher/ı\">x</a>", Rect(0, 0, 200, 50));
    EXPECT_EQ(TextLines(d)[0],
              R"(Text (1,0) "Grüße" font="Ärial"/8/clWindowText clip=(1,0)-(200,11))");
    THTMLDrawParams p;
    p.CheckOnly = true;
    p.X = 40;
    p.Y = 3;
    EXPECT_EQ(Draw("Grüße <a href=\"/Bücher/ı\">x</a>", Rect(0, 0, 200, 50), p).Result.AnchorVal,
              "/Bücher/ı");
    // The entities that were single bytes of the old code page are characters.
    EXPECT_EQ(Draw("&euro;&trade;&permil;", Rect(0, 0, 200, 50)).Result.XSize, 18);
}
