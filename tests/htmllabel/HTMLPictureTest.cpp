// THTMLPicture: frames of an animated GIF, the bytes kept as loaded, the
// five failure messages with the picture left empty, natural and stretched
// drawing, and every cut of an animation loaded without harm.
#include "PictureTestSupport.h"

#include "htmllabel/HTMLPicture.h"
#include "platform/gfx/Colors.h"
#include "tests/support/ExpectRaises.h"

#include <gtest/gtest.h>

using namespace picturetest;
using namespace HTMLPictureConsts;

namespace {

TEST(HTMLPicture, CountsTheFramesOfAnAnimation) {
    THTMLPicture picture;
    LoadBytes(picture, ThreeFrameGif());
    EXPECT_TRUE(picture.IsGIFFile());
    EXPECT_EQ(picture.GetFrameCount(), 3);
    EXPECT_EQ(picture.Frame(), 1);
    EXPECT_EQ(picture.Width(), 16);
    EXPECT_EQ(picture.Height(), 12);
    EXPECT_EQ(picture.GetMaxWidth(), 16);
    EXPECT_EQ(picture.FrameWidth(), 16);
}

TEST(HTMLPicture, FrameTwoShowsTheSecondFrameAndTellsOnce) {
    THTMLPicture picture;
    LoadBytes(picture, ThreeFrameGif());
    int changes = 0;
    picture.OnFrameChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &picture);
        ++changes;
    };
    picture.SetFrame(2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(picture.Frame(), 2);
    EXPECT_EQ(picture.FrameXPos(), 2);
    EXPECT_EQ(picture.FrameYPos(), 3);
    EXPECT_EQ(picture.FrameWidth(), 8);
    EXPECT_EQ(picture.FrameHeight(), 6);
    auto target = WhiteBitmap(16, 12);
    target->Canvas()->Draw(0, 0, &picture);
    EXPECT_EQ(target->Canvas()->Pixels(2, 3), clLime) << "frame 2 is green";
    EXPECT_EQ(target->Canvas()->Pixels(9, 8), clLime);
    EXPECT_NE(target->Canvas()->Pixels(1, 1), clRed) << "frame 1 is not shown";
}

TEST(HTMLPicture, FramesOutsideTheCountAreIgnoredOnceThereAreBytes) {
    THTMLPicture picture;
    LoadBytes(picture, ThreeFrameGif());
    int changes = 0;
    picture.OnFrameChange = [&](TObject*) { ++changes; };
    for (int frame : {0, 4, -1, 100}) {
        picture.SetFrame(frame);
        EXPECT_EQ(picture.Frame(), 1) << frame;
    }
    EXPECT_EQ(changes, 0);
    EXPECT_NE(picture.Picture(), nullptr) << "the shown frame stays";
}

TEST(HTMLPicture, AFrameSetBeforeTheBytesIsKeptOrFallsBackToOne) {
    THTMLPicture before;
    before.SetFrame(3);
    EXPECT_EQ(before.Frame(), 3);
    LoadBytes(before, ThreeFrameGif());
    EXPECT_EQ(before.Frame(), 3);
    EXPECT_EQ(before.FrameXPos(), 5);

    THTMLPicture beyond;
    beyond.SetFrame(7);
    LoadBytes(beyond, ThreeFrameGif());
    EXPECT_EQ(beyond.Frame(), 1);
    EXPECT_EQ(beyond.FrameXPos(), 0);
    EXPECT_NE(beyond.Picture(), nullptr);
}

TEST(HTMLPicture, EveryLoadCountsItsOwnFrames) {
    THTMLPicture picture;
    LoadBytes(picture, ThreeFrameGif());
    picture.SetFrame(3);
    EXPECT_EQ(picture.GetFrameCount(), 3);
    LoadBytes(picture, testimages::WriteGif(4, 4, {{0, 0, 4, 4, 9, 9, 9}}));
    EXPECT_EQ(picture.GetFrameCount(), 1);
    EXPECT_EQ(picture.Frame(), 1) << "frame 3 is beyond the new bytes";
    EXPECT_EQ(picture.FrameWidth(), 4);
    LoadBytes(picture, testimages::WriteJpeg(8, 8, 1, 2, 3));
    EXPECT_EQ(picture.GetFrameCount(), -1);
    EXPECT_EQ(picture.FrameWidth(), 0);
    EXPECT_EQ(picture.GetMaxWidth(), 8);
}

