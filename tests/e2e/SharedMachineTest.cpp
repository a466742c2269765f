// lorvane-host processes that share one machine folder, one after the other
// and beside this test's own registry, which stays loaded all along: each
// sees what the others wrote, and registering an add-in that is registered
// already leaves registry.reg as it was.
#include "tests/e2e/E2eSupport.h"
#include "tests/support/TempPlatformHome.h"

#include "platform/win/Registry.h"

#include <fstream>
#include <sys/stat.h>

using namespace e2e;

namespace {

class SharedMachine : public ::testing::Test {
protected:
    HostRun Run(const std::string& command) const {
        return RunHost("--data " + machine.path + " " + command);
    }
    // A script file in the machine's folder, for lorvane-host to play.
    std::string Script(const std::string& name, const std::string& text) const {
        std::string path = machine.path + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // The registry file's inode and size: a rewrite (a new file renamed
    // over the old one) changes the inode.
    std::pair<ino_t, off_t> FileIdentity() const {
        struct stat st {};
        if (::stat((machine.path + "/registry.reg").c_str(), &st) != 0)
            return {0, 0};
        return {st.st_ino, st.st_size};
    }

    TempPlatformHome machine;
};

} // namespace

TEST_F(SharedMachine, EachProcessSeesWhatTheOthersWrote) {
    // This process's registry is loaded before any host runs, and kept.
    TRegistry mine;
    mine.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(mine.KeyExists("\\" + AddInKey));

    HostRun registered = Run("register");
    ASSERT_EQ(registered.ExitCode, 0) << registered.Output;
    ASSERT_TRUE(mine.OpenKeyReadOnly("\\" + AddInKey));
    EXPECT_EQ(mine.ReadInteger("LoadBehavior"), 3);

    // The next host finds the add-in registered and starts it for the first time.
    std::string startAndQuit = Script("start-quit.script", "start\nquit\n");
    HostRun first = Run("script " + startAndQuit);
    ASSERT_EQ(first.ExitCode, 0) << first.Output;
    EXPECT_NE(first.Output.find("start mode FIRSTSTART"), std::string::npos) << first.Output;
    TRegistry user;
    ASSERT_TRUE(user.OpenKeyReadOnly("\\" + AddInKey));
    EXPECT_EQ(user.ReadString("ADXStartMode"), "NORMAL");

    // This process writes; the next host reads it.
    ASSERT_TRUE(user.OpenKey("\\" + AddInKey, false));
    user.WriteString("ADXStartMode", "FIRSTSTART");
    HostRun again = Run("script " + startAndQuit);
    ASSERT_EQ(again.ExitCode, 0) << again.Output;
    EXPECT_NE(again.Output.find("start mode FIRSTSTART"), std::string::npos) << again.Output;
    EXPECT_NE(again.Output.find("~ HKEY_CURRENT_USER\\" + AddInKey +
                                "\\ADXStartMode = \"NORMAL\" (was \"FIRSTSTART\")"),
              std::string::npos)
        << again.Output;

    // The last host removes what the first one and the add-in wrote.
    HostRun unregistered = Run("unregister");
    ASSERT_EQ(unregistered.ExitCode, 0) << unregistered.Output;
    EXPECT_NE(unregistered.Output.find("- HKEY_LOCAL_MACHINE\\" + AddInKey + "\\LoadBehavior"),
              std::string::npos)
        << unregistered.Output;
    EXPECT_FALSE(mine.KeyExists("\\" + AddInKey));
}

TEST_F(SharedMachine, RegisteringAgainLeavesTheRegistryFileAsItWas) {
    HostRun first = Run("register");
    ASSERT_EQ(first.ExitCode, 0) << first.Output;
    auto written = FileIdentity();
    ASSERT_NE(written.first, 0u);

    HostRun again = Run("register");
    ASSERT_EQ(again.ExitCode, 0) << again.Output;
    EXPECT_EQ(FileIdentity(), written);
    EXPECT_EQ(again.Output.find("   registry  "), std::string::npos) << again.Output;

    // An empty script registers the add-in too: nothing to write either.
    HostRun empty = Run("script " + Script("empty.script", ""));
    ASSERT_EQ(empty.ExitCode, 0) << empty.Output;
    EXPECT_EQ(FileIdentity(), written);
}
