// Golden files: exact expected output kept beside a layer's tests in
// tests/<layer>/data/ (LORVANE_TEST_DATA of the layer's test program),
// compared byte for byte with the first difference shown by its line.
// LORVANE_UPDATE_GOLDEN=1 rewrites the files instead, for a person to review
// before committing.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace testsupport {

// The path of the layer's test data file `name`. Built by appending, which
// keeps gcc 12 from a false out-of-bounds warning on a concatenated literal.
inline std::string TestDataPath(const std::string& name) {
    std::string path = LORVANE_TEST_DATA;
    path += '/';
    path += name;
    return path;
}

// The contents of the layer's test data file `name`.
inline std::string ReadTestData(const std::string& name) {
    std::ifstream in(TestDataPath(name), std::ios::binary);
    if (!in)
        ADD_FAILURE() << "Missing test data " << name;
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Compares text with the golden file `name` (or rewrites it, see above).
inline void ExpectGolden(const std::string& name, const std::string& text) {
    if (const char* update = std::getenv("LORVANE_UPDATE_GOLDEN"); update && *update == '1') {
        std::ofstream(TestDataPath(name), std::ios::binary) << text;
        return;
    }
    std::string golden = ReadTestData(name);
    if (golden == text)
        return;
    size_t at = 0;
    while (at < golden.size() && at < text.size() && golden[at] == text[at])
        ++at;
    size_t line = 1 + static_cast<size_t>(std::count(golden.begin(), golden.begin() + at, '\n'));
    size_t lineStart = golden.rfind('\n', at == 0 ? 0 : at - 1);
    lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
    ADD_FAILURE() << name << " differs at byte " << at << " (line " << line
                  << ")\n  golden: " << golden.substr(lineStart, at - lineStart + 40)
                  << "\n  actual: " << text.substr(lineStart, at - lineStart + 40) << "\n  sizes "
                  << golden.size() << " / " << text.size();
}

} // namespace testsupport
