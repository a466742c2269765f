// The drawing layer's classes as stored forms name them: TFont, TPen and
// TBrush (the object properties Font, Pen, Brush of controls), TBitmap and
// TIcon (with their "Data", as in Glyph.Data = { ... }), and TCustomImageList
// and TImageList with their published properties and the "Bitmap" that
// holds the images. Colours are read by name (clBtnFace) or as numbers.
//
// Each library that reads forms registers them in its own table, once:
//   gfx::RegisterGraphicsClasses(table);   // a second call does nothing
#pragma once

#include "platform/gfx/Colors.h"

namespace forms {
class FormClassTable;
class FormReader;
struct FormValue;
} // namespace forms

namespace gfx {

// Registers the classes above in table (nothing when they are there already).
void RegisterGraphicsClasses(forms::FormClassTable& table);
// A colour of a form: a name (clBtnFace) or a number ($00FF00FF, 255); the
// reader's error for anything else.
TColor ReadColor(const forms::FormValue& value, forms::FormReader& reader);
// A character set of a form: a name (DEFAULT_CHARSET) or a number.
uint8_t ReadCharset(const forms::FormValue& value, forms::FormReader& reader);

} // namespace gfx
