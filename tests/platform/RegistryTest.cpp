// The registry object over registry.reg: round trips through the file, case
// rules, relative and absolute paths, deep deletes, the classes view, and
// bad files.
#include "tests/support/TempPlatformHome.h"

#include "platform/win/Registry.h"
#include "platform/win/RegistryStore.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sstream>
#include <sys/resource.h>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

class Registry : public ::testing::Test {
protected:
    TempPlatformHome home;
};

} // namespace

TEST_F(Registry, ValuesRoundTripThroughTheRegistryFile) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\Software\\Lorvane\\Test", true));
        reg.WriteString("Name", "Grüße \"quoted\" back\\slash");
        reg.WriteString("", "the default");
        reg.WriteInteger("Count", -2);
        reg.WriteExpandString("Path", "%HOME%\\x");
        reg.WriteString("Lines", "one\r\ntwo");
        uint8_t bytes[] = {0, 1, 0xFE, 0xFF};
        reg.WriteBinaryData("Blob", bytes, sizeof bytes);
        std::vector<uint8_t> big(200, 0xAB); // wraps over several lines
        reg.WriteBinaryData("Big", big.data(), int(big.size()));
    }
    std::string written = ReadFile(platform::RegistryFilePath());
    EXPECT_EQ(written.rfind("Windows Registry Editor Version 5.00\n", 0), 0u);
    EXPECT_NE(written.find("[HKEY_CURRENT_USER\\Software\\Lorvane\\Test]\n"), std::string::npos);
    EXPECT_NE(written.find("\"Count\"=dword:fffffffe\n"), std::string::npos);
    EXPECT_NE(written.find("@=\"the default\"\n"), std::string::npos);
    EXPECT_NE(written.find("\"Blob\"=hex:00,01,fe,ff\n"), std::string::npos);
    EXPECT_NE(written.find("\"Name\"=\"Grüße \\\"quoted\\\" back\\\\slash\"\n"), std::string::npos);

    platform::ReloadRegistry();
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\Lorvane\\Test"));
    EXPECT_EQ(reg.ReadString("name"), "Grüße \"quoted\" back\\slash");
    EXPECT_EQ(reg.ReadString(""), "the default");
    EXPECT_EQ(reg.ReadInteger("COUNT"), -2);
    EXPECT_EQ(reg.GetDataType("Path"), rdExpandString);
    EXPECT_EQ(reg.ReadString("Path"), "%HOME%\\x");
    EXPECT_EQ(reg.ReadString("Lines"), "one\r\ntwo");
    EXPECT_EQ(reg.ReadBinaryData("Blob"), (std::vector<uint8_t>{0, 1, 0xFE, 0xFF}));
    EXPECT_EQ(reg.ReadBinaryData("Big"), std::vector<uint8_t>(200, 0xAB));
    EXPECT_EQ(reg.GetValueNames(),
              (std::vector<std::string>{"Name", "", "Count", "Path", "Lines", "Blob", "Big"}));
    EXPECT_EQ(platform::RegistryLoadProblems(), std::vector<std::string>{});
    // Writing the tree read back gives the same file, byte for byte.
    platform::RegTree tree;
    platform::ParseRegText(written, tree);
    EXPECT_EQ(platform::WriteRegText(tree), written);
}

TEST_F(Registry, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\MixedCase", true));
    reg.WriteString("Value", "1");
    reg.WriteString("VALUE", "2");
    EXPECT_EQ(reg.GetValueNames(), std::vector<std::string>{"Value"});
    EXPECT_EQ(reg.ReadString("value"), "2");
    reg.CloseKey();
    EXPECT_TRUE(reg.KeyExists("\\SOFTWARE\\mixedcase"));
    ASSERT_TRUE(reg.OpenKey("software", false));
    EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"MixedCase"});
    EXPECT_TRUE(reg.OpenKey("MIXEDCASE", true)); // no second key
    EXPECT_EQ(reg.CurrentPath(), "software\\MIXEDCASE");
    reg.OpenKey("\\Software", false);
    EXPECT_EQ(reg.GetKeyNames().size(), 1u);
}

