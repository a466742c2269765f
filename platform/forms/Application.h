// The application object of the class library, as far as the add-in and its dialogs use it:
// its title (the caption of custom message dialogs), its window handle, and
// MessageBox, the message box with the standard flags and answers. The box
// goes through the modal driver (ModalDriver.h) like every dialog.
#pragma once

#include "platform/forms/ModalResult.h"
#include "platform/rtl/Exception.h"
#include "platform/win/WinTypes.h"

#include <string>

// Buttons of a message box (the low four bits of its flags).
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_RETRYCANCEL = 0x5;
// Icons.
inline constexpr unsigned MB_ICONHAND = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONASTERISK = 0x40;
inline constexpr unsigned MB_ICONERROR = MB_ICONHAND;
inline constexpr unsigned MB_ICONSTOP = MB_ICONHAND;
inline constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr unsigned MB_ICONINFORMATION = MB_ICONASTERISK;
// Which button is the default.
inline constexpr unsigned MB_DEFBUTTON1 = 0x000;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;
// Modality (accepted and otherwise without effect here).
inline constexpr unsigned MB_APPLMODAL = 0x0000;
inline constexpr unsigned MB_SYSTEMMODAL = 0x1000;
inline constexpr unsigned MB_TASKMODAL = 0x2000;

// Answers of a message box: the modal results of the same buttons.
inline constexpr int IDOK = mrOk;
inline constexpr int IDCANCEL = mrCancel;
inline constexpr int IDABORT = mrAbort;
inline constexpr int IDRETRY = mrRetry;
inline constexpr int IDIGNORE = mrIgnore;
inline constexpr int IDYES = mrYes;
inline constexpr int IDNO = mrNo;

class TApplication {
public:
    // The application of this process, titled with the program's name.
    TApplication();

    // The application's title: the program's name unless set.
    const std::string& Title() const { return title_; }
    // Sets Title.
    void SetTitle(const std::string& value) { title_ = value; }

    // The window that owns the application's forms and message boxes: 0, or
    // the host's main window when the program runs inside a host that has one.
    HWND Handle() const { return handle_; }
    // Sets Handle.
    void SetHandle(HWND value) { handle_ = value; }

    // Shows a message box with the standard flags (buttons, icon, default
    // button) and returns the ID of the button chosen. An empty caption
    // shows the title. Button codes beyond MB_RETRYCANCEL show OK.
    int MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags = MB_OK);

    // Shows an exception that nobody handled: a box with its message (a
    // period added when it ends in none), the title as caption, OK and the
    // error icon. EAbort, the silent exception, shows nothing.
    void ShowException(const Exception& E);

private:
    std::string title_;
    HWND handle_ = nullptr;
};

// The process's application object.
TApplication& Application();
