// The configuration dialog played as a user plays it, in both of its forms:
// "Define Default Actions" (the boxes, Browse, Clear and Select, the two
// validations of OK, Defaults, Escape, and what OK applies) and the
// per-message dialog of "Track + Send" (its geometry, its choices reaching
// the send, and the configuration dialog coming back exactly as it was).
#include "tests/addin/SendActionsFixture.h"
#include "tests/support/Golden.h"

#include "addin/dialogs/DlgConfig.h"
#include "addin/dialogs/FolderPickerSeam.h"
#include "addin/dialogs/QelHtmlMessageDialog.h"
#include "addin/dialogs/adxFrmFolders2.h"
#include "addin/settings/ConfigFile.h"
#include "htmllabel/HTMLabel.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/FormDump.h"
#include "platform/controls/FormPicture.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/UserInput.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Hook.h"

#include <filesystem>

namespace {

const std::string NoFolder = "To use File to Folder as default action, you need to define the "
                             "Default Filing Folder.\r\nClick the Browse button to define this "
                             "folder.";
const std::string NoCategory = "To use Add Category as default action, please define the Default "
                               "Category.\r\nClick the Select button to select this category.";
const std::string ResetQuestion = "Do you want to reset the configuration to default?";

// Writes the form's picture beside the test programs.
void Picture(TForm& form, const std::string& name) {
    std::filesystem::path path =
        std::filesystem::path(LORVANE_BIN_DIR).parent_path() / ("addin-" + name + ".png");
    controls::SaveFormPicture(form, path.string());
    EXPECT_GT(std::filesystem::file_size(path), 500u) << name;
}

class ConfigDialog : public SendActionsTest {
protected:
    // Each test starts from a picker the user cancels, and leaves the real
    // picker's hooks behind for the tests after it.
    ConfigDialog() { FolderPickerSeam() = TFolderPickerSeam(); }
    ~ConfigDialog() override { FolderPickerSeam() = FolderPickerHooks(); }

    // The user works the next configuration dialog; the form's own result counts.
    void Play(std::function<void(TfrmConfig&)> play) {
        user.OnForm([play = std::move(play)](TForm& form) {
            play(dynamic_cast<TfrmConfig&>(form));
            return mrNone;
        });
    }
    // The picker chooses path (a folder of store) whenever Browse asks.
    void PickerChooses(const std::string& path, sim::SimFolder& store) {
        std::string id = text::Narrow(store.StoreId());
        FolderPickerSeam().ChooseFromTree = [path, id, this](POINT at) {
            pickerAt = at;
            return std::optional<TPickedFolder>(TPickedFolder{path, id});
        };
    }
    // The shown dialogs' results.
    std::vector<TModalResult> Results() const {
        std::vector<TModalResult> results;
        for (const forms::ShownDialog& shown : user.Shown())
            results.push_back(shown.Result);
        return results;
    }

    POINT pickerAt{-1, -1};
};

} // namespace

TEST_F(ConfigDialog, ItShowsTheSettingsAndThePerMessageDialogLeavesItAsItWas) {
    TProgramState& state = ProgramState();
    SetFolderRecord(FolderRecord::Default, *projects, "Archive\\Projects");
    state.folderdef = 1;
    state.DefaultCategory = "Red";
    state.categdef = 1;
    std::string first, item, again;
    Play([&](TfrmConfig& d) {
        first = controls::DumpForm(d);
        Picture(d, "config");
        controls::Click(*d.btCancel);
    });
    Module().Configure();
    Play([&](TfrmConfig& d) {
        item = controls::DumpForm(d);
        // The per-message geometry: no introduction, the actions group 65
        // less tall at the top, the form and the settings 159 up.
        EXPECT_EQ(d.gbActions->BoundsRect(), Rect(8, 8, 528, 8 + 170 - 65));
        EXPECT_EQ(d.gbSettings->Top(), 284 - 159);
        EXPECT_EQ(d.ClientHeight(), 420 - 159);
        EXPECT_EQ(d.btOK->Top(), 388 - 159);
        EXPECT_EQ(d.btOK->Caption(), "Send");
        EXPECT_EQ(d.Caption(), "Select actions for this item");
        Picture(d, "config-item");
        controls::Click(*d.btCancel);
    });
    EXPECT_FALSE(Module().CollectCombineActions());
    Play([&](TfrmConfig& d) {
        again = controls::DumpForm(d);
        controls::PressKey(d, VK_ESCAPE);
    });
    Module().Configure();
    testsupport::ExpectGolden("config-form.txt", first);
    testsupport::ExpectGolden("config-item-form.txt", item);
    EXPECT_EQ(again, first);
    EXPECT_EQ(Results(), (std::vector<TModalResult>{mrCancel, mrCancel, mrCancel}));
}

