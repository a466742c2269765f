// The framework's log: its line form, capacity, warnings, the exception
// block (also while disabled), system information, indent, the count of
// last messages (clamped at 0), the report, saving (once per line when
// saving after each message), lines from several threads, its window with
// "Save as ...", and its default file in the local application data folder.
#include "framework/support/FrameworkLog.h"

#include "platform/controls/Form.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/UserInput.h"
#include "platform/forms/ModalDriver.h"
#include "platform/rtl/DateFormat.h"
#include "platform/rtl/FileUtils.h"
#include "platform/sim/ModalScript.h"
#include "platform/win/Clock.h"
#include "platform/win/Process.h"
#include "platform/win/ShellFolders.h"
#include "tests/support/TempPlatformHome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace {

class FrameworkLog : public ::testing::Test {
protected:
    // Every line's head: the time (the clock stands still) and the thread.
    std::string Head() const {
        return DateTimeToStr(Now()) + "\t" + std::to_string(GetCurrentThreadId()) + "\t";
    }
    std::string File(const char* name) const { return home.path + "/" + name; }
    std::string Read(const std::string& file) const {
        TStringList lines;
        lines.LoadFromFile(file);
        return lines.Text();
    }
    TempPlatformHome home;
    platform::ManualClockScope clock{EncodeDateTime(2026, 12, 7, 9, 30, 0, 0)};
    TLog log{5000};
};

size_t CountStarting(const std::vector<std::string>& lines, const std::string& text) {
    return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find("\t" + text) != std::string::npos;
    });
}

} // namespace

TEST_F(FrameworkLog, LinesAreTimeThreadIndentAndTextNewestFirst) {
    log.AddMessage("first");
    log.AddIndent();
    log.AddIndent();
    log.AddWarning("deeper");
    log.RemoveIndent();
    log.RemoveIndent();
    log.RemoveIndent(); // never below none
    log.AddIndent();
    log.AddMessage("one step");
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{Head() + "--one step",
                                                     Head() + "----*!* deeper", Head() + "first"}));
}

TEST_F(FrameworkLog, KeepsTheNewestLinesOnly) {
    for (int i = 1; i <= 5001; ++i)
        log.AddMessage("message " + std::to_string(i));
    std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(lines.size(), 5000u);
    EXPECT_EQ(lines.front(), Head() + "message 5001");
    EXPECT_EQ(lines.back(), Head() + "message 2");
    log.SetCountLastMessages(2);
    EXPECT_EQ(log.Lines().size(), 2u);
}

TEST_F(FrameworkLog, TheCountOfLastMessagesStopsLinesAndIsNeverNegative) {
    for (int count : {0, -1}) {
        SCOPED_TRACE(count);
        TLog small(3);
        small.AddMessage("before");
        small.SetCountLastMessages(count);
        EXPECT_TRUE(small.Lines().empty());
        small.AddMessage("after");
        small.AddException("failed");
        EXPECT_TRUE(small.Lines().empty());
        EXPECT_EQ(small.Exceptions(), std::vector<std::string>{"failed"});
    }
}

TEST_F(FrameworkLog, ADisabledLogStillTakesExceptions) {
    log.Disable();
    log.AddMessage("ignored");
    log.AddWarning("ignored too");
    log.AddException("Access violation");
    const std::string time = DateTimeToStr(Now());
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{
                               Head() + "|-------------------------",
                               Head() + "|Access violation",
                               Head() + "|Exception time: " + time,
                               Head() + "|=========================",
                               Head() + "Disable Log " + time,
                           }));
    EXPECT_EQ(log.Exceptions(), std::vector<std::string>{"Access violation"});
    EXPECT_TRUE(log.Disabled());
}

