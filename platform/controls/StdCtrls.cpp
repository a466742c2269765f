// The standard controls: sizes, behaviour and the classic look.
#include "platform/controls/StdCtrls.h"

#include "platform/controls/Paint3D.h"
#include "platform/controls/ScrollBar.h"
#include "platform/win/Hook.h"

using controls::Frame3D;

namespace {

// The class library's DrawText flags for an alignment.
UINT AlignmentFlags(TAlignment a) {
    return a == taRightJustify ? DT_RIGHT : a == taCenter ? DT_CENTER : DT_LEFT;
}

// Caption text drawn grey-embossed when disabled, else in the font's colour.
void DrawCaption(TCanvas& canvas, const std::string& text, RECT rect, UINT flags, bool enabled) {
    canvas.Brush()->SetStyle(bsClear);
    if (enabled) {
        canvas.DrawText(text, rect, flags);
        return;
    }
    TColor color = canvas.Font()->Color();
    RECT shifted = Rect(rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1);
    canvas.Font()->SetColor(clBtnHighlight);
    canvas.DrawText(text, shifted, flags);
    canvas.Font()->SetColor(clBtnShadow);
    canvas.DrawText(text, rect, flags);
    canvas.Font()->SetColor(color);
}

} // namespace

// ---- TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    StoreBounds(0, 0, 65, 17);
    SetParentColor(true);
}

