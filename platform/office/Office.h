// The Office host interfaces: the one header to include.
//
// Called by the host on the add-in object
//   IDTExtensibility2 (Extensibility.h), IRibbonExtensibility (Ribbon.h),
//   ICustomTaskPaneConsumer (TaskPanes.h).
// Handed by the host to the add-in
//   COMAddIn (COMAddIn.h), IRibbonUI and IRibbonControl (Ribbon.h),
//   ICTPFactory and _CustomTaskPane (TaskPanes.h), CommandBars with
//   _CommandBarsEvents (CommandBars.h), IOleWindow of host windows
//   (OleWindow.h).
// Numbers the interfaces leave open
//   Connect and remove modes, task-pane docking, ribbon sizes, LoadBehavior
//   bits, event DISPIDs (OfficeConstants.h).
#pragma once

#include "platform/office/COMAddIn.h"
#include "platform/office/CommandBars.h"
#include "platform/office/Extensibility.h"
#include "platform/office/OfficeConstants.h"
#include "platform/office/OleWindow.h"
#include "platform/office/Ribbon.h"
#include "platform/office/TaskPanes.h"
