// The ribbon: the one header to include for the tab, the control classes,
// their collections, the ribbon document and the callbacks.
//
//   TadxRibbonTab (RibbonTab.h)                       a tab of the module, its groups
//   TadxRibbonCustomControl (RibbonControl.h)         the control base
//   TadxRibbonControls, TadxRibbonItems (RibbonCollections.h)
//   group, box, button group (RibbonContainers.h); menu, split button (RibbonMenus.h);
//   button, check box, label, dialog box launcher, separators (RibbonButtons.h);
//   edit box, combo box, drop-down, gallery, item (RibbonLists.h)
//   GetCustomUI's document (RibbonDocument.h), its writer (RibbonXmlWriter.h)
//   the callbacks through the add-in object's IDispatch (RibbonCallbacks.h)
//   the controls' pictures (RibbonImages.h); the form classes (RibbonClasses.h)
#pragma once

#include "framework/ribbon/RibbonButtons.h"
#include "framework/ribbon/RibbonCallbacks.h"
#include "framework/ribbon/RibbonClasses.h"
#include "framework/ribbon/RibbonCollections.h"
#include "framework/ribbon/RibbonContainers.h"
#include "framework/ribbon/RibbonControl.h"
#include "framework/ribbon/RibbonDocument.h"
#include "framework/ribbon/RibbonImages.h"
#include "framework/ribbon/RibbonLists.h"
#include "framework/ribbon/RibbonMenus.h"
#include "framework/ribbon/RibbonTab.h"
#include "framework/ribbon/RibbonTypes.h"
#include "framework/ribbon/RibbonXmlWriter.h"
#include "framework/ribbon/adxRibbonComponent.h"
