// The "key" command: the user presses a key with modifiers in Outlook, as a
// shortcut of an add-in's command-bar button or its caption's accelerator
// ("key ctrl+shift+f5", "key alt+k"). The key names are those that shortcut
// texts are written with, letter case ignored.
#include "ScriptVerbs.h"
#include "ScriptWorld.h"

#include "platform/text/Text.h"
#include "platform/win/Hook.h"

#include <cctype>
#include <utility>
#include <vector>

namespace {

struct PressedKey {
    std::vector<int> Modifiers;
    int Key = 0;
    // As shortcut texts write it ("Ctrl+Shift+F5").
    std::string Name;
};

// The virtual-key code of a key's name, and its name as written; 0 when unknown.
std::pair<int, std::string> KeyOf(const std::string& word) {
    static const std::pair<const char*, int> names[] = {
        {"BkSp", VK_BACK},   {"Tab", VK_TAB},    {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE},
        {"Space", VK_SPACE}, {"PgUp", VK_PRIOR}, {"PgDn", VK_NEXT},    {"End", VK_END},
        {"Home", VK_HOME},   {"Left", VK_LEFT},  {"Up", VK_UP},        {"Right", VK_RIGHT},
        {"Down", VK_DOWN},   {"Ins", VK_INSERT}, {"Del", VK_DELETE},
    };
    for (const auto& [name, code] : names)
        if (text::SameText(word, name))
            return {code, name};
    if (word.size() == 1 && std::isalnum(static_cast<unsigned char>(word[0]))) {
        char c = text::AsciiUpper(word[0]);
        return {c, std::string(1, c)};
    }
    if (word.size() >= 2 && (word[0] == 'f' || word[0] == 'F') &&
        word.find_first_not_of("0123456789", 1) == std::string::npos && word.size() <= 3) {
        int n = std::stoi(word.substr(1));
        if (n >= 1 && n <= 24)
            return {VK_F1 + n - 1, "F" + std::to_string(n)};
    }
    return {0, {}};
}

PressedKey ParseKey(const std::string& text) {
    PressedKey pressed;
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t plus; (plus = text.find('+', start)) != std::string::npos; start = plus + 1)
        parts.push_back(text.substr(start, plus - start));
    parts.push_back(text.substr(start));
    bool ctrl = false, shift = false, alt = false;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        if (text::SameText(parts[i], "ctrl"))
            ctrl = true;
        else if (text::SameText(parts[i], "shift"))
            shift = true;
        else if (text::SameText(parts[i], "alt"))
            alt = true;
        else
            throw EScriptError("\"" + parts[i] + "\" is no modifier (ctrl, shift, alt)");
    }
    auto [key, name] = KeyOf(parts.back());
    if (key == 0)
        throw EScriptError("\"" + parts.back() + "\" is no key (a letter, a digit, F1 to F24, " +
                           "Enter, Esc, Tab, Space, BkSp, Ins, Del, Home, End, PgUp, PgDn, " +
                           "Left, Right, Up, Down)");
    // Written in the order shortcut texts use.
    if (ctrl) {
        pressed.Modifiers.push_back(VK_CONTROL);
        pressed.Name += "Ctrl+";
    }
    if (shift) {
        pressed.Modifiers.push_back(VK_SHIFT);
        pressed.Name += "Shift+";
    }
    if (alt) {
        pressed.Modifiers.push_back(VK_MENU);
        pressed.Name += "Alt+";
    }
    pressed.Key = key;
    pressed.Name += name;
    return pressed;
}

} // namespace

void CheckKey(const ScriptArguments& arguments) {
    ParseKey(arguments.Word(0));
}

void RunKey(ScriptWorld& world, const ScriptArguments& arguments) {
    world.Running();
    PressedKey pressed = ParseKey(arguments.Word(0));
    world.Step("The user presses " + pressed.Name, [&] {
        platform::ReleaseAllKeys();
        // Modifiers down, the key down and up, the modifiers up in reverse.
        for (int modifier : pressed.Modifiers)
            platform::FeedKey(modifier, false);
        bool taken = platform::FeedKey(pressed.Key, false);
        platform::FeedKey(pressed.Key, true);
        for (auto it = pressed.Modifiers.rbegin(); it != pressed.Modifiers.rend(); ++it)
            platform::FeedKey(*it, true);
        world.Note(taken ? "an add-in took the key" : "no add-in took the key: Outlook has it");
    });
}