TEST_F(Registry, RelativePathsStartAtTheOpenKey) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\A", true));
    ASSERT_TRUE(reg.OpenKey("B\\C", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\A\\B\\C");
    EXPECT_TRUE(reg.KeyExists("\\Software\\A\\B"));
    EXPECT_FALSE(reg.KeyExists("B")); // relative to ...\C now
    EXPECT_FALSE(reg.OpenKey("Missing", false));
    EXPECT_EQ(reg.CurrentPath(), "Software\\A\\B\\C"); // a failed open keeps the key
    ASSERT_TRUE(reg.OpenKey("\\Software\\A\\", false));
    EXPECT_EQ(reg.CurrentPath(), "Software\\A");
    reg.CloseKey();
    EXPECT_FALSE(reg.HasCurrentKey());
    EXPECT_TRUE(reg.OpenKey("Software\\\\A", false)); // doubled backslashes collapse
}

TEST_F(Registry, ReadsOfMissingOrMistypedValues) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Types", true));
    reg.WriteString("Text", "12");
    reg.WriteInteger("Number", 12);
    EXPECT_EQ(reg.ReadString("Missing"), "");
    EXPECT_THROW(reg.ReadInteger("Missing"), ERegistryException);
    EXPECT_THROW(reg.ReadInteger("Text"), ERegistryException);
    EXPECT_THROW(reg.ReadString("Number"), ERegistryException);
    EXPECT_THROW(reg.ReadBinaryData("Number"), ERegistryException);
    EXPECT_EQ(reg.GetDataType("Missing"), rdUnknown);
    EXPECT_EQ(reg.GetDataSize("Missing"), -1);
    EXPECT_EQ(reg.GetDataSize("Number"), 4);
    EXPECT_EQ(reg.GetDataSize("Text"), 6); // UTF-16 with its NUL
    EXPECT_TRUE(reg.DeleteValue("text"));
    EXPECT_FALSE(reg.DeleteValue("text"));
    EXPECT_FALSE(reg.ValueExists("Text"));
    uint8_t small[2];
    reg.WriteBinaryData("Blob", "abcd", 4);
    EXPECT_THROW(reg.ReadBinaryData("Blob", small, sizeof small), ERegistryException);
}

TEST_F(Registry, WritesNeedAWritableKeyBelowTheRoot) {
    TRegistry reg;
    EXPECT_THROW(reg.WriteString("x", "y"), ERegistryException); // nothing open
    ASSERT_TRUE(reg.OpenKey("", false));                         // the root itself
    EXPECT_THROW(reg.WriteString("x", "y"), ERegistryException);
    ASSERT_TRUE(reg.OpenKey("\\Software\\RO", true));
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\RO"));
    EXPECT_THROW(reg.WriteInteger("x", 1), ERegistryException);
    EXPECT_FALSE(reg.DeleteValue("x"));
    ASSERT_TRUE(reg.OpenKey("\\Software\\RO", false));
    EXPECT_THROW(reg.WriteString("bad\nname", "y"), ERegistryException);
    EXPECT_FALSE(reg.OpenKey("bad\nkey", true));
    EXPECT_FALSE(reg.OpenKey(std::string(256, 'k'), true));
}

TEST_F(Registry, DeleteKeyRemovesTheWholeTreeButNeverARoot) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Deep\\A\\B\\C", true));
    reg.WriteString("v", "1");
    ASSERT_TRUE(reg.OpenKey("\\Software\\Deep\\Sibling", true));
    reg.CloseKey();
    EXPECT_FALSE(reg.DeleteKey(""));
    EXPECT_FALSE(reg.DeleteKey("\\"));
    EXPECT_FALSE(reg.DeleteKey("\\\\"));
    ASSERT_TRUE(reg.OpenKey("\\Software\\Deep", false));
    EXPECT_FALSE(reg.DeleteKey("")); // not even the open key
    EXPECT_TRUE(reg.DeleteKey("a"));
    EXPECT_FALSE(reg.KeyExists("\\Software\\Deep\\A\\B\\C"));
    EXPECT_TRUE(reg.KeyExists("\\Software\\Deep\\Sibling"));
    EXPECT_FALSE(reg.DeleteKey("A"));
    EXPECT_TRUE(reg.DeleteKey("\\Software\\Deep"));
    // The open key is gone: reads find nothing and writes fail.
    EXPECT_FALSE(reg.ValueExists("v"));
    EXPECT_THROW(reg.WriteString("v", "2"), ERegistryException);
    EXPECT_FALSE(reg.KeyExists("\\Software\\Deep"));
    platform::ReloadRegistry();
    EXPECT_FALSE(reg.KeyExists("\\Software\\Deep\\Sibling"));
    EXPECT_TRUE(reg.KeyExists("\\Software"));
}

