// The image list: images and masks from strips, icons and other lists; out
// again as bitmaps, icons and drawings; change notification. The stored
// form's data is in ImageListStream.cpp.
#include "platform/gfx/ImageList.h"

#include "platform/gfx/GdiTable.h"
#include "platform/gfx/GraphicsErrors.h"
#include "platform/gfx/Icons.h"

#include <algorithm>

using namespace gfx;
using namespace gfx::detail;

namespace {

constexpr uint32_t White = 0xFFFFFF;

bool MaskBit(const Dib& mask, int x, int y) {
    return mask.View().GetIndex(x, y) != 0;
}

// A copy of pixels stretched (nearest pixel) to width x height.
Dib Resized(const Dib& source, int width, int height, int bitCount) {
    Dib out(width, height, bitCount);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.SetPixel(x, y,
                         source.GetPixel(x * source.Width() / width, y * source.Height() / height));
    return out;
}

bool HasAlpha(const Dib& color) {
    for (int y = 0; y < color.Height(); ++y)
        for (int x = 0; x < color.Width(); ++x)
            if (color.GetPixel(x, y) >> 24)
                return true;
    return false;
}

uint32_t Mix(uint32_t pixel, COLORREF blend, int percent) {
    uint32_t b = PixelOf(blend), out = pixel & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t p = (pixel >> shift) & 0xFF, q = (b >> shift) & 0xFF;
        out |= ((p * (100 - percent) + q * percent) / 100) << shift;
    }
    return out;
}

} // namespace

TChangeLink::~TChangeLink() {
    if (Sender)
        Sender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    if (OnChange)
        OnChange(Sender);
}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(int width, int height) : TComponent(nullptr) {
    SetSize(width, height);
}

TCustomImageList::~TCustomImageList() {
    for (TChangeLink* link : links_)
        link->Sender = nullptr;
}

void TCustomImageList::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCustomImageList*>(source);
    if (!other) {
        TComponent::Assign(source);
        return;
    }
    if (other == this)
        return;
    width_ = other->width_;
    height_ = other->height_;
    allocBy_ = other->allocBy_;
    bkColor_ = other->bkColor_;
    blendColor_ = other->blendColor_;
    drawingStyle_ = other->drawingStyle_;
    imageType_ = other->imageType_;
    masked_ = other->masked_;
    shareImages_ = other->shareImages_;
    colorDepth_ = other->colorDepth_;
    images_ = other->images_;
    Change();
}

void TCustomImageList::SetSize(int width, int height) {
    if (!ValidBitmapSize(width, height, 32))
        throw EInvalidOperation(GraphicsConsts::SInvalidImageSize);
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    images_.clear();
    Change();
}

void TCustomImageList::SetWidth(int value) {
    SetSize(value, height_);
}

void TCustomImageList::SetHeight(int value) {
    SetSize(width_, value);
}

void TCustomImageList::SetBkColor(TColor value) {
    if (value == bkColor_)
        return;
    bkColor_ = value;
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle value) {
    if (value == drawingStyle_)
        return;
    drawingStyle_ = value;
    Change();
}

void TCustomImageList::SetImageType(TImageType value) {
    if (value == imageType_)
        return;
    imageType_ = value;
    Change();
}

void TCustomImageList::SetMasked(bool value) {
    if (value == masked_)
        return;
    masked_ = value;
    for (Image& image : images_)
        image.Mask.Fill(0);
    Change();
}

void TCustomImageList::SetColorDepth(TColorDepth value) {
    if (value == colorDepth_)
        return;
    colorDepth_ = value;
    Change();
}

void TCustomImageList::CheckImage(const TBitmap* image) const {
    if (image && (image->Width() < width_ || image->Height() < height_))
        throw EInvalidOperation(GraphicsConsts::SInvalidImageSize);
}

void TCustomImageList::CheckIndex(int index, bool allowEnd) const {
    if (index < 0 || index > Count() || (index == Count() && !allowEnd))
        throw EInvalidOperation(GraphicsConsts::SImageIndexError);
}

