// A form holding every control, read from its stored text as the dialogs'
// forms are: its text dump is a golden file, a script plays it through the
// user-input layer, and its picture is written to the build tree for a
// person to look at.
#include "platform/controls/ControlClasses.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/FormDump.h"
#include "platform/controls/FormPicture.h"
#include "platform/controls/ListView.h"
#include "platform/controls/Menus.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/UserInput.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/gfx/Bitmap.h"
#include "platform/sim/ModalScript.h"
#include "platform/win/Hook.h"
#include "tests/support/Golden.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const char* const kEveryControlForm = R"(object EveryControlForm: TEveryControlForm
  Left = 200
  Top = 120
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Every control'
  ClientHeight = 360
  ClientWidth = 520
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  Hint = 'Click for further details'
  KeyPreview = True
  Menu = MainMenu1
  Position = poScreenCenter
  ShowHint = True
  OnCreate = FormCreate
  OnKeyPress = FormKeyPress
  PixelsPerInch = 96
  TextHeight = 13
  object GroupTree: TGroupBox
    Left = 8
    Top = 8
    Width = 200
    Height = 190
    Caption = 'Select Folder'
    TabOrder = 0
    object treeFolders: TTreeView
      Left = 8
      Top = 16
      Width = 184
      Height = 166
      Constraints.MaxHeight = 166
      Constraints.MaxWidth = 300
      Constraints.MinHeight = 166
      HideSelection = False
      Indent = 19
      ReadOnly = True
      RightClickSelect = True
      RowSelect = True
      TabOrder = 0
      OnDblClick = treeFoldersDblClick
      OnExpanding = treeFoldersExpanding
    end
  end
  object GroupMru: TGroupBox
    Left = 216
    Top = 8
    Width = 296
    Height = 120
    Caption = 'Most Recently Used (MRU)'
    TabOrder = 1
    object ListView1: TListView
      Left = 8
      Top = 16
      Width = 280
      Height = 96
      Columns = <
        item
          Caption = 'Folder'
          Width = 80
        end
        item
          Caption = 'Path'
          Width = 180
        end>
      HideSelection = False
      ReadOnly = True
      RowSelect = True
      TabOrder = 0
      ViewStyle = vsReport
    end
  end
  object Panel1: TPanel
    Left = 216
    Top = 136
    Width = 296
    Height = 62
    BevelOuter = bvLowered
    TabOrder = 2
    object cbNoListUpdates: TCheckBox
      Left = 8
      Top = 8
      Width = 140
      Height = 17
      Caption = 'Disable List Updates'
      TabOrder = 0
    end
    object btnClearEntry: TButton
      Left = 8
      Top = 30
      Width = 120
      Height = 25
      Caption = 'Clear MRU Entry'
      TabOrder = 1
    end
    object btnClearList: TButton
      Left = 136
      Top = 30
      Width = 120
      Height = 25
      Caption = 'Clear MRU List   '
      TabOrder = 2
    end
  end
  object EditFolder: TEdit
    Left = 8
    Top = 212
    Width = 200
    Height = 21
    ReadOnly = True
    TabOrder = 3
    Text = 'Mailbox\Inbox'
  end
  object Memo1: TMemo
    Left = 216
    Top = 212
    Width = 296
    Height = 80
    Lines.Strings = (
      'Exceptions:'
      '============'
      'System Info:')
    ReadOnly = True
    ScrollBars = ssBoth
    TabOrder = 4
  end
  object btnOK: TButton
    Left = 356
    Top = 328
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 5
  end
  object btnCancel: TButton
    Left = 437
    Top = 328
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 6
  end
  object LabelComment: TLabel
    Left = 8
    Top = 244
    Width = 170
    Height = 40
    AutoSize = False
    Caption = 'Add existing categories to reply/forward message'
    WordWrap = True
  end
  object ImageInfo: TImage
    Left = 184
    Top = 244
    Width = 16
    Height = 16
    Cursor = crHandPoint
    Hint = 'Click for further details'
    Center = True
    Picture.Data = {
      07544269746D617066000000424D660000000000000036000000280000000400
      000004000000010018000000000030000000130B0000130B0000000000000000
      00000000C8FFFFFF0000C8FFFFFFFFFFFF0000C8FFFFFF0000C80000C8FFFFFF
      0000C8FFFFFFFFFFFF0000C8FFFFFF0000C8}
    OnClick = ImageInfoClick
  end
  object Bevel1: TBevel
    Left = 8
    Top = 300
    Width = 504
    Height = 2
    Shape = bsTopLine
  end
  object MainMenu1: TMainMenu
    object SaveAs1: TMenuItem
      Caption = 'Save as ...'
      OnClick = SaveAs1Click
    end
  end
end
)";

class TEveryControlForm : public TForm {
public:
    using TForm::TForm;
    std::vector<std::string> Log;

