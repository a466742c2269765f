// Which installed font file draws a face a form or a label asks for. Forms and the
// add-in name the faces of another machine ("Tahoma", "MS Sans Serif",
// "Symbol", ...); fontconfig picks the nearest installed one, usually a
// DejaVu face. Each request is matched once, kept for the process, and the
// match is written once to the debugger's output, so that a person wondering
// why a picture looks as it does can see what stood in for what.
#pragma once

#include <string>

namespace gfx {

// An installed font file that draws a requested face.
struct FontFile {
    // The file and the face's index in it (empty path: nothing installed).
    std::string Path;
    int Index = 0;
    // The family fontconfig chose.
    std::string Family;
    // True when the file's own design is bold or slanted; when it is not, a
    // bold or italic request is drawn by emboldening or slanting the outlines.
    bool Bold = false;
    bool Italic = false;
};

// The file that draws a face in that weight and slant (kept per request).
FontFile MatchFont(const std::string& face, bool bold, bool italic);

} // namespace gfx
