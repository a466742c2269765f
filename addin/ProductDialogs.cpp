// The module's roads into its dialogs: "Define Default Actions" (Configure),
// "About" (ShowAbout) and the per-message dialog of "Track + Send"
// (CollectCombineActions). Each dialog is made from its stored form on first
// use and kept for later calls; finalisation frees them. Whatever a dialog
// does, even when it raises, the configuration dialog is turned back into
// itself and the picker gets its width and recently used list back.
#include "addin/ProductDialogs.h"

#include "addin/LorvaneOL_IMPL.h"
#include "addin/dialogs/DlgAbout.h"
#include "addin/dialogs/DlgConfig.h"
#include "addin/dialogs/FolderPickerSeam.h"
#include "addin/dialogs/QelHtmlMessageDialog.h"
#include "addin/settings/ProgramState.h"
#include "platform/forms/Screen.h"

namespace {

// The configuration dialog of the module, made when missing.
TfrmConfig& ConfigDialog(TAddInModule& module) {
    if (!module.frmConfig)
        module.frmConfig = LorvaneFormClasses().Create<TfrmConfig>(nullptr);
    return *module.frmConfig;
}

// Hides the picker's recently used list for the configuration dialog's
// Browse and remembers its width; the destructor puts both back, the list
// also after an Escape or a raise, so that "File to Any Folder" shows it.
class TPickerForConfigure {
public:
    TPickerForConfigure() {
        TFolderPickerSeam& picker = FolderPickerSeam();
        if (picker.ShowRecentList)
            picker.ShowRecentList(false);
        if (picker.Width)
            width_ = picker.Width();
    }
    ~TPickerForConfigure() {
        TFolderPickerSeam& picker = FolderPickerSeam();
        if (picker.SetWidth && width_ >= 0)
            picker.SetWidth(width_);
        if (picker.FreeTreeData)
            picker.FreeTreeData();
        if (picker.ShowRecentList)
            picker.ShowRecentList(true);
    }
    TPickerForConfigure(const TPickerForConfigure&) = delete;
    TPickerForConfigure& operator=(const TPickerForConfigure&) = delete;

private:
    int width_ = -1;
};

// Remembers the picker's width while the per-message dialog is shown.
class TPickerWidth {
public:
    TPickerWidth() {
        if (FolderPickerSeam().Width)
            width_ = FolderPickerSeam().Width();
    }
    ~TPickerWidth() {
        if (FolderPickerSeam().SetWidth && width_ >= 0)
            FolderPickerSeam().SetWidth(width_);
    }
    TPickerWidth(const TPickerWidth&) = delete;
    TPickerWidth& operator=(const TPickerWidth&) = delete;

private:
    int width_ = -1;
};

} // namespace

void RegisterProductDialogs(forms::FormClassTable& table) {
    RegisterFrmConfig(table);
    RegisterFormAbout(table);
}

void TAddInModule::DefineDefaultAction() {
    Configure();
}

void TAddInModule::Configure() {
    TProgramState& state = ProgramState();
    Screen().Cursor = crHourGlass;
    if (state.MainButtonCaption.empty())
        state.MainButtonCaption = ProductDisplayName;
    TModalResult result = mrCancel;
    {
        TfrmConfig& dialog = ConfigDialog(*this);
        TPickerForConfigure picker;
        struct TCursorBack {
            ~TCursorBack() { Screen().Cursor = crDefault; }
        } cursorBack;
        // A per-message dialog that raised may have left it adapted.
        dialog.CorrectDlgConfig();
        result = dialog.ShowModal();
    }
    if (result != mrOk)
        return;
    if (OutlookApplication) {
        if (state.CategoriesWatched())
            SentFolderConnect(SentItemsFolder());
        else
            SentFolderDisConnect(SentItemsFolder());
    }
    SaveSettingsOrWarn();
    PlaceButtonBar();
}

bool TAddInModule::CollectCombineActions() {
    TProgramState& state = ProgramState();
    state.CombineMode = true;
    TfrmConfig& dialog = ConfigDialog(*this);
    TModalResult result = mrCancel;
    {
        TPickerWidth picker;
        struct TRestore {
            TfrmConfig& Dialog;
            ~TRestore() {
                Screen().Cursor = crDefault;
                Dialog.CorrectDlgConfig();
                ProgramState().CombineMode = false;
            }
        } restore{dialog};
        dialog.AdjustDlgConfig();
        result = dialog.ShowModal();
    }
    return result == mrOk;
}

void TAddInModule::ShowAbout() {
    if (!FormAbout)
        FormAbout = LorvaneFormClasses().Create<TFormAbout>(nullptr);
    FormAbout->ShowModal();
}

void TAddInModule::FreeDialogs() {
    if (frmConfig) {
        TfrmConfig* dialog = frmConfig;
        frmConfig = nullptr;
        dialog->Free();
    }
    if (FormAbout) {
        TFormAbout* about = FormAbout;
        FormAbout = nullptr;
        about->Free();
    }
}
