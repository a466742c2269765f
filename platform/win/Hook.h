// Thread keyboard hooks and the keyboard's state. A hook watches the keys that
// reach one thread; the newest hook is called first and passes the key on with
// CallNextHookEx; a non-zero answer swallows the key. There is no physical
// keyboard here: the simulated host (or a test) feeds key strokes with
// platform::FeedKey, which runs them through the hooks of the calling thread
// and keeps the state that GetKeyState reports.
#pragma once

#include "platform/win/WinTypes.h"

#include <initializer_list>

// A hook procedure: code, then the virtual-key code and the key-message
// information for a keyboard hook.
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

constexpr int WH_KEYBOARD = 2;
constexpr int HC_ACTION = 0;

constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_PAUSE = 0x13;
constexpr int VK_CAPITAL = 0x14;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21;
constexpr int VK_NEXT = 0x22;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_NUMPAD0 = 0x60;
constexpr int VK_MULTIPLY = 0x6A;
constexpr int VK_ADD = 0x6B;
constexpr int VK_SUBTRACT = 0x6D;
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_DIVIDE = 0x6F;
constexpr int VK_F1 = 0x70;
constexpr int VK_F5 = 0x74;
constexpr int VK_F12 = 0x7B;
constexpr int VK_F24 = 0x87;
constexpr int VK_NUMLOCK = 0x90;
constexpr int VK_SCROLL = 0x91;
constexpr int VK_LSHIFT = 0xA0;
constexpr int VK_RSHIFT = 0xA1;
constexpr int VK_LCONTROL = 0xA2;
constexpr int VK_RCONTROL = 0xA3;
constexpr int VK_LMENU = 0xA4;
constexpr int VK_RMENU = 0xA5;
// The punctuation keys of a US keyboard (unshifted: ; = , - . / ` [ \ ] ').
constexpr int VK_OEM_1 = 0xBA;
constexpr int VK_OEM_PLUS = 0xBB;
constexpr int VK_OEM_COMMA = 0xBC;
constexpr int VK_OEM_MINUS = 0xBD;
constexpr int VK_OEM_PERIOD = 0xBE;
constexpr int VK_OEM_2 = 0xBF;
constexpr int VK_OEM_3 = 0xC0;
constexpr int VK_OEM_4 = 0xDB;
constexpr int VK_OEM_5 = 0xDC;
constexpr int VK_OEM_6 = 0xDD;
constexpr int VK_OEM_7 = 0xDE;

// Installs a hook. Only thread keyboard hooks exist here (WH_KEYBOARD with a
// thread id); anything else answers 0 with the last error set.
HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId);
// Removes a hook (also from inside a hook call: it is then skipped); FALSE
// when the handle is unknown.
BOOL UnhookWindowsHookEx(HHOOK hook);
// Passes the key to the next (older) hook of the chain being called and
// returns its answer; 0 past the last hook. The handle is not needed to find
// the next hook, as on Windows.
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// A key's state: the high bit (the value is negative) while it is down, bit 0
// when it is toggled. Like Windows, the state byte is sign-extended, so a down
// key also has bit 0x100 set.
SHORT GetKeyState(int virtualKey);

namespace platform {

// Feeds one key transition to the calling thread: updates the keyboard state
// (the generic Ctrl, Shift and Alt codes with their left-hand codes, and the
// other way round) and runs the thread's keyboard hooks, newest first, with
// HC_ACTION, the virtual-key code (generic for modifiers) and the key-message
// information (repeat count 1, bit 29 while Alt is down, bit 30 when the key
// was already down, bit 31 when released). True when a hook swallowed it.
bool FeedKey(int virtualKey, bool up);
// Presses and releases a key with modifiers held: each modifier down, the key
// down and up, the modifiers up in reverse. True when the key's press was
// swallowed.
bool PressKey(int virtualKey, std::initializer_list<int> modifiers = {});
// Releases every key (a test starting from a clean keyboard).
void ReleaseAllKeys();

} // namespace platform
