// Button faces: as a picture with a mask, or through the clipboard on a
// "9.0" host and when the picture is refused, with PasteFace retried; the
// user's clipboard (text, a registered format, a bitmap) survives a face, and
// a clipboard that cannot be saved is not taken at all.
#include "tests/framework/CommandBarTestSupport.h"

#include "framework/commandbars/SaveClipboard.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/SysColors.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Clock.h"

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

using namespace fwtest;

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Blue = 0xFF0000;
constexpr TColor Green = 0x00FF00; // the glyph's bottom-left: transparent

// A 4 x 4 glyph: a green border ring with a red and blue centre.
void PaintGlyph(TBitmap& glyph) {
    glyph.SetSize(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            bool inner = x >= 1 && x <= 2 && y >= 1 && y <= 2;
            glyph.Canvas()->SetPixels(x, y, inner ? (x == 1 ? Red : Blue) : Green);
        }
}

// What the button must show: the glyph, its transparent pixels in the
// button-face colour.
uint32_t Expected(int x, int y) {
    bool inner = x >= 1 && x <= 2 && y >= 1 && y <= 2;
    return inner ? (x == 1 ? Red : Blue) : GetSysColor(COLOR_BTNFACE);
}

class ButtonFaceTest : public CommandBarTest {
protected:
    ButtonFaceTest() {
        SetBarModuleForm(BarModuleForm(TestBar()));
        OpenClipboard(nullptr);
        EmptyClipboard();
        CloseClipboard();
    }
    // Starts in a host of that version and gives the first button the glyph.
    void Face(const std::u16string& version, const std::string& failing = "") {
        app->Version = version;
        Start();
        bars->ClearWrites();
        bars->FailNext(failing);
        TBitmap glyph;
        PaintGlyph(glyph);
        Button().SetGlyph(&glyph);
    }
    TadxCommandBarButton& Button() { return *Bar().Controls()->GetItem(0)->GetAsButton(); }
    const sim::SimButtonFace& SimFace() {
        sim::SimCommandBarControl* control = Sim(u"tag-hello");
        if (!control)
            throw std::runtime_error("The host has no button tag-hello");
        return control->Face();
    }
    int PasteCalls() const {
        int n = 0;
        for (const std::string& write : bars->Writes())
            n += write.find(".PasteFace") != std::string::npos;
        return n;
    }
    // The face equals the glyph with its transparent pixels in the
    // button-face colour, pixel by pixel.
    void ExpectGlyphFace(const std::string& source) {
        const sim::SimButtonFace& face = SimFace();
        EXPECT_EQ(face.Source, source);
        ASSERT_EQ(face.Width, 4);
        ASSERT_EQ(face.Height, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(face.At(x, y), Expected(x, y)) << x << "," << y;
        EXPECT_TRUE(errors.empty());
    }
    // PasteFace fails `failures` times on a "9.0" host.
    void ExpectPasteTries(int failures, int calls, bool pasted) {
        app->Version = u"9.0";
        Start();
        bars->ClearWrites();
        ULONGLONG before = GetTickCount64();
        TBitmap glyph;
        PaintGlyph(glyph);
        bars->FailPasteFace(failures);
        Button().SetGlyph(&glyph);
        EXPECT_EQ(PasteCalls(), calls);
        EXPECT_EQ(GetTickCount64() - before, ULONGLONG(10 * std::min(failures, 11)));
        EXPECT_EQ(!SimFace().Pixels.empty(), pasted);
        // Given up silently.
        EXPECT_TRUE(errors.empty());
    }
    platform::ManualClockScope clock{TDateTime(45000.0)};
};

} // namespace

// Each case starts a host of its own: the button starts without a face.
TEST_F(ButtonFaceTest, APictureHostTakesThePictureWithItsMask) {
    Face(u"11.0");
    ExpectGlyphFace("picture+mask");
}
TEST_F(ButtonFaceTest, ANineHostTakesTheFaceThroughTheClipboard) {
    Face(u"9.0");
    ExpectGlyphFace("pasted");
}
TEST_F(ButtonFaceTest, ARefusedPictureFallsBackToTheClipboard) {
    Face(u"11.0", "Picture");
    ExpectGlyphFace("pasted");
}

TEST_F(ButtonFaceTest, AFixedTransparentColourAndAnUnaskableVersion) {
    app->VersionFails = true; // counts as a host taking pictures
    Start();
    TBitmap glyph;
    PaintGlyph(glyph);
    Button().GlyphTransparentColor = Red;
    Button().SetGlyph(&glyph);
    EXPECT_EQ(SimFace().Source, "picture+mask");
    EXPECT_EQ(SimFace().At(1, 1), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(SimFace().At(0, 0), uint32_t(Green));
}

TEST_F(ButtonFaceTest, PasteFaceFailingThreeTimesThenSucceeding) {
    ExpectPasteTries(3, 4, true);
}
TEST_F(ButtonFaceTest, PasteFaceFailingElevenTimesIsGivenUp) {
    ExpectPasteTries(11, 11, false);
}
TEST_F(ButtonFaceTest, PasteFaceIsNotTriedATwelfthTime) {
    ExpectPasteTries(20, 11, false);
}

namespace {

// Live bitmaps and contexts.
DWORD GdiObjects() {
    return GetGuiResources(nullptr, GR_GDIOBJECTS);
}

// Puts a memory block of text under format.
void PutText(UINT format, const char* text) {
    std::size_t size = std::strlen(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), text, size);
    GlobalUnlock(block);
    SetClipboardData(format, block);
}

std::string TextOf(UINT format) {
    HGLOBAL block = GetClipboardData(format);
    if (!block)
        return "<none>";
    std::string text(static_cast<const char*>(GlobalLock(block)));
    GlobalUnlock(block);
    return text;
}

// The colour of a bitmap's pixel.
COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF color = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return color;
}