TCustomImageList::Image TCustomImageList::FromStrip(const TBitmap& image, const TBitmap* mask,
                                                    int column) const {
    Image out{Dib(width_, height_, 32), Dib(width_, height_, 1)};
    RECT from = Bounds(column * width_, 0, width_, height_);
    std::lock_guard lock(TableLock());
    if (Dib* pixels = PixelsOf(image.Handle()))
        gfx::CopyPixels(out.Color.View(), 0, 0, pixels->View(), from);
    Dib* maskPixels = masked_ && mask ? PixelsOf(mask->Handle()) : nullptr;
    if (maskPixels)
        for (int y = 0; y < height_ && y < maskPixels->Height(); ++y)
            for (int x = 0; x < width_ && from.left + x < maskPixels->Width(); ++x)
                if (ColorOf(maskPixels->GetPixel(from.left + x, y)) == White)
                    out.Mask.SetPixel(x, y, White);
    return out;
}

TCustomImageList::Image TCustomImageList::MaskedFromStrip(const TBitmap& image, COLORREF key,
                                                          int column) const {
    Image out = FromStrip(image, nullptr, column);
    if (!masked_)
        return out;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (ColorOf(out.Color.GetPixel(x, y)) == key) {
                out.Mask.SetPixel(x, y, White);
                out.Color.SetPixel(x, y, 0);
            }
    return out;
}

std::vector<TCustomImageList::Image> TCustomImageList::Strip(TBitmap* image, TBitmap* mask) const {
    CheckImage(image);
    CheckImage(mask);
    std::vector<Image> out;
    if (!image || image->Empty())
        return out;
    for (int column = 0; column < image->Width() / width_; ++column)
        out.push_back(FromStrip(*image, mask, column));
    return out;
}

std::vector<TCustomImageList::Image> TCustomImageList::MaskedStrip(TBitmap* image,
                                                                   TColor maskColor) const {
    CheckImage(image);
    std::vector<Image> out;
    if (!image || image->Empty())
        return out;
    COLORREF key = ColorToRGB(maskColor) & 0xFFFFFF;
    for (int column = 0; column < image->Width() / width_; ++column)
        out.push_back(MaskedFromStrip(*image, key, column));
    return out;
}

TCustomImageList::Image TCustomImageList::FromIcon(TIcon& icon) const {
    Image out{Dib(width_, height_, 32), Dib(width_, height_, 1)};
    std::lock_guard lock(TableLock());
    IconObject* parts = FindIcon(icon.Handle());
    if (!parts)
        return out;
    int h = parts->Color ? parts->Color->Height() : parts->Mask->Height() / 2;
    Dib mask(parts->Mask->Width(), h, 1);
    gfx::CopyPixels(mask.View(), 0, 0, parts->Mask->View(), RECT{0, 0, mask.Width(), h});
    Dib color(mask.Width(), h, 32);
    if (parts->Color)
        gfx::CopyPixels(color.View(), 0, 0, parts->Color->View(), RECT{0, 0, color.Width(), h});
    else
        gfx::CopyPixels(color.View(), 0, 0, parts->Mask->View(), RECT{0, h, color.Width(), 2 * h});
    out.Color = Resized(color, width_, height_, 32);
    if (masked_)
        out.Mask = Resized(mask, width_, height_, 1);
    return out;
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
    std::vector<Image> added = Strip(image, mask);
    if (added.empty())
        return -1;
    int first = Count();
    images_.insert(images_.end(), added.begin(), added.end());
    Change();
    return first;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
    std::vector<Image> added = MaskedStrip(image, maskColor);
    if (added.empty())
        return -1;
    int first = Count();
    images_.insert(images_.end(), added.begin(), added.end());
    Change();
    return first;
}

int TCustomImageList::AddIcon(TIcon* image) {
    if (!image || image->Empty())
        return -1;
    images_.push_back(FromIcon(*image));
    Change();
    return Count() - 1;
}

