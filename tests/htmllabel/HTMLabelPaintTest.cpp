// The label's defaults and painting on a form: auto-sizing, vertical
// alignment inside the bevels, a second paint that changes nothing, the
// text's lines joined, a picture that does not load, and an image list
// freed while the label holds it.
#include "tests/htmllabel/HTMLabelSupport.h"

#include "platform/gfx/ImageList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

using namespace labeltest;

namespace {

const char* const kLinks = "Open <a href=\"home\">the home page</a> or "
                           "<a href=\"mailto:help@lorvane.example\">write to us</a>.";

// The top of the first text record of a painting.
int FirstTextTop(TForm& form) {
    std::vector<std::string> text = PaintedText(form);
    if (text.empty())
        return -1;
    size_t comma = text[0].find(',');
    return std::stoi(text[0].substr(comma + 1));
}

} // namespace

TEST(HTMLabel, StartsWithTheDefaultsOfEveryProperty) {
    THost host;
    THTMLabel& l = *host.Label;
    EXPECT_FALSE(l.AnchorHint());
    EXPECT_FALSE(l.AutoSizing());
    EXPECT_EQ(l.AutoSizeType(), asVertical);
    EXPECT_EQ(l.BevelInner(), bvNone);
    EXPECT_EQ(l.BevelOuter(), bvNone);
    EXPECT_EQ(l.BevelWidth(), 1);
    EXPECT_EQ(l.BorderWidth(), 0);
    EXPECT_EQ(l.BorderStyle(), bsNone);
    EXPECT_FALSE(l.Ellipsis());
    EXPECT_FALSE(l.HintShowFull());
    EXPECT_FALSE(l.Hover());
    EXPECT_EQ(l.HoverColor(), clNone);
    EXPECT_EQ(l.HoverFontColor(), clNone);
    EXPECT_FALSE(l.HTMLHint());
    EXPECT_EQ(l.HTMLText()->Count(), 0);
    EXPECT_EQ(l.Images(), nullptr);
    EXPECT_EQ(l.PictureContainer(), nullptr);
    EXPECT_EQ(l.ShadowColor(), TColor(0x808080));
    EXPECT_EQ(l.ShadowOffset(), 2);
    EXPECT_EQ(l.URLColor(), TColor(0xFF0000));
    EXPECT_EQ(l.VAlignment(), tvaTop);
    EXPECT_EQ(l.HoverLink(), -1);
    EXPECT_FALSE(l.AutoSize());
    EXPECT_EQ(l.Caption(), "");
}

TEST(HTMLabel, AutoSizingGrowsTheLabelSixPixelsBeyondItsText) {
    struct Case {
        TAutoSizeType Type;
        RECT Bounds;
    };
    // The text is 34 characters (204 pixels) on one line; at 100 pixels
    // wide it wraps into three lines of 11.
    const Case cases[] = {
        {asVertical, Rect(8, 8, 108, 8 + 33 + 6)},
        {asHorizontal, Rect(8, 8, 8 + 204 + 6, 48)},
        {asBoth, Rect(8, 8, 8 + 204 + 6, 8 + 11 + 6)},
    };
    for (const Case& c : cases) {
        THost host;
        host.Label->SetBounds(8, 8, 100, 40);
        host.Label->SetHTMLText(kLinks);
        host.Label->SetAutoSizeType(c.Type);
        host.Label->SetAutoSizing(true);
        host.Form->PaintIfNeeded();
        EXPECT_EQ(host.Label->BoundsRect(), c.Bounds) << c.Type;
        EXPECT_FALSE(host.Form->NeedsPaint()) << c.Type;
    }
}

TEST(HTMLabel, AutoSizingOnASideStartsFromASliver) {
    THost host;
    host.Label->SetAlign(alTop);
    host.Label->SetAutoSizing(true);
    EXPECT_EQ(host.Label->Height(), 6);
    host.Label->SetHTMLText("one<br>two");
    host.Form->PaintIfNeeded();
    EXPECT_EQ(host.Label->Height(), 22 + 6);
    EXPECT_EQ(host.Label->Width(), 400);
}

