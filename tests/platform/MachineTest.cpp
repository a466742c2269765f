// What the machine tells about itself: its Windows version and the lines sent
// to the debugger.
#include "platform/win/DebugOutput.h"
#include "platform/win/Version.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Machine, ReportsAnNtFamilyWindowsWithVisualStyles) {
    OSVERSIONINFO info;
    ASSERT_TRUE(GetVersionEx(&info));
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_TRUE(info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion >= 1));
    info.dwOSVersionInfoSize = 12;
    EXPECT_FALSE(GetVersionEx(&info));
}

TEST(Machine, DebugOutputKeepsTheNewestThousandLines) {
    platform::TakeDebugOutput();
    for (int i = 0; i < 1001; ++i)
        OutputDebugString(std::to_string(i).c_str());
    OutputDebugString(nullptr);
    std::vector<std::string> lines = platform::TakeDebugOutput();
    ASSERT_EQ(lines.size(), 1000u);
    EXPECT_EQ(lines.front(), "2");
    EXPECT_EQ(lines[998], "1000");
    EXPECT_EQ(lines.back(), "");
    EXPECT_TRUE(platform::TakeDebugOutput().empty());
}

TEST(Machine, DebugOutputIsDroppedWhileAQuietScopeLives) {
    platform::TakeDebugOutput();
    OutputDebugString("before");
    {
        platform::TQuietDebugOutput quiet;
        {
            platform::TQuietDebugOutput nested;
            OutputDebugString("nested");
        }
        OutputDebugString("quiet");
    }
    OutputDebugString("after");
    EXPECT_EQ(platform::TakeDebugOutput(), (std::vector<std::string>{"before", "after"}));
}
