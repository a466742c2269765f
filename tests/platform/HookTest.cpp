// Thread keyboard hooks: the chain, swallowing, removal during a call, and the
// key state the hooks read.
#include "platform/win/Hook.h"
#include "platform/win/LastError.h"
#include "platform/win/Process.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

struct HookCall {
    std::string hook;
    WPARAM key;
    LPARAM info;
};

std::vector<HookCall> calls;
HHOOK olderHook = nullptr;
HHOOK newerHook = nullptr;
bool newerSwallows = false;
bool newerUnhooksOlder = false;

LRESULT OlderHook(int code, WPARAM wParam, LPARAM lParam) {
    calls.push_back({"older", wParam, lParam});
    return CallNextHookEx(olderHook, code, wParam, lParam);
}

LRESULT NewerHook(int code, WPARAM wParam, LPARAM lParam) {
    calls.push_back({"newer", wParam, lParam});
    if (newerUnhooksOlder)
        UnhookWindowsHookEx(olderHook);
    LRESULT next = CallNextHookEx(newerHook, code, wParam, lParam);
    return newerSwallows ? 1 : next;
}

struct ModifierState {
    bool ctrl, shift, alt;
};
std::vector<ModifierState> modifiers;

// Reads the modifiers the way the framework's hook does on the NT family.
LRESULT ModifierHook(int code, WPARAM wParam, LPARAM lParam) {
    auto pressed = [](int vk) { return (GetKeyState(vk) & 0x100) == 0x100; };
    modifiers.push_back({pressed(VK_LCONTROL) || pressed(VK_RCONTROL),
                         pressed(VK_LSHIFT) || pressed(VK_RSHIFT),
                         pressed(VK_LMENU) || pressed(VK_RMENU)});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class KeyboardHooks : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        modifiers.clear();
        newerSwallows = newerUnhooksOlder = false;
        platform::ReleaseAllKeys();
        olderHook = SetWindowsHookEx(WH_KEYBOARD, OlderHook, nullptr, GetCurrentThreadId());
        newerHook = SetWindowsHookEx(WH_KEYBOARD, NewerHook, nullptr, GetCurrentThreadId());
        ASSERT_NE(olderHook, nullptr);
        ASSERT_NE(newerHook, nullptr);
    }
    void TearDown() override {
        UnhookWindowsHookEx(newerHook);
        UnhookWindowsHookEx(olderHook);
        platform::ReleaseAllKeys();
    }
    std::vector<std::string> Order() const {
        std::vector<std::string> out;
        for (const HookCall& c : calls)
            out.push_back(c.hook);
        return out;
    }
};

} // namespace

TEST_F(KeyboardHooks, NewestHookIsCalledFirstAndPassesTheKeyOn) {
    EXPECT_FALSE(platform::FeedKey('A', false));
    EXPECT_EQ(Order(), (std::vector<std::string>{"newer", "older"}));
    EXPECT_EQ(calls[0].key, WPARAM('A'));
    EXPECT_EQ(calls[1].info, calls[0].info);
}

TEST_F(KeyboardHooks, HookThatAnswersNonZeroSwallowsTheKey) {
    newerSwallows = true;
    EXPECT_TRUE(platform::FeedKey('A', false));
    EXPECT_TRUE(platform::FeedKey('A', true));
}

TEST_F(KeyboardHooks, HookRemovedDuringTheCallIsSkipped) {
    newerUnhooksOlder = true;
    platform::FeedKey('A', false);
    EXPECT_EQ(Order(), (std::vector<std::string>{"newer"}));
    olderHook = nullptr;
}

TEST_F(KeyboardHooks, KeyInformationTellsRepeatsAndReleases) {
    platform::FeedKey(VK_F5, false);
    platform::FeedKey(VK_F5, false); // held down: a repeat
    platform::FeedKey(VK_F5, true);
    ASSERT_EQ(calls.size(), 6u);
    auto bit = [](LPARAM info, int n) { return ((info >> n) & 1) != 0; };
    EXPECT_EQ(calls[0].info & 0xFFFF, 1);
    EXPECT_FALSE(bit(calls[0].info, 30));
    EXPECT_FALSE(bit(calls[0].info, 31));
    EXPECT_TRUE(bit(calls[2].info, 30));
    EXPECT_FALSE(bit(calls[2].info, 31));
    EXPECT_TRUE(bit(calls[4].info, 31));
}

TEST_F(KeyboardHooks, ModifiersShowInBothGenericAndLeftHandKeyStates) {
    HHOOK hook = SetWindowsHookEx(WH_KEYBOARD, ModifierHook, nullptr, GetCurrentThreadId());
    platform::PressKey(VK_F5, {VK_CONTROL, VK_SHIFT});
    UnhookWindowsHookEx(hook);
    // Ctrl down, Shift down, F5 down, F5 up, Shift up, Ctrl up.
    ASSERT_EQ(modifiers.size(), 6u);
    EXPECT_TRUE(modifiers[2].ctrl);
    EXPECT_TRUE(modifiers[2].shift);
    EXPECT_FALSE(modifiers[2].alt);
    EXPECT_FALSE(modifiers[5].ctrl);
    EXPECT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0) << "released at the end";
    EXPECT_EQ(calls[0].key, WPARAM(VK_CONTROL));
}

TEST_F(KeyboardHooks, KeyStateIsNegativeWhileDownAndTogglesOnEachPress) {
    platform::FeedKey(VK_CAPITAL, false);
    EXPECT_LT(GetKeyState(VK_CAPITAL), 0);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
    platform::FeedKey(VK_CAPITAL, true);
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 1);
    platform::PressKey(VK_CAPITAL);
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 0);
}

TEST_F(KeyboardHooks, AltDownSetsTheContextBit) {
    platform::PressKey('S', {VK_MENU});
    ASSERT_GE(calls.size(), 4u);
    EXPECT_TRUE((calls[2].info >> 29) & 1);
}

TEST_F(KeyboardHooks, KeysFedOnAnotherThreadDoNotReachThisThreadsHooks) {
    std::thread([] { platform::FeedKey('A', false); }).join();
    EXPECT_TRUE(calls.empty());
}

TEST(KeyboardHookInstallation, OnlyThreadKeyboardHooksExist) {
    EXPECT_EQ(SetWindowsHookEx(WH_KEYBOARD, OlderHook, nullptr, 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_HOOK_NEEDS_HMOD);
    EXPECT_EQ(SetWindowsHookEx(13, OlderHook, nullptr, GetCurrentThreadId()), nullptr);
    EXPECT_EQ(SetWindowsHookEx(WH_KEYBOARD, nullptr, nullptr, GetCurrentThreadId()), nullptr);
    EXPECT_FALSE(UnhookWindowsHookEx(reinterpret_cast<HHOOK>(0x1234)));
    EXPECT_EQ(CallNextHookEx(nullptr, 0, 'A', 1), 0) << "outside a hook call";
}
