// The values a script writes as words: switches, durations, message-box
// buttons and numbers. Each reader raises EScriptError naming the word and
// what it should have been; the same readers check a script before it runs
// and read its values while it runs.
#pragma once

#include "platform/forms/Dialogs.h"
#include "platform/win/WinTypes.h"

#include <string>

// "on" or "off".
bool ReadSwitch(const std::string& word);
// A duration with its unit: "250ms", "2s", "5m" or "1h" (at most a day), in milliseconds.
DWORD ReadDuration(const std::string& word);
// A message-box button by its name, in any case: ok, cancel, yes, no, abort,
// retry, ignore.
TMsgDlgBtn ReadButton(const std::string& word);
// A whole number from 0 to max.
int ReadNumber(const std::string& word, int max);
