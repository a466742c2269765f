// The product module's stored form, as the designer keeps it: the module's
// registration settings, the bindings of its lifecycle handlers and, as the
// product grows, its components. The handlers the form may name are
// registered beside it.
#include "addin/LorvaneOL_IMPL.h"

#include "platform/forms/FormClassBuilder.h"

namespace {

const char* const AddInModuleForm = R"(object AddInModule: TAddInModule
  AddInName = 'LorvaneOL'
  RegisterForAllUsers = True
  SupportedApps = [ohaOutlook]
  HandleShortcuts = True
  OnAddInStartupComplete = adxCOMAddInModuleAddInInitialize
  OnAddInBeginShutdown = adxCOMAddInModuleAddInBeginShutdown
  OnAddInFinalize = adxCOMAddInModuleAddInFinalize
  object ImageList1: TImageList
    DrawingStyle = dsTransparent
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 0
    OnTimer = Timer1Timer
  end
  object Timer2: TTimer
    Enabled = False
    Interval = 0
    OnTimer = Timer2Timer
  end
  object adxOutlookAppEvents1: TadxOutlookAppEvents
    OnQuit = adxOutlookAppEvents1Quit
  end
end
)";

} // namespace

void RegisterAddInModule(forms::FormClassTable& table) {
    using M = TAddInModule;
    table.Register<M, TadxCOMAddInModule>()
        .StoredForm(AddInModuleForm)
        .Method("adxCOMAddInModuleAddInInitialize", &M::adxCOMAddInModuleAddInInitialize)
        .Method("adxCOMAddInModuleAddInBeginShutdown", &M::adxCOMAddInModuleAddInBeginShutdown)
        .Method("adxCOMAddInModuleAddInFinalize", &M::adxCOMAddInModuleAddInFinalize)
        .Method("adxOutlookAppEvents1Quit", &M::adxOutlookAppEvents1Quit)
        .Method("adxCOMAddInModuleOLExplorerActivate", &M::adxCOMAddInModuleOLExplorerActivate)
        .Method("adxCOMAddInModuleOLExplorerSelectionChange",
                &M::adxCOMAddInModuleOLExplorerSelectionChange)
        .Method("adxCOMAddInModuleOLInspectorActivate", &M::adxCOMAddInModuleOLInspectorActivate)
        .Method("adxCOMAddInModuleOLInspectorClose", &M::adxCOMAddInModuleOLInspectorClose)
        .Method("adxCOMAddInModuleOLInspectorDeactivate",
                &M::adxCOMAddInModuleOLInspectorDeactivate)
        .Method("Timer1Timer", &M::Timer1Timer)
        .Method("Timer2Timer", &M::Timer2Timer);
}
