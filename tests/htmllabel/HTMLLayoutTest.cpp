// Layouts of the renderer on the recording canvas, worked out by hand. The
// font is Tahoma 8 points: every character 6 pixels wide, every line 11
// high (12 points: 8 x 16; 20 points: 14 x 27). Lines start 1 pixel in
// from the rectangle's left edge.
#include "htmllabel/HTMLDraw.h"
#include "platform/gfx/ImageList.h"
#include "tests/htmllabel/HTMLDrawSupport.h"

#include <gtest/gtest.h>

using namespace htmltest;

namespace {

using Lines = std::vector<std::string>;

// A list of 16 x 16 images with n images.
std::unique_ptr<TImageList> Images(int n, int width = 16, int height = 16) {
    auto list = std::make_unique<TImageList>(width, height);
    TBitmap strip(width * n, height);
    list->Add(&strip, nullptr);
    return list;
}

} // namespace

TEST(HTMLLayout, WordsWrapAtBlanksAndTagsDoNotSplitAWord) {
    TDrawn d = Draw("Hello <b>world</b> and more text here", Rect(0, 0, 100, 200));
    EXPECT_EQ(TextLines(d),
              (Lines{
                  R"(Text (1,0) "Hello " font="Tahoma"/8/clWindowText clip=(1,0)-(100,11))",
                  R"(Text (37,0) "world" font="Tahoma"/8/clWindowText/bold clip=(37,0)-(100,11))",
                  R"(Text (67,0) " " font="Tahoma"/8/clWindowText clip=(67,0)-(100,11))",
                  R"(Text (73,0) "and " font="Tahoma"/8/clWindowText clip=(73,0)-(100,11))",
                  R"(Text (1,11) "more " font="Tahoma"/8/clWindowText clip=(1,11)-(100,22))",
                  R"(Text (31,11) "text " font="Tahoma"/8/clWindowText clip=(31,11)-(100,22))",
                  R"(Text (61,11) "here" font="Tahoma"/8/clWindowText clip=(61,11)-(100,22))",
              }));
    // The first line ends with "and " (to 97), less its blank.
    EXPECT_EQ(d.Result.XSize, 90);
    EXPECT_EQ(d.Result.YSize, 22);
    EXPECT_EQ(d.Result.StripVal, "Hello world and more text here");
    // "bo" + "ld" is one word: it moves to the next line whole...
    TDrawn moved = Draw("aaaaaaaaaaaaaa <b>bo</b>ld", Rect(0, 0, 100, 200));
    EXPECT_EQ(TextLines(moved)[1],
              R"(Text (1,11) "bo" font="Tahoma"/8/clWindowText/bold clip=(1,11)-(100,22))");
    EXPECT_EQ(TextLines(moved)[2],
              R"(Text (13,11) "ld" font="Tahoma"/8/clWindowText clip=(13,11)-(100,22))");
    // ... or, when its first part fits, is never split: "ld" overflows.
    TDrawn kept = Draw("aaaaaaaaaaaaa <b>bo</b>ld", Rect(0, 0, 100, 200));
    EXPECT_EQ(TextLines(kept)[2],
              R"(Text (97,0) "ld" font="Tahoma"/8/clWindowText clip=(97,0)-(109,11))");
    EXPECT_EQ(kept.Result.YSize, 11);
    // A larger word that moves on makes the next line higher, not this one.
    TDrawn larger = Draw("aaaaaa <font size=\"3\">bbbb</font>", Rect(0, 0, 60, 200));
    EXPECT_EQ(TextLines(larger)[1],
              R"(Text (1,11) "bbbb" font="Tahoma"/12/clWindowText clip=(1,11)-(60,27))");
    EXPECT_EQ(larger.Result.YSize, 27);
}

