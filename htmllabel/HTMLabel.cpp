// THTMLabel's properties, its text and the components it refers to: every
// setter stores the value and repaints; a new text empties the picture cache,
// since the pictures it held belonged to the old text.
#include "htmllabel/HTMLabel.h"

THTMLabel::THTMLabel(TComponent* AOwner)
    : TCustomLabel(AOwner), htmlText_(std::make_unique<TStringList>()),
      cache_(std::make_unique<THTMLPictureCache>()), imagesLink_(std::make_unique<TChangeLink>()) {
    SetAutoSize(false);
    SetCaption("");
    htmlText_->OnChange = [this](TObject* sender) { TextChangedHere(sender); };
    imagesLink_->OnChange = [this](TObject* sender) { ImagesChanged(sender); };
}

THTMLabel::~THTMLabel() {
    // The list must not reach back into a label that is going.
    htmlText_->OnChange = nullptr;
    if (images_)
        images_->UnRegisterChanges(imagesLink_.get());
    cache_->ClearPictures();
}

void THTMLabel::SetAnchorHint(bool value) {
    anchorHint_ = value;
    Invalidate();
}

void THTMLabel::SetAutoSizing(bool value) {
    autoSizing_ = value;
    // A label aligned to a side starts from a sliver that painting widens.
    if (value && (Align() == alLeft || Align() == alRight))
        SetWidth(6);
    if (value && (Align() == alTop || Align() == alBottom))
        SetHeight(6);
    Invalidate();
}

void THTMLabel::SetAutoSizeType(TAutoSizeType value) {
    autoSizeType_ = value;
    SetAutoSizing(autoSizing_);
}

void THTMLabel::SetBevelInner(TBevelCut value) {
    bevelInner_ = value;
    Invalidate();
}

void THTMLabel::SetBevelOuter(TBevelCut value) {
    bevelOuter_ = value;
    Invalidate();
}

void THTMLabel::SetBevelWidth(int value) {
    bevelWidth_ = value;
    Invalidate();
}

void THTMLabel::SetBorderWidth(int value) {
    borderWidth_ = value;
    Invalidate();
}

void THTMLabel::SetBorderStyle(TBorderStyle value) {
    borderStyle_ = value;
    Invalidate();
}

void THTMLabel::SetEllipsis(bool value) {
    if (value == ellipsis_)
        return;
    ellipsis_ = value;
    Invalidate();
}

void THTMLabel::SetHintShowFull(bool value) {
    hintShowFull_ = value;
    Invalidate();
}

void THTMLabel::SetHover(bool value) {
    hover_ = value;
    Invalidate();
}

void THTMLabel::SetHoverColor(TColor value) {
    hoverColor_ = value;
    Invalidate();
}

void THTMLabel::SetHoverFontColor(TColor value) {
    hoverFontColor_ = value;
    Invalidate();
}

void THTMLabel::SetHTMLHint(bool value) {
    htmlHint_ = value;
    Invalidate();
}

void THTMLabel::SetHTMLText(TStrings* value) {
    htmlText_->Assign(value);
}

void THTMLabel::SetHTMLText(const std::string& value) {
    htmlText_->BeginUpdate();
    htmlText_->Clear();
    htmlText_->Add(value);
    htmlText_->EndUpdate();
}

void THTMLabel::SetImages(TCustomImageList* value) {
    if (images_)
        images_->UnRegisterChanges(imagesLink_.get());
    images_ = value;
    if (value) {
        value->RegisterChanges(imagesLink_.get());
        FreeNotification(value);
    }
    Invalidate();
}

void THTMLabel::SetPictureContainer(TPictureContainer* value) {
    pictureContainer_ = value;
    if (value)
        FreeNotification(value);
    Invalidate();
}

void THTMLabel::SetShadowColor(TColor value) {
    shadowColor_ = value;
    Invalidate();
}

void THTMLabel::SetShadowOffset(int value) {
    shadowOffset_ = value;
    Invalidate();
}

void THTMLabel::SetURLColor(TColor value) {
    if (value == urlColor_)
        return;
    urlColor_ = value;
    Invalidate();
}

void THTMLabel::SetVAlignment(TVAlignment value) {
    if (value == vAlignment_)
        return;
    vAlignment_ = value;
    Invalidate();
}

std::string THTMLabel::GetDisplText() const {
    // Lines are joined with nothing between them; a CR or LF inside a line
    // (a line added with a break in it) goes too, as the renderer breaks
    // lines only at BR.
    std::string text;
    for (int i = 0; i < htmlText_->Count(); ++i)
        for (char ch : htmlText_->View(i))
            if (ch != '\r' && ch != '\n')
                text += ch;
    return text;
}

void THTMLabel::UpdateDisplText() {
    Invalidate();
}

void THTMLabel::TextChangedHere(TObject*) {
    cache_->ClearPictures();
    UpdateDisplText();
}

void THTMLabel::ImagesChanged(TObject*) {
    Invalidate();
}

void THTMLabel::Loaded() {
    TCustomLabel::Loaded();
    SetCaption("");
}

void THTMLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomLabel::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    // The list unregisters its change links as it goes; the reference is
    // all that is left to clear.
    if (AComponent == images_)
        images_ = nullptr;
    if (AComponent == pictureContainer_)
        pictureContainer_ = nullptr;
}

void THTMLabel::DescribeState(std::vector<std::string>& states,
                              std::vector<std::string>& lines) const {
    TCustomLabel::DescribeState(states, lines);
    if (autoSizing_)
        states.push_back("autosizing");
    std::string text = GetDisplText();
    if (!text.empty())
        lines.push_back(text);
}
