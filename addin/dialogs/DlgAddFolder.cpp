// The new-folder dialog: the parent's name shown in the HTML label (escaped,
// so that it shows as written), and the name checked before the dialog closes.
#include "addin/dialogs/DlgAddFolder.h"

#include "addin/dialogs/StoredComponent.h"
#include "addin/settings/ModuleServices.h"
#include "htmllabel/HTMLHelpers.h"
#include "htmllabel/HTMLabel.h"

#include "platform/controls/StdCtrls.h"
#include "platform/forms/Dialogs.h"
#include "platform/rtl/StrUtils.h"

namespace {

TFormAddFolder* dialog_ = nullptr;

} // namespace

THTMLabel* TFormAddFolder::Label() const {
    return StoredComponent<THTMLabel>(*this, "LabelParent");
}

TEdit* TFormAddFolder::Edit() const {
    return StoredComponent<TEdit>(*this, "EditFolderName");
}

void TFormAddFolder::SetLabelHtml(const std::string& html) {
    Label()->SetHTMLText(html);
}

void TFormAddFolder::FormShow(TObject*) {
    SetCaption("Create New Folder");
    SetLabelHtml(std::string(Prompt) + "<b>" + HtmlEscape(ParentName) + "</b>");
    Edit()->SetFocus();
}

void TFormAddFolder::btnOKClick(TObject*) {
    const std::string name = Trim(Edit()->Text());
    // Outlook refuses such names with an error of its own, and "\" would
    // make a path of the name: the user is told here and may try again.
    if (name.empty()) {
        MessageDlg("Enter a name for the new folder.", mtInformation, {mbOK}, 0);
        Edit()->SetFocus();
        return;
    }
    if (name.find('\\') != std::string::npos) {
        MessageDlg("A folder name cannot contain \"\\\".", mtInformation, {mbOK}, 0);
        Edit()->SetFocus();
        return;
    }
    SetModalResult(mrOk);
}

bool TFormAddFolder::CreateAndShowModal(const std::string& ParentName, std::string& FolderName) {
    TFormAddFolder& dialog = AddFolderDialog();
    dialog.ParentName = ParentName;
    dialog.Edit()->SetText("");
    if (dialog.ShowModal() != mrOk)
        return false;
    FolderName = Trim(dialog.Edit()->Text());
    return true;
}

TFormAddFolder& AddFolderDialog() {
    if (!dialog_)
        dialog_ = LorvaneFormClasses().Create<TFormAddFolder>(nullptr);
    return *dialog_;
}

void FreeAddFolderDialog() {
    if (dialog_)
        dialog_->Free();
    dialog_ = nullptr;
}
