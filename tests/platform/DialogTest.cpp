// Message boxes and modal forms, with and without a scripted user; Retry
// loops end at the cap.
#include "platform/controls/ControlClasses.h"
#include "platform/controls/Form.h"
#include "platform/forms/Application.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/forms/Screen.h"
#include "platform/sim/ModalScript.h"

#include <gtest/gtest.h>

using forms::ScopedModalDriver;
using forms::ShownDialog;
using sim::ModalScript;

namespace {

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        savedTitle = Application().Title();
        Application().SetTitle("LorvaneOL");
    }
    void TearDown() override { Application().SetTitle(savedTitle); }
    std::string savedTitle;
};

} // namespace

TEST_F(Dialogs, WithoutDriverABoxAnswersItsDefaultButton) {
    ASSERT_EQ(forms::InstalledModalDriver(), nullptr);
    EXPECT_EQ(MessageDlg("x", mtError, {mbOK}, 0), mrOk);
    EXPECT_EQ(MessageDlg("x", mtConfirmation, {mbYes, mbNo}, 0), mrYes);
    EXPECT_EQ(MessageDlg("x", mtConfirmation, mbYesNoCancel, 0), mrYes);
    EXPECT_EQ(MessageDlg("x", mtWarning, mbOKCancel, 0), mrOk);
    // A box without a default button is closed, which cancels it.
    EXPECT_EQ(MessageDlg("x", mtWarning, mbAbortIgnore, 0), mrCancel);
    EXPECT_EQ(MessageDlg("x", mtWarning, mbOKCancel, 0, mbCancel), mrCancel);
    // A default that the box does not have falls back to the usual rule.
    EXPECT_EQ(MessageDlg("x", mtWarning, mbOKCancel, 0, mbNo), mrOk);
    EXPECT_EQ(MessageDlg("x", mtWarning, {}, 0), mrCancel);
    EXPECT_EQ(Application().MessageBox("x", "c", MB_OKCANCEL), IDOK);
    EXPECT_EQ(Application().MessageBox("x", "c", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(Application().MessageBox("x", "c", MB_YESNO | MB_DEFBUTTON3), IDYES);
    ShowMessage("nothing blocks");
}

TEST_F(Dialogs, DefaultAndCancelButtonsFollowTheClassLibrary) {
    EXPECT_EQ(DefaultMessageButton({mbOK}), mbOK);
    EXPECT_EQ(CancelMessageButton({mbOK}), mbOK);
    EXPECT_EQ(DefaultMessageButton({mbYes, mbNo}), mbYes);
    EXPECT_EQ(CancelMessageButton({mbYes, mbNo}), mbNo);
    EXPECT_EQ(DefaultMessageButton({mbCancel, mbRetry, mbIgnore}), mbRetry);
    EXPECT_EQ(CancelMessageButton({mbCancel, mbRetry, mbIgnore}), mbCancel);
    // Without OK, Yes and Retry there is no default button; without Cancel,
    // No and OK no cancel button.
    EXPECT_EQ(DefaultMessageButton(mbAbortIgnore), std::nullopt);
    EXPECT_EQ(CancelMessageButton(mbAbortIgnore), std::nullopt);
    EXPECT_EQ(DefaultMessageButton({mbNo, mbAbort}), std::nullopt);
    EXPECT_EQ(CancelMessageButton({mbNo, mbAbort}), mbNo);
    EXPECT_EQ(DefaultMessageButton({mbRetry, mbIgnore}), mbRetry);
    EXPECT_EQ(CancelMessageButton({mbRetry, mbIgnore}), std::nullopt);
    EXPECT_EQ(DefaultMessageButton({mbHelp}), std::nullopt);
    EXPECT_EQ(CancelMessageButton({}), std::nullopt);
}

TEST_F(Dialogs, AnUnansweredBoxWithoutDefaultButtonIsClosedAsCancelled) {
    ModalScript user;
    user.Click(mbHelp);
    ScopedModalDriver installed(user);
    // Help closes nothing; with no default button to stand for, the box is closed.
    EXPECT_EQ(MessageDlg("x", mtWarning, {mbAbort, mbIgnore, mbHelp}, 0), mrCancel);
    // No step left.
    EXPECT_EQ(MessageDlg("y", mtWarning, {mbNo, mbAbort}, 0), mrCancel);
    EXPECT_EQ(MessageDlg("z", mtWarning, {mbAll, mbYesToAll}, 0), mrCancel);
    ASSERT_EQ(user.Shown().size(), 3u);
    EXPECT_EQ(user.Shown()[1].DefaultButton, std::nullopt);
    EXPECT_EQ(ModalScript::Describe(user.Shown()[2]),
              "[Warning] Warning: \"z\" {All, Yes to All} -> Cancel");
}

TEST_F(Dialogs, RetryLoopsOfABoxWithoutCancelButtonEndClosed) {
    ModalScript user;
    user.AlwaysClick(mbRetry);
    ScopedModalDriver installed(user);
    int retries = 0;
    while (MessageDlg("x", mtError, {mbRetry, mbIgnore}, 0) == mrRetry && retries < 1000)
        ++retries;
    EXPECT_EQ(retries, forms::kMaxRetryAnswers);
    EXPECT_EQ(user.Shown().back().Result, mrCancel);
}

TEST_F(Dialogs, ModalResultsKeepTheStandardValues) {
    EXPECT_EQ(mrNone, 0);
    EXPECT_EQ(mrOk, 1);
    EXPECT_EQ(mrCancel, 2);
    EXPECT_EQ(mrAbort, 3);
    EXPECT_EQ(mrRetry, 4);
    EXPECT_EQ(mrIgnore, 5);
    EXPECT_EQ(mrYes, 6);
    EXPECT_EQ(mrNo, 7);
    EXPECT_EQ(ModalResultOf(mbRetry), mrRetry);
    EXPECT_EQ(ModalResultOf(mbHelp), mrNone);
    EXPECT_EQ(TMsgDlgButtons({mbYes}).Mask(), 1u);
    EXPECT_EQ(TMsgDlgButtons({mbHelp}).Mask(), 1u << 10);
}

TEST_F(Dialogs, ScriptAnswersAndRecordsWhatWasShown) {
    ModalScript user;
    user.Click(mbNo).Click(mbCancel);
    ScopedModalDriver installed(user);
    EXPECT_EQ(MessageDlg("Delete?", mtConfirmation, {mbYes, mbNo}, 7), mrNo);
    EXPECT_EQ(Application().MessageBox("Close Outlook", "", MB_OKCANCEL | MB_ICONEXCLAMATION),
              IDCANCEL);
    ShowMessage("Done");
    ASSERT_EQ(user.Shown().size(), 3u);
    const ShownDialog& first = user.Shown()[0];
    EXPECT_EQ(first.Caption, "Confirm");
    EXPECT_EQ(first.Text, "Delete?");
    EXPECT_EQ(first.Type, mtConfirmation);
    EXPECT_EQ(first.Buttons, (TMsgDlgButtons{mbYes, mbNo}));
    EXPECT_EQ(first.DefaultButton, mbYes);
    EXPECT_EQ(first.HelpContext, 7);
    EXPECT_EQ(first.Result, mrNo);
    EXPECT_EQ(user.Shown()[1].Caption, "LorvaneOL");
    EXPECT_EQ(user.Shown()[1].Type, mtWarning);
    // No step left: the default button.
    EXPECT_EQ(user.Shown()[2].Result, mrOk);
    EXPECT_EQ(user.Shown()[2].Caption, "LorvaneOL");
    EXPECT_EQ(user.PendingSteps(), 0u);
    EXPECT_EQ(ModalScript::Describe(first), "[Confirmation] Confirm: \"Delete?\" {Yes, No} -> No");
}

TEST_F(Dialogs, CaptionsFollowTheType) {
    ModalScript user;
    ScopedModalDriver installed(user);
    for (TMsgDlgType t : {mtWarning, mtError, mtInformation, mtConfirmation, mtCustom})
        MessageDlg("x", t, {mbOK}, 0);
    std::vector<std::string> captions;
    for (const auto& d : user.Shown())
        captions.push_back(d.Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Warning", "Error", "Information", "Confirm",
                                                  "LorvaneOL"}));
}

