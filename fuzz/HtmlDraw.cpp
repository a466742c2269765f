// Feeds arbitrary tagged text to the HTML renderer on the recording canvas:
// the first bytes choose the area, the point, the flags and the hovered and
// focused anchors, the rest is the text (tag soup, attributes, entities,
// sizes). Any input must finish without a crash or a hang, measure no more
// lines than its characters allow, leave the canvas's tools as they were,
// and measure the same whether it is drawn or only measured.
#include "htmllabel/HTMLDraw.h"
#include "platform/gfx/ImageList.h"
#include "platform/gfx/RecordingCanvas.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Pictures for "IDX:" tags: three 16 x 16 images.
TImageList& Images() {
    static TImageList* list = [] {
        auto* made = new TImageList(16, 16);
        TBitmap strip(48, 16);
        made->Add(&strip, nullptr);
        return made;
    }();
    return *list;
}

THTMLDrawParams ParamsFrom(const uint8_t* data) {
    THTMLDrawParams p;
    p.Images = &Images();
    p.X = data[1];
    p.Y = data[2];
    uint8_t flags = data[3];
    p.WordWrap = !(flags & 1);
    p.Hover = flags & 2;
    p.Selected = flags & 4;
    p.Blink = flags & 8;
    p.Print = flags & 16;
    p.HoverLink = data[4] % 8 - 1;
    p.FocusLink = data[5] % 8 - 1;
    p.HoverColor = (flags & 32) ? clYellow : clNone;
    p.HoverFontColor = (flags & 64) ? clRed : clNone;
    return p;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6)
        return 0;
    THTMLDrawParams p = ParamsFrom(data);
    int width = 1 + data[0];
    std::string text(reinterpret_cast<const char*>(data + 6), size - 6);
    TRecordingCanvas canvas(300, 300);
    canvas.Brush()->SetColor(clBtnFace);
    THTMLDrawResult drawn;
    HTMLDrawEx(canvas, text, Rect(0, 0, width, 200), p, drawn);
    if (canvas.Font()->Name() != "Tahoma" || canvas.Font()->Orientation() != 0 ||
        canvas.Brush()->Color() != clBtnFace)
        std::abort();
    // Every line takes at least one character or tag of the text.
    THTMLDrawResult measured;
    p.CheckHeight = true;
    HTMLDrawEx(canvas, text, Rect(0, 0, width, 200), p, measured);
    long lineHeight = 27 * 3; // the tallest font a tag can ask for at most, and then some
    if (measured.YSize > (long(text.size()) + 1) * 32767 + lineHeight)
        std::abort();
    if (measured.StripVal.size() > text.size() * 3 + 1)
        std::abort();
    p.CheckHeight = false;
    p.CheckOnly = true;
    THTMLDrawResult checked;
    HTMLDrawEx(canvas, text, Rect(0, 0, width, 200), p, checked);
    if (checked.YSize != drawn.YSize || checked.XSize != drawn.XSize ||
        checked.MouseLink != drawn.MouseLink || checked.AnchorVal != drawn.AnchorVal)
        std::abort();
    return 0;
}
