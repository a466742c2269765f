// LorvaneOL.so as a file: it exports the four COM entry points and nothing
// else (as the sample add-in's library does), and registers and unregisters itself through them as
// an installer calls them.
#include "tests/e2e/E2eSupport.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/sim/outlook/OutlookRegistration.h"
#include "platform/win/Library.h"
#include "platform/win/Registry.h"

#include <algorithm>
#include <sstream>

using namespace e2e;

namespace {

// The names of the symbols the library defines in its dynamic symbol table.
std::vector<std::string> ExportedNames(const std::string& path) {
    std::vector<std::string> names;
    FILE* pipe = popen(("nm -D --defined-only " + path).c_str(), "r");
    if (!pipe)
        return names;
    char line[1024];
    while (fgets(line, sizeof line, pipe)) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name)
            names.push_back(name);
    }
    pclose(pipe);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(Library, ExportsTheFourEntryPointsAndNothingElse) {
    for (const std::string& path : {LibraryPath, SampleLibraryPath}) {
        EXPECT_EQ(ExportedNames(path),
                  (std::vector<std::string>{"DllCanUnloadNow", "DllGetClassObject",
                                            "DllRegisterServer", "DllUnregisterServer"}))
            << path;
    }
}

TEST(Library, RegistersItselfForAllUsersAndUnregistersCompletely) {
    TempPlatformHome home;
    sim::InstallOutlook(12);
    ASSERT_EQ(CallEntryPoint("DllRegisterServer"), S_OK);
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\" + AddInKey));
    EXPECT_EQ(reg.ReadString("FriendlyName"), "LorvaneOL");
    EXPECT_EQ(reg.ReadInteger("LoadBehavior"), 3);
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\CLSID\\" + ClassId + "\\InprocServer32"));
    EXPECT_EQ(reg.ReadString(""), LibraryPath);
    EXPECT_EQ(reg.ReadString("ThreadingModel"), "Apartment");
    EXPECT_TRUE(GetModuleHandle(LibraryPath.c_str()) == nullptr) << "the library stayed loaded";

    ASSERT_EQ(CallEntryPoint("DllUnregisterServer"), S_OK);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(reg.KeyExists("\\" + AddInKey));
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    EXPECT_FALSE(reg.KeyExists("\\CLSID\\" + ClassId));
    EXPECT_FALSE(reg.KeyExists("\\" + ProgId));
    EXPECT_TRUE(sim::IsOutlookInstalled());
}