TEST_F(Dialogs, AClickOnAButtonTheBoxLacksGivesTheDefault) {
    ModalScript user;
    user.Click(mbIgnore).Click(mbHelp);
    ScopedModalDriver installed(user);
    EXPECT_EQ(MessageDlg("x", mtError, mbOKCancel, 0), mrOk);
    EXPECT_EQ(MessageDlg("x", mtError, {mbYes, mbNo, mbHelp}, 0), mrYes);
}

TEST_F(Dialogs, RetryLoopsEndWithCancelAtTheCap) {
    ModalScript user;
    user.AlwaysClick(mbRetry);
    ScopedModalDriver installed(user);
    int retries = 0;
    while (MessageDlg("Please close all running host application instances:\r\nOutlook",
                      mtInformation, {mbCancel, mbRetry, mbIgnore}, 0) == mrRetry)
        ++retries;
    EXPECT_EQ(retries, forms::kMaxRetryAnswers);
    EXPECT_EQ(user.Shown().back().Result, mrCancel);
    // The count starts again: a later loop gets its own Retry answers.
    EXPECT_EQ(MessageDlg("Again", mtInformation, {mbCancel, mbRetry}, 0), mrRetry);
}

TEST_F(Dialogs, RetryDefaultWithoutDriverEndsToo) {
    int retries = 0;
    while (MessageDlg("x", mtError, {mbRetry, mbCancel}, 0) == mrRetry && retries < 1000)
        ++retries;
    EXPECT_EQ(retries, forms::kMaxRetryAnswers);
}