TEST(HTMLLayout, AWordWiderThanTheLineStaysAndOverflows) {
    TDrawn d = Draw("x abcdefghijkl m", Rect(0, 0, 40, 200));
    EXPECT_EQ(TextLines(d),
              (Lines{
                  R"(Text (1,0) "x " font="Tahoma"/8/clWindowText clip=(1,0)-(40,11))",
                  R"(Text (13,0) "abcdefghijkl " font="Tahoma"/8/clWindowText clip=(13,0)-(91,11))",
                  R"(Text (1,11) "m" font="Tahoma"/8/clWindowText clip=(1,11)-(40,22))",
              }));
}

TEST(HTMLLayout, WithoutWordWrapTheLineEndsWithAnEllipsis) {
    THTMLDrawParams p;
    p.WordWrap = false;
    TDrawn d = Draw("abcdefghijkl<br>ab", Rect(0, 0, 40, 200), p);
    EXPECT_EQ(TextLines(d),
              (Lines{
                  R"(Text (1,0) "abc..." font="Tahoma"/8/clWindowText clip=(1,0)-(40,11))",
                  R"(Text (1,11) "ab" font="Tahoma"/8/clWindowText clip=(1,11)-(40,22))",
              }));
}

TEST(HTMLLayout, ParagraphAlignment) {
    // "ab" is 12 wide: right-aligned it ends at 100; centred it starts at
    // 1 + (99 - 12) / 2.
    EXPECT_EQ(TextLines(Draw("<p align=\"right\">ab</p>", Rect(0, 0, 100, 50)))[0],
              R"(Text (88,0) "ab" font="Tahoma"/8/clWindowText clip=(88,0)-(100,11))");
    EXPECT_EQ(TextLines(Draw("<P ALIGN=\"CENTER\">ab</P>", Rect(0, 0, 100, 50)))[0],
              R"(Text (44,0) "ab" font="Tahoma"/8/clWindowText clip=(44,0)-(100,11))");
    EXPECT_EQ(TextLines(Draw("<p indent=\"20\">ab</p>", Rect(0, 0, 100, 50)))[0],
              R"(Text (21,0) "ab" font="Tahoma"/8/clWindowText clip=(21,0)-(100,11))");
    // The alignment holds for every line of the paragraph and ends with it.
    TDrawn d = Draw("<p align=\"right\">ab<br>c</p>d", Rect(0, 0, 100, 50));
    EXPECT_EQ(TextLines(d),
              (std::vector<std::string>{
                  R"(Text (88,0) "ab" font="Tahoma"/8/clWindowText clip=(88,0)-(100,11))",
                  R"(Text (94,11) "c" font="Tahoma"/8/clWindowText clip=(94,11)-(100,22))",
                  R"(Text (1,22) "d" font="Tahoma"/8/clWindowText clip=(1,22)-(100,33))",
              }));
}

