// The user-input layer for the controls that hold choices: check boxes.
#include "platform/controls/StdCtrls.h"
#include "platform/controls/UserInput.h"

namespace controls {

void Check(TCheckBox& box, bool checked) {
    if (box.Checked() != checked)
        Click(box);
}

} // namespace controls
