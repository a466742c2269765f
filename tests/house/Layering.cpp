// The layering rules as tables (code layers by rank, test folders by reach)
// and the walk that holds every include of a tree against them.
#include "Layering.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <regex>

namespace fs = std::filesystem;

namespace house {
namespace {

// A layer: the folder it covers (a prefix of source paths) and its rank.
struct Layer {
    std::string prefix;
    int rank;
};

// The build's own headers (the precompiled standard headers) stand below
// everything and may include nothing of the tree.
constexpr int BuildRank = -1;
constexpr int SimRank = 9;
constexpr int ToolsRank = 14;

// Code layers; a path belongs to the longest prefix it starts with.
const std::vector<Layer>& CodeLayers() {
    static const std::vector<Layer> layers = {
        {"cmake/", BuildRank},    {"platform/text/", 0},      {"platform/rtl/", 1},
        {"platform/win/", 2},     {"platform/com/", 3},       {"platform/forms/", 4},
        {"platform/gfx/", 5},     {"platform/controls/", 6},  {"platform/office/", 7},
        {"platform/outlook/", 8}, {"platform/sim/", SimRank}, {"xml/", 10},
        {"htmllabel/", 11},       {"framework/", 12},         {"addin/", 13},
        {"tools/", ToolsRank},
    };
    return layers;
}

// Test folders and the highest code layer each may reach. The sample add-in
// is an add-in like the product's, on the framework: no product, no
// simulation. End-to-end tests load the product and the sample as libraries.
struct TestFolder {
    std::string prefix;
    int reach;
    bool mayUseSim;
};

const std::vector<TestFolder>& TestFolders() {
    static const std::vector<TestFolder> folders = {
        {"tests/support/", SimRank, true},  {"tests/house/", BuildRank, false},
        {"tests/platform/", SimRank, true}, {"tests/xml/", 10, true},
        {"tests/htmllabel/", 11, true},     {"tests/framework/", 12, true},
        {"tests/sample/", 12, false},       {"tests/addin/", 13, true},
        {"tests/e2e/", SimRank, true},      {"bench/", ToolsRank, true},
        {"fuzz/", ToolsRank, true},
    };
    return folders;
}

bool StartsWith(const std::string& path, const std::string& prefix) {
    return path.compare(0, prefix.size(), prefix) == 0;
}

// The entry of table whose prefix is the longest that path starts with.
template <class Entry>
std::optional<Entry> LongestMatch(const std::vector<Entry>& table, const std::string& path) {
    std::optional<Entry> found;
    for (const Entry& entry : table)
        if (StartsWith(path, entry.prefix) &&
            (!found || entry.prefix.size() > found->prefix.size()))
            found = entry;
    return found;
}

std::optional<Layer> CodeLayerOf(const std::string& path) {
    return LongestMatch(CodeLayers(), path);
}

std::optional<TestFolder> TestFolderOf(const std::string& path) {
    return LongestMatch(TestFolders(), path);
}

// A room inside the framework or the product: one topic, using only the
// rooms of its layer named here. The files directly in the layer's folder
// (the root: the module and what makes it) use every room, and no room uses
// the root; the product's library, which exports the module, stands on it.
struct Room {
    std::string prefix;
    std::vector<std::string> mayUse;
};

const std::vector<Room>& Rooms() {
    static const std::vector<Room> rooms = {
        {"framework/support/", {}},
        {"framework/ribbon/", {"framework/support/"}},
        {"framework/events/", {"framework/support/"}},
        {"framework/panes/", {"framework/support/"}},
        {"framework/commandbars/", {"framework/support/", "framework/ribbon/"}},
        {"framework/hosts/",
         {"framework/support/", "framework/events/", "framework/panes/", "framework/commandbars/"}},
        {"addin/settings/", {}},
        {"addin/dialogs/", {"addin/settings/"}},
        {"addin/send/", {"addin/settings/", "addin/dialogs/"}},
        {"addin/library/", {"addin/"}},
    };
    return rooms;
}

bool HasRooms(const Layer& layer) {
    return layer.prefix == "framework/" || layer.prefix == "addin/";
}

// The room of a file of a layer with rooms; the root is a room that uses
// every other; nothing for a folder that is no room.
std::optional<Room> RoomOf(const Layer& layer, const std::string& path) {
    if (path.find('/', layer.prefix.size()) == std::string::npos) {
        Room root{layer.prefix, {}};
        for (const Room& room : Rooms())
            if (StartsWith(room.prefix, layer.prefix) && room.prefix != "addin/library/")
                root.mayUse.push_back(room.prefix);
        return root;
    }
    return LongestMatch(Rooms(), path);
}

std::string RoomViolation(const Layer& layer, const std::string& source,
                          const std::string& target) {
    std::optional<Room> from = RoomOf(layer, source);
    std::optional<Room> to = RoomOf(layer, target);
    if (!from)
        return "lies in no room of " + layer.prefix;
    if (!to)
        return "includes a file in no room of " + layer.prefix;
    if (from->prefix == to->prefix ||
        std::find(from->mayUse.begin(), from->mayUse.end(), to->prefix) != from->mayUse.end())
        return "";
    if (to->prefix == layer.prefix)
        return "a room includes its layer's root (the module's services come through a narrow "
               "header)";
    return "the room " + from->prefix + " may not use the room " + to->prefix;
}

std::string ViolationFromCode(const Layer& from, const std::string& source,
                              const std::string& target) {
    if (StartsWith(target, "tests/"))
        return "code includes a test header";
    std::optional<Layer> to = CodeLayerOf(target);
    if (!to)
        return "includes a file that belongs to no layer";
    if (to->rank == SimRank && from.rank > SimRank && from.rank < ToolsRank)
        return "only tests and tools use the simulated hosts";
    if (to->rank > from.rank)
        return "includes the higher layer " + to->prefix;
    if (to->rank == from.rank && HasRooms(from))
        return RoomViolation(from, source, target);
    return "";
}

std::string ViolationFromTests(const TestFolder& from, const std::string& target) {
    if (StartsWith(target, from.prefix))
        return "";
    if (StartsWith(target, "tests/")) {
        if (!TestFolderOf(target))
            return "includes a file that belongs to no layer";
        if (StartsWith(target, "tests/support/"))
            return "";
        return "tests of one layer include another's helpers (shared ones go to tests/support/)";
    }
    std::optional<Layer> to = CodeLayerOf(target);
    if (!to)
        return "includes a file that belongs to no layer";
    if (to->rank == SimRank && !from.mayUseSim)
        return "does not use the simulated hosts";
    if (to->rank > from.reach)
        return "reaches the higher layer " + to->prefix;
    return "";
}

bool IsSource(const fs::path& p) {
    static const char* const extensions[] = {".h",   ".hh",  ".hpp", ".c",   ".cc",
                                             ".cpp", ".cxx", ".inc", ".ipp", ".tcc"};
    std::string ext = p.extension().string();
    return std::any_of(std::begin(extensions), std::end(extensions),
                       [&](const char* e) { return ext == e; });
}

// A folder the walk does not enter: hidden ones (the repository's own) and
// CMake build trees, which hold generated and downloaded files.
bool IsLeftOut(const fs::directory_entry& entry) {
    std::string name = entry.path().filename().string();
    return (!name.empty() && name[0] == '.') || name == "node_modules" ||
           fs::exists(entry.path() / "CMakeCache.txt");
}

struct Include {
    int line;
    std::string written;
    bool quoted;
};

// The includes of a file, quoted and angled, with their line numbers.
std::vector<Include> IncludesOf(const fs::path& file) {
    static const std::regex include(R"re(^\s*#\s*include\s*(["<])([^">]+)[">])re");
    std::vector<Include> found;
    std::ifstream in(file);
    std::string line;
    std::smatch m;
    for (int number = 1; std::getline(in, line); ++number)
        if (std::regex_search(line, m, include))
            found.push_back({number, m[2].str(), m[1].str() == "\""});
    return found;
}

bool IsTreeFile(const fs::path& root, const fs::path& relative) {
    std::error_code ec;
    return fs::is_regular_file(root / relative, ec);
}

// The include as a path from the root: a quoted one beside the including
// file first, then either form from the root (the include path every target
// has); nothing when it is not a file of the tree (a system header).
std::optional<std::string> Resolve(const fs::path& root, const std::string& source,
                                   const Include& include) {
    if (include.quoted) {
        fs::path beside = (fs::path(source).parent_path() / include.written).lexically_normal();
        if (IsTreeFile(root, beside))
            return beside.generic_string();
    }
    fs::path fromRoot = fs::path(include.written).lexically_normal();
    if (IsTreeFile(root, fromRoot))
        return fromRoot.generic_string();
    return std::nullopt;
}

} // namespace

