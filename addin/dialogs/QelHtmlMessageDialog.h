// The product's message box whose text is tagged (bold runs, line breaks,
// links), drawn by the HTML label, and the product's name in its texts. The
// box is laid out from the average letter of its font, as the standard
// message box is: margins, spacing and buttons are multiples of a quarter of
// that letter's width and an eighth of its height, so the box keeps its
// proportions in any font. Every other message of the product goes to the
// platform's plain message box (MessageDlg).
#pragma once

#include "htmllabel/HTMLabel.h"
#include "platform/controls/Form.h"
#include "platform/forms/Dialogs.h"

#include <string>

class TButton;
class TImage;

// The measures of a message box for its font's average letter (cx wide, cy
// high); each is a rounded multiply-divide of that letter.
struct TMessageDialogMetrics {
    // The margins around the icon, the text and the buttons.
    int HorzMargin = 0;
    int VertMargin = 0;
    // Between the icon and the text, and between the text and the buttons.
    int HorzSpacing = 0;
    int VertSpacing = 0;
    // Every button's size, and the gap between two buttons.
    int ButtonWidth = 0;
    int ButtonHeight = 0;
    int ButtonSpacing = 0;

    // The measures for an average letter of cx by cy pixels.
    static TMessageDialogMetrics For(int cx, int cy);
};

// The message box's form: the tagged text in HtmlLabel, the type's icon in
// "Image" and the buttons, all made at run time by QelCreateMessageDialog.
// Each paint lets the label size itself to its text first, then fits the
// form's height to the label, so a long text grows the box downwards.
class THtmlMessageForm : public TForm {
public:
    // An empty box owned by AOwner (the dialog border, close box only).
    explicit THtmlMessageForm(TComponent* AOwner);

    // The text, auto-sizing vertically, top-aligned, links in blue.
    THTMLabel* HtmlLabel = nullptr;
    // The type's icon (nullptr for a box without one).
    TImage* Image = nullptr;
    // The measures the box was laid out with.
    TMessageDialogMetrics Metrics;

protected:
    void Paint() override;
};

// Builds the message box for Msg (tagged text) with the type's icon and the
// Buttons in their standard order; OnAnchorClick gets the links the label
// does not open itself. Width, when not 0, is the text's width. The caller
// owns (and frees) the form.
THtmlMessageForm* QelCreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType,
                                         TMsgDlgButtons Buttons, TAnchorEvent OnAnchorClick,
                                         int Width);
// Shows the message box centred on the screen and returns the modal result.
TModalResult QelHtmlMessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                               TAnchorEvent OnAnchorClick, int Width, int HelpCtx);
// Shows the message box with its help file and context (which its Help
// button shows, the box staying open), at X and Y when they are not
// negative (else centred), frees it and returns the modal result.
TModalResult QelHtmlMessageDlgPosHelp(const std::string& Msg, TMsgDlgType DlgType,
                                      TMsgDlgButtons Buttons, TAnchorEvent OnAnchorClick, int Width,
                                      const std::string& HelpFileName, int X, int Y, int HelpCtx);

// The product's display name, "Lorvane".
inline constexpr const char* ProductDisplayName = "Lorvane";
// Format with the product's names as arguments: 0 and 2 "Lorvane", 1
// "Lorvane for Outlook", 3 "NoValue".
std::string FormatProductName(const std::string& Format);