TEST_F(ConfigDialog, TheBoxesComeInPairsAndTheCategoryFollowsItsDefaultBox) {
    ProgramState().DefaultCategory = "Red";
    Play([](TfrmConfig& d) {
        controls::Check(*d.cbUseFolderAsk);
        controls::Check(*d.cbUseFolderDefault);
        EXPECT_FALSE(d.cbUseFolderAsk->Checked());
        controls::Check(*d.cbUseFolderAsk);
        EXPECT_FALSE(d.cbUseFolderDefault->Checked());
        EXPECT_FALSE(d.btSelectCategory->Enabled());
        controls::Check(*d.cbUseCategoryDefault);
        EXPECT_TRUE(d.btSelectCategory->Enabled());
        EXPECT_TRUE(d.edCategory->Enabled());
        controls::Check(*d.cbUseCategoryAsk);
        EXPECT_FALSE(d.cbUseCategoryDefault->Checked());
        EXPECT_FALSE(d.btSelectCategory->Enabled());
        EXPECT_EQ(d.edCategory->Text(), "") << "clearing the default box empties the category";
        controls::Click(*d.btCancel);
    });
    Module().Configure();
    EXPECT_EQ(ProgramState().DefaultCategory, "Red") << "Cancel keeps the settings";
}

TEST_F(ConfigDialog, OkWantsAFolderAndACategoryForTheirDefaultActions) {
    PickerChooses("Archive\\Projects", *archive);
    outlook->ScriptCategoriesDialog([](std::u16string& categories) {
        categories = u"Blue";
        return true;
    });
    Play([](TfrmConfig& d) {
        controls::Check(*d.cbUseFolderDefault);
        controls::Check(*d.cbUseCategoryDefault);
        controls::Click(*d.btOK);
        EXPECT_EQ(d.ModalResult(), mrNone) << "stays open";
        EXPECT_EQ(d.ActiveControl(), d.btBrowse);
        controls::Click(*d.btBrowse);
        controls::Click(*d.btOK);
        EXPECT_EQ(d.ActiveControl(), d.btSelectCategory);
        controls::Click(*d.btSelectCategory);
        controls::Click(*d.btOK);
    });
    user.Click(mbOK).Click(mbOK);
    Module().Configure();
    ASSERT_EQ(Boxes(), (Lines{NoFolder, NoCategory, "TfrmConfig"}));
    EXPECT_EQ(user.Shown()[0].Type, mtWarning);
    EXPECT_EQ(user.Shown()[2].Result, mrOk);
    // The picker appears 400 right of the dialog and 50 above it.
    TfrmConfig& dialog = *Module().frmConfig;
    EXPECT_EQ(pickerAt.x, dialog.Left() + 400);
    EXPECT_EQ(pickerAt.y, dialog.Top() - 50);
    const TProgramState& state = ProgramState();
    EXPECT_EQ(state.FolderRecords[FolderRecord::Default],
              (TFolderRecord{"Archive", "Archive", text::Narrow(archive->StoreId()),
                             "Archive\\Projects"}));
    EXPECT_EQ(state.DefaultCategory, "Blue");
    EXPECT_TRUE(state.folderdef && state.categdef);
    EXPECT_TRUE(state.anydefaultaction);
    // Written, and read back.
    ResetProgramState();
    LoadButtonsFromFile();
    EXPECT_EQ(ProgramState().FolderRecords[FolderRecord::Default].FolderName, "Archive\\Projects");
    EXPECT_EQ(ProgramState().DefaultCategory, "Blue");
}