TEST(HTMLLayout, AnIndentedParagraphKeepsWithinTheWidthLeftAfterItsIndent) {
    // 59 pixels from x 1 to 60, 20 of them the indent: "aaa bbb " (48)
    // would overflow what is left, so each word has its line.
    TDrawn d = Draw("<p indent=\"20\">aaa bbb ccc</p>", Rect(0, 0, 60, 200));
    EXPECT_EQ(TextLines(d),
              (Lines{
                  R"(Text (21,0) "aaa " font="Tahoma"/8/clWindowText clip=(21,0)-(60,11))",
                  R"(Text (21,11) "bbb " font="Tahoma"/8/clWindowText clip=(21,11)-(60,22))",
                  R"(Text (21,22) "ccc" font="Tahoma"/8/clWindowText clip=(21,22)-(60,33))",
              }));
    EXPECT_EQ(d.Result.XSize, 38);
    // Right-aligned or centred, the line keeps within the indent and the
    // right edge: "aaaaaa" (36) ends at 60; "ab" (12) is centred in 21..100.
    EXPECT_EQ(TextLines(Draw("<p align=\"right\" indent=\"20\">aaaaaa</p>", Rect(0, 0, 60, 50)))[0],
              R"(Text (24,0) "aaaaaa" font="Tahoma"/8/clWindowText clip=(24,0)-(60,11))");
    EXPECT_EQ(TextLines(Draw("<p align=\"right\" indent=\"20\">ab</p>", Rect(0, 0, 100, 50)))[0],
              R"(Text (88,0) "ab" font="Tahoma"/8/clWindowText clip=(88,0)-(100,11))");
    EXPECT_EQ(TextLines(Draw("<p align=\"center\" indent=\"20\">ab</p>", Rect(0, 0, 100, 50)))[0],
              R"(Text (54,0) "ab" font="Tahoma"/8/clWindowText clip=(54,0)-(100,11))");
    // An image that would reach past the right edge after the indent starts
    // the next line: 16 + 16 is more than the 29 left.
    auto list = Images(1);
    THTMLDrawParams p;
    p.Images = list.get();
    TDrawn images =
        Draw("<p indent=\"20\"><img src=\"IDX:0\"><img src=\"IDX:0\"></p>", Rect(0, 0, 50, 200), p);
    EXPECT_EQ(images.Result.YSize, 32);
    EXPECT_EQ(images.Result.XSize, 36);
    // Without word wrap the line is cut where it meets the right edge: its
    // width and indent make the 59 pixels from x 1 to 60.
    THTMLDrawParams cut;
    cut.WordWrap = false;
    TDrawn ellipsis = Draw("<p indent=\"20\">ab <b>cdefgh</b></p>", Rect(0, 0, 60, 50), cut);
    EXPECT_EQ(ellipsis.Result.XSize, 59);
}

TEST(HTMLLayout, TheIndentIsPartOfTheReportedWidth) {
    EXPECT_EQ(Draw("<p indent=\"20\">ab</p>", Rect(0, 0, 100, 50)).Result.XSize, 32);
    // The widest line counts with its own indent.
    EXPECT_EQ(Draw("abcd<br><p indent=\"30\">c</p>", Rect(0, 0, 100, 50)).Result.XSize, 36);
    EXPECT_EQ(Draw("abcdefgh<br><p indent=\"30\">c</p>", Rect(0, 0, 100, 50)).Result.XSize, 48);
    // The indent ends with its paragraph.
    EXPECT_EQ(Draw("<p indent=\"30\">c</p>abcd", Rect(0, 0, 100, 50)).Result.XSize, 36);
    EXPECT_EQ(Draw("<p indent=\"30\">c</p>abcdefgh", Rect(0, 0, 100, 50)).Result.XSize, 48);
}

TEST(HTMLLayout, FontSizesAndColours) {
    struct Case {
        const char* Text;
        const char* Record;
        int YSize;
    };
    const Case cases[] = {
        {"<font size=\"3\">ab</font>",
         R"(Text (1,0) "ab" font="Tahoma"/12/clWindowText clip=(1,0)-(100,16))", 16},
        {"<font size=\"20\">ab</font>",
         R"(Text (1,0) "ab" font="Tahoma"/20/clWindowText clip=(1,0)-(100,27))", 27},
        {"<font size=\"0\">ab</font>",
         R"(Text (1,0) "ab" font="Tahoma"/8/clWindowText clip=(1,0)-(100,11))", 11},
        {"<font color=\"#FF0000\">ab</font>",
         R"(Text (1,0) "ab" font="Tahoma"/8/clRed clip=(1,0)-(100,11))", 11},
        {"<font color=\"clRed\">ab</font>",
         R"(Text (1,0) "ab" font="Tahoma"/8/clRed clip=(1,0)-(100,11))", 11},
        {"<font face=\"Arial\" bgcolor=\"clYellow\">ab</font>",
         R"(Text (1,0) "ab" font="Arial"/8/clWindowText opaque=clYellow clip=(1,0)-(100,11))", 11},
        {"<i><u><s>ab</s></u></i>",
         R"(Text (1,0) "ab" font="Tahoma"/8/clWindowText/italic,underline,strikeout clip=(1,0)-(100,11))",
         11},
        {"<hi>ab</hi>",
         R"(Text (1,0) "ab" font="Tahoma"/8/clHighlightText opaque=clHighlight clip=(1,0)-(100,11))",
         11},
    };
    for (const Case& c : cases) {
        TDrawn d = Draw(c.Text, Rect(0, 0, 100, 100));
        ASSERT_EQ(TextLines(d).size(), 1u) << c.Text;
        EXPECT_EQ(TextLines(d)[0], c.Record) << c.Text;
        EXPECT_EQ(d.Result.YSize, c.YSize) << c.Text;
    }
}

