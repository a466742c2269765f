// The words of a script. A script is text of lines; each line is one command
// and its arguments, separated by blanks or tabs. An argument that holds
// blanks is written in double quotes, where \" stands for a quote; every
// other backslash is itself, so that folder paths read as Outlook writes them
// ("Personal Folders\Sent Items"). A word that begins with # starts a
// comment that runs to the end of the line; blank lines and comments are
// skipped.
//
//   compose to "bob@example.com" subject "Offer 2027"   # a new message
#pragma once

#include "platform/rtl/Exception.h"

#include <string>
#include <string_view>
#include <vector>

// What is wrong with a script: a line that does not read, or one that asks
// for what the simulated machine does not have.
class EScriptError : public Exception {
public:
    // An error of the line being read or run (the runner knows which).
    explicit EScriptError(std::string message, int line = 0)
        : Exception(std::move(message)), Line(line) {}
    // The line's number, when the error knows it; else 0.
    int Line;
};

// One argument as written.
struct ScriptWord {
    // The text, quotes taken off and escapes replaced.
    std::string Text;
    // True when it was written in quotes: it is then never a keyword.
    bool Quoted = false;
};

// One line that holds a command.
struct ScriptLine {
    // The line's number in the script, from 1.
    int Number = 0;
    // The command's name and its arguments.
    std::vector<ScriptWord> Words;
};

// The lines of a script that hold commands. Raises EScriptError, with the
// line, for a quote left open.
std::vector<ScriptLine> SplitScript(std::string_view script);

// Text written back as a script argument: quoted when it is empty or holds
// anything but letters, digits and . _ @ - \ +.
std::string ScriptQuoted(std::string_view text);

// Text in double quotes, as a transcript shows names and texts.
inline std::string InQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}
