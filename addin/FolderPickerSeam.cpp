// The picker hooks' one instance.
#include "addin/FolderPickerSeam.h"

TFolderPickerSeam& FolderPickerSeam() {
    static TFolderPickerSeam seam;
    return seam;
}
