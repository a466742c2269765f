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
        .Method("adxOutlookAppEvents1Quit", &M::adxOutlookAppEvents1Quit);
}
