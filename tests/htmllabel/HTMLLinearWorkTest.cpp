// The renderer's work grows with the text, not with its square: a canvas
// that counts its calls and the characters handed to it sees at most 8.5
// times as much for 64k characters of mixed tags as for 8k; and the searches
// through the text look at each character of 4 MiB of plain words a few
// times only, however far the next tag is (the work is counted, not timed,
// so the test says the same on any machine and under any build).
#include "htmllabel/HTMLDraw.h"
#include "htmllabel/HTMLScan.h"
#include "platform/gfx/RecordingCanvas.h"
#include "tests/support/HtmlSamples.h"

#include <gtest/gtest.h>

namespace {

// Counts measuring and drawing calls and their characters; keeps nothing.
class TCountingCanvas : public TRecordingCanvas {
public:
    long Calls = 0;
    long Characters = 0;

protected:
    SIZE MeasureText(std::string_view text, const TFont& font) override {
        Count(text);
        return TRecordingCanvas::MeasureText(text, font);
    }
    TEXTMETRIC MeasureFont(const TFont& font) override {
        ++Calls;
        return TRecordingCanvas::MeasureFont(font);
    }
    void DoText(int, int, std::string_view text, const TFont&, const RECT*, bool) override {
        Count(text);
    }
    void DoPolyline(const std::vector<POINT>& points) override { Calls += long(points.size()); }
    void DoFillRect(const RECT&) override { ++Calls; }
    void DoFocusRect(const RECT&) override { ++Calls; }

private:
    void Count(std::string_view text) {
        ++Calls;
        Characters += long(text.size());
    }
};

struct TWork {
    long Calls;
    long Characters;
    // The characters the run and tag searches looked at.
    size_t Scanned;
    int YSize;
};

// Lays out text in a rectangle 400 wide and as high as it needs.
TWork WorkFor(const std::string& text, bool checkOnly, bool wordWrap = true) {
    TCountingCanvas canvas;
    THTMLDrawParams p;
    p.CheckOnly = checkOnly;
    p.WordWrap = wordWrap;
    p.X = 50;
    p.Y = 50;
    THTMLDrawResult result;
    htmldraw::TScanCount scanned;
    HTMLDrawEx(canvas, text, Rect(0, 0, 400, 1 << 30), p, result);
    return TWork{canvas.Calls, canvas.Characters, scanned.Characters(), result.YSize};
}

} // namespace

TEST(HTMLLinearWork, SixtyFourKCharactersCostAtMostEightAndAHalfTimesEightK) {
    for (bool checkOnly : {false, true}) {
        TWork small = WorkFor(htmlsamples::MixedText(8 * 1024), checkOnly);
        TWork large = WorkFor(htmlsamples::MixedText(64 * 1024), checkOnly);
        ASSERT_GT(small.Calls, 1000);
        EXPECT_GT(large.YSize, 64 * 1024 / 40);
        EXPECT_LE(double(large.Calls) / double(small.Calls), 8.5) << checkOnly;
        EXPECT_LE(double(large.Characters) / double(small.Characters), 8.5) << checkOnly;
    }
}

TEST(HTMLLinearWork, FourMebibytesOfPlainWordsAreLookedAtAFewTimesEach) {
    // Each line is read by its measuring pass and its hit-testing pass, and
    // the word that moves on to the next line once more: about twice the
    // text. A search for the next tag through all the rest would look at
    // hundreds of thousands of times the text.
    const size_t length = 4 * 1024 * 1024;
    TWork plain = WorkFor(htmlsamples::PlainText(length), true);
    EXPECT_GT(plain.YSize, int(length / 70 * 11)) << "every line is laid out";
    EXPECT_GE(plain.Scanned, 2 * length);
    EXPECT_LE(plain.Scanned, 3 * length);
    EXPECT_LE(plain.Characters, long(4 * length));
}

TEST(HTMLLinearWork, EveryTextIsLookedAtAFewTimesEachWithAndWithoutWordWrap) {
    // Texts whose runs or tags end far away or never: without word wrap a
    // run goes on to the next tag, and a tag without ">" takes the rest.
    const size_t length = 64 * 1024;
    struct Case {
        const char* Name;
        std::string Text;
    };
    const Case cases[] = {
        {"mixed", htmlsamples::MixedText(length)},
        {"plain", htmlsamples::PlainText(length)},
        {"long words", htmlsamples::LongWordsText(length)},
        {"one long word", std::string(length, 'w')},
        {"an unclosed tag", "a <b" + std::string(length, 'w')},
        {"tags without text",
         [&] {
             std::string tags;
             while (tags.size() < length)
                 tags += "<b></b><i></i>";
             return tags;
         }()},
    };
    for (const Case& c : cases) {
        for (bool wordWrap : {true, false}) {
            TWork work = WorkFor(c.Text, true, wordWrap);
            EXPECT_LE(work.Scanned, 3 * c.Text.size()) << c.Name << " " << wordWrap;
            EXPECT_LE(work.Characters, long(4 * c.Text.size())) << c.Name << " " << wordWrap;
        }
    }
}
