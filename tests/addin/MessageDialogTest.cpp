// The tagged message box and the about box: the message box's layout on the
// fixed grid, its default and cancel buttons, its growth to a long text, its
// links, and the about box's texts and link, each pictured into the build
// tree for a person to look at.
#include "tests/addin/ProductTestSupport.h"
#include "tests/support/Golden.h"

#include "addin/LorvaneOL_IMPL.h"
#include "addin/dialogs/DlgAbout.h"
#include "addin/dialogs/QelHtmlMessageDialog.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/FormDump.h"
#include "platform/controls/FormPicture.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/UserInput.h"
#include "platform/win/Hook.h"
#include "platform/win/Shell.h"

#include <filesystem>
#include <map>
#include <memory>
#include <optional>

namespace {

using MessageDialog = ProductTest;

struct FreeForm {
    void operator()(TForm* form) const { form->Free(); }
};
using MessageForm = std::unique_ptr<THtmlMessageForm, FreeForm>;

// Writes the form's picture beside the test programs.
void Picture(TForm& form, const std::string& name) {
    std::filesystem::path path =
        std::filesystem::path(LORVANE_BIN_DIR).parent_path() / ("addin-" + name + ".png");
    controls::SaveFormPicture(form, path.string());
    EXPECT_GT(std::filesystem::file_size(path), 500u) << name;
}

// The buttons of a message box by name, with their rectangles.
std::map<std::string, RECT> ButtonRects(TForm& form) {
    std::map<std::string, RECT> rects;
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* button = dynamic_cast<TButton*>(form.Components(i)))
            rects[button->Name()] = button->BoundsRect();
    return rects;
}

} // namespace

TEST_F(MessageDialog, TheMeasuresComeFromTheAverageLetter) {
    // The fixed grid's 8-point letter is 6 by 11 pixels.
    TMessageDialogMetrics m = TMessageDialogMetrics::For(6, 11);
    EXPECT_EQ(m.HorzMargin, 12);
    EXPECT_EQ(m.VertMargin, 11);
    EXPECT_EQ(m.HorzSpacing, 15);
    EXPECT_EQ(m.VertSpacing, 14) << "13.75 rounded";
    EXPECT_EQ(m.ButtonWidth, 75);
    EXPECT_EQ(m.ButtonHeight, 22) << "20.625 rounded, and one more";
    EXPECT_EQ(m.ButtonSpacing, 6);
    MessageForm form(QelCreateMessageDialog("x", mtCustom, {mbOK}, nullptr, 0));
    EXPECT_EQ(form->Metrics.ButtonHeight, 22) << "the form's own font is the 8-point one";
}

TEST_F(MessageDialog, TheControlsStandWhereTheLayoutPutsThem) {
    // A label 300 wide; with an icon the text width is 300 + 15 + 32 = 347
    // and the label, 32 high, ends at its right end (12 + 347). Buttons are
    // 75 x 22, 6 apart, centred, 14 below the label.
    const RECT iconLabel = Rect(59, 11, 359, 43);
    const RECT plainLabel = Rect(12, 11, 312, 22);
    struct Case {
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
        SIZE Client;
        RECT Label;
        std::map<std::string, RECT> ButtonsAt;
        const char* Default;
        const char* Cancel;
    };
    const Case cases[] = {
        {mtInformation, {mbOK}, {371, 90}, iconLabel, {{"OK", Rect(148, 57, 223, 79)}}, "OK", "OK"},
        {mtConfirmation,
         {mbYes, mbNo},
         {371, 90},
         iconLabel,
         {{"Yes", Rect(107, 57, 182, 79)}, {"No", Rect(188, 57, 263, 79)}},
         "Yes",
         "No"},
        {mtWarning,
         mbOKCancel,
         {371, 90},
         iconLabel,
         {{"OK", Rect(107, 57, 182, 79)}, {"Cancel", Rect(188, 57, 263, 79)}},
         "OK",
         "Cancel"},
        {mtCustom, {mbOK}, {324, 69}, plainLabel, {{"OK", Rect(124, 36, 199, 58)}}, "OK", "OK"},
        {mtCustom,
         {mbYes, mbNo},
         {324, 69},
         plainLabel,
         {{"Yes", Rect(84, 36, 159, 58)}, {"No", Rect(165, 36, 240, 58)}},
         "Yes",
         "No"},
        {mtCustom,
         mbOKCancel,
         {324, 69},
         plainLabel,
         {{"OK", Rect(84, 36, 159, 58)}, {"Cancel", Rect(165, 36, 240, 58)}},
         "OK",
         "Cancel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Default + std::string("/") + c.Cancel + " icon " +
                     std::to_string(c.Type != mtCustom));
        MessageForm form(QelCreateMessageDialog("Short text.", c.Type, c.Buttons, nullptr, 0));
        EXPECT_EQ(form->ClientWidth(), c.Client.cx);
        EXPECT_EQ(form->ClientHeight(), c.Client.cy);
        EXPECT_EQ(form->Caption(), "Lorvane");
        EXPECT_EQ(form->HtmlLabel->BoundsRect(), c.Label);
        EXPECT_EQ(form->Image != nullptr, c.Type != mtCustom);
        if (form->Image) {
            EXPECT_EQ(form->Image->BoundsRect(), Rect(12, 11, 44, 43));
        }
        EXPECT_EQ(ButtonRects(*form), c.ButtonsAt);
        EXPECT_TRUE(controls::Find<TButton>(*form, c.Default).Default());
        EXPECT_TRUE(controls::Find<TButton>(*form, c.Cancel).Cancel());
        // Centred on the screen (1024 x 768).
        EXPECT_EQ(form->Left(), (1024 - form->Width()) / 2);
    }
}

