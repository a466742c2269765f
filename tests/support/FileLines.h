// The lines of a text file the product or the simulated machine wrote (the
// log, registry.reg), for the product's and the end-to-end tests.
#pragma once

#include <fstream>
#include <string>
#include <vector>

// The file's lines without their ends (CR LF or LF); none when it is missing.
inline std::vector<std::string> FileLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}