TEST_F(ConfigDialog, BrowseAndClearChangeNothingUntilOk) {
    SetFolderRecord(FolderRecord::Default, *clients, "Personal Folders\\Clients");
    const TFolderRecord before = ProgramState().FolderRecords[FolderRecord::Default];
    PickerChooses("Archive\\Projects", *archive);
    struct Case {
        const char* Name;
        std::function<void(TfrmConfig&)> Play;
        TFolderRecord After;
    };
    const Case cases[] = {
        {"Browse, Cancel",
         [](TfrmConfig& d) {
             controls::Click(*d.btBrowse);
             EXPECT_EQ(d.edFolder->Text(), "Archive\\Projects");
             controls::Click(*d.btCancel);
         },
         before},
        {"Clear, Escape",
         [](TfrmConfig& d) {
             controls::Click(*d.btClearFolder);
             EXPECT_EQ(d.edFolder->Text(), "");
             controls::PressKey(d, VK_ESCAPE);
         },
         before},
        {"Clear, OK",
         [](TfrmConfig& d) {
             controls::Click(*d.btClearFolder);
             controls::Click(*d.btOK);
         },
         TFolderRecord()},
    };
    for (const Case& c : cases) {
        ProgramState().FolderRecords[FolderRecord::Default] = before;
        Play(c.Play);
        Module().Configure();
        EXPECT_EQ(ProgramState().FolderRecords[FolderRecord::Default], c.After) << c.Name;
    }
}

TEST_F(ConfigDialog, DefaultsResetsAtOnceAndKeepsTheRecentFoldersInTheFile) {
    TProgramState& state = ProgramState();
    SetFolderRecord(FolderRecord::Default, *projects, "Archive\\Projects");
    state.folderdef = state.calendadd = 1;
    state.categmaintain = 0;
    state.DefaultCategory = "Red";
    state.MruList.ToTop("Archive\\Projects", "Archive", text::Narrow(archive->StoreId()), -1);
    ASSERT_TRUE(SaveButtonsToFile());
    Play([](TfrmConfig& d) {
        controls::Click(*d.btDefaults); // answered Cancel: nothing happens
        EXPECT_TRUE(d.cbUseFolderDefault->Checked());
        controls::Click(*d.btDefaults);
        EXPECT_FALSE(d.cbUseFolderDefault->Checked());
        EXPECT_FALSE(d.cbUseCalendarDefault->Checked());
        EXPECT_TRUE(d.cbUseMaintainCategoryDefault->Checked());
        EXPECT_EQ(d.edFolder->Text(), "");
        EXPECT_EQ(d.edCategory->Text(), "");
        controls::Click(*d.btCancel);
    });
    user.Click(mbCancel).Click(mbOK);
    Module().Configure();
    ASSERT_EQ(Boxes(), (Lines{ResetQuestion, ResetQuestion, "TfrmConfig"}));
    EXPECT_EQ(user.Shown()[0].Type, mtWarning);
    EXPECT_EQ(user.Shown()[0].Buttons, mbOKCancel);
    // The reset is in the file at once, and the recently used folder with it.
    ResetProgramState();
    LoadButtonsFromFile();
    const TProgramState& read = ProgramState();
    EXPECT_FALSE(read.folderdef || read.calendadd);
    EXPECT_TRUE(read.categmaintain);
    EXPECT_EQ(read.DefaultCategory, "");
    EXPECT_FALSE(read.FolderRecords[FolderRecord::Default].HoldsFolder());
    EXPECT_EQ(read.MruList.Slot(1).Folder, "Archive\\Projects");
    EXPECT_TRUE(read.anydefaultaction) << "Maintain Categories arms the watch";
}