TEST(HTMLLayout, SubscriptAndSuperscriptOffsets) {
    // Both offsets are 11 / 4 = 2: the line is 15 high, its baseline at 13.
    TDrawn d = Draw("x<sup>2</sup> y<sub>i</sub>", Rect(0, 0, 100, 100));
    EXPECT_EQ(TextLines(d),
              (Lines{
                  R"(Text (1,2) "x" font="Tahoma"/8/clWindowText clip=(1,0)-(100,13))",
                  R"(Text (7,0) "2" font="Tahoma"/8/clWindowText clip=(7,0)-(100,11))",
                  R"(Text (13,2) " " font="Tahoma"/8/clWindowText clip=(13,0)-(100,13))",
                  R"(Text (19,2) "y" font="Tahoma"/8/clWindowText clip=(19,0)-(100,13))",
                  R"(Text (25,4) "i" font="Tahoma"/8/clWindowText clip=(25,0)-(100,15))",
              }));
    EXPECT_EQ(d.Result.YSize, 15);
}

TEST(HTMLLayout, ListsIndentTheirItemsAndDrawBullets) {
    TDrawn d = Draw("<ul><li>one</li><li>two</li></ul>end", Rect(0, 0, 100, 100));
    EXPECT_EQ(TextLines(d),
              (Lines{
                  R"(Text (1,0) "•" font="Symbol"/8/clWindowText clip=(1,0)-(100,11))",
                  R"(Text (13,0) "one" font="Tahoma"/8/clWindowText clip=(13,0)-(100,11))",
                  R"(Text (1,11) "•" font="Symbol"/8/clWindowText clip=(1,11)-(100,22))",
                  R"(Text (13,11) "two" font="Tahoma"/8/clWindowText clip=(13,11)-(100,22))",
                  R"(Text (1,22) "end" font="Tahoma"/8/clWindowText clip=(1,22)-(100,33))",
              }));
    EXPECT_EQ(d.Result.YSize, 33);
    // The second level: its bullet 12 pixels further in, and an "o".
    TDrawn nested = Draw("<ul><ul><li>a</ul></ul>", Rect(0, 0, 100, 100));
    EXPECT_EQ(TextLines(nested),
              (Lines{
                  R"(Text (13,0) "o" font="Symbol"/8/clWindowText clip=(13,0)-(100,11))",
                  R"(Text (25,0) "a" font="Tahoma"/8/clWindowText clip=(25,0)-(100,11))",
              }));
    EXPECT_EQ(nested.Result.YSize, 11);
    // Two items on one line of source still make two lines.
    EXPECT_EQ(Draw("<ul><li>a<li>b</ul>", Rect(0, 0, 100, 100)).Result.YSize, 22);
}

TEST(HTMLLayout, AnImageThatDoesNotFitGoesToTheNextLine) {
    auto list = Images(1);
    THTMLDrawParams p;
    p.Images = list.get();
    // The line is 39 wide: "ab" (12) and one image (16) fit, the second not.
    TDrawn d = Draw("ab<img src=\"IDX:0\"><img src=\"IDX:0\">c", Rect(0, 0, 40, 100), p);
    EXPECT_EQ(d.Lines, (Lines{
                           R"(Text (1,5) "ab" font="Tahoma"/8/clWindowText clip=(1,0)-(40,16))",
                           R"(Bits 16x16 (13,0)-(29,16) rop=blend)",
                           R"(Bits 16x16 (1,16)-(17,32) rop=blend)",
                           R"(Text (17,21) "c" font="Tahoma"/8/clWindowText clip=(17,16)-(40,32))",
                       }));
    EXPECT_EQ(d.Result.YSize, 32);
    EXPECT_EQ(d.Result.XSize, 28);
}

