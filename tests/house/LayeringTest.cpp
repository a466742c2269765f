// The layering check: its rules as the architecture draws them, the check
// failing on a small made-up tree with each kind of wrong include, and the
// real tree passing it.
#include "Layering.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

TEST(Layering, RulesMatchTheArchitecture) {
    using house::Violation;
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
    // End-to-end tests load the product; they see the platform and the simulation only.
    EXPECT_EQ(Violation("tests/e2e/X.cpp", "platform/sim/HostDriver.h"), "");
    EXPECT_NE(Violation("tests/e2e/X.cpp", "addin/QelLog.h"), "");
    EXPECT_NE(Violation("tests/e2e/X.cpp", "framework/AddInModule.h"), "");
    EXPECT_NE(Violation("tests/e2e/X.cpp", "tools/lorvane-host/Transcript.h"), "");
    // A folder without a place has no rights, and nothing may lean on it.
    EXPECT_NE(Violation("platform/newroom/X.cpp", "platform/text/Utf.h"), "");
    EXPECT_NE(Violation("addin/X.cpp", "platform/newroom/X.h"), "");
    EXPECT_NE(Violation("tests/addin/X.cpp", "tests/newroom/X.h"), "");
    EXPECT_FALSE(house::HasAPlace("platform/newroom/X.cpp"));
    EXPECT_FALSE(house::HasAPlace("tests/X.cpp"));
    EXPECT_TRUE(house::HasAPlace("platform/win/Registry.cpp"));
}

