// Window timers under the manual clock: due order, re-arming, stopping.
#include "UiTestWindow.h"

#include "platform/rtl/Exception.h"
#include "platform/win/Clock.h"
#include "platform/win/Timer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<std::string>* callbackLog = nullptr;

void RecordCallback(HWND, UINT message, UINT_PTR id, DWORD) {
    if (callbackLog && message == WM_TIMER)
        callbackLog->push_back("callback(" + std::to_string(id) + ")");
}

class Timers : public ::testing::Test {
protected:
    void SetUp() override {
        platform::UseManualClock(45351.5);
        callbackLog = &window.log;
    }
    void TearDown() override {
        callbackLog = nullptr;
        platform::UseRealClock();
    }
    RecordingWindow window{{{WM_TIMER, "timer"}, {WM_USER, "user"}}};
};

} // namespace

TEST_F(Timers, FireInDueOrderOnlyWhenTheClockReachesThem) {
    ASSERT_NE(SetTimer(window.handle, 1, 30, nullptr), 0u);
    ASSERT_NE(SetTimer(window.handle, 2, 10, nullptr), 0u);
    UINT_PTR threadTimer = SetTimer(nullptr, 0, 20, RecordCallback);
    ASSERT_NE(threadTimer, 0u);

    EXPECT_EQ(platform::ProcessMessages(), 0u);
    platform::AdvanceClock(9);
    platform::ProcessMessages();
    EXPECT_TRUE(window.log.empty());

    platform::AdvanceClock(1);
    platform::ProcessMessages();
    EXPECT_EQ(window.log, (std::vector<std::string>{"timer(2)"}));

    // At 35 ms: timer 2 (due at 20) and the callback (due at 20, set later)
    // before timer 1 (due at 30); each fires once however far it fell behind.
    window.log.clear();
    platform::AdvanceClock(25);
    platform::ProcessMessages();
    EXPECT_EQ(window.log,
              (std::vector<std::string>{"timer(2)", "callback(" + std::to_string(threadTimer) + ")",
                                        "timer(1)"}));
    KillTimer(nullptr, threadTimer);
}

TEST_F(Timers, RearmOneIntervalAfterFiring) {
    ULONGLONG start = GetTickCount64();
    std::vector<ULONGLONG> firedAt;
    window.OnMessage = [&](TMessage&) { firedAt.push_back(GetTickCount64() - start); };
    SetTimer(window.handle, 7, 100, nullptr);

    platform::AdvanceAndProcess(350);
    EXPECT_EQ(firedAt, (std::vector<ULONGLONG>{100, 200, 300}));
    EXPECT_EQ(GetTickCount64() - start, 350u);

    platform::AdvanceAndProcess(49);
    EXPECT_EQ(firedAt.size(), 3u);
    platform::AdvanceAndProcess(1);
    EXPECT_EQ(firedAt.back(), 400u);
}

TEST_F(Timers, SettingAnExistingTimerAgainRestartsIt) {
    SetTimer(window.handle, 1, 100, nullptr);
    platform::AdvanceClock(80);
    SetTimer(window.handle, 1, 100, nullptr);
    platform::AdvanceAndProcess(99);
    EXPECT_TRUE(window.log.empty());
    platform::AdvanceAndProcess(1);
    EXPECT_EQ(window.log, (std::vector<std::string>{"timer(1)"}));
}

TEST_F(Timers, KilledTimerNeverFiresEvenWhenAlreadyDue) {
    SetTimer(window.handle, 1, 10, nullptr);
    SetTimer(window.handle, 2, 10, nullptr);
    // Timer 1 fires first and stops timer 2, which is due at the same moment.
    window.OnMessage = [&](TMessage& m) {
        if (m.Msg == WM_TIMER && m.WParam == 1)
            KillTimer(window.handle, 2);
    };
    platform::AdvanceAndProcess(100);
    EXPECT_EQ(window.log.front(), "timer(1)");
    for (const std::string& line : window.log)
        EXPECT_EQ(line, "timer(1)");
    EXPECT_FALSE(KillTimer(window.handle, 2));
    EXPECT_TRUE(KillTimer(window.handle, 1));
}

TEST_F(Timers, IntervalsBelowTheMinimumAreRaisedToIt) {
    SetTimer(window.handle, 1, 0, nullptr);
    platform::AdvanceAndProcess(USER_TIMER_MINIMUM - 1);
    EXPECT_TRUE(window.log.empty());
    platform::AdvanceAndProcess(1);
    EXPECT_EQ(window.log.size(), 1u);
}

TEST_F(Timers, PostedMessagesComeBeforeDueTimers) {
    SetTimer(window.handle, 1, 10, nullptr);
    platform::AdvanceClock(10);
    PostMessage(window.handle, WM_USER, 0, 0);
    platform::ProcessMessages();
    EXPECT_EQ(window.log, (std::vector<std::string>{"user", "timer(1)"}));
}

TEST_F(Timers, HandlerSlowerThanItsIntervalFiresOncePerProcessMessages) {
    SetTimer(window.handle, 1, 10, nullptr);
    window.OnMessage = [](TMessage&) { platform::AdvanceClock(25); };
    platform::AdvanceClock(10);
    EXPECT_EQ(platform::ProcessMessages(), 1u);
    EXPECT_EQ(platform::ProcessMessages(), 1u);
}

TEST_F(Timers, DestroyingTheWindowStopsItsTimers) {
    SetTimer(window.handle, 1, 10, nullptr);
    DeallocateHWnd(window.handle);
    EXPECT_FALSE(KillTimer(window.handle, 1));
    EXPECT_EQ(SetTimer(window.handle, 1, 10, nullptr), 0u);
    platform::AdvanceAndProcess(50);
    EXPECT_EQ(std::count(window.log.begin(), window.log.end(), "timer(1)"), 0);
}

TEST_F(Timers, ThreadTimersGetIdsOfTheirOwn) {
    UINT_PTR a = SetTimer(nullptr, 0, 10, RecordCallback);
    UINT_PTR b = SetTimer(nullptr, 0, 10, RecordCallback);
    EXPECT_NE(a, 0u);
    EXPECT_NE(b, 0u);
    EXPECT_NE(a, b);
    // Naming an id the thread owns restarts that timer.
    EXPECT_EQ(SetTimer(nullptr, a, 50, RecordCallback), a);
    platform::AdvanceAndProcess(10);
    EXPECT_EQ(window.log, (std::vector<std::string>{"callback(" + std::to_string(b) + ")"}));
    EXPECT_TRUE(KillTimer(nullptr, a));
    EXPECT_TRUE(KillTimer(nullptr, b));
}

TEST(TimersOnTheRealClock, AdvancingIsRefused) {
    platform::UseRealClock();
    EXPECT_THROW(platform::AdvanceAndProcess(10), Exception);
}
