// The key texts of the shortcut list: what a button's shortcut text and its
// caption's accelerator stand for, written the way the keyboard hook writes
// the key the user pressed (upper-cased, "CTRL+", "SHIFT+", "ALT+" in this
// order, then the key's name), so that a key and a button meet on one text.
#pragma once

#include <string>

// The key text of a shortcut text, its modifiers taken as a set:
// "shift+ctrl+q" and "Ctrl+Shift+Q" both give "CTRL+SHIFT+Q". Empty for an
// empty text.
std::string adxShortcutKeyText(const std::u16string& ShortcutText);
// The key text of a caption's accelerator ("ALT+" and the character
// upper-cased); empty when the caption has none. The accelerator is the
// character after the first "&" that is neither doubled (a "&&" shows one
// "&") nor followed by a blank.
std::string adxAcceleratorKeyText(const std::u16string& Caption);
