// document and window: what the user does in an Office host other than
// Outlook, started with "start word" (or another host's name).
#include "ScriptVerbs.h"
#include "ScriptWorld.h"

#include "platform/text/Text.h"

namespace {

void CheckVerb(const ScriptArguments& arguments, std::initializer_list<const char*> verbs) {
    for (const char* verb : verbs)
        if (arguments.WordIs(0, verb))
            return;
    std::string allowed;
    for (const char* verb : verbs)
        allowed += (allowed.empty() ? "" : ", ") + std::string(verb);
    throw EScriptError("Expected one of " + allowed + " before the name, not " +
                       InQuotes(arguments.Word(0)));
}

} // namespace

void CheckDocument(const ScriptArguments& arguments) {
    CheckVerb(arguments, {"open", "new"});
}

void RunDocument(ScriptWorld& world, const ScriptArguments& arguments) {
    OfficeSession& office = world.Office();
    const std::string& name = arguments.Word(1);
    bool open = arguments.WordIs(0, "open");
    std::string host = office.Host().Profile().Name;
    world.Step("The user " + std::string(open ? "opens " : "creates ") + InQuotes(name) + " in " +
                   host,
               [&] {
                   std::u16string wide = text::Utf8ToUtf16(name);
                   if (open)
                       office.Host().OpenDocument(wide);
                   else
                       office.Host().NewDocument(wide);
               });
}

void CheckWindow(const ScriptArguments& arguments) {
    CheckVerb(arguments, {"new", "activate", "close"});
}

void RunWindow(ScriptWorld& world, const ScriptArguments& arguments) {
    OfficeSession& office = world.Office();
    const std::string& name = arguments.Word(1);
    if (arguments.WordIs(0, "new")) {
        sim::SimOfficeDocument* document = office.FindDocument(name);
        if (!document)
            throw EScriptError("No document " + InQuotes(name) + " is open");
        world.Step("The user opens another window on " + InQuotes(name),
                   [&] { office.Host().NewWindow(*document); });
        return;
    }
    sim::SimOfficeWindow* window = office.FindWindow(name);
    if (!window)
        throw EScriptError("No window " + InQuotes(name) + " is open");
    if (arguments.WordIs(0, "activate"))
        world.Step("The user activates the window " + InQuotes(name),
                   [&] { office.Host().ActivateWindow(*window); });
    else
        world.Step("The user closes the window " + InQuotes(name),
                   [&] { office.Host().CloseWindow(*window); });
}
