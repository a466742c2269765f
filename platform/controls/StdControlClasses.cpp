// Registration of the standard controls for stored forms.
#include "platform/controls/ControlClassesDetail.h"

#include "platform/forms/FormClassBuilder.h"

namespace controls {

void RegisterStandardControls(forms::FormClassTable& table) {}

} // namespace controls
