// The framework's form classes: what a module's stored form may name and
// set. A library that builds add-in modules registers them in its own form
// class table (before its own classes, which derive from them).
#pragma once

#include "platform/forms/FormClass.h"

// Registers the add-in module with its published properties and events,
// the task-pane declarations and the host event components in table.
void RegisterFrameworkClasses(forms::FormClassTable& table);
