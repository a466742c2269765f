// Runs a script: reads it whole first, so that a line that does not fit its
// command stops the script before anything has happened, then runs it line
// by line in a ScriptWorld, printing the transcript. An error names the
// script and the line ("demo.txt:12: there is no folder ...") on standard
// error and ends the script.
#pragma once

#include "HostCommands.h"

#include <string>
#include <string_view>

// Runs script, called name in error messages; returns the exit status: 0,
// or 1 when the script has an error or a step failed.
int RunScriptText(HostContext& context, std::string_view script, const std::string& name);

// The built-in demo script: the add-in's whole job, as lorvane-host demo runs it.
const char* DemoScript();
