// HTMLDrawLine: one line of the tagged text. It walks the text from the
// line's start: a tag goes to HandleTag (HTMLTags.cpp), text is cut into
// runs (up to the next tag, and with word wrap after each blank), each run
// decoded, measured, placed and, in the drawing pass, drawn with its shadow
// and error underline. The measuring pass decides where the line ends: a
// run that does not fit starts the next line, except on a line with
// nothing on it yet, so every line takes at least one tag or character.
#include "htmllabel/HTMLDrawLine.h"

#include "htmllabel/HTMLEntities.h"
#include "htmllabel/HTMLHelpers.h"
#include "htmllabel/HTMLScan.h"
#include "platform/gfx/Gdi.h"
#include "platform/text/Text.h"

#include <algorithm>

namespace htmldraw {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The run's bottom edge: the line's baseline, moved for sub- and superscript
// and lifted by the baseline shift of a TOP or MIDDLE image. A line is its
// superscript room, its height and its subscript room from top to bottom;
// superscript is raised into the first and subscript lowered into the last.
int RunBottom(const TDrawState& state, const TLine& line) {
    int bottom = line.Box.bottom - line.SubOffset - line.BaselineShift;
    if (state.Sup)
        bottom -= line.SupOffset;
    if (state.Sub)
        bottom += line.SubOffset;
    return bottom;
}

// A red zigzag under a run: a point every 2 pixels, alternately 1 pixel
// above and below its bottom.
void DrawErrorUnderline(TCanvas& canvas, int left, int right, int bottom) {
    std::vector<POINT> points;
    int x = left & ~1;
    bool down = x % 4 == 0;
    for (; x <= right; x += 2) {
        points.push_back(POINT{x, down ? bottom + 1 : bottom - 1});
        down = !down;
    }
    if (points.size() < 2)
        return;
    TPen saved;
    saved.Assign(canvas.Pen());
    canvas.Pen()->SetColor(clRed);
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetStyle(psSolid);
    canvas.Polyline(points);
    canvas.SetPen(&saved);
}

// The run's width; without word wrap, at most what is left of the line.
int RunWidth(TDrawContext& ctx, const std::string& run, int x) {
    RECT r = Rect(x, 0, x + kMaxExtent, 100);
    ctx.Canvas.DrawText(run, r, (ctx.Flags & ~DT_END_ELLIPSIS) | DT_CALCRECT);
    return r.right - r.left;
}

void DrawRunText(TDrawContext& ctx, TDrawState& state, const TLine& line, const std::string& run,
                 int width) {
    if (state.Font.Color == clNone)
        return; // a colour of none (blinking text off) draws nothing
    int bottom = RunBottom(state, line);
    int h = TextHeightOf(ctx, state);
    // With word wrap a word wider than the line overflows it whole; without,
    // the run is cut at the right edge with an ellipsis.
    int right = ctx.Params.WordWrap ? std::max<int>(line.Box.right, line.X + width)
                                    : std::max<int>(line.Box.right, line.X);
    RECT box = Rect(line.X, std::min<int>(line.Box.top, bottom - h), right, bottom);
    if (state.Shadow) {
        TDrawState shadow = state;
        shadow.Font.Color = ctx.Params.ShadowColor;
        ApplyFont(ctx, shadow);
        int d = ctx.Params.ShadowOffset;
        RECT moved = Rect(box.left + d, box.top + d, box.right + d, box.bottom + d);
        ctx.Canvas.DrawText(run, moved, ctx.Flags);
        ApplyFont(ctx, state);
    }
    ctx.Canvas.DrawText(run, box, ctx.Flags);
    if (state.ErrorUnderline)
        DrawErrorUnderline(ctx.Canvas, line.X, line.X + width, bottom);
}

// Tests the point against a run inside an anchor.
void HitRun(TDrawContext& ctx, TDrawState& state, TLine& line, int width, int h) {
    const THTMLDrawParams& p = ctx.Params;
    int bottom = RunBottom(state, line);
    if (!state.InAnchor || p.X < line.X || p.X >= line.X + width || p.Y < bottom - h ||
        p.Y >= bottom)
        return;
    line.AnchorHit = true;
    ctx.OnAnchor = true;
    ctx.Result.AnchorVal = state.Href;
}

// One run: false when it does not fit and starts the next line.
bool PlaceRun(TDrawContext& ctx, TDrawState& state, TLine& line, std::string_view raw, bool measure,
              bool hitTest) {
    bool layout = !hitTest;
    if (state.Hidden || line.Overflowed) {
        // Hidden text, or text past the ellipsis: nothing drawn, no room.
        if (layout)
            ctx.Result.StripVal += DecodeEntities(raw, TEntityTarget::Plain);
        return true;
    }
    std::string run = DecodeEntities(raw, TEntityTarget::Run);
    int h = TextHeightOf(ctx, state);
    int width = RunWidth(ctx, run, line.X);
    int lineWidth = line.Room();
    int reached = line.X + width - line.Box.left;
    bool fits = lineWidth > reached || width >= lineWidth || !line.EndsBlank || !line.Content;
    if (!fits) {
        if (ctx.Params.WordWrap && layout)
            return false;
        // Without word wrap the run ends in an ellipsis and the rest of this
        // line (up to BR or HR) is left out; the lines after it still show,
        // each with its own ellipsis.
        if (!ctx.Params.WordWrap)
            line.Overflowed = true;
    }
    // Only a run that stays on the line makes it higher.
    line.Height = std::max(line.Height, h);
    if (state.Sub)
        line.SubOffset = std::max(line.SubOffset, h >> 2);
    if (state.Sup)
        line.SupOffset = std::max(line.SupOffset, h >> 2);
    if (layout)
        ctx.Result.StripVal += DecodeEntities(raw, TEntityTarget::Plain);
    if (line.Overflowed)
        width = std::max(0, std::min<int>(width, line.WrapRight() - line.X));
    if (hitTest)
        HitRun(ctx, state, line, width, h);
    if (!measure) {
        DrawRunText(ctx, state, line, run, width);
        if (state.InAnchor && state.Anchors - 1 == ctx.Params.FocusLink)
            ctx.Result.FocusAnchor = state.Href;
    }
    line.X += width;
    line.Content = true;
    line.EndsBlank = IsBlank(raw.back());
    line.LastBlank = line.EndsBlank ? ctx.Canvas.TextWidth(" ") : 0;
    return true;
}

TTag ParseTag(std::string_view source) {
    TTag tag;
    size_t i = 1;
    if (i < source.size() && source[i] == '/') {
        tag.Closing = true;
        ++i;
    }
    size_t start = i;
    while (i < source.size() && source[i] != '>' && source[i] != '/' && !IsBlank(source[i]))
        ++i;
    tag.Name = text::AsciiUpperCase(source.substr(start, i - start));
    size_t end = source.size();
    if (end > i && source[end - 1] == '>')
        --end;
    tag.Attributes = source.substr(i, end - i);
    return tag;
}

} // namespace

