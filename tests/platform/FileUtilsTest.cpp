// File names with either delimiter, and the file operations the add-in relies on.
#include "tests/support/ExpectRaises.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/FileUtils.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

TEST(FileNames, PartsOfAFileName) {
    EXPECT_EQ(ExtractFilePath("/data/LorvaneOL/Zub.xml"), "/data/LorvaneOL/");
    EXPECT_EQ(ExtractFilePath("C:\\Data\\LorvaneOL\\Zub.xml"), "C:\\Data\\LorvaneOL\\");
    EXPECT_EQ(ExtractFilePath("Zub.xml"), "");
    EXPECT_EQ(ExtractFileDir("/data/LorvaneOL/Zub.xml"), "/data/LorvaneOL");
    EXPECT_EQ(ExtractFileDir("/Zub.xml"), "/");
    EXPECT_EQ(ExtractFileName("/data\\LorvaneOL\\ZubLogFile.txt"), "ZubLogFile.txt");
    EXPECT_EQ(ExtractFileName("folder/"), "");
    EXPECT_EQ(ExtractFileExt("a/b.c/ZubLogFile.txt"), ".txt");
    EXPECT_EQ(ExtractFileExt("a/b.c/README"), "");
    EXPECT_EQ(ExtractFileExt("archive.tar.gz"), ".gz");
    EXPECT_EQ(ChangeFileExt("a/Zub.xml", ".bak"), "a/Zub.bak");
    EXPECT_EQ(ChangeFileExt("a.b/Zub", ".xml"), "a.b/Zub.xml");
    EXPECT_EQ(ChangeFileExt("Zub.xml", ""), "Zub");
}

TEST(FileNames, TrailingDelimiters) {
    EXPECT_EQ(IncludeTrailingPathDelimiter("/data"), "/data/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/data/"), "/data/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\Data\\"), "C:\\Data\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/data/"), "/data");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/data\\"), "/data");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
    EXPECT_EQ(NativePath("home\\LocalAppData\\LorvaneOL"), "home/LocalAppData/LorvaneOL");
}

class FileOperations : public ::testing::Test {
protected:
    TempPlatformHome home_;
    std::string dir_ = home_.path;
};

TEST_F(FileOperations, ForceDirectoriesCreatesEveryMissingParentFromAWindowsStylePath) {
    std::string deep = dir_ + "\\LocalAppData\\LorvaneOL\\";
    EXPECT_FALSE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(dir_ + "/LocalAppData/LorvaneOL"));
    EXPECT_TRUE(ForceDirectories(deep)); // existing: fine
    EXPECT_FALSE(FileExists(deep));      // a folder is no file
    EXPECT_FALSE(ForceDirectories(""));
}

TEST_F(FileOperations, WriteReadRenameAndDelete) {
    std::string log = dir_ + "\\ZubLogFile.txt";
    std::string backup = log + "_Old.txt";
    WriteFileAtomic(log, "line\r\n");
    EXPECT_TRUE(FileExists(log));
    EXPECT_EQ(ReadFileBytes(log), "line\r\n");
    WriteFileAtomic(log, "replaced");
    EXPECT_EQ(ReadFileBytes(log), "replaced");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}),
              1); // no temporaries left

    EXPECT_TRUE(RenameFile(log, backup));
    EXPECT_FALSE(FileExists(log));
    WriteFileAtomic(log, "new");
    EXPECT_FALSE(RenameFile(log, backup)); // never over an existing file
    EXPECT_EQ(ReadFileBytes(backup), "replaced");
    EXPECT_TRUE(DeleteFile(backup));
    EXPECT_FALSE(DeleteFile(backup));
    EXPECT_TRUE(RenameFile(log, backup));
    EXPECT_EQ(ReadFileBytes(backup), "new");
    EXPECT_FALSE(DeleteFile(dir_)); // folders are not files
}

TEST_F(FileOperations, ASaveRemovesTheTemporaryFilesThatKilledSavesOfTheSameFileLeft) {
    namespace fs = std::filesystem;
    const std::string file = dir_ + "/Zub.xml";
    WriteFileAtomic(file, "old");
    struct Leftover {
        std::string name;
        long ageSeconds;
        bool removed;
    };
    const std::vector<Leftover> leftovers = {
        {"Zub.xml.tmp-a1B2c3", TemporaryLeftoverAge + 2, true},
        {"Zub.xml.tmp-ZZZZZZ", 3600 * 24 * 30, true},
        // Another process may be saving the same file right now.
        {"Zub.xml.tmp-young1", TemporaryLeftoverAge / 2, false},
        {"Zub.xml.tmp-now000", 0, false},
        // Not a temporary of this file's saves.
        {"Other.xml.tmp-a1B2c3", 3600, false},
        {"Zub.xml.tmp-toolong", 3600, false},
        {"Zub.xml.tmp-short", 3600, false},
        {"Zub.xml.bak", 3600, false},
    };
    const auto now = fs::file_time_type::clock::now();
    for (const Leftover& leftover : leftovers) {
        const std::string path = dir_ + "/" + leftover.name;
        std::ofstream(path) << "half";
        fs::last_write_time(path, now - std::chrono::seconds(leftover.ageSeconds));
    }
    // A folder of that name is not a file a save left.
    fs::create_directory(dir_ + "/Zub.xml.tmp-folder");
    fs::last_write_time(dir_ + "/Zub.xml.tmp-folder", now - std::chrono::hours(1));

    WriteFileAtomic(dir_ + "\\Zub.xml", "new");
    EXPECT_EQ(ReadFileBytes(file), "new");
    for (const Leftover& leftover : leftovers)
        EXPECT_EQ(fs::exists(dir_ + "/" + leftover.name), !leftover.removed) << leftover.name;
    EXPECT_TRUE(fs::is_directory(dir_ + "/Zub.xml.tmp-folder"));
}

TEST_F(FileOperations, ReadingAFolderOrAMissingFileRaisesOpenError) {
    EXPECT_THROW(ReadFileBytes(dir_), EFOpenError);
    EXPECT_THROW(ReadFileBytes(dir_ + "/missing"), EFOpenError);
    ExpectRaises<EFCreateError>([&] { WriteFileAtomic(dir_ + "/missing/file.txt", "x"); },
                                "Cannot create file \"" + dir_ +
                                    "/missing/file.txt\". No such file or directory");
}

} // namespace
