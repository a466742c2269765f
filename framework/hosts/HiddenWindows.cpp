// The keyboard hook and the hidden windows of the module.
#include "framework/hosts/HiddenWindows.h"

#include "framework/commandbars/CommandBarControlKinds.h"
#include "framework/commandbars/ShortcutTexts.h"
#include "framework/support/ModuleServices.h"
#include "platform/com/Guid.h"
#include "platform/com/LateBound.h"
#include "platform/forms/Timer.h"
#include "platform/text/Text.h"
#include "platform/win/DebugOutput.h"
#include "platform/win/Process.h"
#include "platform/win/Window.h"

#include <array>
#include <iterator>
#include <utility>

namespace {

// One installed keyboard hook: the module it serves and its handle. Every
// module installs and removes its own (a module made only to read the
// registration settings must not take the live module's hook with it), so
// each slot has a hook procedure of its own that knows its slot.
struct HookSlot {
    TadxModuleServices* Module = nullptr;
    HHOOK Hook = nullptr;
};
constexpr std::size_t MaxHooks = 16;
HookSlot hookSlots[MaxHooks];

LRESULT ServeKey(HookSlot& slot, int Code, WPARAM WParam, LPARAM LParam);

template <std::size_t N> LRESULT SlotProc(int Code, WPARAM WParam, LPARAM LParam) {
    return ServeKey(hookSlots[N], Code, WParam, LParam);
}
template <std::size_t... N>
constexpr std::array<HOOKPROC, MaxHooks> MakeSlotProcs(std::index_sequence<N...>) {
    return {&SlotProc<N>...};
}
constexpr std::array<HOOKPROC, MaxHooks> slotProcs =
    MakeSlotProcs(std::make_index_sequence<MaxHooks>());

HookSlot* SlotOf(const TadxModuleServices& module) {
    for (HookSlot& slot : hookSlots)
        if (slot.Module == &module)
            return &slot;
    return nullptr;
}

// A key counts as down when its state has bit 0x100 set (the sign-extended down bit).
bool KeyDown(int virtualKey) {
    return (GetKeyState(virtualKey) & 0x100) == 0x100;
}

bool IsModifierKey(WPARAM key) {
    return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU;
}

// The name the shortcut texts give a key.
std::string KeyName(WORD key) {
    static const std::pair<WORD, const char*> names[] = {
        {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},        {VK_RETURN, "Enter"},  {VK_ESCAPE, "Esc"},
        {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"},     {VK_NEXT, "PgDn"},     {VK_END, "End"},
        {VK_HOME, "Home"},   {VK_LEFT, "Left"},      {VK_UP, "Up"},         {VK_RIGHT, "Right"},
        {VK_DOWN, "Down"},   {VK_INSERT, "Ins"},     {VK_DELETE, "Del"},    {VK_MULTIPLY, "Num *"},
        {VK_ADD, "Num +"},   {VK_SUBTRACT, "Num -"}, {VK_DECIMAL, "Num ."}, {VK_DIVIDE, "Num /"},
    };
    // The punctuation keys by what they type without Shift on a US keyboard.
    static const std::pair<WORD, const char*> punctuation[] = {
        {VK_OEM_1, ";"},      {VK_OEM_PLUS, "="}, {VK_OEM_COMMA, ","}, {VK_OEM_MINUS, "-"},
        {VK_OEM_PERIOD, "."}, {VK_OEM_2, "/"},    {VK_OEM_3, "`"},     {VK_OEM_4, "["},
        {VK_OEM_5, "\\"},     {VK_OEM_6, "]"},    {VK_OEM_7, "'"},
    };
    for (const auto& [code, name] : punctuation)
        if (code == key)
            return name;
    for (const auto& [code, name] : names)
        if (code == key)
            return name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, char(key));
    if (key >= VK_F1 && key <= VK_F24)
        return "F" + std::to_string(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9)
        return "Num " + std::to_string(key - VK_NUMPAD0);
    return {};
}

// The shortcut window's part of the hook: true when the key is a shortcut
// of one of the module's buttons and was posted to the shortcut window.
bool PostShortcut(TadxModuleServices& module, bool ctrl, bool shift, bool alt, WPARAM key) {
    TStringList& shortcuts = module.ControlByShortcut();
    // A key without a name is no shortcut: its text is the modifiers alone.
    if (shortcuts.Count() == 0 || KeyName(WORD(key)).empty())
        return false;
    int index = shortcuts.IndexOf(text::UpperCase(TranslateToString(ctrl, shift, alt, WORD(key))));
    if (index < 0)
        return false;
    PostMessage(module.ShortcutWindow->Handle(), adxKeyDownMessage(), WPARAM(index), 0);
    return true;
}

// Steps of the hook for a key the module may want; true when it is swallowed.
bool HandleKey(TadxModuleServices& module, WPARAM key, LPARAM info) {
    bool ctrl = KeyDown(VK_LCONTROL) || KeyDown(VK_RCONTROL);
    bool shift = KeyDown(VK_LSHIFT) || KeyDown(VK_RSHIFT);
    bool alt = KeyDown(VK_LMENU) || KeyDown(VK_RMENU);
    bool repeat = (info >> 30) & 1;
    bool up = (info >> 31) & 1;
    if (repeat || up)
        return false;
    bool hasWindow = module.ShortcutWindow && module.ShortcutWindow->Handle();
    if (hasWindow && !IsModifierKey(key) && PostShortcut(module, ctrl, shift, alt, key))
        return true;
    if (!module.OnKeyDown)
        return false;
    TadxKeyDownEventArgs args;
    args.Ctrl = ctrl;
    args.Alt = alt;
    args.Shift = shift;
    args.LParam = static_cast<int32_t>(info);
    args.WParam = static_cast<int32_t>(key);
    // A handler that turned the add-in off took the hook with the module:
    // the key is passed on, as it would be with no add-in.
    if (!rtl::FireSurvives(module.Liveness(), module.OnKeyDown, nullptr, args))
        return false;
    return args.Handled;
}

std::string FreshGuidName() {
    return GUID::Create().ToString();
}

template <class T> void FreeWindow(T*& window) {
    if (T* w = std::exchange(window, nullptr))
        w->Free();
}

LRESULT ServeKey(HookSlot& slot, int Code, WPARAM WParam, LPARAM LParam) {
    const HHOOK hook = slot.Hook;
    if (Code < 0)
        return CallNextHookEx(hook, Code, WParam, LParam);
    try {
        TadxModuleServices* module = slot.Module;
        bool wanted =
            Code == HC_ACTION && WParam != 0 && LParam != 0 && module &&
            ((module->ShortcutWindow && module->ShortcutWindow->Handle()) || module->OnKeyDown);
        if (wanted && HandleKey(*module, WParam, LParam)) {
            CallNextHookEx(hook, Code, WParam, LParam);
            return 1;
        }
        return CallNextHookEx(hook, Code, WParam, LParam);
    } catch (...) {
        // A failing hook neither swallows the key nor passes it on.
        return 0;
    }
}

// Whether the shortcut at its list text runs the button: its own shortcut
// always; a caption's accelerator only on a visible, enabled bar that is no
// pop-up, with the button visible. The button is enabled (asked before).
bool RunsShortcut(TadxCommandBarButton& button, const std::string& listText) {
    if (adxShortcutKeyText(button.GetShortcutText()) == listText)
        return true;
    ComPtr<IDispatch> bar = button.GetParent();
    if (!bar)
        return false;
    return dispGet(bar, "Type").AsInteger() != 2 && dispGet(bar, "Enabled").AsBool() &&
           dispGet(bar, "Visible").AsBool() && button.GetVisible();
}

} // namespace

