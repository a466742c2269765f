// The add-ins' command bars in the window in front, as the user of a script
// sees them: a button found by its caption (the "&" that marks its key left
// out, letter case ignored) and a listing of the bars and their controls.
#pragma once

#include "platform/sim/SimCommandBars.h"
#include "platform/sim/outlook/SimWindows.h"

#include <string>
#include <string_view>
#include <vector>

// The button, on any bar of window or in a pop-up there, whose caption is
// caption; nullptr when there is none.
sim::SimCommandBarControl* FindCommandBarButton(sim::SimWindowBase& window,
                                                std::string_view caption);
// The same among the bars of an Office host's window.
sim::SimCommandBarControl* FindCommandBarButton(sim::SimulatedCommandBars& bars,
                                                std::string_view caption);
// The bars of window that add-ins made, and the controls they added to the
// host's own bars, one line each.
std::vector<std::string> CommandBarLines(sim::SimWindowBase& window);
