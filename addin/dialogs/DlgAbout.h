// The about box: the product's name, version and copyright, and a link to its
// home page. The module makes it on first use and keeps it until it is
// finalised (ShowAbout).
#pragma once

#include "htmllabel/HTMLabel.h"
#include "platform/controls/Form.h"

#include <string>

namespace forms {
class FormClassTable;
}

class TButton;
class TImage;
class TLabel;

// The product's home page, which the about box's link opens.
inline constexpr const char* ProductHomePage = "https://www.lorvane.example/";

class TFormAbout : public TForm {
public:
    using TForm::TForm;

    // The controls of the stored form.
    TImage* Image1 = nullptr;
    TLabel* LabelTitle = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* LabelVersion = nullptr;
    TLabel* LabelCopyright = nullptr;
    THTMLabel* LabelUrl = nullptr;
    TButton* btOK = nullptr;

    // OnCreate: the caption with the product's name, the version, the
    // copyright line and the home page in the link.
    void FormCreate(TObject* Sender);
    // A click on the "home" link opens the home page.
    void LabelUrlAnchorClick(TObject* Sender, const std::string& Anchor);

protected:
    // Binds the fields to the stored form's controls.
    void Loaded() override;
};

// Registers TFormAbout with its stored form.
void RegisterFormAbout(forms::FormClassTable& table);
