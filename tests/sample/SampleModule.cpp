// The sample's add-in module and its stored form: the registration settings
// and the command bars (SampleCommandBars.cpp). It supports Outlook alone and
// is registered for the current user.
#include "tests/sample/SampleModules.h"

#include "platform/forms/FormClassBuilder.h"

namespace {

const char* const SampleModuleForm = R"(object SampleModule: TSampleModule
  AddInName = 'LorvaneSample'
  Description = 'The add-in framework''s sample'
  SupportedApps = [ohaOutlook]
)";

} // namespace

void RegisterSampleModule(forms::FormClassTable& table) {
    table.Register<TSampleModule, TadxCOMAddInModule>().StoredForm(
        std::string(SampleModuleForm) + SampleCommandBarsForm() + "end\n");
}
