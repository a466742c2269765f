// The renderer's helpers: colour names and values, bounded number reading,
// text clean-ups, escaping, and the entity table with its one-pass decoder.
#include "htmllabel/HTMLHelpers.h"
#include "htmllabel/HTMLEntities.h"
#include "htmllabel/HTMLGraphics.h"
#include "platform/gfx/RecordingCanvas.h"
#include "tests/support/TempPlatformHome.h"

#include <climits>
#include <filesystem>
#include <gtest/gtest.h>

using htmldraw::DecodeEntities;
using htmldraw::TEntityTarget;

TEST(HTMLHelpers, Text2ColorKnowsEveryNameAndGivesBlackOtherwise) {
    struct Case {
        const char* Name;
        TColor Value;
    };
    const Case cases[] = {
        {"clred", 0x0000FF},
        {"clblack", 0x000000},
        {"clblue", 0xFF0000},
        {"clgreen", 0x008000},
        {"claqua", 0xFFFF00},
        {"clyellow", 0x00FFFF},
        {"clfuchsia", 0xFF00FF},
        {"clwhite", 0xFFFFFF},
        {"cllime", 0x00FF00},
        {"clsilver", 0xC0C0C0},
        {"clgray", 0x808080},
        {"clolive", 0x008080},
        {"clnavy", 0x800000},
        {"clpurple", 0x800080},
        {"clteal", 0x808000},
        {"clmaroon", 0x000080},
        {"clbackground", clBackground},
        {"clactivecaption", clActiveCaption},
        {"clinactivecaption", clInactiveCaption},
        {"clmenu", clMenu},
        {"clwindow", clWindow},
        {"clwindowframe", clWindowFrame},
        {"clmenutext", clMenuText},
        {"clwindowtext", clWindowText},
        {"clcaptiontext", clCaptionText},
        {"clactiveborder", clActiveBorder},
        {"clinactiveborder", clInactiveBorder},
        {"clappworkspace", clAppWorkSpace},
        {"clhighlight", clHighlight},
        {"clhighlighttext", clHighlightText},
        {"clbtnface", clBtnFace},
        {"clbtnshadow", clBtnShadow},
        {"clgraytext", clGrayText},
        {"clbtntext", clBtnText},
        {"clinactivecaptiontext", clInactiveCaptionText},
        {"clbtnhighlight", clBtnHighlight},
        {"cl3ddkshadow", cl3DDkShadow},
        {"cl3dlight", cl3DLight},
        {"clinfotext", clInfoText},
        {"clinfobk", clInfoBk},
        {"red", clBlack},
        {"clRed", clBlack},
        {"", clBlack},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text2Color(c.Name), c.Value) << c.Name;
    EXPECT_EQ(Text2Color("clbtnhighlight"), TColor(0xFF000014));
}

TEST(HTMLHelpers, HexValReadsTwoDigitsAndCountsAnyOtherCharacterAsZero) {
    EXPECT_EQ(HexVal("FF"), 255);
    EXPECT_EQ(HexVal("a0"), 160);
    EXPECT_EQ(HexVal("0G"), 0); // no spill into another channel
    EXPECT_EQ(HexVal("Z1"), 1);
    EXPECT_EQ(HexVal("1"), 0);
    EXPECT_EQ(HexVal(""), 0);
    EXPECT_EQ(Hex2Color("#FF0000"), clRed);
    EXPECT_EQ(Hex2Color("#0000FF"), clBlue);
    EXPECT_EQ(Hex2Color("#123456"), TColor(0x563412));
    EXPECT_EQ(Hex2Color("#GG00FF"), clBlue);
    EXPECT_EQ(Hex2Color("#FF"), clRed); // a short value reads no further than it goes
    EXPECT_EQ(Hex2Color("#"), clBlack);
}

TEST(HTMLHelpers, IStrToIntReadsTheLeadingNumberAndSaturates) {
    struct Case {
        const char* Text;
        int Value;
    };
    const Case cases[] = {
        {"12", 12},
        {"  7\" face=\"x\"", 7},
        {"-5", -5},
        {"+3", 3},
        {"$1F", 31},
        {"0x1f", 31},
        {"0x", 0},
        {"abc", 0},
        {"", 0},
        {"99999999999999999999", INT_MAX},
        {"-99999999999999999999", INT_MIN},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IStrToInt(c.Text), c.Value) << c.Text;
}

TEST(HTMLHelpers, PositionsAndReplacement) {
    EXPECT_EQ(IPos("href", "<A HREF=x>"), 4);
    EXPECT_EQ(IPos("src", "<img>"), 0);
    int pos = -1;
    EXPECT_EQ(VarPos("B", "aBcB", pos), 2);
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(VarPos("b", "aBc", pos), 0);
    EXPECT_EQ(pos, 0);
    std::string s = "x <B> y <b>";
    EXPECT_TRUE(TagReplaceString("<b>", "[b]", s));
    EXPECT_EQ(s, "x [b] y <b>");
    EXPECT_FALSE(TagReplaceString("<i>", "", s));
}