void TCustomLabel::SetAutoSize(bool value) {
    autoSize_ = value;
    AdjustBounds();
}
void TCustomLabel::SetWordWrap(bool value) {
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}
void TCustomLabel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}
void TCustomLabel::SetLayout(TTextLayout value) {
    layout_ = value;
    Invalidate();
}
void TCustomLabel::SetTransparent(bool value) {
    transparent_ = value;
    Invalidate();
}
void TCustomLabel::SetShowAccelChar(bool value) {
    showAccelChar_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::TextChanged() {
    TGraphicControl::TextChanged();
    AdjustBounds();
}

void TCustomLabel::DoDrawText(RECT& rect, UINT flags) {
    std::string text = Caption();
    if ((flags & DT_CALCRECT) && text.empty())
        text = " ";
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    Canvas()->Font()->Assign(Font());
    if (flags & DT_CALCRECT)
        Canvas()->DrawText(text, rect, flags);
    else
        DrawCaption(*Canvas(), text, rect, flags, Enabled());
}

void TCustomLabel::AdjustBounds() {
    if (!autoSize_ || Loading())
        return;
    RECT r = ClientRect();
    DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
    int x = Left();
    if (alignment_ == taRightJustify)
        x += Width() - r.right;
    SetBounds(x, Top(), r.right, r.bottom);
}

void TCustomLabel::Paint() {
    TCanvas& c = *Canvas();
    if (!transparent_) {
        c.Brush()->SetColor(Color());
        c.Brush()->SetStyle(bsSolid);
        c.FillRect(ClientRect());
    }
    RECT r = ClientRect();
    UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | AlignmentFlags(alignment_);
    if (layout_ != tlTop) {
        RECT calc = r;
        DoDrawText(calc, flags | DT_CALCRECT);
        int h = calc.bottom - calc.top;
        r.top = layout_ == tlBottom ? r.bottom - h : (r.bottom + r.top - h) / 2;
    }
    DoDrawText(r, flags);
}

// ---- TButton

TButton::TButton(TComponent* AOwner) : TCustomControl(AOwner) {
    StoreBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::SetDefault(bool value) {
    default_ = value;
    Invalidate();
}

bool TButton::Active() const {
    if (Focused())
        return true;
    const TForm* form = GetParentForm(this);
    bool otherButtonFocused = form && dynamic_cast<TButton*>(form->ActiveControl());
    return default_ && !otherButtonFocused;
}

void TButton::Click() {
    if (TForm* form = GetParentForm(this))
        form->SetModalResult(modalResult_);
    TCustomControl::Click();
}

bool TButton::DialogKey(WORD Key) {
    if ((Key == VK_RETURN && Active()) || (Key == VK_ESCAPE && cancel_)) {
        Click();
        return true;
    }
    return false;
}

bool TButton::WantsKey(WORD Key) const {
    return false;
}

void TButton::KeyPress(char& Key) {
    TCustomControl::KeyPress(Key);
    if (Key == ' ')
        Click();
}

void TButton::Paint() {
    TCanvas& c = *Canvas();
    RECT r = ClientRect();
    if (Active()) {
        c.Brush()->SetColor(cl3DDkShadow);
        c.FrameRect(r);
        r = Rect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
    }
    controls::RaisedEdge(c, r);
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(r);
    DrawCaption(c, Caption(), ClientRect(), DT_CENTER | DT_VCENTER | DT_SINGLELINE, Enabled());
    if (Focused())
        c.DrawFocusRect(Rect(4, 4, Width() - 4, Height() - 4));
}

// ---- TCheckBox

TCheckBox::TCheckBox(TComponent* AOwner) : TCustomControl(AOwner) {
    StoreBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCheckBox::SetState(TCheckBoxState value) {
    if (value == state_)
        return;
    state_ = value;
    Invalidate();
    // Changing the state from the program fires OnClick too, as in the class library.
    if (!toggling_)
        TCustomControl::Click();
}

void TCheckBox::Click() {
    toggling_ = true;
    state_ = state_ == cbChecked ? cbUnchecked : cbChecked;
    toggling_ = false;
    Invalidate();
    TCustomControl::Click();
}

void TCheckBox::KeyPress(char& Key) {
    TCustomControl::KeyPress(Key);
    if (Key == ' ')
        Click();
}

void TCheckBox::Paint() {
    TCanvas& c = *Canvas();
    c.Brush()->SetColor(Color());
    c.FillRect(ClientRect());
    int boxLeft = alignment_ == taRightJustify ? 0 : Width() - 13;
    int boxTop = (Height() - 13) / 2;
    RECT box = Rect(boxLeft, boxTop, boxLeft + 13, boxTop + 13);
    controls::SunkenEdge(c, box);
    c.Brush()->SetColor(Enabled() && state_ != cbGrayed ? clWindow : clBtnFace);
    c.FillRect(box);
    if (state_ != cbUnchecked)
        controls::CheckMark(c, boxLeft, boxTop, Enabled() ? clWindowText : clGrayText);
    RECT text = alignment_ == taRightJustify ? Rect(17, 0, Width(), Height())
                                             : Rect(0, 0, Width() - 17, Height());
    DrawCaption(c, Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, Enabled());
    if (Focused()) {
        RECT calc = text;
        c.DrawText(Caption(), calc, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
        int h = calc.bottom - calc.top;
        int top = (Height() - h) / 2;
        c.DrawFocusRect(Rect(calc.left - 1, top - 1, calc.right + 1, top + h + 1));
    }
}

// ---- TCustomEdit, TEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomControl(AOwner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetCursor(crIBeam);
}

bool TCustomEdit::WantsKey(WORD Key) const {
    return Key >= VK_LEFT && Key <= VK_DOWN;
}

void TCustomEdit::KeyPress(char& Key) {
    TCustomControl::KeyPress(Key);
    if (readOnly_ || Key == 0)
        return;
    std::string text = Text();
    if (Key == 8) {
        if (!text.empty())
            text.pop_back();
    } else if (static_cast<unsigned char>(Key) >= 32) {
        if (maxLength_ > 0 && static_cast<int>(text.size()) >= maxLength_)
            return;
        text += Key;
    } else {
        return;
    }
    SetText(text);
}

void TCustomEdit::TextChanged() {
    TCustomControl::TextChanged();
    rtl::FireSurvives(liveness_, OnChange, this);
}

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    StoreBounds(0, 0, 121, 21);
}

void TEdit::Paint() {
    TCanvas& c = *Canvas();
    RECT r = ClientRect();
    controls::SunkenEdge(c, r);
    c.Brush()->SetColor(Enabled() ? Color() : clBtnFace);
    c.FillRect(r);
    RECT text = Rect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
    c.Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
    c.Brush()->SetStyle(bsClear);
    c.DrawText(Text(), text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

// ---- TMemo

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner), lines_(std::make_unique<TStringList>()) {
    StoreBounds(0, 0, 185, 89);
    lines_->OnChange = [this](TObject*) {
        if (syncing_)
            return;
        syncing_ = true;
        std::string text = lines_->Text();
        // The text is the lines joined, without a break after the last.
        if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
            text.resize(text.size() - 2);
        SetText(text);
        syncing_ = false;
    };
}

void TMemo::SetScrollBars(TScrollStyle value) {
    scrollBars_ = value;
    Invalidate();
}

bool TMemo::WantsKey(WORD Key) const {
    return TCustomEdit::WantsKey(Key) || (Key == VK_RETURN && wantReturns_);
}

void TMemo::KeyPress(char& Key) {
    if (Key == '\r' && wantReturns_ && !ReadOnly()) {
        TWinControl::KeyPress(Key);
        if (Key == '\r')
            SetText(Text() + "\r\n");
        return;
    }
    TCustomEdit::KeyPress(Key);
}

void TMemo::TextChanged() {
    if (!syncing_) {
        syncing_ = true;
        lines_->SetText(Text());
        syncing_ = false;
    }
    TCustomEdit::TextChanged();
}

void TMemo::Paint() {
    TCanvas& c = *Canvas();
    RECT r = ClientRect();
    controls::SunkenEdge(c, r);
    c.Brush()->SetColor(Enabled() ? Color() : clBtnFace);
    c.FillRect(r);
    const int bar = controls::kScrollBarSize;
    bool vertical = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
    bool horizontal = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
    RECT text = Rect(r.left + 1, r.top + 1, r.right - (vertical ? bar : 0) - 1,
                     r.bottom - (horizontal ? bar : 0));
    c.Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
    int lineHeight = c.TextHeight("0");
    for (int i = 0, y = text.top; i < lines_->Count() && y < text.bottom; ++i, y += lineHeight) {
        c.Brush()->SetStyle(bsClear);
        c.TextRect(Rect(text.left, y, text.right, std::min<int>(y + lineHeight, text.bottom)),
                   text.left, y, (*lines_)[i]);
    }
    if (vertical)
        controls::PaintScrollBar(
            c, Rect(r.right - bar, r.top, r.right, r.bottom - (horizontal ? bar : 0)), true);
    if (horizontal)
        controls::PaintScrollBar(
            c, Rect(r.left, r.bottom - bar, r.right - (vertical ? bar : 0), r.bottom), false);
    if (vertical && horizontal) {
        c.Brush()->SetColor(clBtnFace);
        c.FillRect(Rect(r.right - bar, r.bottom - bar, r.right, r.bottom));
    }
}

// ---- TGroupBox

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
    StoreBounds(0, 0, 185, 105);
}

RECT TGroupBox::AlignRect() const {
    int h = Canvas()->TextHeight("0");
    return Rect(2, h + 2, Width() - 2, Height() - 2);
}

void TGroupBox::Paint() {
    TCanvas& c = *Canvas();
    c.Brush()->SetColor(Color());
    c.FillRect(ClientRect());
    int h = c.TextHeight("0");
    RECT r = Rect(1, h / 2, Width(), Height());
    c.Brush()->SetColor(clBtnHighlight);
    c.FrameRect(r);
    r = Rect(0, h / 2 - 1, Width() - 1, Height() - 1);
    c.Brush()->SetColor(clBtnShadow);
    c.FrameRect(r);
    if (Caption().empty())
        return;
    RECT text = Rect(8, 0, 0, h);
    c.DrawText(Caption(), text, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
    c.Brush()->SetColor(Color());
    c.Brush()->SetStyle(bsSolid);
    c.FillRect(text);
    DrawCaption(c, Caption(), text, DT_LEFT | DT_SINGLELINE, Enabled());
}

// ---- what the text dump says

void TButton::DescribeState(std::vector<std::string>& states,
                            std::vector<std::string>& lines) const {
    TCustomControl::DescribeState(states, lines);
    if (default_)
        states.push_back("default");
    if (cancel_)
        states.push_back("cancel");
    if (modalResult_ != mrNone)
        states.push_back("result=" + std::to_string(modalResult_));
}

void TCheckBox::DescribeState(std::vector<std::string>& states,
                              std::vector<std::string>& lines) const {
    TCustomControl::DescribeState(states, lines);
    states.push_back(state_ == cbChecked ? "[x]" : state_ == cbGrayed ? "[-]" : "[ ]");
}

void TCustomEdit::DescribeState(std::vector<std::string>& states,
                                std::vector<std::string>& lines) const {
    TCustomControl::DescribeState(states, lines);
    if (readOnly_)
        states.push_back("read-only");
}

void TMemo::DescribeState(std::vector<std::string>& states, std::vector<std::string>& lines) const {
    TCustomEdit::DescribeState(states, lines);
    static const char* const bars[] = {"", "horizontal", "vertical", "both"};
    if (scrollBars_ != ssNone)
        states.push_back(std::string("scroll bars ") + bars[scrollBars_]);
    for (int i = 0; i < lines_->Count(); ++i)
        lines.push_back("| " + (*lines_)[i]);
}