TEST(HTMLPicture, ImagesWithoutControlExtensionAreNoFrames) {
    testimages::GifFrame plain{0, 0, 6, 5, 40, 50, 60};
    plain.Control = false;
    THTMLPicture picture;
    LoadBytes(picture, testimages::WriteGif(6, 5, {plain}));
    EXPECT_EQ(picture.GetFrameCount(), 0);
    EXPECT_EQ(picture.Width(), 6);
    EXPECT_EQ(picture.GetMaxWidth(), 6) << "without frames the screen size is not read";
}

TEST(HTMLPicture, BytesThatLookLikeAFrameInsideARecordAreNoFrame) {
    std::vector<uint8_t> file = testimages::WriteGif(4, 4, {{0, 0, 4, 4, 9, 9, 9}});
    // A comment whose text is a graphic control extension and an image
    // descriptor, right after the header.
    std::vector<uint8_t> look = {0x21, 0xF9, 0x04, 0, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0, 4, 0, 4, 0, 0};
    std::vector<uint8_t> comment = {0x21, 0xFE, uint8_t(look.size())};
    comment.insert(comment.end(), look.begin(), look.end());
    comment.push_back(0);
    size_t headerEnd = 13 + 2 * 3; // header, screen descriptor, two colours
    file.insert(file.begin() + long(headerEnd), comment.begin(), comment.end());
    THTMLPicture picture;
    LoadBytes(picture, file);
    EXPECT_EQ(picture.GetFrameCount(), 1);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(Written(picture), file);
}

TEST(HTMLPicture, FourBytesAreNotAGif) {
    THTMLPicture picture;
    ExpectRaises<EHTMLPictureError>(
        [&] {
            LoadBytes(picture, {'G', 'I', 'F', '8'});
        },
        SInvalidFormat);
    EXPECT_FALSE(picture.IsGIFFile());
    EXPECT_EQ(picture.GetFrameCount(), -1);
}

// A stream that claims a terabyte and holds nothing.
class TClaimingStream : public TStream {
public:
    size_t Read(void*, size_t) override { return 0; }
    size_t Write(const void*, size_t) override { return 0; }
    int64_t Seek(int64_t offset, TSeekOrigin origin) override {
        return origin == soBeginning ? offset : 0;
    }
    int64_t GetSize() override { return int64_t(1) << 40; }
};

TEST(HTMLPicture, RefusesAStreamLargerThanAnyPictureBeforeCopyingIt) {
    THTMLPicture picture;
    TClaimingStream huge;
    ExpectRaises<EHTMLPictureError>([&] { picture.LoadFromStream(huge); }, SInvalidFormat);
    EXPECT_TRUE(picture.Empty());
}

TEST(HTMLPicture, WriteDataGivesBackTheBytesAsLoaded) {
    for (const std::vector<uint8_t>& bytes :
         {ThreeFrameGif(), testimages::WriteJpeg(5, 5, 200, 100, 0)}) {
        THTMLPicture picture;
        LoadBytes(picture, bytes);
        picture.SetFrame(2);
        EXPECT_EQ(Written(picture), bytes);
        TMemoryStream saved;
        picture.SaveToStream(saved);
        EXPECT_EQ(saved.GetSize(), int64_t(bytes.size()));
    }
}

TEST(HTMLPicture, AFailedReloadLeavesThePictureEmpty) {
    THTMLPicture picture;
    LoadBytes(picture, testimages::WriteJpeg(8, 8, 250, 0, 0));
    ASSERT_FALSE(picture.Empty());
    ExpectRaises<EHTMLPictureError>(
        [&] {
            LoadBytes(picture, {'n', 'o', 'p', 'e', '!'});
        },
        SInvalidFormat);
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(picture.Picture(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_TRUE(Written(picture).empty());
    auto target = WhiteBitmap(8, 8);
    target->Canvas()->Draw(0, 0, &picture);
    EXPECT_EQ(target->Canvas()->Pixels(4, 4), clWhite) << "the previous image is not drawn";
}

TEST(HTMLPicture, DrawsAtItsNaturalSizeForTheResolution) {
    THTMLPicture picture;
    LoadBytes(picture, testimages::WriteJpeg(96, 48, 250, 0, 0));
    EXPECT_EQ(picture.Width(), 96);
    EXPECT_EQ(picture.Height(), 48);
    struct Case {
        int PixelsPerInch;
        int Width, Height;
    };
    for (Case c : {Case{96, 96, 48}, Case{144, 144, 72}}) {
        auto target = WhiteBitmap(200, 100);
        target->Canvas()->SetPixelsPerInch(c.PixelsPerInch);
        target->Canvas()->Draw(0, 0, &picture);
        auto red = [&](int x, int y) {
            return GetRValue(target->Canvas()->Pixels(x, y)) > 200 &&
                   GetGValue(target->Canvas()->Pixels(x, y)) < 40;
        };
        EXPECT_TRUE(red(c.Width - 1, c.Height - 1)) << c.PixelsPerInch;
        EXPECT_EQ(target->Canvas()->Pixels(c.Width + 1, c.Height + 1), clWhite) << c.PixelsPerInch;
    }
    auto screen = WhiteBitmap(200, 100);
    screen->Canvas()->StretchDraw(Rect(0, 0, 10, 10), &picture);
    EXPECT_EQ(screen->Canvas()->Pixels(95, 47) & 0xFF, 250u & 0xFF)
        << "Draw takes the canvas's resolution, 96 here";
}

TEST(HTMLPicture, TransparentPixelsShowWhatIsBehind) {
    testimages::GifFrame half{0, 0, 8, 4, 0, 0, 255};
    half.LeftHalfTransparent = true;
    THTMLPicture picture;
    LoadBytes(picture, testimages::WriteGif(8, 4, {half}));
    auto target = WhiteBitmap(8, 4);
    target->Canvas()->Draw(0, 0, &picture);
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), clWhite);
    EXPECT_EQ(target->Canvas()->Pixels(6, 1), clBlue);
}

