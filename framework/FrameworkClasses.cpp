// Registration of the framework's form classes.
#include "framework/FrameworkClasses.h"

#include "framework/AddInModule.h"
#include "framework/commandbars/CommandBarClasses.h"
#include "framework/events/HostEventsClasses.h"
#include "framework/panes/CustomTaskPanes.h"
#include "framework/panes/TaskPaneClasses.h"
#include "framework/ribbon/RibbonClasses.h"
#include "platform/forms/FormClassBuilder.h"

namespace {

using forms::FormReader;
using forms::FormValue;

// TaskPanes = < item ... end >: one declaration per item.
void ReadTaskPanes(TadxCOMAddInModule& module, const FormValue& value, FormReader& reader) {
    if (value.Type != FormValue::Kind::Collection)
        forms::WrongKind(value, reader, "collection");
    module.TaskPanes->Clear();
    for (size_t i = 0; i < value.CollectionItems.size(); ++i) {
        TCollectionItem* pane = module.TaskPanes->Add();
        reader.ReadProperties(*pane, value.CollectionItems[i].Properties, reader.ItemName(int(i)));
    }
}

void RegisterModule(forms::FormClassTable& table) {
    using M = TadxCOMAddInModule;
    table.Register<M, TDataModule>()
        .Property("AddInName", &M::SetAddInName)
        .Property("Description", &M::Description)
        .Property("DisplayAlerts", &M::DisplayAlerts)
        .Property("LoadBehavior", &M::LoadBehavior)
        .Property("RegisterForAllUsers", &M::RegisterForAllUsers)
        .SetOf("SupportedApps", &M::SetSupportedApps, adxHostAppNames())
        .Property("XLAutomationAddIn", &M::XLAutomationAddIn)
        .Property("HandleShortcuts", &M::SetHandleShortcuts)
        .Property("Namespace", &M::Namespace)
        .SetOf("StartFromScratch", &M::StartFromScratch, adxRibbonNames())
        .Define("TaskPanes", &ReadTaskPanes)
        .Event("OnKeyDown", &M::OnKeyDown)
        .Event("OnError", &M::OnError)
        .Event("OnAddInInitialize", &M::OnAddInInitialize)
        .Event("OnAddInStartupComplete", &M::OnAddInStartupComplete)
        .Event("OnAddInBeginShutdown", &M::OnAddInBeginShutdown)
        .Event("OnAddInFinalize", &M::OnAddInFinalize)
        .Event("OnAfterAddinRegister", &M::OnAfterAddinRegister)
        .Event("OnBeforeAddinUnregister", &M::OnBeforeAddinUnregister)
        .Event("OnOLNewExplorer", &M::OnOLNewExplorer)
        .Event("OnOLNewInspector", &M::OnOLNewInspector)
        .Event("OnOLExplorerActivate", &M::OnOLExplorerActivate)
        .Event("OnOLExplorerFolderSwitch", &M::OnOLExplorerFolderSwitch)
        .Event("OnOLExplorerBeforeFolderSwitch", &M::OnOLExplorerBeforeFolderSwitch)
        .Event("OnOLExplorerViewSwitch", &M::OnOLExplorerViewSwitch)
        .Event("OnOLExplorerBeforeViewSwitch", &M::OnOLExplorerBeforeViewSwitch)
        .Event("OnOLExplorerDeactivate", &M::OnOLExplorerDeactivate)
        .Event("OnOLExplorerSelectionChange", &M::OnOLExplorerSelectionChange)
        .Event("OnOLExplorerClose", &M::OnOLExplorerClose)
        .Event("OnOLInspectorActivate", &M::OnOLInspectorActivate)
        .Event("OnOLInspectorDeactivate", &M::OnOLInspectorDeactivate)
        .Event("OnOLInspectorClose", &M::OnOLInspectorClose)
        .Event("OnTaskPaneBeforeCreate", &M::OnTaskPaneBeforeCreate)
        .Event("OnTaskPaneAfterCreate", &M::OnTaskPaneAfterCreate)
        .Event("OnTaskPaneBeforeShow", &M::OnTaskPaneBeforeShow)
        .Event("OnTaskPaneAfterShow", &M::OnTaskPaneAfterShow)
        .Event("OnTaskPaneBeforeDestroy", &M::OnTaskPaneBeforeDestroy)
        .Event("OnRibbonBeforeCreate", &M::OnRibbonBeforeCreate)
        .Event("OnRibbonBeforeLoad", &M::OnRibbonBeforeLoad)
        .Event("OnRibbonLoaded", &M::OnRibbonLoaded)
        .Event("OnOfficeColorSchemeChanged", &M::OnOfficeColorSchemeChanged);
}

} // namespace

void RegisterFrameworkClasses(forms::FormClassTable& table) {
    RegisterFrameworkModuleClass(table);
    RegisterFrameworkComponentClasses(table);
}

void RegisterFrameworkModuleClass(forms::FormClassTable& table) {
    RegisterModule(table);
}

void RegisterFrameworkComponentClasses(forms::FormClassTable& table) {
    adxRegisterTaskPaneClasses(table);
    adxRegisterHostEventsClasses(table);
    RegisterRibbonClasses(table);
    adxRegisterCommandBarClasses(table);
}
