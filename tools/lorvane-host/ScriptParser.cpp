// Fitting a script's lines to the command table: an unquoted word that is one
// of the command's keywords takes the next word as its value; every other
// word is a plain word.
#include "ScriptCommand.h"

namespace {

ScriptArguments FitLine(const ScriptCommand& command, const ScriptLine& line) {
    ScriptArguments arguments;
    arguments.Line = line.Number;
    for (size_t i = 1; i < line.Words.size(); ++i) {
        const ScriptWord& word = line.Words[i];
        bool keyword = false;
        for (const std::string& option : command.Options)
            keyword = keyword || (!word.Quoted && word.Text == option);
        if (!keyword) {
            arguments.Words.push_back(word);
            continue;
        }
        if (i + 1 >= line.Words.size())
            throw EScriptError(word.Text + " needs a value");
        if (!arguments.Options.emplace(word.Text, line.Words[i + 1].Text).second)
            throw EScriptError(word.Text + " is given twice");
        ++i;
    }
    size_t count = arguments.Words.size();
    if (count < command.MinWords || count > command.MaxWords) {
        std::string syntax =
            std::string(command.Name) + (*command.Syntax ? " " : "") + command.Syntax;
        throw EScriptError(count > command.MaxWords
                               ? "too many words for " + std::string(command.Name) + ": " +
                                     ScriptQuoted(arguments.Words[command.MaxWords].Text) + " (" +
                                     syntax + ")"
                               : std::string(command.Name) + " takes " + command.Syntax);
    }
    if (command.Check)
        command.Check(arguments);
    return arguments;
}

} // namespace

const std::string& ScriptArguments::Word(size_t i) const {
    static const std::string none;
    return i < Words.size() ? Words[i].Text : none;
}

bool ScriptArguments::WordIs(size_t i, std::string_view name) const {
    return i < Words.size() && !Words[i].Quoted && Words[i].Text == name;
}

std::string ScriptArguments::Option(const std::string& option, std::string fallback) const {
    auto found = Options.find(option);
    return found == Options.end() ? fallback : found->second;
}

const ScriptCommand* FindScriptCommand(std::string_view name) {
    for (const ScriptCommand& command : ScriptCommands())
        if (name == command.Name)
            return &command;
    return nullptr;
}

std::vector<ScriptStatement> ParseScript(std::string_view script) {
    std::vector<ScriptStatement> statements;
    for (const ScriptLine& line : SplitScript(script)) {
        const ScriptWord& name = line.Words.front();
        const ScriptCommand* command = name.Quoted ? nullptr : FindScriptCommand(name.Text);
        if (!command) {
            std::string names;
            for (const ScriptCommand& known : ScriptCommands())
                names += (names.empty() ? "" : ", ") + std::string(known.Name);
            throw EScriptError("unknown command " + ScriptQuoted(name.Text) + " (" + names + ")",
                               line.Number);
        }
        try {
            statements.push_back({command, FitLine(*command, line)});
        } catch (const EScriptError& e) {
            throw EScriptError(e.Message, line.Number);
        }
    }
    return statements;
}
