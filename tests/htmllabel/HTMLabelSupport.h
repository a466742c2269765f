// Helpers of the label tests: a shown form at the screen's top-left with a
// label on it, and the text records of the form painted on a recording
// canvas (Tahoma 8 points on the fixed grid: every character 6 x 11 pixels).
#pragma once

#include "htmllabel/HTMLabel.h"
#include "platform/controls/Form.h"
#include "platform/gfx/RecordingCanvas.h"

#include <string>
#include <vector>

namespace labeltest {

// A form 400 x 300 holding one label at (8, 8), 300 x 40.
struct THost {
    TForm* Form = new TForm(nullptr);
    THTMLabel* Label = nullptr;
    THost() {
        Form->SetBorderStyle(bsDialog);
        Form->SetClientWidth(400);
        Form->SetClientHeight(300);
        Form->Show();
        Label = new THTMLabel(Form);
        Label->SetParent(Form);
        Label->SetBounds(8, 8, 300, 40);
    }
    ~THost() { delete Form; }
    THost(const THost&) = delete;
    THost& operator=(const THost&) = delete;
};

// The form painted on a recording canvas.
inline std::vector<std::string> Painted(TForm& form) {
    TRecordingCanvas canvas(640, 480);
    form.PaintTo(canvas, 0, 0);
    return canvas.Lines();
}

// Only the text records of a painting.
inline std::vector<std::string> PaintedText(TForm& form) {
    std::vector<std::string> out;
    for (const std::string& line : Painted(form))
        if (line.rfind("Text ", 0) == 0)
            out.push_back(line);
    return out;
}

} // namespace labeltest
