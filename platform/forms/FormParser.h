// The parser of stored forms: text in the class library's form notation to
// the tree of FormValue.h.
//
//   object AddInModule: TAddInModule
//     AddInName = 'LorvaneOL'
//     SupportedApps = [ohaOutlook]
//     object Timer1: TTimer
//       Enabled = False
//       OnTimer = Timer1Timer
//     end
//   end
//
// Values: strings ('It''s' #13#10 'pieces', joined across lines with +),
// integers (12, -3, $FF), floats (1.5, 2E3), identifiers (True, csLarge,
// ImageList1, Owner.Name), sets ([a, b]), lists (( 'a' 'b' )), collections
// (< item ... end item [1] ... end >) and binary data ({ 0A0B ... }).
// Properties come before the nested objects of an object. Nesting, binary
// sizes and the text's size are bounded, so no text can exhaust the stack or
// memory.
#pragma once

#include "platform/forms/FormValue.h"

#include <string>
#include <string_view>

namespace forms {

// Deepest nesting of objects, collections and lists together.
inline constexpr int kMaxFormNesting = 64;
// Largest binary value, in bytes.
inline constexpr size_t kMaxFormBinary = 16 * 1024 * 1024;

// Parses one stored form: a single root object and nothing after it.
// Raises EParserError naming formName and the line on malformed text.
FormObject ParseForm(std::string_view text, const std::string& formName);
// Parses the root object of a stored form and its own properties only, for a
// reader that needs a few of its settings: parsing stops at its first nested
// object (or its end), so nothing after that is parsed or checked. Raises
// EParserError as ParseForm does on what it parses.
FormObject ParseFormRoot(std::string_view text, const std::string& formName);

} // namespace forms