TEST_F(Dialogs, RetriesOfDifferentBoxesAreCountedApart) {
    ModalScript user;
    user.AlwaysClick(mbRetry);
    ScopedModalDriver installed(user);
    for (int i = 0; i < 3 * forms::kMaxRetryAnswers; ++i)
        EXPECT_EQ(MessageDlg(i % 2 ? "a" : "b", mtError, {mbRetry, mbCancel}, 0), mrRetry) << i;
}

TEST_F(Dialogs, FormWithoutDriverClosesCancelled) {
    TForm form(nullptr);
    int shows = 0, closes = 0;
    form.OnShow = [&](TObject*) { ++shows; };
    form.OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(form.ModalResult(), mrCancel);
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(form.Visible());
}

TEST_F(Dialogs, ScriptPlaysTheFormAndItsResultIsReturned) {
    TForm form(nullptr);
    form.SetCaption("Add Folder");
    ModalScript user;
    user.OnForm([](TForm& f) {
            EXPECT_TRUE(f.Visible());
            f.SetCaption("typed");
            return mrOk;
        })
        .OnForm([](TForm& f) {
            f.SetModalResult(mrYes); // a button with a modal result was clicked
            return mrNone;
        })
        .OnForm([](TForm& f) {
            f.Close();
            return mrNone;
        })
        .OnForm([](TForm&) { return mrNone; });
    ScopedModalDriver installed(user);
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(form.Caption(), "typed");
    EXPECT_EQ(form.ShowModal(), mrYes);
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(form.ShowModal(), mrCancel); // left without a result
    ASSERT_EQ(user.Shown().size(), 4u);
    EXPECT_EQ(user.Shown()[0].What, ShownDialog::Kind::Form);
    EXPECT_EQ(user.Shown()[0].Text, "TForm");
    EXPECT_EQ(ModalScript::Describe(user.Shown()[1]), "[Form TForm] typed -> Yes");
}

TEST_F(Dialogs, FormThatRefusesToCloseEndsAtTheCap) {
    TForm form(nullptr);
    int closes = 0;
    form.OnClose = [&](TObject*, TCloseAction& action) {
        ++closes;
        action = caNone;
    };
    ModalScript user;
    ScopedModalDriver installed(user);
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(closes, forms::kMaxModalRounds);
}

TEST_F(Dialogs, StepOfTheWrongKindIsKeptAndReported) {
    ModalScript user;
    user.OnForm([](TForm&) { return mrOk; });
    ScopedModalDriver installed(user);
    EXPECT_EQ(MessageDlg("x", mtError, mbOKCancel, 0, mbCancel), mrCancel);
    ASSERT_EQ(user.Faults().size(), 1u);
    EXPECT_EQ(user.PendingSteps(), 1u);
    TForm form(nullptr);
    EXPECT_EQ(form.ShowModal(), mrOk);
}

TEST_F(Dialogs, UnhandledExceptionIsShownWithThePeriodAddedAndAbortIsSilent) {
    ModalScript user;
    ScopedModalDriver installed(user);
    Application().ShowException(Exception("Disk full"));
    Application().ShowException(Exception("Done."));
    Application().ShowException(EAbort("Operation aborted"));
    ASSERT_EQ(user.Shown().size(), 2u);
    EXPECT_EQ(user.Shown()[0].Text, "Disk full.");
    EXPECT_EQ(user.Shown()[0].Caption, "LorvaneOL");
    EXPECT_EQ(user.Shown()[0].Type, mtError);
    EXPECT_EQ(user.Shown()[1].Text, "Done.");
}

namespace {

class TAboutBox : public TForm {
public:
    using TForm::TForm;
    void FormCreate(TObject*) { Created = true; }
    bool Created = false;
};

} // namespace

TEST_F(Dialogs, FormsAreBuiltFromTheirStoredFormAndListedOnTheScreen) {
    forms::FormClassTable table;
    controls::RegisterControlClasses(table);
    table.Register<TAboutBox, TForm>()
        .StoredForm(
            "object FormAbout: TAboutBox\n  Caption = 'About %0:s'\n  OnCreate = FormCreate\nend")
        .Method("FormCreate", &TAboutBox::FormCreate);
    auto* about = table.Create<TAboutBox>(nullptr);
    EXPECT_EQ(about->Caption(), "About %0:s");
    EXPECT_TRUE(about->Created);
    ASSERT_EQ(Screen().FormCount(), 1);
    EXPECT_EQ(Screen().Forms(0), about);
    about->Free();
    EXPECT_EQ(Screen().FormCount(), 0);
}
