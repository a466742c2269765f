// The script's lines, one after the other, until the end or the first error.
#include "ScriptRunner.h"

#include "ScriptCommand.h"
#include "ScriptWorld.h"

#include <optional>
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
        std::optional<std::string> raised;
        try {
            statement.Command->Run(world, statement.Arguments);
        } catch (const std::exception& e) {
            raised = e.what();
        }
        // An answer that could not be played names its own line.
        if (const std::optional<EScriptError>& stop = world.Stop())
            return Fail(context, name, stop->Line, stop->Message);
        if (raised)
            return Fail(context, name, statement.Arguments.Line, *raised);
    }
    if (size_t unused = world.UnusedAnswers())
        world.Out().Line(std::to_string(unused) + " answer(s) given for dialogs that never came.");
    size_t failures = world.Out().Failures().size();
    if (failures)
        world.Out().Line(std::to_string(failures) + " failure(s).");
    return failures ? 1 : 0;
}
