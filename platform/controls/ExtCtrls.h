// The extra controls of the dialogs: panels with bevels, bevels (boxes and
// lines), and images showing a picture as it is, stretched or centred.
#pragma once

#include "platform/controls/StdCtrls.h"
#include "platform/gfx/Graphic.h"

#include <memory>

// The cut of a panel's bevel.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
// The shape and style of a TBevel.
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TPanel : public TCustomControl {
public:
    // A 185 x 41 panel with a raised outer bevel.
    explicit TPanel(TComponent* AOwner);

    // The bevels and the plain frame between them.
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    // Where the caption stands.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // Aligned children stay inside the bevels.
    RECT AlignRect() const override;

protected:
    void Paint() override;

private:
    int FrameWidth() const;

    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
};

class TBevel : public TGraphicControl {
public:
    // A 50 x 50 lowered box.
    explicit TBevel(TComponent* AOwner);

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

// The picture an image shows: a bitmap or an icon, owned. Its stored-form
// "Data" is the graphic's class name (a length byte and the name) followed by
// the graphic's own data.
class TImagePicture : public TPersistent {
public:
    // The graphic, or nullptr when empty.
    TGraphic* Graphic() const { return graphic_.get(); }
    // Replaces the graphic.
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // Reads "Data" of a stored form; EReadError-style Exception for an
    // unknown class.
    void ReadData(TStream& stream);
    // The picture's size (0 x 0 when empty).
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // Fired when the graphic changes.
    TNotifyEvent OnChange;

private:
    std::unique_ptr<TGraphic> graphic_;
};

class TImage : public TGraphicControl {
public:
    // A 105 x 105 image without a picture.
    explicit TImage(TComponent* AOwner);

    // The picture shown.
    TImagePicture* Picture() const { return picture_.get(); }
    // Whether the picture fills the control, or stands in its centre.
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    // Whether the image takes the picture's size.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    // Whether the picture's background shows what is below.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    void DescribeState(std::vector<std::string>& states,
                       std::vector<std::string>& lines) const override;

protected:
    void Paint() override;

private:
    void PictureChanged();

    std::unique_ptr<TImagePicture> picture_;
    bool stretch_ = false;
    bool center_ = false;
    bool autoSize_ = false;
    bool transparent_ = false;
};
