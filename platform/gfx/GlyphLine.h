// Text laid out on the fixed grid, drawn in real glyphs so that it reads as
// typeset text. The grid gives every character the same cell, so a word of
// real glyphs is rarely as wide as its cells: the runs drawn one after the
// other along a baseline are gathered here and drawn together, their words
// at their letters' natural advances and the room left over (or missing)
// shared evenly by the blanks between the words. The line's place, its
// breaks and everything else the grid decided stay; a line whose words do
// not fit its cells uses the free room its clip leaves in the direction of
// its alignment, and only where even that is too narrow are its words
// squeezed, each within its own room.
//
// The bitmap canvas (Bitmap.h) is the one user: it gathers the runs of one
// line (TCanvas::BeginTextLine) and draws them when the line ends.
#pragma once

#include "platform/gfx/GlyphFont.h"

#include <memory>
#include <string>
#include <vector>

namespace gfx {

// One run of text as laid out on the grid.
struct GlyphRun {
    // The top-left corner of its extent (Paint.Width x Paint.Height).
    int X = 0;
    int Y = 0;
    std::string Text;
    std::shared_ptr<GlyphFont> Font;
    GlyphPaint Paint;
    // Where it may ink, in the canvas's coordinates.
    RECT Clip{};
    // How far left and right its words may reach when they do not fit its
    // cells (its own cells when it has no clip of its own).
    int RoomLeft = 0;
    int RoomRight = 0;
};

// The runs of one line along one baseline, drawn together.
class GlyphLine {
public:
    // alignment: DT_LEFT, DT_CENTER or DT_RIGHT, the side a line wider than
    // its cells keeps.
    explicit GlyphLine(unsigned alignment) : alignment_(alignment) {}

    // True when run goes on from the runs so far (same baseline, starting
    // where the last one ends on the grid), or when there are none.
    bool Continues(const GlyphRun& run) const;
    void Add(GlyphRun run);
    bool Empty() const { return runs_.empty(); }
    // The union of the runs' clips: where the line may ink.
    RECT Clip() const;
    // Draws the runs (painter clipped to Clip()).
    void Draw(Painter& painter) const;

private:
    unsigned alignment_;
    std::vector<GlyphRun> runs_;
};

} // namespace gfx