TEST_F(MessageDialog, AGivenWidthAndAWiderButtonRowSetTheFormsWidth) {
    // Text 100 + 15 + 32 = 147; three buttons 3 x 75 + 2 x 6 = 237 are wider.
    MessageForm form(QelCreateMessageDialog("Narrow.", mtWarning, mbYesNoCancel, nullptr, 100));
    EXPECT_EQ(form->HtmlLabel->BoundsRect(), Rect(59, 11, 159, 43));
    EXPECT_EQ(form->ClientWidth(), 237 + 24);
    EXPECT_EQ(ButtonRects(*form)["Yes"], Rect(12, 57, 87, 79));
    EXPECT_TRUE(controls::Find<TButton>(*form, "Yes").Default());
    EXPECT_TRUE(controls::Find<TButton>(*form, "Cancel").Cancel());
}

TEST_F(MessageDialog, ALongMessageGrowsTheFormAfterItsFirstPaint) {
    std::string text = "<b>Ten lines</b>";
    for (int i = 2; i <= 10; ++i)
        text += "<br>line " + std::to_string(i);
    MessageForm form(QelCreateMessageDialog(text, mtCustom, {mbOK}, nullptr, 0));
    EXPECT_EQ(form->ClientHeight(), 69) << "one line's height before painting";
    form->Show();
    form->PaintIfNeeded();
    // Ten lines of 11 and the label's 6: 116; the form is round(1.7 x 11)
    // + 116 + 22 + 14 high, its button anchored to the bottom.
    EXPECT_EQ(form->HtmlLabel->Height(), 116);
    EXPECT_EQ(form->ClientHeight(), 19 + 116 + 22 + 14);
    EXPECT_FALSE(form->NeedsPaint()) << "the layout settles";
    EXPECT_EQ(ButtonRects(*form)["OK"], Rect(124, 171 - 33, 199, 171 - 11));
    Picture(*form, "message-long");
}

TEST_F(MessageDialog, AShortTextBesideTheIconKeepsTheButtonsBelowTheIcon) {
    MessageForm form(QelCreateMessageDialog("Short.", mtError, {mbOK}, nullptr, 0));
    form->Show();
    form->PaintIfNeeded();
    EXPECT_EQ(form->ClientHeight(), 19 + 32 + 22 + 14);
    EXPECT_GE(ButtonRects(*form)["OK"].top, form->Image->BoundsRect().bottom);
    Picture(*form, "message-error");
}

TEST_F(MessageDialog, TheUserAnswersWithTheButtonsEnterAndEscape) {
    struct Case {
        const char* Name;
        std::function<void(TForm&)> Play;
        TModalResult Result;
    };
    const Case cases[] = {
        {"No clicked", [](TForm& f) { controls::Click(controls::Find<TButton>(f, "No")); }, mrNo},
        {"Enter", [](TForm& f) { controls::PressKey(f, VK_RETURN); }, mrYes},
        {"Escape", [](TForm& f) { controls::PressKey(f, VK_ESCAPE); }, mrNo},
    };
    for (const Case& c : cases) {
        user.OnForm([&c](TForm& f) {
            c.Play(f);
            return mrNone;
        });
        EXPECT_EQ(QelHtmlMessageDlg("Go on?", mtConfirmation, {mbYes, mbNo}, nullptr, 0, 0),
                  c.Result)
            << c.Name;
    }
    ASSERT_EQ(user.Shown().size(), 3u);
    EXPECT_EQ(user.Shown()[0].Caption, "Lorvane");
    EXPECT_EQ(user.Shown()[0].Text, "THtmlMessageForm");
}

TEST_F(MessageDialog, APlacedBoxStandsWhereAskedWithItsHelp) {
    std::optional<POINT> at;
    int help = 0;
    std::string helpFile;
    user.OnForm([&](TForm& f) {
        at = POINT{f.Left(), f.Top()};
        help = f.HelpContext();
        helpFile = f.HelpFile();
        return mrOk;
    });
    QelHtmlMessageDlgPosHelp("Here.", mtInformation, {mbOK}, nullptr, 0, "lorvane.hlp", 10, 20, 7);
    ASSERT_TRUE(at.has_value());
    EXPECT_EQ(at->x, 10);
    EXPECT_EQ(at->y, 20);
    EXPECT_EQ(help, 7);
    EXPECT_EQ(helpFile, "lorvane.hlp");
}

