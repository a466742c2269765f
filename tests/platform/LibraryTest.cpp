// Loading libraries, finding their functions, and the file names of modules.
#include "tests/support/TempPlatformHome.h"

#include "platform/win/Clock.h"
#include "platform/win/LastError.h"
#include "platform/win/Library.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

const std::string binFolder = LORVANE_BIN_DIR;
const char* const companion = "libPlatformTestCompanion.so";

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/'));
}

} // namespace

TEST(Libraries, BareNameIsFoundInTheProgramsFolderAndItsFunctionsCalled) {
    HMODULE library = LoadLibrary(companion);
    ASSERT_NE(library, nullptr) << platform::LastLoadError();
    auto answer = reinterpret_cast<int (*)()>(GetProcAddress(library, "CompanionAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    auto* value = reinterpret_cast<int*>(GetProcAddress(library, "CompanionValue"));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(*value, 7);
    EXPECT_EQ(GetProcAddress(library, "NoSuchFunction"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_EQ(FolderOf(platform::ModuleFileName(library)),
              FolderOf(platform::ModuleFileName(nullptr)));
    EXPECT_TRUE(FreeLibrary(library));
}

TEST(Libraries, LibraryFindsItsOwnFileFromTheAddressOfItsCode) {
    HMODULE library = LoadLibrary((binFolder + "/" + companion).c_str());
    ASSERT_NE(library, nullptr) << platform::LastLoadError();
    FARPROC answer = GetProcAddress(library, "CompanionAnswer");
    HMODULE holder = nullptr;
    ASSERT_TRUE(GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                      GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                  reinterpret_cast<const void*>(answer), &holder));
    char path[4096];
    DWORD length = GetModuleFileName(holder, path, sizeof path);
    EXPECT_EQ(std::string(path, length), platform::ModuleFileName(library));
    EXPECT_TRUE(EndsWith(path, std::string("/") + companion)) << path;
    EXPECT_EQ(GetModuleHandle(path), library);
    EXPECT_TRUE(FreeLibrary(library));
}

TEST(Libraries, TheProgramAndThePlatformLibraryKnowTheirFiles) {
    std::string program = platform::ModuleFileName(nullptr);
    EXPECT_TRUE(EndsWith(program, "/platform_tests")) << program;
    EXPECT_EQ(platform::ModuleFileName(GetModuleHandle(nullptr)), program);
    EXPECT_EQ(platform::ModuleFileNameOf(reinterpret_cast<const void*>(&EndsWith)), program);
    std::string platformLibrary =
        platform::ModuleFileNameOf(reinterpret_cast<const void*>(&GetTickCount));
    EXPECT_TRUE(EndsWith(platformLibrary, "/libplatform.so")) << platformLibrary;
}

TEST(Libraries, ShortBufferGetsTheCutNameAndTheSizeAsAnswer) {
    std::string program = platform::ModuleFileName(nullptr);
    char small[8];
    EXPECT_EQ(GetModuleFileName(nullptr, small, sizeof small), 8u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::string(small), program.substr(0, 7));
}

TEST(Libraries, MissingAndBrokenLibrariesAreToldApart) {
    EXPECT_EQ(LoadLibrary("NoSuchLibrary.so"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_FALSE(platform::LastLoadError().empty());

    TempPlatformHome home;
    std::string broken = home.path + "/Broken.so";
    std::ofstream(broken) << "not a library";
    EXPECT_EQ(LoadLibrary(broken.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_BAD_EXE_FORMAT);
    EXPECT_EQ(LoadLibrary((home.path + "/Absent.so").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

TEST(Libraries, FreeingAHandleNeverGivenOutIsRefused) {
    int notALibrary = 0;
    EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(&notALibrary)));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(FreeLibrary(nullptr)) << "the program is never unloaded";
}
