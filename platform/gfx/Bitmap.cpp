// TBitmap: its image, format, transparency, mask, files and stored-form data.
// Its canvas is in BitmapCanvas.cpp.
#include "platform/gfx/Bitmap.h"

#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/Gdi.h"
#include "platform/gfx/GdiTable.h"
#include "platform/gfx/GraphicsErrors.h"
#include "platform/rtl/Streams.h"

#include <algorithm>

using namespace gfx;
using namespace gfx::detail;

namespace {

constexpr uint32_t White = 0xFFFFFF;

TPixelFormat FormatOf(const Dib& pixels) {
    switch (pixels.BitCount()) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 16: {
        const DibView& v = pixels.View();
        if (v.Is555())
            return pf15bit;
        if (v.RedMask == 0xF800 && v.GreenMask == 0x07E0 && v.BlueMask == 0x001F)
            return pf16bit;
        return pfCustom;
    }
    case 24:
        return pf24bit;
    default:
        return pf32bit;
    }
}

int BitCountOf(TPixelFormat format) {
    switch (format) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf15bit:
    case pf16bit:
        return 16;
    case pf24bit:
        return 24;
    default:
        return 32;
    }
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    canvas_.reset();
    FreeImage();
}

void TBitmap::FreeMask() {
    if (mask_)
        ::DeleteObject(mask_);
    mask_ = nullptr;
}

void TBitmap::FreeImage() {
    if (canvas_)
        canvas_->Release();
    FreeMask();
    if (handle_)
        ::DeleteObject(handle_);
    handle_ = nullptr;
}

void TBitmap::Install(std::unique_ptr<Dib> pixels) {
    FreeImage();
    if (!pixels)
        return;
    width_ = pixels->Width();
    height_ = pixels->Height();
    handle_ = AddBitmap(std::move(pixels), true);
    if (!handle_)
        throw EInvalidGraphicOperation(GraphicsConsts::SOutOfResources);
}

std::unique_ptr<Dib> TBitmap::NewPixels(int width, int height, TPixelFormat format) const {
    if (format == pfCustom)
        throw EInvalidGraphic(GraphicsConsts::SInvalidPixelFormat);
    int bitCount = BitCountOf(format);
    if (!ValidBitmapSize(width, height, bitCount))
        throw EInvalidGraphicOperation(GraphicsConsts::SInvalidImageSize);
    auto pixels = std::make_unique<Dib>(width, height, bitCount);
    if (format == pf16bit)
        pixels->SetMasks(0xF800, 0x07E0, 0x001F);
    return pixels;
}

void TBitmap::Changed() {
    FreeMask();
    TGraphic::Changed();
}

void TBitmap::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (!source) {
        FreeImage();
        width_ = height_ = 0;
        Changed();
        return;
    }
    auto* other = dynamic_cast<TBitmap*>(source);
    if (!other) {
        TGraphic::Assign(source);
        return;
    }
    std::optional<Dib> pixels = other->handle_ ? SnapshotBitmap(other->handle_) : std::nullopt;
    Install(pixels ? std::make_unique<Dib>(std::move(*pixels)) : nullptr);
    width_ = other->width_;
    height_ = other->height_;
    format_ = other->format_;
    transparentColor_ = other->transparentColor_;
    transparentMode_ = other->transparentMode_;
    Changed();
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_)
        return;
    if (width == 0 || height == 0) {
        FreeImage();
        width_ = width;
        height_ = height;
        Changed();
        return;
    }
    std::unique_ptr<Dib> pixels = NewPixels(width, height, format_);
    {
        std::lock_guard lock(TableLock());
        if (Dib* old = PixelsOf(handle_)) {
            pixels->SetPalette(old->Palette());
            pixels->SetMasks(old->View().RedMask, old->View().GreenMask, old->View().BlueMask);
        }
        pixels->Fill(White);
        if (Dib* old = PixelsOf(handle_))
            gfx::CopyPixels(pixels->View(), 0, 0, old->View(),
                            RECT{0, 0, old->Width(), old->Height()});
    }
    Install(std::move(pixels));
    Changed();
}

TPixelFormat TBitmap::PixelFormat() const {
    if (format_ == pfDevice || !handle_)
        return format_;
    std::lock_guard lock(TableLock());
    Dib* pixels = PixelsOf(handle_);
    return pixels ? FormatOf(*pixels) : format_;
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
    if (value == pfCustom)
        throw EInvalidGraphic(GraphicsConsts::SInvalidPixelFormat);
    if (value == PixelFormat())
        return;
    if (handle_) {
        std::unique_ptr<Dib> pixels = NewPixels(width_, height_, value);
        {
            std::lock_guard lock(TableLock());
            if (Dib* old = PixelsOf(handle_))
                gfx::CopyPixels(pixels->View(), 0, 0, old->View(), RECT{0, 0, width_, height_});
        }
        Install(std::move(pixels));
    }
    format_ = value;
    Changed();
}

void TBitmap::SetMonochrome(bool value) {
    if (value != Monochrome())
        SetPixelFormat(value ? pf1bit : pfDevice);
}

void* TBitmap::ScanLine(int row) {
    if (!handle_ || row < 0 || row >= height_)
        throw EInvalidGraphicOperation(GraphicsConsts::SScanLine);
    // The caller may change the pixels: the mask made from them is stale.
    FreeMask();
    std::lock_guard lock(TableLock());
    return PixelsOf(handle_)->View().Row(row);
}

TCanvas* TBitmap::Canvas() {
    if (!canvas_)
        canvas_ = std::make_unique<TBitmapCanvas>(*this);
    return canvas_.get();
}

