// Outlook's object model for the framework and the product: the one header
// to include.
//
// Interface and event IDs, event DISPIDs, item classes and folder numbers
//   OutlookTypes.h.
// Late-bound typed access (outlook::Application, NameSpace, MAPIFolder,
// Folders, Items, MailItem, AppointmentItem, TaskItem, Explorer, Inspector,
// Explorers, Inspectors, Selection)
//   OutlookObjects.h.
// Server wrappers with ConnectTo, Disconnect and their events as handlers
//   TOleServer (OleServer.h); TOutlookApplication, TNameSpace
//   (OutlookApplication.h, the application's handlers in
//   ApplicationEvents.h); TExplorers, TInspectors, TExplorer, TInspector
//   (OutlookWindows.h); TItems, TMailItem, TAppointmentItem, TTaskItem
//   (OutlookItems.h); handler types (OutlookEvents.h).
#pragma once

#include "platform/outlook/ApplicationEvents.h"
#include "platform/outlook/OleServer.h"
#include "platform/outlook/OutlookApplication.h"
#include "platform/outlook/OutlookEvents.h"
#include "platform/outlook/OutlookItems.h"
#include "platform/outlook/OutlookObjects.h"
#include "platform/outlook/OutlookTypes.h"
#include "platform/outlook/OutlookWindows.h"