std::string Violation(const std::string& source, const std::string& target) {
    if (std::optional<Layer> from = CodeLayerOf(source))
        return ViolationFromCode(*from, source, target);
    if (std::optional<TestFolder> from = TestFolderOf(source))
        return ViolationFromTests(*from, target);
    return "belongs to no layer";
}

bool HasAPlace(const std::string& path) {
    if (std::optional<Layer> layer = CodeLayerOf(path))
        return !HasRooms(*layer) || RoomOf(*layer, path);
    return bool(TestFolderOf(path));
}

std::vector<std::string> SourceFiles(const fs::path& root) {
    std::vector<std::string> files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        if (it->is_directory() && IsLeftOut(*it))
            it.disable_recursion_pending();
        else if (it->is_regular_file() && IsSource(it->path()))
            files.push_back(fs::relative(it->path(), root).generic_string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<Finding> CheckTree(const fs::path& root) {
    std::vector<Finding> findings;
    for (const std::string& source : SourceFiles(root)) {
        if (!HasAPlace(source)) {
            findings.push_back({source, 0, "", "belongs to no layer"});
            continue;
        }
        for (const Include& include : IncludesOf(root / source)) {
            std::optional<std::string> target = Resolve(root, source, include);
            if (!target)
                continue;
            std::string why = Violation(source, *target);
            if (!why.empty())
                findings.push_back({source, include.line, include.written, why});
        }
    }
    return findings;
}

std::string Report(const std::vector<Finding>& findings) {
    std::string report;
    for (const Finding& f : findings) {
        report += f.File;
        if (f.Line)
            report += ":" + std::to_string(f.Line) + ": \"" + f.Written + "\"";
        report += " " + f.Why + "\n";
    }
    return report;
}

} // namespace house
