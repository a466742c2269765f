// Registration of the task-pane declaration's form class: its stored
// properties and its two events.
#include "framework/panes/TaskPaneClasses.h"
#include "framework/panes/CustomTaskPanes.h"
#include "platform/forms/FormClassBuilder.h"

void adxRegisterTaskPaneClasses(forms::FormClassTable& table) {
    using P = TadxCustomTaskPane;
    table.Register<P>()
        .Property("ControlProgID", &P::ControlProgID)
        .Enum("DockPosition", &P::SetDockPosition,
              {"adxCTPDockPositionLeft", "adxCTPDockPositionTop", "adxCTPDockPositionRight",
               "adxCTPDockPositionBottom", "adxCTPDockPositionFloating"})
        .Enum("DockPositionRestrict", &P::SetDockPositionRestrict,
              {"adxCTPDockPositionRestrictNone", "adxCTPDockPositionRestrictNoChange",
               "adxCTPDockPositionRestrictNoHorizontal", "adxCTPDockPositionRestrictNoVertical"})
        .Property("Height", &P::SetHeight)
        .SetOf("OutlookWindows", &P::OutlookWindows, {"olExplorers", "olInspectors"})
        .SetOf("SupportedApps", &P::SupportedApps, adxHostAppNames())
        .Property("Title", &P::Title)
        .Property("Visible", &P::SetVisible)
        .Property("Width", &P::SetWidth)
        .Event("OnDockPositionStateChange", &P::OnDockPositionStateChange)
        .Event("OnVisibleStateChange", &P::OnVisibleStateChange);
}
