// The new-folder dialog of the folder picker: it names the folder the new
// one goes into and takes the new folder's name. A name Outlook cannot take
// (blank, or holding "\", which separates the names of a path) is refused
// with a word to the user and the dialog stays open.
//
// The text above the name is HTML, shown by an HTML label: the prompt, a line
// break and the parent's name in bold, escaped so that it shows as written.
#pragma once

#include "platform/controls/Form.h"

#include <string>

class TButton;
class TEdit;
class THTMLabel;

class TFormAddFolder : public TForm {
public:
    // CreateNew: the dialog without its stored form.
    using TForm::TForm;

    // The text of the label, before the parent's name.
    static constexpr const char* Prompt = "Enter name of new folder to be created <br>in ";

    // Shows the dialog for a new folder in the folder named ParentName;
    // true on OK, with the name entered in FolderName.
    static bool CreateAndShowModal(const std::string& ParentName, std::string& FolderName);

    // Shows html in the label above the name.
    void SetLabelHtml(const std::string& html);
    // The parent folder's name, shown when the dialog shows.
    std::string ParentName;

    // Shows the parent's name and puts the focus in the name.
    void FormShow(TObject* Sender);
    // Closes with OK when the name can be a folder's, else says why.
    void btnOKClick(TObject* Sender);

private:
    THTMLabel* Label() const;
    TEdit* Edit() const;
};

// The dialog, made on first use and kept.
TFormAddFolder& AddFolderDialog();
// Frees the dialog when it was made (at finalisation).
void FreeAddFolderDialog();
