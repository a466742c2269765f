// Helpers of the renderer tests: a call of HTMLDrawEx on a recording canvas
// (Tahoma 8 points at 96 pixels per inch: every character 6 x 11 pixels),
// its findings and the text records.
#pragma once

#include "htmllabel/HTMLDraw.h"
#include "platform/gfx/RecordingCanvas.h"

#include <string>
#include <vector>

namespace htmltest {

// One call and what it gave.
struct TDrawn {
    bool OnAnchor = false;
    THTMLDrawResult Result;
    std::vector<std::string> Lines;
};

// A recording canvas of 96 pixels per inch with the default font.
inline std::unique_ptr<TRecordingCanvas> MakeCanvas(int width = 640, int height = 480) {
    auto canvas = std::make_unique<TRecordingCanvas>(width, height);
    canvas->SetPixelsPerInch(96);
    canvas->Font()->SetPixelsPerInch(96);
    canvas->Font()->SetSize(8);
    return canvas;
}

// Draws text in rect and returns the records.
inline TDrawn Draw(const std::string& text, RECT rect,
                   const THTMLDrawParams& params = THTMLDrawParams()) {
    auto canvas = MakeCanvas();
    TDrawn drawn;
    drawn.OnAnchor = HTMLDrawEx(*canvas, text, rect, params, drawn.Result);
    drawn.Lines = canvas->Lines();
    return drawn;
}

// Only the text records.
inline std::vector<std::string> TextLines(const TDrawn& drawn) {
    std::vector<std::string> out;
    for (const std::string& line : drawn.Lines)
        if (line.rfind("Text ", 0) == 0)
            out.push_back(line);
    return out;
}

} // namespace htmltest
