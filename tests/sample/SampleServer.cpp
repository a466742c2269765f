// The sample's COM class and its server: the library's form class table, built
// from the list of module files the first time its classes are needed, and
// the one class factory, made the first time the server is asked for (the
// library asks as it loads).
#include "tests/sample/LorvaneSample.h"
#include "tests/sample/SampleModules.h"

#include "platform/gfx/GraphicsClasses.h"

TcoLorvaneSample::TcoLorvaneSample() {
    // IcoLorvaneSample has no members of its own: it is the object's
    // IDispatch, through which the host's late-bound calls come.
    AddDispatchInterface(IID_IcoLorvaneSample);
}

std::span<const SampleModuleRegistration> SampleModuleRegistrations() {
    static const SampleModuleRegistration registrations[] = {
        RegisterSampleCommandBars,
        RegisterSampleHosts,
        RegisterSampleShortcuts,
    };
    return registrations;
}

namespace {

// The module classes: all that registration needs.
void RegisterSampleModules(forms::FormClassTable& table) {
    RegisterFrameworkModuleClass(table);
    RegisterSampleModule(table);
}

void RegisterSampleOthers(forms::FormClassTable& table) {
    RegisterFrameworkComponentClasses(table);
    gfx::RegisterGraphicsClasses(table);
    for (SampleModuleRegistration registerModule : SampleModuleRegistrations())
        registerModule(table);
}

forms::FormClassesOnDemand& SampleClasses() {
    static forms::FormClassesOnDemand classes(&RegisterSampleModules, &RegisterSampleOthers);
    return classes;
}

} // namespace

const forms::FormClassTable& SampleFormClasses() {
    return SampleClasses().Get();
}

ComServer& SampleServer() {
    // The tables' holder first, so that the tables outlive the factory that
    // refers to them; the classes themselves are registered on first use.
    forms::FormClassesOnDemand& classes = SampleClasses();
    static ComServer server(SampleTypeLibrary);
    static TadxFactory& factory = TadxFactory::Create<TcoLorvaneSample, TSampleModule>(
        server, CLASS_coLorvaneSample, classes, "coLorvaneSample Object");
    (void)factory;
    return server;
}