std::optional<std::string> TagAttribute(const TTag& tag, std::string_view name) {
    std::string_view s = tag.Attributes;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (IsBlank(s[i]) || s[i] == '/'))
            ++i;
        size_t nameStart = i;
        while (i < s.size() && s[i] != '=' && !IsBlank(s[i]) && s[i] != '"' && s[i] != '\'')
            ++i;
        std::string_view attr = s.substr(nameStart, i - nameStart);
        size_t j = i;
        while (j < s.size() && IsBlank(s[j]))
            ++j;
        std::string_view value;
        if (j < s.size() && s[j] == '=') {
            ++j;
            while (j < s.size() && IsBlank(s[j]))
                ++j;
            if (j < s.size() && (s[j] == '"' || s[j] == '\'')) {
                size_t close = s.find(s[j], j + 1);
                size_t stop = close == std::string_view::npos ? s.size() : close;
                value = s.substr(j + 1, stop - j - 1);
                j = close == std::string_view::npos ? s.size() : close + 1;
            } else {
                size_t stop = j;
                while (stop < s.size() && !IsBlank(s[stop]))
                    ++stop;
                value = s.substr(j, stop - j);
                j = stop;
            }
            i = j;
        } else if (i == nameStart) {
            ++i; // a stray quote
        }
        if (!attr.empty() && attr.size() == name.size() && FindNoCase(attr, name) == 0)
            return DecodeEntities(value, TEntityTarget::Plain);
    }
    return std::nullopt;
}

