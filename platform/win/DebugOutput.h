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

// While one lives on a thread, the lines that thread sends to the debugger
// are dropped: drawing a picture for a person (which reports the fonts it
// matched) is no part of what a transcript of the user's steps shows.
class TQuietDebugOutput {
public:
    TQuietDebugOutput();
    ~TQuietDebugOutput();
    TQuietDebugOutput(const TQuietDebugOutput&) = delete;
    TQuietDebugOutput& operator=(const TQuietDebugOutput&) = delete;
};

} // namespace platform
