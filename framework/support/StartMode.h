// The start mode of an add-in: whether this is the first start after the
// add-in was registered, a normal start, or a start after it was
// unregistered. It is kept in the string value "ADXStartMode" of the add-in
// key under the current user: missing until the first start has run,
// "NORMAL" afterwards, "UNINSTALL" once the library has been unregistered.
#pragma once

#include <cstdint>
#include <string_view>

// A start mode: one of the three below, or adxStartModeUnknown for a stored
// value that names none of them.
using TadxStartMode = uint8_t;

inline constexpr TadxStartMode adxStartModeFirstStart = 0; // "FIRSTSTART"
inline constexpr TadxStartMode adxStartModeNormal = 1;     // "NORMAL"
inline constexpr TadxStartMode adxStartModeUninstall = 2;  // "UNINSTALL"
inline constexpr TadxStartMode adxStartModeUnknown = 255;

// The registry value that holds the start mode, and the texts it holds.
inline constexpr const char* adxStartModeValueName = "ADXStartMode";
inline constexpr const char* adxStartModeNames[] = {"FIRSTSTART", "NORMAL", "UNINSTALL"};

// The start mode a stored text names, letter case ignored: "normal" and
// "Normal" read as NORMAL; any other text gives adxStartModeUnknown.
TadxStartMode adxStartMode(std::string_view value);