    void FormCreate(TObject*) {
        auto* tree = static_cast<TTreeView*>(FindComponent("treeFolders"));
        TTreeNode* store = tree->Items()->Add(nullptr, "Mailbox");
        store->SetStateIndex(1);
        store->SetHasChildren(true);
        TTreeNode* archive = tree->Items()->Add(nullptr, "Archive");
        archive->SetStateIndex(3);
        archive->SetHasChildren(true);
        auto* list = static_cast<TListView*>(FindComponent("ListView1"));
        for (const char* path : {"Mailbox\\Inbox\\Projects", "Archive\\2023"}) {
            std::string p = path;
            TListItem* item = list->Items()->Add();
            item->SetCaption(p.substr(p.rfind('\\') + 1));
            item->SubItems()->Add(p);
        }
    }
    void treeFoldersExpanding(TObject* Sender, TTreeNode* Node, bool&) {
        Log.push_back("expanding " + Node->Text());
        auto* tree = static_cast<TTreeView*>(Sender);
        Node->DeleteChildren();
        for (const char* name : {"Sent Items", "Inbox", "Drafts"})
            tree->Items()->AddChild(Node, name)->SetStateIndex(2);
        Node->AlphaSort(false);
    }
    void treeFoldersDblClick(TObject*) { Log.push_back("double click"); }
    void FormKeyPress(TObject*, char& Key) { Log.push_back("key " + std::to_string(Key)); }
    void ImageInfoClick(TObject*) { Log.push_back("image clicked"); }
    void SaveAs1Click(TObject*) { Log.push_back("save as"); }
};

const forms::FormClassTable& Classes() {
    static forms::FormClassTable table;
    static bool registered = [] {
        controls::RegisterControlClasses(table);
        table.Register<TEveryControlForm, TForm>()
            .StoredForm(kEveryControlForm)
            .Method("FormCreate", &TEveryControlForm::FormCreate)
            .Method("treeFoldersExpanding", &TEveryControlForm::treeFoldersExpanding)
            .Method("treeFoldersDblClick", &TEveryControlForm::treeFoldersDblClick)
            .Method("FormKeyPress", &TEveryControlForm::FormKeyPress)
            .Method("ImageInfoClick", &TEveryControlForm::ImageInfoClick)
            .Method("SaveAs1Click", &TEveryControlForm::SaveAs1Click);
        return true;
    }();
    (void)registered;
    return table;
}

} // namespace

TEST(EveryControl, AFormReadFromItsStoredTextIsPlayedDumpedAndPictured) {
    auto* form = Classes().Create<TEveryControlForm>(nullptr);
    sim::ModalScript user;
    std::string dump;
    user.OnForm([&](TForm& f) {
        controls::SelectNode(controls::Find<TTreeView>(f, "treeFolders"), "Mailbox\\Inbox");
        controls::SelectRow(controls::Find<TListView>(f, "ListView1"), 1);
        controls::Check(controls::Find<TCheckBox>(f, "cbNoListUpdates"));
        controls::Click(controls::Find<TImage>(f, "ImageInfo"));
        EXPECT_EQ(controls::ShownCursor(), crHandPoint);
        EXPECT_EQ(controls::RestMouse()->Text, "Click for further details");
        EXPECT_TRUE(controls::ChooseMenu(f, "Save as ..."));
        controls::Find<TTreeView>(f, "treeFolders").SetFocus();
        dump = controls::DumpForm(f);
        // The picture of the settled form changes nothing in it.
        std::filesystem::path picture = std::filesystem::current_path() / "every-control.png";
        controls::SaveFormPicture(f, picture.string());
        EXPECT_GT(std::filesystem::file_size(picture), 1000u);
        EXPECT_EQ(controls::DumpForm(f), dump);
        EXPECT_FALSE(f.NeedsPaint());
        controls::PressKey(f, VK_RETURN);
        return mrNone;
    });
    forms::ScopedModalDriver driver(user);
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(form->Log,
              (std::vector<std::string>{"expanding Mailbox", "image clicked", "save as"}));
    testsupport::ExpectGolden("every-control.txt", dump);
    form->Free();
}

TEST(EveryControl, TheStoredFormSetsEveryPublishedProperty) {
    auto* form = Classes().Create<TEveryControlForm>(nullptr);
    EXPECT_EQ(form->ClientWidth(), 520);
    EXPECT_EQ(form->ClientHeight(), 360);
    EXPECT_EQ(form->Menu()->Items()->Items(0)->Caption(), "Save as ...");
    auto& image = controls::Find<TImage>(*form, "ImageInfo");
    ASSERT_NE(image.Picture()->Graphic(), nullptr);
    EXPECT_EQ(image.Picture()->Width(), 4);
    auto& list = controls::Find<TListView>(*form, "ListView1");
    ASSERT_EQ(list.Columns()->Count(), 2);
    EXPECT_EQ(list.Columns()->Items(1)->Width(), 180);
    auto& ok = controls::Find<TButton>(*form, "btnOK");
    EXPECT_TRUE(ok.Default());
    EXPECT_EQ(ok.ModalResult(), mrOk);
    EXPECT_EQ(controls::Find<TTreeView>(*form, "treeFolders").Constraints()->MaxWidth(), 300);
    // The bottom-right buttons follow the form's bottom-right corner.
    form->SetClientHeight(400);
    EXPECT_EQ(ok.Top(), 368);
    form->Free();
}
