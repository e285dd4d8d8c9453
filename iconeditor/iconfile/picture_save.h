// Save As by extension: the icon file or one of the five picture formats written through the
// imaging component.
#pragma once
#include <string>

#include "canvas.h"
#include "multi_image.h"

namespace zwicon::files {

enum class SaveKind { Icon, Bmp, Png, Jpeg, Tiff, Pcx, Unknown };

// The upper-cased extension of a file name with its dot (".ICO"), "" when it has none.
std::string UpperExtension(const std::string& fileName);
// What Save As writes for a file name (".BMP", ".PNG", ".JPG", ".TIF", ".PCX", ".ICO").
SaveKind SaveKindFor(const std::string& fileName);

// Writes `picture` (copied into the component, dithering off) in a picture format; false when the
// imaging component reported a failure (it has shown its boxes) or the kind is not a picture.
bool WritePicture(sw::TPMultiImage& image, const zw::Bitmap& picture, SaveKind kind, const std::string& file);

}  // namespace zwicon::files
