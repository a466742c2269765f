// The new-folder dialog: the parent's name shown (escaped, so that it shows
// as written), the name checked before the dialog closes, and the stand-in
// for the HTML label that shows the prompt.
#include "addin/DlgAddFolder.h"

#include "addin/LorvaneOL_IMPL.h"
#include "addin/StoredComponent.h"

#include "platform/controls/StdCtrls.h"
#include "platform/forms/Dialogs.h"
#include "platform/rtl/StrUtils.h"

namespace {

TFormAddFolder* dialog_ = nullptr;

// The character an entity of EscapeHtml stands for, and the entity's length; 0 for none.
std::pair<char, size_t> Entity(const std::string& html, size_t at) {
    static const std::pair<const char*, char> entities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
    for (const auto& [name, ch] : entities)
        if (html.compare(at, std::char_traits<char>::length(name), name) == 0)
            return {ch, std::char_traits<char>::length(name)};
    return {0, 0};
}

} // namespace

std::string EscapeHtml(const std::string& text) {
    std::string out;
    for (char ch : text) {
        switch (ch) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += ch;
        }
    }
    return out;
}

std::string PlainTextOfHtml(const std::string& html) {
    std::string out;
    for (size_t i = 0; i < html.size();) {
        if (html[i] == '<') {
            size_t end = html.find('>', i);
            if (end == std::string::npos)
                break;
            std::string tag = html.substr(i + 1, end - i - 1);
            if (tag == "br" || tag == "BR" || tag == "br/" || tag == "br /")
                out += '\n';
            i = end + 1;
        } else if (auto [ch, length] = Entity(html, i); length > 0) {
            out += ch;
            i += length;
        } else {
            out += html[i++];
        }
    }
    return out;
}

TLabel* TFormAddFolder::Label() const {
    return StoredComponent<TLabel>(*this, "LabelParent");
}

TEdit* TFormAddFolder::Edit() const {
    return StoredComponent<TEdit>(*this, "EditFolderName");
}

void TFormAddFolder::SetLabelHtml(const std::string& html) {
    Label()->SetCaption(PlainTextOfHtml(html));
}

void TFormAddFolder::FormShow(TObject*) {
    SetCaption("Create New Folder");
    SetLabelHtml(std::string(Prompt) + "<b>" + EscapeHtml(ParentName) + "</b>");
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
