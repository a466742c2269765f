// The picker hooks' one instance, filled with the folder picker's own
// (FolderPickerRun.cpp); a test may put stand-ins in their place.
#include "addin/dialogs/FolderPickerSeam.h"

#include "addin/dialogs/adxFrmFolders2.h"

TFolderPickerSeam& FolderPickerSeam() {
    static TFolderPickerSeam seam = FolderPickerHooks();
    return seam;
}