void ApplyFont(TDrawContext& ctx, const TDrawState& state) {
    TFont* font = ctx.Canvas.Font();
    const TFontKey& f = state.Font;
    if (font->Name() != f.Name)
        font->SetName(f.Name);
    if (font->PixelsPerInch() != f.PixelsPerInch)
        font->SetPixelsPerInch(f.PixelsPerInch);
    if (font->Height() != f.Height)
        font->SetHeight(f.Height);
    if (font->Color() != f.Color)
        font->SetColor(f.Color);
    if (font->Style() != f.Style)
        font->SetStyle(f.Style);
    if (font->Orientation() != f.Orientation)
        font->SetOrientation(f.Orientation);
    TBrush* brush = ctx.Canvas.Brush();
    if (state.Brush == clNone) {
        if (brush->Style() != bsClear)
            brush->SetStyle(bsClear);
        ctx.Canvas.SetBkMode(TRANSPARENT);
    } else {
        if (brush->Color() != state.Brush || brush->Style() != bsSolid)
            brush->SetColor(state.Brush);
        ctx.Canvas.SetBkMode(OPAQUE);
    }
}

void EndAnchorPart(TDrawContext& ctx, TDrawState& state, TLine& line, bool measure, bool hitTest) {
    if (hitTest && line.AnchorHit) {
        ctx.Result.HoverRect =
            Rect(state.AnchorStart.x, state.AnchorStart.y, line.X, line.Box.bottom);
        ctx.Result.MouseLink = state.Anchors;
    }
    if (!measure && state.Anchors - 1 == ctx.Params.FocusLink) {
        int bottom = line.Box.bottom - line.BaselineShift;
        int top = bottom - TextHeightOf(ctx, state);
        ctx.Canvas.DrawFocusRect(Rect(state.FocusStart.x - 1, top, line.X + 1, bottom));
    }
}

int TextHeightOf(TDrawContext& ctx, const TDrawState& state) {
    ApplyFont(ctx, state);
    return ctx.Canvas.TextHeight("gh");
}

size_t HTMLDrawLine(TDrawContext& ctx, TDrawState& state, std::string_view text, TLine& line,
                    bool measure, bool hitTest) {
    line.X = line.Box.left;
    line.Align = state.Align;
    line.Indent = state.Indent;
    if (state.InAnchor) {
        // An anchor that goes on from the line before starts at this line's left.
        state.AnchorStart = POINT{line.Box.left, line.Box.top};
        state.FocusStart = state.AnchorStart;
    }
    if (state.ParaBackground && !measure) {
        ApplyFont(ctx, state);
        ctx.Canvas.FillRect(Rect(ctx.Area.left, line.Box.top, ctx.Area.right, line.Box.bottom));
    }
    size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] != '<') {
            size_t end = RunEnd(text, pos, ctx.Params.WordWrap);
            if (!PlaceRun(ctx, state, line, text.substr(pos, end - pos), measure, hitTest))
                break;
            pos = end;
            continue;
        }
        if (text.size() - pos < 3) {
            pos = text.size(); // a "<" with too little after it ends the text
            break;
        }
        size_t end = TagEnd(text, pos);
        TTag tag = ParseTag(text.substr(pos, end - pos));
        TTagEffect effect = HandleTag(ctx, state, line, tag, measure, hitTest);
        if (effect == TTagEffect::EndBefore && line.Content)
            break;
        pos = end;
        if (effect == TTagEffect::EndAfter)
            break;
    }
    // A line that ends inside an anchor ends that anchor's part on it.
    if (state.InAnchor && (hitTest || !measure))
        EndAnchorPart(ctx, state, line, measure, hitTest);
    return pos;
}

} // namespace htmldraw
