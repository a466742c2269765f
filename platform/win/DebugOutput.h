// The debugger's output window. Nobody watches it here, so the lines are kept
// (the newest thousand) for a test or the demo host to read.
#pragma once

#include <string>
#include <vector>

// Sends a line to the debugger.
void OutputDebugString(const char* text);

namespace platform {

// Takes the lines sent to the debugger so far, oldest first, and forgets them.
std::vector<std::string> TakeDebugOutput();

} // namespace platform
