// Character entities of the HTML label's text. Tags are split off first;
// then each run of text and each attribute value is decoded in one pass
// from left to right, so that nothing a decoded entity produces starts
// another one ("&amp;lt;" shows "&lt;"). Names are matched ignoring ASCII
// letter case; the characters come out in UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace htmldraw {

// How "&amp;" comes out: in a run of text it is "&&", which the text
// drawing shows as one "&" (a lone "&" marks the next character as a
// shortcut); in an attribute value, or in plain text for the caller, "&".
enum class TEntityTarget { Run, Plain };

// The text with its entities decoded; an "&" that starts no known entity
// stays as it is.
std::string DecodeEntities(std::string_view text, TEntityTarget target);

} // namespace htmldraw
