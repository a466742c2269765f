// What a change of the registry costs and who sees it: writing what is there
// already leaves the file alone, the change count grows with every change of
// this process and every write of another one, names in any case and script
// are found through one index, and two live processes on one machine folder
// see each other's writes (the other process is a forked child that waits on
// a pipe, so no step depends on timing).
#include "tests/support/TempPlatformHome.h"

#include "platform/win/Registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The registry file's inode: a rewrite (a new file renamed over it) changes it.
ino_t FileIdentity() {
    struct stat st {};
    return ::stat(platform::RegistryFilePath().c_str(), &st) == 0 ? st.st_ino : 0;
}

// One direction of a pipe between the test and its child. Each side closes
// the end it does not use, so that a side that ends early ends the other's wait.
struct Signal {
    int fds[2] = {-1, -1};
    Signal() { EXPECT_EQ(pipe(fds), 0); }
    ~Signal() {
        CloseEnd(0);
        CloseEnd(1);
    }
    void CloseEnd(int end) {
        if (fds[end] >= 0)
            close(fds[end]);
        fds[end] = -1;
    }
    // For the side that gives.
    void Giver() { CloseEnd(0); }
    // For the side that waits.
    void Waiter() { CloseEnd(1); }
    bool Give() { return write(fds[1], "x", 1) == 1; }
    bool Wait() {
        char c;
        return read(fds[0], &c, 1) == 1;
    }
};

class RegistryChanges : public ::testing::Test {
protected:
    TempPlatformHome home;
};

} // namespace

TEST_F(RegistryChanges, WritingWhatIsThereAlreadyLeavesTheFileAlone) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Same", true));
    reg.WriteString("Name", "text");
    reg.WriteInteger("Count", 3);
    reg.WriteBinaryData("Bytes", "\x01\x02", 2);
    unsigned long writes = platform::RegistryFileWrites();
    unsigned long long changes = platform::RegistryChanges();
    ino_t file = FileIdentity();

    reg.WriteString("NAME", "text"); // another spelling of the same name
    reg.WriteInteger("Count", 3);
    reg.WriteBinaryData("Bytes", "\x01\x02", 2);
    ASSERT_TRUE(reg.OpenKey("\\software\\SAME", true)); // exists: nothing created
    EXPECT_EQ(platform::RegistryFileWrites(), writes);
    EXPECT_EQ(platform::RegistryChanges(), changes);
    EXPECT_EQ(FileIdentity(), file);
    EXPECT_EQ(reg.GetValueNames(), (std::vector<std::string>{"Name", "Count", "Bytes"}));

    // The same data of another type is a change.
    reg.WriteExpandString("Name", "text");
    EXPECT_EQ(platform::RegistryFileWrites(), writes + 1);
    EXPECT_EQ(reg.GetDataType("Name"), rdExpandString);
}

TEST_F(RegistryChanges, TheCountGrowsWithEveryChangeAndOnlyThen) {
    TRegistry reg;
    unsigned long long before = platform::RegistryChanges();
    EXPECT_EQ(platform::RegistryChanges(), before);
    ASSERT_TRUE(reg.OpenKey("\\Software\\Counted", true));
    unsigned long long created = platform::RegistryChanges();
    EXPECT_GT(created, before);
    reg.ReadString("missing");
    reg.GetKeyNames();
    EXPECT_EQ(platform::RegistryChanges(), created);
    {
        platform::RegistryBatch batch;
        reg.WriteInteger("a", 1);
        unsigned long long first = platform::RegistryChanges();
        EXPECT_GT(first, created);
        reg.WriteInteger("b", 2); // a second change in the same batch counts too
        EXPECT_GT(platform::RegistryChanges(), first);
        batch.Commit();
    }
    unsigned long long written = platform::RegistryChanges();
    EXPECT_TRUE(reg.DeleteValue("a"));
    EXPECT_GT(platform::RegistryChanges(), written);
}

TEST_F(RegistryChanges, AFileWrittenByAnotherProcessCountsAsAChange) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Shared", true));
    reg.WriteInteger("Version", 1);
    unsigned long long before = platform::RegistryChanges();
    std::string path = platform::RegistryFilePath();
    std::ofstream(path + ".other", std::ios::binary)
        << "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Shared]\n"
           "\"Version\"=dword:00000002\n";
    std::filesystem::rename(path + ".other", path);
    EXPECT_GT(platform::RegistryChanges(), before);
    EXPECT_EQ(reg.ReadInteger("Version"), 2);
}

TEST_F(RegistryChanges, NamesInAnyCaseAndScriptAreFoundThroughOneIndex) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Ärger\\Mixed", true));
    reg.WriteString("Grüße", "1");
    EXPECT_TRUE(reg.KeyExists("\\SOFTWARE\\äRGER\\mIXED"));
    EXPECT_FALSE(reg.ValueExists("GRÜSSE")); // no folding beyond simple case
    EXPECT_EQ(reg.ReadString("GRÜßE"), "1");
    // 8-bit text that is not UTF-8 is read as Windows-1252, as the name was stored.
    EXPECT_TRUE(reg.KeyExists("\\Software\\\xC4rger\\Mixed"));
    EXPECT_EQ(reg.ReadString("gr\xFC\xDF"
                             "e"),
              "1");
}

TEST_F(RegistryChanges, TheMachinesFolderIsMadeWhenANewOneIsSet) {
    std::string folder = home.path + "/later/machine";
    platform::SetPlatformHome(folder);
    EXPECT_EQ(platform::PlatformHome(), folder);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\There", true));
    EXPECT_TRUE(std::filesystem::exists(folder + "/registry.reg"));
    platform::SetPlatformHome(home.path);
}

TEST_F(RegistryChanges, TwoLiveProcessesSeeEachOthersWrites) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Both", true));
    reg.WriteInteger("FromParent", 1);
    Signal toChild, toParent;
    // The child starts with the parent's registry in memory, as read so far.
    auto childRun = [&] {
        toChild.Waiter();
        toParent.Giver();
        TRegistry mine;
        if (!mine.OpenKey("\\Software\\Both", true) || mine.ReadInteger("FromParent") != 1)
            return false;
        if (!toParent.Give() || !toChild.Wait())
            return false;
        // The parent wrote again: this process must read the file anew.
        if (mine.ReadInteger("FromParent") != 2 || mine.ReadString("Second") != "yes")
            return false;
        mine.WriteString("FromChild", "hello");
        return toParent.Give();
    };
    pid_t child = fork();
    if (child == 0)
        _exit(childRun() ? 0 : 1);
    ASSERT_GT(child, 0);
    toChild.Giver();
    toParent.Waiter();
    ASSERT_TRUE(toParent.Wait()); // the child has read the first value
    reg.WriteInteger("FromParent", 2);
    reg.WriteString("Second", "yes");
    ASSERT_TRUE(toChild.Give());
    ASSERT_TRUE(toParent.Wait());
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(reg.ReadString("FromChild"), "hello");
    EXPECT_EQ(reg.GetValueNames(), (std::vector<std::string>{"FromParent", "Second", "FromChild"}));
}
