// The configuration dialog's behaviour: loading it from the settings, the
// paired boxes, Browse, Clear and Select, the information image, and the
// three buttons. The configuration dialog keeps the folder and category the
// user chooses until OK writes them; Defaults resets the settings at once.
#include "addin/dialogs/DlgConfig.h"

#include "addin/dialogs/FolderPickerSeam.h"
#include "addin/dialogs/QelHtmlMessageDialog.h"
#include "addin/settings/ConfigFile.h"
#include "addin/settings/ModuleServices.h"
#include "addin/settings/ProgramState.h"
#include "addin/settings/QelLog.h"
#include "addin/settings/StoresAndFolders.h"
#include "htmllabel/HTMLabel.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Screen.h"
#include "platform/gfx/Icon.h"
#include "platform/gfx/StockIcons.h"
#include "platform/outlook/Outlook.h"
#include "platform/text/Text.h"
#include "platform/win/Hook.h"
#include "platform/win/Window.h"

#include <memory>

namespace {

constexpr const char* CategoryInfoText =
    "<b>Outlook 2007 / 2010:</b><br>When a category is assigned to a received message and you "
    "reply or forward the message, the category is removed by Outlook.<br><br>Selecting this "
    "option will add the category again to your sent item after a reply or forward - even when "
    "filing to a different folder. The category will be added after the message has been sent "
    "and will not be exposed to the recipient.<br><br><b>Outlook 2003:</b><br>For Outlook 2003 "
    "default behavior is different: an attached category will remain attached to the Sent Item "
    "but will also show at the recipient.<br><br>Selecting this option will keep the category "
    "with the Sent Item but prevent the category from being sent to the recipient.";
// The information box's text width: the explanation is long, and a wider
// box keeps it to a readable height.
constexpr int CategoryInfoWidth = 420;
constexpr const char* NoFolderText =
    "To use File to Folder as default action, you need to define the Default Filing "
    "Folder.\r\nClick the Browse button to define this folder.";
constexpr const char* NoCategoryText =
    "To use Add Category as default action, please define the Default Category.\r\nClick the "
    "Select button to select this category.";
constexpr const char* ResetQuestion = "Do you want to reset the configuration to default?";

// Where the picker appears for the default filing folder, from the
// dialog's top-left corner.
constexpr int PickerOffsetX = 400;
constexpr int PickerOffsetY = -50;
// The picker's left edge for the per-message dialog, from the dialog's.
constexpr int ItemPickerOffsetX = 50;

template <class T> T* Named(TForm& form, const char* name) {
    return dynamic_cast<T*>(form.FindComponent(name));
}

} // namespace

void TfrmConfig::Loaded() {
    TForm::Loaded();
    gbIntro = Named<TGroupBox>(*this, "gbIntro");
    lbIntro = Named<THTMLabel>(*this, "lbIntro");
    gbActions = Named<TGroupBox>(*this, "gbActions");
    pnHeads = Named<TPanel>(*this, "pnHeads");
    bvCommentSpacer = Named<TBevel>(*this, "bvCommentSpacer");
    pnFolder = Named<TPanel>(*this, "pnFolder");
    pnCategory = Named<TPanel>(*this, "pnCategory");
    cbUseFolderDefault = Named<TCheckBox>(*this, "cbUseFolderDefault");
    cbUseFolderAsk = Named<TCheckBox>(*this, "cbUseFolderAsk");
    cbUseCategoryDefault = Named<TCheckBox>(*this, "cbUseCategoryDefault");
    cbUseCategoryAsk = Named<TCheckBox>(*this, "cbUseCategoryAsk");
    cbUseMaintainCategoryDefault = Named<TCheckBox>(*this, "cbUseMaintainCategoryDefault");
    cbUseCalendarDefault = Named<TCheckBox>(*this, "cbUseCalendarDefault");
    cbUseTasksDefault = Named<TCheckBox>(*this, "cbUseTasksDefault");
    imgInfo = Named<TImage>(*this, "imgInfo");
    gbSettings = Named<TGroupBox>(*this, "gbSettings");
    lbFolder = Named<TLabel>(*this, "lbFolder");
    edFolder = Named<TEdit>(*this, "edFolder");
    btBrowse = Named<TButton>(*this, "btBrowse");
    btClearFolder = Named<TButton>(*this, "btClearFolder");
    lbCategory = Named<TLabel>(*this, "lbCategory");
    edCategory = Named<TEdit>(*this, "edCategory");
    btSelectCategory = Named<TButton>(*this, "btSelectCategory");
    btClearCategory = Named<TButton>(*this, "btClearCategory");
    lbCaption = Named<TLabel>(*this, "lbCaption");
    edCaption = Named<TEdit>(*this, "edCaption");
    btOK = Named<TButton>(*this, "btOK");
    btCancel = Named<TButton>(*this, "btCancel");
    btDefaults = Named<TButton>(*this, "btDefaults");
    auto icon = std::make_unique<TIcon>();
    icon->SetHandle(LoadIcon(nullptr, IDI_INFORMATION));
    imgInfo->Picture()->SetGraphic(std::move(icon));
}

