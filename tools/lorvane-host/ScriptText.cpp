// Reading a script into words, one line at a time.
#include "ScriptText.h"

#include <cctype>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The words of one line (without its line break).
std::vector<ScriptWord> SplitLine(std::string_view line) {
    std::vector<ScriptWord> words;
    size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#')
            break;
        ScriptWord word;
        if (line[i] != '"') {
            size_t end = i;
            while (end < line.size() && !IsBlank(line[end]))
                ++end;
            word.Text = std::string(line.substr(i, end - i));
            i = end;
        } else {
            word.Quoted = true;
            for (++i;; ++i) {
                if (i >= line.size())
                    throw EScriptError("a quoted argument is not closed");
                if (line[i] == '"')
                    break;
                if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '"')
                    ++i;
                word.Text += line[i];
            }
            ++i;
            if (i < line.size() && !IsBlank(line[i]) && line[i] != '#')
                throw EScriptError("a quoted argument must be followed by a blank");
        }
        words.push_back(std::move(word));
    }
    return words;
}

} // namespace

std::vector<ScriptLine> SplitScript(std::string_view script) {
    std::vector<ScriptLine> lines;
    int number = 0;
    size_t start = 0;
    while (start < script.size()) {
        size_t end = script.find('\n', start);
        if (end == std::string_view::npos)
            end = script.size();
        ++number;
        try {
            std::vector<ScriptWord> words = SplitLine(script.substr(start, end - start));
            if (!words.empty())
                lines.push_back({number, std::move(words)});
        } catch (const EScriptError& e) {
            throw EScriptError(e.Message, number);
        }
        start = end + 1;
    }
    return lines;
}

std::string ScriptQuoted(std::string_view text) {
    bool plain = !text.empty();
    for (char c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)) &&
            std::string_view("._@-\\+").find(c) == std::string_view::npos &&
            static_cast<unsigned char>(c) < 0x80)
            plain = false;
    if (plain)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\\\"") : std::string(1, c);
    return quoted + "\"";
}
