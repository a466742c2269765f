// TIcon: handle ownership, size, icon files and drawing.
#include "platform/gfx/Icon.h"

#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/GdiTable.h"
#include "platform/gfx/GraphicsErrors.h"
#include "platform/gfx/IcoCodec.h"
#include "platform/gfx/Icons.h"
#include "platform/rtl/Streams.h"

#include <algorithm>

using namespace gfx;
using namespace gfx::detail;

namespace {

// The icon's size in pixels; 0 x 0 when the handle names none.
SIZE SizeOf(HICON handle) {
    std::lock_guard lock(TableLock());
    IconObject* icon = FindIcon(handle);
    if (!icon)
        return SIZE{};
    return SIZE{icon->Mask->Width(),
                icon->Color ? icon->Color->Height() : icon->Mask->Height() / 2};
}

} // namespace

TIcon::TIcon() {
    TGraphic::SetTransparent(true);
}

TIcon::~TIcon() {
    Free();
}

void TIcon::Free() {
    if (handle_)
        ::DestroyIcon(handle_);
    handle_ = nullptr;
}

void TIcon::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (!source) {
        Free();
        Changed();
        return;
    }
    auto* other = dynamic_cast<TIcon*>(source);
    if (!other) {
        TGraphic::Assign(source);
        return;
    }
    HICON copy = other->handle_ ? ::CopyIcon(other->handle_) : nullptr;
    Free();
    handle_ = copy;
    requested_ = other->requested_;
    Changed();
}

int TIcon::Width() const {
    return handle_ ? SizeOf(handle_).cx : requested_.cx;
}

int TIcon::Height() const {
    return handle_ ? SizeOf(handle_).cy : requested_.cy;
}

void TIcon::SetWidth(int value) {
    if (handle_)
        throw EInvalidGraphicOperation(GraphicsConsts::SChangeIconSize);
    requested_.cx = value;
}

void TIcon::SetHeight(int value) {
    if (handle_)
        throw EInvalidGraphicOperation(GraphicsConsts::SChangeIconSize);
    requested_.cy = value;
}

void TIcon::SetHandle(HICON value) {
    if (value == handle_)
        return;
    Free();
    handle_ = value;
    Changed();
}

HICON TIcon::ReleaseHandle() {
    HICON released = handle_;
    handle_ = nullptr;
    return released;
}

void TIcon::LoadFromStream(TStream& stream) {
    int64_t left = stream.GetSize() - stream.GetPosition();
    // An icon file holds several images; each is bounded as a BMP file is.
    size_t count = static_cast<size_t>(std::clamp<int64_t>(left, 0, int64_t(MaxBmpFileBytes) * 2));
    std::vector<uint8_t> bytes(count);
    if (count)
        stream.ReadBuffer(bytes.data(), count);
    IconImage image = DecodeIco(bytes.data(), bytes.size());
    IconObject icon;
    icon.Color = std::move(image.Color);
    icon.Mask = std::move(image.Mask);
    HICON handle = AddIcon(std::move(icon));
    if (!handle)
        throw EInvalidGraphicOperation(GraphicsConsts::SOutOfResources);
    SetHandle(handle);
}

void TIcon::SaveToStream(TStream& stream) {
    std::vector<uint8_t> bytes;
    {
        std::lock_guard lock(TableLock());
        IconObject* icon = FindIcon(handle_);
        if (!icon)
            return;
        if (icon->Color) {
            bytes = EncodeIco(*icon->Color, *icon->Mask);
        } else {
            // A monochrome icon keeps its image below the mask.
            int w = icon->Mask->Width(), h = icon->Mask->Height() / 2;
            Dib image(w, h, 1), mask(w, h, 1);
            gfx::CopyPixels(image.View(), 0, 0, icon->Mask->View(), RECT{0, h, w, 2 * h});
            gfx::CopyPixels(mask.View(), 0, 0, icon->Mask->View(), RECT{0, 0, w, h});
            bytes = EncodeIco(image, mask);
        }
    }
    stream.WriteBuffer(bytes.data(), bytes.size());
}

void TIcon::Draw(TCanvas& canvas, const RECT& rect) {
    std::optional<Dib> image = IconBlendImage(handle_);
    if (image)
        DrawBits(canvas, rect, *image, BlendBits);
}
