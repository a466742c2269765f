// LoadIcon: the machine's stock icons (those message boxes show: error,
// warning, information, question, and the application's), painted in code at
// 32 x 32, and the icons that a module embeds as RT_GROUP_ICON resources.
// Icons given out by LoadIcon are shared: DestroyIcon leaves them and they
// are not counted as live objects.
#pragma once

#include "platform/gfx/GdiTypes.h"
#include "platform/win/Resources.h"

// The stock icons' ids (LoadIcon with instance 0).
constexpr WORD IDI_APPLICATION_ID = 32512;
constexpr WORD IDI_ERROR_ID = 32513;
constexpr WORD IDI_QUESTION_ID = 32514;
constexpr WORD IDI_WARNING_ID = 32515;
constexpr WORD IDI_INFORMATION_ID = 32516;
inline const char* const IDI_APPLICATION = MAKEINTRESOURCE(IDI_APPLICATION_ID);
inline const char* const IDI_ERROR = MAKEINTRESOURCE(IDI_ERROR_ID);
inline const char* const IDI_HAND = IDI_ERROR;
inline const char* const IDI_QUESTION = MAKEINTRESOURCE(IDI_QUESTION_ID);
inline const char* const IDI_WARNING = MAKEINTRESOURCE(IDI_WARNING_ID);
inline const char* const IDI_EXCLAMATION = IDI_WARNING;
inline const char* const IDI_INFORMATION = MAKEINTRESOURCE(IDI_INFORMATION_ID);
inline const char* const IDI_ASTERISK = IDI_INFORMATION;

// With instance 0, the stock icon of that id; otherwise the module's icon
// resource of that name (the image nearest 32 x 32). 0 when there is none
// or the resource is not a valid icon file.
HICON LoadIcon(HINSTANCE instance, const char* name);
