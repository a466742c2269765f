// What the product's rooms ask of its module, which stands above them all:
// the library's form classes, from which the dialogs are made, and the
// running module's Outlook and ribbon. The module's own files at the root
// define these (the form classes in LorvaneOL_IMPL.cpp, the rest in
// ModuleServices.cpp); the settings and the dialogs include this header
// instead of the module's, so that no room knows the module's class (the
// send room asks its owner through virtual members instead). Between
// finalisation and the next start-up there is no running module (the
// program state's Module is empty).
#pragma once

#include "platform/forms/FormClass.h"
#include "platform/outlook/OutlookObjects.h"

class TOutlookApplication;

// The library's form classes: the platform's, the framework's and the product's.
const forms::FormClassTable& LorvaneFormClasses();
// The running module's Outlook application; nullptr when no module runs or
// it is not connected to Outlook.
TOutlookApplication* ModuleOutlook();
// Outlook's "MAPI" name space of the running module; raises when Outlook is
// not connected.
outlook::NameSpace ModuleSession();
// Sets the running module's ribbon state anew (its PlaceButtonBar); nothing
// while no module runs.
void ModulePlaceButtonBar();
