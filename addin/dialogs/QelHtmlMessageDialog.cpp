// The tagged message box: its layout from the font's average letter, the
// type's stock icon, the buttons in the standard order with the default and
// cancel buttons the standard box chooses (none when the buttons hold no
// such button), Help showing the box's help topic, and its growth to the
// text once the label has measured itself while painting.
#include "addin/dialogs/QelHtmlMessageDialog.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/forms/Screen.h"
#include "platform/gfx/Icon.h"
#include "platform/gfx/StockIcons.h"
#include "platform/rtl/Format.h"
#include "platform/win/Shell.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace {

// The text's width when the caller gives none: the width the designer gave
// the label, wide enough for a sentence or two per line.
constexpr int DefaultTextWidth = 300;
// The type's icon, drawn 32 x 32.
constexpr int IconSize = 32;

// The stock icon of a message type, or nullptr for mtCustom.
const char* IconOf(TMsgDlgType type) {
    switch (type) {
    case mtWarning:
        return IDI_EXCLAMATION;
    case mtError:
        return IDI_HAND;
    case mtInformation:
        return IDI_ASTERISK;
    case mtConfirmation:
        return IDI_QUESTION;
    default:
        return nullptr;
    }
}

// The buttons' names, as the standard box names them.
const char* ButtonName(TMsgDlgBtn button) {
    static const char* const names[] = {"Yes",    "No",  "OK",      "Cancel",   "Abort", "Retry",
                                        "Ignore", "All", "NoToAll", "YesToAll", "Help"};
    return names[button];
}

// The average letter of the form's font: the extent of the 52 letters,
// divided by 52.
SIZE AverageLetter(TForm& form) {
    std::string letters;
    for (char c = 'A'; c <= 'Z'; ++c)
        letters += c;
    for (char c = 'a'; c <= 'z'; ++c)
        letters += c;
    SIZE extent = form.Canvas()->TextExtent(letters);
    return SIZE{extent.cx / 52, extent.cy};
}

void AddIcon(THtmlMessageForm& form, const char* icon) {
    form.Image = new TImage(&form);
    form.Image->SetName("Image");
    form.Image->SetParent(&form);
    auto picture = std::make_unique<TIcon>();
    picture->SetHandle(LoadIcon(nullptr, icon));
    form.Image->Picture()->SetGraphic(std::move(picture));
    form.Image->SetBounds(form.Metrics.HorzMargin, form.Metrics.VertMargin, IconSize, IconSize);
}

// The Help button: the box's help topic, the box staying open.
void ShowHelpTopic(THtmlMessageForm& form) {
    platform::OpenHelp(form.HelpFile(), form.HelpContext());
}

// The buttons in their standard order, centred as a row below the label.
void AddButtons(THtmlMessageForm& form, TMsgDlgButtons buttons, int buttonsWidth) {
    const TMessageDialogMetrics& m = form.Metrics;
    const std::optional<TMsgDlgBtn> defaultButton = DefaultMessageButton(buttons);
    const std::optional<TMsgDlgBtn> cancelButton = CancelMessageButton(buttons);
    int left = (form.ClientWidth() - buttonsWidth) / 2;
    const int top = form.HtmlLabel->Height() + m.VertMargin + m.VertSpacing;
    for (int b = mbYes; b <= mbHelp; ++b) {
        const auto button = static_cast<TMsgDlgBtn>(b);
        if (!buttons.Contains(button))
            continue;
        auto* control = new TButton(&form);
        control->SetName(ButtonName(button));
        control->SetParent(&form);
        control->SetCaption(ButtonCaption(button));
        control->SetModalResult(ModalResultOf(button));
        control->SetDefault(button == defaultButton);
        control->SetCancel(button == cancelButton);
        control->SetBounds(left, top, m.ButtonWidth, m.ButtonHeight);
        control->SetAnchors({akLeft, akBottom});
        if (button == mbHelp)
            control->OnClick = [&form](TObject*) { ShowHelpTopic(form); };
        left += m.ButtonWidth + m.ButtonSpacing;
    }
}

} // namespace

TMessageDialogMetrics TMessageDialogMetrics::For(int cx, int cy) {
    TMessageDialogMetrics m;
    m.HorzMargin = MulDiv(8, cx, 4);
    m.VertMargin = MulDiv(8, cy, 8);
    m.HorzSpacing = MulDiv(10, cx, 4);
    m.VertSpacing = MulDiv(10, cy, 8);
    m.ButtonWidth = MulDiv(50, cx, 4);
    m.ButtonHeight = MulDiv(15, cy, 8) + 1;
    m.ButtonSpacing = MulDiv(4, cx, 4);
    return m;
}

