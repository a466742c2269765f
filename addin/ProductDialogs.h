// The product's dialogs as the library's form classes know them: the
// configuration dialog and the about box with their stored forms.
#pragma once

namespace forms {
class FormClassTable;
}

// Registers TfrmConfig and TFormAbout in table (after the HTML label's classes).
void RegisterProductDialogs(forms::FormClassTable& table);
