// The configuration dialog, TfrmConfig, which serves twice: as "Configure
// Default Tracking Options" (the default actions, the default filing folder
// and the default category, from the explorer tab's "Define Default
// Actions") and, adapted by AdjustDlgConfig, as "Select actions for this
// item", the per-message dialog of "Track + Send". CorrectDlgConfig turns it
// back. The module makes it once on first use and keeps it.
//
// The configuration dialog changes nothing until OK: the folder and the
// category chosen with Browse, Select and Clear stay in the dialog, and OK
// writes them with the switches. Only Defaults acts at once, after its
// confirmation, as a reset must.
//
// Its stored form and handler table live in DlgConfigForm.cpp, the
// per-message adaptation in DlgConfigAdjust.cpp.
#pragma once

#include "addin/settings/Settings.h"
#include "platform/controls/Form.h"

#include <string>
#include <vector>

namespace forms {
class FormClassTable;
}

class TButton;
class TCheckBox;
class TEdit;
class TGroupBox;
class THTMLabel;
class TImage;
class TLabel;
class TPanel;
class TBevel;

class TfrmConfig : public TForm {
public:
    using TForm::TForm;

    // ---- controls of the stored form ----
    TGroupBox* gbIntro = nullptr;
    THTMLabel* lbIntro = nullptr;
    TGroupBox* gbActions = nullptr;
    TPanel* pnHeads = nullptr;
    TBevel* bvCommentSpacer = nullptr;
    TPanel* pnFolder = nullptr;
    TPanel* pnCategory = nullptr;
    TCheckBox* cbUseFolderDefault = nullptr;
    TCheckBox* cbUseFolderAsk = nullptr;
    TCheckBox* cbUseCategoryDefault = nullptr;
    TCheckBox* cbUseCategoryAsk = nullptr;
    TCheckBox* cbUseMaintainCategoryDefault = nullptr;
    TCheckBox* cbUseCalendarDefault = nullptr;
    TCheckBox* cbUseTasksDefault = nullptr;
    TImage* imgInfo = nullptr;
    TGroupBox* gbSettings = nullptr;
    TLabel* lbFolder = nullptr;
    TEdit* edFolder = nullptr;
    TButton* btBrowse = nullptr;
    TButton* btClearFolder = nullptr;
    TLabel* lbCategory = nullptr;
    TEdit* edCategory = nullptr;
    TButton* btSelectCategory = nullptr;
    TButton* btClearCategory = nullptr;
    TLabel* lbCaption = nullptr;
    TEdit* edCaption = nullptr;
    TButton* btOK = nullptr;
    TButton* btCancel = nullptr;
    TButton* btDefaults = nullptr;

    // True while the dialog is "Select actions for this item".
    bool ItemMode() const { return itemMode_; }

    // Loads the boxes and the edits from the settings.
    void Initialize();
    // Turns the dialog into "Select actions for this item", remembering
    // everything it changes.
    void AdjustDlgConfig();
    // Turns it back into the configuration dialog (nothing when it is one).
    void CorrectDlgConfig();

    // ---- handlers ----
    // OnShow: Initialize, the caption edit hidden, pending messages processed.
    void AtShow(TObject* Sender);
    // The paired boxes: a default box clears its "Ask" box and the reverse;
    // the category's default box enables the category edit and Select.
    void cbUseFolderDefaultClick(TObject* Sender);
    void cbUseFolderAskClick(TObject* Sender);
    void cbUseCategoryDefaultClick(TObject* Sender);
    void cbUseCategoryAskClick(TObject* Sender);
    // Browse: the folder picker.
    void btBrowseClick(TObject* Sender);
    // Clear: the folder (Tag 1) or the category (Tag 2).
    void btClearClick(TObject* Sender);
    // Select: Outlook's categories dialog on a temporary item.
    void btSelectCategoryClick(TObject* Sender);
    // The information image: what "Maintain Categories" does.
    void imgInfoClick(TObject* Sender);
    // OK (Send in the per-message dialog), Cancel and Defaults.
    void btOKClick(TObject* Sender);
    void btCancelClick(TObject* Sender);
    void btDefaultsClick(TObject* Sender);
    // Escape closes the dialog as cancelled.
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

protected:
    // Binds the fields to the stored form's controls.
    void Loaded() override;

private:
    // What AdjustDlgConfig changed on one control, to be put back.
    struct TSaved {
        TControl* Control;
        std::string Caption;
        bool Visible;
        bool Enabled;
        RECT Bounds;
    };
    // Remembers the control's state once, before AdjustDlgConfig changes it.
    void Remember(TControl* control);
    // Enables the category edit and Select as the category's default box says.
    void EnableCategory();
    // OK in the configuration dialog: false when a validation keeps it open.
    bool ValidateConfig();

    bool itemMode_ = false;
    std::vector<TSaved> saved_;
    std::string savedCaption_;
    int savedClientHeight_ = 0;
    // The default filing folder as the configuration dialog holds it until OK.
    TFolderRecord folder_;
};

// Saves the settings and reads them back (SaveAndReloadButtons); when the
// file cannot be written, warns the user, naming the file, that the settings
// stay in effect until Outlook closes.
void SaveSettingsOrWarn();

// Registers TfrmConfig with its stored form and handlers.
void RegisterFrmConfig(forms::FormClassTable& table);
