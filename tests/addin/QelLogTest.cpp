// The log: line format, appending, the roll-over into one backup at 100000
// bytes, lines lost without a word when the file cannot be written, and the
// mutex between processes (real processes, real time: the one place tests wait).
#include "tests/addin/ChildProcess.h"
#include "tests/support/ExpectRaises.h"
#include "tests/support/TempPlatformHome.h"

#include "addin/settings/DataFolder.h"
#include "addin/settings/QelLog.h"
#include "platform/rtl/DateTime.h"
#include "platform/win/Clock.h"
#include "platform/win/ShellFolders.h"
#include "platform/win/Synch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class QelLogTest : public ::testing::Test {
protected:
    void TearDown() override { TQelLog::MutexWaitMs = savedWait_; }

    std::string Folder() const { return platform::LocalAppDataFolder() + "/LorvaneOL"; }
    std::string LogPath() const { return Folder() + "/ZubLogFile.txt"; }
    std::string BackupPath() const { return LogPath() + "_Old.txt"; }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }
    static void Write(const std::string& path, const std::string& bytes) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // The names in the data folder, sorted.
    std::vector<std::string> FolderContents() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Folder()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempPlatformHome home;

private:
    DWORD savedWait_ = TQelLog::MutexWaitMs;
};

// A line as long as `length` with CR LF, different for every i.
std::string NumberedLine(const std::string& who, int i, size_t length) {
    std::string line = who + " " + std::to_string(i) + " ";
    line.resize(length, '.');
    return line;
}

} // namespace

TEST_F(QelLogTest, ALogLineIsTheLocalDateAndTimeThenTheMessageEndedByCrLf) {
    platform::ManualClockScope clock(EncodeDateTime(2026, 12, 6, 13, 40, 0, 0));
    TQelLog::Log("Exception in adxCOMAddInModuleAddInInitialize");
    EXPECT_EQ(Read(LogPath()),
              "12/6/2026 1:40:00 PM - Exception in adxCOMAddInModuleAddInInitialize\r\n");
}

TEST_F(QelLogTest, TheDataFolderIsMadeWhenMissingAndLinesAreAppended) {
    ASSERT_FALSE(fs::exists(Folder()));
    TQelLog::WriteLogFile("first");
    TQelLog::WriteLogFile("second");
    EXPECT_EQ(LorvaneDataFolder(), Folder());
    EXPECT_EQ(Read(LogPath()), "first\r\nsecond\r\n");
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"ZubLogFile.txt"});
}

TEST_F(QelLogTest, TheLineThatPassesTheLimitEndsTheFileThatBecomesTheBackup) {
    const std::string earlier(99990, 'x');
    Write(LogPath(), earlier);
    TQelLog::WriteLogFile("the line past the limit"); // 99990 + 25 bytes
    EXPECT_FALSE(fs::exists(LogPath()));
    EXPECT_EQ(Read(BackupPath()), earlier + "the line past the limit\r\n");

    TQelLog::WriteLogFile("a new file");
    EXPECT_EQ(Read(LogPath()), "a new file\r\n");
    EXPECT_EQ(Read(BackupPath()), earlier + "the line past the limit\r\n");
}

TEST_F(QelLogTest, AFileOfExactlyTheLimitStaysTheLog) {
    std::string line = "twelve bytes"; // 14 with CR LF
    Write(LogPath(), std::string(100000 - 14, 'x'));
    TQelLog::WriteLogFile(line);
    EXPECT_EQ(fs::file_size(LogPath()), 100000u);
    EXPECT_FALSE(fs::exists(BackupPath()));

    TQelLog::WriteLogFile("one more");
    EXPECT_FALSE(fs::exists(LogPath()));
    EXPECT_EQ(fs::file_size(BackupPath()), 100010u);
}

TEST_F(QelLogTest, ANewerBackupReplacesTheOlderOneSoThereIsOnlyOne) {
    Write(BackupPath(), "the older backup\r\n");
    Write(LogPath(), std::string(100000, 'x'));
    TQelLog::WriteLogFile("over");
    EXPECT_EQ(Read(BackupPath()), std::string(100000, 'x') + "over\r\n");
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"ZubLogFile.txt_Old.txt"});
}

