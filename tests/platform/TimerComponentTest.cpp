// TTimer: fires on the UI thread's window timers as the manual clock moves.
#include "platform/forms/Application.h"
#include "platform/forms/DataModule.h"
#include "platform/forms/FormClassBuilder.h"
#include "platform/forms/Timer.h"
#include "platform/sim/ModalScript.h"
#include "platform/win/Clock.h"
#include "platform/win/Timer.h"
#include "platform/win/Window.h"

#include <gtest/gtest.h>

namespace {

class TimerComponent : public ::testing::Test {
protected:
    void SetUp() override { platform::ProcessMessages(); }
    platform::ManualClockScope clock{45000.5};
};

class TTickModule : public TDataModule {
public:
    using TDataModule::TDataModule;
    void Timer1Timer(TObject* sender) { ++ticks; }
    int ticks = 0;
};

} // namespace

TEST_F(TimerComponent, FiresEveryIntervalWhileEnabled) {
    TTimer timer(nullptr);
    int ticks = 0;
    TObject* sender = nullptr;
    timer.OnTimer = [&](TObject* s) {
        ++ticks;
        sender = s;
    };
    timer.SetInterval(100);
    platform::AdvanceAndProcess(99);
    EXPECT_EQ(ticks, 0);
    platform::AdvanceAndProcess(1);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(sender, &timer);
    platform::AdvanceAndProcess(250);
    EXPECT_EQ(ticks, 3);
    timer.SetEnabled(false);
    platform::AdvanceAndProcess(1000);
    EXPECT_EQ(ticks, 3);
    timer.SetEnabled(true);
    platform::AdvanceAndProcess(100);
    EXPECT_EQ(ticks, 4);
}

TEST_F(TimerComponent, DefaultsAndZeroInterval) {
    TTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    platform::AdvanceAndProcess(1000);
    EXPECT_EQ(ticks, 1);
    timer.SetInterval(0);
    platform::AdvanceAndProcess(5000);
    EXPECT_EQ(ticks, 1);
}

TEST_F(TimerComponent, AFreedTimerNeverFires) {
    int ticks = 0;
    auto* timer = new TTimer(nullptr);
    timer->OnTimer = [&](TObject*) { ++ticks; };
    timer->SetInterval(10);
    timer->Free();
    platform::AdvanceAndProcess(100);
    EXPECT_EQ(ticks, 0);
}

TEST_F(TimerComponent, HandlerMayFreeItsTimer) {
    auto* timer = new TTimer(nullptr);
    int ticks = 0;
    timer->OnTimer = [&](TObject* sender) {
        ++ticks;
        static_cast<TTimer*>(sender)->Free();
    };
    timer->SetInterval(10);
    platform::AdvanceAndProcess(100);
    EXPECT_EQ(ticks, 1);
}

TEST_F(TimerComponent, AnExceptionInTheHandlerIsShownAndTheTimerGoesOn) {
    sim::ModalScript user;
    forms::ScopedModalDriver installed(user);
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) {
        ++ticks;
        throw Exception("Tick failed");
    };
    timer.SetInterval(10);
    platform::AdvanceAndProcess(20);
    EXPECT_EQ(ticks, 2);
    ASSERT_EQ(user.Shown().size(), 2u);
    EXPECT_EQ(user.Shown()[0].Text, "Tick failed.");
}

TEST_F(TimerComponent, TimerOfAStoredFormIsWiredToTheModulesHandler) {
    forms::FormClassTable table;
    table.Register<TTickModule, TDataModule>()
        .StoredForm(R"(object Module: TTickModule
  object Timer1: TTimer
    Enabled = False
    Interval = 0
    OnTimer = Timer1Timer
  end
end)")
        .Method("Timer1Timer", &TTickModule::Timer1Timer);
    auto* module = table.Create<TTickModule>(nullptr);
    auto* timer = static_cast<TTimer*>(module->FindComponent("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->Enabled());
    platform::AdvanceAndProcess(5000);
    EXPECT_EQ(module->ticks, 0);
    // Set at run time, as the product does.
    timer->SetInterval(10);
    timer->SetEnabled(true);
    platform::AdvanceAndProcess(10);
    EXPECT_EQ(module->ticks, 1);
    module->Free();
    platform::AdvanceAndProcess(100);
}