// Another program holding the clipboard open while it lives.
class ClipboardHeldElsewhere {
public:
    ClipboardHeldElsewhere() : other_([this] { Hold(); }) {
        std::unique_lock<std::mutex> guard(lock_);
        changed_.wait(guard, [this] { return opened_; });
    }
    ~ClipboardHeldElsewhere() {
        {
            std::lock_guard<std::mutex> guard(lock_);
            done_ = true;
        }
        changed_.notify_all();
        other_.join();
    }

private:
    void Hold() {
        std::unique_lock<std::mutex> guard(lock_);
        opened_ = OpenClipboard(nullptr);
        changed_.notify_all();
        changed_.wait(guard, [this] { return done_; });
        CloseClipboard();
    }
    std::mutex lock_;
    std::condition_variable changed_;
    bool opened_ = false;
    bool done_ = false;
    std::thread other_;
};

} // namespace

// The clipboard owns what it is given: the user's bitmap, the face put
// there for the paste and the copy the saver hands back are each freed by
// the clipboard, and nothing is left once the add-in is gone.
TEST_F(ButtonFaceTest, TheUsersTextCustomAndBitmapContentsSurviveAFace) {
    const DWORD live = GdiObjects();
    const UINT custom = RegisterClipboardFormat("Lorvane Test Format");
    TBitmap picture(3, 2);
    picture.Canvas()->SetPixels(2, 1, Blue);
    HBITMAP userBitmap = picture.ReleaseHandle();
    ASSERT_TRUE(OpenClipboard(nullptr));
    PutText(CF_TEXT, "the user's text");
    PutText(custom, "custom data");
    SetClipboardData(CF_BITMAP, userBitmap);
    CloseClipboard();

    Face(u"9.0");
    EXPECT_EQ(SimFace().Source, "pasted");

    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(EnumClipboardFormats(0), UINT(CF_TEXT));
    EXPECT_EQ(EnumClipboardFormats(CF_TEXT), custom);
    EXPECT_EQ(EnumClipboardFormats(custom), UINT(CF_BITMAP));
    EXPECT_EQ(TextOf(CF_TEXT), "the user's text");
    EXPECT_EQ(TextOf(custom), "custom data");
    HBITMAP restored = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_TRUE(restored);
    BITMAP info;
    ASSERT_TRUE(GetObject(restored, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_EQ(PixelOf(restored, 2, 1), COLORREF(Blue));
    EXPECT_EQ(PixelOf(restored, 0, 0), COLORREF(0xFFFFFF));
    EXPECT_EQ(GetObjectType(userBitmap), 0u) << "freed when the face replaced it";
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(GetObjectType(restored), 0u) << "freed when the clipboard was emptied";
    Stop();
    EXPECT_EQ(GdiObjects(), live);
}

TEST_F(ButtonFaceTest, AnEmptyClipboardStaysEmpty) {
    const DWORD live = GdiObjects();
    Face(u"9.0");
    EXPECT_EQ(SimFace().Source, "pasted");
    EXPECT_EQ(CountClipboardFormats(), 0);
    Stop();
    EXPECT_EQ(GdiObjects(), live) << "the face the clipboard was given went with it";
}

TEST_F(ButtonFaceTest, AClipboardThatCannotBeSavedIsNotTaken) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    PutText(CF_TEXT, "kept");
    CloseClipboard();
    {
        ClipboardHeldElsewhere other;
        Face(u"9.0");
    }

    EXPECT_EQ(PasteCalls(), 0);
    EXPECT_TRUE(SimFace().Pixels.empty());
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(TextOf(CF_TEXT), "kept");
    EXPECT_EQ(CountClipboardFormats(), 1);
    EmptyClipboard();
    CloseClipboard();
}

TEST(SaveClipboardTest, SavesNothingAndRestoresNothingWhenTheClipboardStaysShut) {
    platform::ManualClockScope clock{TDateTime(45000.0)};
    TSaveClipboard saver;
    ClipboardHeldElsewhere other;
    ULONGLONG before = GetTickCount64();
    EXPECT_FALSE(saver.Save());
    // 101 tries, each failure followed by 10 ms.
    EXPECT_EQ(GetTickCount64() - before, 1010u);
    EXPECT_EQ(saver.Count(), 0u);
}

TEST_F(ButtonFaceTest, ACopiedButtonTakesTheGlyphAndItsTransparentColour) {
    Start(ohaWord, false);
    TBitmap glyph;
    PaintGlyph(glyph);
    Button().GlyphTransparentColor = Red;
    Button().SetGlyph(&glyph);
    TadxCommandBarControls copy(nullptr);
    copy.Assign(Bar().Controls());
    TadxCommandBarButton& copied = *copy.GetItem(0)->GetAsButton();
    EXPECT_EQ(copied.GlyphTransparentColor, Red);
    ASSERT_EQ(copied.Glyph()->Width(), 4);
    EXPECT_EQ(copied.Glyph()->Canvas()->Pixels(2, 1), Blue);
    EXPECT_EQ(copied.Glyph()->Canvas()->Pixels(0, 3), Green);
}