THtmlMessageForm::THtmlMessageForm(TComponent* AOwner) : TForm(AOwner) {
    SetBorderStyle(bsDialog);
    SetBorderIcons({biSystemMenu});
    SetPosition(poMainFormCenter);
    SetShowHint(true);
    HtmlLabel = new THTMLabel(this);
    HtmlLabel->SetName("HtmlLabel");
    HtmlLabel->SetParent(this);
    HtmlLabel->SetBounds(0, 0, DefaultTextWidth, Canvas()->TextHeight("0"));
    HtmlLabel->SetAutoSizing(true);
    HtmlLabel->SetAutoSizeType(asVertical);
    HtmlLabel->SetVAlignment(tvaTop);
    HtmlLabel->SetURLColor(clBlue);
}

void THtmlMessageForm::Paint() {
    TForm::Paint();
    // The label sizes itself to its text as it paints, right after the
    // form's background; the size it changes paints the form again, and the
    // box follows the label's height here.
    // A short text beside the icon would pull the buttons over the icon:
    // the text's side of the box is as high as the icon at least.
    int textHeight = HtmlLabel->Height();
    if (Image)
        textHeight = std::max(textHeight, Image->Height());
    SetClientHeight(static_cast<int>(std::lround(1.7 * Metrics.VertMargin)) + textHeight +
                    Metrics.ButtonHeight + Metrics.VertSpacing);
}

THtmlMessageForm* QelCreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType,
                                         TMsgDlgButtons Buttons, TAnchorEvent OnAnchorClick,
                                         int Width) {
    auto* form = new THtmlMessageForm(nullptr);
    const SIZE letter = AverageLetter(*form);
    form->Metrics = TMessageDialogMetrics::For(letter.cx, letter.cy);
    const TMessageDialogMetrics& m = form->Metrics;
    THTMLabel& label = *form->HtmlLabel;
    if (Width != 0)
        label.SetWidth(Width);
    label.SetHTMLText(Msg);
    label.OnAnchorClick = std::move(OnAnchorClick);

    const char* icon = IconOf(DlgType);
    int textWidth = label.Width();
    if (icon) {
        textWidth += m.HorzSpacing + IconSize;
        label.SetHeight(std::max(label.Height(), IconSize));
    }
    int count = 0;
    for (int b = mbYes; b <= mbHelp; ++b)
        count += Buttons.Contains(static_cast<TMsgDlgBtn>(b)) ? 1 : 0;
    const int buttonsWidth = count * m.ButtonWidth + std::max(count - 1, 0) * m.ButtonSpacing;
    form->SetClientWidth(std::max(textWidth, buttonsWidth) + 2 * m.HorzMargin);
    form->SetClientHeight(label.Height() + m.ButtonHeight + m.VertSpacing + 2 * m.VertMargin);
    form->SetLeft((Screen().Width() - form->Width()) / 2);
    form->SetTop((Screen().Height() - form->Height()) / 2);
    form->SetCaption(ProductDisplayName);
    if (icon)
        AddIcon(*form, icon);
    // The label ends where the text width ends: beside the icon when there is one.
    label.SetLeft(m.HorzMargin + textWidth - label.Width());
    label.SetTop(m.VertMargin);
    AddButtons(*form, Buttons, buttonsWidth);
    return form;
}

TModalResult QelHtmlMessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                               TAnchorEvent OnAnchorClick, int Width, int HelpCtx) {
    return QelHtmlMessageDlgPosHelp(Msg, DlgType, Buttons, std::move(OnAnchorClick), Width, "", -1,
                                    -1, HelpCtx);
}

TModalResult QelHtmlMessageDlgPosHelp(const std::string& Msg, TMsgDlgType DlgType,
                                      TMsgDlgButtons Buttons, TAnchorEvent OnAnchorClick, int Width,
                                      const std::string& HelpFileName, int X, int Y, int HelpCtx) {
    auto free = [](THtmlMessageForm* f) { f->Free(); };
    std::unique_ptr<THtmlMessageForm, decltype(free)> form(
        QelCreateMessageDialog(Msg, DlgType, Buttons, std::move(OnAnchorClick), Width), free);
    form->SetHelpContext(HelpCtx);
    form->SetHelpFile(HelpFileName);
    if (X >= 0 || Y >= 0)
        form->SetPosition(poDesigned);
    if (X >= 0)
        form->SetLeft(X);
    if (Y >= 0)
        form->SetTop(Y);
    return form->ShowModal();
}

std::string FormatProductName(const std::string& Format) {
    return ::Format(Format,
                    {ProductDisplayName, "Lorvane for Outlook", ProductDisplayName, "NoValue"});
}