TEST(HTMLabel, VerticalAlignmentPlacesTheTextInsideTheBevels) {
    struct Case {
        TVAlignment Alignment;
        int Height;
        const char* Text;
        int Top;
    };
    // A raised bevel of 2: the text goes into (2, 2)-(298, Height - 2).
    const Case cases[] = {
        {tvaTop, 60, "one line", 8 + 2},
        {tvaBottom, 60, "one line", 8 + 58 - 11},
        {tvaCenter, 60, "one line", 8 + 2 + (56 - 11) / 2},
        // A line (11) higher than the inner 5 though lower than the
        // label's 9 stays at the inner top, never above it.
        {tvaBottom, 9, "one line", 8 + 2},
        {tvaCenter, 9, "one line", 8 + 2},
        // Only what fits is measured: one line of two in the inner 20.
        {tvaBottom, 24, "one<br>two", 8 + 22 - 11},
    };
    for (const Case& c : cases) {
        THost host;
        host.Label->SetBounds(8, 8, 300, c.Height);
        host.Label->SetBevelOuter(bvRaised);
        host.Label->SetBevelWidth(2);
        host.Label->SetVAlignment(c.Alignment);
        host.Label->SetHTMLText(c.Text);
        EXPECT_EQ(FirstTextTop(*host.Form), c.Top) << c.Alignment << " " << c.Text;
    }
}

TEST(HTMLabel, FramesAreDrawnAroundTheText) {
    THost host;
    host.Label->SetBevelOuter(bvLowered);
    host.Label->SetBorderStyle(bsSingle);
    host.Label->SetBorderWidth(1);
    host.Label->SetHTMLText("framed");
    std::vector<std::string> lines = Painted(*host.Form);
    std::string all;
    for (const std::string& line : lines)
        all += line + "\n";
    // Lowered: dark above and left.
    EXPECT_NE(all.find("clBtnShadow"), std::string::npos) << all;
    EXPECT_NE(all.find("Rectangle (8,8)-(308,48)"), std::string::npos) << all;
    // Inside the bevel (1) and the border (1).
    EXPECT_EQ(FirstTextTop(*host.Form), 8 + 2);
}

TEST(HTMLabel, ASecondPaintChangesNothing) {
    THost host;
    host.Label->SetHTMLText(kLinks);
    host.Label->SetAutoSizing(true);
    host.Label->SetAutoSizeType(asBoth);
    host.Form->PaintIfNeeded();
    RECT bounds = host.Label->BoundsRect();
    std::vector<std::string> first = Painted(*host.Form);
    std::vector<std::string> second = Painted(*host.Form);
    EXPECT_EQ(first, second);
    EXPECT_EQ(host.Label->BoundsRect(), bounds);
    EXPECT_FALSE(host.Form->NeedsPaint());
}

TEST(HTMLabel, LinesOfTheTextAreShownJoined) {
    THost host;
    host.Label->HTMLText()->Add("one ");
    host.Label->HTMLText()->Add("<b>two</b>");
    host.Label->HTMLText()->Add("\r\nthree");
    EXPECT_EQ(host.Label->GetDisplText(), "one <b>two</b>three");
    std::vector<std::string> text = PaintedText(*host.Form);
    ASSERT_EQ(text.size(), 3u);
    EXPECT_EQ(text[0].substr(0, text[0].find(" font=")), R"(Text (9,8) "one ")");
    EXPECT_EQ(text[1].substr(0, text[1].find(" font=")), R"(Text (33,8) "two")");
    EXPECT_EQ(text[2].substr(0, text[2].find(" font=")), R"(Text (51,8) "three")");
}

