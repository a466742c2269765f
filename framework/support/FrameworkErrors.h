// The framework's own errors: EOleSysError with a code of the 31100 series
// and the framework's message for it. Every part of the framework raises its
// misuse errors through here, so codes and texts live in one place.
#pragma once

#include "platform/com/OleError.h"

#include <initializer_list>
#include <string_view>

namespace adx {

// A property that may not be empty: "The %s property cannot be empty." (property name).
inline constexpr HRESULT ErrPropertyEmpty = 31101;
inline constexpr const char* SPropertyEmpty = "The %s property cannot be empty.";
// An Outlook command bar whose name has an apostrophe (bar name).
inline constexpr HRESULT ErrCommandBarName = 31102;
inline constexpr const char* SCommandBarName = "Illegal character in the %s commandbar name.";
// The add-in's controls could not be removed from a host at unregistration.
inline constexpr HRESULT ErrUnregisterControls = 31103;
inline constexpr const char* SUnregisterControls = "Can't unregister add-in controls.";
// The user cancelled registration in the running-host dialog.
inline constexpr HRESULT ErrRegistrationCanceled = 31105;
inline constexpr const char* SRegistrationCanceled = "The registration process has been canceled.";
// A command bar or control for MapPoint.
inline constexpr HRESULT ErrMapPointControl = 31110;
inline constexpr const char* SMapPointControl = "Cannot add a control to MS MapPoint.";
// A component placed in a container of the wrong class (component class, container class).
inline constexpr HRESULT ErrWrongContainer = 31112;
inline constexpr HRESULT ErrWrongOwner = 31113;
inline constexpr const char* SWrongContainer = "The %s class cannot be contained in the %s class.";
// Advanced command-bar controls placed where they may not go.
inline constexpr HRESULT ErrAdvancedControlPlacement1 = 31114;
inline constexpr HRESULT ErrAdvancedControlPlacement2 = 31115;
inline constexpr HRESULT ErrAdvancedControlPlacement3 = 31116;
inline constexpr const char* SAdvancedControlPosition =
    "The command bar containing a TadxCommandBarAdvancedControl cannot\r\nbe adxMsoBarPopup and "
    "adxMsoBarMenuBar.";
inline constexpr const char* SAdvancedControlProtection =
    "The command bar containing a TadxCommandBarAdvancedControl should\r\nhave the "
    "adxMsoBarNoChangeDock protection type.";
inline constexpr const char* SAdvancedControlInPopup =
    "The TadxCommandBarAdvancedControl cannot be placed into the TadxCommandBarPopup control.";
// A second instance of a single-instance component (component class, container).
inline constexpr HRESULT ErrSingleInstance = 31119;
inline constexpr const char* SSingleInstance = "There can be only one instance of %s in the %s!";
// A control holding more items than it may (the limit).
inline constexpr HRESULT ErrTooManyItems = 31120;
inline constexpr const char* STooManyItems = "There cannot be more than %d items in this control!";

// Raises EOleSysError with the code and the message formatted from pattern
// and args (help context 0).
[[noreturn]] void RaiseError(HRESULT code, std::string_view pattern,
                             std::initializer_list<TVarRec> args = {});

} // namespace adx
