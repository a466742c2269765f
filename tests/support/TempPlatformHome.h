// A machine folder of its own for one test: made empty under /tmp, set as
// $PLATFORM_HOME, removed with everything in it when the test ends.
#pragma once

#include "platform/win/PlatformHome.h"

#include <cstdlib>
#include <filesystem>
#include <string>

class TempPlatformHome {
public:
    TempPlatformHome() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lorvane-test-XXXXXX").string();
        char* made = mkdtemp(pattern.data());
        path = made ? made : "";
        platform::SetPlatformHome(path);
    }
    ~TempPlatformHome() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    TempPlatformHome(const TempPlatformHome&) = delete;
    TempPlatformHome& operator=(const TempPlatformHome&) = delete;

    std::string path;
};
