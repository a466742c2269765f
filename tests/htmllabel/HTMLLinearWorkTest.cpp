// The renderer's work grows with the text, not with its square: a canvas
// that counts its calls and the characters handed to it sees at most 8.5
// times as much for 64k characters of mixed tags as for 8k.
#include "htmllabel/HTMLDraw.h"
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
};

TWork WorkFor(size_t length, bool checkOnly) {
    TCountingCanvas canvas;
    THTMLDrawParams p;
    p.CheckOnly = checkOnly;
    p.X = 50;
    p.Y = 50;
    THTMLDrawResult result;
    HTMLDrawEx(canvas, htmlsamples::MixedText(length), Rect(0, 0, 400, 1 << 30), p, result);
    EXPECT_GT(result.YSize, int(length / 40));
    return TWork{canvas.Calls, canvas.Characters};
}

} // namespace

TEST(HTMLLinearWork, SixtyFourKCharactersCostAtMostEightAndAHalfTimesEightK) {
    for (bool checkOnly : {false, true}) {
        TWork small = WorkFor(8 * 1024, checkOnly);
        TWork large = WorkFor(64 * 1024, checkOnly);
        ASSERT_GT(small.Calls, 1000);
        EXPECT_LE(double(large.Calls) / double(small.Calls), 8.5) << checkOnly;
        EXPECT_LE(double(large.Characters) / double(small.Characters), 8.5) << checkOnly;
    }
}
