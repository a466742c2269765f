// The Office colour scheme, which Office keeps per major version in the
// current user's "Software\Microsoft\Office\<n>.0\Common" value "Theme".
// Start-up reads it into the module's Theme, and the colour window reads it
// again whenever Office broadcasts a change.
#pragma once

#include <cstdint>

// The colour schemes, with the ordinals the registry value holds (scoped, as
// their short names would clash: TadxOfficeColorScheme::Blue).
enum class TadxOfficeColorScheme : uint8_t {
    Unknown = 0,
    Blue = 1,
    Silver = 2,
    Black = 3,
};

// Reads the colour scheme of Office major version `majorVersion` into scheme
// (the value's low byte taken as the scheme's ordinal). Returns false, leaving
// scheme as it was, when the key or the value is missing or cannot be read.
bool adxReadOfficeTheme(int majorVersion, TadxOfficeColorScheme& scheme);