TEST(HTMLPicture, StretchFillsTheRectangle) {
    THTMLPicture picture;
    LoadBytes(picture, testimages::WriteJpeg(96, 48, 250, 0, 0));
    picture.SetStretch(true);
    auto target = WhiteBitmap(60, 40);
    target->Canvas()->StretchDraw(Rect(10, 10, 30, 20), &picture);
    EXPECT_GT(GetRValue(target->Canvas()->Pixels(29, 19)), 200);
    EXPECT_GT(GetRValue(target->Canvas()->Pixels(10, 10)), 200);
    EXPECT_EQ(target->Canvas()->Pixels(31, 21), clWhite);
    EXPECT_EQ(target->Canvas()->Pixels(9, 9), clWhite);
}

TEST(HTMLPicture, EveryCutOfAnAnimationIsAPictureOrAnError) {
    std::vector<uint8_t> file = ThreeFrameGif();
    for (size_t n = 0; n <= file.size(); ++n) {
        THTMLPicture picture;
        std::vector<uint8_t> cut(file.begin(), file.begin() + long(n));
        try {
            LoadBytes(picture, cut);
        } catch (const EHTMLPictureError&) {
            EXPECT_TRUE(picture.Empty()) << n;
            continue;
        }
        EXPECT_LE(picture.GetFrameCount(), 3) << n;
        picture.SetFrame(picture.GetFrameCount());
        auto target = WhiteBitmap(16, 12);
        target->Canvas()->Draw(0, 0, &picture);
    }
}

TEST(HTMLPicture, AssignCopiesTheBytesAndDecodes) {
    THTMLPicture source;
    LoadBytes(source, ThreeFrameGif());
    source.SetFrame(2);
    THTMLPicture copy;
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(copy.Empty());
    EXPECT_EQ(copy.Frame(), 1) << "a copy starts at frame 1";
    EXPECT_EQ(Written(copy), ThreeFrameGif());
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Picture(), nullptr);
    EXPECT_TRUE(Written(copy).empty());
}

TEST(HTMLPicture, AnEmptyPictureCopiesAsEmpty) {
    THTMLPicture nothing;
    THTMLPicture copy;
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    EXPECT_NO_THROW(copy.Assign(&nothing));
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Picture(), nullptr);
    EXPECT_EQ(changes, 1);
    // Over a picture that showed something, the copy leaves nothing.
    LoadBytes(copy, ThreeFrameGif());
    EXPECT_NO_THROW(copy.Assign(&nothing));
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Picture(), nullptr);
    EXPECT_EQ(copy.Width(), 0);
    EXPECT_TRUE(Written(copy).empty());
    // A picture given only a URL holds nothing either.
    THTMLPicture addressed;
    addressed.SetAsynch(false);
    addressed.LoadFromURL("http://example.invalid/a.gif");
    EXPECT_NO_THROW(copy.Assign(&addressed));
    EXPECT_TRUE(copy.Empty());
}

TEST(HTMLPicture, AHandlerMayFreeThePictureThatTellsIt) {
    auto* picture = new THTMLPicture;
    LoadBytes(*picture, ThreeFrameGif());
    picture->OnFrameChange = [&](TObject*) { delete picture; };
    picture->SetFrame(2);
}

} // namespace
