// The renderer's inner parts: the drawing state that tags change (carried
// from line to line), the measures of the line being laid out, and
// HTMLDrawLine, which measures or draws one line. HTMLDrawEx (HTMLDraw.cpp)
// runs it twice per line: a measuring pass that settles where the line ends
// and how high and wide it is, then a drawing (or hit-testing) pass over the
// same source from the same state.
#pragma once

#include "htmllabel/HTMLDraw.h"
#include "platform/gfx/GraphicsObjects.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace htmldraw {

// The font as the tags leave it, applied to the canvas before each run.
struct TFontKey {
    std::string Name;
    int Height = 0;
    int PixelsPerInch = 96;
    TColor Color = clBlack;
    TFontStyles Style;
    int Orientation = 0;
};

enum class TAlign { Left, Center, Right };

// Nested R tags kept at most this deep; deeper ones are counted only, so
// that every close still finds its own open.
constexpr size_t kMaxRotations = 64;
// Widths, heights and indents are kept within 0..kMaxExtent pixels.
constexpr int kMaxExtent = 32767;
// The pixels a list level moves an item in.
constexpr int kListStep = 12;

// What the tags have set; copied at the start of each line so that both
// passes start from it.
struct TDrawState {
    TFontKey Font;
    // The text background (clNone: transparent).
    TColor Brush = clNone;
    // Colours kept by A, FONT, HI and P for their closing tags; they start
    // defined, so a close without its open restores something sensible.
    TColor AnchorBrush = clNone;
    TColor FontBrush = clNone;
    TColor HiFont = clBlack;
    TColor HiBrush = clNone;
    TColor ParaBrush = clNone;
    bool ParaBackground = false;
    TColor ParaColor = clNone;
    // The anchors so far and the one we are in.
    int Anchors = 0;
    bool InAnchor = false;
    bool AnchorStyled = false;
    std::string Href;
    POINT AnchorStart;
    POINT FocusStart;
    int ListLevel = 0;
    bool Shadow = false;
    bool Sub = false;
    bool Sup = false;
    bool Hidden = false;
    bool ErrorUnderline = false;
    int Images = 0;
    std::vector<int> Rotations;
    int ExtraRotations = 0;
    TAlign Align = TAlign::Left;
    int Indent = 0;
};

// The line being laid out.
struct TLine {
    // The line's rectangle (Bottom is known in the drawing pass only).
    RECT Box;
    // The pen position.
    int X = 0;
    int Height = 0;
    int SubOffset = 0;
    int SupOffset = 0;
    int BaselineShift = 0;
    // The width of the blank that ends the last run (taken off the width).
    int LastBlank = 0;
    // Something that takes room is on the line (a run, an image, a bullet).
    bool Content = false;
    // The text on the line ends with a blank (a run may break there).
    bool EndsBlank = false;
    // An LI is on the line.
    bool ListItem = false;
    // Without word wrap, a run ran past the right edge: the rest of the
    // line is skipped.
    bool Overflowed = false;
    // The alignment and indent the line is placed by: those it starts with,
    // or those of a P on it (a /P that ends it changes only the next line).
    TAlign Align = TAlign::Left;
    int Indent = 0;
    // The box starts at the line's final place, indent included (the
    // drawing pass); the measuring pass lays the line out from the area's
    // left and leaves the indent to the placing.
    bool Placed = false;
    // The line ends at BR or HR.
    bool HardBreak = false;
    // The point lies on the part of the current anchor on this line.
    bool AnchorHit = false;

    // The edge the line's content wraps against: the box's right, or in the
    // measuring pass that less the indent, so an indented line keeps within
    // the area once it is placed.
    int WrapRight() const { return Box.right - (Placed ? 0 : Indent); }
    // The room for the line's content, from the box's left.
    int Room() const { return WrapRight() - Box.left; }
};

// One call of HTMLDrawEx: the canvas, its inputs and findings.
struct TDrawContext {
    TCanvas& Canvas;
    const THTMLDrawParams& Params;
    THTMLDrawResult& Result;
    // The whole drawing area.
    RECT Area;
    // The canvas font as the call found it.
    TFontKey Base;
    // DrawText's flags for every run.
    UINT Flags = 0;
    // The point lies on an anchor.
    bool OnAnchor = false;
};

// One tag as written: "<" [ "/" ] name attributes [ ">" ].
struct TTag {
    bool Closing = false;
    // The name, ASCII upper-cased.
    std::string Name;
    // What follows the name up to ">".
    std::string_view Attributes;
};

// What a tag does to the line.
enum class TTagEffect { Continue, EndAfter, EndBefore };

// The decoded value of the attribute name (ASCII letter case ignored);
// values stand in double or single quotes or run to the next blank. Values
// come as written: a file's path or a face name keeps its letter case, and
// the tags that compare values (colours, ALIGN) ignore ASCII case instead.
std::optional<std::string> TagAttribute(const TTag& tag, std::string_view name);

// Sets the canvas font, brush and background mode to the state's.
void ApplyFont(TDrawContext& ctx, const TDrawState& state);
// Where the current anchor's part on the line ends (its close, or the
// line's end): a hit gives the hovered rectangle and MouseLink, and the
// focused anchor gets its frame when drawing.
void EndAnchorPart(TDrawContext& ctx, TDrawState& state, TLine& line, bool measure, bool hitTest);
// The height of "gh" in the state's font.
int TextHeightOf(TDrawContext& ctx, const TDrawState& state);

// Measures (measure) or draws one line from the start of text in the line
// box; hitTest tests the point against anchors and images. Returns how
// much of text the line took.
size_t HTMLDrawLine(TDrawContext& ctx, TDrawState& state, std::string_view text, TLine& line,
                    bool measure, bool hitTest);

// Carries out one tag. measure: the measuring pass (nothing drawn).
TTagEffect HandleTag(TDrawContext& ctx, TDrawState& state, TLine& line, const TTag& tag,
                     bool measure, bool hitTest);

// Lays out (and unless measuring draws) an IMG tag.
TTagEffect HandleImage(TDrawContext& ctx, TDrawState& state, TLine& line, const TTag& tag,
                       bool measure, bool hitTest);
// Fills or tiles the area for BODY.
void HandleBody(TDrawContext& ctx, const TTag& tag);

// The colour of a colour value: "#RRGGBB" or a class library name.
TColor ColorValue(std::string_view value);

} // namespace htmldraw
