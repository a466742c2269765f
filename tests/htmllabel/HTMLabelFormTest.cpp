// Labels declared in a stored form, as the product's dialogs declare them:
// every published property read from the form text, the text's lines, the
// anchor-click handler bound by name, and the product's own texts shown in
// auto-sizing labels, stacked on a form that is dumped and pictured with
// real glyphs into the build tree for a person to look at.
#include "htmllabel/HTMLabel.h"
#include "platform/controls/FormDump.h"
#include "platform/controls/FormPicture.h"
#include "platform/controls/UserInput.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/rtl/Format.h"
#include "platform/win/Shell.h"
#include "tests/htmllabel/ProductTexts.h"
#include "tests/support/Golden.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const char* const kLabelForm = R"(object LabelForm: TLabelForm
  Left = 100
  Top = 100
  BorderStyle = bsDialog
  Caption = 'Labels'
  ClientHeight = 120
  ClientWidth = 320
  Font.Name = 'Tahoma'
  Font.Height = -11
  object ImageList1: TImageList
  end
  object Pictures: TPictureContainer
  end
  object HtmlLabel: THTMLabel
    Left = 8
    Top = 8
    Width = 300
    Height = 40
    Caption = 'HtmlLabel'
    AnchorHint = True
    AutoSizing = True
    AutoSizeType = asBoth
    BevelInner = bvRaised
    BevelOuter = bvLowered
    BevelWidth = 2
    BorderWidth = 1
    BorderStyle = bsSingle
    Ellipsis = True
    HintShowFull = True
    Hover = True
    HoverColor = clYellow
    HoverFontColor = clRed
    HTMLHint = True
    HTMLText.Strings = (
      'Click <a href="details">'
      'here</a>')
    Images = ImageList1
    PictureContainer = Pictures
    ShadowColor = clSilver
    ShadowOffset = 3
    URLColor = clNavy
    VAlignment = tvaBottom
    OnAnchorClick = HtmlLabelAnchorClick
  end
end
)";

class TLabelForm : public TForm {
public:
    using TForm::TForm;
    std::vector<std::string> Clicked;
    void HtmlLabelAnchorClick(TObject*, const std::string& Anchor) { Clicked.push_back(Anchor); }
};

// The form of the product's texts: one auto-sizing label per text, each on
// the top of what is left.
const char* const kTextsForm = R"(object TextsForm: TTextsForm
  Left = 100
  Top = 100
  BorderStyle = bsDialog
  Caption = 'The product''s texts'
  ClientHeight = 420
  ClientWidth = 440
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  object LabelIntro: THTMLabel
    Align = alTop
    AutoSizing = True
  end
  object LabelInfo: THTMLabel
    Align = alTop
    AutoSizing = True
    BevelOuter = bvLowered
  end
  object LabelUrl: THTMLabel
    Align = alTop
    AutoSizing = True
  end
  object HtmlLabel: THTMLabel
    Align = alTop
    AutoSizing = True
    URLColor = clBlue
  end
end
)";

class TTextsForm : public TForm {
public:
    using TForm::TForm;
};

const forms::FormClassTable& Classes() {
    static forms::FormClassTable table;
    static bool registered = [] {
        htmllabel::RegisterHTMLabelClasses(table);
        htmllabel::RegisterHTMLabelClasses(table);
        table.Register<TLabelForm, TForm>()
            .StoredForm(kLabelForm)
            .Method("HtmlLabelAnchorClick", &TLabelForm::HtmlLabelAnchorClick);
        table.Register<TTextsForm, TForm>().StoredForm(kTextsForm);
        return true;
    }();
    (void)registered;
    return table;
}

} // namespace

