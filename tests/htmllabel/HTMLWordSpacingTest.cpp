// The words of a tagged line painted in real glyphs stand evenly apart: the
// renderer draws each word as a run of its own, and the canvas places the
// runs of one line together. Checked by the uninked columns between the
// words, never by pixels of one font.
#include "htmllabel/HTMLDraw.h"
#include "platform/gfx/Bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// The widths of the uninked stretches between inked columns of the bitmap,
// widest first.
std::vector<int> BlankStretches(TBitmap& bitmap) {
    std::vector<bool> inked(size_t(bitmap.Width()), false);
    for (int x = 0; x < bitmap.Width(); ++x)
        for (int y = 0; y < bitmap.Height() && !inked[size_t(x)]; ++y)
            inked[size_t(x)] = bitmap.Canvas()->Pixels(x, y) != clWhite;
    std::vector<int> stretches;
    int lastInk = -1;
    for (int x = 0; x < bitmap.Width(); ++x) {
        if (!inked[size_t(x)])
            continue;
        if (lastInk >= 0 && x - lastInk > 1)
            stretches.push_back(x - lastInk - 1);
        lastInk = x;
    }
    std::sort(stretches.rbegin(), stretches.rend());
    return stretches;
}

} // namespace

TEST(HTMLWordSpacing, TheWordsOfALineStandEvenlyApartInGlyphs) {
    for (const char* text : {"a bb ccc dddd", "a <b>bb</b> ccc <i>dddd</i>"}) {
        TBitmap bitmap(300, 30);
        TCanvas& canvas = *bitmap.Canvas();
        canvas.Font()->SetName("Tahoma");
        canvas.Font()->SetSize(8);
        canvas.Font()->SetColor(clBlack);
        THTMLDrawParams p;
        THTMLDrawResult result;
        HTMLDrawEx(canvas, text, Rect(0, 0, 300, 30), p, result);
        std::vector<int> gaps = BlankStretches(bitmap);
        ASSERT_GE(gaps.size(), 3u) << text;
        gaps.resize(3);
        EXPECT_GE(gaps[2], 1) << text;
        EXPECT_LE(gaps[0] - gaps[2], 1) << text << ": gaps from " << gaps[2] << " to " << gaps[0];
    }
}