TEST_F(Registry, ClassesRootIsAViewOfTheMachinesSoftwareClasses) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(reg.OpenKey("\\Outlook.Application\\CLSID", true));
    reg.WriteString("", "{0006F03A-0000-0000-C000-000000000046}");
    TRegistry machine;
    machine.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(machine.OpenKeyReadOnly("SOFTWARE\\classes\\outlook.application\\clsid"));
    EXPECT_EQ(machine.ReadString(""), "{0006F03A-0000-0000-C000-000000000046}");
    TRegistry user;
    EXPECT_FALSE(user.KeyExists("\\Software\\Classes\\Outlook.Application"));
    EXPECT_NE(ReadFile(platform::RegistryFilePath())
                  .find("[HKEY_LOCAL_MACHINE\\Software\\Classes\\Outlook.Application\\CLSID]"),
              std::string::npos);
    reg.CloseKey();
    EXPECT_TRUE(reg.DeleteKey("Outlook.Application"));
    EXPECT_TRUE(machine.KeyExists("\\Software\\Classes"));
    TRegistry other;
    other.SetRootKey(HKEY_USERS);
    EXPECT_FALSE(other.OpenKey("\\Software", true));
}

TEST_F(Registry, AFileWrittenByAnotherProcessIsReadAgain) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Shared", true));
    reg.WriteInteger("Version", 1);
    std::string text = ReadFile(platform::RegistryFilePath());
    std::string changed = text.substr(0, text.find("\"Version\"")) + "\"Version\"=dword:00000002\n";
    // Replace the file the way a writer does: a new file renamed over the old.
    WriteFile(platform::RegistryFilePath() + ".other", changed);
    std::rename((platform::RegistryFilePath() + ".other").c_str(),
                platform::RegistryFilePath().c_str());
    EXPECT_EQ(reg.ReadInteger("Version"), 2);
}

TEST_F(Registry, ANewMachineFolderStartsWithItsOwnRegistry) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\First", true));
    {
        TempPlatformHome other;
        EXPECT_FALSE(reg.KeyExists("\\Software\\First"));
        ASSERT_TRUE(reg.OpenKey("\\Software\\Second", true));
    }
    platform::SetPlatformHome(home.path);
    EXPECT_TRUE(reg.KeyExists("\\Software\\First"));
    EXPECT_FALSE(reg.KeyExists("\\Software\\Second"));
}