TEST(HTMLHelpers, TextCleanUps) {
    EXPECT_EQ(DBTagStrip("Dear <#NAME>, <#X>"), "Dear #NAME, <#X>");
    EXPECT_EQ(DBTagStrip("<#open"), "#open");
    EXPECT_EQ(CRLFStrip("a\r\nb\nc\rd", false), "abcd");
    EXPECT_EQ(CRLFStrip("a\r\nb", true), "a<BR>b");
}

TEST(HTMLHelpers, HTMLStripKeepsTheTextAndBreaks) {
    struct Case {
        const char* In;
        const char* Out;
    };
    const Case cases[] = {
        {"<b>Bold</b> text", "Bold text"},
        {"one<br>two<BR>three", "one\r\ntwo\r\nthree"},
        {"above<hr>below", "above\r\nbelow"},
        {"<a href=\"x\">link</a>", "link"},
        {"a < b", "a < b"},
        {"x<b>y<unclosed", "xy<unclosed"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HTMLStrip(c.In), c.Out) << c.In;
}

TEST(HTMLHelpers, HtmlEscapeMakesPlainTextSafe) {
    EXPECT_EQ(HtmlEscape("a & b <c> \"d\""), "a &amp; b &lt;c&gt; &quot;d&quot;");
    EXPECT_EQ(HtmlEscape("Grüße"), "Grüße");
}

TEST(HTMLHelpers, DirExistsTellsFoldersFromFiles) {
    TempPlatformHome home;
    EXPECT_TRUE(DirExists(home.path));
    EXPECT_FALSE(DirExists(home.path + "/none"));
    EXPECT_FALSE(DirExists(""));
}

TEST(HTMLEntities, TheTableInRunsAndValues) {
    struct Case {
        const char* In;
        const char* Run;
        const char* Plain;
    };
    const Case cases[] = {
        {"a &amp; b", "a && b", "a & b"},
        {"&lt;b&gt;", "<b>", "<b>"},
        {"x&nbsp;y", "x y", "x y"},
        {"&quot;q&quot;", "\"q\"", "\"q\""},
        {"&sect;&permil;&reg;&copy;&para;&trade;&euro;", "§‰®©¶™€", "§‰®©¶™€"},
        {"&AMP;&Copy;", "&&©", "&©"},
        {"&amp;lt;", "&&lt;", "&lt;"}, // decoded once: what it gives starts nothing
        {"&unknown; & &", "&unknown; & &", "&unknown; & &"},
        {"&", "&", "&"},
        {"&amp", "&amp", "&amp"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeEntities(c.In, TEntityTarget::Run), c.Run) << c.In;
        EXPECT_EQ(DecodeEntities(c.In, TEntityTarget::Plain), c.Plain) << c.In;
    }
}

TEST(HTMLGraphics, RotationTurnsTheFontAndGivesItBack) {
    TRecordingCanvas canvas;
    int previous = StartRotated(canvas, 90);
    EXPECT_EQ(canvas.Font()->Orientation(), 900);
    int inner = StartRotated(canvas, 450);
    EXPECT_EQ(canvas.Font()->Orientation(), 900);
    EndRotated(canvas, inner);
    EndRotated(canvas, previous);
    EXPECT_EQ(canvas.Font()->Orientation(), 0);
}

TEST(HTMLGraphics, SysImageGivesTheShellIconSizeAndDrawsIt) {
    TRecordingCanvas canvas;
    SIZE small = SysImage(canvas, 0, 0, false, "readme.txt", false, false, 1.0);
    SIZE large = SysImage(canvas, 0, 0, true, "readme.txt", false, false, 1.0);
    EXPECT_EQ(small.cx, 16);
    EXPECT_EQ(large.cy, 32);
    EXPECT_TRUE(canvas.Records().empty());
    SysImage(canvas, 4, 5, false, "0", true, false, 1.0);
    ASSERT_EQ(canvas.Records().size(), 1u);
    EXPECT_EQ(canvas.Lines()[0].rfind("Bits 16x16 (4,5)-(20,21)", 0), 0u) << canvas.Lines()[0];
    canvas.Clear();
    SysImage(canvas, 0, 0, false, "readme.txt", true, true, 2.0);
    ASSERT_EQ(canvas.Records().size(), 1u);
    EXPECT_EQ(canvas.Lines()[0], "Bits 16x16 (0,0)-(32,32) rop=$00CC0020");
}