TEST_F(QelLogTest, ALogThatCannotBeOpenedLosesTheLineWithoutAWord) {
    // A folder in the log's place cannot be opened as a file.
    fs::create_directories(LogPath());
    EXPECT_NO_THROW(TQelLog::WriteLogFile("lost"));
    EXPECT_NO_THROW(TQelLog::Log("lost too"));
    EXPECT_TRUE(fs::is_directory(LogPath()));
    EXPECT_FALSE(fs::exists(BackupPath()));
}

TEST_F(QelLogTest, AFailedRollOverRaisesAndStillReleasesTheMutex) {
    // A backup that cannot be deleted (a folder with something in it) blocks the rename.
    Write(BackupPath() + "/inside", "x");
    {
        TQelLog log(LogPath(), "TestLogging", 10, BackupPath());
        log.WriteLine("more than ten bytes");
        ExpectRaises<EQelError>([&] { log.Destroy(); }, "Cannot rename file from \"" + LogPath() +
                                                            "\" to \"" + BackupPath() + "\".");
    }
    EXPECT_EQ(Read(LogPath()), "more than ten bytes\r\n");
    // Another writer gets the mutex at once.
    TQelLog next(LogPath(), "TestLogging", 0, BackupPath(), 0);
    next.WriteLine("next");
    next.Destroy();
    EXPECT_EQ(Read(LogPath()), "more than ten bytes\r\nnext\r\n");
    // Through WriteLogFile the failure is swallowed and the line kept.
    EXPECT_NO_THROW(TQelLog::WriteLogFile("swallowed"));
}

TEST_F(QelLogTest, AWriterWithoutMutexOrLimitJustAppends) {
    LorvaneDataFolder();
    for (int i = 0; i < 3; ++i) {
        TQelLog log(LogPath() + ".plain", "", 0, LogPath() + ".plain_Old.txt");
        log.WriteLine(std::string(50, 'a' + i));
        log.Destroy();
    }
    EXPECT_EQ(Read(LogPath() + ".plain").size(), 3u * 52u);
    EXPECT_FALSE(fs::exists(LogPath() + ".plain_Old.txt"));
}

TEST_F(QelLogTest, TwoProcessesWriteUnderTheMutexWithoutLosingOrTearingLines) {
    const int lines = 300;
    const size_t length = 90;
    ProcessSignal go;
    auto writeLines = [&](const std::string& who) {
        for (int i = 0; i < lines; ++i)
            TQelLog::WriteLogFile(NumberedLine(who, i, length));
    };
    ChildProcess child([&] {
        if (!go.Await())
            return false;
        writeLines("child");
        return true;
    });
    go.Raise();
    writeLines("parent");
    ASSERT_TRUE(child.Succeeded());

    std::string all = Read(LogPath());
    ASSERT_EQ(all.size(), 2u * lines * (length + 2)) << "lines were lost or torn";
    std::set<std::string> expected, found;
    for (int i = 0; i < lines; ++i) {
        expected.insert(NumberedLine("child", i, length));
        expected.insert(NumberedLine("parent", i, length));
    }
    for (size_t at = 0; at < all.size(); at += length + 2) {
        EXPECT_EQ(all.substr(at + length, 2), "\r\n") << "a line was torn at " << at;
        found.insert(all.substr(at, length));
    }
    EXPECT_EQ(found, expected);
}

TEST_F(QelLogTest, AWriterGivesUpAndDropsItsLineWhileAnotherProcessHoldsTheMutex) {
    ProcessSignal held, done;
    ChildProcess holder([&] {
        HANDLE mutex = CreateMutex(nullptr, FALSE, "TestLogging");
        if (!mutex || WaitForSingleObject(mutex, INFINITE) != WAIT_OBJECT_0)
            return false;
        held.Raise();
        done.Await();
        return ReleaseMutex(mutex) && CloseHandle(mutex);
    });
    ASSERT_TRUE(held.Await());

    TQelLog::MutexWaitMs = 50;
    TQelLog::WriteLogFile("dropped while the mutex is held");
    EXPECT_FALSE(fs::exists(LogPath()));
    ExpectRaises<EQelError>([&] { TQelLog log(LogPath(), "TestLogging", 0, BackupPath(), 0); },
                            "The mutex \"TestLogging\" was not free within 0 ms.");

    done.Raise();
    ASSERT_TRUE(holder.Succeeded());
    TQelLog::WriteLogFile("written once it is free");
    EXPECT_EQ(Read(LogPath()), "written once it is free\r\n");
}
