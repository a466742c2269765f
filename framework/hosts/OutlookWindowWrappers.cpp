// The inspector wrapper's command bars.
#include "framework/hosts/OutlookWindowWrappers.h"

void TadxInspector::ClearCommandBars(bool ClearAll) {
    // Each bar placed here would release its controls' host interfaces (the
    // advanced controls' windows for this inspector always; buttons, combo
    // boxes and pop-ups only with ClearAll) and then its own; the module
    // declares no command bar, so no bar is ever placed in an inspector.
    (void)ClearAll;
    PlacedCommandBars.clear();
}
