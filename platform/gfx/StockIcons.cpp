// The stock icons, painted once when first asked for: a yellow triangle with
// an exclamation mark (warning), a red disc with a cross (error), blue discs
// with an "i" (information) or a question mark (question), and a window for
// the application.
#include "platform/gfx/StockIcons.h"

#include "platform/gfx/GdiTable.h"
#include "platform/gfx/GraphicsErrors.h"
#include "platform/gfx/IcoCodec.h"
#include "platform/gfx/IconPainter.h"

#include <map>
#include <mutex>

namespace {

using gfx::IconPainter;

constexpr int StockIconSize = 32;
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t BlueRim = 0x0A4EA8, Blue = 0x1E7AD8;

void Warning(IconPainter& p) {
    p.Paint(0x9A6A00, IconPainter::Triangle(0.5, 0.04, 0.98, 0.93, 0.02, 0.93));
    p.Paint(0xFFC83D, IconPainter::Triangle(0.5, 0.12, 0.91, 0.88, 0.09, 0.88));
    p.Paint(0x202020, IconPainter::Stroke(0.5, 0.36, 0.5, 0.62, 0.055));
    p.Paint(0x202020, IconPainter::Circle(0.5, 0.76, 0.06));
}

void Error(IconPainter& p) {
    p.Paint(0x9E1A1A, IconPainter::Circle(0.5, 0.5, 0.47));
    p.Paint(0xE0302A, IconPainter::Circle(0.5, 0.5, 0.42));
    p.Paint(White, IconPainter::Stroke(0.33, 0.33, 0.67, 0.67, 0.07));
    p.Paint(White, IconPainter::Stroke(0.67, 0.33, 0.33, 0.67, 0.07));
}

void BlueDisc(IconPainter& p) {
    p.Paint(BlueRim, IconPainter::Circle(0.5, 0.5, 0.47));
    p.Paint(Blue, IconPainter::Circle(0.5, 0.5, 0.42));
}

void Information(IconPainter& p) {
    BlueDisc(p);
    p.Paint(White, IconPainter::Circle(0.5, 0.27, 0.07));
    p.Paint(White, IconPainter::Stroke(0.5, 0.44, 0.5, 0.74, 0.065));
}

void Question(IconPainter& p) {
    BlueDisc(p);
    // The hook: the upper half of a ring and its right side, then a
    // stroke down to the stem.
    auto ring = [](double x, double y) {
        double dx = x - 0.5, dy = y - 0.37, d = dx * dx + dy * dy;
        return d >= 0.09 * 0.09 && d <= 0.2 * 0.2 && (dy < 0 || dx > 0.04);
    };
    p.Paint(White, ring);
    p.Paint(White, IconPainter::Stroke(0.6, 0.49, 0.5, 0.56, 0.055));
    p.Paint(White, IconPainter::Stroke(0.5, 0.56, 0.5, 0.6, 0.055));
    p.Paint(White, IconPainter::Circle(0.5, 0.76, 0.065));
}

void Application(IconPainter& p) {
    p.Paint(0x505050, IconPainter::Box(0.06, 0.12, 0.94, 0.88));
    p.Paint(0x2A62C8, IconPainter::Box(0.1, 0.16, 0.9, 0.3));
    p.Paint(White, IconPainter::Box(0.1, 0.3, 0.9, 0.84));
}

HICON PaintStockIcon(WORD id) {
    IconPainter painter(StockIconSize);
    switch (id) {
    case IDI_WARNING_ID:
        Warning(painter);
        break;
    case IDI_ERROR_ID:
        Error(painter);
        break;
    case IDI_INFORMATION_ID:
        Information(painter);
        break;
    case IDI_QUESTION_ID:
        Question(painter);
        break;
    case IDI_APPLICATION_ID:
        Application(painter);
        break;
    default:
        return nullptr;
    }
    return gfx::IconOfImage(painter.Image(), true);
}

HICON StockIcon(WORD id) {
    static std::mutex lock;
    static std::map<WORD, HICON> icons;
    std::lock_guard guard(lock);
    auto it = icons.find(id);
    if (it != icons.end())
        return it->second;
    HICON icon = PaintStockIcon(id);
    if (icon)
        icons.emplace(id, icon);
    return icon;
}

// The module's icon resource, read once and kept as a shared icon.
HICON ResourceIcon(HINSTANCE instance, const char* name) {
    HRSRC resource = FindResource(instance, name, RT_GROUP_ICON);
    HGLOBAL data = resource ? LoadResource(instance, resource) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes)
        return nullptr;
    static std::mutex lock;
    static std::map<const void*, HICON> icons;
    std::lock_guard guard(lock);
    auto it = icons.find(bytes);
    if (it != icons.end())
        return it->second;
    try {
        gfx::IconImage image = gfx::DecodeIco(static_cast<const uint8_t*>(bytes),
                                              SizeofResource(instance, resource), StockIconSize);
        gfx::detail::IconObject object;
        object.Color = std::move(image.Color);
        object.Mask = std::move(image.Mask);
        HICON icon = gfx::detail::AddStockIcon(std::move(object));
        if (icon)
            icons[bytes] = icon;
        return icon;
    } catch (const EInvalidGraphic&) {
        return nullptr;
    }
}

} // namespace

HICON LoadIcon(HINSTANCE instance, const char* name) {
    if (!name)
        return nullptr;
    if (!instance && IS_INTRESOURCE(name))
        return StockIcon(WORD(reinterpret_cast<uintptr_t>(name)));
    return ResourceIcon(instance, name);
}
