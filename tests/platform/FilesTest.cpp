// File helpers, the atomic file replacement and the local application data folder.
#include "tests/support/TempPlatformHome.h"

#include "platform/rtl/Exception.h"
#include "platform/win/Files.h"
#include "platform/win/HResult.h"
#include "platform/win/ShellFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::size_t EntriesIn(const std::string& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}

} // namespace

TEST(Files, AtomicWriteCreatesAndReplacesLeavingNothingElse) {
    TempPlatformHome home;
    std::string file = home.path + "/data.txt";
    platform::WriteFileAtomically(file, "first");
    EXPECT_EQ(ReadFile(file), "first");
    std::string binary("a\0b\r\n", 5);
    platform::WriteFileAtomically(file, binary);
    EXPECT_EQ(ReadFile(file), binary);
    EXPECT_EQ(EntriesIn(home.path), 1u);
}

TEST(Files, FailedAtomicWriteRaisesNamingTheFileAndLeavesNoTemporaryFile) {
    TempPlatformHome home;
    std::string folderInTheWay = home.path + "/config";
    ASSERT_TRUE(ForceDirectories(folderInTheWay + "/inside"));
    try {
        platform::WriteFileAtomically(folderInTheWay, "text");
        FAIL() << "a folder cannot be replaced by a file";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message.find(folderInTheWay), std::string::npos) << e.Message;
    }
    EXPECT_TRUE(DirectoryExists(folderInTheWay + "/inside"));
    EXPECT_EQ(EntriesIn(home.path), 1u);
    EXPECT_THROW(platform::WriteFileAtomically(home.path + "/missing/file.txt", "x"), Exception);
}

TEST(Files, RenameRefusesToReplaceAnExistingFile) {
    TempPlatformHome home;
    std::string log = home.path + "/log.txt", backup = home.path + "/log.txt_Old.txt";
    platform::WriteFileAtomically(log, "new");
    platform::WriteFileAtomically(backup, "old");
    EXPECT_FALSE(RenameFile(log, backup));
    EXPECT_EQ(ReadFile(backup), "old");
    EXPECT_TRUE(DeleteFile(backup));
    EXPECT_FALSE(DeleteFile(backup)) << "already gone";
    EXPECT_TRUE(RenameFile(log, backup));
    EXPECT_FALSE(FileExists(log));
    EXPECT_EQ(ReadFile(backup), "new");
    EXPECT_FALSE(RenameFile(log, backup + "2")) << "source gone";
}

TEST(Files, FoldersAreNotFiles) {
    TempPlatformHome home;
    EXPECT_FALSE(FileExists(home.path));
    EXPECT_TRUE(DirectoryExists(home.path));
    EXPECT_FALSE(DeleteFile(home.path));
    EXPECT_TRUE(DirectoryExists(home.path));
    EXPECT_TRUE(ForceDirectories(home.path + "/a/b/c"));
    EXPECT_TRUE(ForceDirectories(home.path + "/a/b/c")) << "already there";
    EXPECT_FALSE(ForceDirectories(""));
}

TEST(LocalAppData, IsAFolderOfTheMachineMadeOnDemand) {
    TempPlatformHome home;
    std::string expected = home.path + "/LocalAppData";
    EXPECT_FALSE(DirectoryExists(expected));
    char path[MAX_PATH];
    EXPECT_EQ(SHGetFolderPath(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path),
              0);
    EXPECT_EQ(std::string(path), expected);
    EXPECT_TRUE(DirectoryExists(expected));
    EXPECT_EQ(platform::LocalAppDataFolder(), expected);
}

TEST(LocalAppData, OtherShellFoldersAreRefused) {
    TempPlatformHome home;
    char path[MAX_PATH];
    EXPECT_EQ(SHGetFolderPath(nullptr, 0x001A, nullptr, 0, path), E_INVALIDARG);
    EXPECT_EQ(SHGetFolderPath(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, nullptr), E_INVALIDARG);
}
