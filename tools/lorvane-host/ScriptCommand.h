// The commands of the script language as one table: each row names the
// command, its syntax and a line of help (the README's list comes from the
// same rows), how many plain words it takes, the keywords that take a value,
// a check of its values that runs before the script does, and the function
// that runs it. Reading a script (ParseScript) fits every line to its row, so
// that a script with a fault stops before it has done anything.
//
//   compose to bob@example.com subject "Offer 2027"
//   ^ name  ^ keyword, value   ^ keyword, value
//   select "Budget 2027" in "Personal Folders\Inbox"
//          ^ word        ^ keyword, value
#pragma once

#include "ScriptText.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

class ScriptWorld;

// The arguments of one line: its plain words, and its keywords with their values.
class ScriptArguments {
public:
    // The words that are not keywords or their values, in order.
    std::vector<ScriptWord> Words;
    // Each keyword given, with its value.
    std::map<std::string, std::string> Options;
    // The line's number in the script (an error names it, as does an answer
    // played later).
    int Line = 0;

    // Word i's text; "" when there are fewer words.
    const std::string& Word(size_t i) const;
    // True when word i is there and is the unquoted keyword name.
    bool WordIs(size_t i, std::string_view name) const;
    // True when the keyword was given.
    bool Has(const std::string& option) const { return Options.count(option) != 0; }
    // The keyword's value, or fallback when it was not given.
    std::string Option(const std::string& option, std::string fallback = {}) const;
};

struct ScriptCommand {
    // The command's name, the line's first word.
    const char* Name;
    // What follows the name, for help: WORDS in capitals, [optional parts], a|b choices.
    const char* Syntax;
    // One line of help.
    const char* Summary;
    // How many plain words it takes.
    size_t MinWords;
    size_t MaxWords;
    // The keywords that take a value.
    std::vector<std::string> Options;
    // Checks the values before the script runs (null: nothing more to check);
    // raises EScriptError.
    void (*Check)(const ScriptArguments& arguments);
    // Runs the line; raises EScriptError for what the machine does not have.
    void (*Run)(ScriptWorld& world, const ScriptArguments& arguments);
};

// One line fitted to its command.
struct ScriptStatement {
    const ScriptCommand* Command = nullptr;
    ScriptArguments Arguments;
};

// Every command, in the order the help lists them.
const std::vector<ScriptCommand>& ScriptCommands();
// The command of that name, or null.
const ScriptCommand* FindScriptCommand(std::string_view name);
// The lines of script fitted to their commands; raises EScriptError with the
// line for an unknown command or a line that does not fit its command.
std::vector<ScriptStatement> ParseScript(std::string_view script);
