// THTMLabel: a label without a window of its own that shows tagged text
// through the renderer (HTMLDraw.h): bold and coloured runs, line breaks,
// pictures and links that react to the mouse. It can carry bevels and a
// border, place its text at the top, centre or bottom, and size itself to its
// text after painting. Links whose href holds "://" or "mailto:" are opened
// by the label through the platform's link opener; any other href is handed
// to OnAnchorClick, so a dialog decides what "home" or "details" means.
//
// The dialogs declare labels in their stored forms:
//
//   object HtmlLabel: THTMLabel
//     Left = 8
//     Top = 8
//     Width = 300
//     Height = 13
//     AutoSizing = True
//     HTMLText.Strings = (
//       'Visit <a href="home">our website</a>')
//     OnAnchorClick = HtmlLabelAnchorClick
//   end
//
// and a program sets the text with SetHTMLText (or through HTMLText()). Each
// library that reads such forms registers the classes once:
//   htmllabel::RegisterHTMLabelClasses(table);
//
// The mouse and hints live in HTMLabelMouse.cpp, painting in
// HTMLabelPaint.cpp, the stored-form registration in HTMLabelClasses.cpp;
// this header is the whole interface.
#pragma once

#include "htmllabel/HTMLDraw.h"
#include "htmllabel/PictureContainer.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/gfx/ImageList.h"

#include <functional>
#include <memory>
#include <string>

namespace forms {
class FormClassTable;
}

// Which of the label's dimensions auto-sizing changes.
enum TAutoSizeType { asVertical, asHorizontal, asBoth };
// Where the text stands between the label's top and bottom.
enum TVAlignment { tvaTop, tvaCenter, tvaBottom };

// OnAnchorClick, OnAnchorEnter and OnAnchorExit: the anchor's href.
using TAnchorEvent = std::function<void(TObject* Sender, const std::string& Anchor)>;
// OnAnchorHint: the href, which the handler may change into the hint shown.
using TAnchorHintEvent = std::function<void(TObject* Sender, std::string& Anchor)>;

class THTMLabel : public TCustomLabel {
public:
    // A label with the defaults listed with each property, no caption and
    // the inherited AutoSize off.
    explicit THTMLabel(TComponent* AOwner);
    // Frees the picture cache, the text and the change link.
    ~THTMLabel() override;

    // The hint over an anchor shows its href (false).
    bool AnchorHint() const { return anchorHint_; }
    void SetAnchorHint(bool value);
    // The label resizes itself to its text after painting (false).
    bool AutoSizing() const { return autoSizing_; }
    void SetAutoSizing(bool value);
    // Which dimension auto-sizing changes (asVertical).
    TAutoSizeType AutoSizeType() const { return autoSizeType_; }
    void SetAutoSizeType(TAutoSizeType value);
    // The 3-D frames outside and inside the plain frame (bvNone).
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    // The width of each bevel (1).
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    // The plain frame in Color between the bevels, and the single border's
    // pen (0).
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    // bsSingle draws a rectangle border (bsNone).
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // Lines do not wrap; they end with an ellipsis (false).
    bool Ellipsis() const { return ellipsis_; }
    void SetEllipsis(bool value);
    // The hint shows the whole text (false).
    bool HintShowFull() const { return hintShowFull_; }
    void SetHintShowFull(bool value);
    // Only the anchor under the mouse gets the hover look (false).
    bool Hover() const { return hover_; }
    void SetHover(bool value);
    // The hovered anchor's background and text colour (clNone).
    TColor HoverColor() const { return hoverColor_; }
    void SetHoverColor(TColor value);
    TColor HoverFontColor() const { return hoverFontColor_; }
    void SetHoverFontColor(TColor value);
    // With HintShowFull: the full hint keeps its tags (false: stripped).
    bool HTMLHint() const { return htmlHint_; }
    void SetHTMLHint(bool value);
    // The text, one string per line; the lines are shown joined with
    // nothing between them and without CR or LF. Setting copies the lines.
    TStringList* HTMLText() const { return htmlText_.get(); }
    void SetHTMLText(TStrings* value);
    // Replaces the text with one line.
    void SetHTMLText(const std::string& value);
    // Pictures of "IDX:n" (nullptr); freeing the list clears it.
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    // Named pictures (nullptr); freeing the container clears it.
    TPictureContainer* PictureContainer() const { return pictureContainer_; }
    void SetPictureContainer(TPictureContainer* value);
    // SHAD text's shadow colour (clGray) and displacement (2).
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor value);
    int ShadowOffset() const { return shadowOffset_; }
    void SetShadowOffset(int value);
    // The colour of anchor text (clBlue).
    TColor URLColor() const { return urlColor_; }
    void SetURLColor(TColor value);
    // Where the text stands vertically (tvaTop).
    TVAlignment VAlignment() const { return vAlignment_; }
    void SetVAlignment(TVAlignment value);

    // The text shown: every line of HTMLText joined, CR and LF removed.
    virtual std::string GetDisplText() const;
    // Repaints after the text changed.
    virtual void UpdateDisplText();
    // Draws (or measures) the display text in rect with the label's cache,
    // container and word wrap (not Ellipsis); keeps XSize as the text width.
    virtual bool HTMLPaint(TCanvas& canvas, const RECT& rect, THTMLDrawParams params,
                           THTMLDrawResult& result);

    // The widest line of the last HTMLPaint.
    int TextWidth() const { return textWidth_; }
    // The anchor under the mouse (from 1), -1 when none.
    int HoverLink() const { return hoverLink_; }
    // The pictures loaded by URL for the current text.
    THTMLPictureCache* PictureCache() const { return cache_.get(); }

    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;
    bool HintShow(THintInfo& HintInfo) override;
    void DescribeState(std::vector<std::string>& states,
                       std::vector<std::string>& lines) const override;
    bool DumpsCaption() const override { return false; }

    // A click on an anchor that is not opened as a web or mail link.
    TAnchorEvent OnAnchorClick;
    // The mouse came onto an anchor, or left anchors for plain text (with
    // an empty href).
    TAnchorEvent OnAnchorEnter;
    TAnchorEvent OnAnchorExit;
    // An anchor's hint is about to be shown (AnchorHint); may change it.
    TAnchorHintEvent OnAnchorHint;

