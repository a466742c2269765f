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
    using TForm::TForm;

    // ---- components of the stored form ----

    TButton* btnOK = nullptr;
    TButton* btnCancel = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TTreeView* treeFolders = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TListView* ListView1 = nullptr;
    TPanel* Panel1 = nullptr;
    TCheckBox* cbNoListUpdates = nullptr;
    TButton* btnClearEntry = nullptr;
    TButton* btnClearList = nullptr;
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

    void FormCreate(TObject* Sender);
    void AtShow(TObject* Sender);
    void FormKeyPress(TObject* Sender, char& Key);
    void treeFoldersExpanding(TObject* Sender, TTreeNode* Node, bool& AllowExpansion);
    void treeFoldersDeletion(TObject* Sender, TTreeNode* Node);
    void treeFoldersDblClick(TObject* Sender);
    void treeFoldersEnter(TObject* Sender);
    void ListView1DblClick(TObject* Sender);
    void ListView1Enter(TObject* Sender);
    void btnOKClick(TObject* Sender);
    void cbNoListUpdatesClick(TObject* Sender);
    void btnClearEntryClick(TObject* Sender);
    void btnClearListClick(TObject* Sender);
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
