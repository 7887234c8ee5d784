#pragma once
// Loads a model Picture from the program or a library's resources.

#include "ui/picture.h"
#include "ui/win32/gdi_handles.h"

namespace corvane::ui::win32 {

// nullptr when the module or the resource is missing: a picture that is not there shows
// nothing.
UniqueIcon LoadPictureIcon(const Picture& picture, int size);
UniqueBitmap LoadPictureBitmap(const Picture& picture);
// A strip of square images side by side, magenta (255, 0, 255) showing what lies under
// them; nullptr when the bitmap is missing.
UniqueImageList LoadPictureStrip(const Picture& picture, int size);

// Common controls used by forms (track bar, tab control) and menus (image list).
void EnsureCommonControls();

}  // namespace corvane::ui::win32
