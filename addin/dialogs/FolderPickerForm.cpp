// The folder picker's stored form, as the designer keeps it: the tree of
// stores and folders on the left, the recently used list with its panel of
// buttons on the right, "Add Folder...", OK and Cancel below. The tree keeps
// its height and at most its width whatever the form does; OK and Cancel
// follow the form's bottom-right corner, so that they stay in sight when the
// picker narrows to its tree. Escape is the form's own key, not Cancel's,
// so that leaving by it keeps the nodes the user opened. The handlers it names are registered
// beside it, with the new-folder dialog's form.
#include "addin/dialogs/DlgAddFolder.h"
#include "addin/dialogs/adxFrmFolders2.h"

#include "platform/forms/FormClassBuilder.h"

namespace {

const char* const FolderPickerForm = R"(object frmFolders2: TfrmFolders2
  Left = 172
  Top = 80
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Folders'
  ClientHeight = 575
  ClientWidth = 680
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  KeyPreview = True
  OnCreate = FormCreate
  OnKeyPress = FormKeyPress
  OnShow = AtShow
  PixelsPerInch = 96
  TextHeight = 13
  object GroupBox1: TGroupBox
    Left = 8
    Top = 6
    Width = 316
    Height = 536
    Caption = 'Select Folder'
    TabOrder = 0
    object treeFolders: TTreeView
      Left = 8
      Top = 15
      Width = 300
      Height = 514
      Constraints.MaxHeight = 514
      Constraints.MaxWidth = 300
      Constraints.MinHeight = 514
      HideSelection = False
      Indent = 19
      ReadOnly = True
      RightClickSelect = True
      RowSelect = True
      StateImages = ImageListOLIcons
      TabOrder = 0
      OnDblClick = treeFoldersDblClick
      OnDeletion = treeFoldersDeletion
      OnEnter = treeFoldersEnter
      OnExpanding = treeFoldersExpanding
    end
  end
  object GroupBox2: TGroupBox
    Left = 332
    Top = 6
    Width = 340
    Height = 440
    Caption = 'Most Recently Used (MRU)'
    TabOrder = 1
    object ListView1: TListView
      Left = 8
      Top = 15
      Width = 324
      Height = 417
      Columns = <
        item
          Caption = 'Folder'
          Width = 110
        end
        item
          Caption = 'Path'
          Width = 209
        end>
      HideSelection = False
      ReadOnly = True
      RowSelect = True
      TabOrder = 0
      ViewStyle = vsReport
      OnDblClick = ListView1DblClick
      OnEnter = ListView1Enter
    end
  end
  object Panel1: TPanel
    Left = 332
    Top = 452
    Width = 340
    Height = 86
    BevelOuter = bvLowered
    TabOrder = 2
    object cbNoListUpdates: TCheckBox
      Left = 12
      Top = 12
      Width = 160
      Height = 17
      Caption = 'Disable List Updates'
      TabOrder = 0
      OnClick = cbNoListUpdatesClick
    end
    object btnClearEntry: TButton
      Left = 12
      Top = 46
      Width = 120
      Height = 25
      Caption = 'Clear MRU Entry'
      TabOrder = 1
      OnClick = btnClearEntryClick
    end
    object btnClearList: TButton
      Left = 140
      Top = 46
      Width = 120
      Height = 25
      Caption = 'Clear MRU List   '
      TabOrder = 2
      OnClick = btnClearListClick
    end
  end
  object btnAddFolder: TButton
    Left = 8
    Top = 546
    Width = 100
    Height = 25
    Anchors = [akLeft, akBottom]
    Caption = 'Add Folder...'
    TabOrder = 3
    OnClick = btnAddFolderClick
  end
  object btnOK: TButton
    Left = 516
    Top = 546
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Caption = 'OK'
    Default = True
    TabOrder = 4
    OnClick = btnOKClick
  end
  object btnCancel: TButton
    Left = 597
    Top = 546
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 5
  end
  object ImageListOLIcons: TImageList
    DrawingStyle = dsTransparent
  end
end
)";

const char* const AddFolderForm = R"(object FormAddFolder: TFormAddFolder
  Left = 300
  Top = 240
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Create New Folder'
  ClientHeight = 124
  ClientWidth = 320
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  Position = poMainFormCenter
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  object LabelParent: THTMLabel
    Left = 8
    Top = 8
    Width = 304
    Height = 40
  end
  object EditFolderName: TEdit
    Left = 8
    Top = 56
    Width = 304
    Height = 21
    TabOrder = 0
  end
  object btnOK: TButton
    Left = 156
    Top = 92
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    TabOrder = 1
    OnClick = btnOKClick
  end
  object btnCancel: TButton
    Left = 237
    Top = 92
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
)";

} // namespace

void RegisterFolderPicker(forms::FormClassTable& table) {
    using P = TfrmFolders2;
    table.Register<P, TForm>()
        .StoredForm(FolderPickerForm)
        .Method("FormCreate", &P::FormCreate)
        .Method("AtShow", &P::AtShow)
        .Method("FormKeyPress", &P::FormKeyPress)
        .Method("treeFoldersExpanding", &P::treeFoldersExpanding)
        .Method("treeFoldersDeletion", &P::treeFoldersDeletion)
        .Method("treeFoldersDblClick", &P::treeFoldersDblClick)
        .Method("treeFoldersEnter", &P::treeFoldersEnter)
        .Method("ListView1DblClick", &P::ListView1DblClick)
        .Method("ListView1Enter", &P::ListView1Enter)
        .Method("btnOKClick", &P::btnOKClick)
        .Method("cbNoListUpdatesClick", &P::cbNoListUpdatesClick)
        .Method("btnClearEntryClick", &P::btnClearEntryClick)
        .Method("btnClearListClick", &P::btnClearListClick)
        .Method("btnAddFolderClick", &P::btnAddFolderClick);
    using A = TFormAddFolder;
    table.Register<A, TForm>()
        .StoredForm(AddFolderForm)
        .Method("FormShow", &A::FormShow)
        .Method("btnOKClick", &A::btnOKClick);
}
