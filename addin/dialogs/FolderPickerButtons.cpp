// The folder picker's recently used list and its buttons: the list filled
// from the program-wide slots, choosing a row, the picker shown (centred,
// the first row or the first store selected, narrowed when the list is not
// wanted), Escape, "Disable List Updates", the two clearing buttons and
// "Add Folder...".
#include "addin/dialogs/DlgAddFolder.h"
#include "addin/dialogs/FolderIcons.h"
#include "addin/dialogs/StoredComponent.h"
#include "addin/dialogs/adxFrmFolders2.h"
#include "addin/settings/ProgramState.h"
#include "addin/settings/QelLog.h"
#include "addin/settings/StoresAndFolders.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/ListView.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TreeView.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Screen.h"
#include "platform/gfx/ImageList.h"
#include "platform/rtl/Exception.h"
#include "platform/text/Text.h"

#include <algorithm>

namespace {

// The caption of a recently used folder's row: the last name of its path.
std::string LastName(const std::string& path) {
    size_t at = path.rfind('\\');
    return at == std::string::npos ? path : path.substr(at + 1);
}

} // namespace

void TfrmFolders2::FormCreate(TObject*) {
    btnOK = StoredComponent<TButton>(*this, "btnOK");
    btnCancel = StoredComponent<TButton>(*this, "btnCancel");
    GroupBox1 = StoredComponent<TGroupBox>(*this, "GroupBox1");
    treeFolders = StoredComponent<TTreeView>(*this, "treeFolders");
    GroupBox2 = StoredComponent<TGroupBox>(*this, "GroupBox2");
    ListView1 = StoredComponent<TListView>(*this, "ListView1");
    Panel1 = StoredComponent<TPanel>(*this, "Panel1");
    cbNoListUpdates = StoredComponent<TCheckBox>(*this, "cbNoListUpdates");
    btnClearEntry = StoredComponent<TButton>(*this, "btnClearEntry");
    btnClearList = StoredComponent<TButton>(*this, "btnClearList");
    btnAddFolder = StoredComponent<TButton>(*this, "btnAddFolder");
    ImageListOLIcons = StoredComponent<TImageList>(*this, "ImageListOLIcons");
    AddFolderIcons(*ImageListOLIcons);
}

void TfrmFolders2::MruListAdd() {
    const TMruList& mru = ProgramState().MruList;
    TListItems& rows = *ListView1->Items();
    rows.Clear();
    int widest = 0;
    for (int slot = 1; slot <= TMruList::Slots; ++slot) {
        const TMruEntry& entry = mru.Slot(slot);
        if (entry.Folder.empty())
            continue;
        TListItem* row = rows.Add();
        row->SetCaption(LastName(entry.Folder));
        row->SubItems()->Add(entry.Folder.find('\\') == std::string::npos ? "" : entry.Folder);
        widest = std::max(widest, ListView1->Canvas()->TextWidth(row->Caption()));
    }
    TListColumn* folder = ListView1->Columns()->Items(0);
    folder->SetWidth(std::max(100, widest) + 10);
    ListView1->Columns()->Items(1)->SetWidth(ListView1->ClientWidth() - folder->Width() - 5);
}

void TfrmFolders2::ShowMruGroup(bool show) {
    GroupBox2->SetVisible(show);
    ListView1->SetVisible(show);
    Panel1->SetVisible(show);
    if (show)
        SetClientWidth(WideClientWidth);
}

void TfrmFolders2::AtShow(TObject*) {
    SetTop((Screen().Height() - Height()) / 2);
    cbNoListUpdates->SetChecked(ProgramState().nolistupdates != 0);
    treeFolders->SetSelected(treeFolders->Items()->GetFirstNode());
    if (!GroupBox2->Visible() || !ListView1->CanFocus()) {
        ShowMruGroup(false);
        SetClientWidth(GroupBox1->Width() + 8);
        treeFolders->SetFocus();
        return;
    }
    ShowMruGroup(true);
    if (ListView1->Items()->Count() > 0) {
        ListView1->SetFocus();
        ListView1->SetItemIndex(0);
        treeFolders->SetSelected(nullptr);
    } else {
        treeFolders->SetFocus();
    }
}

void TfrmFolders2::ListView1DblClick(TObject*) {
    int row = ListView1->ItemIndex();
    ProgramState().Picked.Slot = row < 0 ? -1 : row + 1;
    SetModalResult(row < 0 ? mrCancel : mrOk);
}

void TfrmFolders2::btnOKClick(TObject* Sender) {
    if (ListView1->Visible() && ListView1->ItemIndex() >= 0)
        ListView1DblClick(Sender);
    else
        TreeChoose(true);
}

void TfrmFolders2::FormKeyPress(TObject*, char& Key) {
    if (Key != 27)
        return;
    // The user leaves as with Cancel, but the nodes opened are kept.
    TreeExpandedNodes();
    Key = 0;
    SetModalResult(mrCancel);
}

void TfrmFolders2::cbNoListUpdatesClick(TObject*) {
    ProgramState().nolistupdates = cbNoListUpdates->Checked() ? 1 : 0;
    ClearSelections();
}

void TfrmFolders2::btnClearListClick(TObject*) {
    if (MessageDlg("Are you sure you want to clear the list of Most Recently Used folders?",
                   mtWarning, {mbOK, mbCancel}, 0) != mrOk)
        return;
    ProgramState().MruList.Clear();
    MruListAdd();
}

void TfrmFolders2::btnClearEntryClick(TObject*) {
    TListItem* row = ListView1->Selected();
    if (!row) {
        MessageDlg("First select item to remove", mtInformation, {mbOK}, 0);
        return;
    }
    const std::string question =
        "Do you want to remove item \"" + row->Caption() + "\" from Most Recently Used list?";
    if (MessageDlg(question, mtWarning, {mbOK, mbCancel}, 0) != mrOk) {
        ClearSelections();
        return;
    }
    RemoveFromMruList(row->Index() + 1);
    MruListAdd();
}
