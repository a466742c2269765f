// Reading words as values.
#include "ScriptValues.h"

#include "ScriptText.h"

#include "platform/text/Text.h"

#include <cctype>

namespace {

constexpr struct {
    const char* Name;
    TMsgDlgBtn Button;
} Buttons[] = {{"ok", mbOK},       {"cancel", mbCancel}, {"yes", mbYes},      {"no", mbNo},
               {"abort", mbAbort}, {"retry", mbRetry},   {"ignore", mbIgnore}};

constexpr struct {
    const char* Suffix;
    DWORD Milliseconds;
} Units[] = {{"ms", 1}, {"s", 1000}, {"m", 60 * 1000}, {"h", 60 * 60 * 1000}};

constexpr DWORD Day = 24 * 60 * 60 * 1000;

// The digits at the start of word as a number, and where they end; false
// when there are none or the number passes max.
bool ReadDigits(const std::string& word, uint64_t max, uint64_t& value, size_t& end) {
    value = 0;
    for (end = 0; end < word.size() && std::isdigit(static_cast<unsigned char>(word[end])); ++end) {
        value = value * 10 + static_cast<uint64_t>(word[end] - '0');
        if (value > max)
            return false;
    }
    return end > 0;
}

} // namespace

bool ReadSwitch(const std::string& word) {
    if (word == "on")
        return true;
    if (word == "off")
        return false;
    throw EScriptError(ScriptQuoted(word) + " is not on or off");
}

DWORD ReadDuration(const std::string& word) {
    uint64_t value;
    size_t end;
    if (ReadDigits(word, Day, value, end))
        for (const auto& unit : Units)
            if (word.compare(end, std::string::npos, unit.Suffix) == 0 &&
                value * unit.Milliseconds <= Day)
                return static_cast<DWORD>(value * unit.Milliseconds);
    throw EScriptError(ScriptQuoted(word) +
                       " is not a duration up to a day with its unit (250ms, 2s, 5m, 1h)");
}

TMsgDlgBtn ReadButton(const std::string& word) {
    for (const auto& button : Buttons)
        if (text::SameText(word, button.Name))
            return button.Button;
    throw EScriptError(ScriptQuoted(word) +
                       " is no message-box button (ok, cancel, yes, no, abort, retry, ignore)");
}

int ReadNumber(const std::string& word, int max) {
    uint64_t value;
    size_t end;
    if (!ReadDigits(word, static_cast<uint64_t>(max), value, end) || end != word.size())
        throw EScriptError(ScriptQuoted(word) + " is not a whole number from 0 to " +
                           std::to_string(max));
    return static_cast<int>(value);
}