TEST_F(ConfigDialog, ASettingsFileThatCannotBeWrittenIsReportedAndTheChoicesStay) {
    ForceDirectories(ConfigFilePath()); // a folder where the file goes
    Play([](TfrmConfig& d) {
        controls::Check(*d.cbUseTasksDefault);
        controls::Click(*d.btOK);
    });
    Module().Configure();
    ASSERT_EQ(user.Shown().size(), 2u);
    EXPECT_EQ(user.Shown()[1].Type, mtWarning);
    EXPECT_EQ(user.Shown()[1].Text, "The settings could not be saved to \"" + ConfigFilePath() +
                                        "\".\r\nThey stay in effect until Outlook closes.");
    EXPECT_TRUE(ProgramState().taskadd);
    EXPECT_TRUE(ProgramState().anydefaultaction);
}

TEST_F(ConfigDialog, OkWatchesSentItemsOnlyForTheCategoryOptions) {
    ASSERT_TRUE(Module().FolderSentItems != nullptr) << "Maintain Categories is on by default";
    Play([](TfrmConfig& d) {
        controls::Check(*d.cbUseMaintainCategoryDefault, false);
        controls::Click(*d.btOK);
    });
    Module().Configure();
    EXPECT_TRUE(Module().FolderSentItems == nullptr);
    Play([](TfrmConfig& d) {
        controls::Check(*d.cbUseCategoryAsk);
        controls::Click(*d.btOK);
    });
    Module().Configure();
    EXPECT_TRUE(Module().FolderSentItems != nullptr);
}

TEST_F(ConfigDialog, TheInformationImageExplainsMaintainCategories) {
    std::string text;
    Play([](TfrmConfig& d) {
        controls::Click(*d.imgInfo);
        controls::Click(*d.btCancel);
    });
    user.OnForm([&text](TForm& box) {
        text = controls::Find<THTMLabel>(box, "HtmlLabel").GetDisplText();
        Picture(box, "config-info");
        return mrOk;
    });
    Module().Configure();
    ASSERT_EQ(Boxes(), (Lines{"THtmlMessageForm", "TfrmConfig"}));
    EXPECT_EQ(user.Shown()[0].Caption, "Lorvane");
    EXPECT_EQ(text.rfind("<b>Outlook 2007 / 2010:</b><br>When a category", 0), 0u);
}

TEST_F(ConfigDialog, ThePickerGetsItsWidthAndListBackWhateverTheDialogDoes) {
    std::vector<std::string> calls;
    TFolderPickerSeam& picker = FolderPickerSeam();
    picker.Width = [] { return 680; };
    picker.SetWidth = [&calls](int w) { calls.push_back("width " + std::to_string(w)); };
    picker.ShowRecentList = [&calls](bool on) { calls.push_back(on ? "list on" : "list off"); };
    user.OnForm([](TForm&) -> TModalResult { throw Exception("the dialog failed"); });
    EXPECT_THROW(Module().Configure(), Exception);
    EXPECT_EQ(calls, (std::vector<std::string>{"list off", "width 680", "list on"}));
    calls.clear();
    user.OnForm([](TForm&) -> TModalResult { throw Exception("the dialog failed"); });
    EXPECT_THROW(Module().CollectCombineActions(), Exception);
    EXPECT_EQ(calls, (std::vector<std::string>{"width 680"}));
    EXPECT_FALSE(Module().frmConfig->ItemMode()) << "the dialog was turned back";
    EXPECT_FALSE(ProgramState().CombineMode);
}

