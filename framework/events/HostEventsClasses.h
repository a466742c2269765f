// The host event components as form classes: what a module's stored form
// may name (TadxOutlookAppEvents with its handler properties, the other
// hosts' components) and the classes they stand on.
#pragma once

#include "platform/forms/FormClass.h"

// Registers the host event component classes in table.
void adxRegisterHostEventsClasses(forms::FormClassTable& table);
// Registers the table-driven components of the other hosts (TableEventsClasses.cpp).
void adxRegisterTableEventsClasses(forms::FormClassTable& table);
