// Every source file opens with a paragraph on its part in the system, so
// that a newcomer who opens any file learns first why it is there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

TEST(Style, EverySourceFileOpensWithItsParagraph) {
    const fs::path root = LORVANE_SOURCE_DIR;
    std::string missing;
    int seen = 0;
    for (const char* top : {"platform", "xml", "htmllabel", "framework", "addin", "tools", "tests",
                            "bench", "fuzz"}) {
        if (!fs::exists(root / top))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
            std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp" && ext != ".c"))
                continue;
            ++seen;
            std::ifstream in(entry.path());
            std::string first;
            std::getline(in, first);
            if (first.rfind("//", 0) != 0 && first.rfind("/*", 0) != 0)
                missing += fs::relative(entry.path(), root).generic_string() + "\n";
        }
    }
    EXPECT_GT(seen, 100);
    EXPECT_EQ(missing, "") << "these files do not open with a comment paragraph";
}

} // namespace
