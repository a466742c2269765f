// The layering that the architecture draws, kept by the build: every
// #include "..." of the source tree is checked against the order of the
// layers, so that an arrow pointing up or sideways fails here instead of
// growing into a circle. The order, bottom to top:
//
//   platform/text rtl win com forms gfx controls office outlook sim
//   xml  htmllabel  framework  addin  tools
//
// A layer includes its own folder and the layers below it. platform/sim (the
// simulated hosts) serves tests and tools only, never the libraries above
// the platform. Tests of a layer reach no higher layer; test helpers shared
// between layers live in tests/support, which stands on the platform alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A layer: the folders it covers (prefixes of source paths) and its rank.
struct Layer {
    std::string prefix;
    int rank;
};

constexpr int SimRank = 9;
constexpr int ToolsRank = 14;

// Code layers, most specific prefix first.
const std::vector<Layer>& CodeLayers() {
    static const std::vector<Layer> layers = {
        {"platform/text/", 0},
        {"platform/rtl/", 1},
        {"platform/win/", 2},
        {"platform/com/", 3},
        {"platform/forms/", 4},
        {"platform/gfx/", 5},
        {"platform/controls/", 6},
        {"platform/office/", 7},
        {"platform/outlook/", 8},
        {"platform/sim/", SimRank},
        {"xml/", 10},
        {"htmllabel/", 11},
        {"framework/", 12},
        {"addin/", 13},
        {"tools/", ToolsRank},
    };
    return layers;
}

// Test folders and the highest code layer each may reach. The sample add-in
// is an add-in like the product's, on the framework: no product, no simulation.
struct TestFolder {
    std::string prefix;
    int reach;
    bool mayUseSim;
};

const std::vector<TestFolder>& TestFolders() {
    static const std::vector<TestFolder> folders = {
        {"tests/support/", SimRank, true},  {"tests/house/", -1, false},
        {"tests/platform/", SimRank, true}, {"tests/xml/", 10, true},
        {"tests/htmllabel/", 11, true},     {"tests/framework/", 12, true},
        {"tests/sample/", 12, false},       {"tests/addin/", 13, true},
        {"tests/e2e/", ToolsRank, true},    {"bench/", ToolsRank, true},
        {"fuzz/", ToolsRank, true},
    };
    return folders;
}

std::optional<Layer> CodeLayerOf(const std::string& path) {
    for (const Layer& layer : CodeLayers())
        if (path.rfind(layer.prefix, 0) == 0)
            return layer;
    return std::nullopt;
}

std::optional<TestFolder> TestFolderOf(const std::string& path) {
    for (const TestFolder& folder : TestFolders())
        if (path.rfind(folder.prefix, 0) == 0)
            return folder;
    return std::nullopt;
}

// Why including target from source breaks the layering; empty when it does not.
std::string Violation(const std::string& source, const std::string& target) {
    std::optional<Layer> to = CodeLayerOf(target);
    if (auto from = CodeLayerOf(source)) {
        if (target.rfind("tests/", 0) == 0)
            return "code includes a test header";
        if (!to)
            return "";
        if (to->rank == SimRank && from->rank > SimRank && from->rank < ToolsRank)
            return "only tests and tools use the simulated hosts";
        if (to->rank > from->rank)
            return "includes the higher layer " + to->prefix;
        return "";
    }
    std::optional<TestFolder> from = TestFolderOf(source);
    if (!from)
        return "";
    if (target.rfind("tests/", 0) == 0) {
        if (target.rfind("tests/support/", 0) == 0 || target.rfind(from->prefix, 0) == 0)
            return "";
        return "tests of one layer include another's helpers (shared ones go to tests/support/)";
    }
    if (!to)
        return "";
    if (to->rank == SimRank && !from->mayUseSim)
        return "does not use the simulated hosts";
    if (to->rank > from->reach)
        return "reaches the higher layer " + to->prefix;
    return "";
}

bool IsSource(const fs::path& p) {
    std::string ext = p.extension().string();
    return ext == ".h" || ext == ".cpp" || ext == ".c";
}

// Every source file below the tree's layer folders, as paths from the root.
std::vector<std::string> SourceFiles(const fs::path& root) {
    std::vector<std::string> files;
    for (const char* top : {"platform", "xml", "htmllabel", "framework", "addin", "tools", "tests",
                            "bench", "fuzz"}) {
        if (!fs::exists(root / top))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / top))
            if (entry.is_regular_file() && IsSource(entry.path()))
                files.push_back(fs::relative(entry.path(), root).generic_string());
    }
    return files;
}

// The quoted includes of a file with their line numbers.
std::vector<std::pair<int, std::string>> QuotedIncludes(const fs::path& file) {
    static const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<std::pair<int, std::string>> found;
    std::ifstream in(file);
    std::string line;
    std::smatch m;
    for (int number = 1; std::getline(in, line); ++number)
        if (std::regex_search(line, m, include))
            found.emplace_back(number, m[1].str());
    return found;
}

// The include as a path from the root: written from the root, or beside the file.
std::string Resolve(const fs::path& root, const std::string& source, const std::string& target) {
    fs::path beside = fs::path(source).parent_path() / target;
    if (fs::exists(root / beside))
        return beside.lexically_normal().generic_string();
    return target;
}

TEST(Layering, RulesMatchTheArchitecture) {
    EXPECT_EQ(Violation("platform/win/Registry.cpp", "platform/rtl/StrUtils.h"), "");
    EXPECT_NE(Violation("platform/rtl/StrUtils.cpp", "platform/win/Registry.h"), "");
    EXPECT_NE(Violation("platform/gfx/Canvas.cpp", "platform/controls/Control.h"), "");
    EXPECT_EQ(Violation("platform/controls/Control.cpp", "platform/gfx/Canvas.h"), "");
    EXPECT_NE(Violation("framework/AddInModule.cpp", "platform/sim/HostDriver.h"), "");
    EXPECT_NE(Violation("xml/DomNode.cpp", "framework/AddInModule.h"), "");
    EXPECT_EQ(Violation("addin/SendActions.cpp", "framework/AddInModule.h"), "");
    EXPECT_NE(Violation("framework/AddInModule.cpp", "addin/settings/QelLog.h"), "");
    EXPECT_EQ(Violation("tools/lorvane-host/main.cpp", "platform/sim/HostDriver.h"), "");
    EXPECT_NE(Violation("tests/framework/X.cpp", "addin/settings/QelLog.h"), "");
    EXPECT_NE(Violation("tests/addin/X.cpp", "tests/platform/Helper.h"), "");
    EXPECT_EQ(Violation("tests/addin/X.cpp", "tests/support/TempPlatformHome.h"), "");
    EXPECT_NE(Violation("tests/sample/Module.cpp", "addin/settings/QelLog.h"), "");
    EXPECT_NE(Violation("tests/sample/Module.cpp", "platform/sim/HostDriver.h"), "");
    EXPECT_NE(Violation("addin/X.cpp", "tests/support/TempPlatformHome.h"), "");
}

TEST(Layering, NoIncludePointsUpOrSideways) {
    const fs::path root = LORVANE_SOURCE_DIR;
    std::vector<std::string> files = SourceFiles(root);
    ASSERT_GT(files.size(), 100u) << "the source tree was not found at " << root;
    std::string report;
    for (const std::string& source : files)
        for (const auto& [line, written] : QuotedIncludes(root / source)) {
            std::string why = Violation(source, Resolve(root, source, written));
            if (!why.empty())
                report +=
                    source + ":" + std::to_string(line) + ": \"" + written + "\" " + why + "\n";
        }
    EXPECT_EQ(report, "");
}

} // namespace
