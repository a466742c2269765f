// The entity table and its one-pass decoder.
#include "htmllabel/HTMLEntities.h"

#include "platform/text/Text.h"

#include <array>

namespace htmldraw {
namespace {

struct Entity {
    std::string_view Name; // between "&" and ";"
    std::string_view Text; // what it becomes (UTF-8)
};

// "&amp;" is handled by the decoder itself, as it differs by target. The
// others are the characters the label has always known, the typographic
// ones written as the characters they stand for.
constexpr std::array<Entity, 11> kEntities = {{
    {"nbsp", " "},
    {"lt", "<"},
    {"gt", ">"},
    {"quot", "\""},
    {"sect", "\u00A7"},
    {"permil", "\u2030"},
    {"reg", "\u00AE"},
    {"copy", "\u00A9"},
    {"para", "\u00B6"},
    {"trade", "\u2122"},
    {"euro", "\u20AC"},
}};

// The longest name, so a stray "&" looks only a few bytes ahead.
constexpr size_t kLongestName = 6;

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (text::AsciiLower(a[i]) != b[i])
            return false;
    }
    return true;
}

} // namespace

std::string DecodeEntities(std::string_view text, TEntityTarget target) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        size_t amp = text.find('&', i);
        if (amp == std::string_view::npos) {
            out.append(text.substr(i));
            break;
        }
        out.append(text.substr(i, amp - i));
        size_t semi = text.substr(0, std::min(text.size(), amp + kLongestName + 2)).find(';', amp);
        std::string_view name;
        if (semi != std::string_view::npos)
            name = text.substr(amp + 1, semi - amp - 1);
        const std::string_view* replacement = nullptr;
        static constexpr std::string_view kRunAmp = "&&", kPlainAmp = "&";
        if (!name.empty() && SameName(name, "amp")) {
            replacement = target == TEntityTarget::Run ? &kRunAmp : &kPlainAmp;
        } else if (!name.empty()) {
            for (const Entity& entity : kEntities)
                if (SameName(name, entity.Name))
                    replacement = &entity.Text;
        }
        if (!replacement) {
            out += '&';
            i = amp + 1;
            continue;
        }
        out.append(*replacement);
        i = semi + 1;
    }
    return out;
}

} // namespace htmldraw