void TfrmConfig::Initialize() {
    const TProgramState& state = ProgramState();
    edCaption->SetText(state.MainButtonCaption);
    // The per-message dialog hides the folder and category rows and has
    // checked their default boxes for what is set: that state stays, so
    // that a category can be chosen for one message whatever the defaults.
    if (!itemMode_) {
        cbUseFolderDefault->SetChecked(state.folderdef);
        cbUseFolderAsk->SetChecked(state.folderask);
        cbUseCategoryDefault->SetChecked(state.categdef);
        cbUseCategoryAsk->SetChecked(state.categask);
    }
    cbUseMaintainCategoryDefault->SetChecked(state.categmaintain);
    cbUseCalendarDefault->SetChecked(state.calendadd);
    cbUseTasksDefault->SetChecked(state.taskadd);
    folder_ = state.FolderRecords[FolderRecord::Default];
    edFolder->SetText(folder_.FolderName);
    edCategory->SetText(itemMode_ ? state.WorkingCategories : state.DefaultCategory);
    if (!itemMode_)
        EnableCategory();
}

void TfrmConfig::EnableCategory() {
    const bool on = cbUseCategoryDefault->Checked();
    edCategory->SetEnabled(on);
    btSelectCategory->SetEnabled(on);
}

void TfrmConfig::AtShow(TObject*) {
    Initialize();
    lbCaption->SetVisible(false);
    edCaption->SetVisible(false);
    // The dialog is kept between showings: each one starts at its first
    // control, not where the last one ended.
    SetActiveControl(nullptr);
    platform::ProcessMessages();
}

void TfrmConfig::cbUseFolderDefaultClick(TObject*) {
    if (!itemMode_ && cbUseFolderDefault->Checked())
        cbUseFolderAsk->SetChecked(false);
}

void TfrmConfig::cbUseFolderAskClick(TObject*) {
    if (!itemMode_ && cbUseFolderAsk->Checked())
        cbUseFolderDefault->SetChecked(false);
}

void TfrmConfig::cbUseCategoryDefaultClick(TObject*) {
    if (itemMode_)
        return;
    if (cbUseCategoryDefault->Checked())
        cbUseCategoryAsk->SetChecked(false);
    else
        edCategory->SetText("");
    EnableCategory();
}

void TfrmConfig::cbUseCategoryAskClick(TObject*) {
    if (!itemMode_ && cbUseCategoryAsk->Checked())
        cbUseCategoryDefault->SetChecked(false);
}

void TfrmConfig::btBrowseClick(TObject*) {
    TFolderPickerSeam& picker = FolderPickerSeam();
    if (itemMode_) {
        // The per-message choice is FileToAnyFolder's: folder record 0, the
        // recently used list and the save are its own.
        if (picker.SetLeft)
            picker.SetLeft(Left() + ItemPickerOffsetX);
        if (FileToAnyFolder())
            edFolder->SetText(ProgramState().FolderRecords[FolderRecord::Picked].FolderName);
        return;
    }
    Screen().Cursor = crHourGlass;
    std::optional<TPickedFolder> chosen;
    try {
        if (picker.ChooseFromTree)
            chosen = picker.ChooseFromTree(POINT{Left() + PickerOffsetX, Top() + PickerOffsetY});
    } catch (...) {
        Screen().Cursor = crDefault;
        throw;
    }
    Screen().Cursor = crDefault;
    if (chosen && !chosen->Path.empty()) {
        const std::string store = StoreOfPath(chosen->Path);
        // Kept in the dialog; OK makes it the default filing folder.
        folder_ = {store, store, chosen->StoreId, chosen->Path};
        edFolder->SetText(chosen->Path);
    }
}

void TfrmConfig::btClearClick(TObject* Sender) {
    auto* button = dynamic_cast<TComponent*>(Sender);
    if (button && button->Tag() == 1) {
        // In the per-message dialog only this message's choice goes; the
        // default filing folder stays.
        if (!itemMode_)
            folder_.Clear();
        edFolder->SetText("");
    } else if (button && button->Tag() == 2) {
        edCategory->SetText("");
    }
}

