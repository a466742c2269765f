// The sample's add-in module and its stored form: the registration settings,
// the command bars (SampleCommandBars.cpp) and the keyboard bar
// (SampleShortcuts.cpp), whose shortcuts the module handles. It supports
// Outlook alone and is registered for the current user.
#include "tests/sample/SampleModules.h"

#include "platform/forms/FormClassBuilder.h"

namespace {

const char* const SampleModuleForm = R"(object SampleModule: TSampleModule
  AddInName = 'LorvaneSample'
  Description = 'The add-in framework''s sample'
  SupportedApps = [ohaOutlook]
  HandleShortcuts = True
)";

} // namespace

void RegisterSampleModule(forms::FormClassTable& table) {
    table.Register<TSampleModule, TadxCOMAddInModule>().StoredForm(
        std::string(SampleModuleForm) + SampleCommandBarsForm() + SampleShortcutsForm() + "end\n");
}
