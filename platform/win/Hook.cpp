// Keyboard hooks, their chain calls, and the keyboard state fed by the host.
#include "platform/win/Hook.h"

#include "platform/win/LastError.h"
#include "platform/win/Process.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace {

struct HookRecord {
    HHOOK handle = nullptr;
    HOOKPROC proc = nullptr;
    DWORD threadId = 0;
    bool removed = false;
};

struct HookState {
    std::mutex lock;
    std::vector<std::shared_ptr<HookRecord>> hooks; // oldest first
    std::uintptr_t nextHandle = 0x20010;
    std::array<BYTE, 256> keys{}; // 0x80 down, 0x01 toggled
};

HookState& State() {
    static HookState* state = new HookState;
    return *state;
}

// The chain being called on this thread: a copy taken when the key came in,
// and how far along it the calls are. Nested key feeds stack their chains.
struct ChainCall {
    std::vector<std::shared_ptr<HookRecord>> chain; // newest first
    std::size_t next = 0;
};
thread_local std::vector<ChainCall*> activeCalls;

// Calls the next hook of the innermost chain that is still installed.
LRESULT CallNext(int code, WPARAM wParam, LPARAM lParam) {
    if (activeCalls.empty())
        return 0;
    ChainCall& call = *activeCalls.back();
    while (call.next < call.chain.size()) {
        std::shared_ptr<HookRecord> hook = call.chain[call.next++];
        bool removed = false;
        {
            std::lock_guard<std::mutex> guard(State().lock);
            removed = hook->removed;
        }
        if (!removed)
            return hook->proc(code, wParam, lParam);
    }
    return 0;
}

bool IsModifier(int vk) {
    return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU ||
           (vk >= VK_LSHIFT && vk <= VK_RMENU);
}

// The generic code of a left- or right-hand modifier.
int GenericKey(int vk) {
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return vk;
    }
}

// The hand-specific code a generic modifier stands for (the left one).
int SidedKey(int vk) {
    switch (vk) {
    case VK_SHIFT:
        return VK_LSHIFT;
    case VK_CONTROL:
        return VK_LCONTROL;
    case VK_MENU:
        return VK_LMENU;
    default:
        return vk;
    }
}

} // namespace

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId) {
    if (idHook != WH_KEYBOARD) {
        SetLastError(ERROR_INVALID_HOOK_FILTER);
        return nullptr;
    }
    if (!proc) {
        SetLastError(ERROR_INVALID_FILTER_PROC);
        return nullptr;
    }
    if (threadId == 0) { // a system-wide hook: no such thing on this machine
        SetLastError(module ? ERROR_NOT_SUPPORTED : ERROR_HOOK_NEEDS_HMOD);
        return nullptr;
    }
    HookState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    auto hook = std::make_shared<HookRecord>();
    hook->handle = reinterpret_cast<HHOOK>(s.nextHandle);
    s.nextHandle += 4;
    hook->proc = proc;
    hook->threadId = threadId;
    s.hooks.push_back(hook);
    return hook->handle;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
    HookState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    for (auto it = s.hooks.begin(); it != s.hooks.end(); ++it)
        if ((*it)->handle == hook) {
            (*it)->removed = true;
            s.hooks.erase(it);
            return TRUE;
        }
    SetLastError(ERROR_INVALID_HOOK_HANDLE);
    return FALSE;
}

LRESULT CallNextHookEx(HHOOK, int code, WPARAM wParam, LPARAM lParam) {
    return CallNext(code, wParam, lParam);
}

SHORT GetKeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 255)
        return 0;
    HookState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return static_cast<SHORT>(
        static_cast<std::int8_t>(s.keys[static_cast<std::size_t>(virtualKey)]));
}

namespace platform {

bool FeedKey(int virtualKey, bool up) {
    if (virtualKey <= 0 || virtualKey > 255)
        return false;
    HookState& s = State();
    ChainCall call;
    LPARAM info = 1; // repeat count
    int reported = GenericKey(virtualKey);
    {
        std::lock_guard<std::mutex> guard(s.lock);
        auto& keys = s.keys;
        bool wasDown = (keys[static_cast<std::size_t>(virtualKey)] & 0x80) != 0;
        auto set = [&keys, up](int vk) {
            BYTE& k = keys[static_cast<std::size_t>(vk)];
            if (up)
                k = static_cast<BYTE>(k & ~0x80);
            else
                k = static_cast<BYTE>((k & 0x80) ? k : ((k ^ 0x01) | 0x80));
        };
        set(virtualKey);
        if (IsModifier(virtualKey)) {
            set(GenericKey(virtualKey));
            set(SidedKey(virtualKey));
        }
        if (keys[VK_MENU] & 0x80)
            info |= LPARAM(1) << 29;
        if (wasDown)
            info |= LPARAM(1) << 30;
        if (up)
            info |= LPARAM(1) << 31 | LPARAM(1) << 30;
        DWORD self = GetCurrentThreadId();
        for (auto it = s.hooks.rbegin(); it != s.hooks.rend(); ++it)
            if ((*it)->threadId == self)
                call.chain.push_back(*it);
    }
    activeCalls.push_back(&call);
    struct Pop {
        ~Pop() { activeCalls.pop_back(); }
    } pop;
    return CallNext(HC_ACTION, static_cast<WPARAM>(reported), info) != 0;
}

bool PressKey(int virtualKey, std::initializer_list<int> modifiers) {
    for (int m : modifiers)
        FeedKey(m, false);
    bool swallowed = FeedKey(virtualKey, false);
    FeedKey(virtualKey, true);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        FeedKey(*it, true);
    return swallowed;
}

void ReleaseAllKeys() {
    HookState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.keys.fill(0);
}

} // namespace platform
