// Registration of the command bars' form classes: the bars with their
// "ButtonTypes", "Buttons" and "PropertyChanged", and the control kinds.
#pragma once

#include "platform/forms/FormClass.h"

// Registers the bar and control classes in table.
void adxRegisterCommandBarClasses(forms::FormClassTable& table);
