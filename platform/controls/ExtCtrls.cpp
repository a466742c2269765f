// Panels, bevels and images.
#include "platform/controls/ExtCtrls.h"

#include "platform/controls/Paint3D.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Icon.h"
#include "platform/rtl/Streams.h"

using controls::Frame3D;

namespace {

// The colours of a bevel cut: top-left and bottom-right.
std::pair<TColor, TColor> BevelColors(TBevelCut cut) {
    if (cut == bvLowered)
        return {clBtnShadow, clBtnHighlight};
    return {clBtnHighlight, clBtnShadow};
}

} // namespace

// ---- TPanel

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    StoreBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TBevelCut value) {
    bevelOuter_ = value;
    AlignControls();
}
void TPanel::SetBevelInner(TBevelCut value) {
    bevelInner_ = value;
    AlignControls();
}
void TPanel::SetBevelWidth(int value) {
    bevelWidth_ = value;
    AlignControls();
}
void TPanel::SetBorderWidth(int value) {
    borderWidth_ = value;
    AlignControls();
}
void TPanel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

int TPanel::FrameWidth() const {
    return borderWidth_ + (bevelOuter_ != bvNone ? bevelWidth_ : 0) +
           (bevelInner_ != bvNone ? bevelWidth_ : 0);
}

RECT TPanel::AlignRect() const {
    int w = FrameWidth();
    return Rect(w, w, Width() - w, Height() - w);
}

void TPanel::Paint() {
    TCanvas& c = *Canvas();
    RECT r = ClientRect();
    if (bevelOuter_ != bvNone) {
        auto [top, bottom] = BevelColors(bevelOuter_);
        Frame3D(c, r, top, bottom, bevelWidth_);
    }
    Frame3D(c, r, Color(), Color(), borderWidth_);
    if (bevelInner_ != bvNone) {
        auto [top, bottom] = BevelColors(bevelInner_);
        Frame3D(c, r, top, bottom, bevelWidth_);
    }
    c.Brush()->SetColor(Color());
    c.Brush()->SetStyle(bsSolid);
    c.FillRect(r);
    if (Caption().empty())
        return;
    c.Brush()->SetStyle(bsClear);
    UINT align = alignment_ == taRightJustify ? DT_RIGHT : alignment_ == taCenter ? DT_CENTER : 0;
    c.DrawText(Caption(), r, DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE | align);
}

// ---- TBevel

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    StoreBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape value) {
    shape_ = value;
    Invalidate();
}
void TBevel::SetStyle(TBevelStyle value) {
    style_ = value;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas& c = *Canvas();
    TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    auto box = [&c](RECT r, TColor a, TColor b) {
        c.Pen()->SetColor(a);
        c.Polyline({POINT{r.left, r.bottom}, POINT{r.left, r.top}, POINT{r.right, r.top}});
        c.Pen()->SetColor(b);
        c.Polyline({POINT{r.right, r.top}, POINT{r.right, r.bottom}, POINT{r.left, r.bottom}});
    };
    auto line = [&c](TColor color, int x1, int y1, int x2, int y2) {
        c.Pen()->SetColor(color);
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
    };
    int w = Width(), h = Height();
    c.Pen()->SetWidth(1);
    switch (shape_) {
    case bsBox:
        box(Rect(0, 0, w - 1, h - 1), first, second);
        break;
    case bsFrame:
        box(Rect(1, 1, w - 1, h - 1), second, second);
        box(Rect(0, 0, w - 2, h - 2), first, first);
        break;
    case bsTopLine:
        line(first, 0, 0, w, 0);
        line(second, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(first, 0, h - 2, w, h - 2);
        line(second, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(first, 0, 0, 0, h);
        line(second, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(first, w - 2, 0, w - 2, h);
        line(second, w - 1, 0, w - 1, h);
        break;
    case bsSpacer:
        break;
    }
}

// ---- TImagePicture, TImage

void TImagePicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (OnChange)
        OnChange(this);
}

void TImagePicture::ReadData(TStream& stream) {
    uint8_t length = 0;
    std::string name;
    if (stream.GetSize() > stream.GetPosition()) {
        stream.ReadBuffer(&length, 1);
        name.resize(length);
        if (length)
            stream.ReadBuffer(name.data(), length);
    }
    std::unique_ptr<TGraphic> graphic;
    if (name == "TBitmap")
        graphic = std::make_unique<TBitmap>();
    else if (name == "TIcon")
        graphic = std::make_unique<TIcon>();
    else if (!name.empty())
        throw Exception("Unknown picture format " + name);
    if (graphic)
        graphic->ReadData(stream);
    SetGraphic(std::move(graphic));
}

TImage::TImage(TComponent* AOwner)
    : TGraphicControl(AOwner), picture_(std::make_unique<TImagePicture>()) {
    StoreBounds(0, 0, 105, 105);
    picture_->OnChange = [this](TObject*) { PictureChanged(); };
}

void TImage::SetStretch(bool value) {
    stretch_ = value;
    Invalidate();
}
void TImage::SetCenter(bool value) {
    center_ = value;
    Invalidate();
}
void TImage::SetAutoSize(bool value) {
    autoSize_ = value;
    PictureChanged();
}
void TImage::SetTransparent(bool value) {
    transparent_ = value;
    Invalidate();
}

void TImage::PictureChanged() {
    if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0)
        SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
    if (TGraphic* g = picture_->Graphic())
        if (transparent_)
            g->SetTransparent(true);
    Invalidate();
}

void TImage::Paint() {
    TGraphic* g = picture_->Graphic();
    if (!g || g->Empty())
        return;
    TCanvas& c = *Canvas();
    if (stretch_) {
        c.StretchDraw(ClientRect(), g);
        return;
    }
    int x = center_ ? (Width() - g->Width()) / 2 : 0;
    int y = center_ ? (Height() - g->Height()) / 2 : 0;
    c.Draw(x, y, g);
}

void TImage::DescribeState(std::vector<std::string>& states,
                           std::vector<std::string>& lines) const {
    TGraphicControl::DescribeState(states, lines);
    if (TGraphic* g = picture_->Graphic())
        states.push_back("picture " + g->ClassName() + " " + std::to_string(g->Width()) + "x" +
                         std::to_string(g->Height()));
    if (stretch_)
        states.push_back("stretch");
    if (center_)
        states.push_back("centre");
}
