// The add-in's ribbon in the window in front, as the user of a script sees
// it: its controls by caption or id, and a listing of them. A caption is
// matched as it is shown, but a line break in it counts as a blank ("Track +
// Send" is the split button "Track +\r\nSend") and letter case is ignored.
#pragma once

#include "OutlookSession.h"

#include <string>
#include <string_view>
#include <vector>

// The window in front; raises EScriptError when Outlook shows none.
sim::SimWindowBase& FrontWindow(sim::OutlookSim& outlook);
// The add-in's ribbon in window; raises EScriptError when the add-in shows
// none there.
sim::RibbonHost& RibbonIn(OutlookSession& session, sim::SimWindowBase& window);
// The id of the control that the user means by captionOrId: its id, else the
// caption of a button, toggle button or check box (a split button's caption
// is that of its inner button). Raises EScriptError when there is none.
std::string FindRibbonControl(sim::RibbonHost& ribbon, std::string_view captionOrId);
// Every control with an id, in document order, indented by its depth:
//   splitButton "Track + Send" (adxRibbonSplitButton...) disabled
std::vector<std::string> RibbonLines(sim::RibbonHost& ribbon);
