// The folder picker: a tree of every store of Outlook's session with its
// folders, filled lazily as the user opens nodes, beside the list of the
// twenty most recently used folders. "File to Any Folder" runs it with the
// list (FileToAnyFolder); a dialog that only needs a folder hides the list
// and the picker narrows to its tree. The user chooses by a double click, by
// OK, or leaves with Cancel or Escape; the choice is left in the program
// state (TProgramState::Picked). The picker also clears entries of the list
// and makes new folders (TFormAddFolder).
//
// The picker is made once, on first use, from its stored form
// (FolderPickerForm.cpp) and kept until the add-in is finalised.
#pragma once

#include "platform/controls/Form.h"
#include "platform/forms/FormClass.h"
#include "platform/outlook/OutlookObjects.h"

#include <string>

class TButton;
class TCheckBox;
class TGroupBox;
class TImageList;
class TListView;
class TPanel;
class TTreeNode;
class TTreeView;

// What each node of the picker's tree holds (its Data, freed with the node).
struct TFolderData {
    // The node's folder (a store's top folder for a root node).
    outlook::MAPIFolder Folder;
    // Its store's id and its own entry id.
    std::string StoreID;
    std::string EntryID;
};

class TfrmFolders2 : public TForm {
public:
    // CreateNew: the picker without its stored form.
    using TForm::TForm;

    // ---- components of the stored form ----

    // OK (the default button) and Cancel.
    TButton* btnOK = nullptr;
    TButton* btnCancel = nullptr;
    // "Select Folder" and its tree of stores and folders.
    TGroupBox* GroupBox1 = nullptr;
    TTreeView* treeFolders = nullptr;
    // "Most Recently Used (MRU)" and its list.
    TGroupBox* GroupBox2 = nullptr;
    TListView* ListView1 = nullptr;
    // The panel of the list's check box and buttons.
    TPanel* Panel1 = nullptr;
    // "Disable List Updates".
    TCheckBox* cbNoListUpdates = nullptr;
    // "Clear MRU Entry" and "Clear MRU List   ".
    TButton* btnClearEntry = nullptr;
    TButton* btnClearList = nullptr;
    // "Add Folder...".
    TButton* btnAddFolder = nullptr;
    // The tree's state images: the folder icons (FolderIcons.h).
    TImageList* ImageListOLIcons = nullptr;

    // The session whose stores the tree shows; set before the picker is filled.
    outlook::NameSpace Session;

    // Fills the tree with the stores (the default store first, the others
    // by name), then opens the remembered nodes again.
    void AddTree();
    // Opens the remembered nodes again, by entry id, in the list's order;
    // with none remembered, the first store.
    void RefreshTree();
    // Remembers the entry id of every open node that has children, in tree order.
    void TreeExpandedNodes();
    // Removes every node (their data goes with them).
    void FreeTree();
    // Fills the list view from the recently used slots.
    void MruListAdd();
    // Shows or hides the recently used group, list and panel (hidden: a
    // dialog that needs only a folder).
    void ShowMruGroup(bool show);

    // ---- handlers of the stored form ----

    // Binds the component fields and puts the folder icons in the image list.
    void FormCreate(TObject* Sender);
    // Centres the picker vertically, selects the first row or store, and
    // narrows the picker when its list is hidden.
    void AtShow(TObject* Sender);
    // Escape: the open nodes are remembered and the picker closes as cancelled.
    void FormKeyPress(TObject* Sender, char& Key);
    // A node opens: its children are made from its folder's subfolders.
    void treeFoldersExpanding(TObject* Sender, TTreeNode* Node, bool& AllowExpansion);
    // A node goes: its data goes with it.
    void treeFoldersDeletion(TObject* Sender, TTreeNode* Node);
    // A double click chooses a folder without subfolders.
    void treeFoldersDblClick(TObject* Sender);
    // The tree takes the focus: the list's selection goes.
    void treeFoldersEnter(TObject* Sender);
    // A double click chooses the row's folder.
    void ListView1DblClick(TObject* Sender);
    // The list takes the focus: the tree's selection goes.
    void ListView1Enter(TObject* Sender);
    // OK: the list's row when one is selected, else the tree's folder.
    void btnOKClick(TObject* Sender);
    // "Disable List Updates": the setting follows the box.
    void cbNoListUpdatesClick(TObject* Sender);
    // "Clear MRU Entry": the selected row goes, once the user agrees.
    void btnClearEntryClick(TObject* Sender);
    // "Clear MRU List   ": every row goes, once the user agrees.
    void btnClearListClick(TObject* Sender);
    // "Add Folder...": a new folder in the selected one (FolderPickerRun.cpp).
    void btnAddFolderClick(TObject* Sender);

    // The width of the whole picker, the list shown.
    static constexpr int WideClientWidth = 680;

private:
    // A node's children anew from its folder's subfolders.
    void ExpandChildren(TTreeNode* Node);
    // The tree's choice: the selected node's folder (OK pressed: also a node
    // with subfolders), or a cancel with nothing selected.
    void TreeChoose(bool okPressed);
    // Clears the selection of the tree and of the list.
    void ClearSelections();
};

// Registers the picker and the new-folder dialog with their stored forms.
void RegisterFolderPicker(forms::FormClassTable& table);

// The picker, made from its stored form on first use and kept.
TfrmFolders2& FolderPicker();
// Frees the picker and the new-folder dialog when they were made (at finalisation).
void FreeFolderDialogs();
// What the configuration dialog asks of the picker (FolderPickerSeam.h),
// answered by the picker kept for the add-in.
struct TFolderPickerSeam FolderPickerHooks();