TEST(HTMLLayout, ImageAlignmentLiftsTheText) {
    auto list = Images(1, 16, 31);
    THTMLDrawParams p;
    p.Images = list.get();
    // 31 high: TOP lifts the text by 31 - 11, MIDDLE by half of that.
    EXPECT_EQ(TextLines(Draw("<img src=\"IDX:0\" align=\"top\">a", Rect(0, 0, 100, 100), p))[0],
              R"(Text (17,0) "a" font="Tahoma"/8/clWindowText clip=(17,0)-(100,11))");
    EXPECT_EQ(TextLines(Draw("<img src=\"IDX:0\" align=\"middle\">a", Rect(0, 0, 100, 100), p))[0],
              R"(Text (17,10) "a" font="Tahoma"/8/clWindowText clip=(17,0)-(100,21))");
    EXPECT_EQ(TextLines(Draw("<img src=\"IDX:0\">a", Rect(0, 0, 100, 100), p))[0],
              R"(Text (17,20) "a" font="Tahoma"/8/clWindowText clip=(17,0)-(100,31))");
}

TEST(HTMLLayout, TheBottomStopsTheText) {
    // After two lines (22), a third would need 33 > 25.
    TDrawn d = Draw("a<br>b<br>c<br>d", Rect(0, 0, 100, 25));
    EXPECT_EQ(TextLines(d).size(), 2u);
    EXPECT_EQ(d.Result.YSize, 22);
    // Measuring the height goes on to the end.
    THTMLDrawParams p;
    p.CheckHeight = true;
    TDrawn measured = Draw("a<br>b<br>c<br>d", Rect(0, 0, 100, 25), p);
    EXPECT_TRUE(measured.Lines.empty());
    EXPECT_EQ(measured.Result.YSize, 44);
    EXPECT_EQ(measured.Result.StripVal, "a\rb\rc\rd");
}

TEST(HTMLLayout, AnEmptyTextIsOneLineHighAndNoneWide) {
    TDrawn d = Draw("", Rect(0, 0, 100, 100));
    EXPECT_EQ(d.Result.YSize, 11);
    EXPECT_EQ(d.Result.XSize, 0);
    EXPECT_TRUE(d.Lines.empty());
}

TEST(HTMLLayout, AnchorsAreFoundByThePointWithTheirIndexAndRectangle) {
    const std::string text = "<a href=\"one\">One</a> and <a href=\"two\">Two</a>";
    // "One" 1..19, " " and "and " to 49, "Two" 49..67.
    struct Case {
        int X, Y;
        bool On;
        const char* Href;
        int Link;
        RECT Hover;
    };
    const Case cases[] = {
        {5, 5, true, "one", 1, Rect(1, 0, 19, 11)},
        {55, 10, true, "two", 2, Rect(49, 0, 67, 11)},
        {30, 5, false, "", -1, RECT()},
        {55, 11, false, "", -1, RECT()},
        {67, 5, false, "", -1, RECT()},
    };
    for (const Case& c : cases) {
        THTMLDrawParams p;
        p.X = c.X;
        p.Y = c.Y;
        p.CheckOnly = true;
        TDrawn d = Draw(text, Rect(0, 0, 200, 100), p);
        EXPECT_EQ(d.OnAnchor, c.On) << c.X << "," << c.Y;
        EXPECT_EQ(d.Result.AnchorVal, c.Href) << c.X;
        EXPECT_EQ(d.Result.MouseLink, c.Link) << c.X;
        EXPECT_EQ(d.Result.HoverRect, c.Hover) << c.X;
        EXPECT_EQ(d.Result.HyperLinks, 2);
        EXPECT_TRUE(d.Lines.empty());
    }
}