void TBitmap::SetHandle(HBITMAP value) {
    if (value == handle_)
        return;
    int width = 0, height = 0;
    TPixelFormat format = format_;
    if (value) {
        std::lock_guard lock(TableLock());
        BitmapObject* b = FindBitmap(value);
        if (!b)
            throw EInvalidGraphic(GraphicsConsts::SInvalidBitmap);
        width = b->Pixels->Width();
        height = b->Pixels->Height();
        // A compatible bitmap of the screen's depth is a device bitmap.
        format = !b->Section && b->Pixels->BitCount() == 32 ? pfDevice : FormatOf(*b->Pixels);
    }
    FreeImage();
    handle_ = value;
    width_ = width;
    height_ = height;
    format_ = format;
    Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
    if (canvas_)
        canvas_->Release();
    FreeMask();
    HBITMAP released = handle_;
    handle_ = nullptr;
    width_ = height_ = 0;
    return released;
}

HBITMAP TBitmap::MaskHandle() {
    if (!handle_)
        return nullptr;
    if (mask_)
        return mask_;
    COLORREF key = static_cast<COLORREF>(TransparentColor()) & 0xFFFFFF;
    auto mask = std::make_unique<Dib>(width_, height_, 1);
    {
        std::lock_guard lock(TableLock());
        Dib* pixels = PixelsOf(handle_);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (ColorOf(pixels->GetPixel(x, y)) == key)
                    mask->SetPixel(x, y, White);
    }
    mask_ = AddBitmap(std::move(mask), false);
    return mask_;
}

TColor TBitmap::TransparentColor() const {
    if (!handle_)
        return clNone;
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault)
        return static_cast<TColor>(ColorToRGB(transparentColor_));
    if (PixelFormat() == pf1bit)
        return clWhite;
    std::lock_guard lock(TableLock());
    Dib* pixels = PixelsOf(handle_);
    return pixels ? static_cast<TColor>(ColorOf(pixels->GetPixel(0, height_ - 1))) : clNone;
}

void TBitmap::SetTransparentColor(TColor value) {
    if (value == transparentColor_)
        return;
    transparentColor_ = value;
    transparentMode_ = value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
    if (value == transparentMode_)
        return;
    SetTransparentColor(value == tmAuto ? clDefault : TransparentColor());
}

void TBitmap::Draw(TCanvas& canvas, const RECT& rect) {
    std::optional<Dib> pixels = SnapshotBitmap(handle_);
    if (!pixels)
        return;
    if (!Transparent()) {
        DrawBits(canvas, rect, *pixels, static_cast<DWORD>(canvas.CopyMode()));
        return;
    }
    COLORREF key = static_cast<COLORREF>(TransparentColor()) & 0xFFFFFF;
    Dib image(width_, height_, 32);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            uint32_t pixel = pixels->GetPixel(x, y) & White;
            image.SetPixel(x, y, ColorOf(pixel) == key ? pixel : pixel | 0xFF000000u);
        }
    DrawBits(canvas, rect, image, BlendBits);
}

void TBitmap::LoadBytes(const std::vector<uint8_t>& bytes) {
    std::unique_ptr<Dib> pixels = DecodeBmp(bytes.data(), bytes.size());
    format_ = FormatOf(*pixels);
    Install(std::move(pixels));
    Changed();
}

void TBitmap::LoadFromStream(TStream& stream) {
    int64_t left = stream.GetSize() - stream.GetPosition();
    size_t count = static_cast<size_t>(std::clamp<int64_t>(left, 0, int64_t(MaxBmpFileBytes)));
    std::vector<uint8_t> bytes(count);
    if (count)
        stream.ReadBuffer(bytes.data(), count);
    LoadBytes(bytes);
}

void TBitmap::SaveToStream(TStream& stream) {
    std::optional<Dib> pixels = SnapshotBitmap(handle_);
    if (!pixels)
        return;
    std::vector<uint8_t> bytes = EncodeBmp(*pixels);
    stream.WriteBuffer(bytes.data(), bytes.size());
}

void TBitmap::ReadData(TStream& stream) {
    uint8_t prefix[4];
    stream.ReadBuffer(prefix, 4);
    // A bare BMP file, without the size in front, is taken as well.
    if (prefix[0] == 'B' && prefix[1] == 'M') {
        stream.Seek(-4, soCurrent);
        LoadFromStream(stream);
        return;
    }
    uint32_t size = uint32_t(prefix[0]) | (uint32_t(prefix[1]) << 8) | (uint32_t(prefix[2]) << 16) |
                    (uint32_t(prefix[3]) << 24);
    if (size == 0) {
        Assign(nullptr);
        return;
    }
    int64_t left = stream.GetSize() - stream.GetPosition();
    if (size > left || size > MaxBmpFileBytes)
        throw EInvalidGraphic(std::string(GraphicsConsts::SInvalidBitmap) +
                              ": the data is shorter than its size");
    std::vector<uint8_t> bytes(size);
    stream.ReadBuffer(bytes.data(), size);
    LoadBytes(bytes);
}

void TBitmap::WriteData(TStream& stream) {
    std::optional<Dib> pixels = SnapshotBitmap(handle_);
    std::vector<uint8_t> bytes;
    if (pixels)
        bytes = EncodeBmp(*pixels);
    uint32_t size = uint32_t(bytes.size());
    uint8_t prefix[4] = {uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16),
                         uint8_t(size >> 24)};
    stream.WriteBuffer(prefix, 4);
    if (size)
        stream.WriteBuffer(bytes.data(), size);
}
