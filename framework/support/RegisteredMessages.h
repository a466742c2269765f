// The window messages that the framework's windows exchange, each a number
// of the process registered under its name at start-up. Globals and
// GlobalsOl give each name through a function named after it
// (Globals::WM_ADXEXIST() is "WM_ADXEXIST"); a name registered twice yields
// one number.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>
#include <vector>

// The framework's own messages.
#define ADX_GLOBAL_MESSAGES(X)                                                                     \
    X(WM_ADXWMIGETCONTROL)                                                                         \
    X(WM_ADXWMIPOSCHANGE)                                                                          \
    X(WM_ADXWMISETPOS)                                                                             \
    X(WM_ADXDELPROC)                                                                               \
    X(WM_ADXSETNEWPROC)                                                                            \
    X(WM_ADXSETOLDPROC)                                                                            \
    X(WM_ADXGETCONTAINERFORM)                                                                      \
    X(WM_ADXGETAPPWINDOWPOS)                                                                       \
    X(WM_ADXGETREGIONPARAM)                                                                        \
    X(WM_ADXSETREGIONPARAM)                                                                        \
    X(WM_ADXSETMAINPOS)                                                                            \
    X(WM_ADXADDFORM)                                                                               \
    X(WM_ADXDELETEFORM)                                                                            \
    X(WM_ADXSETCONTAINER)                                                                          \
    X(WM_ADXUPDATEFORMPARAM)                                                                       \
    X(WM_ADXSETLATESTPROC)                                                                         \
    X(WM_ADXEXIST)                                                                                 \
    X(WM_ADXEXISTLAYOUT)                                                                           \
    X(WM_ADXSETACTIVATE)                                                                           \
    X(WM_ADXCOMMAND)                                                                               \
    X(WM_ADXUPDATESIZE)                                                                            \
    X(WM_ADXGETTYPESUBCLASS)                                                                       \
    X(WM_MSO_BROADCASTCHANGE)                                                                      \
    X(WM_ADXSHOWFLOATING)                                                                          \
    X(WM_ADXHIDEFLOATING)                                                                          \
    X(WM_ADXSETFLOATINGPOS)                                                                        \
    X(WM_ADXCONTAINERHIDEFLOATING)                                                                 \
    X(WM_ADXSUPPORTMINIMIZE)                                                                       \
    X(WM_ADXMOUSELEAVE)                                                                            \
    X(WM_ADXGETFORMDEFAULTSIZE)                                                                    \
    X(WM_ADXGETDRAGLAYOUTPARAMS)                                                                   \
    X(WM_ADXSETDRAGFORM)                                                                           \
    X(WM_ADXSETDRAGITEMS)                                                                          \
    X(WM_ADXDRAGOVERMINIMIZED)                                                                     \
    X(WM_ADXUPDATEREGION)                                                                          \
    X(WM_ADX_READING_PANE_HIDE_FROM_SBCLS)                                                         \
    X(WM_ADX_READING_PANE_DIALOG_SHOW)                                                             \
    X(WM_ADX_READING_PANE_DIALOG_HIDE)                                                             \
    X(WM_ADX_DESTROY_EMBEDED_WINDOW)                                                               \
    X(WM_ADXFORMSHOW)                                                                              \
    X(WM_ADXCLOSEBUTTONCLICK)                                                                      \
    X(WM_ADXHIDEALLREGIONFORMS)                                                                    \
    X(WM_ADXEXISTSERVICEFORM)                                                                      \
    X(WM_ADXGETPICTURE)                                                                            \
    X(WM_ADXMAYBEWORDVIEWWASCHANGED)

// The Outlook forms' messages, some of them the framework's again.
#define ADX_OUTLOOK_MESSAGES(X)                                                                    \
    X(WM_ADXDELETEEMULATEWINDOW)                                                                   \
    X(WM_ADX_CLOSE_READINGPANE_SERVICE_FORM)                                                       \
    X(WM_ADX_CLOSE_SUPERGRID_SERVICE_FORM)                                                         \
    X(WM_ADX_CLOSE_SERVICE_FORM_FOR_NOT_WORD_INSPECTOR)                                            \
    X(WM_ADXWMIPOSCHANGE)                                                                          \
    X(WM_ADXEXIST)                                                                                 \
    X(WM_ADXHIDEALLREGIONFORMS)                                                                    \
    X(WM_ADXEXISTSERVICEFORM)                                                                      \
    X(WM_ADXGETAPPWINDOWPOS)

#define ADX_MESSAGE_NAME_FUNCTION(name)                                                            \
    inline std::string name() {                                                                    \
        return #name;                                                                              \
    }

namespace Globals {
ADX_GLOBAL_MESSAGES(ADX_MESSAGE_NAME_FUNCTION)
} // namespace Globals

namespace GlobalsOl {
ADX_OUTLOOK_MESSAGES(ADX_MESSAGE_NAME_FUNCTION)
} // namespace GlobalsOl

#undef ADX_MESSAGE_NAME_FUNCTION

// The names each unit registers, in order.
const std::vector<std::string>& adxGlobalMessageNames();
const std::vector<std::string>& adxOutlookMessageNames();
// Registers the names of a unit (again: the same numbers).
void adxRegisterMessages(const std::vector<std::string>& names);
// The number registered for a name at start-up; 0 before.
UINT adxRegisteredMessage(const std::string& name);
