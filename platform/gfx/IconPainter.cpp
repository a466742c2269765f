// Smooth shapes for painted icons.
#include "platform/gfx/IconPainter.h"

#include "platform/gfx/GdiTable.h"

#include <algorithm>
#include <cmath>

namespace gfx {

namespace {

// rgb at coverage a laid over a straight-alpha pixel, giving straight alpha
// (the colour of a half-covered edge stays the shape's colour).
uint32_t Over(uint32_t rgb, double a, uint32_t below) {
    double belowA = (below >> 24) / 255.0;
    double outA = a + belowA * (1 - a);
    auto mix = [&](int shift) {
        double s = (rgb >> shift) & 0xFF, d = (below >> shift) & 0xFF;
        return uint32_t(std::lround((s * a + d * belowA * (1 - a)) / outA)) << shift;
    };
    return (uint32_t(std::lround(outA * 255)) << 24) | mix(16) | mix(8) | mix(0);
}

} // namespace

IconPainter::IconPainter(int size) : image_(size, size, 32) {}

void IconPainter::Paint(uint32_t rgb, const IconShape& shape) {
    constexpr int samples = 4;
    const double size = image_.Width();
    for (int y = 0; y < image_.Height(); ++y)
        for (int x = 0; x < image_.Width(); ++x) {
            int hits = 0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx)
                    hits +=
                        shape((x + (sx + 0.5) / samples) / size, (y + (sy + 0.5) / samples) / size);
            if (!hits)
                continue;
            image_.SetPixel(x, y,
                            Over(rgb, double(hits) / (samples * samples), image_.GetPixel(x, y)));
        }
}

IconShape IconPainter::Circle(double cx, double cy, double r) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

IconShape IconPainter::Box(double left, double top, double right, double bottom) {
    return [=](double x, double y) { return x >= left && x < right && y >= top && y < bottom; };
}

IconShape IconPainter::Stroke(double ax, double ay, double bx, double by, double r) {
    return [=](double x, double y) {
        double dx = bx - ax, dy = by - ay;
        double length = dx * dx + dy * dy;
        double t = length > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / length, 0.0, 1.0) : 0;
        double px = ax + t * dx - x, py = ay + t * dy - y;
        return px * px + py * py <= r * r;
    };
}

IconShape IconPainter::Triangle(double ax, double ay, double bx, double by, double cx, double cy) {
    return [=](double x, double y) {
        auto side = [&](double x1, double y1, double x2, double y2) {
            return (x2 - x1) * (y - y1) - (y2 - y1) * (x - x1);
        };
        double d1 = side(ax, ay, bx, by), d2 = side(bx, by, cx, cy), d3 = side(cx, cy, ax, ay);
        bool negative = d1 < 0 || d2 < 0 || d3<0, positive = d1> 0 || d2 > 0 || d3 > 0;
        return !(negative && positive);
    };
}

HICON IconOfImage(const Dib& image, bool shared) {
    detail::IconObject icon;
    icon.Color = std::make_unique<Dib>(image);
    icon.Mask = std::make_unique<Dib>(image.Width(), image.Height(), 1);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            icon.Mask->View().SetIndex(x, y, (image.GetPixel(x, y) >> 24) == 0 ? 1 : 0);
    return shared ? detail::AddStockIcon(std::move(icon)) : detail::AddIcon(std::move(icon));
}

} // namespace gfx
