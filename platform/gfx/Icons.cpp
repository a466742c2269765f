// Icons: made from bitmaps, taken apart, drawn with their mask or alpha.
#include "platform/gfx/Icons.h"

#include "platform/gfx/Gdi.h"
#include "platform/gfx/GdiTable.h"

#include <optional>

using namespace gfx;
using namespace gfx::detail;

namespace {

// A monochrome copy of a bitmap's pixels (white and light colours become 1).
std::unique_ptr<Dib> MonochromeCopy(const Dib& source) {
    auto mask = std::make_unique<Dib>(source.Width(), source.Height(), 1);
    gfx::CopyPixels(mask->View(), 0, 0, source.View(), RECT{0, 0, source.Width(), source.Height()});
    return mask;
}

bool MaskBit(const Dib& mask, int x, int y) {
    return mask.View().GetIndex(x, y) != 0;
}

bool HasAlpha(const Dib* color) {
    if (!color || color->BitCount() != 32)
        return false;
    for (int y = 0; y < color->Height(); ++y)
        for (int x = 0; x < color->Width(); ++x)
            if (color->GetPixel(x, y) >> 24)
                return true;
    return false;
}

int IconWidth(const IconObject& icon) {
    return icon.Mask->Width();
}
int IconHeight(const IconObject& icon) {
    return icon.Color ? icon.Color->Height() : icon.Mask->Height() / 2;
}

// The icon's image as 32-bit straight alpha: its own alpha when it has
// some, else opaque where the mask is 0 and clear where it is 1.
Dib BlendImage(const IconObject& icon) {
    int w = IconWidth(icon), h = IconHeight(icon);
    Dib image(w, h, 32);
    bool alpha = HasAlpha(icon.Color.get());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t pixel = icon.Color ? icon.Color->GetPixel(x, y)
                                        : (MaskBit(*icon.Mask, x, y + h) ? 0xFFFFFF : 0);
            if (!alpha)
                pixel = (pixel & 0xFFFFFF) | (MaskBit(*icon.Mask, x, y) ? 0 : 0xFF000000u);
            image.SetPixel(x, y, pixel);
        }
    return image;
}

// Draws onto a bitmap: blended by alpha, or destination AND mask XOR image.
void DrawOnBitmap(const IconObject& icon, const DibView& dest, RECT to, UINT flags) {
    int w = IconWidth(icon), h = IconHeight(icon);
    bool alpha = HasAlpha(icon.Color.get()) && (flags & DI_NORMAL) == DI_NORMAL;
    for (int j = 0; j < to.Height(); ++j) {
        int y = to.top + j, sy = int(int64_t(j) * h / to.Height());
        if (y < 0 || y >= dest.Height)
            continue;
        for (int i = 0; i < to.Width(); ++i) {
            int x = to.left + i, sx = int(int64_t(i) * w / to.Width());
            if (x < 0 || x >= dest.Width)
                continue;
            uint32_t old = dest.GetPixel(x, y);
            uint32_t image = icon.Color ? icon.Color->GetPixel(sx, sy)
                                        : (MaskBit(*icon.Mask, sx, sy + h) ? 0xFFFFFF : 0);
            uint32_t result = old;
            if (alpha) {
                result = BlendPixel(image, old);
            } else {
                if (flags & DI_MASK)
                    result &= MaskBit(*icon.Mask, sx, sy) ? 0xFFFFFFFF : 0;
                if (flags & DI_IMAGE)
                    result ^= image;
            }
            dest.SetPixel(x, y, result);
        }
    }
}

} // namespace

HICON CreateIconIndirect(const ICONINFO* info) {
    if (!info)
        return nullptr;
    IconObject icon;
    {
        std::lock_guard lock(TableLock());
        Dib* mask = PixelsOf(info->hbmMask);
        Dib* color = info->hbmColor ? PixelsOf(info->hbmColor) : nullptr;
        if (!mask || (info->hbmColor && !color))
            return nullptr;
        if (color ? (mask->Width() < color->Width() || mask->Height() < color->Height())
                  : mask->Height() < 2)
            return nullptr;
        icon.Mask = MonochromeCopy(*mask);
        if (color)
            icon.Color = std::make_unique<Dib>(*color);
        icon.IsIcon = info->fIcon;
        icon.HotspotX = info->xHotspot;
        icon.HotspotY = info->yHotspot;
    }
    return AddIcon(std::move(icon));
}

BOOL GetIconInfo(HICON handle, ICONINFO* info) {
    if (!info)
        return FALSE;
    std::unique_ptr<Dib> mask, color;
    {
        std::lock_guard lock(TableLock());
        IconObject* icon = FindIcon(handle);
        if (!icon)
            return FALSE;
        mask = std::make_unique<Dib>(*icon->Mask);
        if (icon->Color)
            color = std::make_unique<Dib>(*icon->Color);
        info->fIcon = icon->IsIcon;
        info->xHotspot = icon->HotspotX;
        info->yHotspot = icon->HotspotY;
    }
    info->hbmMask = AddBitmap(std::move(mask), false);
    info->hbmColor = color ? AddBitmap(std::move(color), false) : nullptr;
    return TRUE;
}

BOOL DestroyIcon(HICON icon) {
    return RemoveIcon(icon) ? TRUE : FALSE;
}

HICON CopyIcon(HICON handle) {
    IconObject copy;
    {
        std::lock_guard lock(TableLock());
        IconObject* icon = FindIcon(handle);
        if (!icon)
            return nullptr;
        copy.Mask = std::make_unique<Dib>(*icon->Mask);
        if (icon->Color)
            copy.Color = std::make_unique<Dib>(*icon->Color);
        copy.IsIcon = icon->IsIcon;
        copy.HotspotX = icon->HotspotX;
        copy.HotspotY = icon->HotspotY;
    }
    return AddIcon(std::move(copy));
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON handle, int width, int height, UINT, HANDLE,
                UINT flags) {
    DcSink* sink = nullptr;
    std::optional<Dib> image;
    RECT to;
    {
        std::lock_guard lock(TableLock());
        DcObject* d = FindDc(dc);
        IconObject* icon = FindIcon(handle);
        if (!d || !icon || (flags & DI_NORMAL) == 0)
            return FALSE;
        to = Bounds(x, y, width > 0 ? width : IconWidth(*icon),
                    height > 0 ? height : IconHeight(*icon));
        if (!d->Sink) {
            Dib* pixels = PixelsOf(d->Bitmap);
            if (!pixels)
                return FALSE;
            DrawOnBitmap(*icon, pixels->View(), to, flags);
            return TRUE;
        }
        sink = d->Sink;
        image.emplace(BlendImage(*icon));
    }
    sink->DrawBits(to, *image, BlendBits);
    return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
    return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

namespace gfx::detail {

std::optional<Dib> IconBlendImage(HICON handle) {
    std::lock_guard lock(TableLock());
    IconObject* icon = FindIcon(handle);
    if (!icon)
        return std::nullopt;
    return BlendImage(*icon);
}

} // namespace gfx::detail
