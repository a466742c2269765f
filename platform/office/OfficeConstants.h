// Values that Office passes to an add-in or takes from it, for which the
// interfaces themselves name no numbers: connect and remove modes of the
// connection interface, task-pane docking, ribbon control sizes, the
// LoadBehavior bits of an add-in key, and the DISPIDs of the events the
// framework sinks. The numbers are the ones Office uses.
#pragma once

#include "platform/com/Dispatch.h"

// The modes are 32-bit integers on the wire, so every such value (an
// unknown one too) is a valid value of the enumeration.

// How the host connects an add-in (IDTExtensibility2::OnConnection).
enum ext_ConnectMode : int32_t {
    // Connected while the host runs (COM add-ins dialog, automation); the host
    // sends no separate OnStartupComplete.
    ext_cm_AfterStartup = 0,
    // Connected while the host starts; OnStartupComplete follows.
    ext_cm_Startup = 1,
    // Connected by an external program.
    ext_cm_External = 2,
    // Connected from the host's command line.
    ext_cm_CommandLine = 3,
};

// Why the host disconnects an add-in (IDTExtensibility2::OnDisconnection).
enum ext_DisconnectMode : int32_t {
    // The host is shutting down (OnBeginShutdown came first).
    ext_dm_HostShutdown = 0,
    // The user or a program removed the add-in while the host keeps running.
    ext_dm_UserClosed = 1,
};

// Where a custom task pane docks.
enum MsoCTPDockPosition {
    msoCTPDockPositionLeft = 0,
    msoCTPDockPositionTop = 1,
    msoCTPDockPositionRight = 2,
    msoCTPDockPositionBottom = 3,
    msoCTPDockPositionFloating = 4,
};

// Which docking changes the user may make to a custom task pane.
enum MsoCTPDockPositionRestrict {
    msoCTPDockPositionRestrictNone = 0,
    msoCTPDockPositionRestrictNoChange = 1,
    msoCTPDockPositionRestrictNoHorizontal = 2,
    msoCTPDockPositionRestrictNoVertical = 3,
};

// The answer of a ribbon control's getSize callback.
enum RibbonControlSize {
    RibbonControlSizeRegular = 0,
    RibbonControlSizeLarge = 1,
};

// Bits of the "LoadBehavior" value of an add-in key.
enum OfficeLoadBehavior : unsigned {
    // The add-in is connected (the host sets and clears this bit itself).
    LoadBehaviorConnected = 0x1,
    // The host loads the add-in when it starts.
    LoadBehaviorLoadAtStartup = 0x2,
    // The host loads the add-in when one of its commands is first used.
    LoadBehaviorLoadOnDemand = 0x8,
    // The host loads the add-in once at its next start, then on demand.
    LoadBehaviorConnectFirstTime = 0x10,
};

// Event DISPIDs of a custom task pane (_CustomTaskPaneEvents); each event
// passes the pane as its only argument.
constexpr DISPID DISPID_CTPVisibleStateChange = 1;
constexpr DISPID DISPID_CTPDockPositionStateChange = 2;

// Event DISPID of a window's command bars (_CommandBarsEvents): OnUpdate,
// without arguments.
constexpr DISPID DISPID_CommandBarsOnUpdate = 1;
