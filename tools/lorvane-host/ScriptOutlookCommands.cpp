// start, quit, offline, online, wait and answer: Outlook's life and its
// connection, the clock, and the user's
// answers to dialogs still to come. An answer is given before the line that
// brings the dialog, since that line runs to its end with the dialog inside it.
#include "ScriptValues.h"
#include "ScriptVerbs.h"
#include "ScriptWorld.h"

#include "platform/text/Text.h"
#include "platform/win/Timer.h"

void CheckStart(const ScriptArguments& arguments) {
    const std::string& host = arguments.Word(0);
    if (!host.empty() && host != "outlook" && !sim::FindHostProfile(host))
        throw EScriptError("There is no host " + InQuotes(host));
}

void RunStart(ScriptWorld& world, const ScriptArguments& arguments) {
    const std::string& host = arguments.Word(0);
    if (host.empty() || host == "outlook")
        world.Start();
    else
        world.StartOffice(host);
}

void RunQuit(ScriptWorld& world, const ScriptArguments&) {
    world.Quit();
}

void RunOffline(ScriptWorld& world, const ScriptArguments&) {
    world.Step("Outlook works offline: what is sent waits in the Outbox",
               [&] { world.Transport().SetOffline(true); });
}

void RunOnline(ScriptWorld& world, const ScriptArguments&) {
    world.Step("Outlook works online again", [&] {
        world.Transport().SetOffline(false);
        if (world.IsRunning())
            world.Transport().Send();
    });
}

void CheckWait(const ScriptArguments& arguments) {
    ReadDuration(arguments.Word(0));
}

void RunWait(ScriptWorld& world, const ScriptArguments& arguments) {
    DWORD ms = ReadDuration(arguments.Word(0));
    world.Out().Step(arguments.Word(0) + " pass", [ms] { platform::AdvanceAndProcess(ms); });
}

void CheckAnswer(const ScriptArguments& arguments) {
    if (arguments.WordIs(0, "picker")) {
        CheckPickerAnswer(arguments);
        return;
    }
    if (IsFormAnswer(arguments)) {
        CheckFormAnswer(arguments);
        return;
    }
    if (arguments.Words.size() > 2)
        throw EScriptError("answer takes a button, categories and the names chosen, or picker, "
                           "config, item or about and the steps");
    if (arguments.Words.size() == 2) {
        if (!arguments.WordIs(0, "categories"))
            throw EScriptError("answer takes a button, or categories and the names chosen");
        return;
    }
    if (arguments.WordIs(0, "categories"))
        throw EScriptError("answer categories takes the names chosen, or cancel");
    ReadButton(arguments.Word(0));
}

void RunAnswer(ScriptWorld& world, const ScriptArguments& arguments) {
    if (arguments.WordIs(0, "picker")) {
        RunPickerAnswer(world, arguments);
        return;
    }
    if (IsFormAnswer(arguments)) {
        RunFormAnswer(world, arguments);
        return;
    }
    if (arguments.Words.size() == 2) {
        world.AnswerCategoriesDialog(
            arguments.WordIs(1, "cancel")
                ? std::nullopt
                : std::optional<std::u16string>(text::Wide(arguments.Word(1))));
        return;
    }
    world.Live().User().Click(ReadButton(arguments.Word(0)));
}
