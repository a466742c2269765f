// Running the folder picker: the picker made once and kept, "File to Any
// Folder" with its recently used list, and "Add Folder...", which makes a
// folder in the selected one through the new-folder dialog.
#include "addin/dialogs/DlgAddFolder.h"
#include "addin/dialogs/FolderPickerSeam.h"
#include "addin/dialogs/adxFrmFolders2.h"
#include "addin/settings/ConfigFile.h"
#include "addin/settings/ModuleServices.h"
#include "addin/settings/ProgramState.h"
#include "addin/settings/QelLog.h"
#include "addin/settings/StoresAndFolders.h"

#include "platform/controls/TreeView.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Screen.h"
#include "platform/rtl/Exception.h"
#include "platform/text/Text.h"

namespace {

TfrmFolders2* picker_ = nullptr;

// The tree's node whose folder has the entry id, or nullptr.
TTreeNode* NodeOfEntry(TTreeView& tree, const std::string& entryId) {
    for (TTreeNode* node = tree.Items()->GetFirstNode(); node; node = node->GetNext())
        if (auto* data = static_cast<TFolderData*>(node->Data()); data && data->EntryID == entryId)
            return node;
    return nullptr;
}

} // namespace

TfrmFolders2& FolderPicker() {
    if (!picker_)
        picker_ = LorvaneFormClasses().Create<TfrmFolders2>(nullptr);
    return *picker_;
}

void FreeFolderDialogs() {
    if (picker_) {
        picker_->FreeTree();
        picker_->Free();
    }
    picker_ = nullptr;
    FreeAddFolderDialog();
}

void TfrmFolders2::btnAddFolderClick(TObject*) {
    TTreeNode* node = treeFolders->Selected();
    auto* data = node ? static_cast<TFolderData*>(node->Data()) : nullptr;
    if (!data) {
        MessageDlg("Select a folder in the tree where to place the new folder", mtInformation,
                   {mbOK}, 0);
        return;
    }
    std::string name;
    if (!TFormAddFolder::CreateAndShowModal(node->Text(), name))
        return;
    std::string newEntryId;
    try {
        newEntryId = text::Narrow(
            data->Folder.GetFolders().Add(text::Wide(name), outlook::olFolders).EntryID());
    } catch (const Exception& e) {
        // A name the folder has already, or a store that takes no folders:
        // the tree stays as it was.
        TQelLog::Log("Exception in Add Folder");
        MessageDlg(e.Message, mtError, {mbOK}, 0);
        return;
    }
    // The tree is built anew with the remembered nodes open: what the user
    // opened in this run is not remembered for it, so that a Cancel leaves
    // the remembered nodes as they were. The new folder is selected when its
    // parent is open again.
    AddTree();
    if (TTreeNode* made = NodeOfEntry(*treeFolders, newEntryId))
        treeFolders->SetSelected(made);
}

bool FileToAnyFolder() {
    TProgramState& state = ProgramState();
    // Between finalisation and the next start-up there is no Outlook to show.
    if (!state.Module)
        return false;
    Screen().Cursor = crHourGlass;
    TfrmFolders2& picker = FolderPicker();
    // Whatever happens, the picker is left as it is kept between uses and
    // the settings (the list, the open nodes) are saved.
    struct Restore {
        TfrmFolders2& Picker;
        ~Restore() {
            Screen().Cursor = crDefault;
            SaveButtonsToFile();
            Picker.SetCaption("Folders");
            Picker.FreeTree();
            Picker.Session = outlook::NameSpace();
        }
    } restore{picker};
    picker.Session = ModuleSession();
    picker.ShowMruGroup(true);
    picker.SetCaption("File Sent Item to...");
    picker.AddTree();
    picker.MruListAdd();
    state.Picked = TPickerChoice();
    if (picker.ShowModal() != mrOk)
        return false;
    const TPickerChoice& picked = state.Picked;
    TFolderRecord& record = state.FolderRecords[FolderRecord::Picked];
    if (!picked.Path.empty()) {
        const std::string store = StoreOfPath(picked.Path);
        if (!state.nolistupdates)
            ToTopOfMruList(picked.Path, store, picked.StoreId, -1);
        record = TFolderRecord{store, store, picked.StoreId, picked.Path};
        return true;
    }
    if (picked.Slot < 1)
        return false;
    const TMruEntry entry = state.MruList.Slot(picked.Slot);
    record = TFolderRecord{entry.Store, entry.Store, entry.StoreId, entry.Folder};
    if (!state.nolistupdates)
        ToTopOfMruList(entry.Folder, entry.Store, entry.StoreId, picked.Slot);
    return true;
}

namespace {

// The configuration dialog's Browse: the tree alone, shown at the point
// given and put back where it was; the folder chosen in the tree, if any.
std::optional<TPickedFolder> ChooseFromTree(POINT at) {
    TProgramState& state = ProgramState();
    if (!state.Module)
        return std::nullopt;
    TfrmFolders2& picker = FolderPicker();
    const POINT was{picker.Left(), picker.Top()};
    struct Restore {
        TfrmFolders2& Picker;
        POINT Was;
        ~Restore() {
            Picker.FreeTree();
            Picker.Session = outlook::NameSpace();
            Picker.SetLeft(Was.x);
            Picker.SetTop(Was.y);
        }
    } restore{picker, was};
    picker.Session = ModuleSession();
    picker.SetLeft(at.x);
    picker.SetTop(at.y);
    picker.AddTree();
    state.Picked = TPickerChoice();
    if (picker.ShowModal() != mrOk || state.Picked.Path.empty())
        return std::nullopt;
    return TPickedFolder{state.Picked.Path, state.Picked.StoreId};
}

} // namespace

TFolderPickerSeam FolderPickerHooks() {
    TFolderPickerSeam hooks;
    hooks.ChooseFromTree = ChooseFromTree;
    hooks.SetLeft = [](int left) { FolderPicker().SetLeft(left); };
    hooks.ShowRecentList = [](bool show) { FolderPicker().ShowMruGroup(show); };
    hooks.Width = [] { return FolderPicker().Width(); };
    hooks.SetWidth = [](int width) { FolderPicker().SetWidth(width); };
    hooks.ClearChosenPath = [] { ProgramState().Picked = TPickerChoice(); };
    hooks.FreeTreeData = [] {
        if (picker_)
            picker_->FreeTree();
    };
    return hooks;
}
