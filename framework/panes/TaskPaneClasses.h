// The form class of the task-pane declaration, registered with the framework's.
#pragma once

#include "platform/forms/FormClass.h"

// Registers TadxCustomTaskPane and its stored properties.
void adxRegisterTaskPaneClasses(forms::FormClassTable& table);