TEST(HTMLabel, APictureThatDoesNotLoadDrawsNothingAndIsNotRetried) {
    std::filesystem::path broken = std::filesystem::temp_directory_path() / "htmllabel-broken.gif";
    std::ofstream(broken, std::ios::binary) << "GIF89a not really";
    THost host;
    host.Label->SetHTMLText("a <img src=\"file://" + broken.string() +
                            "\"> b <img src=\"file:///no/such/Picture.gif\"> c");
    EXPECT_NO_THROW(Painted(*host.Form));
    EXPECT_EQ(host.Label->PictureCache()->Count(), 2);
    EXPECT_NO_THROW(Painted(*host.Form));
    EXPECT_EQ(host.Label->PictureCache()->Count(), 2);
    // A new text starts with an empty cache.
    host.Label->SetHTMLText("plain");
    EXPECT_EQ(host.Label->PictureCache()->Count(), 0);
    std::filesystem::remove(broken);
}

TEST(HTMLabel, FreeingItsImageListClearsTheReference) {
    THost host;
    auto* list = new TImageList(host.Form);
    TBitmap image(16, 16);
    list->Add(&image, nullptr);
    host.Label->SetImages(list);
    host.Label->SetHTMLText("<img src=\"IDX:0\"> image");
    host.Form->PaintIfNeeded();
    // A change of the list repaints the label.
    list->Add(&image, nullptr);
    EXPECT_TRUE(host.Form->NeedsPaint());
    host.Form->PaintIfNeeded();
    list->Free();
    EXPECT_EQ(host.Label->Images(), nullptr);
    EXPECT_NO_THROW(Painted(*host.Form));
    // And the other way round: a label freed first leaves the list alone.
    auto* second = new TImageList(host.Form);
    host.Label->SetImages(second);
    host.Label->Free();
    second->Add(&image, nullptr);
    second->Free();
}

TEST(HTMLabel, FreeingItsPictureContainerClearsTheReference) {
    THost host;
    auto* container = new TPictureContainer(host.Form);
    host.Label->SetPictureContainer(container);
    host.Label->SetHTMLText("<img src=\"logo\"> text");
    host.Form->PaintIfNeeded();
    container->Free();
    EXPECT_EQ(host.Label->PictureContainer(), nullptr);
    EXPECT_NO_THROW(Painted(*host.Form));
}

TEST(HTMLabel, SettersRepaintAndThreeOnlyWhenTheValueChanges) {
    struct Case {
        const char* Name;
        std::function<void(THTMLabel&)> SetSame;
        std::function<void(THTMLabel&)> SetNew;
    };
    const Case cases[] = {
        {"VAlignment", [](THTMLabel& l) { l.SetVAlignment(tvaTop); },
         [](THTMLabel& l) { l.SetVAlignment(tvaBottom); }},
        {"Ellipsis", [](THTMLabel& l) { l.SetEllipsis(false); },
         [](THTMLabel& l) { l.SetEllipsis(true); }},
        {"URLColor", [](THTMLabel& l) { l.SetURLColor(clBlue); },
         [](THTMLabel& l) { l.SetURLColor(clRed); }},
    };
    for (const Case& c : cases) {
        THost host;
        host.Form->PaintIfNeeded();
        c.SetSame(*host.Label);
        EXPECT_FALSE(host.Form->NeedsPaint()) << c.Name;
        c.SetNew(*host.Label);
        EXPECT_TRUE(host.Form->NeedsPaint()) << c.Name;
    }
    // The others repaint whatever they are given.
    THost host;
    host.Form->PaintIfNeeded();
    host.Label->SetShadowOffset(2);
    EXPECT_TRUE(host.Form->NeedsPaint());
}

TEST(HTMLabel, EllipsisKeepsEachLineWhole) {
    // 100 pixels: wrapped, three lines; with Ellipsis one line, cut short.
    for (bool ellipsis : {false, true}) {
        THost host;
        host.Label->SetBounds(8, 8, 100, 40);
        host.Label->SetEllipsis(ellipsis);
        host.Label->SetHTMLText(kLinks);
        std::set<int> tops;
        for (const std::string& line : PaintedText(*host.Form))
            tops.insert(std::stoi(line.substr(line.find(',') + 1)));
        EXPECT_EQ(tops.size(), ellipsis ? 1u : 3u) << ellipsis;
        EXPECT_LE(host.Label->TextWidth(), 100) << ellipsis;
    }
}
