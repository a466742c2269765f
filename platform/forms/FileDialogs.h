// The class library's save dialog: a component that asks the user for a file
// to write. Execute goes through the process's modal driver (ModalDriver.h),
// which plays the user; with no driver installed the dialog is cancelled.
#pragma once

#include "platform/forms/Component.h"

#include <string>

class TSaveDialog : public TComponent {
public:
    // A dialog owned by `AOwner`.
    explicit TSaveDialog(TComponent* AOwner) : TComponent(AOwner) {}

    // The title bar's text (empty: the system's "Save As").
    std::string Title;
    // The file types offered, as "description|pattern" pairs joined by "|".
    std::string Filter;
    // The extension added to a name typed without one.
    std::string DefaultExt;
    // The name proposed, and after a successful Execute the file chosen.
    std::string FileName;

    // Shows the dialog; true with FileName set when the user chose a file.
    bool Execute();
};
