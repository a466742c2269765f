// Registration of the standard controls for stored forms.
#include "platform/controls/ControlClassesDetail.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/ListView.h"
#include "platform/controls/TreeView.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/gfx/ImageList.h"
#include "platform/rtl/Streams.h"

namespace controls {

namespace {

using forms::FormReader;
using forms::FormValue;

const std::vector<std::string> kAlignments = {"taLeftJustify", "taRightJustify", "taCenter"};
const std::vector<std::string> kBevelCuts = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
const std::vector<std::string> kModalResults = {"mrNone",  "mrOk",      "mrCancel",  "mrAbort",
                                                "mrRetry", "mrIgnore",  "mrYes",     "mrNo",
                                                "mrAll",   "mrNoToAll", "mrYesToAll"};

void RegisterStd(forms::FormClassTable& table) {
    table.Register<TCustomLabel, TGraphicControl>()
        .Property("AutoSize", &TCustomLabel::SetAutoSize)
        .Property("WordWrap", &TCustomLabel::SetWordWrap)
        .Enum("Alignment", &TCustomLabel::SetAlignment, kAlignments)
        .Enum("Layout", &TCustomLabel::SetLayout, {"tlTop", "tlCenter", "tlBottom"})
        .Property("Transparent", &TCustomLabel::SetTransparent)
        .Property("ShowAccelChar", &TCustomLabel::SetShowAccelChar)
        .Reference("FocusControl", &TCustomLabel::SetFocusControl);
    table.Register<TLabel, TCustomLabel>();
    table.Register<TButton, TCustomControl>()
        .Property("Default", &TButton::SetDefault)
        .Property("Cancel", &TButton::SetCancel)
        .Define("ModalResult", [](TButton& b, const FormValue& v, FormReader& r) {
            // Designers write the number; a name reads as well.
            if (v.Type == FormValue::Kind::Identifier)
                b.SetModalResult(static_cast<TModalResult>(forms::ReadEnum(v, r, kModalResults)));
            else
                b.SetModalResult(static_cast<TModalResult>(forms::ReadInteger(v, r, 0, 100000)));
        });
    table.Register<TCheckBox, TCustomControl>()
        .Property("Checked", &TCheckBox::SetChecked)
        .Enum("State", &TCheckBox::SetState, {"cbUnchecked", "cbChecked", "cbGrayed"})
        .Enum("Alignment", &TCheckBox::SetAlignment, {"taLeftJustify", "taRightJustify"});
    table.Register<TCustomEdit, TCustomControl>()
        .Property("Text", &TCustomEdit::SetText)
        .Property("ReadOnly", &TCustomEdit::SetReadOnly)
        .Property("MaxLength", &TCustomEdit::SetMaxLength)
        .Event("OnChange", &TCustomEdit::OnChange);
    table.Register<TEdit, TCustomEdit>();
    table.Register<TMemo, TCustomEdit>()
        .Object("Lines", [](TMemo& m) { return m.Lines(); })
        .Enum("ScrollBars", &TMemo::SetScrollBars,
              {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"})
        .Property("WantReturns", &TMemo::SetWantReturns);
    table.Register<TGroupBox, TCustomControl>();
}

void RegisterExt(forms::FormClassTable& table) {
    table.Register<TPanel, TCustomControl>()
        .Enum("BevelOuter", &TPanel::SetBevelOuter, kBevelCuts)
        .Enum("BevelInner", &TPanel::SetBevelInner, kBevelCuts)
        .Property("BevelWidth", &TPanel::SetBevelWidth)
        .Property("BorderWidth", &TPanel::SetBorderWidth)
        .Enum("Alignment", &TPanel::SetAlignment, kAlignments);
    table.Register<TBevel, TGraphicControl>()
        .Enum("Shape", &TBevel::SetShape,
              {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine",
               "bsSpacer"})
        .Enum("Style", &TBevel::SetStyle, {"bsLowered", "bsRaised"});
    table.Register<TImagePicture>().Define("Data",
                                           [](TImagePicture& p, const FormValue& v, FormReader& r) {
                                               std::vector<uint8_t> bytes = forms::ReadBinary(v, r);
                                               TMemoryStream stream;
                                               if (!bytes.empty())
                                                   stream.WriteBuffer(bytes.data(), bytes.size());
                                               stream.SetPosition(0);
                                               p.ReadData(stream);
                                           });
    table.Register<TImage, TGraphicControl>()
        .Object("Picture", [](TImage& i) { return i.Picture(); })
        .Property("Stretch", &TImage::SetStretch)
        .Property("Center", &TImage::SetCenter)
        .Property("AutoSize", &TImage::SetAutoSize)
        .Property("Transparent", &TImage::SetTransparent);
}

void RegisterLists(forms::FormClassTable& table) {
    table.Register<TTreeView, TCustomControl>()
        .Property("ReadOnly", &TTreeView::SetReadOnly)
        .Property("RowSelect", &TTreeView::SetRowSelect)
        .Property("RightClickSelect", &TTreeView::SetRightClickSelect)
        .Property("Indent", &TTreeView::SetIndent)
        .Property("ShowButtons", &TTreeView::SetShowButtons)
        .Property("ShowRoot", &TTreeView::SetShowRoot)
        .Property("ShowLines", &TTreeView::SetShowLines)
        .Property("HideSelection", &TTreeView::SetHideSelection)
        .Reference("Images", &TTreeView::SetImages)
        .Reference("StateImages", &TTreeView::SetStateImages)
        .Event("OnChange", &TTreeView::OnChange)
        .Event("OnChanging", &TTreeView::OnChanging)
        .Event("OnExpanding", &TTreeView::OnExpanding)
        .Event("OnExpanded", &TTreeView::OnExpanded)
        .Event("OnCollapsing", &TTreeView::OnCollapsing)
        .Event("OnCollapsed", &TTreeView::OnCollapsed)
        .Event("OnDeletion", &TTreeView::OnDeletion);
    table.Register<TListColumn>()
        .Property("Caption", &TListColumn::SetCaption)
        .Property("Width", &TListColumn::SetWidth)
        .Enum("Alignment", &TListColumn::SetAlignment, kAlignments);
    table.Register<TListView, TCustomControl>()
        .Collection("Columns", [](TListView& l) { return l.Columns(); })
        .Enum("ViewStyle", &TListView::SetViewStyle,
              {"vsIcon", "vsSmallIcon", "vsList", "vsReport"})
        .Property("ReadOnly", &TListView::SetReadOnly)
        .Property("RowSelect", &TListView::SetRowSelect)
        .Property("HideSelection", &TListView::SetHideSelection)
        .Event("OnSelectItem", &TListView::OnSelectItem);
}

} // namespace

void RegisterStandardControls(forms::FormClassTable& table) {
    RegisterStd(table);
    RegisterExt(table);
    RegisterLists(table);
}

} // namespace controls
