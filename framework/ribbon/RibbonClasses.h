// The ribbon's form classes: the tab and every control class, with the
// properties a module's stored form sets on them, the children collections
// and the containers' own "ControlTypes" and "Controls_".
#pragma once

namespace forms {
class FormClassTable;
}

// Registers the ribbon classes (and the drawing classes their glyphs and
// image lists need) in table.
void RegisterRibbonClasses(forms::FormClassTable& table);
