// The keyboard hook and the module's two hidden windows.
//
// With HandleShortcuts on, a thread keyboard hook watches the keys of the
// host's user-interface thread: a key that is the shortcut of one of the
// add-in's command-bar buttons is swallowed and posted to the shortcut window
// ("WM_ADXKEYDOWN"), which runs the button once the hook has returned; other
// key presses are offered to the module's OnKeyDown. The colour window hears
// Office's broadcast that the colour scheme changed ("WM_MSO_BROADCASTCHANGE"),
// reads the scheme again and fires OnOfficeColorSchemeChanged. Both windows
// are never shown and answer 1 when Windows asks whether it may end the session.
//
// Each module installs and removes its own hook, so that a second module of
// the same library (one made only to read the registration settings) leaves
// the live module's shortcuts working.
#pragma once

#include "platform/forms/Component.h"
#include "platform/rtl/Lifetime.h"
#include "platform/win/Hook.h"
#include "platform/win/Messages.h"

#include <string>

class TadxModuleServices;

// The hidden window that runs a shortcut's button after the hook returned.
class TadxNativeWindow : public TComponent {
public:
    // A window owned by module AOwner, titled Name (the callers pass a fresh
    // GUID). Raises EOutOfResources "Error creating window class" when its
    // window class cannot be registered; a window that cannot be created
    // leaves the object without a handle.
    TadxNativeWindow(TadxModuleServices* AOwner, const std::string& Name);
    // Destroys the window and forgets the module.
    ~TadxNativeWindow() override;

    // The window, or 0.
    HWND Handle() const { return handle_; }

protected:
    // The object without its window; the derived constructor creates it.
    explicit TadxNativeWindow(TadxModuleServices* AOwner);
    // The window's messages.
    virtual void WndProc(TMessage& Message);
    // The class name the window is registered under.
    virtual const char* WindowClassName() const { return "TadxNativeWindow"; }
    // Registers the window class when needed and creates the window.
    void CreateHandle(const std::string& Name);
    // Runs the button at position index of the module's shortcut list when
    // it may run (enabled; its own shortcut, or an accelerator on a visible,
    // enabled bar that is no pop-up). False when that freed the window.
    bool RunShortcut(WPARAM index);

    TadxModuleServices* module_;
    // Ends with the window, which a handler of the module may free (it goes
    // with the module when the add-in is turned off).
    rtl::TLiveness liveness_;

private:
    static LRESULT WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
};

// The hidden window that follows Office's colour scheme.
class TadxNativeColorWindow : public TadxNativeWindow {
public:
    TadxNativeColorWindow(TadxModuleServices* AOwner, const std::string& Name);

protected:
    void WndProc(TMessage& Message) override;
    const char* WindowClassName() const override { return "TadxNativeColorWindow"; }

private:
    UINT broadcastChange_ = 0;
};

// The text of a key with modifiers, as shortcut texts are written: "Ctrl+",
// "Shift+", "Alt+" in this order, then the key's name ("Ctrl+Shift+F5").
std::string TranslateToString(bool Ctrl, bool Shift, bool Alt, WORD Key);

// The registered message that the hook posts to the shortcut window.
UINT adxKeyDownMessage();
// The keyboard hook the module installed, or 0.
HHOOK adxKeyboardHook(const TadxModuleServices& module);

// Removes the module's keyboard hook and frees its shortcut window (either
// may be missing); other modules' hooks stay.
void adxRemoveKeyboardHook(TadxModuleServices& module);
// Creates the module's shortcut window, titled with a fresh GUID, and
// installs the thread keyboard hook.
void adxInstallKeyboardHook(TadxModuleServices& module);
// Frees the module's colour window, if any.
void adxFreeColorWindow(TadxModuleServices& module);
// Frees any colour window of the module and creates a new one, titled with a fresh GUID.
void adxCreateColorWindow(TadxModuleServices& module);