int TCustomImageList::AddImage(TCustomImageList* value, int index) {
    if (!value)
        return -1;
    value->CheckIndex(index);
    const Image& source = value->images_[size_t(index)];
    images_.push_back(Image{Resized(source.Color, width_, height_, 32),
                            masked_ && value->masked_ ? Resized(source.Mask, width_, height_, 1)
                                                      : Dib(width_, height_, 1)});
    Change();
    return Count() - 1;
}

void TCustomImageList::AddImages(TCustomImageList* value) {
    if (!value || value == this)
        return;
    BeginUpdate();
    for (int i = 0; i < value->Count(); ++i)
        AddImage(value, i);
    EndUpdate();
}

void TCustomImageList::Insert(int index, TBitmap* image, TBitmap* mask) {
    CheckIndex(index, true);
    std::vector<Image> added = Strip(image, mask);
    images_.insert(images_.begin() + index, added.begin(), added.end());
    if (!added.empty())
        Change();
}

void TCustomImageList::InsertMasked(int index, TBitmap* image, TColor maskColor) {
    CheckIndex(index, true);
    std::vector<Image> added = MaskedStrip(image, maskColor);
    images_.insert(images_.begin() + index, added.begin(), added.end());
    if (!added.empty())
        Change();
}

void TCustomImageList::InsertIcon(int index, TIcon* image) {
    CheckIndex(index, true);
    if (!image || image->Empty())
        return;
    images_.insert(images_.begin() + index, FromIcon(*image));
    Change();
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
    CheckIndex(index);
    std::vector<Image> strip = Strip(image, mask);
    if (strip.empty())
        return;
    images_[size_t(index)] = strip.front();
    Change();
}

void TCustomImageList::ReplaceMasked(int index, TBitmap* newImage, TColor maskColor) {
    CheckIndex(index);
    std::vector<Image> strip = MaskedStrip(newImage, maskColor);
    if (strip.empty())
        return;
    images_[size_t(index)] = strip.front();
    Change();
}

void TCustomImageList::ReplaceIcon(int index, TIcon* image) {
    CheckIndex(index);
    if (!image || image->Empty())
        return;
    images_[size_t(index)] = FromIcon(*image);
    Change();
}

void TCustomImageList::Delete(int index) {
    if (index == -1) {
        Clear();
        return;
    }
    CheckIndex(index);
    images_.erase(images_.begin() + index);
    Change();
}

void TCustomImageList::Move(int curIndex, int newIndex) {
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    if (curIndex == newIndex)
        return;
    Image moving = images_[size_t(curIndex)];
    images_.erase(images_.begin() + curIndex);
    images_.insert(images_.begin() + newIndex, std::move(moving));
    Change();
}

void TCustomImageList::Clear() {
    images_.clear();
    Change();
}

Dib TCustomImageList::Composite(const Image& image, TDrawingStyle style, TImageType type,
                                bool enabled) const {
    Dib out(width_, height_, 32);
    bool ownAlpha = colorDepth_ == cd32Bit && HasAlpha(image.Color);
    COLORREF blend = ColorToRGB(blendColor_ == clNone ? clHighlight : blendColor_);
    bool background = bkColor_ != clNone && style != dsTransparent;
    uint32_t bk = PixelOf(ColorToRGB(bkColor_)) | 0xFF000000u;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            bool masked = masked_ && MaskBit(image.Mask, x, y);
            uint32_t pixel;
            if (type == itMask) {
                pixel = masked ? 0xFFFFFFFFu : 0xFF000000u;
            } else if (masked) {
                pixel = background ? bk : 0;
            } else {
                pixel = image.Color.GetPixel(x, y);
                if (!ownAlpha)
                    pixel |= 0xFF000000u;
                if (style == dsFocus)
                    pixel = Mix(pixel, blend, 25);
                else if (style == dsSelected)
                    pixel = Mix(pixel, blend, 50);
                if (!enabled) {
                    uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
                    uint32_t gray = (r * 30 + g * 59 + b * 11) / 100;
                    pixel = (pixel & 0xFF000000u) | (gray << 16) | (gray << 8) | gray;
                }
            }
            out.SetPixel(x, y, pixel);
        }
    return out;
}

