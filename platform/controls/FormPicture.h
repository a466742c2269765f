// Pictures of forms, for a person to look at: the form with its frame, its
// caption bar (caption and close box), its menu bar and every visible control,
// in a plain classic look, drawn on a bitmap. The form is settled first (it
// paints while it waits to be painted, as on the screen); drawing the
// picture changes none of its properties.
#pragma once

#include <memory>
#include <string>

class TBitmap;
class TForm;

namespace controls {

// The form drawn on a new bitmap of the form's size.
std::unique_ptr<TBitmap> RenderForm(TForm& form);
// Writes the form's picture to a PNG file; Exception when the file cannot
// be written.
void SaveFormPicture(TForm& form, const std::string& path);

} // namespace controls
