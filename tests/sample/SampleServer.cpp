// The sample's COM class and its server: the library's form class table, built
// from the list of module files, and the one class factory, made the first
// time the server is asked for (the library asks as it loads).
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
        RegisterSampleModule,
        RegisterSampleCommandBars,
        RegisterSampleHosts,
        RegisterSampleShortcuts,
    };
    return registrations;
}

const forms::FormClassTable& SampleFormClasses() {
    static forms::FormClassTable table;
    static const bool registered = [] {
        RegisterFrameworkClasses(table);
        gfx::RegisterGraphicsClasses(table);
        for (SampleModuleRegistration registerModule : SampleModuleRegistrations())
            registerModule(table);
        return true;
    }();
    (void)registered;
    return table;
}

ComServer& SampleServer() {
    // The table first, so that it outlives the factory that refers to it.
    const forms::FormClassTable& classes = SampleFormClasses();
    static ComServer server(SampleTypeLibrary);
    static TadxFactory& factory = TadxFactory::Create<TcoLorvaneSample, TSampleModule>(
        server, CLASS_coLorvaneSample, classes, "coLorvaneSample Object");
    (void)factory;
    return server;
}