bool TCustomImageList::GetBitmap(int index, TBitmap* image) {
    if (!image || index < 0 || index >= Count())
        return false;
    image->SetHeight(height_);
    image->SetWidth(width_);
    Draw(image->Canvas(), 0, 0, index, dsNormal, itImage, true);
    return true;
}

void TCustomImageList::GetIcon(int index, TIcon* image) {
    GetIcon(index, image, drawingStyle_, imageType_);
}

void TCustomImageList::GetIcon(int index, TIcon* image, TDrawingStyle style, TImageType type) {
    if (!image || index < 0 || index >= Count())
        return;
    const Image& source = images_[size_t(index)];
    bool ownAlpha = colorDepth_ == cd32Bit && HasAlpha(source.Color);
    // The colours under the mask are black and, unless the list keeps
    // alpha, alpha is left 0 so that the icon is drawn through its mask.
    Dib composite = Composite(source, style == dsTransparent ? dsNormal : style, type, true);
    IconObject icon;
    icon.Color = std::make_unique<Dib>(width_, height_, 32);
    icon.Mask = std::make_unique<Dib>(width_, height_, 1);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            bool masked = masked_ && type == itImage && MaskBit(source.Mask, x, y);
            uint32_t pixel = composite.GetPixel(x, y);
            if (!ownAlpha)
                pixel &= White;
            icon.Color->SetPixel(x, y, masked ? 0 : pixel);
            if (masked)
                icon.Mask->SetPixel(x, y, White);
        }
    HICON handle = gfx::detail::AddIcon(std::move(icon));
    if (!handle)
        throw EInvalidGraphicOperation(GraphicsConsts::SOutOfResources);
    image->SetHandle(handle);
}

void TCustomImageList::GetImages(int index, TBitmap* image, TBitmap* mask) {
    CheckIndex(index);
    const Image& source = images_[size_t(index)];
    if (image) {
        image->SetPixelFormat(pf32bit);
        image->SetSize(width_, height_);
        for (int y = 0; y < height_; ++y)
            std::copy_n(source.Color.View().Row(y), source.Color.Stride(),
                        static_cast<uint8_t*>(image->ScanLine(y)));
    }
    if (mask) {
        mask->SetPixelFormat(pf1bit);
        mask->SetSize(width_, height_);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                mask->Canvas()->SetPixels(
                    x, y, masked_ && MaskBit(source.Mask, x, y) ? clWhite : clBlack);
    }
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    Draw(canvas, x, y, index, drawingStyle_, imageType_, enabled);
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style,
                            TImageType type, bool enabled) {
    if (!canvas || index < 0 || index >= Count())
        return;
    canvas->DrawBits(Bounds(x, y, width_, height_),
                     Composite(images_[size_t(index)], style, type, enabled), BlendBits);
}

void TCustomImageList::RegisterChanges(TChangeLink* value) {
    if (!value)
        return;
    if (value->Sender && value->Sender != this)
        value->Sender->UnRegisterChanges(value);
    value->Sender = this;
    if (std::find(links_.begin(), links_.end(), value) == links_.end())
        links_.push_back(value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* value) {
    auto it = std::find(links_.begin(), links_.end(), value);
    if (it == links_.end())
        return;
    links_.erase(it);
    value->Sender = nullptr;
}

void TCustomImageList::EndUpdate() {
    if (updating_ > 0 && --updating_ == 0)
        Change();
}

void TCustomImageList::Change() {
    if (updating_ > 0)
        return;
    if (OnChange)
        OnChange(this);
    // A link may unregister itself, or others, while it is told.
    std::vector<TChangeLink*> links = links_;
    for (TChangeLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->Change();
}