protected:
    void Paint() override;

private:
    // What the anchor test found.
    struct TAnchorHit {
        std::string Href;
        int Index = -1;
        RECT Rect;
    };

    // The client rectangle inside the bevels and border.
    RECT InnerRect() const;
    // Draws the bevels, the plain frame and the single border.
    void PaintFrames(TCanvas& canvas);
    // Moves rect's top down for VAlignment when the text is shorter.
    void AlignVertically(TCanvas& canvas, RECT& rect);
    // Whether auto-sizing changes the width, the height.
    bool GrowsRight() const;
    bool GrowsDown() const;
    // The rectangle the text is laid out in: inside the frames, aligned,
    // and grown for auto-sizing when painting.
    RECT TextRect(TCanvas& canvas, bool painting);
    // Grows the label to its text after painting.
    void ApplyAutoSize(const THTMLDrawResult& result);
    // The parameters every call shares: the label's colours and images.
    THTMLDrawParams BaseParams() const;
    // The anchor under a client point, if any (resets the hovered index
    // when there is none).
    bool AnchorAt(int X, int Y, TAnchorHit& hit);
    // Asks for the hover rectangle (client coordinates) to be repainted.
    void InvalidateHover(const RECT& rect);
    // Mouse moves onto an anchor, or off anchors.
    void EnterAnchor(const TAnchorHit& hit);
    void LeaveAnchors();
    // Opens a web or mail link; says in the debug output when it is refused.
    void OpenLink(const std::string& href);
    void TextChangedHere(TObject* Sender);
    void ImagesChanged(TObject* Sender);

    bool anchorHint_ = false;
    bool autoSizing_ = false;
    TAutoSizeType autoSizeType_ = asVertical;
    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = bsNone;
    bool ellipsis_ = false;
    bool hintShowFull_ = false;
    bool hover_ = false;
    TColor hoverColor_ = clNone;
    TColor hoverFontColor_ = clNone;
    bool htmlHint_ = false;
    TCustomImageList* images_ = nullptr;
    TPictureContainer* pictureContainer_ = nullptr;
    TColor shadowColor_ = clGray;
    int shadowOffset_ = 2;
    TColor urlColor_ = clBlue;
    TVAlignment vAlignment_ = tvaTop;

    std::unique_ptr<TStringList> htmlText_;
    std::unique_ptr<THTMLPictureCache> cache_;
    std::unique_ptr<TChangeLink> imagesLink_;
    int textWidth_ = 0;
    // The anchor under the mouse: its href, index and rectangle.
    std::string anchor_;
    int hoverLink_ = -1;
    int oldHoverLink_ = -1;
    RECT hoverRect_ = Rect(-1, -1, -1, -1);
};

namespace htmllabel {

// Registers THTMLabel and the picture container's classes for stored forms,
// after the controls' (which it registers too); a second call does nothing.
void RegisterHTMLabelClasses(forms::FormClassTable& table);

} // namespace htmllabel
