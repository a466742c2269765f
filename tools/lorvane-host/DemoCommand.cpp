// demo: the built-in script (DemoScript.cpp), run as `script` runs a file,
// on a machine of its own unless --data names one.
#include "HostCommands.h"
#include "ScriptRunner.h"
#include "SimulatedMachine.h"

#include <ostream>

int RunDemo(HostContext& context) {
    context.Out << "Machine folder: " << context.Machine.Folder()
                << (context.Machine.IsTemporary() ? " (temporary)" : "") << "\n";
    return RunScriptText(context, DemoScript(), "demo");
}
