// Painting the machine's own icons (the stock icons of message boxes, the
// shell's file and folder icons) in code: shapes given as tests of a point in
// a unit square, laid over each other with smooth edges (each pixel is the
// share of 4 x 4 samples that a shape covers). The result is a 32-bit image
// with straight alpha, as icons keep it.
#pragma once

#include "platform/gfx/Dib.h"
#include "platform/gfx/GdiTypes.h"

#include <functional>

namespace gfx {

// A test of a point (x, y) of the unit square, (0, 0) top left.
using IconShape = std::function<bool(double x, double y)>;

class IconPainter {
public:
    // A transparent image of size x size pixels.
    explicit IconPainter(int size);

    // Lays rgb (0xRRGGBB) over the image where the shape covers it.
    void Paint(uint32_t rgb, const IconShape& shape);
    // The image painted so far.
    const Dib& Image() const { return image_; }

    // Shapes in unit coordinates.
    static IconShape Circle(double cx, double cy, double r);
    static IconShape Box(double left, double top, double right, double bottom);
    // A thick line with round ends: points within r of the segment a-b.
    static IconShape Stroke(double ax, double ay, double bx, double by, double r);
    static IconShape Triangle(double ax, double ay, double bx, double by, double cx, double cy);

private:
    Dib image_;
};

// An icon handle of a painted image (the mask set where it is fully
// transparent), shared (never freed) or the caller's; 0 when the table is full.
HICON IconOfImage(const Dib& image, bool shared);

} // namespace gfx
