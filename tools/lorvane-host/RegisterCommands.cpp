// register and unregister: what an installer does, through the library's own
// entry points, with the registry values they write or remove shown.
#include "HostCommands.h"
#include "SimulatedMachine.h"
#include "Transcript.h"

namespace {

int RunRegistration(HostContext& context, bool doRegister) {
    Transcript transcript(context.Out, context.Machine);
    transcript.Line("Machine folder: " + context.Machine.Folder());
    std::string entry = doRegister ? "DllRegisterServer" : "DllUnregisterServer";
    bool done = transcript.Step(entry + " of " + context.Library.Path(), [&] {
        if (doRegister) {
            // No host follows: the library goes as the registration tool unloads it.
            context.Library.Register();
            context.Library.LetGo();
        } else {
            context.Library.Unregister();
        }
    });
    return done ? 0 : 1;
}

} // namespace

int RunRegister(HostContext& context) {
    return RunRegistration(context, true);
}

int RunUnregister(HostContext& context) {
    return RunRegistration(context, false);
}
