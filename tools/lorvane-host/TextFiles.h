// Text files of the machine as the host reads them: the add-in's log from
// where a step left it, and any of its files as lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The bytes of path from offset on; "" when it is missing or has no more.
std::string ReadFileFrom(const std::string& path, uintmax_t offset = 0);
// Lines ended by CR LF or LF, without their ends.
std::vector<std::string> SplitLines(const std::string& bytes);
