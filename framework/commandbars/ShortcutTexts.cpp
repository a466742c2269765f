// Shortcut texts and caption accelerators as key texts of the shortcut list.
#include "framework/commandbars/ShortcutTexts.h"

#include "platform/text/Text.h"

#include <string_view>

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// Takes prefix off the front of rest when a key name follows it.
bool TakePrefix(std::string& rest, std::string_view prefix) {
    if (rest.size() <= prefix.size() || rest.compare(0, prefix.size(), prefix) != 0)
        return false;
    rest.erase(0, prefix.size());
    return true;
}

// The accelerator of a caption, empty when there is none (see adxAcceleratorKeyText).
std::u16string CaptionAccelerator(const std::u16string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        const char16_t next = caption[i + 1];
        if (next == u'&') {
            ++i; // a doubled "&" shows itself and marks nothing
            continue;
        }
        if (IsBlank(next))
            continue;
        const size_t length = IsHighSurrogate(next) && i + 2 < caption.size() ? 2 : 1;
        return caption.substr(i + 1, length);
    }
    return {};
}

} // namespace

std::string adxShortcutKeyText(const std::u16string& ShortcutText) {
    std::string rest = text::UpperCase(text::Narrow(ShortcutText));
    bool ctrl = false, shift = false, alt = false;
    for (;;) {
        if (TakePrefix(rest, "CTRL+"))
            ctrl = true;
        else if (TakePrefix(rest, "SHIFT+"))
            shift = true;
        else if (TakePrefix(rest, "ALT+"))
            alt = true;
        else
            break;
    }
    return std::string(ctrl ? "CTRL+" : "") + (shift ? "SHIFT+" : "") + (alt ? "ALT+" : "") + rest;
}

std::string adxAcceleratorKeyText(const std::u16string& Caption) {
    const std::u16string accelerator = CaptionAccelerator(Caption);
    if (accelerator.empty())
        return {};
    return "ALT+" + text::Narrow(text::UpperCase(accelerator));
}
