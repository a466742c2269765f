// Habits of the whole tree: every source file opens with a paragraph on its
// part in the whole, so that a newcomer who opens any file learns first why
// it is there; and no file keeps the markers of an unfinished merge.
#include "Layering.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

TEST(Style, EverySourceFileOpensWithItsParagraph) {
    const fs::path root = LORVANE_SOURCE_DIR;
    std::vector<std::string> files = house::SourceFiles(root);
    std::string missing;
    for (const std::string& file : files) {
        std::ifstream in(root / file);
        std::string first;
        std::getline(in, first);
        if (first.rfind("//", 0) != 0 && first.rfind("/*", 0) != 0)
            missing += file + "\n";
    }
    EXPECT_GT(files.size(), 100u);
    EXPECT_EQ(missing, "") << "these files do not open with a comment paragraph";
}

} // namespace

namespace {

// A merge's conflict markers left in any file of the tree (code, golden
// files, scripts, the README) are a merge nobody finished.
TEST(Style, NoFileHoldsMergeConflictMarkers) {
    const fs::path root = LORVANE_SOURCE_DIR;
    std::string found;
    auto check = [&](const fs::path& file) {
        std::ifstream in(file);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number)
            if (line.rfind("<<<<<<< ", 0) == 0 || line.rfind(">>>>>>> ", 0) == 0)
                found +=
                    fs::relative(file, root).generic_string() + ":" + std::to_string(number) + "\n";
    };
    check(root / "README.md");
    for (const char* top : {"platform", "xml", "htmllabel", "framework", "addin", "tools", "tests",
                            "bench", "fuzz", "scripts", "cmake"}) {
        if (!fs::exists(root / top))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / top))
            if (entry.is_regular_file() && entry.file_size() < (1u << 20))
                check(entry.path());
    }
    EXPECT_EQ(found, "");
}

} // namespace
