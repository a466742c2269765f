// The parts of the controls' registration for stored forms, one per family
// of controls (ControlClasses.cpp calls them in order).
#pragma once

namespace forms {
class FormClassTable;
}

namespace controls {

// Labels, buttons, check boxes, edits, memos, group boxes, panels, bevels,
// images, tree views and list views.
void RegisterStandardControls(forms::FormClassTable& table);

} // namespace controls