UINT adxKeyDownMessage() {
    static const UINT message = RegisterWindowMessage("WM_ADXKEYDOWN");
    return message;
}

HHOOK adxKeyboardHook(const TadxModuleServices& module) {
    HookSlot* slot = SlotOf(module);
    return slot ? slot->Hook : nullptr;
}

std::string TranslateToString(bool Ctrl, bool Shift, bool Alt, WORD Key) {
    std::string result;
    if (Ctrl)
        result += "Ctrl+";
    if (Shift)
        result += "Shift+";
    if (Alt)
        result += "Alt+";
    return result + KeyName(Key);
}

void adxRemoveKeyboardHook(TadxModuleServices& module) {
    if (HookSlot* slot = SlotOf(module)) {
        UnhookWindowsHookEx(std::exchange(slot->Hook, nullptr));
        slot->Module = nullptr;
    }
    FreeWindow(module.ShortcutWindow);
}

void adxInstallKeyboardHook(TadxModuleServices& module) {
    module.ShortcutWindow = new TadxNativeWindow(&module, FreshGuidName());
    for (std::size_t i = 0; i < MaxHooks; ++i) {
        HookSlot& slot = hookSlots[i];
        if (slot.Module)
            continue;
        slot.Hook = SetWindowsHookEx(WH_KEYBOARD, slotProcs[i], nullptr, GetCurrentThreadId());
        slot.Module = slot.Hook ? &module : nullptr;
        return;
    }
    // More modules than hook procedures: this one has no shortcuts.
    OutputDebugString("No keyboard hook is left for the add-in module");
}
void adxFreeColorWindow(TadxModuleServices& module) {
    FreeWindow(module.ColorWindow);
}

