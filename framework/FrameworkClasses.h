// The framework's form classes: what a module's stored form may name and
// set. A library that builds add-in modules registers them in its own form
// class table (before its own classes, which derive from them).
#pragma once

#include "platform/forms/FormClass.h"

// Registers the add-in module with its published properties and events,
// the task-pane declarations and the host event components in table: the
// module class, then the component classes.
void RegisterFrameworkClasses(forms::FormClassTable& table);
// Registers the add-in module class alone, all a module class deriving from
// it needs to be read for its own settings (see forms::FormClassesOnDemand).
void RegisterFrameworkModuleClass(forms::FormClassTable& table);
// Registers the rest: the task-pane, host event, ribbon and command-bar classes.
void RegisterFrameworkComponentClasses(forms::FormClassTable& table);
