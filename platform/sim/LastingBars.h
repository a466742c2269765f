// The command bars a simulated host keeps between sessions, as a real host
// keeps its toolbars: the bars that are not temporary, with their lasting
// controls, and the add-ins' lasting controls on the host's own bars. The
// host driver writes them when the host quits and reads them back when it
// starts, one file per host beside the machine's registry
// (PlatformHome()/<host>.bars).
//
// The file is text, one record a line, in the order the bars and controls
// stand:
//
//   lorvane-command-bars 1
//   bar 'Sample Bar'                 a bar of an add-in or the user
//   value Visible b 1                a property: b(oolean) 0/1, i(nteger), s(tring)
//   control 1                        a control of that host type (1 button, 2 edit,
//   value Caption s 'Say hello'        3 drop-down, 4 combo box, 10 pop-up)
//   items 'Red' 'Green'              the items of a list
//   face 16 16 picture 00FF00 ...    a button's face: size, source, pixels (hex)
//   popup                            the controls that follow are in the
//   end                                pop-up's menu, up to the matching end
//   builtin 'Standard'               the add-ins' controls on a host's own bar
//
// Strings are in single quotes, with \' \\ \n \r \t and \xHH escapes.
// A file that is not in this form is not read at all: the host starts with
// its own bars only and the reader says which line was wrong.
#pragma once

#include "platform/sim/SimCommandBars.h"

#include <string>
#include <string_view>

namespace sim {

// The file holding the lasting bars of the host of that name ("Word").
std::string LastingBarsPath(const std::string& hostName);

// The lasting bars of bars in the file's form.
std::string WriteLastingBars(const SimulatedCommandBars& bars);
// Adds the bars and controls of text to bars (a bar found by its name is
// added to; a control whose tag bars hold already is not added twice).
// Raises Exception naming the line when text is not in the file's form;
// bars are then left as they were.
void ReadLastingBars(std::string_view text, SimulatedCommandBars& bars);

// Writes the lasting bars of bars to the host's file (atomically). Raises
// Exception when the file cannot be written.
void SaveLastingBars(const SimulatedCommandBars& bars, const std::string& hostName);
// Reads the host's file into bars; nothing when there is none. Raises
// Exception naming the file and the line when it cannot be read.
void LoadLastingBars(SimulatedCommandBars& bars, const std::string& hostName);

} // namespace sim
