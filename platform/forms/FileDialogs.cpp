// The save dialog, played through the modal driver.
#include "platform/forms/FileDialogs.h"

#include "platform/forms/ModalDriver.h"

bool TSaveDialog::Execute() {
    forms::SaveFileRequest request{Title, Filter, DefaultExt, FileName};
    std::string chosen = forms::RunSaveFileDialog(request);
    if (chosen.empty())
        return false;
    FileName = chosen;
    return true;
}
