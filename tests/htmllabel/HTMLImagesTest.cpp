// The renderer's pictures: named pictures of the container (natural size or
// stretched), the shell's icons, image list pictures sent to a printer, the
// ALT picture under the point, and a picture inside an anchor found by the
// point.
#include "htmllabel/HTMLDraw.h"
#include "htmllabel/PictureContainer.h"
#include "platform/gfx/ImageList.h"
#include "tests/htmllabel/HTMLDrawSupport.h"
#include "tests/htmllabel/PictureTestSupport.h"

#include <gtest/gtest.h>

using namespace htmltest;

namespace {

using Lines = std::vector<std::string>;

// A container with "Logo" (6 x 4, from the program's resources) and
// "Frames" (three frames on a 16 x 12 screen).
struct TPictures {
    TPictureContainer Container{nullptr};
    TPictures() {
        TPictureItem* logo = Container.Items()->Add();
        logo->SetName("Logo");
        logo->Picture()->LoadFromURL("RES://LOGO");
        TPictureItem* frames = Container.Items()->Add();
        frames->SetName("Frames");
        picturetest::LoadBytes(*frames->Picture(), picturetest::ThreeFrameGif());
    }
};

} // namespace

TEST(HTMLImages, ContainerPicturesAtTheirSizeOrStretched) {
    TPictures pictures;
    THTMLDrawParams p;
    p.PictureContainer = &pictures.Container;
    TDrawn d = Draw("a<img src=\"logo\"><img src=\"Logo\" width=\"20\" height=\"30\">b",
                    Rect(0, 0, 200, 100), p);
    // The line is 30 high: the pictures stand on its bottom.
    EXPECT_EQ(d.Lines, (Lines{
                           R"(Text (1,19) "a" font="Tahoma"/8/clWindowText clip=(1,0)-(200,30))",
                           "Draw THTMLPicture 6x4 (7,26)-(13,30)",
                           "Draw THTMLPicture 6x4 (13,0)-(33,30) stretch",
                           R"(Text (33,19) "b" font="Tahoma"/8/clWindowText clip=(33,0)-(200,30))",
                       }));
    EXPECT_EQ(d.Result.XSize, 38);
    // A name the container does not have takes no room.
    EXPECT_EQ(Draw("a<img src=\"nothing\">b", Rect(0, 0, 200, 100), p).Result.XSize, 12);
}

TEST(HTMLImages, AnAnimationIsDrawnOnItsBackgroundAtItsFrameOffset) {
    TPictures pictures;
    THTMLDrawParams p;
    p.PictureContainer = &pictures.Container;
    TDrawn d = Draw("<font bgcolor=\"clWhite\"><img src=\"frames\">", Rect(0, 0, 200, 100), p);
    THTMLPicture* frames = pictures.Container.FindPicture("FRAMES");
    int w = frames->Width(), h = frames->Height();
    ASSERT_EQ(d.Lines.size(), 2u);
    EXPECT_EQ(d.Lines[0], "FillRect (1,0)-(" + std::to_string(1 + w) + "," + std::to_string(h) +
                              ") brush=clWhite/bsSolid");
    EXPECT_EQ(d.Lines[1].rfind("Draw THTMLPicture", 0), 0u);
}

TEST(HTMLImages, ShellIconsAndPrintedListImages) {
    TDrawn shell =
        Draw("<img src=\"SSYS:notes.txt\"><img src=\"LSYS:notes.txt\">", Rect(0, 0, 200, 100));
    EXPECT_EQ(shell.Lines, (Lines{
                               "Bits 16x16 (1,16)-(17,32) rop=blend",
                               "Bits 32x32 (17,0)-(49,32) rop=blend",
                           }));
    TImageList list(16, 16);
    TBitmap strip(16, 16);
    list.Add(&strip, nullptr);
    THTMLDrawParams p;
    p.Images = &list;
    p.Print = true;
    p.ResFactor = 2.0;
    TDrawn printed = Draw("<img src=\"idx:0\">", Rect(0, 0, 200, 100), p);
    EXPECT_EQ(printed.Lines, (Lines{"Bits 16x16 (1,0)-(33,32) rop=$00CC0020"}));
}

TEST(HTMLImages, ThePointOverAnImageShowsItsAltAndFindsItsAnchor) {
    TPictures pictures;
    THTMLDrawParams p;
    p.PictureContainer = &pictures.Container;
    const std::string text = "<a href=\"pic\"><img src=\"logo\" alt=\"frames\"></a>";
    p.X = 3;
    p.Y = 8;
    TDrawn over = Draw(text, Rect(0, 0, 200, 100), p);
    EXPECT_TRUE(over.OnAnchor);
    EXPECT_EQ(over.Result.AnchorVal, "pic");
    EXPECT_EQ(over.Result.MouseLink, 1);
    EXPECT_EQ(over.Lines, (Lines{"Draw THTMLPicture 16x12 (1,7)-(7,11) stretch"}));
    p.X = 50;
    TDrawn away = Draw(text, Rect(0, 0, 200, 100), p);
    EXPECT_FALSE(away.OnAnchor);
    EXPECT_EQ(away.Lines, (Lines{"Draw THTMLPicture 6x4 (1,7)-(7,11)"}));
}
