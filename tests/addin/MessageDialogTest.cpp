// The HTML message dialog's layout on the fixed text grid: where the icon,
// the label and each button stand for the usual button sets with and
// without an icon, which buttons Enter and Escape stand for, the form
// growing when its label grows as it paints, and the dialog shown and freed.
#include "addin/MessageDialog.h"

#include "platform/controls/FormDump.h"
#include "platform/controls/FormPicture.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/UserInput.h"
#include "platform/forms/Screen.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/PngCodec.h"
#include "platform/sim/ModalScript.h"
#include "tests/support/Golden.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct Layout {
    const char* Name;
    TMsgDlgType Type;
    TMsgDlgButtons Buttons;
};

const Layout Layouts[] = {
    {"OK, no icon", mtCustom, {mbOK}},
    {"OK, information", mtInformation, {mbOK}},
    {"Yes/No, no icon", mtCustom, {mbYes, mbNo}},
    {"Yes/No, confirmation", mtConfirmation, {mbYes, mbNo}},
    {"OK/Cancel, no icon", mtCustom, mbOKCancel},
    {"OK/Cancel, warning", mtWarning, mbOKCancel},
};

const char* const Text = "Select the folder in the tree, then <b>OK</b>.";

TEST(MessageDialog, ControlsStandWhereTheLayoutPutsThemForEachButtonSet) {
    std::string dumps;
    for (const Layout& layout : Layouts) {
        THtmlMessageForm* form = QelCreateMessageDialog(Text, layout.Type, layout.Buttons, {}, 0);
        form->PaintIfNeeded();
        dumps += std::string("== ") + layout.Name + "\n" + controls::DumpForm(*form);
        const TMessageMetrics& m = form->Metrics();
        auto& label = form->MessageLabel();
        EXPECT_EQ(label.Left(),
                  layout.Type == mtCustom ? m.HorzMargin : m.HorzMargin + 32 + m.HorzSpacing)
            << layout.Name;
        EXPECT_EQ(label.Top(), m.VertMargin);
        form->Free();
    }
    testsupport::ExpectGolden("message-dialog-layouts.txt", dumps);
}

TEST(MessageDialog, TheMeasuresComeFromTheAverageLetter) {
    TMessageMetrics m = TMessageMetrics::FromCharSize(6, 13);
    EXPECT_EQ(m.HorzMargin, 12);
    EXPECT_EQ(m.VertMargin, 13);
    EXPECT_EQ(m.HorzSpacing, 15);
    EXPECT_EQ(m.VertSpacing, 16); // 16.25
    EXPECT_EQ(m.ButtonWidth, 75);
    EXPECT_EQ(m.ButtonHeight, 25); // 24.375 + 1
    EXPECT_EQ(m.ButtonSpacing, 6);
}

TEST(MessageDialog, EnterAndEscapeStandForTheUsualButtons) {
    struct Case {
        TMsgDlgButtons Buttons;
        const char* Default;
        const char* Cancel;
    };
    const Case cases[] = {{{mbOK}, "OK", "OK"},
                          {{mbYes, mbNo}, "Yes", "No"},
                          {mbOKCancel, "OK", "Cancel"},
                          {mbAbortRetryIgnore, "Retry", "Abort"}};
    for (const Case& c : cases) {
        THtmlMessageForm* form = QelCreateMessageDialog(Text, mtCustom, c.Buttons, {}, 0);
        for (TComponent* part : {form->FindComponent("OK"), form->FindComponent("Yes"),
                                 form->FindComponent("No"), form->FindComponent("Cancel"),
                                 form->FindComponent("Retry"), form->FindComponent("Abort")}) {
            auto* button = dynamic_cast<TButton*>(part);
            if (!button)
                continue;
            EXPECT_EQ(button->Default(), button->Name() == c.Default) << button->Name();
            EXPECT_EQ(button->Cancel(), button->Name() == c.Cancel) << button->Name();
        }
        form->Free();
    }
}

TEST(MessageDialog, ALabelThatGrowsAsItPaintsGrowsTheForm) {
    sim::ModalScript user;
    user.OnForm([](TForm& shown) {
        auto& form = dynamic_cast<THtmlMessageForm&>(shown);
        const TMessageMetrics& m = form.Metrics();
        // Painted once as it showed: the form fits the label and the buttons.
        auto fitted = [&] {
            return static_cast<int>(1.7 * m.VertMargin + 0.5) + form.MessageLabel().Height() +
                   m.ButtonHeight + m.VertSpacing;
        };
        EXPECT_EQ(form.ClientHeight(), fitted());
        const int before = form.ClientHeight();
        std::string longText;
        for (int i = 0; i < 12; ++i)
            longText += "A long line of the message that wraps. ";
        form.MessageLabel().SetCaption(longText);
        form.InvalidateForm();
        form.PaintIfNeeded();
        EXPECT_GT(form.MessageLabel().Height(), 32);
        EXPECT_EQ(form.ClientHeight(), fitted());
        EXPECT_GT(form.ClientHeight(), before);
        return mrOk;
    });
    forms::ScopedModalDriver driver(user);
    EXPECT_EQ(QelHtmlMessageDlg("Short.", mtInformation, {mbOK}, {}, 200, 0), mrOk);
    EXPECT_EQ(user.PendingSteps(), 0u);
}

TEST(MessageDialog, ItsPictureIsLeftInTheBuildFolder) {
    sim::ModalScript user;
    user.OnForm([](TForm& form) {
        std::unique_ptr<TBitmap> picture = controls::RenderForm(form);
        picture->SetPixelFormat(pf24bit);
        std::filesystem::path file = std::filesystem::current_path() / "message-dialog.png";
        gfx::SavePngFile(*picture, file.string());
        EXPECT_GT(std::filesystem::file_size(file), 500u);
        return mrOk;
    });
    forms::ScopedModalDriver driver(user);
    QelHtmlMessageDlg("The default filing folder is <b>Archive\\Projects</b>.<br>Sent copies go "
                      "there when Send + File to Default Folder is used.",
                      mtInformation, mbOKCancel, {}, 0, 0);
}

TEST(MessageDialog, TheDialogIsShownAnsweredAndFreed) {
    sim::ModalScript user;
    user.OnForm([](TForm& form) {
        EXPECT_EQ(form.Caption(), "Lorvane");
        controls::Click(controls::Find<TButton>(form, "No"));
        return mrNone;
    });
    forms::ScopedModalDriver driver(user);
    const int forms = Screen().FormCount();
    EXPECT_EQ(QelHtmlMessageDlg(Text, mtConfirmation, {mbYes, mbNo}, {}, 0, 0), mrNo);
    EXPECT_EQ(Screen().FormCount(), forms);
}

TEST(MessageDialog, TheProductsNamesGoIntoTexts) {
    EXPECT_EQ(FormatProductName("About %0:s"), "About Lorvane");
    EXPECT_EQ(FormatProductName("%1:s (%2:s, %3:s)"), "Lorvane for Outlook (Lorvane, NoValue)");
}

} // namespace
