// The configuration dialog's stored form, as the designer keeps it, with the
// handlers it binds by name. The rows of the "Actions" table are panels
// stacked from the top of their group, so that the per-message dialog,
// which hides the first two rows and the column heads, shows the others
// from the group's top.
#include "addin/dialogs/DlgConfig.h"

#include "platform/forms/FormClassBuilder.h"

namespace {

const char* const FrmConfigForm = R"(object frmConfig: TfrmConfig
  Left = 244
  Top = 174
  BorderStyle = bsDialog
  BorderIcons = [biSystemMenu]
  Caption = 'Configure Default Tracking Options'
  ClientHeight = 420
  ClientWidth = 536
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  Hint = 'Click for further details'
  KeyPreview = True
  Position = poDesktopCenter
  OnKeyDown = FormKeyDown
  OnShow = AtShow
  object gbIntro: TGroupBox
    Left = 8
    Top = 8
    Width = 520
    Height = 92
    Caption = 'Define Default Actions for the Sent Item'
    object lbIntro: THTMLabel
      Left = 8
      Top = 18
      Width = 504
      Height = 66
      AutoSizing = True
      HTMLText.Strings = (
        'Here you can define one or more default actions for an item to be sent.<br>'
        'These default actions will be executed when clicking the ''Send'' button to send the message.<br><br>'
        'For specific action(s) click the ''Track + Send'' button or the pull-down button on the New Mail form.')
    end
  end
  object gbActions: TGroupBox
    Left = 8
    Top = 106
    Width = 520
    Height = 170
    Caption = 'Actions'
    object pnHeads: TPanel
      Align = alTop
      Height = 13
      BevelOuter = bvNone
      object lbHeadAlways: TLabel
        Left = 126
        Top = 0
        Width = 40
        Height = 13
        AutoSize = False
        Caption = 'Always'#13#10
      end
      object lbHeadAsk: TLabel
        Left = 176
        Top = 0
        Width = 30
        Height = 13
        AutoSize = False
        Caption = 'Ask'
      end
      object bvCommentSpacer: TBevel
        Left = 216
        Top = 0
        Width = 2
        Height = 13
        Shape = bsLeftLine
      end
      object lbHeadComment: TLabel
        Left = 224
        Top = 0
        Width = 60
        Height = 13
        AutoSize = False
        Caption = 'Comment'
      end
    end
    object pnFolder: TPanel
      Align = alTop
      Height = 26
      BevelOuter = bvNone
      object lbRowFolder: TLabel
        Left = 8
        Top = 6
        Width = 118
        Height = 13
        AutoSize = False
        Caption = 'File to Folder'
      end
      object cbUseFolderDefault: TCheckBox
        Left = 136
        Top = 4
        Width = 17
        Height = 17
        OnClick = cbUseFolderDefaultClick
      end
      object cbUseFolderAsk: TCheckBox
        Left = 180
        Top = 4
        Width = 17
        Height = 17
        OnClick = cbUseFolderAskClick
      end
      object lbFolderComment: TLabel
        Left = 224
        Top = 1
        Width = 264
        Height = 24
        AutoSize = False
        WordWrap = True
        Caption = 'Define default Filing Folder below / ''Ask'' will show Browse window'
      end
    end
    object pnCategory: TPanel
      Align = alTop
      Height = 26
      BevelOuter = bvNone
      object lbRowCategory: TLabel
        Left = 8
        Top = 6
        Width = 118
        Height = 13
        AutoSize = False
        Caption = 'Add Category'
      end
      object cbUseCategoryDefault: TCheckBox
        Left = 136
        Top = 4
        Width = 17
        Height = 17
        OnClick = cbUseCategoryDefaultClick
      end
      object cbUseCategoryAsk: TCheckBox
        Left = 180
        Top = 4
        Width = 17
        Height = 17
        OnClick = cbUseCategoryAskClick
      end
      object lbCategoryComment: TLabel
        Left = 224
        Top = 1
        Width = 264
        Height = 24
        AutoSize = False
        WordWrap = True
        Caption = 'Define default Category below / ''Ask'' will show Category picker'
      end
    end
    object pnMaintain: TPanel
      Align = alTop
      Height = 26
      BevelOuter = bvNone
      object lbRowMaintain: TLabel
        Left = 8
        Top = 6
        Width = 118
        Height = 13
        AutoSize = False
        Caption = 'Maintain Categories'
      end
      object cbUseMaintainCategoryDefault: TCheckBox
        Left = 136
        Top = 4
        Width = 17
        Height = 17
        Checked = True
      end
      object lbMaintainComment: TLabel
        Left = 224
        Top = 1
        Width = 264
        Height = 24
        AutoSize = False
        WordWrap = True
        Caption = 'Add existing categories to reply/forward message'
      end
      object imgInfo: TImage
        Left = 494
        Top = 5
        Width = 16
        Height = 16
        Cursor = crHandPoint
        Hint = 'Click for further details'
        ShowHint = True
        Stretch = True
        OnClick = imgInfoClick
      end
    end
    object pnCalendar: TPanel
      Align = alTop
      Height = 26
      BevelOuter = bvNone
      object lbRowCalendar: TLabel
        Left = 8
        Top = 6
        Width = 118
        Height = 13
        AutoSize = False
        Caption = 'Add to Calendar'
      end
      object cbUseCalendarDefault: TCheckBox
        Left = 136
        Top = 4
        Width = 17
        Height = 17
      end
      object lbCalendarComment: TLabel
        Left = 224
        Top = 1
        Width = 264
        Height = 24
        AutoSize = False
        WordWrap = True
        Caption = 'Create new Calendar entry for Sent Item'
      end
    end
    object pnTasks: TPanel
      Align = alTop
      Height = 26
      BevelOuter = bvNone
      object lbRowTasks: TLabel
        Left = 8
        Top = 6
        Width = 118
        Height = 13
        AutoSize = False
        Caption = 'Add to Tasks'
      end
      object cbUseTasksDefault: TCheckBox
        Left = 136
        Top = 4
        Width = 17
        Height = 17
      end
      object lbTasksComment: TLabel
        Left = 224
        Top = 1
        Width = 264
        Height = 24
        AutoSize = False
        WordWrap = True
        Caption = 'Create new Task entry for Sent Item'
      end
    end
  end
  object gbSettings: TGroupBox
    Left = 8
    Top = 284
    Width = 520
    Height = 92
    Caption = 'Default Settings'
    object lbFolder: TLabel
      Left = 8
      Top = 24
      Width = 124
      Height = 13
      AutoSize = False
      Caption = 'Default Filing Folder'
    end
    object pnFolderEdit: TPanel
      Left = 136
      Top = 20
      Width = 240
      Height = 21
      BevelOuter = bvNone
      Enabled = False
      object edFolder: TEdit
        Align = alClient
        ReadOnly = True
      end
    end
    object btBrowse: TButton
      Left = 384
      Top = 18
      Width = 60
      Height = 25
      Caption = 'Browse'
      OnClick = btBrowseClick
    end
    object btClearFolder: TButton
      Tag = 1
      Left = 452
      Top = 18
      Width = 60
      Height = 25
      Caption = 'Clear'
      OnClick = btClearClick
    end
    object lbCategory: TLabel
      Left = 8
      Top = 60
      Width = 124
      Height = 13
      AutoSize = False
      Caption = 'Default Category'
    end
    object edCategory: TEdit
      Left = 136
      Top = 56
      Width = 240
      Height = 21
      ReadOnly = True
    end
    object btSelectCategory: TButton
      Left = 384
      Top = 54
      Width = 60
      Height = 25
      Caption = 'Select'
      OnClick = btSelectCategoryClick
    end
    object btClearCategory: TButton
      Tag = 2
      Left = 452
      Top = 54
      Width = 60
      Height = 25
      Caption = 'Clear'
      OnClick = btClearClick
    end
  end
  object lbCaption: TLabel
    Left = 96
    Top = 394
    Width = 80
    Height = 13
    Caption = 'Button Caption'
  end
  object edCaption: TEdit
    Left = 180
    Top = 390
    Width = 100
    Height = 21
  end
  object btDefaults: TButton
    Left = 8
    Top = 388
    Width = 75
    Height = 25
    Anchors = [akLeft, akBottom]
    Caption = 'Defaults'
    OnClick = btDefaultsClick
  end
  object btOK: TButton
    Left = 372
    Top = 388
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Caption = 'OK'
    Default = True
    OnClick = btOKClick
  end
  object btCancel: TButton
    Left = 453
    Top = 388
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Caption = 'Cancel'
    OnClick = btCancelClick
  end
end
)";

} // namespace

void RegisterFrmConfig(forms::FormClassTable& table) {
    using F = TfrmConfig;
    table.Register<F, TForm>()
        .StoredForm(FrmConfigForm)
        .Method("AtShow", &F::AtShow)
        .Method("FormKeyDown", &F::FormKeyDown)
        .Method("cbUseFolderDefaultClick", &F::cbUseFolderDefaultClick)
        .Method("cbUseFolderAskClick", &F::cbUseFolderAskClick)
        .Method("cbUseCategoryDefaultClick", &F::cbUseCategoryDefaultClick)
        .Method("cbUseCategoryAskClick", &F::cbUseCategoryAskClick)
        .Method("btBrowseClick", &F::btBrowseClick)
        .Method("btClearClick", &F::btClearClick)
        .Method("btSelectCategoryClick", &F::btSelectCategoryClick)
        .Method("imgInfoClick", &F::imgInfoClick)
        .Method("btOKClick", &F::btOKClick)
        .Method("btCancelClick", &F::btCancelClick)
        .Method("btDefaultsClick", &F::btDefaultsClick);
}