TEST_F(Registry, BadLinesOfAFileAreSkippedAndReported) {
    WriteFile(platform::RegistryFilePath(), "Windows Registry Editor Version 5.00\n"
                                            "\"orphan\"=\"no key yet\"\n"
                                            "[HKEY_NOWHERE\\X]\n"
                                            "\"lost\"=\"in an unknown hive\"\n"
                                            "[HKEY_CURRENT_USER\\Software\\Good]\n"
                                            "\"ok\"=\"yes\"\n"
                                            "\"bad dword\"=dword:xyz\n"
                                            "\"too long\"=dword:123456789\n"
                                            "\"bad hex\"=hex:0g,01\n"
                                            "\"unterminated=\"x\"\n"
                                            "\"no equals\" \"x\"\n"
                                            "\"text\"=\"open\n"
                                            "[HKEY_CURRENT_USER\\Software\\Unterminated\n"
                                            "; a comment\n"
                                            "\"after\"=dword:00000001\n"
                                            "[HKEY_CURRENT_USER]\n"
                                            "[HKEY_LOCAL_MACHINE\\Software\\Continued]\n"
                                            "\"bin\"=hex:01,02,\\\n"
                                            "  03,04\n"
                                            "\"wide\"=hex(1):41,00,42,00,00,00\n"
                                            "\"multi\"=hex(7):41,00,00,00,00,00\n");
    platform::ReloadRegistry();
    EXPECT_EQ(platform::RegistryLoadProblems().size(), 12u);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Good", false));
    EXPECT_EQ(reg.GetValueNames(), std::vector<std::string>{"ok"});
    EXPECT_FALSE(reg.KeyExists("\\Software\\Unterminated"));
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey("\\Software\\Continued", false));
    EXPECT_EQ(reg.ReadBinaryData("bin"), (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(reg.ReadString("wide"), "AB");
    EXPECT_EQ(reg.GetDataType("multi"), rdUnknown);
    EXPECT_EQ(reg.ReadBinaryData("multi").size(), 6u);
}

TEST_F(Registry, DeletionLinesAndUtf16FilesAreRead) {
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n"
                       "[HKEY_CURRENT_USER\\Software\\Gone]\r\n\"a\"=\"1\"\r\n"
                       "[HKEY_CURRENT_USER\\Software\\Kept]\r\n\"a\"=\"1\"\r\n\"b\"=\"2\"\r\n"
                       "[-HKEY_CURRENT_USER\\Software\\Gone]\r\n"
                       "[HKEY_CURRENT_USER\\Software\\Kept]\r\n\"a\"=-\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : text) {
        utf16 += c;
        utf16 += '\0';
    }
    WriteFile(platform::RegistryFilePath(), utf16);
    platform::ReloadRegistry();
    EXPECT_TRUE(platform::RegistryLoadProblems().empty());
    TRegistry reg;
    EXPECT_FALSE(reg.KeyExists("\\Software\\Gone"));
    ASSERT_TRUE(reg.OpenKey("\\Software\\Kept", false));
    EXPECT_EQ(reg.GetValueNames(), std::vector<std::string>{"b"});
}

TEST_F(Registry, AFailedSaveLeavesTheOldFileAndSaysSo) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Saved", true));
    reg.WriteString("a", "1");
    std::string before = ReadFile(platform::RegistryFilePath());
    // A full disk: files may not grow past what is written now.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = before.size() + 16;
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(reg.WriteString("b", std::string(1000, 'x')), ERegistryException);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(ReadFile(platform::RegistryFilePath()), before);
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(home.path))
        ++files;
    EXPECT_EQ(files, 1u); // no temporary file left behind
}

TEST_F(Registry, AFolderInPlaceOfTheFileIsAProblemNotACrash) {
    std::filesystem::create_directory(platform::RegistryFilePath());
    TRegistry reg;
    EXPECT_FALSE(reg.KeyExists("\\Software"));
    EXPECT_EQ(platform::RegistryLoadProblems().size(), 1u);
    EXPECT_THROW(reg.OpenKey("\\Software\\X", true), ERegistryException);
}

TEST_F(Registry, ABatchWritesTheFileOnceWhenItEnds) {
    TRegistry reg;
    {
        platform::RegistryBatch batch;
        ASSERT_TRUE(reg.OpenKey("\\Software\\Batch", true));
        reg.WriteString("a", "1");
        {
            platform::RegistryBatch inner;
            reg.WriteInteger("b", 2);
        }
        EXPECT_FALSE(std::filesystem::exists(platform::RegistryFilePath())); // nothing written yet
        EXPECT_EQ(reg.ReadInteger("b"), 2);                                  // but readable
        batch.Commit();
        EXPECT_TRUE(std::filesystem::exists(platform::RegistryFilePath()));
    }
    {
        platform::RegistryBatch uncommitted;
        reg.WriteString("c", "3");
    } // written by the destructor
    platform::ReloadRegistry();
    EXPECT_EQ(reg.GetValueNames(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(RegistryText, QuotesAndBackslashesAreEscapedAtEitherEndOfANameOrText) {
    platform::RegTree tree;
    platform::RegKey& key = tree.CurrentUser.CreateKey("Software").CreateKey("A b");
    platform::RegValue value;
    value.Name = "\"q\\";
    value.Text = "\\x\"";
    key.SetValue(value);
    const std::string written = platform::WriteRegText(tree);
    EXPECT_EQ(written, R"(Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software]

[HKEY_CURRENT_USER\Software\A b]
"\"q\\"="\\x\""

)");
    platform::RegTree read;
    EXPECT_TRUE(platform::ParseRegText(written, read).Ok());
    EXPECT_EQ(platform::WriteRegText(read), written);
}
