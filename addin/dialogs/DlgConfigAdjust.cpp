// The configuration dialog as "Select actions for this item": the
// introduction, the column heads and the folder and category rows go, the
// settings group speaks of this message, OK becomes Send, and the form
// shrinks to what is left. Everything changed is remembered first, so that
// CorrectDlgConfig gives the configuration dialog back exactly as it was.
#include "addin/dialogs/DlgConfig.h"

#include "addin/settings/ProgramState.h"
#include "htmllabel/HTMLabel.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"

namespace {

// How much less tall the "Actions" group is without its heads and first two
// rows, its top in the per-message dialog, and how much the form and the
// settings group go up without the introduction.
constexpr int ActionsShrink = 65;
constexpr int ActionsTop = 8;
constexpr int FormShrink = 159;

} // namespace

void TfrmConfig::Remember(TControl* control) {
    for (const TSaved& saved : saved_)
        if (saved.Control == control)
            return;
    saved_.push_back({control, control->Caption(), control->Visible(), control->Enabled(),
                      control->BoundsRect()});
}

void TfrmConfig::AdjustDlgConfig() {
    if (itemMode_)
        return;
    itemMode_ = true;
    saved_.clear();
    savedCaption_ = Caption();
    savedClientHeight_ = ClientHeight();
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(Components(i)))
            Remember(control);

    const TProgramState& state = ProgramState();
    lbIntro->SetVisible(false);
    btOK->SetCaption("Send");
    SetCaption("Select actions for this item");
    for (TControl* c :
         {static_cast<TControl*>(edCategory), static_cast<TControl*>(btBrowse),
          static_cast<TControl*>(btSelectCategory), static_cast<TControl*>(btClearFolder),
          static_cast<TControl*>(btClearCategory)})
        c->SetEnabled(true);
    lbCaption->SetVisible(false);
    edCaption->SetVisible(false);
    cbUseCategoryDefault->SetChecked(!state.DefaultCategory.empty());
    cbUseFolderDefault->SetChecked(!state.FolderRecords[FolderRecord::Default].FolderName.empty());
    for (TControl* c : {static_cast<TControl*>(pnHeads), static_cast<TControl*>(bvCommentSpacer),
                        static_cast<TControl*>(pnFolder), static_cast<TControl*>(pnCategory),
                        static_cast<TControl*>(imgInfo), static_cast<TControl*>(gbIntro)})
        c->SetVisible(false);
    gbSettings->SetCaption("Use Following Settings");
    lbFolder->SetCaption("Filing Folder");
    lbCategory->SetCaption("Category");
    gbActions->SetBounds(gbActions->Left(), ActionsTop, gbActions->Width(),
                         gbActions->Height() - ActionsShrink);
    SetClientHeight(ClientHeight() - FormShrink);
    gbSettings->SetTop(gbSettings->Top() - FormShrink);
}

void TfrmConfig::CorrectDlgConfig() {
    if (!itemMode_)
        return;
    SetCaption(savedCaption_);
    SetClientHeight(savedClientHeight_);
    for (const TSaved& saved : saved_) {
        saved.Control->SetCaption(saved.Caption);
        saved.Control->SetVisible(saved.Visible);
        saved.Control->SetEnabled(saved.Enabled);
        saved.Control->SetBoundsRect(saved.Bounds);
    }
    saved_.clear();
    itemMode_ = false;
}
