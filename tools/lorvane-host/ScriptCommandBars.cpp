// Finding and listing the add-ins' command bars of a window.
#include "ScriptCommandBars.h"

#include "platform/text/Text.h"

namespace {

// A caption as the user reads it: without the "&" that marks the key.
std::string Shown(const std::u16string& caption) {
    std::string shown;
    for (char c : text::Narrow(caption))
        if (c != '&')
            shown += c;
    return shown;
}

sim::SimCommandBarControl* FindIn(const sim::SimCommandBar& bar, std::string_view caption) {
    for (const auto& control : bar.Controls()) {
        if (control->Type() == 1 && text::SameText(Shown(control->Caption()), caption))
            return control.Get();
        if (control->PopupBar())
            if (sim::SimCommandBarControl* found = FindIn(*control->PopupBar(), caption))
                return found;
    }
    return nullptr;
}

} // namespace

sim::SimCommandBarControl* FindCommandBarButton(sim::SimWindowBase& window,
                                                std::string_view caption) {
    return FindCommandBarButton(window.CommandBars(), caption);
}

sim::SimCommandBarControl* FindCommandBarButton(sim::SimulatedCommandBars& bars,
                                                std::string_view caption) {
    for (const auto& bar : bars.Bars())
        if (sim::SimCommandBarControl* found = FindIn(*bar, caption))
            return found;
    return nullptr;
}

std::vector<std::string> CommandBarLines(sim::SimWindowBase& window) {
    return window.CommandBars().Describe();
}
