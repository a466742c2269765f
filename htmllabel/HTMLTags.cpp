// The tags of the HTML renderer: one table names each tag by its letters
// (most by the first letter, some by the first two), one routine per kind
// carries it out on the drawing state. Closing tags restore what their
// opening tag kept; one without its opening tag restores the defined
// starting values, never something left over.
#include "htmllabel/HTMLDrawLine.h"

#include "htmllabel/HTMLHelpers.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <array>

namespace htmldraw {
namespace {

enum class TKind {
    Anchor,
    Bold,
    Break,
    Blink,
    Body,
    BaseColor,
    Error,
    Font,
    Highlight,
    Rule,
    Italic,
    Indent,
    Image,
    ListItem,
    Paragraph,
    Rotate,
    Strike,
    Shadow,
    Sub,
    Sup,
    SubSup,
    Underline,
    List,
    Hidden,
    Ignored
};

struct TTagRow {
    bool Closing;
    std::string_view Name;
    bool Prefix; // the name starts with Name, else equals it
    TKind Kind;
};

// The first row that matches names the tag; the order settles "B" against
// "BR", "BL" and "BODY", "I" against "IND" and "IMG", and so on.
constexpr std::array<TTagRow, 39> kTags = {{
    {false, "BR", false, TKind::Break},  {false, "BL", true, TKind::Blink},
    {false, "BO", true, TKind::Body},    {false, "B", false, TKind::Bold},
    {false, "A", true, TKind::Anchor},   {false, "E", true, TKind::Error},
    {false, "F", true, TKind::Font},     {false, "HI", true, TKind::Highlight},
    {false, "HR", true, TKind::Rule},    {false, "IN", true, TKind::Indent},
    {false, "IM", true, TKind::Image},   {false, "I", false, TKind::Italic},
    {false, "L", true, TKind::ListItem}, {false, "P", true, TKind::Paragraph},
    {false, "R", true, TKind::Rotate},   {false, "SH", true, TKind::Shadow},
    {false, "SUB", false, TKind::Sub},   {false, "SUP", false, TKind::Sup},
    {false, "S", false, TKind::Strike},  {false, "U", false, TKind::Underline},
    {false, "U", true, TKind::List},     {false, "Z", true, TKind::Hidden},
    {true, "A", true, TKind::Anchor},    {true, "B", false, TKind::Bold},
    {true, "B", true, TKind::BaseColor}, {true, "E", true, TKind::Error},
    {true, "F", true, TKind::Font},      {true, "HI", true, TKind::Highlight},
    {true, "I", false, TKind::Italic},   {true, "L", true, TKind::ListItem},
    {true, "P", true, TKind::Paragraph}, {true, "R", true, TKind::Rotate},
    {true, "SH", true, TKind::Shadow},   {true, "SU", true, TKind::SubSup},
    {true, "S", false, TKind::Strike},   {true, "U", false, TKind::Underline},
    {true, "U", true, TKind::List},      {true, "Z", true, TKind::Hidden},
    {true, "", true, TKind::Ignored},
}};

TKind KindOf(const TTag& tag) {
    for (const TTagRow& row : kTags) {
        if (row.Closing != tag.Closing)
            continue;
        bool match = row.Prefix ? tag.Name.starts_with(row.Name) : tag.Name == row.Name;
        if (match)
            return row.Kind;
    }
    return TKind::Ignored;
}

void SetStyle(TDrawState& state, TFontStyle style, bool on) {
    if (on)
        state.Font.Style.Include(style);
    else
        state.Font.Style.Exclude(style);
}

int Bounded(int value, int low, int high) {
    return std::clamp(value, low, high);
}

// True when the value starts with a number (blanks and a sign allowed).
bool StartsWithNumber(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    return i < s.size() && ((s[i] >= '0' && s[i] <= '9') || s[i] == '$');
}

void OpenAnchor(TDrawContext& ctx, TDrawState& state, TLine& line, const TTag& tag) {
    const THTMLDrawParams& p = ctx.Params;
    state.Anchors++;
    state.InAnchor = true;
    line.AnchorHit = false;
    std::optional<std::string> href = TagAttribute(tag, "HREF");
    state.Href = href ? *href : std::string();
    state.AnchorStart = POINT{line.X, line.Box.top};
    state.FocusStart = state.AnchorStart;
    // Without Hover every anchor has the hover look; with it only HoverLink.
    state.AnchorStyled = !(p.Hover && state.Anchors != p.HoverLink);
    bool hoverFont = state.AnchorStyled && p.HoverFontColor != clNone;
    if (state.AnchorStyled) {
        SetStyle(state, fsUnderline, true);
        if (p.HoverColor != clNone) {
            state.AnchorBrush = state.Brush;
            state.Brush = p.HoverColor;
        }
        if (hoverFont)
            state.Font.Color = p.HoverFontColor;
    }
    if (!p.Selected && !hoverFont)
        state.Font.Color = p.URLColor;
}

void CloseAnchor(TDrawContext& ctx, TDrawState& state, TLine& line, bool measure, bool hitTest) {
    if (!state.InAnchor)
        return; // a close without an anchor changes nothing
    const THTMLDrawParams& p = ctx.Params;
    if (state.AnchorStyled) {
        SetStyle(state, fsUnderline, false);
        if (p.HoverColor != clNone)
            state.Brush = state.AnchorBrush;
    }
    if (!p.Selected)
        state.Font.Color = ctx.Base.Color;
    EndAnchorPart(ctx, state, line, measure, hitTest);
    state.InAnchor = false;
    line.AnchorHit = false;
}

void OpenFont(TDrawContext& ctx, TDrawState& state, const TTag& tag) {
    bool selected = ctx.Params.Selected;
    if (auto face = TagAttribute(tag, "FACE"); face && !face->empty())
        state.Font.Name = *face;
    if (auto color = TagAttribute(tag, "COLOR"); color && !selected)
        state.Font.Color = ColorValue(*color);
    if (auto bg = TagAttribute(tag, "BGCOLOR"); bg && !selected) {
        state.FontBrush = state.Brush;
        state.Brush = ColorValue(*bg);
    }
    if (auto size = TagAttribute(tag, "SIZE")) {
        // 0 or less leaves the size; 1 to 5 are the HTML steps, other
        // numbers are points, at most 500.
        int n = IStrToInt(*size);
        static constexpr int kSteps[] = {8, 10, 12, 14, 16};
        if (n > 0) {
            int points = n <= 5 ? kSteps[n - 1] : std::min(n, 500);
            TFont sized;
            sized.SetPixelsPerInch(state.Font.PixelsPerInch);
            sized.SetSize(points);
            state.Font.Height = sized.Height();
        }
    }
}

void CloseFont(TDrawContext& ctx, TDrawState& state) {
    state.Font.Name = ctx.Base.Name;
    state.Font.Height = ctx.Base.Height;
    if (!ctx.Params.Selected) {
        state.Font.Color = ctx.Base.Color;
        state.Brush = state.FontBrush;
    }
}

void OpenParagraph(TDrawContext& ctx, TDrawState& state, TLine& line, const TTag& tag,
                   bool measure) {
    if (auto align = TagAttribute(tag, "ALIGN")) {
        if (FindNoCase(*align, "RIGHT") != std::string::npos)
            state.Align = TAlign::Right;
        else if (FindNoCase(*align, "LEFT") != std::string::npos)
            state.Align = TAlign::Left;
        else if (FindNoCase(*align, "CENTER") != std::string::npos)
            state.Align = TAlign::Center;
    }
    if (auto indent = TagAttribute(tag, "INDENT"))
        state.Indent = Bounded(IStrToInt(*indent), 0, kMaxExtent);
    line.Align = state.Align;
    line.Indent = state.Indent;
    if (auto bg = TagAttribute(tag, "BGCOLOR"); bg && !ctx.Params.Selected) {
        state.ParaBrush = state.Brush;
        state.ParaColor = ColorValue(*bg);
        // The text stands on the paragraph's colour too, not on a gap.
        state.Brush = state.ParaColor;
        state.ParaBackground = state.ParaColor != clNone;
        if (state.ParaBackground && !measure) {
            ApplyFont(ctx, state);
            ctx.Canvas.FillRect(Rect(ctx.Area.left, line.Box.top, ctx.Area.right, line.Box.bottom));
        }
    }
}

void Rotate(TDrawState& state, const TTag& tag) {
    if (state.Rotations.size() >= kMaxRotations) {
        state.ExtraRotations++;
        return;
    }
    state.Rotations.push_back(state.Font.Orientation);
    auto angle = TagAttribute(tag, "A");
    state.Font.Orientation = int((int64_t(angle ? IStrToInt(*angle) : 0) % 360) * 10);
}

void Unrotate(TDrawState& state) {
    if (state.ExtraRotations > 0) {
        state.ExtraRotations--;
    } else if (!state.Rotations.empty()) {
        state.Font.Orientation = state.Rotations.back();
        state.Rotations.pop_back();
    }
}

void Indent(TDrawState&, TLine& line, const TTag& tag) {
    auto x = TagAttribute(tag, "X");
    if (!x || !StartsWithNumber(*x))
        return;
    int to = line.Box.left + Bounded(IStrToInt(*x), 0, kMaxExtent);
    if (to > line.X)
        line.X = to;
}

// The rule lies 1 pixel below the line's bottom edge, on the second row
// under the line; it takes no room, so the next line starts right under
// this one and the rule crosses its top.
void DrawRule(TDrawContext& ctx, TLine& line) {
    TPen saved;
    saved.Assign(ctx.Canvas.Pen());
    ctx.Canvas.Pen()->SetColor(clBlack);
    ctx.Canvas.Pen()->SetWidth(1);
    ctx.Canvas.Pen()->SetStyle(psSolid);
    int y = line.Box.bottom + 1;
    ctx.Canvas.MoveTo(line.Box.left, y);
    ctx.Canvas.LineTo(line.Box.right, y);
    ctx.Canvas.SetPen(&saved);
}

TTagEffect ListItem(TDrawContext& ctx, TDrawState& state, TLine& line, bool measure) {
    if (line.ListItem && line.Content)
        return TTagEffect::EndBefore; // a second item starts the next line
    // An item outside any list is drawn as one of the first level.
    int level = std::max(1, state.ListLevel);
    int bulletX = line.X + kListStep * std::min(level - 1, kMaxExtent / kListStep);
    if (!measure && state.Font.Color != clNone) {
        TDrawState bullet = state;
        bullet.Font.Name = "Symbol";
        bullet.Font.Style.Exclude(fsUnderline);
        ApplyFont(ctx, bullet);
        int bottom = line.Box.bottom - line.SubOffset - line.BaselineShift;
        RECT box = Rect(bulletX, line.Box.top, line.Box.right, bottom);
        // The face's bullet is the bullet character here.
        ctx.Canvas.DrawText(level % 2 == 1 ? "\u2022" : "o", box, ctx.Flags);
        ApplyFont(ctx, state);
    }
    line.X = bulletX + kListStep;
    line.ListItem = true;
    line.Content = true;
    line.EndsBlank = false;
    return TTagEffect::Continue;
}

// A tag that ends a line only when the line holds something.
TTagEffect SoftBreak(const TLine& line) {
    return line.Content ? TTagEffect::EndAfter : TTagEffect::Continue;
}

TTagEffect HandleClose(TDrawContext& ctx, TDrawState& state, TLine& line, TKind kind, bool measure,
                       bool hitTest) {
    switch (kind) {
    case TKind::Anchor:
        CloseAnchor(ctx, state, line, measure, hitTest);
        break;
    case TKind::Bold:
        SetStyle(state, fsBold, false);
        break;
    case TKind::BaseColor:
        state.Font.Color = ctx.Base.Color;
        break;
    case TKind::Error:
        state.ErrorUnderline = false;
        break;
    case TKind::Font:
        CloseFont(ctx, state);
        break;
    case TKind::Highlight:
        state.Font.Color = state.HiFont;
        state.Brush = state.HiBrush;
        break;
    case TKind::Italic:
        SetStyle(state, fsItalic, false);
        break;
    case TKind::ListItem:
        return SoftBreak(line);
    case TKind::Paragraph:
        state.Brush = state.ParaBrush;
        state.ParaBackground = false;
        // The paragraph's alignment and indent end with it, as a reader of
        // the text expects; the text after it starts on the left again.
        state.Align = TAlign::Left;
        state.Indent = 0;
        return SoftBreak(line);
    case TKind::Rotate:
        Unrotate(state);
        break;
    case TKind::Strike:
        SetStyle(state, fsStrikeOut, false);
        break;
    case TKind::Shadow:
        state.Shadow = false;
        break;
    case TKind::SubSup:
        state.Sub = state.Sup = false;
        break;
    case TKind::Underline:
        SetStyle(state, fsUnderline, false);
        break;
    case TKind::List:
        if (state.ListLevel > 0)
            state.ListLevel--;
        else
            SetStyle(state, fsUnderline, false);
        break;
    case TKind::Hidden:
        state.Hidden = false;
        break;
    default:
        break;
    }
    return TTagEffect::Continue;
}

TTagEffect HandleOpen(TDrawContext& ctx, TDrawState& state, TLine& line, const TTag& tag,
                      TKind kind, bool measure, bool hitTest) {
    switch (kind) {
    case TKind::Anchor:
        OpenAnchor(ctx, state, line, tag);
        break;
    case TKind::Bold:
        SetStyle(state, fsBold, true);
        break;
    case TKind::Break:
        if (!hitTest)
            ctx.Result.StripVal += '\r';
        line.HardBreak = true;
        return TTagEffect::EndAfter;
    case TKind::Blink:
        if (!ctx.Params.Blink)
            state.Font.Color = state.Brush; // none while there is no background
        break;
    case TKind::Body:
        if (!measure)
            HandleBody(ctx, tag);
        break;
    case TKind::Error:
        state.ErrorUnderline = true;
        break;
    case TKind::Font:
        OpenFont(ctx, state, tag);
        break;
    case TKind::Highlight:
        state.HiFont = state.Font.Color;
        state.HiBrush = state.Brush;
        state.Brush = clHighlight;
        state.Font.Color = clHighlightText;
        break;
    case TKind::Rule:
        if (!measure)
            DrawRule(ctx, line);
        line.HardBreak = true;
        return TTagEffect::EndAfter;
    case TKind::Italic:
        SetStyle(state, fsItalic, true);
        break;
    case TKind::Indent:
        Indent(state, line, tag);
        break;
    case TKind::Image:
        return HandleImage(ctx, state, line, tag, measure, hitTest);
    case TKind::ListItem:
        return ListItem(ctx, state, line, measure);
    case TKind::Paragraph:
        OpenParagraph(ctx, state, line, tag, measure);
        break;
    case TKind::Rotate:
        Rotate(state, tag);
        break;
    case TKind::Strike:
        SetStyle(state, fsStrikeOut, true);
        break;
    case TKind::Shadow:
        state.Shadow = true;
        break;
    case TKind::Sub:
        state.Sub = true;
        break;
    case TKind::Sup:
        state.Sup = true;
        break;
    case TKind::Underline:
        SetStyle(state, fsUnderline, true);
        break;
    case TKind::List:
        if (state.ListLevel < kMaxExtent)
            state.ListLevel++;
        return SoftBreak(line);
    case TKind::Hidden:
        state.Hidden = true;
        break;
    default:
        break;
    }
    return TTagEffect::Continue;
}

} // namespace

TColor ColorValue(std::string_view value) {
    if (!value.empty() && value[0] == '#')
        return Hex2Color(value);
    return Text2Color(text::AsciiLowerCase(value));
}

TTagEffect HandleTag(TDrawContext& ctx, TDrawState& state, TLine& line, const TTag& tag,
                     bool measure, bool hitTest) {
    TKind kind = KindOf(tag);
    if (tag.Closing)
        return HandleClose(ctx, state, line, kind, measure, hitTest);
    return HandleOpen(ctx, state, line, tag, kind, measure, hitTest);
}

} // namespace htmldraw