TEST_F(ConfigDialog, ThePerMessageChoicesReachTheSend) {
    TProgramState& state = ProgramState();
    SetFolderRecord(FolderRecord::Default, *projects, "Archive\\Projects");
    Compose(Mail(u"Tracked", u"Red"));
    outlook->ScriptCategoriesDialog([](std::u16string& categories) {
        categories += u", Green";
        return true;
    });
    Play([](TfrmConfig& d) {
        // The default category is off, yet a category can be chosen for
        // this one message.
        EXPECT_TRUE(d.btSelectCategory->Enabled());
        EXPECT_TRUE(d.edCategory->Enabled());
        EXPECT_EQ(d.edFolder->Text(), "Archive\\Projects");
        EXPECT_EQ(d.edCategory->Text(), "Red");
        controls::Click(*d.btSelectCategory);
        controls::Check(*d.cbUseCalendarDefault);
        controls::Click(*d.btOK);
    });
    Module().DoIndividualAction(TIndividualAction::Combined);
    EXPECT_EQ(Delivered(), Lines{"Tracked: "});
    EXPECT_EQ(Contents(*projects), Lines{"Tracked: Red, Green"});
    ASSERT_EQ(OpenedEntries().size(), 1u) << "the calendar entry";
    EXPECT_EQ(state.ItemChoices.FolderName, "Archive\\Projects");
    EXPECT_FALSE(state.calendadd) << "a choice for one message is no default";
}

TEST_F(ConfigDialog, ClearInThePerMessageDialogKeepsTheDefaultFilingFolder) {
    SetFolderRecord(FolderRecord::Default, *projects, "Archive\\Projects");
    const TFolderRecord before = ProgramState().FolderRecords[FolderRecord::Default];
    Compose(Mail(u"Unfiled"));
    Play([](TfrmConfig& d) {
        controls::Click(*d.btClearFolder);
        controls::Click(*d.btOK);
    });
    Module().DoIndividualAction(TIndividualAction::Combined);
    EXPECT_EQ(ProgramState().FolderRecords[FolderRecord::Default], before);
    EXPECT_EQ(Contents(*projects), Lines{});
    EXPECT_EQ(Contents(*sentItems), Lines{"Unfiled: "});
    // The next configuration dialog still shows the default folder.
    Play([](TfrmConfig& d) {
        EXPECT_EQ(d.edFolder->Text(), "Archive\\Projects");
        controls::Click(*d.btOK);
    });
    Module().Configure();
    ResetProgramState();
    LoadButtonsFromFile();
    EXPECT_EQ(ProgramState().FolderRecords[FolderRecord::Default].FolderName, "Archive\\Projects");
}

TEST_F(ConfigDialog, TheDialogsGoWithTheConnection) {
    Play([](TfrmConfig& d) { controls::Click(*d.btCancel); });
    Module().Configure();
    Module().ShowAbout();
    const int forms = Screen().FormCount();
    session->End();
    EXPECT_EQ(Screen().FormCount(), forms - 2);
}

TEST_F(ConfigDialog, BrowseInThePerMessageDialogPlacesThePickerBesideIt) {
    SetFolderRecord(FolderRecord::Default, *projects, "Archive\\Projects");
    int pickerLeft = -1;
    FolderPickerSeam().SetLeft = [&pickerLeft](int left) { pickerLeft = left; };
    FolderPickerSeam().ChooseFromTree = [](POINT) -> std::optional<TPickedFolder> {
        ADD_FAILURE() << "the per-message dialog picks through FileToAnyFolder";
        return std::nullopt;
    };
    int dialogLeft = 0;
    std::string folder;
    Play([&](TfrmConfig& d) {
        dialogLeft = d.Left();
        controls::Click(*d.btBrowse);
        folder = d.edFolder->Text();
        controls::Click(*d.btCancel);
    });
    user.AlwaysClick(mbOK);
    EXPECT_FALSE(Module().CollectCombineActions());
    EXPECT_EQ(pickerLeft, dialogLeft + 50);
    EXPECT_EQ(folder, "Archive\\Projects") << "no folder picked: the choice stays";
    EXPECT_EQ(ProgramState().FolderRecords[FolderRecord::Default].FolderName, "Archive\\Projects");
}
