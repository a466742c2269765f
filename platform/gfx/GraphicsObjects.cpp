// The drawing tools: property setters with change notification.
#include "platform/gfx/GraphicsObjects.h"

#include "platform/gfx/Gdi.h"
#include "platform/gfx/GdiTypes.h"

namespace {

// Stores value into field and notifies when it differs.
template <class T, class Notify> void Store(T& field, const T& value, Notify notify) {
    if (field == value)
        return;
    field = value;
    notify();
}

} // namespace

void TGraphicsObject::Changed() {
    if (OnChange)
        OnChange(this);
}

TFont::TFont()
    : height_(-MulDiv(8, GetScreenPixelsPerInch(), 72)), pixelsPerInch_(GetScreenPixelsPerInch()) {}

void TFont::Assign(TPersistent* source) {
    if (auto* font = dynamic_cast<TFont*>(source)) {
        if (SameAs(*font))
            return;
        name_ = font->name_;
        height_ = font->height_;
        color_ = font->color_;
        style_ = font->style_;
        charset_ = font->charset_;
        pitch_ = font->pitch_;
        orientation_ = font->orientation_;
        pixelsPerInch_ = font->pixelsPerInch_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TFont::SetName(const std::string& value) {
    if (!value.empty())
        Store(name_, value, [this] { Changed(); });
}

int TFont::Size() const {
    return -MulDiv(height_, 72, PixelsPerInch());
}

void TFont::SetSize(int value) {
    SetHeight(-MulDiv(value, PixelsPerInch(), 72));
}

void TFont::SetHeight(int value) {
    Store(height_, value, [this] { Changed(); });
}

void TFont::SetColor(TColor value) {
    Store(color_, value, [this] { Changed(); });
}

void TFont::SetStyle(TFontStyles value) {
    Store(style_, value, [this] { Changed(); });
}

void TFont::SetCharset(TFontCharset value) {
    Store(charset_, value, [this] { Changed(); });
}

void TFont::SetPitch(TFontPitch value) {
    Store(pitch_, value, [this] { Changed(); });
}

void TFont::SetPixelsPerInch(int value) {
    if (value > 0)
        Store(pixelsPerInch_, value, [this] { Changed(); });
}

void TFont::SetOrientation(int value) {
    Store(orientation_, value, [this] { Changed(); });
}

bool TFont::SameAs(const TFont& o) const {
    return name_ == o.name_ && height_ == o.height_ && color_ == o.color_ && style_ == o.style_ &&
           charset_ == o.charset_ && pitch_ == o.pitch_ && orientation_ == o.orientation_ &&
           pixelsPerInch_ == o.pixelsPerInch_;
}

void TPen::Assign(TPersistent* source) {
    if (auto* pen = dynamic_cast<TPen*>(source)) {
        if (color_ == pen->color_ && width_ == pen->width_ && style_ == pen->style_ &&
            mode_ == pen->mode_)
            return;
        color_ = pen->color_;
        width_ = pen->width_;
        style_ = pen->style_;
        mode_ = pen->mode_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TPen::SetColor(TColor value) {
    Store(color_, value, [this] { Changed(); });
}

void TPen::SetWidth(int value) {
    Store(width_, value < 1 ? 1 : value, [this] { Changed(); });
}

void TPen::SetStyle(TPenStyle value) {
    Store(style_, value, [this] { Changed(); });
}

void TPen::SetMode(TPenMode value) {
    Store(mode_, value, [this] { Changed(); });
}

void TBrush::Assign(TPersistent* source) {
    if (auto* brush = dynamic_cast<TBrush*>(source)) {
        if (color_ == brush->color_ && style_ == brush->style_)
            return;
        color_ = brush->color_;
        style_ = brush->style_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TBrush::SetColor(TColor value) {
    if (color_ == value && style_ != bsClear)
        return;
    color_ = value;
    if (style_ == bsClear)
        style_ = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    Store(style_, value, [this] { Changed(); });
}