void TfrmConfig::btSelectCategoryClick(TObject*) {
    try {
        TOutlookApplication* outlookApp = ModuleOutlook();
        if (!outlookApp)
            throw Exception("Outlook is not connected");
        // A mail item that only carries the dialog's choice; it is never saved.
        outlook::MailItem chooser(outlookApp->CreateItem(outlook::olMailItem));
        chooser.SetCategories(text::Wide(edCategory->Text()));
        chooser.ShowCategoriesDialog();
        edCategory->SetText(text::Narrow(chooser.Categories()));
    } catch (...) {
        TQelLog::Log("Exception in btSelectCategoryClick");
    }
}

void TfrmConfig::imgInfoClick(TObject*) {
    QelHtmlMessageDlg(CategoryInfoText, mtInformation, {mbOK}, nullptr, CategoryInfoWidth, 0);
}

void TfrmConfig::btOKClick(TObject*) {
    TProgramState& state = ProgramState();
    state.MainButtonCaption = edCaption->Text().empty() ? ProductDisplayName : edCaption->Text();
    if (itemMode_) {
        state.ItemChoices.FolderName = edFolder->Text();
        state.ItemChoices.Calendar = cbUseCalendarDefault->Checked();
        state.ItemChoices.Task = cbUseTasksDefault->Checked();
        state.WorkingCategories = edCategory->Text();
        SetModalResult(mrOk);
        return;
    }
    if (!ValidateConfig())
        return;
    state.folderdef = cbUseFolderDefault->Checked();
    state.folderask = cbUseFolderAsk->Checked();
    state.categdef = cbUseCategoryDefault->Checked();
    state.categask = cbUseCategoryAsk->Checked();
    state.categmaintain = cbUseMaintainCategoryDefault->Checked();
    state.calendadd = cbUseCalendarDefault->Checked();
    state.taskadd = cbUseTasksDefault->Checked();
    state.DefaultCategory = edCategory->Text();
    state.FolderRecords[FolderRecord::Default] = folder_;
    SetModalResult(mrOk);
}

bool TfrmConfig::ValidateConfig() {
    if (cbUseFolderDefault->Checked() && edFolder->Text().empty()) {
        MessageDlg(NoFolderText, mtWarning, {mbOK}, 0);
        SetActiveControl(btBrowse);
        return false;
    }
    if (cbUseCategoryDefault->Checked() && edCategory->Text().empty()) {
        MessageDlg(NoCategoryText, mtWarning, {mbOK}, 0);
        SetActiveControl(btSelectCategory);
        return false;
    }
    return true;
}

void TfrmConfig::btCancelClick(TObject*) {
    SetModalResult(mrCancel);
}

void TfrmConfig::btDefaultsClick(TObject*) {
    if (MessageDlg(ResetQuestion, mtWarning, mbOKCancel, 0) != mrOk)
        return;
    TProgramState& state = ProgramState();
    ResetConfigFile();
    state.folderdef = state.folderask = state.categdef = state.categask = 0;
    state.calendadd = state.taskadd = 0;
    state.categmaintain = 1;
    cbUseFolderDefault->SetChecked(false);
    cbUseFolderAsk->SetChecked(false);
    cbUseCategoryDefault->SetChecked(false);
    cbUseCategoryAsk->SetChecked(false);
    cbUseMaintainCategoryDefault->SetChecked(true);
    cbUseCalendarDefault->SetChecked(false);
    cbUseTasksDefault->SetChecked(false);
    edFolder->SetText("");
    edCategory->SetText("");
    folder_.Clear();
    state.FolderRecords[FolderRecord::Default].FolderName.clear();
    if (FolderPickerSeam().ClearChosenPath)
        FolderPickerSeam().ClearChosenPath();
    state.WorkingCategories.clear();
    state.DefaultCategory.clear();
    Invalidate();
    platform::ProcessMessages();
    // The reset deleted the file, which also kept the picker's recently used
    // folders and expanded nodes: the reset settings are written at once, so
    // that a Cancel and a quit afterwards lose nothing of them.
    SaveSettingsOrWarn();
    ModulePlaceButtonBar();
}

void TfrmConfig::FormKeyDown(TObject*, WORD& Key, TShiftState) {
    if (Key != VK_ESCAPE)
        return;
    if (!itemMode_ && FolderPickerSeam().ShowRecentList)
        FolderPickerSeam().ShowRecentList(true);
    Key = 0;
    SetModalResult(mrCancel);
}

void SaveSettingsOrWarn() {
    if (SaveAndReloadButtons())
        return;
    MessageDlg("The settings could not be saved to \"" + ConfigFilePath() +
                   "\".\r\nThey stay in effect until Outlook closes.",
               mtWarning, {mbOK}, 0);
}
