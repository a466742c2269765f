// The add-in framework: the one header a product includes. The add-in
// module on which the add-in is assembled, the COM add-in object the host
// connects to, and the class factory that makes it and registers the add-in.
//
//   TadxCOMAddInModule (AddInModule.h)   the module, its properties, events and run-time state
//   TadxAddin (AddInObject.h)            the add-in object and its connection lifecycle
//   TadxFactory (AddInFactory.h)         the class factory, registration and unregistration
//   RegisterFrameworkClasses (FrameworkClasses.h)  the framework's form classes
//   host kinds, start modes, colour schemes, ribbon kinds, errors:
//   support/OfficeHosts.h, support/StartMode.h, support/OfficeTheme.h,
//   support/RibbonKinds.h, support/FrameworkErrors.h
#pragma once

#include "framework/AddInFactory.h"
#include "framework/AddInModule.h"
#include "framework/AddInObject.h"
#include "framework/FrameworkClasses.h"
#include "framework/support/FrameworkErrors.h"
#include "framework/support/OfficeHosts.h"
#include "framework/support/OfficeTheme.h"
#include "framework/support/RibbonKinds.h"
#include "framework/support/StartMode.h"