TEST(HTMLLayout, AnAnchorOverTwoLinesIsFoundOnEach) {
    const std::string text = "xx <a href=\"go\">aaaa bbbb</a>";
    // "xx " to 19, "aaaa " to 49; "bbbb" wraps to the next line (39 wide).
    THTMLDrawParams p;
    p.CheckOnly = true;
    p.X = 30;
    p.Y = 3;
    TDrawn first = Draw(text, Rect(0, 0, 50, 100), p);
    EXPECT_EQ(first.Result.HoverRect, Rect(19, 0, 49, 11));
    EXPECT_EQ(first.Result.MouseLink, 1);
    p.X = 10;
    p.Y = 13;
    TDrawn second = Draw(text, Rect(0, 0, 50, 100), p);
    EXPECT_EQ(second.Result.AnchorVal, "go");
    EXPECT_EQ(second.Result.HoverRect, Rect(1, 11, 25, 22));
}

TEST(HTMLLayout, AnchorLooksHoverAndFocus) {
    THTMLDrawParams p;
    p.Hover = true;
    p.HoverLink = 2;
    p.HoverColor = clYellow;
    p.HoverFontColor = clRed;
    p.FocusLink = 0;
    TDrawn d = Draw("<a href=\"a\">A</a><a href=\"b\">B</a>", Rect(0, 0, 100, 100), p);
    EXPECT_EQ(
        d.Lines,
        (Lines{
            R"(Text (1,0) "A" font="Tahoma"/8/clBlue clip=(1,0)-(100,11))",
            R"(FocusRect (0,0)-(8,11))",
            R"(Text (7,0) "B" font="Tahoma"/8/clRed/underline opaque=clYellow clip=(7,0)-(100,11))",
        }));
    EXPECT_EQ(d.Result.FocusAnchor, "a");
    // Selected text keeps the font's colour.
    THTMLDrawParams selected;
    selected.Selected = true;
    EXPECT_EQ(TextLines(Draw("<a href=\"a\"><font color=\"clRed\">A</font></a>",
                             Rect(0, 0, 100, 100), selected))[0],
              R"(Text (1,0) "A" font="Tahoma"/8/clWindowText/underline clip=(1,0)-(100,11))");
}

TEST(HTMLLayout, ShadowErrorUnderlineRuleAndBackground) {
    THTMLDrawParams p;
    p.ShadowColor = clGray;
    p.ShadowOffset = 2;
    TDrawn shad = Draw("<shad>ab</shad>", Rect(0, 0, 100, 100), p);
    EXPECT_EQ(shad.Lines, (Lines{
                              R"(Text (3,2) "ab" font="Tahoma"/8/clGray clip=(3,2)-(102,13))",
                              R"(Text (1,0) "ab" font="Tahoma"/8/clWindowText clip=(1,0)-(100,11))",
                          }));
    // The zigzag: from x 0 (1 rounded down to even), every 2 pixels to 13,
    // starting below the bottom as 0 is a multiple of 4.
    TDrawn error = Draw("<e>ab</e>", Rect(0, 0, 100, 100));
    EXPECT_EQ(error.Lines[1],
              "Polyline (0,12) (2,10) (4,12) (6,10) (8,12) (10,10) (12,12) pen=clRed/1/psSolid");
    // The rule lies 1 pixel below the line's bottom (11) and adds no height:
    // "b" starts right under "a".
    TDrawn rule = Draw("a<hr>b", Rect(0, 0, 100, 100));
    EXPECT_EQ(rule.Lines[1], "Polyline (1,12) (100,12) pen=clBlack/1/psSolid");
    EXPECT_EQ(TextLines(rule)[1],
              R"(Text (1,11) "b" font="Tahoma"/8/clWindowText clip=(1,11)-(100,22))");
    EXPECT_EQ(rule.Result.YSize, 22);
    TDrawn body = Draw("<body bgcolor=\"clAqua\">a", Rect(0, 0, 100, 50));
    EXPECT_EQ(body.Lines[0], "FillRect (0,0)-(100,50) brush=clAqua/bsSolid");
    TDrawn para = Draw("<p bgcolor=\"#00FF00\">a<br>b</p>c", Rect(0, 0, 100, 50));
    EXPECT_EQ(
        para.Lines,
        (Lines{
            "FillRect (0,0)-(100,11) brush=clLime/bsSolid",
            R"(Text (1,0) "a" font="Tahoma"/8/clWindowText opaque=clLime clip=(1,0)-(100,11))",
            "FillRect (0,11)-(100,22) brush=clLime/bsSolid",
            R"(Text (1,11) "b" font="Tahoma"/8/clWindowText opaque=clLime clip=(1,11)-(100,22))",
            R"(Text (1,22) "c" font="Tahoma"/8/clWindowText clip=(1,22)-(100,33))",
        }));
}