TEST(HTMLabelForm, AStoredFormSetsEveryPropertyAndBindsTheClick) {
    auto* form = Classes().Create<TLabelForm>(nullptr);
    auto& l = controls::Find<THTMLabel>(*form, "HtmlLabel");
    EXPECT_TRUE(l.AnchorHint());
    EXPECT_TRUE(l.AutoSizing());
    EXPECT_EQ(l.AutoSizeType(), asBoth);
    EXPECT_EQ(l.BevelInner(), bvRaised);
    EXPECT_EQ(l.BevelOuter(), bvLowered);
    EXPECT_EQ(l.BevelWidth(), 2);
    EXPECT_EQ(l.BorderWidth(), 1);
    EXPECT_EQ(l.BorderStyle(), bsSingle);
    EXPECT_TRUE(l.Ellipsis());
    EXPECT_TRUE(l.HintShowFull());
    EXPECT_TRUE(l.Hover());
    EXPECT_EQ(l.HoverColor(), clYellow);
    EXPECT_EQ(l.HoverFontColor(), clRed);
    EXPECT_TRUE(l.HTMLHint());
    EXPECT_EQ(l.GetDisplText(), "Click <a href=\"details\">here</a>");
    EXPECT_EQ(l.Images(), controls::FindComponent(*form, "ImageList1"));
    EXPECT_EQ(l.PictureContainer(), controls::FindComponent(*form, "Pictures"));
    EXPECT_EQ(l.ShadowColor(), clSilver);
    EXPECT_EQ(l.ShadowOffset(), 3);
    EXPECT_EQ(l.URLColor(), clNavy);
    EXPECT_EQ(l.VAlignment(), tvaBottom);
    EXPECT_EQ(l.Caption(), "");
    form->Show();
    form->PaintIfNeeded();
    // "Click here" is 10 characters; auto-sizing adds 6 pixels to the
    // text's extent whatever the frames. The text starts inside the bevel
    // width (2) and the border (1), one pixel in: "here" from 40.
    EXPECT_EQ(l.Width(), 60 + 6);
    EXPECT_EQ(l.Height(), 11 + 6);
    platform::LinkRecorder links;
    controls::Click(l, POINT{42, 8});
    EXPECT_EQ(form->Clicked, (std::vector<std::string>{"details"}));
    form->Free();
}

TEST(HTMLabelForm, TheProductsTextsAreShownDumpedAndPictured) {
    using namespace producttexts;
    auto* form = Classes().Create<TTextsForm>(nullptr);
    controls::Find<THTMLabel>(*form, "LabelIntro").SetHTMLText(kConfigIntro);
    controls::Find<THTMLabel>(*form, "LabelInfo").SetHTMLText(kCategoryInfo);
    controls::Find<THTMLabel>(*form, "LabelUrl").SetHTMLText(kAboutLink);
    controls::Find<THTMLabel>(*form, "HtmlLabel").SetHTMLText(kMessage);
    form->Show();
    form->PaintIfNeeded();
    // Each label is as high as its text and 6 more, stacked from the top:
    // at 440 wide the introduction takes 6 lines, the information 16 (in
    // a bevel of 1, which auto-sizing does not count), the link 1 and the
    // message 2.
    struct Case {
        const char* Name;
        int Height;
    };
    const Case cases[] = {
        {"LabelIntro", 66 + 6},
        {"LabelInfo", 176 + 6},
        {"LabelUrl", 11 + 6},
        {"HtmlLabel", 22 + 6},
    };
    int top = 0;
    for (const Case& c : cases) {
        auto& label = controls::Find<THTMLabel>(*form, c.Name);
        EXPECT_EQ(label.BoundsRect(), Rect(0, top, 440, top + c.Height)) << c.Name;
        top += c.Height;
    }
    std::string dump = controls::DumpForm(*form);
    testsupport::ExpectGolden("texts-form.txt", dump);
    std::filesystem::path picture =
        std::filesystem::path(LORVANE_BIN_DIR).parent_path() / "htmllabel-texts-form.png";
    controls::SaveFormPicture(*form, picture.string());
    EXPECT_GT(std::filesystem::file_size(picture), 1000u);
    EXPECT_EQ(controls::DumpForm(*form), dump);
    form->Free();
}
