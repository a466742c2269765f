// The HTML message dialog: its measures, its layout, its showing, and the
// product's names for formatted texts.
#include "addin/MessageDialog.h"

#include "addin/DlgAddFolder.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/forms/Screen.h"
#include "platform/gfx/GdiTypes.h"
#include "platform/gfx/Icon.h"
#include "platform/gfx/StockIcons.h"
#include "platform/rtl/Format.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

const char* const Letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The system icon of a message type; nullptr for mtCustom.
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

// The buttons of the set, in the order they stand in the row.
std::vector<TMsgDlgBtn> ButtonsInOrder(TMsgDlgButtons buttons) {
    std::vector<TMsgDlgBtn> row;
    for (TMsgDlgBtn b : {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
                         mbYesToAll, mbHelp})
        if (buttons.Contains(b))
            row.push_back(b);
    return row;
}

// The name of a button's control ("OK", "Cancel", "YesToAll").
std::string ButtonName(TMsgDlgBtn button) {
    static const char* const names[] = {"Yes",    "No",  "OK",      "Cancel",   "Abort", "Retry",
                                        "Ignore", "All", "NoToAll", "YesToAll", "Help"};
    return names[button];
}

} // namespace

TMessageMetrics TMessageMetrics::FromCharSize(int cx, int cy) {
    TMessageMetrics m;
    m.CharWidth = cx;
    m.CharHeight = cy;
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
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poScreenCenter);
    SetShowHint(true);
    Font()->SetName("Tahoma");
    Font()->SetHeight(-11);
    label_ = new TLabel(this);
    label_->SetName("HtmlLabel");
    label_->SetParent(this);
    label_->SetAutoSize(false);
    label_->SetWordWrap(true);
    label_->SetShowAccelChar(false);
    label_->SetWidth(DefaultLabelWidth);
    OnPaint = [this](TObject* Sender) { FormPaint(Sender); };
}

int THtmlMessageForm::MeasureLabel() const {
    TCanvas& canvas = *label_->Canvas();
    canvas.Font()->Assign(label_->Font());
    RECT r = Rect(0, 0, label_->Width(), 0);
    canvas.DrawText(label_->Caption().empty() ? " " : label_->Caption(), r,
                    DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    return r.bottom - r.top;
}

void THtmlMessageForm::SetMessageHtml(const std::string& html) {
    label_->SetCaption(PlainTextOfHtml(html));
    label_->SetHeight(MeasureLabel());
}

void THtmlMessageForm::FormPaint(TObject*) {
    // The label settles its height as it paints (a long text grows it);
    // the form then fits the label and the buttons below it.
    int height = MeasureLabel();
    if (FindComponent("Image") && height < 32)
        height = 32;
    if (label_->Height() != height)
        label_->SetHeight(height);
    int client = static_cast<int>(std::lround(1.7 * metrics_.VertMargin)) + label_->Height() +
                 metrics_.ButtonHeight + metrics_.VertSpacing;
    if (ClientHeight() != client)
        SetClientHeight(client);
}

void THtmlMessageForm::Build(const std::string& html, TMsgDlgType type, TMsgDlgButtons buttons,
                             int width) {
    TCanvas& canvas = *Canvas();
    canvas.Font()->Assign(Font());
    SIZE letters = canvas.TextExtent(Letters);
    metrics_ = TMessageMetrics::FromCharSize(letters.cx / 52, letters.cy);
    const TMessageMetrics& m = metrics_;
    if (width != 0)
        label_->SetWidth(width);
    SetMessageHtml(html);
    const char* icon = IconOf(type);
    int textWidth = label_->Width();
    if (icon) {
        textWidth += m.HorzSpacing + 32;
        label_->SetHeight(std::max(label_->Height(), 32));
    }
    const std::vector<TMsgDlgBtn> row = ButtonsInOrder(buttons);
    const int n = static_cast<int>(row.size());
    const int buttonsWidth = n * m.ButtonWidth + std::max(0, n - 1) * m.ButtonSpacing;
    SetClientWidth(std::max(textWidth, buttonsWidth) + 2 * m.HorzMargin);
    SetClientHeight(label_->Height() + m.ButtonHeight + m.VertSpacing + 2 * m.VertMargin);
    SetLeft((Screen().Width() - Width()) / 2);
    SetTop((Screen().Height() - Height()) / 2);
    SetCaption("Lorvane");
    if (icon) {
        auto* image = new TImage(this);
        image->SetName("Image");
        image->SetParent(this);
        image->SetBounds(m.HorzMargin, m.VertMargin, 32, 32);
        auto picture = std::make_unique<TIcon>();
        picture->SetHandle(LoadIcon(0, icon));
        image->Picture()->SetGraphic(std::move(picture));
        label_->SetBounds(m.HorzMargin + 32 + m.HorzSpacing, m.VertMargin, label_->Width(),
                          label_->Height());
    } else {
        label_->SetBounds(m.HorzMargin, m.VertMargin, label_->Width(), label_->Height());
    }
    const TMsgDlgBtn defaultButton = DefaultMessageButton(buttons);
    const TMsgDlgBtn cancelButton = CancelMessageButton(buttons);
    int x = (ClientWidth() - buttonsWidth) / 2;
    const int top = label_->Height() + m.VertMargin + m.VertSpacing;
    for (TMsgDlgBtn b : row) {
        auto* button = new TButton(this);
        button->SetName(ButtonName(b));
        button->SetParent(this);
        button->SetCaption(ButtonCaption(b));
        button->SetModalResult(ModalResultOf(b));
        button->SetDefault(b == defaultButton);
        button->SetCancel(b == cancelButton);
        button->SetBounds(x, top, m.ButtonWidth, m.ButtonHeight);
        button->SetAnchors(TAnchors{akLeft, akBottom});
        x += m.ButtonWidth + m.ButtonSpacing;
    }
}

THtmlMessageForm* QelCreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType,
                                         TMsgDlgButtons Buttons, TAnchorClick OnAnchorClick,
                                         int Width) {
    auto* form = new THtmlMessageForm(nullptr);
    form->OnAnchorClick = std::move(OnAnchorClick);
    form->Build(Msg, DlgType, Buttons, Width);
    return form;
}

TModalResult QelHtmlMessageDlgPosHelp(const std::string& Msg, TMsgDlgType DlgType,
                                      TMsgDlgButtons Buttons, TAnchorClick OnAnchorClick, int Width,
                                      const std::string& HelpFileName, int X, int Y, int HelpCtx) {
    THtmlMessageForm* form =
        QelCreateMessageDialog(Msg, DlgType, Buttons, std::move(OnAnchorClick), Width);
    form->SetHelpContext(HelpCtx);
    form->SetHelpFile(HelpFileName);
    if (X >= 0)
        form->SetLeft(X);
    if (Y >= 0)
        form->SetTop(Y);
    if (X >= 0 || Y >= 0)
        form->SetPosition(poDesigned);
    TModalResult result = mrCancel;
    try {
        result = form->ShowModal();
    } catch (...) {
        form->Free();
        throw;
    }
    form->Free();
    return result;
}

TModalResult QelHtmlMessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                               TAnchorClick OnAnchorClick, int Width, int HelpCtx) {
    return QelHtmlMessageDlgPosHelp(Msg, DlgType, Buttons, std::move(OnAnchorClick), Width, "", -1,
                                    -1, HelpCtx);
}

std::string FormatProductName(const std::string& Format) {
    return ::Format(Format, {"Lorvane", "Lorvane for Outlook", "Lorvane", "NoValue"});
}
