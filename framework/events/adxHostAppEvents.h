// The host event components: what an add-in's author puts on the module to
// hear the host application's events, and what host detection connects.
//
//   TadxCustomEvents, TadxHostInterfaceEvents (adxCustomEvents.h)   the base and its sink
//   TadxEventDispatch (EventDispatch.h)                             the sink the host calls
//   TadxOutlookAppEvents (OutlookAppEvents.h)                       Outlook's events
//   its name space, collection and window sinks (OutlookEventSinks.h)
//   TadxOutlook2007Application (Outlook2007Events.h)                Outlook 2007's context menus
//   the other hosts' components (OfficeHostEvents.h)
#pragma once

#include "framework/events/EventDispatch.h"
#include "framework/events/OfficeHostEvents.h"
#include "framework/events/Outlook2007Events.h"
#include "framework/events/OutlookAppEvents.h"
#include "framework/events/OutlookEventSinks.h"
#include "framework/events/adxCustomEvents.h"
