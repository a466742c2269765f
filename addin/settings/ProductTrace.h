// What the product tells the debugger about its own work: the settings it
// read, the folders it watches, the message it watches, the categories it
// notes and puts on sent copies. Nobody reads it in Outlook; a developer
// following the add-in does, and the demo host shows it beside the window
// events the framework traces.
#pragma once

#include <string>
#include <string_view>

// Sends "LorvaneOL: " and the text to the debugger; never raises.
void ProductTrace(const std::string& Text) noexcept;
// The text in double quotes, for the traces' names and categories.
std::string Quoted(std::string_view Text);
