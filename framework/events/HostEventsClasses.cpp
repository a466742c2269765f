// Registration of the host event components' form classes.
#include "framework/events/HostEventsClasses.h"

#include "framework/events/adxHostAppEvents.h"
#include "platform/forms/FormClassBuilder.h"

namespace {

void RegisterOutlookEvents(forms::FormClassTable& table) {
    using E = TadxOutlookAppEvents;
    table.Register<E, TadxHostInterfaceEvents>()
        .Event("OnItemSend", &E::OnItemSend)
        .Event("OnNewMail", &E::OnNewMail)
        .Event("OnReminder", &E::OnReminder)
        .Event("OnOptionsPagesAdd", &E::OnOptionsPagesAdd)
        .Event("OnStartup", &E::OnStartup)
        .Event("OnQuit", &E::OnQuit)
        .Event("OnAdvancedSearchComplete", &E::OnAdvancedSearchComplete)
        .Event("OnAdvancedSearchStopped", &E::OnAdvancedSearchStopped)
        .Event("OnMAPILogonComplete", &E::OnMAPILogonComplete)
        .Event("OnNewMailEx", &E::OnNewMailEx)
        .Event("OnNameSpaceOptionsPagesAdd", &E::OnNameSpaceOptionsPagesAdd)
        .Event("OnNewExplorer", &E::OnNewExplorer)
        .Event("OnNewInspector", &E::OnNewInspector)
        .Event("OnBeforeReminderShow", &E::OnBeforeReminderShow)
        .Event("OnReminderAdd", &E::OnReminderAdd)
        .Event("OnReminderChange", &E::OnReminderChange)
        .Event("OnReminderFire", &E::OnReminderFire)
        .Event("OnReminderRemove", &E::OnReminderRemove)
        .Event("OnSnooze", &E::OnSnooze)
        .Event("OnExplorerActivate", &E::OnExplorerActivate)
        .Event("OnExplorerFolderSwitch", &E::OnExplorerFolderSwitch)
        .Event("OnExplorerBeforeFolderSwitch", &E::OnExplorerBeforeFolderSwitch)
        .Event("OnExplorerViewSwitch", &E::OnExplorerViewSwitch)
        .Event("OnExplorerBeforeViewSwitch", &E::OnExplorerBeforeViewSwitch)
        .Event("OnExplorerDeactivate", &E::OnExplorerDeactivate)
        .Event("OnExplorerSelectionChange", &E::OnExplorerSelectionChange)
        .Event("OnExplorerClose", &E::OnExplorerClose)
        .Event("OnExplorerBeforeMaximize", &E::OnExplorerBeforeMaximize)
        .Event("OnExplorerBeforeMinimize", &E::OnExplorerBeforeMinimize)
        .Event("OnExplorerBeforeMove", &E::OnExplorerBeforeMove)
        .Event("OnExplorerBeforeSize", &E::OnExplorerBeforeSize)
        .Event("OnExplorerBeforeItemCopy", &E::OnExplorerBeforeItemCopy)
        .Event("OnExplorerBeforeItemCut", &E::OnExplorerBeforeItemCut)
        .Event("OnExplorerBeforeItemPaste", &E::OnExplorerBeforeItemPaste)
        .Event("OnInspectorActivate", &E::OnInspectorActivate)
        .Event("OnInspectorDeactivate", &E::OnInspectorDeactivate)
        .Event("OnInspectorClose", &E::OnInspectorClose)
        .Event("OnInspectorBeforeMaximize", &E::OnInspectorBeforeMaximize)
        .Event("OnInspectorBeforeMinimize", &E::OnInspectorBeforeMinimize)
        .Event("OnInspectorBeforeMove", &E::OnInspectorBeforeMove)
        .Event("OnInspectorBeforeSize", &E::OnInspectorBeforeSize)
        .Event("OnAttachmentContextMenuDisplay", &E::OnAttachmentContextMenuDisplay)
        .Event("OnViewContextMenuDisplay", &E::OnViewContextMenuDisplay)
        .Event("OnItemContextMenuDisplay", &E::OnItemContextMenuDisplay)
        .Event("OnFolderContextMenuDisplay", &E::OnFolderContextMenuDisplay)
        .Event("OnStoreContextMenuDisplay", &E::OnStoreContextMenuDisplay)
        .Event("OnShortcutContextMenuDisplay", &E::OnShortcutContextMenuDisplay)
        .Event("OnContextMenuClose", &E::OnContextMenuClose)
        .Event("OnItemLoad", &E::OnItemLoad)
        .Event("OnBeforeFolderSharingDialog", &E::OnBeforeFolderSharingDialog)
        .Event("OnNameSpaceAutoDiscoverComplete", &E::OnNameSpaceAutoDiscoverComplete)
        .Event("OnInspectorPageChange", &E::OnInspectorPageChange);
}

} // namespace

void adxRegisterHostEventsClasses(forms::FormClassTable& table) {
    table.Register<TadxCustomEvents, TComponent>();
    table.Register<TadxHostInterfaceEvents, TadxCustomEvents>();
    RegisterOutlookEvents(table);
    table.Register<TadxOutlook2007Application, TadxCustomEvents>();
    adxRegisterTableEventsClasses(table);
}
