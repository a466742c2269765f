// Habits of the whole tree: every source file opens with a paragraph on its
// part in the whole, so that a newcomer who opens any file learns first why
// it is there; and no file keeps the markers of an unfinished merge.
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
