// What the product's tests share: a fixture with a machine of its own, a
// fresh program-wide state, the manual clock and a scripted user, and the
// log's lines as the product wrote them.
#pragma once

#include "tests/support/FileLines.h"
#include "tests/support/TempPlatformHome.h"

#include "addin/settings/ProgramState.h"
#include "platform/forms/ModalDriver.h"
#include "platform/rtl/DateTime.h"
#include "platform/sim/ModalScript.h"
#include "platform/win/Clock.h"
#include "platform/win/ShellFolders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class ProductTest : public ::testing::Test {
protected:
    ProductTest() { ResetProgramState(); }
    ~ProductTest() override { ResetProgramState(); }

    // The lines of the add-in's log, without their CR LF.
    static std::vector<std::string> LogLines() {
        return FileLines(platform::LocalAppDataFolder() + "/LorvaneOL/ZubLogFile.txt");
    }

    TempPlatformHome home;
    // 12/6/2026 1:40:00 PM on the log's lines.
    platform::ManualClockScope clock{EncodeDateTime(2026, 12, 6, 13, 40, 0, 0)};
    sim::ModalScript user;
    forms::ScopedModalDriver userInstalled{user};
};

// What the product's log lines start with at the fixture's time.
inline const std::string LogTime = "12/6/2026 1:40:00 PM - ";

// The element of recently used slot `slot` in written, a text of "Zub.xml",
// from its start tag up to its end tag; empty when the text has none.
inline std::string WrittenMruElement(const std::string& written, int slot) {
    const size_t start = written.find("<mru id=\"" + std::to_string(slot) + "\">");
    if (start == std::string::npos)
        return std::string();
    return written.substr(start, written.find("</mru>", start) - start);
}
