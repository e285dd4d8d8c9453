// Icons from icon files, programs and libraries, and their conversion to the editor's icon
// file: the image drawn at 32 x 32, its colours at 4 bits with the platform's 16 colours, its
// mask at 1 bit.
#pragma once
#include <windows.h>

#include <string>

#include "icon_file.h"

namespace zwicon::files {

// Icon `index` of a file (an icon file has index 0; programs and libraries count their icons in
// the order stored). Null when the file does not exist, holds no icon at that index, or is no
// icon container at all (the platform answers 0 or 1 for those). The caller destroys the icon.
// False for an icon file that is damaged (cut short, no images, an image past its end) or a file
// that cannot be read; true for any other file (programs and libraries are not judged).
bool IconFileIntact(const std::string& file);
HICON ExtractIconAt(const std::string& file, int index);
// The number of icons a file holds (0 when none or not a container).
int IconCount(const std::string& file);

// The icon's colours and mask as an icon file holds them; false when the icon cannot be drawn.
bool IconImageFromIcon(HICON icon, IconImage& image);
// Writes the icon to `path` in the editor's 766-byte layout (the intermediate file of opening).
bool WriteIconAsFile(HICON icon, const std::string& path);

// An icon made from an icon image (the caller destroys it); null on failure.
HICON IconFromImage(const IconImage& image);

}  // namespace zwicon::files