TEST_F(FrameworkLog, TheReportListsExceptionsSystemInfoAndLines) {
    log.AddSystemInfo("Outlook 11.0");
    log.AddSystemInfo("Outlook 11.0");
    log.AddSystemInfo("Windows 5.1");
    log.SetCountLastMessages(1);
    log.AddException("bad");
    log.AddMessage("last");
    EXPECT_EQ(log.SystemInfo(), (std::vector<std::string>{"Outlook 11.0", "Windows 5.1"}));
    EXPECT_EQ(log.GetMessages(),
              "\r\nExceptions:\r\n============\r\nbad\r\n"
              "\r\nSystem Info:\r\n============\r\nOutlook 11.0\r\nWindows 5.1\r\n"
              "\r\nLog:\r\n============\r\n" +
                  Head() + "last\r\n");
    log.Save(File("report.txt"));
    EXPECT_EQ(log.Lines(), std::vector<std::string>{Head() + "Save time: " + DateTimeToStr(Now())});
    EXPECT_EQ(Read(File("report.txt")), log.GetMessages());
}

TEST_F(FrameworkLog, SavingAfterEachMessageSavesOncePerLine) {
    log.SetLogFileByDefault(File("each.txt"));
    log.SetSaveLogToFileByDefaultAfterAddingEachMessage(true);
    log.AddMessage("one");
    log.AddMessage("two");
    std::vector<std::string> lines = log.Lines();
    // Each line saved once; the save's own line did not save again.
    EXPECT_EQ(lines.size(), 4u);
    EXPECT_EQ(CountStarting(lines, "Save time: "), 2u);
    EXPECT_EQ(Read(File("each.txt")), log.GetMessages());
}

TEST_F(FrameworkLog, LinesFromSeveralThreadsAreAllKept) {
    auto add = [this] {
        for (int i = 0; i < 500; ++i)
            log.AddMessage("line");
    };
    std::thread first(add);
    std::thread second(add);
    add();
    first.join();
    second.join();
    EXPECT_EQ(log.Lines().size(), 1500u);
}

TEST_F(FrameworkLog, TheDefaultFileIsInTheLocalApplicationDataFolder) {
    char folder[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPath(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, folder), 0);
    EXPECT_EQ(log.GetLogFileByDefault(), std::string(folder) + "\\ADXXLog.txt");
    EXPECT_EQ(Log(), Log());
}

TEST_F(FrameworkLog, TheWindowShowsTheReportReadOnlyAndSavesItAs) {
    log.AddMessage("shown");
    sim::ModalScript user;
    std::string seen;
    user.OnForm([&](TForm& form) {
            EXPECT_EQ(form.Caption(), "Diagnostics");
            EXPECT_EQ(form.Position(), poScreenCenter);
            EXPECT_EQ(form.BorderIcons(), TBorderIcons{biSystemMenu});
            for (int i = 0; i < form.ComponentCount(); ++i)
                if (auto* memo = dynamic_cast<TMemo*>(form.Components(i))) {
                    EXPECT_TRUE(memo->ReadOnly());
                    EXPECT_EQ(memo->ScrollBars(), ssBoth);
                    EXPECT_EQ(memo->Align(), alClient);
                    seen = memo->Lines()->Text();
                }
            EXPECT_TRUE(controls::ChooseMenu(form, "Save as ..."));
            return mrCancel;
        })
        .SaveAs(File("chosen"));
    forms::ScopedModalDriver driver(user);
    log.ShowMessages("Diagnostics");
    EXPECT_NE(seen.find("\tShow time: "), std::string::npos);
    EXPECT_NE(seen.find("\tshown\r\n"), std::string::npos);
    // Saved as a text file, with the save's line.
    ASSERT_TRUE(FileExists(File("chosen.txt")));
    EXPECT_NE(Read(File("chosen.txt")).find("\tSave time: "), std::string::npos);
    ASSERT_EQ(user.Shown().size(), 2u);
    EXPECT_EQ(sim::ModalScript::Describe(user.Shown()[0]),
              "[Save] Save As -> " + File("chosen.txt"));
}