void adxCreateColorWindow(TadxModuleServices& module) {
    adxFreeColorWindow(module);
    module.ColorWindow = new TadxNativeColorWindow(&module, FreshGuidName());
}

// ---- the windows ----

TadxNativeWindow::TadxNativeWindow(TadxModuleServices* AOwner, const std::string& Name)
    : TadxNativeWindow(AOwner) {
    CreateHandle(Name);
}

TadxNativeWindow::TadxNativeWindow(TadxModuleServices* AOwner)
    : TComponent(AOwner), module_(AOwner) {}

TadxNativeWindow::~TadxNativeWindow() {
    if (handle_)
        DestroyWindow(std::exchange(handle_, nullptr));
    module_ = nullptr;
}

void TadxNativeWindow::CreateHandle(const std::string& Name) {
    WNDCLASS info;
    if (!GetClassInfo(nullptr, WindowClassName(), &info)) {
        WNDCLASS cls;
        cls.lpfnWndProc = DefWindowProc;
        cls.lpszClassName = WindowClassName();
        if (!RegisterClass(&cls) && !GetClassInfo(nullptr, WindowClassName(), &info))
            throw EOutOfResources("Error creating window class");
    }
    handle_ = CreateWindowEx(WS_EX_TOOLWINDOW, WindowClassName(), Name.c_str(), WS_POPUP, 0, 0, 0,
                             0, nullptr, nullptr, nullptr, nullptr);
    if (!handle_)
        return;
    SetWindowLongPtr(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtr(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure));
}

LRESULT TadxNativeWindow::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = reinterpret_cast<TadxNativeWindow*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!window)
        return DefWindowProc(hwnd, message, wParam, lParam);
    TMessage m{message, wParam, lParam, 0};
    window->WndProc(m);
    return m.Result;
}

void TadxNativeWindow::WndProc(TMessage& Message) {
    if (Message.Msg == WM_QUERYENDSESSION) {
        Message.Result = 1;
        return;
    }
    if (Message.Msg == adxKeyDownMessage() && module_ && !RunShortcut(Message.WParam))
        return; // the button's action freed the window
    Message.Result = DefWindowProc(handle_, Message.Msg, Message.WParam, Message.LParam);
}

bool TadxNativeWindow::RunShortcut(WPARAM index) {
    TadxModuleServices* module = module_;
    TadxCommandBarButton* button = nullptr;
    try {
        // The list as the hook saw it when it posted the key.
        TStringList* list = module->ShortcutList.get();
        if (!list || static_cast<intptr_t>(index) < 0 || int(index) >= list->Count())
            return true;
        button = dynamic_cast<TadxCommandBarButton*>(list->Objects(int(index)));
        if (!button || !button->HostControl())
            return true;
        // A host control that is gone ends it here.
        IDispatch* host = button->HostControl();
        dispPut(host, "Enabled", dispGet(host, "Enabled"));
        if (!button->GetEnabled() || !RunsShortcut(*button, list->Strings(int(index))))
            return true;
    } catch (...) {
        // A shortcut that cannot be followed does nothing.
        return true;
    }
    // The action may turn the add-in off, which frees this window with the
    // module; its failure goes to the module's error report.
    return adxFire(module, liveness_, [button] { button->DoAction(); });
}

TadxNativeColorWindow::TadxNativeColorWindow(TadxModuleServices* AOwner, const std::string& Name)
    : TadxNativeWindow(AOwner) {
    // Created here, once the window class name is this class's.
    CreateHandle(Name);
    broadcastChange_ = RegisterWindowMessage("WM_MSO_BROADCASTCHANGE");
}

void TadxNativeColorWindow::WndProc(TMessage& Message) {
    if (Message.Msg == WM_QUERYENDSESSION) {
        Message.Result = 1;
        return;
    }
    if (Message.Msg == broadcastChange_ && module_) {
        TadxModuleServices* module = module_;
        try {
            adxReadOfficeTheme(module->HostMajorVersion, module->Theme);
            // The handler may turn the add-in off, which frees the module
            // and this window with it: the message ends there.
            if (!adxFire(module, liveness_, module->OnOfficeColorSchemeChanged, module,
                         module->Theme))
                return;
        } catch (...) {
            // A broadcast that cannot be followed changes nothing.
        }
    }
    TadxNativeWindow::WndProc(Message);
}
