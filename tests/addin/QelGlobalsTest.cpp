// The Windows family the add-in determines from the platform id.
#include "tests/support/ExpectRaises.h"

#include "addin/settings/QelGlobals.h"
#include "platform/rtl/Exception.h"
#include "platform/win/Version.h"

#include <gtest/gtest.h>

TEST(QelGlobals, PlatformIdTwoIsTheNTFamilyAndOneTheOlderFamily) {
    EXPECT_TRUE(IsNTPlatform(VER_PLATFORM_WIN32_NT));
    EXPECT_FALSE(IsNTPlatform(VER_PLATFORM_WIN32_WINDOWS));
    EXPECT_TRUE(IsWinNT());
}

TEST(QelGlobals, AnyOtherPlatformIdFailsTheAssertion) {
    for (DWORD id : {0u, 3u, 0xFFFFFFFFu})
        ExpectRaises<EAssertionFailed>([&] { IsNTPlatform(id); },
                                       "OSVersionInfo.dwPlatformId is invalid");
}