TEST(Layering, RoomsKeepTheirOrder) {
    struct Case {
        const char* source;
        const char* target;
        bool allowed;
    };
    const Case cases[] = {
        {"framework/AddInObject.cpp", "framework/hosts/OfficeRelays.h", true},
        {"framework/hosts/AddInRelays.cpp", "framework/panes/CustomTaskPanes.h", true},
        {"framework/commandbars/X.cpp", "framework/ribbon/RibbonControlTypes.h", true},
        {"framework/ribbon/X.cpp", "framework/support/FrameworkErrors.h", true},
        {"framework/ribbon/X.cpp", "framework/ribbon/Y.h", true},
        {"framework/support/X.cpp", "framework/hosts/HostApplications.h", false},
        {"framework/ribbon/X.cpp", "framework/commandbars/CustomCommandBar.h", false},
        {"framework/panes/X.cpp", "framework/events/EventDispatch.h", false},
        {"framework/panes/X.cpp", "framework/AddInModule.h", false},
        {"framework/newroom/X.cpp", "framework/support/FrameworkErrors.h", false},
        {"framework/AddInModule.cpp", "framework/newroom/X.h", false},
        {"addin/send/X.cpp", "addin/dialogs/DlgConfig.h", true},
        {"addin/dialogs/X.cpp", "addin/settings/QelLog.h", true},
        {"addin/dialogs/X.cpp", "addin/send/PendingEntries.h", false},
        {"addin/settings/X.cpp", "addin/dialogs/DlgConfig.h", false},
        {"addin/settings/X.cpp", "addin/send/MessageKey.h", false},
        {"addin/send/X.cpp", "addin/LorvaneOL_IMPL.h", false},
        {"addin/ProductModule.cpp", "addin/send/FolderWatchers.h", true},
        {"addin/library/LorvaneOL.cpp", "addin/LorvaneOL_IMPL.h", true},
        {"addin/LorvaneOL_IMPL.cpp", "addin/library/X.h", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(house::Violation(c.source, c.target).empty(), c.allowed)
            << c.source << " -> " << c.target;
    EXPECT_FALSE(house::HasAPlace("framework/newroom/X.cpp"));
    EXPECT_TRUE(house::HasAPlace("framework/AddInModule.cpp"));
}

// A source tree of its own under /tmp, removed with the test.
class MadeUpTree {
public:
    MadeUpTree() {
        std::string pattern = (fs::temp_directory_path() / "lorvane-house-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        root = made ? made : "";
    }
    ~MadeUpTree() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    MadeUpTree(const MadeUpTree&) = delete;
    MadeUpTree& operator=(const MadeUpTree&) = delete;

    // Writes a file at path (from the root) with an opening comment and text.
    void Write(const std::string& path, const std::string& text = "") const {
        fs::create_directories((root / path).parent_path());
        std::ofstream(root / path) << "// " << path << "\n" << text;
    }

    fs::path root;
};

TEST(Layering, TheCheckReportsEachKindOfWrongInclude) {
    MadeUpTree tree;
    ASSERT_FALSE(tree.root.empty());
    tree.Write("framework/AddInModule.h");
    tree.Write("addin/Thing.h");
    tree.Write("scripts/helper.h");
    tree.Write("platform/text/Low.h");
    // Fine: a layer above including one below, in either form, and beside itself.
    tree.Write("xml/Reader.cpp",
               "#include \"platform/text/Low.h\"\n#include <platform/text/Low.h>\n"
               "#include \"Reader.h\"\n#include <vector>\n");
    tree.Write("xml/Reader.h");
    // An angle-bracket include pointing up.
    tree.Write("platform/text/Up.cpp", "#include <framework/AddInModule.h>\n");
    // A quoted one, written relative to the file.
    tree.Write("platform/text/Relative.cpp", "#include \"../../addin/Thing.h\"\n");
    // A file in a folder that has no place, and an include of one.
    tree.Write("platform/newroom/New.cpp", "#include \"addin/Thing.h\"\n");
    tree.Write("xml/Leans.cpp", "#include \"platform/newroom/New.cpp\"\n");
    tree.Write("xml/Helper.cpp", "#include \"scripts/helper.h\"\n");
    // A room including a room above it, and the root.
    tree.Write("addin/dialogs/Dialog.h");
    tree.Write("addin/settings/Settings.cpp",
               "#include \"addin/dialogs/Dialog.h\"\n#include \"addin/Thing.h\"\n");
    // A room including a sibling room it may not use.
    tree.Write("framework/events/Events.h");
    tree.Write("framework/panes/Panes.cpp", "#include \"framework/events/Events.h\"\n");
    // A library above the platform using the simulated hosts, and code
    // including a test helper.
    tree.Write("platform/sim/Host.h");
    tree.Write("tests/support/Helper.h");
    tree.Write("htmllabel/Label.cpp",
               "#include <platform/sim/Host.h>\n#include \"tests/support/Helper.h\"\n");
    // End-to-end tests including the product's internals.
    tree.Write("tests/e2e/E.cpp", "#include \"addin/Thing.h\"\n");
    // Tests of one layer including another's helpers, and the sample add-in
    // using the simulated hosts.
    tree.Write("tests/platform/PlatformHelper.h");
    tree.Write("tests/xml/X.cpp", "#include \"tests/platform/PlatformHelper.h\"\n");
    tree.Write("tests/sample/Sample.cpp", "#include \"platform/sim/Host.h\"\n");
    // Build trees and hidden folders are not the tree's sources.
    tree.Write("build/CMakeCache.txt");
    tree.Write("build/gen/Bad.cpp", "#include \"addin/Thing.h\"\n");
    tree.Write(".git/Bad.cpp", "#include \"addin/Thing.h\"\n");

    EXPECT_EQ(house::Report(house::CheckTree(tree.root)),
              "addin/settings/Settings.cpp:2: \"addin/dialogs/Dialog.h\" the room "
              "addin/settings/ may not use the room addin/dialogs/\n"
              "addin/settings/Settings.cpp:3: \"addin/Thing.h\" a room includes its layer's root "
              "(the module's services come through a narrow header)\n"
              "framework/panes/Panes.cpp:2: \"framework/events/Events.h\" the room "
              "framework/panes/ may not use the room framework/events/\n"
              "htmllabel/Label.cpp:2: \"platform/sim/Host.h\" only tests and tools use the "
              "simulated hosts\n"
              "htmllabel/Label.cpp:3: \"tests/support/Helper.h\" code includes a test header\n"
              "platform/newroom/New.cpp belongs to no layer\n"
              "platform/text/Relative.cpp:2: \"../../addin/Thing.h\" includes the higher layer "
              "addin/\n"
              "platform/text/Up.cpp:2: \"framework/AddInModule.h\" includes the higher layer "
              "framework/\n"
              "scripts/helper.h belongs to no layer\n"
              "tests/e2e/E.cpp:2: \"addin/Thing.h\" reaches the higher layer addin/\n"
              "tests/sample/Sample.cpp:2: \"platform/sim/Host.h\" does not use the simulated "
              "hosts\n"
              "tests/xml/X.cpp:2: \"tests/platform/PlatformHelper.h\" tests of one layer include "
              "another's helpers (shared ones go to tests/support/)\n"
              "xml/Helper.cpp:2: \"scripts/helper.h\" includes a file that belongs to no layer\n"
              "xml/Leans.cpp:2: \"platform/newroom/New.cpp\" includes a file that belongs to no "
              "layer\n");
}

TEST(Layering, TheTreeKeepsItsLayers) {
    const fs::path root = LORVANE_SOURCE_DIR;
    ASSERT_GT(house::SourceFiles(root).size(), 100u) << "the source tree was not found at " << root;
    EXPECT_EQ(house::Report(house::CheckTree(root)), "");
}

} // namespace
