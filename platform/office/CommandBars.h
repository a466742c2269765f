// A host window's command bars (toolbars and menus). Every explorer and
// inspector has a CommandBars object, which is an event source of
// _CommandBarsEvents (OnUpdate, raised when the host lays its bars out
// again). The framework reaches the bars and their controls late-bound, so
// the interfaces here add no methods to IDispatch; the IIDs of the bar and
// control interfaces are those the framework queries for.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/office/OfficeConstants.h"

// {000C0302-0000-0000-C000-000000000046}
constexpr GUID IID_CommandBars = MakeGuid("{000C0302-0000-0000-C000-000000000046}");
// {000C0352-0000-0000-C000-000000000046}
constexpr GUID DIID__CommandBarsEvents = MakeGuid("{000C0352-0000-0000-C000-000000000046}");

// One bar, a control, and the control kinds with their event dispinterfaces.
constexpr GUID IID_CommandBar = MakeGuid("{000C0304-0000-0000-C000-000000000046}");
constexpr GUID IID_CommandBarControl = MakeGuid("{000C0308-0000-0000-C000-000000000046}");
constexpr GUID IID_CommandBarPopup = MakeGuid("{000C030A-0000-0000-C000-000000000046}");
constexpr GUID IID__CommandBarComboBox = MakeGuid("{000C030C-0000-0000-C000-000000000046}");
constexpr GUID IID__CommandBarButton = MakeGuid("{000C030E-0000-0000-C000-000000000046}");
constexpr GUID DIID__CommandBarButtonEvents = MakeGuid("{000C0351-0000-0000-C000-000000000046}");
constexpr GUID DIID__CommandBarComboBoxEvents = MakeGuid("{000C0354-0000-0000-C000-000000000046}");

// The command bars of a window (members reached through IDispatch: Count,
// Item, Add, FindControl, ActiveMenuBar).
struct CommandBars : IDispatch {
    static constexpr GUID Iid = IID_CommandBars;
    using BaseInterface = IDispatch;
};
