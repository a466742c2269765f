// The about box's stored form and its handlers.
#include "addin/dialogs/DlgAbout.h"

#include "addin/dialogs/QelHtmlMessageDialog.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/gfx/Icon.h"
#include "platform/gfx/StockIcons.h"
#include "platform/rtl/Format.h"
#include "platform/win/Shell.h"

#include <memory>

namespace {

// The version shown, and the copyright line.
constexpr const char* VersionText = "Version 1.21 Bld 147";
constexpr const char* CopyrightText =
    "Copyright \xC2\xA9 2026 Lorvane Software. All rights reserved.";

const char* const FormAboutForm = R"(object FormAbout: TFormAbout
  Left = 300
  Top = 200
  BorderStyle = bsDialog
  BorderIcons = [biSystemMenu]
  Caption = 'About %0:s'
  ClientHeight = 178
  ClientWidth = 384
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  Position = poMainFormCenter
  OnCreate = FormCreate
  object Image1: TImage
    Left = 16
    Top = 16
    Width = 32
    Height = 32
  end
  object LabelTitle: TLabel
    Left = 64
    Top = 14
    Width = 120
    Height = 19
    AutoSize = False
    Caption = 'Lorvane'
    Font.Name = 'Tahoma'
    Font.Height = -16
    Font.Style = [fsBold]
  end
  object Label1: TLabel
    Left = 64
    Top = 36
    Width = 120
    Height = 13
    AutoSize = False
    Caption = 'for Outlook'
  end
  object LabelVersion: TLabel
    Left = 64
    Top = 64
    Width = 304
    Height = 13
    AutoSize = False
    Caption = 'LabelVersion'
  end
  object LabelCopyright: TLabel
    Left = 64
    Top = 84
    Width = 304
    Height = 28
    AutoSize = False
    WordWrap = True
    Caption = 'LabelCopyright'
  end
  object LabelUrl: THTMLabel
    Left = 64
    Top = 116
    Width = 304
    Height = 17
    HTMLText.Strings = (
      'Visit our website at <A href="home">%0:s</A>')
    OnAnchorClick = LabelUrlAnchorClick
  end
  object btOK: TButton
    Left = 155
    Top = 144
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'OK'
    Default = True
    ModalResult = 1
  end
end
)";

template <class T> T* Named(TForm& form, const char* name) {
    return dynamic_cast<T*>(form.FindComponent(name));
}

} // namespace

void TFormAbout::Loaded() {
    TForm::Loaded();
    Image1 = Named<TImage>(*this, "Image1");
    LabelTitle = Named<TLabel>(*this, "LabelTitle");
    Label1 = Named<TLabel>(*this, "Label1");
    LabelVersion = Named<TLabel>(*this, "LabelVersion");
    LabelCopyright = Named<TLabel>(*this, "LabelCopyright");
    LabelUrl = Named<THTMLabel>(*this, "LabelUrl");
    btOK = Named<TButton>(*this, "btOK");
}

void TFormAbout::FormCreate(TObject*) {
    SetCaption(FormatProductName(Caption()));
    LabelVersion->SetCaption(VersionText);
    LabelCopyright->SetCaption(CopyrightText);
    LabelUrl->SetHTMLText(Format(LabelUrl->GetDisplText(), {ProductHomePage}));
    // The picture: the product shows the machine's application icon.
    auto icon = std::make_unique<TIcon>();
    icon->SetHandle(LoadIcon(nullptr, IDI_APPLICATION));
    Image1->Picture()->SetGraphic(std::move(icon));
}

void TFormAbout::LabelUrlAnchorClick(TObject*, const std::string& Anchor) {
    if (Anchor == "home")
        ShellExecute(nullptr, "open", ProductHomePage, nullptr, nullptr, SW_SHOWNORMAL);
}

void RegisterFormAbout(forms::FormClassTable& table) {
    table.Register<TFormAbout, TForm>()
        .StoredForm(FormAboutForm)
        .Method("FormCreate", &TFormAbout::FormCreate)
        .Method("LabelUrlAnchorClick", &TFormAbout::LabelUrlAnchorClick);
}
