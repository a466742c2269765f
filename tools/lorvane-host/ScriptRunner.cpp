// The script's lines, one after the other, until the end or the first error.
#include "ScriptRunner.h"

#include "ScriptCommand.h"
#include "ScriptWorld.h"

#include <ostream>

namespace {

int Fail(HostContext& context, const std::string& name, int line, const std::string& message) {
    context.Out.flush();
    context.Err << name << ":" << line << ": " << message << "\n";
    return 1;
}

} // namespace

int RunScriptText(HostContext& context, std::string_view script, const std::string& name) {
    std::vector<ScriptStatement> statements;
    try {
        statements = ParseScript(script);
    } catch (const EScriptError& e) {
        return Fail(context, name, e.Line, e.Message);
    }
    ScriptWorld world(context);
    for (const ScriptStatement& statement : statements) {
        try {
            statement.Command->Run(world, statement.Arguments);
        } catch (const std::exception& e) {
            return Fail(context, name, statement.Line, e.what());
        }
    }
    if (size_t unused = world.UnusedAnswers())
        world.Out().Line(std::to_string(unused) + " answer(s) given for dialogs that never came.");
    size_t failures = world.Out().Failures().size();
    if (failures)
        world.Out().Line(std::to_string(failures) + " failure(s).");
    return failures ? 1 : 0;
}
