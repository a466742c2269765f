// HTMLDrawEx: the tagged text, line by line. Each line is measured first
// from the state the tags left at its start (where it ends, how wide and
// high it is, its alignment), then placed and drawn, or only hit-tested,
// from that same state. Nothing survives the call but its findings and the
// pictures the cache loaded: the canvas gets its font, brush, pen and
// background mode back.
#include "htmllabel/HTMLDraw.h"

#include "htmllabel/HTMLDrawLine.h"
#include "htmllabel/HTMLHelpers.h"
#include "platform/gfx/Gdi.h"

#include <algorithm>

namespace htmldraw {
namespace {

// The canvas tools a call changes, given back at its end.
class TCanvasTools {
public:
    explicit TCanvasTools(TCanvas& canvas) : canvas_(canvas), bkMode_(canvas.BkMode()) {
        font_.Assign(canvas.Font());
        brush_.Assign(canvas.Brush());
        pen_.Assign(canvas.Pen());
    }
    ~TCanvasTools() {
        canvas_.SetFont(&font_);
        canvas_.SetBrush(&brush_);
        canvas_.SetPen(&pen_);
        canvas_.SetBkMode(bkMode_);
    }
    TCanvasTools(const TCanvasTools&) = delete;
    TCanvasTools& operator=(const TCanvasTools&) = delete;
    const TFont& Font() const { return font_; }

private:
    TCanvas& canvas_;
    TFont font_;
    TBrush brush_;
    TPen pen_;
    int bkMode_;
};

TFontKey KeyOf(const TFont& font) {
    TFontKey key;
    key.Name = font.Name();
    key.Height = font.Height();
    key.PixelsPerInch = font.PixelsPerInch();
    key.Color = font.Color();
    key.Style = font.Style();
    key.Orientation = font.Orientation();
    return key;
}

// Where a measured line starts: by its alignment within what the paragraph
// indent leaves of the area, so that no alignment moves it past the right
// edge.
int StartX(const RECT& area, int left, int width, const TLine& line) {
    int x = left + line.Indent;
    if (line.Align == TAlign::Right && area.right - width > x)
        x = area.right - width;
    else if (line.Align == TAlign::Center && area.right - x - width > 0)
        x += (area.right - x - width) / 2;
    return x;
}

// The second pass over a measured line: from the state the line started
// with, placed by its alignment, drawn (or, when only checking, hit-tested;
// the point is tested in this pass, at the line's final place, so a drawing
// call reports the anchor under it as a measuring one does).
void DrawLine(TDrawContext& ctx, TDrawState& state, const TDrawState& atStart,
              std::string_view source, const TLine& measured, int width, int lineHeight) {
    const RECT& area = ctx.Area;
    int startX = StartX(area, area.left + 1, width, measured);
    state = atStart;
    TLine line;
    line.Box = Rect(startX, measured.Box.top, area.right, measured.Box.top + lineHeight);
    line.Height = measured.Height;
    line.SubOffset = measured.SubOffset;
    line.SupOffset = measured.SupOffset;
    line.BaselineShift = measured.BaselineShift;
    line.Placed = true;
    // The line's runs are one line of words, placed together in real glyphs.
    TTextLine words(ctx.Canvas, DT_LEFT);
    HTMLDrawLine(ctx, state, source, line, ctx.Params.CheckOnly, true);
}

} // namespace
} // namespace htmldraw

bool HTMLDrawEx(TCanvas& canvas, std::string_view text, const RECT& rect,
                const THTMLDrawParams& params, THTMLDrawResult& result) {
    using namespace htmldraw;
    result = THTMLDrawResult();
    TCanvasTools tools(canvas);
    TDrawContext ctx{canvas, params, result, rect, KeyOf(tools.Font())};
    ctx.Flags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING;
    if (!params.WordWrap)
        ctx.Flags |= DT_END_ELLIPSIS;

    std::string source = CRLFStrip(DBTagStrip(text), true);
    std::string_view rest(source);
    TDrawState state;
    state.Font = ctx.Base;
    state.HiFont = ctx.Base.Color;
    int left = rect.left + 1;
    int top = rect.top;
    bool first = true;
    while (!rest.empty()) {
        TDrawState atStart = state;
        int lineStartHeight = TextHeightOf(ctx, state);
        TLine measured;
        measured.Box = Rect(left, top, rect.right, top);
        measured.Height = lineStartHeight;
        size_t taken = HTMLDrawLine(ctx, state, rest, measured, true, false);
        std::string_view lineSource = rest.substr(0, taken);
        rest.remove_prefix(taken);
        int width = std::max(0, measured.X - left - measured.LastBlank);
        int lineHeight = measured.Height + measured.SupOffset + measured.SubOffset;
        if (!params.CheckHeight)
            DrawLine(ctx, state, atStart, lineSource, measured, width, lineHeight);
        // A last line that holds only tags (closing a list, say) adds no height.
        bool empty = !measured.Content && !measured.HardBreak && rest.empty() && !first;
        if (!empty) {
            // The indent is part of the width, so that a label sized to it shows all.
            result.XSize = std::max(result.XSize, width + measured.Indent);
            top += lineHeight;
            result.YSize += lineHeight;
        }
        first = false;
        if (!params.CheckHeight && rect.bottom < top + lineStartHeight)
            break;
    }
    if (result.YSize == 0) {
        TDrawState base;
        base.Font = ctx.Base;
        result.YSize = TextHeightOf(ctx, base);
    }
    result.HyperLinks = state.Anchors;
    return ctx.OnAnchor;
}
