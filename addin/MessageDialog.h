// The product's message dialog for HTML text (bold text, line breaks, links):
// a form built at run time around a label, with the type's icon and a row of
// buttons, laid out from the average letter of the form's font as the
// class library lays out its own message dialogs. Plain messages use the
// platform's message box; this one is for text that needs markup.
//
// The label is reached through SetMessageHtml and MessageLabel only, so that
// the label that renders the HTML can take the place of the plain one.
#pragma once

#include "platform/controls/Form.h"
#include "platform/forms/Dialogs.h"

#include <functional>
#include <string>

class TLabel;

// Called when the user clicks a link of the message that the label does not
// open itself; Anchor is the link's target.
using TAnchorClick = std::function<void(TObject* Sender, const std::string& Anchor)>;

// The measures of the layout, from the form font's average letter.
struct TMessageMetrics {
    // The average letter's width and height.
    int CharWidth = 0;
    int CharHeight = 0;
    // The margins around the icon, the label and the buttons.
    int HorzMargin = 0;
    int VertMargin = 0;
    // Between the icon and the label, and between the label and the buttons.
    int HorzSpacing = 0;
    int VertSpacing = 0;
    // Each button's size, and the gap between two buttons.
    int ButtonWidth = 0;
    int ButtonHeight = 0;
    int ButtonSpacing = 0;

    // The measures for an average letter of cx by cy pixels.
    static TMessageMetrics FromCharSize(int cx, int cy);
};

class THtmlMessageForm : public TForm {
public:
    // A dialog-bordered form with the label, nothing else yet.
    explicit THtmlMessageForm(TComponent* AOwner);

    // The width the label gets when the caller gives none.
    static constexpr int DefaultLabelWidth = 300;

    // Shows html in the label, which keeps its width and takes the height the text needs.
    void SetMessageHtml(const std::string& html);
    // The label (named "HtmlLabel").
    TLabel& MessageLabel() const { return *label_; }
    // The measures the form was laid out with.
    const TMessageMetrics& Metrics() const { return metrics_; }
    // Lays the dialog out for html, its type and buttons (QelCreateMessageDialog).
    void Build(const std::string& html, TMsgDlgType type, TMsgDlgButtons buttons, int width);
    // Links the label does not open itself.
    TAnchorClick OnAnchorClick;

private:
    // Every paint: the label takes its height, and the form follows it.
    void FormPaint(TObject* Sender);
    // The label's height for its text at its width.
    int MeasureLabel() const;

    TLabel* label_ = nullptr;
    TMessageMetrics metrics_;
};

// Builds the message dialog (not shown): its label's width is Width unless
// that is 0.
THtmlMessageForm* QelCreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType,
                                         TMsgDlgButtons Buttons, TAnchorClick OnAnchorClick,
                                         int Width);
// Shows the dialog modally at X, Y (centred when either is negative), with
// the help file and context of its Help button; frees it and returns the
// modal result.
TModalResult QelHtmlMessageDlgPosHelp(const std::string& Msg, TMsgDlgType DlgType,
                                      TMsgDlgButtons Buttons, TAnchorClick OnAnchorClick, int Width,
                                      const std::string& HelpFileName, int X, int Y, int HelpCtx);
// The same, centred, without a help file.
TModalResult QelHtmlMessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                               TAnchorClick OnAnchorClick, int Width, int HelpCtx);
// Text with the product's names put in: %0:s and %2:s "Lorvane", %1:s
// "Lorvane for Outlook", %3:s "NoValue".
std::string FormatProductName(const std::string& Format);
