// The one lifetime rule: a handler that frees its caller is seen as such by
// the caller, whatever the handler does after.
#include "platform/rtl/Lifetime.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

struct Button {
    rtl::TLiveness liveness;
    std::function<void(Button*)> OnClick;
    int clicks = 0;
    // Fires OnClick and counts the click only when the button survived.
    void Click() {
        if (!rtl::FireSurvives(liveness, OnClick, this))
            return;
        ++clicks;
    }
};

TEST(Lifetime, CallerThatSurvivesGoesOn) {
    Button b;
    int seen = 0;
    b.OnClick = [&](Button*) { ++seen; };
    b.Click();
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(b.clicks, 1);
}

TEST(Lifetime, HandlerThatFreesItsCallerStopsIt) {
    auto owner = std::make_unique<Button>();
    Button* b = owner.get();
    // The handler frees the button, and the std::function it runs in with it.
    b->OnClick = [&owner](Button*) { owner.reset(); };
    b->Click();
    EXPECT_EQ(owner, nullptr);
}

TEST(Lifetime, UnassignedHandlerLeavesTheCallerAlive) {
    Button b;
    b.Click();
    EXPECT_EQ(b.clicks, 1);
}

TEST(Lifetime, WatchReadsDeadAfterEndOrFree) {
    auto b = std::make_unique<Button>();
    rtl::TLifeWatch before = b->liveness.Watch();
    EXPECT_TRUE(before.Alive());
    b->liveness.End();
    EXPECT_FALSE(before.Alive());
    EXPECT_FALSE(b->liveness.Watch().Alive());
    rtl::TLifeWatch other = std::make_unique<Button>()->liveness.Watch();
    EXPECT_FALSE(other.Alive());
    EXPECT_FALSE(rtl::TLifeWatch().Alive());
}

TEST(Lifetime, ExceptionAfterFreeIsNotReportedThroughTheFreedCaller) {
    auto owner = std::make_unique<Button>();
    owner->OnClick = [&owner](Button*) {
        owner.reset();
        throw std::runtime_error("after free");
    };
    rtl::TLifeWatch watch = owner->liveness.Watch();
    bool reported = false;
    try {
        owner->Click();
    } catch (const std::runtime_error&) {
        reported = watch.Alive();
    }
    EXPECT_FALSE(reported);
}

// A plain callable (a lambda with captures) cannot be unassigned: it runs.
TEST(Lifetime, ACallableThatCannotBeUnassignedAlwaysRuns) {
    auto owner = std::make_unique<Button>();
    int runs = 0;
    EXPECT_TRUE(rtl::FireSurvives(owner->liveness, [&runs] { ++runs; }));
    EXPECT_FALSE(rtl::FireSurvives(owner->liveness, [&owner] { owner.reset(); }));
    EXPECT_EQ(runs, 1);
}

TEST(Lifetime, CopiesHaveLivesOfTheirOwn) {
    Button a;
    Button b = a;
    rtl::TLifeWatch wa = a.liveness.Watch();
    b.liveness.End();
    EXPECT_TRUE(wa.Alive());
}

} // namespace