TEST(HTMLLayout, HiddenBlinkIndentAndRotation) {
    TDrawn hidden = Draw("a<z>secret</z>b", Rect(0, 0, 100, 100));
    EXPECT_EQ(TextLines(hidden).size(), 2u);
    EXPECT_EQ(hidden.Result.XSize, 12);
    // Blinking text in its off phase has the background's colour: none.
    TDrawn blink = Draw("a<bl>off</bl>b", Rect(0, 0, 100, 100));
    EXPECT_EQ(TextLines(blink),
              (Lines{
                  R"(Text (1,0) "a" font="Tahoma"/8/clWindowText clip=(1,0)-(100,11))",
                  R"(Text (25,0) "b" font="Tahoma"/8/clWindowText clip=(25,0)-(100,11))",
              }));
    THTMLDrawParams on;
    on.Blink = true;
    EXPECT_EQ(TextLines(Draw("a<bl>on</bl>", Rect(0, 0, 100, 100), on)).size(), 2u);
    TDrawn indent = Draw("a<ind x=\"30\">b<ind x=\"5\">c<ind x=\"oops\">d", Rect(0, 0, 100, 100));
    EXPECT_EQ(TextLines(indent)[1],
              R"(Text (31,0) "b" font="Tahoma"/8/clWindowText clip=(31,0)-(100,11))");
    EXPECT_EQ(TextLines(indent)[3],
              R"(Text (43,0) "d" font="Tahoma"/8/clWindowText clip=(43,0)-(100,11))");
    TDrawn turned = Draw("<r a=\"90\">a<r a=\"45\">b</r>c</r>d", Rect(0, 0, 100, 100));
    EXPECT_EQ(TextLines(turned),
              (Lines{
                  R"(Text (1,0) "a" font="Tahoma"/8/clWindowText/angle=900 clip=(1,0)-(100,11))",
                  R"(Text (7,0) "b" font="Tahoma"/8/clWindowText/angle=450 clip=(7,0)-(100,11))",
                  R"(Text (13,0) "c" font="Tahoma"/8/clWindowText/angle=900 clip=(13,0)-(100,11))",
                  R"(Text (19,0) "d" font="Tahoma"/8/clWindowText clip=(19,0)-(100,11))",
              }));
}

TEST(HTMLLayout, TheCanvasToolsComeBack) {
    auto canvas = MakeCanvas();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->Pen()->SetColor(clMaroon);
    THTMLDrawResult result;
    HTMLDrawEx(*canvas, "<font face=\"Arial\" size=\"5\" color=\"clRed\"><b><r a=\"90\">x<hr><e>y",
               Rect(0, 0, 100, 100), THTMLDrawParams(), result);
    EXPECT_EQ(canvas->Font()->Name(), "Tahoma");
    EXPECT_EQ(canvas->Font()->Size(), 8);
    EXPECT_EQ(canvas->Font()->Color(), clWindowText);
    EXPECT_EQ(canvas->Font()->Orientation(), 0);
    EXPECT_TRUE(canvas->Font()->Style().Empty());
    EXPECT_EQ(canvas->Brush()->Color(), clBtnFace);
    EXPECT_EQ(canvas->Pen()->Color(), clMaroon);
}