TEST_F(MessageDialog, HelpShowsTheBoxsHelpTopicAndLeavesItOpen) {
    platform::HelpRecorder viewer;
    user.OnForm([&](TForm& f) {
        controls::Click(controls::Find<TButton>(f, "Help"));
        EXPECT_TRUE(f.Modal()) << "the box stays open";
        EXPECT_EQ(f.ModalResult(), mrNone);
        controls::Click(controls::Find<TButton>(f, "Help"));
        controls::Click(controls::Find<TButton>(f, "OK"));
        return mrNone;
    });
    EXPECT_EQ(QelHtmlMessageDlgPosHelp("Read on.", mtInformation, {mbOK, mbHelp}, nullptr, 0,
                                       "LORVANE.HLP", -1, -1, 12),
              mrOk);
    EXPECT_EQ(viewer.Topics(),
              (std::vector<platform::HelpTopic>{{"LORVANE.HLP", 12}, {"LORVANE.HLP", 12}}));
}

TEST_F(MessageDialog, ABoxWithoutOkYesOrRetryHasNoDefaultButtonAndOneWithoutCancelNoOrOkNoCancel) {
    MessageForm form(
        QelCreateMessageDialog("Stop?", mtWarning, {mbAbort, mbIgnore, mbHelp}, nullptr, 0));
    for (const char* name : {"Abort", "Ignore", "Help"}) {
        EXPECT_FALSE(controls::Find<TButton>(*form, name).Default()) << name;
        EXPECT_FALSE(controls::Find<TButton>(*form, name).Cancel()) << name;
    }
    form.reset(QelCreateMessageDialog("Stop?", mtWarning, {mbNo, mbAbort}, nullptr, 0));
    EXPECT_FALSE(controls::Find<TButton>(*form, "No").Default());
    EXPECT_TRUE(controls::Find<TButton>(*form, "No").Cancel());
    EXPECT_FALSE(controls::Find<TButton>(*form, "Abort").Default());
    // Escape answers nothing; the box left open is closed as cancelled.
    user.OnForm([](TForm& f) {
        controls::PressKey(f, VK_ESCAPE);
        EXPECT_TRUE(f.Modal());
        return mrNone;
    });
    EXPECT_EQ(QelHtmlMessageDlg("Stop?", mtWarning, mbAbortIgnore, nullptr, 0, 0), mrCancel);
}

TEST_F(MessageDialog, WebLinksOpenThemselvesAndOtherLinksReachTheHandler) {
    platform::LinkRecorder links;
    std::vector<std::string> clicked;
    user.OnForm([](TForm& f) {
        auto& label = controls::Find<THTMLabel>(f, "HtmlLabel");
        // "See " is 4 letters of 6 pixels; each link is 4 letters long.
        controls::Click(label, POINT{4 * 6 + 3, 5});
        controls::Click(label, POINT{13 * 6 + 3, 5});
        return mrOk;
    });
    QelHtmlMessageDlg(
        "See <a href=\"more\">more</a> or <a href=\"https://x.example/\">site</a>", mtCustom,
        {mbOK}, [&](TObject*, const std::string& a) { clicked.push_back(a); }, 0, 0);
    EXPECT_EQ(clicked, std::vector<std::string>{"more"});
    EXPECT_EQ(links.Links(), std::vector<std::string>{"https://x.example/"});
}

TEST_F(MessageDialog, FormatProductNameGivesTheProductsNames) {
    EXPECT_EQ(FormatProductName("About %0:s"), "About Lorvane");
    EXPECT_EQ(FormatProductName("%1:s, %2:s, %3:s"), "Lorvane for Outlook, Lorvane, NoValue");
}

TEST_F(MessageDialog, TheAboutBoxShowsTheProductAndOpensItsHomePage) {
    platform::LinkRecorder links;
    TAddInModule* module = LorvaneFormClasses().Create<TAddInModule>(nullptr);
    std::string dump;
    user.OnForm([&](TForm& f) {
        dump = controls::DumpForm(f);
        Picture(f, "about");
        // "Visit our website at " is 21 letters; the address follows.
        controls::Click(controls::Find<THTMLabel>(f, "LabelUrl"), POINT{21 * 6 + 4, 5});
        controls::PressKey(f, VK_ESCAPE);
        return mrNone;
    });
    module->ShowAbout();
    TFormAbout* about = module->FormAbout;
    ASSERT_TRUE(about != nullptr);
    EXPECT_EQ(about->Caption(), "About Lorvane");
    EXPECT_EQ(about->LabelVersion->Caption(), "Version 1.21 Bld 147");
    EXPECT_EQ(about->LabelUrl->GetDisplText(),
              "Visit our website at <A href=\"home\">https://www.lorvane.example/</A>");
    EXPECT_EQ(links.Links(), std::vector<std::string>{"https://www.lorvane.example/"});
    ASSERT_EQ(user.Shown().size(), 1u);
    EXPECT_EQ(user.Shown()[0].Result, mrOk) << "the OK button is the cancel button";
    testsupport::ExpectGolden("about-form.txt", dump);
    // Kept: a second About shows the same box.
    module->ShowAbout();
    EXPECT_EQ(module->FormAbout, about);
    module->Free();
}
