// The controls' classes as stored forms name them: the control base with its
// published properties and events (bounds, Align, Anchors, Font, Color,
// Caption, hints, tab order, the mouse, keyboard and focus events), TForm
// with its frame, position and events, and the standard controls with their
// own properties. Each library that reads forms registers them in its own
// table, once, after the drawing layer's classes (which this registers too):
//   controls::RegisterControlClasses(table);   // a second call does nothing
#pragma once

namespace forms {
class FormClassTable;
}

namespace controls {

// Registers the classes above (and the drawing layer's) in table.
void RegisterControlClasses(forms::FormClassTable& table);

} // namespace controls
